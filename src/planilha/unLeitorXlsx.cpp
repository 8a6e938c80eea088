#include "unLeitorXlsx.h"

#include <QDateTime>
#include <QDir>
#include <charconv>
#include <string>
#include <vector>

#include "unXmlRapido.h"

namespace mivo {

namespace {

// What a workbook may describe: far beyond any real one (Excel itself
// allows 64,000 cell formats), so that a small file cannot make the reader
// build millions of entries.
constexpr int kMaxRelacoes = 10'000;    // relationships of one part
constexpr int kMaxPlanilhas = 10'000;   // sheets looked at
constexpr int kMaxFormatosXf = 1 << 20; // cell formats
constexpr int kMaxFormatosNumero = 1 << 16;

QString mensagemDemais(int limite, const QString& oque) {
  return QStringLiteral("O arquivo não pode ser importado: a pasta de trabalho descreve mais de %1 %2.")
      .arg(limite)
      .arg(oque);
}

bool nomeEh(QStringView nomeQualificado, QLatin1StringView local) { return nomeLocal(nomeQualificado) == local; }

// An attribute by its local name.
QStringView atributo(const QXmlStreamAttributes& atributos, QLatin1StringView local) {
  for (const QXmlStreamAttribute& a : atributos)
    if (nomeLocal(a.qualifiedName()) == local) return a.value();
  return {};
}

// A part named by a relationship: relative to the folder of the part the
// relationships belong to ("" or "xl/"), or absolute from the package root.
QString resolverParte(const QString& pasta, const QString& alvo) {
  QString r = QDir::cleanPath(alvo.startsWith(u'/') ? alvo : pasta + alvo);
  while (r.startsWith(u'/')) r.remove(0, 1);
  return r;
}

QString parteDeRelacoes(const QString& parte) {
  const qsizetype barra = parte.lastIndexOf(u'/');
  return parte.left(barra + 1) + QStringLiteral("_rels/") + parte.mid(barra + 1) + QStringLiteral(".rels");
}

int hex(QChar c) {
  if (c >= u'0' && c <= u'9') return c.unicode() - u'0';
  if (c >= u'A' && c <= u'F') return c.unicode() - u'A' + 10;
  if (c >= u'a' && c <= u'f') return c.unicode() - u'a' + 10;
  return -1;
}

// The shared strings and the raw scan of merged ranges both look at many
// bytes; this finds each "<mergeCell ... ref="A1:B2" ...>" in raw sheet XML
// without parsing the rest (merged ranges come after all the cells).
class CLVarreduraMesclagens {
 public:
  explicit CLVarreduraMesclagens(CLMesclagens& m) : gM(m) {}
  void bloco(const QByteArray& dados) {
    QByteArray buf = gResto + dados;
    qsizetype pos = 0, fimProcessado = 0;
    static const QByteArray kNome("mergeCell");
    while ((pos = buf.indexOf(kNome, pos)) >= 0) {
      const qsizetype depois = pos + kNome.size();
      if (depois >= buf.size()) break;
      const char seguinte = buf[depois];
      const char antes = pos > 0 ? buf[pos - 1] : ' ';
      if ((antes != '<' && antes != ':') || !(seguinte == ' ' || seguinte == '/' || seguinte == '\t' ||
                                             seguinte == '\n' || seguinte == '\r' || seguinte == '>')) {
        pos = depois;
        continue;
      }
      const qsizetype fecha = buf.indexOf('>', depois);
      if (fecha < 0) break;
      lerEtiqueta(QByteArrayView(buf).sliced(depois, fecha - depois));
      pos = fimProcessado = fecha + 1;
    }
    gResto = buf.mid(std::max(fimProcessado, buf.size() - 512));
  }

 private:
  void lerEtiqueta(QByteArrayView etiqueta) {
    qsizetype i = etiqueta.indexOf(QByteArrayView("ref="));
    if (i < 0 || i + 5 > etiqueta.size()) return;
    const char aspa = etiqueta[i + 4];
    const qsizetype fim = etiqueta.indexOf(aspa, i + 5);
    if (fim < 0) return;
    const QString ref = QString::fromLatin1(etiqueta.sliced(i + 5, fim - i - 5));
    const qsizetype dois = ref.indexOf(u':');
    int c0, l0, c1, l1;
    if (dois < 0 || !lerReferencia(QStringView(ref).left(dois), c0, l0) ||
        !lerReferencia(QStringView(ref).mid(dois + 1), c1, l1))
      return;
    gM.adicionar(l0, c0, l1, c1);
  }
  CLMesclagens& gM;
  QByteArray gResto;
};

// The row being read: the texts of its cells one after another in one
// buffer, and where the text of each column lies in it. Kept from row to
// row, so that a sheet costs one allocation per row (the compact row) and
// none per cell.
class CLMontagemLinha {
 public:
  void iniciar() {
    gTexto.resize(0);
    std::fill(gFaixas.begin(), gFaixas.begin() + gColunas, Faixa{});
    gColunas = 0;
  }
  QString& texto() { return gTexto; }
  // The text appended since `inicio` is the value of column `coluna`
  // (1-based); an empty text leaves the column as it was.
  void fechar(int coluna, qsizetype inicio) {
    if (gTexto.size() == inicio || coluna < 1) return;
    if (coluna > gColunas) {
      if (size_t(coluna) > gFaixas.size()) gFaixas.resize(size_t(coluna));
      gColunas = coluna;
    }
    gFaixas[size_t(coluna) - 1] = {inicio, gTexto.size()};
  }
  // Bytes the compact row takes (a little more when a column was written
  // twice), with its place in the list of rows.
  qint64 memoria() const { return CLLinhaGrade::memoria(gColunas, gTexto.size()); }
  CLLinhaGrade linha() {
    gVistas.resize(0);
    for (int c = 0; c < gColunas; ++c) {
      const Faixa& f = gFaixas[size_t(c)];
      gVistas.append(QStringView(gTexto).sliced(f.inicio, f.fim - f.inicio));
    }
    return CLLinhaGrade::deCelulas(gVistas);
  }

 private:
  struct Faixa {
    qsizetype inicio = 0, fim = 0;
  };
  QString gTexto;
  std::vector<Faixa> gFaixas;
  int gColunas = 0;  // columns written: the last one that holds text
  QList<QStringView> gVistas;
};

// The cell types read most, told apart once per cell.
enum class TipoCelula { Numero, Compartilhado, Embutido, Outro };

TipoCelula tipoCelula(QByteArrayView t) {
  if (t.isEmpty() || mesmoNome(t, "n")) return TipoCelula::Numero;
  if (mesmoNome(t, "s")) return TipoCelula::Compartilhado;
  if (mesmoNome(t, "inlineStr")) return TipoCelula::Embutido;
  return TipoCelula::Outro;
}

}  // namespace

QString decodificarEscapesOoxml(const QString& texto) {
  if (!texto.contains(QLatin1String("_x"))) return texto;
  QString r;
  r.reserve(texto.size());
  for (qsizetype i = 0; i < texto.size(); ++i) {
    if (texto[i] == u'_' && i + 6 < texto.size() && texto[i + 1] == u'x' && texto[i + 6] == u'_') {
      int v = 0;
      bool ok = true;
      for (int k = 2; k < 6 && ok; ++k) {
        const int h = hex(texto[i + k]);
        ok = h >= 0;
        v = v * 16 + h;
      }
      if (ok) {
        r += QChar(char16_t(v));
        i += 6;
        continue;
      }
    }
    r += texto[i];
  }
  return r;
}

CLLeitorXlsx::CLLeitorXlsx(std::unique_ptr<CLArquivoZip> zip, const LimitesPlanilha& limites)
    : gZip(std::move(zip)), gLimites(limites), gMesclagens(limites.maxLinhas, limites.maxColunas) {}

CLLeitorXlsx::~CLLeitorXlsx() = default;

bool CLLeitorXlsx::lerRelacoes(const QString& parte, QHash<QString, std::pair<QString, QString>>& relacoes,
                               QString& erro) {
  if (!gZip->existe(parte)) return true;
  auto fluxo = gZip->abrirParte(parte, gLimites.maxParteDescritiva, erro);
  if (!fluxo) return false;
  CLLeitorXml xml(std::move(fluxo));
  int lidas = 0;
  QXmlStreamReader::TokenType t;
  while ((t = xml.proximo()) != QXmlStreamReader::Invalid && t != QXmlStreamReader::EndDocument) {
    if (t == QXmlStreamReader::StartElement && nomeEh(xml.xml().qualifiedName(), QLatin1StringView("Relationship"))) {
      if (++lidas > kMaxRelacoes) {
        erro = mensagemDemais(kMaxRelacoes, QStringLiteral("relações entre as suas partes"));
        return false;
      }
      const auto a = xml.xml().attributes();
      relacoes.insert(atributo(a, QLatin1StringView("Id")).toString(),
                      {atributo(a, QLatin1StringView("Type")).toString(),
                       resolverParte(parte.left(parte.indexOf(QLatin1String("_rels/"))),
                                     atributo(a, QLatin1StringView("Target")).toString())});
    }
  }
  erro = xml.erro();
  return erro.isEmpty();
}

bool CLLeitorXlsx::abrir(QString& erro) {
  // The workbook part: where the package's relationships say, or the usual place.
  QHash<QString, std::pair<QString, QString>> raiz;
  if (!lerRelacoes(QStringLiteral("_rels/.rels"), raiz, erro)) return false;
  QString livro = QStringLiteral("xl/workbook.xml");
  for (const auto& [tipo, alvo] : std::as_const(raiz))
    if (tipo.endsWith(QLatin1String("/officeDocument"))) livro = alvo;
  if (!gZip->existe(livro)) {
    erro = QStringLiteral("O arquivo não é uma pasta de trabalho do Excel (.xlsx) que o Mivo saiba ler.");
    return false;
  }
  QHash<QString, std::pair<QString, QString>> relacoes;
  if (!lerRelacoes(parteDeRelacoes(livro), relacoes, erro)) return false;
  for (const auto& [tipo, alvo] : std::as_const(relacoes)) {
    if (tipo.endsWith(QLatin1String("/sharedStrings"))) gParteTextos = alvo;
    if (tipo.endsWith(QLatin1String("/styles"))) gParteEstilos = alvo;
  }

  auto fluxo = gZip->abrirParte(livro, gLimites.maxParteDescritiva, erro);
  if (!fluxo) return false;
  CLLeitorXml xml(std::move(fluxo));
  QXmlStreamReader::TokenType t;
  // Sheets are only counted past the first worksheet, and no further than
  // kMaxPlanilhas: what matters is whether there is more than one.
  int folhas = 0;
  while ((t = xml.proximo()) != QXmlStreamReader::Invalid && t != QXmlStreamReader::EndDocument) {
    if (t != QXmlStreamReader::StartElement) continue;
    const QStringView nome = nomeLocal(xml.xml().qualifiedName());
    const auto a = xml.xml().attributes();
    if (nome == QLatin1StringView("workbookPr")) {
      const QStringView d = atributo(a, QLatin1StringView("date1904"));
      gData1904 = d == QLatin1StringView("1") || d == QLatin1StringView("true");
    } else if (nome == QLatin1StringView("sheet")) {
      // Chart sheets are listed too; only worksheets count.
      const auto rel = relacoes.value(atributo(a, QLatin1StringView("id")).toString());
      if (rel.first.isEmpty() || rel.first.endsWith(QLatin1String("/worksheet"))) {
        if (gQtdPlanilhas++ == 0) gPrimeira = rel.second;
      }
      if (++folhas >= kMaxPlanilhas) break;
    }
  }
  erro = xml.erro();
  if (!erro.isEmpty()) return false;
  if (gQtdPlanilhas == 0 || gPrimeira.isEmpty() || !gZip->existe(gPrimeira)) {
    erro = QStringLiteral("A pasta de trabalho não tem nenhuma planilha de dados.");
    return false;
  }
  return true;
}

bool CLLeitorXlsx::lerEstilos(const QString& parte, QString& erro) {
  if (parte.isEmpty() || !gZip->existe(parte)) return true;
  auto fluxo = gZip->abrirParte(parte, gLimites.maxParteDescritiva, erro);
  if (!fluxo) return false;
  CLLeitorXml xml(std::move(fluxo));
  QHash<int, QString> personalizados;
  QList<int> ids;  // the number format of each cell format
  int numeros = 0;
  bool emXfs = false;
  QXmlStreamReader::TokenType t;
  while ((t = xml.proximo()) != QXmlStreamReader::Invalid && t != QXmlStreamReader::EndDocument) {
    const QStringView nome = nomeLocal(xml.xml().qualifiedName());
    if (t == QXmlStreamReader::EndElement && nome == QLatin1StringView("cellXfs")) emXfs = false;
    if (t != QXmlStreamReader::StartElement) continue;
    const auto a = xml.xml().attributes();
    if (nome == QLatin1StringView("numFmt")) {
      if (++numeros > kMaxFormatosNumero) {
        erro = mensagemDemais(kMaxFormatosNumero, QStringLiteral("formatos de número"));
        return false;
      }
      personalizados.insert(atributo(a, QLatin1StringView("numFmtId")).toInt(),
                            atributo(a, QLatin1StringView("formatCode")).toString());
    } else if (nome == QLatin1StringView("cellXfs")) {
      emXfs = true;
    } else if (emXfs && nome == QLatin1StringView("xf")) {
      if (ids.size() >= kMaxFormatosXf) {
        erro = mensagemDemais(kMaxFormatosXf, QStringLiteral("formatos de célula"));
        return false;
      }
      ids << atributo(a, QLatin1StringView("numFmtId")).toInt();
    }
  }
  erro = xml.erro();
  if (!erro.isEmpty()) return false;
  // Many cell formats share a number format: each is read once.
  QHash<int, CLFormatoNumero> lidos;
  gFormatosXf.reserve(ids.size());
  for (int id : std::as_const(ids)) {
    auto f = lidos.constFind(id);
    if (f == lidos.constEnd())
      f = lidos.insert(id, CLFormatoNumero(personalizados.contains(id) ? personalizados.value(id)
                                                                       : formatoEmbutido(id)));
    gFormatosXf << *f;
  }
  return true;
}

bool CLLeitorXlsx::lerTextosCompartilhados(const QString& parte, const PedidoParada& parar, QString& erro) {
  if (parte.isEmpty() || !gZip->existe(parte)) return true;
  auto fluxo = gZip->abrirParte(parte, gLimites.maxParteEmMemoria, erro);
  if (!fluxo) return false;
  fluxo->lerEmParalelo();
  CLXmlRapido xml(std::move(fluxo));
  bool emTexto = false;
  int fonetico = 0;
  qsizetype inicio = 0;
  int n = 0;
  // Within the limit, every offset fits in 32 bits.
  const qint64 limite = std::min(gLimites.maxTextosCompartilhados, qint64(1) << 32);
  for (CLXmlRapido::Tipo t; (t = xml.proximo()) != CLXmlRapido::FimDocumento;) {
    if (t == CLXmlRapido::Erro) {
      erro = xml.erro();
      return false;
    }
    if (t == CLXmlRapido::Texto) {
      if (emTexto && fonetico == 0) {
        xml.anexarTexto(gTextos);
        if (2 * gTextos.size() + 4 * gInicios.size() > limite) return textosDemais(erro);
      }
      continue;
    }
    const QByteArrayView nome = xml.nome();
    const bool abre = t == CLXmlRapido::Inicio;
    if (mesmoNome(nome, "t")) {
      emTexto = abre;
    } else if (mesmoNome(nome, "rPh")) {
      fonetico += abre ? 1 : -1;
    } else if (mesmoNome(nome, "si")) {
      if (abre) {
        inicio = gTextos.size();
      } else {
        const QStringView s = QStringView(gTextos).mid(inicio);
        if (s.contains(QLatin1StringView("_x"))) {
          const QString d = decodificarEscapesOoxml(s.toString());
          gTextos.truncate(inicio);
          gTextos += d;
        }
        gInicios << quint32(inicio);
        if (2 * gTextos.size() + 4 * gInicios.size() > limite) return textosDemais(erro);
        if (++n % 4096 == 0 && parar && parar()) return false;
      }
    }
  }
  gInicios << quint32(gTextos.size());
  return true;
}

bool CLLeitorXlsx::textosDemais(QString& erro) const {
  erro = QStringLiteral("A planilha é grande demais para ser importada: os textos da pasta de trabalho passam de "
                        "%1 MB.")
             .arg(gLimites.maxTextosCompartilhados >> 20);
  return false;
}

QString CLLeitorXlsx::textoCompartilhado(qsizetype i) const {
  if (i < 0 || i + 1 >= gInicios.size()) return {};
  return gTextos.mid(gInicios[i], gInicios[i + 1] - gInicios[i]);
}

bool CLLeitorXlsx::prepararPrimeira(const PedidoParada& parar, QString& erro) {
  if (!lerEstilos(gParteEstilos, erro)) return false;
  if (!lerTextosCompartilhados(gParteTextos, parar, erro)) return false;
  return lerFolha(parar, erro);
}

QString CLLeitorXlsx::valorDaCelula(QByteArrayView tipo, int estilo, QByteArrayView valor,
                                    const QString& textoEmbutido) const {
  if (tipo.isEmpty() || mesmoNome(tipo, "n")) {
    if (valor.isEmpty()) return {};
    const CLFormatoNumero* formato = estilo >= 0 && estilo < gFormatosXf.size() ? &gFormatosXf[estilo] : nullptr;
    QString texto;
    if (!formato || !formato->temFormato()) {
      if (anexarNumeroGeralDoTexto(valor, texto)) return texto;
    }
    double d = 0;
    const QByteArrayView v = valor.trimmed();
    const auto [fim, ec] = std::from_chars(v.data(), v.data() + v.size(), d);
    if (ec != std::errc() || fim != v.data() + v.size()) return QString::fromUtf8(valor);
    return formato ? formato->formatar(d, gData1904) : numeroGeral(d);
  }
  if (mesmoNome(tipo, "s")) {
    bool ok = false;
    const qsizetype i = valor.trimmed().toLongLong(&ok);
    return ok ? textoCompartilhado(i) : QString();
  }
  if (mesmoNome(tipo, "inlineStr")) return decodificarEscapesOoxml(textoEmbutido);
  const QString texto = QString::fromUtf8(valor);
  if (mesmoNome(tipo, "str") || mesmoNome(tipo, "e")) return decodificarEscapesOoxml(texto);
  if (mesmoNome(tipo, "b")) return texto.isEmpty() ? QString() : textoBooleano(texto.trimmed() == u'1');
  if (mesmoNome(tipo, "d")) {
    QDateTime dt = QDateTime::fromString(texto.trimmed(), Qt::ISODateWithMs);
    if (!dt.isValid()) dt = QDateTime(QDate::fromString(texto.trimmed(), Qt::ISODate), QTime(0, 0));
    return dt.isValid() ? textoDataHora(dt) : texto;
  }
  return texto;
}

void CLLeitorXlsx::anexarNumero(int estilo, QByteArrayView valor, QString& destino) const {
  if (valor.isEmpty()) return;
  const CLFormatoNumero* formato = estilo >= 0 && estilo < gFormatosXf.size() ? &gFormatosXf[estilo] : nullptr;
  const bool comFormato = formato && formato->temFormato();
  if (!comFormato && anexarNumeroGeralDoTexto(valor, destino)) return;
  double d = 0;
  const QByteArrayView v = valor.trimmed();
  const auto [fim, ec] = std::from_chars(v.data(), v.data() + v.size(), d);
  if (ec != std::errc() || fim != v.data() + v.size()) {
    anexarUtf8(destino, valor);
    return;
  }
  if (comFormato) formato->anexar(d, gData1904, destino);
  else destino += numeroGeral(d);
}

bool CLLeitorXlsx::lerFolha(const PedidoParada& parar, QString& erro) {
  auto fluxo = gZip->abrirParte(gPrimeira, gLimites.maxParte, erro);
  if (!fluxo) return false;
  fluxo->lerEmParalelo();  // nothing else reads the package until it is done
  CLXmlRapido xml(std::move(fluxo));
  bool nosDados = false, naLinha = false, naCelula = false, emValor = false, emEmbutido = false, emTexto = false;
  bool alemDosLimites = false;
  int fonetico = 0, coluna = 0, estilo = -1, numero = 0, ultimaLinha = 0;
  // The cell being read: whether it is kept (within the column cap), its
  // type as written and as told apart, the text of <v> (UTF-8) and where
  // its text starts in the row.
  bool guardar = false;
  std::string tipoBruto;
  TipoCelula tipo = TipoCelula::Numero;
  std::string valor;
  qsizetype inicioCelula = 0;
  CLMontagemLinha montagem;
  qint64 memoria = 0;
  QString decodificado;
  CLXmlRapido::Tipo t;
  while ((t = xml.proximo()) != CLXmlRapido::FimDocumento) {
    if (t == CLXmlRapido::Erro) {
      erro = xml.erro();
      return false;
    }
    if (t == CLXmlRapido::Texto) {
      if (emValor) {
        if (!xml.textoCdata() && !xml.textoBruto().contains('&')) {
          valor.append(xml.textoBruto().data(), size_t(xml.textoBruto().size()));
        } else {
          decodificado.resize(0);
          xml.anexarTexto(decodificado);
          valor += decodificado.toStdString();
        }
      } else if (emTexto && fonetico == 0 && guardar && tipo == TipoCelula::Embutido) {
        xml.anexarTexto(montagem.texto());
      } else {
        continue;
      }
      // A cell's text comes in as many pieces as the file likes: the limit
      // holds while it grows, not only once the cell ends.
      if (memoria + montagem.memoria() + 2 * qint64(valor.size()) > gLimites.maxMemoriaLinhas) {
        erro = mensagemGrandeDemais(gLimites);
        return false;
      }
      continue;
    }
    const QByteArrayView nome = xml.nome();
    if (t == CLXmlRapido::Inicio) {
      if (!nosDados) {
        nosDados = mesmoNome(nome, "sheetData");
        continue;
      }
      if (mesmoNome(nome, "c")) {
        if (!naLinha) continue;
        static constexpr QByteArrayView kAtributos[] = {QByteArrayView("r", 1), QByteArrayView("t", 1),
                                                        QByteArrayView("s", 1)};
        QByteArrayView a[3];
        xml.atributosBrutos(kAtributos, a);
        int c = 0, l = 0;
        coluna = lerReferencia(a[0], c, l) ? c : coluna + 1;
        tipo = tipoCelula(a[1]);
        if (tipo == TipoCelula::Outro) tipoBruto.assign(a[1].data(), size_t(a[1].size()));
        estilo = a[2].isEmpty() ? -1 : a[2].toInt();
        valor.clear();
        guardar = coluna >= 1 && coluna <= gLimites.maxColunas;
        inicioCelula = montagem.texto().size();
        naCelula = true;
      } else if (mesmoNome(nome, "row")) {
        // Rows do not nest: a row opened inside another (or inside one of
        // its cells) would restart the row whose cell is still open.
        if (naLinha) {
          erro = mensagemDanificado();
          return false;
        }
        bool ok = false;
        const int r = xml.atributoBruto("r").toInt(&ok);
        numero = ok && r > ultimaLinha ? r : ultimaLinha + 1;
        if (numero > gLimites.maxLinhas) {
          alemDosLimites = true;  // the rest is never read
          break;
        }
        naLinha = true;
        coluna = 0;
        montagem.iniciar();
      } else if (naCelula && mesmoNome(nome, "v")) {
        emValor = true;
      } else if (naCelula && mesmoNome(nome, "is")) {
        emEmbutido = true;
      } else if (emEmbutido && mesmoNome(nome, "t")) {
        emTexto = true;
      } else if (emEmbutido && mesmoNome(nome, "rPh")) {
        ++fonetico;
      }
      continue;
    }
    if (!nosDados) continue;
    if (mesmoNome(nome, "v")) {
      emValor = false;
    } else if (mesmoNome(nome, "c") && naCelula) {
      naCelula = false;
      if (!guardar) continue;
      QString& texto = montagem.texto();
      switch (tipo) {
        case TipoCelula::Numero:
          anexarNumero(estilo, QByteArrayView(valor.data(), qsizetype(valor.size())), texto);
          break;
        case TipoCelula::Compartilhado: {
          bool ok = false;
          const qsizetype i = QByteArrayView(valor.data(), qsizetype(valor.size())).trimmed().toLongLong(&ok);
          if (ok && i >= 0 && i + 1 < gInicios.size())
            texto += QStringView(gTextos).sliced(gInicios[i], gInicios[i + 1] - gInicios[i]);
          break;
        }
        case TipoCelula::Embutido:
          // The text went straight into the row; "_x" escapes are rare.
          if (QStringView(texto).sliced(inicioCelula).contains(u'_') &&
              QStringView(texto).sliced(inicioCelula).contains(QLatin1StringView("_x"))) {
            const QString d = decodificarEscapesOoxml(texto.sliced(inicioCelula));
            texto.truncate(inicioCelula);
            texto += d;
          }
          break;
        case TipoCelula::Outro:
          texto += valorDaCelula(QByteArrayView(tipoBruto.data(), qsizetype(tipoBruto.size())), estilo,
                                 QByteArrayView(valor.data(), qsizetype(valor.size())), QString());
          break;
      }
      montagem.fechar(coluna, inicioCelula);
      if (memoria + montagem.memoria() > gLimites.maxMemoriaLinhas) {
        erro = mensagemGrandeDemais(gLimites);
        return false;
      }
    } else if (mesmoNome(nome, "t")) {
      emTexto = false;
    } else if (mesmoNome(nome, "rPh")) {
      --fonetico;
    } else if (mesmoNome(nome, "is")) {
      emEmbutido = false;
    } else if (mesmoNome(nome, "row") && naLinha) {
      // A row that ends inside a cell: the tags do not match (the reader
      // does not check them), and the open cell would end in another row.
      if (naCelula) {
        erro = mensagemDanificado();
        return false;
      }
      naLinha = false;
      ultimaLinha = numero;
      memoria += montagem.memoria();
      gLinhas.append({numero, montagem.linha()});
      if (gLinhas.size() % 1024 == 0 && parar && parar()) return false;
    } else if (mesmoNome(nome, "sheetData")) {
      break;
    }
  }
  // The merged ranges come after the cells: the rest of the part is only
  // scanned for them.
  CLVarreduraMesclagens varredura(gMesclagens);
  varredura.bloco(xml.naoLido().toByteArray());
  CLArquivoZip::Fluxo* resto = xml.fluxo();
  while (!resto->fim()) {
    const QByteArray bloco = resto->ler(1 << 20);
    if (!resto->erro().isEmpty()) {
      erro = resto->erro();
      return false;
    }
    varredura.bloco(bloco);
    if (alemDosLimites && parar && parar()) return false;
  }
  gMesclagens.ordenar();
  return true;
}

bool CLLeitorXlsx::proximaLinha(int& numero, QStringList& celulas, QString&) {
  if (gProxima >= gLinhas.size()) return false;
  auto& [n, linha] = gLinhas[gProxima++];
  numero = n;
  celulas = linha.lista();
  linha = CLLinhaGrade();  // handed over: its memory goes
  if (celulas.size() > gColunas) celulas.resize(gColunas);
  gMesclagens.aplicar(numero, celulas);
  return true;
}

void CLLeitorXlsx::limitarColunas(int n) {
  CLLeitorPlanilha::limitarColunas(n);
  gMesclagens.limitarColunas(n);
}

bool CLLeitorXlsx::proximaLinhaCompacta(int& numero, CLLinhaGrade& linha, QString& erro) {
  // Merged ranges fill cells in: they work on the cells one by one.
  if (!gMesclagens.vazio()) return CLLeitorPlanilha::proximaLinhaCompacta(numero, linha, erro);
  if (gProxima >= gLinhas.size()) return false;
  auto& [n, lida] = gLinhas[gProxima++];
  numero = n;
  linha = std::move(lida);  // handed over as it is
  return true;
}

}  // namespace mivo
