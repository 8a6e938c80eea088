#pragma once
// Small spreadsheets written by the tests themselves: zip packages built
// with libzip from XML strings (.xlsx and .ods), described as tables.

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>
#include <QStringList>
#include <chrono>
#include <cstring>
#include <functional>
#include <memory>
#include <zip.h>

namespace mivo::teste {

using Tabela = QList<QStringList>;

// A big part made piece by piece (piece 0, 1... up to `pedacos`),
// compressed as it is produced and never held in memory whole.
struct ParteGerada {
  QString nome;
  qint64 pedacos = 0;
  std::function<QByteArray(qint64)> pedaco;
};

// The same piece between a start and an end.
inline ParteGerada parteRepetida(const QString& nome, const QByteArray& inicio, const QByteArray& repetido,
                                 qint64 vezes, const QByteArray& fim) {
  // Pieces of about a megabyte, so that the part is made quickly.
  const qint64 porPedaco = std::max<qint64>(1, (1 << 20) / std::max<qint64>(1, repetido.size()));
  const qint64 meio = (vezes + porPedaco - 1) / porPedaco;
  return {nome, meio + 2, [=](qint64 i) {
            if (i == 0) return inicio;
            if (i == meio + 1) return fim;
            return repetido.repeated(std::min(porPedaco, vezes - (i - 1) * porPedaco));
          }};
}

// A zip package of these parts, and `grande` (when it has a name) in place
// of the one of its name or added.
inline bool gravarZip(const QString& caminho, const QList<std::pair<QString, QByteArray>>& partes,
                      const ParteGerada& grande = {}) {
  struct Leitura {
    const ParteGerada* parte = nullptr;
    qint64 proximo = 0;  // the next piece to make
    QByteArray atual;
    qint64 pos = 0;      // in `atual`
  };
  auto fonte = [](void* ud, void* dados, zip_uint64_t n, zip_source_cmd_t cmd) -> zip_int64_t {
    auto* l = static_cast<Leitura*>(ud);
    switch (cmd) {
      case ZIP_SOURCE_OPEN:
        l->proximo = l->pos = 0;
        l->atual.clear();
        return 0;
      case ZIP_SOURCE_READ: {
        zip_int64_t escritos = 0;
        while (escritos < zip_int64_t(n)) {
          if (l->pos == l->atual.size()) {
            if (l->proximo == l->parte->pedacos) break;
            l->atual = l->parte->pedaco(l->proximo++);
            l->pos = 0;
            continue;
          }
          const qint64 k = std::min<qint64>(l->atual.size() - l->pos, zip_int64_t(n) - escritos);
          std::memcpy(static_cast<char*>(dados) + escritos, l->atual.constData() + l->pos, size_t(k));
          escritos += k;
          l->pos += k;
        }
        return escritos;
      }
      case ZIP_SOURCE_CLOSE: return 0;
      case ZIP_SOURCE_STAT: {
        zip_stat_init(static_cast<zip_stat_t*>(dados));  // size unknown until it is made
        return sizeof(zip_stat_t);
      }
      case ZIP_SOURCE_ERROR: return 2 * sizeof(int);
      case ZIP_SOURCE_FREE: return 0;
      case ZIP_SOURCE_SUPPORTS:
        return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE, ZIP_SOURCE_STAT,
                                              ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, ZIP_SOURCE_SUPPORTS, -1);
      default: return -1;
    }
  };
  int erro = 0;
  zip_t* z = zip_open(QFile::encodeName(caminho).constData(), ZIP_CREATE | ZIP_TRUNCATE, &erro);
  if (!z) return false;
  QList<QByteArray> dados;
  for (const auto& p : partes) dados << p.second;
  // libzip reads the buffers when the archive is closed.
  for (qsizetype i = 0; i < partes.size(); ++i) {
    if (!grande.nome.isEmpty() && partes[i].first == grande.nome) continue;
    zip_source_t* s = zip_source_buffer(z, dados[i].constData(), zip_uint64_t(dados[i].size()), 0);
    if (!s || zip_file_add(z, partes[i].first.toUtf8().constData(), s, ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8) < 0) {
      zip_source_free(s);
      zip_discard(z);
      return false;
    }
  }
  if (grande.nome.isEmpty()) return zip_close(z) == 0;
  Leitura leitura;
  leitura.parte = &grande;
  zip_source_t* s = zip_source_function(z, fonte, &leitura);
  const zip_int64_t indice = s ? zip_file_add(z, grande.nome.toUtf8().constData(), s, ZIP_FL_ENC_UTF_8) : -1;
  if (indice < 0 || zip_set_file_compression(z, zip_uint64_t(indice), ZIP_CM_DEFLATE, 1) < 0) {
    if (indice < 0) zip_source_free(s);
    zip_discard(z);
    return false;
  }
  return zip_close(z) == 0;
}

inline QString letraColuna(int c) {  // 1 -> A
  QString r;
  for (; c > 0; c = (c - 1) / 26) r.prepend(QChar(u'A' + (c - 1) % 26));
  return r;
}

inline QString escaparXml(QString t) {
  return t.replace(u'&', QLatin1String("&amp;")).replace(u'<', QLatin1String("&lt;")).replace(u'>', QLatin1String("&gt;"));
}

// --- .xlsx ---------------------------------------------------------------------

// The rows of a table as sheetData content, every cell an inline string
// (an empty text is no cell at all; a row with no cell is no row element).
inline QString linhasXlsx(const Tabela& t, int primeira = 1) {
  QString r;
  for (qsizetype l = 0; l < t.size(); ++l) {
    QString celulas;
    for (qsizetype c = 0; c < t[l].size(); ++c) {
      if (t[l][c].isEmpty()) continue;
      celulas += QStringLiteral("<c r=\"%1%2\" t=\"inlineStr\"><is><t>%3</t></is></c>")
                     .arg(letraColuna(int(c) + 1)).arg(primeira + l).arg(escaparXml(t[l][c]));
    }
    if (!celulas.isEmpty()) r += QStringLiteral("<row r=\"%1\">%2</row>").arg(primeira + l).arg(celulas);
  }
  return r;
}

inline QByteArray folhaXlsx(const QString& dados, const QString& depois = {}) {
  return (QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"
                         "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
                         "<sheetData>") + dados + QStringLiteral("</sheetData>") + depois + QStringLiteral("</worksheet>"))
      .toUtf8();
}

struct Xlsx {
  QList<QByteArray> folhas;  // whole worksheet parts
  QByteArray textos;         // xl/sharedStrings.xml, when any
  QByteArray estilos;        // xl/styles.xml, when any
  bool data1904 = false;

  QList<std::pair<QString, QByteArray>> partes() const {
    const QString ns = QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships");
    QString livro = QStringLiteral("<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
                                   "xmlns:r=\"%1\"><workbookPr date1904=\"%2\"/><sheets>")
                        .arg(ns, data1904 ? QStringLiteral("1") : QStringLiteral("0"));
    QString rels = QStringLiteral("<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">");
    QList<std::pair<QString, QByteArray>> p;
    for (qsizetype i = 0; i < folhas.size(); ++i) {
      livro += QStringLiteral("<sheet name=\"Planilha%1\" sheetId=\"%1\" r:id=\"rId%1\"/>").arg(i + 1);
      rels += QStringLiteral("<Relationship Id=\"rId%1\" Type=\"%2/worksheet\" Target=\"worksheets/sheet%1.xml\"/>")
                  .arg(i + 1).arg(ns);
      p.append({QStringLiteral("xl/worksheets/sheet%1.xml").arg(i + 1), folhas[i]});
    }
    if (!textos.isEmpty()) {
      rels += QStringLiteral("<Relationship Id=\"rIdT\" Type=\"%1/sharedStrings\" Target=\"sharedStrings.xml\"/>").arg(ns);
      p.append({QStringLiteral("xl/sharedStrings.xml"), textos});
    }
    if (!estilos.isEmpty()) {
      rels += QStringLiteral("<Relationship Id=\"rIdE\" Type=\"%1/styles\" Target=\"/xl/styles.xml\"/>").arg(ns);
      p.append({QStringLiteral("xl/styles.xml"), estilos});
    }
    livro += QStringLiteral("</sheets></workbook>");
    rels += QStringLiteral("</Relationships>");
    p.append({QStringLiteral("[Content_Types].xml"),
              QByteArray("<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\"/>")});
    p.append({QStringLiteral("_rels/.rels"),
              QStringLiteral("<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                             "<Relationship Id=\"rId1\" Type=\"%1/officeDocument\" Target=\"xl/workbook.xml\"/>"
                             "</Relationships>").arg(ns).toUtf8()});
    p.append({QStringLiteral("xl/workbook.xml"), livro.toUtf8()});
    p.append({QStringLiteral("xl/_rels/workbook.xml.rels"), rels.toUtf8()});
    return p;
  }
  bool gravar(const QString& caminho) const { return gravarZip(caminho, partes()); }
};

// --- .ods ----------------------------------------------------------------------

inline QString linhasOds(const Tabela& t) {
  QString r;
  for (const QStringList& linha : t) {
    r += QStringLiteral("<table:table-row>");
    for (const QString& c : linha)
      r += c.isEmpty() ? QStringLiteral("<table:table-cell/>")
                       : QStringLiteral("<table:table-cell office:value-type=\"string\"><text:p>%1</text:p></table:table-cell>")
                             .arg(escaparXml(c));
    r += QStringLiteral("</table:table-row>");
  }
  return r;
}

// content.xml with these tables (the rows of each as XML).
inline QByteArray conteudoOds(const QStringList& tabelas) {
  QString r = QStringLiteral(
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
      "<office:document-content xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
      "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
      "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" office:version=\"1.2\">"
      "<office:body><office:spreadsheet>");
  for (qsizetype i = 0; i < tabelas.size(); ++i)
    r += QStringLiteral("<table:table table:name=\"Planilha%1\"><table:table-column/>%2</table:table>")
             .arg(i + 1).arg(tabelas[i]);
  r += QStringLiteral("</office:spreadsheet></office:body></office:document-content>");
  return r.toUtf8();
}

inline bool gravarOds(const QString& caminho, const QByteArray& conteudo, const QByteArray& manifesto = {}) {
  QList<std::pair<QString, QByteArray>> p{{QStringLiteral("mimetype"),
                                           QByteArray("application/vnd.oasis.opendocument.spreadsheet")},
                                          {QStringLiteral("content.xml"), conteudo}};
  if (!manifesto.isEmpty()) p.append({QStringLiteral("META-INF/manifest.xml"), manifesto});
  return gravarZip(caminho, p);
}

// --- Cost of a piece of work ---------------------------------------------------

struct Custo {
  double segundos = 0;
  double picoMiB = -1;  // memory it added at its peak; -1 where the system does not say
};

// Kilobytes of a "VmRSS:"/"VmHWM:" line of /proc/self/status; -1 without it.
inline qint64 memoriaDoProcesso(const char* campo) {
  QFile f(QStringLiteral("/proc/self/status"));
  if (!f.open(QIODevice::ReadOnly)) return -1;
  for (const QByteArray& linha : f.readAll().split('\n'))
    if (linha.startsWith(campo)) return linha.mid(qstrlen(campo)).trimmed().split(' ').value(0).toLongLong();
  return -1;
}

// Runs `trabalho` and says how long it took and how much memory it added at
// its peak: Linux lets a process reset its peak (clear_refs 5), so the peak
// read afterwards belongs to this work alone.
inline Custo medirCusto(const std::function<void()>& trabalho) {
  QFile limpar(QStringLiteral("/proc/self/clear_refs"));
  const bool zerado = limpar.open(QIODevice::WriteOnly) && limpar.write("5") == 1;
  limpar.close();
  const qint64 antes = memoriaDoProcesso("VmRSS:");
  const auto inicio = std::chrono::steady_clock::now();
  trabalho();
  Custo c;
  c.segundos = std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio).count();
  const qint64 pico = memoriaDoProcesso("VmHWM:");
  if (zerado && antes >= 0 && pico >= 0) c.picoMiB = double(std::max<qint64>(0, pico - antes)) / 1024;
  return c;
}

}  // namespace mivo::teste
