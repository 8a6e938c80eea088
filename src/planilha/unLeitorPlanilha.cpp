#include "unLeitorPlanilha.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstring>

#include "unArquivoZip.h"
#include "unLeitorOds.h"
#include "unLeitorXls.h"
#include "unLeitorXlsx.h"

namespace mivo {

namespace {

constexpr int kMaxFaixas = 1'000'000;

const QByteArray kAssinaturaZip("PK\x03\x04", 4);
const QByteArray kAssinaturaZipVazio("PK\x05\x06", 4);
const QByteArray kAssinaturaOle("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);

QString mensagemNaoPlanilha(const QString& caminho, bool texto) {
  QString m = QStringLiteral("O arquivo \"%1\" não é uma planilha que o Mivo saiba ler "
                             "(.xlsx, .xls ou .ods).")
                  .arg(QFileInfo(caminho).fileName());
  if (texto) m += QStringLiteral(" Ele parece ser um arquivo de texto: abra-o como arquivo texto ou CSV.");
  return m;
}

// An OLE2 container that holds an encrypted Office Open XML package: its
// directory names the stream "EncryptedPackage" (in UTF-16). Read in blocks
// of one buffer, the end of each kept for a name split between two.
bool temPacoteCriptografado(QFile& arquivo) {
  static const QByteArray nome = [] {
    QByteArray n;
    for (char c : QByteArrayLiteral("EncryptedPackage")) {
      n += c;
      n += '\0';
    }
    return n;
  }();
  constexpr qint64 kBloco = 64 * 1024;
  QByteArray buffer(kBloco + nome.size(), Qt::Uninitialized);
  qsizetype guardados = 0;
  arquivo.seek(0);
  while (true) {
    const qint64 n = arquivo.read(buffer.data() + guardados, kBloco);
    if (n <= 0) return false;
    const QByteArrayView lido(buffer.constData(), guardados + n);
    if (lido.contains(nome)) return true;
    guardados = std::min<qsizetype>(nome.size() - 1, lido.size());
    std::memmove(buffer.data(), lido.data() + lido.size() - guardados, size_t(guardados));
  }
}

bool pareceTexto(const QByteArray& inicio) {
  if (inicio.isEmpty()) return false;
  int controle = 0;
  for (char c : inicio) {
    const auto u = static_cast<unsigned char>(c);
    if (u == 0) return false;
    if (u < 0x20 && u != '\n' && u != '\r' && u != '\t') ++controle;
  }
  return controle * 20 < inicio.size();
}

}  // namespace

QString mensagemSenha() {
  return QStringLiteral("A planilha está protegida por senha. Abra-a no seu programa de planilhas, "
                        "salve uma cópia sem senha e importe a cópia.");
}

QString mensagemGrandeDemais(const LimitesPlanilha& limites) {
  return QStringLiteral("A planilha é grande demais para ser importada: os dados das suas primeiras "
                        "%1 linhas passam de %2 MB.")
      .arg(limites.maxLinhas)
      .arg(limites.maxMemoriaLinhas >> 20);
}

std::unique_ptr<CLLeitorPlanilha> criarLeitorPlanilha(const QString& caminho, const LimitesPlanilha& limites,
                                                      QString& erro) {
  QFile arquivo(caminho);
  if (!QFileInfo(caminho).isFile() || !arquivo.open(QIODevice::ReadOnly)) {
    erro = QStringLiteral("Não foi possível abrir o arquivo \"%1\".").arg(caminho);
    return nullptr;
  }
  const QByteArray inicio = arquivo.read(4096);
  if (inicio.isEmpty()) {
    erro = QStringLiteral("O arquivo \"%1\" está vazio.").arg(QFileInfo(caminho).fileName());
    return nullptr;
  }
  if (inicio.startsWith(kAssinaturaOle)) {
    if (temPacoteCriptografado(arquivo)) {
      erro = mensagemSenha();
      return nullptr;
    }
    arquivo.close();
    return std::make_unique<CLLeitorXls>(caminho, limites);
  }
  if (inicio.startsWith(kAssinaturaZip) || inicio.startsWith(kAssinaturaZipVazio)) {
    arquivo.close();
    auto zip = std::make_unique<CLArquivoZip>();
    if (!zip->abrir(caminho, erro)) return nullptr;
    if (zip->existe(QStringLiteral("xl/workbook.xml")) || zip->existe(QStringLiteral("[Content_Types].xml")))
      return std::make_unique<CLLeitorXlsx>(std::move(zip), limites);
    if (zip->existe(QStringLiteral("content.xml"))) {
      QByteArray tipo;
      QString e;
      if (zip->existe(QStringLiteral("mimetype")) && zip->lerParte(QStringLiteral("mimetype"), 4096, tipo, e) &&
          !tipo.contains("spreadsheet")) {
        erro = mensagemNaoPlanilha(caminho, false);
        return nullptr;
      }
      return std::make_unique<CLLeitorOds>(std::move(zip), limites);
    }
    erro = mensagemNaoPlanilha(caminho, false);
    return nullptr;
  }
  erro = mensagemNaoPlanilha(caminho, pareceTexto(inicio));
  return nullptr;
}

bool CLLeitorPlanilha::proximaLinhaCompacta(int& numero, CLLinhaGrade& linha, QString& erro) {
  QStringList celulas;
  if (!proximaLinha(numero, celulas, erro)) return false;
  if (celulas.size() > gColunas) celulas.resize(gColunas);
  // The cells may share their texts (a merged range's value): counted before
  // the row gets a copy of each.
  qint64 bytes = 4 * (qint64(celulas.size()) + 2);
  for (const QString& c : std::as_const(celulas)) bytes += 2 * qint64(c.size());
  if (bytes > gMaxMemoriaLinha) {
    erro = QStringLiteral("A planilha é grande demais para ser importada: a linha %1 passaria de %2 MB.")
               .arg(numero)
               .arg(gMaxMemoriaLinha >> 20);
    return false;
  }
  linha = CLLinhaGrade(celulas);
  return true;
}

// --- Merged cells --------------------------------------------------------------

void CLMesclagens::adicionar(int l0, int c0, int l1, int c1) {
  if (l1 < l0) std::swap(l0, l1);
  if (c1 < c0) std::swap(c0, c1);
  if (l0 < 1 || c0 < 1 || l0 > gMaxLinhas || c0 > gMaxColunas || gFaixas.size() >= kMaxFaixas) return;
  if (l0 == l1 && c0 == c1) return;
  gFaixas.append({l0, c0, std::min(l1, gMaxLinhas), std::min(c1, gMaxColunas)});
}

void CLMesclagens::ordenar() {
  std::stable_sort(gFaixas.begin() + gProxima, gFaixas.end(),
                   [](const Faixa& a, const Faixa& b) { return a.l0 < b.l0; });
}

// Whether `f`, starting to be read at `linha`, shares a cell with a range
// taken before it that still covers this row. Ranges that ended above go.
bool CLMesclagens::sobrepoe(const Faixa& f, int linha) {
  // The taken ranges do not overlap: ordered by first column, their last
  // columns are ordered too, so only the ranges just before f.c1 can reach
  // into f.
  auto depois = gAtivas.upper_bound(f.c1);
  while (depois != gAtivas.begin()) {
    const auto antes = std::prev(depois);
    if (antes->second.c1 < f.c0) return false;
    if (antes->second.l1 >= linha) return true;
    depois = gAtivas.erase(antes);
  }
  return false;
}

void CLMesclagens::aplicar(int linha, QStringList& celulas) {
  while (gProxima < gFaixas.size() && gFaixas[gProxima].l0 <= linha) {
    const Faixa f = gFaixas[gProxima++];
    if (f.l1 < linha || sobrepoe(f, linha)) continue;
    // The top-left value; a range whose first row is not in the sheet shows
    // nothing.
    QString valor = f.l0 == linha && f.c0 - 1 < celulas.size() ? celulas[f.c0 - 1] : QString();
    gAtivas.insert_or_assign(f.c0, Ativa{f.l0, f.l1, f.c1, std::move(valor)});
  }
  for (auto it = gAtivas.begin(); it != gAtivas.end() && it->first <= gColunasUsadas;) {
    const Ativa& a = it->second;
    if (a.l1 < linha) {
      it = gAtivas.erase(it);
      continue;
    }
    const int c0 = it->first, c1 = std::min(a.c1, gColunasUsadas);
    if (celulas.size() < c1) celulas.resize(c1);
    for (int c = c0; c <= c1; ++c)
      if (linha != a.l0 || c != c0) celulas[c - 1] = a.valor;
    ++it;
  }
}

namespace {

char16_t codigo(QChar c) { return c.unicode(); }
char16_t codigo(char c) { return char16_t(uchar(c)); }

template <typename Texto>
bool lerReferenciaEm(const Texto& ref, int& coluna, int& linha) {
  qsizetype i = 0;
  qint64 c = 0;
  auto cod = [&](qsizetype k) { return codigo(ref[k]); };
  while (i < ref.size() && cod(i) == u'$') ++i;
  const qsizetype ini = i;
  while (i < ref.size() && ((cod(i) >= u'A' && cod(i) <= u'Z') || (cod(i) >= u'a' && cod(i) <= u'z'))) {
    const char16_t letra = cod(i) >= u'a' ? char16_t(cod(i) - (u'a' - u'A')) : cod(i);
    c = c * 26 + (letra - u'A' + 1);
    if (c > 1'000'000) return false;
    ++i;
  }
  if (i == ini) return false;
  while (i < ref.size() && cod(i) == u'$') ++i;
  qint64 l = 0;
  const qsizetype iniLinha = i;
  while (i < ref.size() && cod(i) >= u'0' && cod(i) <= u'9') {
    l = l * 10 + (cod(i) - u'0');
    if (l > 100'000'000) return false;
    ++i;
  }
  if (i != ref.size() || i == iniLinha) return false;
  coluna = int(c);
  linha = int(l);
  return true;
}

}  // namespace

bool lerReferencia(QStringView ref, int& coluna, int& linha) { return lerReferenciaEm(ref, coluna, linha); }

bool lerReferencia(QByteArrayView ref, int& coluna, int& linha) { return lerReferenciaEm(ref, coluna, linha); }

}  // namespace mivo
