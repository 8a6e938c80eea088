#include "unLeitorXls.h"

#include <QHash>
#include <QtEndian>
#include <algorithm>
#include <climits>
#include <cstring>

#include "unArquivoOle.h"
#include "unArquivoZip.h"
#include "unUtil.h"

namespace mivo {

namespace {

// Record types.
enum : quint16 {
  kFormula = 0x0006,
  kEof = 0x000A,
  kDataMode1904 = 0x0022,
  kSenha = 0x002F,  // FILEPASS: the workbook is encrypted
  kContinuacao = 0x003C,
  kPaginaDeCodigo = 0x0042,
  kFolha = 0x0085,  // BOUNDSHEET
  kMulRk = 0x00BD,
  kRichString5 = 0x00D6,
  kXf = 0x00E0,
  kMesclagem = 0x00E5,
  kTextoCompartilhado = 0x00FC,  // SST
  kRotuloSst = 0x00FD,
  kNumero = 0x0203,
  kRotulo = 0x0204,
  kBoolErro = 0x0205,
  kTextoDaFormula = 0x0207,  // STRING
  kMatriz = 0x0221,
  kTabela = 0x0236,
  kRk = 0x027E,
  kFormato = 0x041E,
  kFormulaCompartilhada = 0x04BC,
  kBof = 0x0809,
};

constexpr qsizetype kTamanhoCabecalho = 4;

quint16 u16(const char* p) { return qFromLittleEndian<quint16>(p); }
quint32 u32(const char* p) { return qFromLittleEndian<quint32>(p); }

bool ehCelula(quint16 tipo) {
  switch (tipo) {
    case kNumero: case kRk: case kMulRk: case kRotuloSst: case kRotulo: case kRichString5: case kBoolErro:
    case kFormula:
      return true;
    default:
      return false;
  }
}

QString textoErro(quint8 codigo) {
  switch (codigo) {
    case 0x00: return QStringLiteral("#NULL!");
    case 0x07: return QStringLiteral("#DIV/0!");
    case 0x0F: return QStringLiteral("#VALUE!");
    case 0x17: return QStringLiteral("#REF!");
    case 0x1D: return QStringLiteral("#NAME?");
    case 0x24: return QStringLiteral("#NUM!");
    case 0x2A: return QStringLiteral("#N/A");
    default: return QStringLiteral("#N/A");
  }
}

// An RK number: 30 bits of a double or of an integer, perhaps over 100.
double numeroRk(quint32 rk) {
  double v;
  if (rk & 2) {
    v = double(qint32(rk) >> 2);
  } else {
    const quint64 bits = quint64(rk & 0xFFFFFFFCu) << 32;
    std::memcpy(&v, &bits, sizeof v);
  }
  return (rk & 1) ? v / 100 : v;
}

double numeroIeee(const char* p) {
  const quint64 bits = qFromLittleEndian<quint64>(p);
  double v;
  std::memcpy(&v, &bits, sizeof v);
  return v;
}

// The data of a record and of the CONTINUE records after it, read as one.
// BIFF8 texts split between records repeat their option byte (8 or 16 bits
// a character) at the start of each continuation.
class CLDadosContinuos {
 public:
  CLDadosContinuos(const QByteArray& livro, const CLLeitorXls::Registro& r, qsizetype inicio) : gLivro(livro) {
    gSegmentos.append({r.dados + inicio, r.dados + r.tamanho});
    for (qsizetype pos = r.proximo; pos + kTamanhoCabecalho <= livro.size();) {
      const quint16 tipo = u16(livro.constData() + pos);
      const qsizetype tamanho = u16(livro.constData() + pos + 2);
      if (tipo != kContinuacao || pos + kTamanhoCabecalho + tamanho > livro.size()) break;
      gSegmentos.append({pos + kTamanhoCabecalho, pos + kTamanhoCabecalho + tamanho});
      pos += kTamanhoCabecalho + tamanho;
    }
    gPos = gSegmentos.first().first;
  }
  bool falhou() const { return gFalhou; }
  bool fim() { return !disponivel(); }
  quint8 byte() {
    if (!disponivel()) return 0;
    return quint8(gLivro[gPos++]);
  }
  quint16 palavra() {
    const quint16 baixo = byte();
    return quint16(baixo | (byte() << 8));
  }
  quint32 palavraDupla() {
    const quint32 baixo = palavra();
    return baixo | (quint32(palavra()) << 16);
  }
  void pular(qint64 n) {
    while (n > 0 && disponivel()) {
      const qint64 passo = std::min<qint64>(n, gSegmentos[gSegmento].second - gPos);
      gPos += passo;
      n -= passo;
    }
  }
  // `quantos` characters of a BIFF8 text, 16 bits each when `largos`.
  QString texto(qsizetype quantos, bool largos) {
    QString r;
    r.reserve(std::min<qsizetype>(quantos, 1 << 16));
    while (r.size() < quantos && !gFalhou) {
      if (gPos == gSegmentos[gSegmento].second) {
        if (gSegmento + 1 >= gSegmentos.size()) {
          gFalhou = true;
          break;
        }
        gPos = gSegmentos[++gSegmento].first;
        largos = (byte() & 1) != 0;
        continue;
      }
      const qsizetype fimSeg = gSegmentos[gSegmento].second;
      const qsizetype cabem = (fimSeg - gPos) / (largos ? 2 : 1);
      const qsizetype n = std::min(cabem, quantos - r.size());
      if (n == 0) {  // half a character left in the record
        gFalhou = true;
        break;
      }
      const char* p = gLivro.constData() + gPos;
      if (largos) {
        for (qsizetype i = 0; i < n; ++i) r += QChar(qFromLittleEndian<quint16>(p + 2 * i));
        gPos += 2 * n;
      } else {
        r += QLatin1StringView(p, n);
        gPos += n;
      }
    }
    return r;
  }
  // A BIFF8 text with a 16-bit length (XLUnicodeString).
  QString textoUnicode() {
    const quint16 quantos = palavra();
    const quint8 opcoes = byte();
    return texto(quantos, (opcoes & 1) != 0);
  }

 private:
  bool disponivel() {
    while (gPos >= gSegmentos[gSegmento].second) {
      if (gSegmento + 1 >= gSegmentos.size()) {
        gFalhou = true;
        return false;
      }
      gPos = gSegmentos[++gSegmento].first;
    }
    return true;
  }
  const QByteArray& gLivro;
  QList<std::pair<qsizetype, qsizetype>> gSegmentos;
  qsizetype gSegmento = 0;
  qsizetype gPos = 0;
  bool gFalhou = false;
};

}  // namespace

CLLeitorXls::CLLeitorXls(QString caminho, const LimitesPlanilha& limites)
    : gCaminho(std::move(caminho)), gLimites(limites), gMesclagens(limites.maxLinhas, limites.maxColunas) {}

CLLeitorXls::~CLLeitorXls() = default;

bool CLLeitorXls::lerRegistro(qsizetype pos, Registro& r) const {
  if (pos < 0 || pos + kTamanhoCabecalho > gLivro.size()) return false;
  r.tipo = u16(gLivro.constData() + pos);
  r.tamanho = u16(gLivro.constData() + pos + 2);
  r.dados = pos + kTamanhoCabecalho;
  r.proximo = r.dados + r.tamanho;
  return r.proximo <= gLivro.size();
}

QString CLLeitorXls::textoBytes(const char* dados, qsizetype tamanho) const {
  return decodificarWindows1252(QByteArray(dados, tamanho));
}

bool CLLeitorXls::abrir(QString& erro) {
  CLArquivoOle ole;
  if (!ole.abrir(gCaminho, erro)) return false;
  // Excel 97 and later name the stream "Workbook", Excel 5 and 95 "Book".
  const QString nome = ole.existe(QStringLiteral("Workbook")) ? QStringLiteral("Workbook") : QStringLiteral("Book");
  if (!ole.existe(nome)) {
    erro = QStringLiteral("O arquivo não é uma planilha que o Mivo saiba ler (.xlsx, .xls ou .ods).");
    return false;
  }
  if (!ole.lerFluxo(nome, gLimites.maxParte, gLivro, erro)) return false;
  return lerGlobais(erro);
}

bool CLLeitorXls::lerGlobais(QString& erro) {
  const QString danificado = mensagemDanificado();
  Registro r;
  if (!lerRegistro(0, r) || r.tipo != kBof || r.tamanho < 4) {
    erro = danificado;
    return false;
  }
  const quint16 versao = u16(gLivro.constData() + r.dados);
  if (versao == 0x0600) {
    gVersao = 8;
  } else if (versao == 0x0500) {
    gVersao = 5;
  } else {
    erro = QStringLiteral("Esta planilha é de uma versão do Excel anterior à 5.0, que o Mivo não sabe ler. "
                          "Abra-a no seu programa de planilhas, salve-a como .xlsx e importe a cópia.");
    return false;
  }
  QHash<int, QString> formatos;  // FORMAT records by number format id
  QList<int> formatoDoXf;
  bool sst = false;
  for (qsizetype pos = r.proximo; lerRegistro(pos, r); pos = r.proximo) {
    const char* d = gLivro.constData() + r.dados;
    switch (r.tipo) {
      case kSenha:
        erro = mensagemSenha();
        return false;
      case kDataMode1904:
        if (r.tamanho >= 2) gData1904 = u16(d) == 1;
        break;
      case kFormato:
        if (r.tamanho >= 3) {
          if (gVersao == 8) {
            CLDadosContinuos c(gLivro, r, 2);
            formatos.insert(u16(d), c.textoUnicode());
          } else {
            formatos.insert(u16(d), textoBytes(d + 3, std::min<qsizetype>(quint8(d[2]), r.tamanho - 3)));
          }
        }
        break;
      case kXf:
        if (r.tamanho >= 4) formatoDoXf << u16(d + 2);
        break;
      case kTextoCompartilhado:
        if (!sst && !lerTextosCompartilhados(r)) {
          erro = danificado;
          return false;
        }
        sst = true;
        break;
      case kFolha:
        // The type of sheet is the byte after the position and the
        // visibility: 0 for a worksheet (charts and macros are not).
        if (r.tamanho >= 6 && quint8(d[5]) == 0) {
          if (++gPlanilhas == 1) gInicioFolha = u32(d);
        }
        break;
      default:
        break;
    }
    if (r.tipo == kEof) break;
  }
  if (gPlanilhas < 1) {
    erro = QStringLiteral("A pasta de trabalho não tem nenhuma planilha de dados.");
    return false;
  }
  if (!lerRegistro(gInicioFolha, r) || r.tipo != kBof) {
    erro = danificado;
    return false;
  }
  QHash<int, CLFormatoNumero> lidos;
  for (int id : formatoDoXf) {
    auto it = lidos.find(id);
    if (it == lidos.end()) it = lidos.insert(id, CLFormatoNumero(formatos.value(id, formatoEmbutido(id))));
    gFormatosXf << *it;
  }
  return true;
}

bool CLLeitorXls::lerTextosCompartilhados(const Registro& sst) {
  if (sst.tamanho < 8) return false;
  CLDadosContinuos c(gLivro, sst, 8);
  const quint32 unicos = u32(gLivro.constData() + sst.dados + 4);
  // No room is taken on the count's word: each text takes 3 bytes at least.
  gTextos.reserve(qsizetype(std::min<qint64>(unicos, gLivro.size() / 3)));
  while (quint32(gTextos.size()) < unicos && !c.fim()) {
    const quint16 quantos = c.palavra();
    const quint8 opcoes = c.byte();
    const quint16 trechos = (opcoes & 0x08) ? c.palavra() : 0;  // rich text runs
    const quint32 fonetica = (opcoes & 0x04) ? c.palavraDupla() : 0;
    gTextos << c.texto(quantos, (opcoes & 1) != 0);
    c.pular(qint64(trechos) * 4);
    c.pular(fonetica);
    if (c.falhou()) break;  // a cut text: the ones before it still count
  }
  return true;
}

bool CLLeitorXls::prepararPrimeira(const PedidoParada& parar, QString& erro) {
  // One look at the worksheet's records: its merged ranges (listed after
  // its cells) and whether its cells come in the order of their rows.
  Registro r;
  int profundidade = 0;
  quint32 ultima = 0;
  std::vector<std::pair<int, int>> faixas;
  qint64 contados = 0;
  for (qsizetype pos = gInicioFolha; lerRegistro(pos, r); pos = r.proximo) {
    if (++contados % 65536 == 0 && parar && parar()) return false;
    if (r.tipo == kBof) ++profundidade;
    else if (r.tipo == kEof && --profundidade == 0) break;
    if (profundidade != 1) continue;
    const char* d = gLivro.constData() + r.dados;
    if (ehCelula(r.tipo) && r.tamanho >= 4) {
      const quint32 linha = u16(d);
      if (linha < ultima) gEmOrdem = false;
      ultima = linha;
    } else if (r.tipo == kMesclagem && r.tamanho >= 2) {
      const qsizetype n = std::min<qsizetype>(u16(d), (r.tamanho - 2) / 8);
      for (qsizetype i = 0; i < n; ++i) {
        const char* f = d + 2 + 8 * i;
        const int l0 = u16(f), l1 = u16(f + 2), c0 = u16(f + 4), c1 = u16(f + 6);
        if (l1 < l0 || c1 < c0 || (l0 == l1 && c0 == c1)) continue;
        gMesclagens.adicionar(l0 + 1, c0 + 1, l1 + 1, c1 + 1);
        if (l0 < gLimites.maxLinhas && c0 < gLimites.maxColunas)
          faixas.emplace_back(l0, std::min(l1, gLimites.maxLinhas - 1));
      }
    }
  }
  gMesclagens.ordenar();
  // The rows the ranges cover, as disjoint spans.
  std::sort(faixas.begin(), faixas.end());
  for (const auto& f : faixas) {
    if (!gFaixasMescladas.empty() && f.first <= gFaixasMescladas.back().second + 1)
      gFaixasMescladas.back().second = std::max(gFaixasMescladas.back().second, f.second);
    else
      gFaixasMescladas.push_back(f);
  }
  if (!gEmOrdem) {
    profundidade = 0;
    for (qsizetype pos = gInicioFolha; lerRegistro(pos, r); pos = r.proximo) {
      if (r.tipo == kBof) ++profundidade;
      else if (r.tipo == kEof && --profundidade == 0) break;
      if (profundidade == 1 && ehCelula(r.tipo) && r.tamanho >= 4) {
        const quint32 linha = u16(gLivro.constData() + r.dados);
        if (linha < quint32(gLimites.maxLinhas)) gIndice.emplace_back(linha, quint32(pos));
      }
    }
    std::stable_sort(gIndice.begin(), gIndice.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
  }
  gPos = gInicioFolha;
  erro.clear();
  return true;
}

bool CLLeitorXls::proximoRegistroDeCelula(Registro& r) {
  if (gTemPendente) {
    r = gPendente;
    return true;
  }
  if (!gEmOrdem) {
    if (gProximoIndice >= gIndice.size() || !lerRegistro(gIndice[gProximoIndice].second, r)) return false;
    ++gProximoIndice;
  } else {
    for (;;) {
      if (!lerRegistro(gPos, r)) return false;
      gPos = r.proximo;
      if (r.tipo == kBof) ++gProfundidade;
      else if (r.tipo == kEof && --gProfundidade == 0) return false;
      if (gProfundidade == 1 && ehCelula(r.tipo) && r.tamanho >= 4) break;
    }
  }
  gPendente = r;
  gTemPendente = true;
  return true;
}

int CLLeitorXls::proximaLinhaMesclada(int linha) {
  while (gFaixaAtual < gFaixasMescladas.size() && gFaixasMescladas[gFaixaAtual].second < linha) ++gFaixaAtual;
  if (gFaixaAtual >= gFaixasMescladas.size()) return INT_MAX;
  return std::max(linha, gFaixasMescladas[gFaixaAtual].first);
}

bool CLLeitorXls::proximaLinha(int& numero, QStringList& celulas, QString& erro) {
  celulas.clear();
  Registro r;
  bool tem = proximoRegistroDeCelula(r);
  // A row with no value of its own that a merged range covers still comes,
  // to be filled from the range.
  const int linha = std::min(tem ? int(u16(gLivro.constData() + r.dados)) : INT_MAX,
                             proximaLinhaMesclada(gUltimaLinha + 1));
  if (linha == INT_MAX || linha >= gLimites.maxLinhas) return false;
  while (tem && int(u16(gLivro.constData() + r.dados)) == linha) {
    lerCelula(r, celulas);
    gTemPendente = false;
    tem = proximoRegistroDeCelula(r);
  }
  gUltimaLinha = linha;
  numero = linha + 1;
  gMesclagens.aplicar(numero, celulas);
  gMemoria += 56 * qint64(celulas.size());
  for (const QString& c : celulas) gMemoria += 2 * c.size();
  if (gMemoria > gLimites.maxMemoriaLinhas) {
    erro = QStringLiteral("A planilha é grande demais para ser importada: os dados das suas primeiras "
                          "%1 linhas passam de %2 MB.")
               .arg(gLimites.maxLinhas)
               .arg(gLimites.maxMemoriaLinhas >> 20);
    return false;
  }
  return true;
}

QString CLLeitorXls::textoNumero(int xf, double valor) const {
  if (xf >= 0 && xf < gFormatosXf.size()) return gFormatosXf[xf].formatar(valor, gData1904);
  return numeroGeral(valor);
}

QString CLLeitorXls::textoDaFormula(const Registro& formula) const {
  const char* d = gLivro.constData() + formula.dados;
  const int xf = u16(d + 4);
  const char* v = d + 6;
  if (u16(v + 6) != 0xFFFF) return textoNumero(xf, numeroIeee(v));
  switch (quint8(v[0])) {
    case 1: return textoBooleano(v[2] != 0);
    case 2: return textoErro(quint8(v[2]));
    case 0: break;  // a text, in the STRING record that follows
    default: return QString();
  }
  Registro r;
  for (qsizetype pos = formula.proximo; lerRegistro(pos, r); pos = r.proximo) {
    if (r.tipo == kFormulaCompartilhada || r.tipo == kMatriz || r.tipo == kTabela) continue;
    if (r.tipo != kTextoDaFormula || r.tamanho < 2) break;
    if (gVersao == 8) return CLDadosContinuos(gLivro, r, 0).textoUnicode();
    const char* t = gLivro.constData() + r.dados;
    return textoBytes(t + 2, std::min<qsizetype>(u16(t), r.tamanho - 2));
  }
  return QString();
}

void CLLeitorXls::lerCelula(const Registro& r, QStringList& celulas) const {
  const char* d = gLivro.constData() + r.dados;
  const int coluna = u16(d + 2);
  auto por = [&](int c, QString texto) {
    if (c >= std::min(gLimites.maxColunas, gColunas) || texto.isEmpty()) return;
    if (celulas.size() <= c) celulas.resize(c + 1);
    celulas[c] = std::move(texto);
  };
  switch (r.tipo) {
    case kNumero:
      if (r.tamanho >= 14) por(coluna, textoNumero(u16(d + 4), numeroIeee(d + 6)));
      break;
    case kRk:
      if (r.tamanho >= 10) por(coluna, textoNumero(u16(d + 4), numeroRk(u32(d + 6))));
      break;
    case kMulRk:
      for (qsizetype i = 0; 4 + 6 * i + 6 <= r.tamanho; ++i) {
        const char* x = d + 4 + 6 * i;
        por(coluna + int(i), textoNumero(u16(x), numeroRk(u32(x + 2))));
      }
      break;
    case kRotuloSst:
      if (r.tamanho >= 10) {
        const quint32 indice = u32(d + 6);
        if (indice < quint32(gTextos.size())) por(coluna, gTextos[indice]);
      }
      break;
    case kRotulo:
    case kRichString5:
      if (r.tamanho >= 8) {
        if (gVersao == 8) por(coluna, CLDadosContinuos(gLivro, r, 6).textoUnicode());
        else por(coluna, textoBytes(d + 8, std::min<qsizetype>(u16(d + 6), r.tamanho - 8)));
      }
      break;
    case kBoolErro:
      if (r.tamanho >= 8) por(coluna, d[7] ? textoErro(quint8(d[6])) : textoBooleano(d[6] != 0));
      break;
    case kFormula:
      if (r.tamanho >= 14) por(coluna, textoDaFormula(r));
      break;
    default:
      break;
  }
}

}  // namespace mivo
