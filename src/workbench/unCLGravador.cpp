#include "unCLGravador.h"

#include <algorithm>
#include <cstdlib>

#include "unUtil.h"

namespace mivo {

namespace {
constexpr int kUltimoCodigo = 500;
constexpr int kF10 = 121;
constexpr int kShiftEsquerdo = 160, kAltDireito = 165;

// The left and right codes of Shift, Ctrl and Alt and the code of both.
int teclaDosDois(int lado) { return tecla::kShift + (lado - kShiftEsquerdo) / 2; }

// Held with another key, these make a combination, which is not recorded.
bool fazCombinacao(int t) {
  return t == tecla::kCtrl || t == tecla::kAlt || t == 91 || t == 92 || (t >= 162 && t <= kAltDireito);
}

bool ehShift(int t) { return t == tecla::kShift || t == kShiftEsquerdo || t == kShiftEsquerdo + 1; }

// A text that types something visible: no control characters.
bool imprimivel(const std::u16string& texto) {
  if (texto.empty()) return false;
  for (const char16_t c : texto) {
    if (c < 0x20 || (c >= 0x7F && c < 0xA0)) return false;
  }
  return true;
}
}  // namespace

CLGravador::CLGravador(CLDesktop& desktop, Relogio agora) : gDesktop(desktop), gAgora(std::move(agora)) {}

int CLGravador::localizarTecla() { return localizar(gDesktop.teclasPressionadas()); }

int CLGravador::localizar(const std::bitset<256>& pressionadas) {
  // Codes beyond 254 are never down: one look at the system covers them.
  gTomadas &= pressionadas;
  bool combinacao = false;
  for (int t = 0; t < 256; ++t) combinacao = combinacao || (fazCombinacao(t) && gTomadas[t]);
  for (int t = 1; t <= 254; ++t) {
    if (!pressionadas[t] || gTomadas[t]) continue;
    gTomadas[t] = true;
    if (t >= kShiftEsquerdo && t <= kAltDireito && pressionadas[teclaDosDois(t)]) continue;
    const bool modificador = ehShift(t) || fazCombinacao(t);
    if (combinacao && !modificador && t != tecla::kBotaoEsquerdo && t != tecla::kBotaoDireito) continue;
    return t;
  }
  return 0;
}

CLGravador::Gravado CLGravador::passo(bool scriptTemLinhas) {
  Gravado g;
  bool temLinhas = scriptTemLinhas;
  const std::bitset<256> pressionadas = gDesktop.teclasPressionadas();
  const qint64 agora = gAgora();

  // Releases first: they end what an earlier press began.
  if (gShift.ativo && !pressionadas[tecla::kShift] && !pressionadas[kShiftEsquerdo] &&
      !pressionadas[kShiftEsquerdo + 1]) {
    // Shift alone, no character took it: written as designed.
    escreverShift(g, temLinhas);
    gShift = {};
  }
  if (gBotao.ativo && !pressionadas[tecla::kBotaoEsquerdo]) soltarBotao(g, temLinhas, agora);

  const int t = localizar(pressionadas);
  if (t == kF10) {
    // What still waited is dropped with the recording.
    gShift = {};
    gBotao = {};
    gAcento = 0;
    g.parar = true;
    return g;
  }
  if (t == 0) return g;
  if (ehShift(t)) {
    gShift = {true, false, agora};
  } else if (t == tecla::kBotaoEsquerdo) {
    gBotao = {true, gDesktop.cursorPosicao(), agora};
  } else if (t == tecla::kBotaoDireito) {
    escrever(g, temLinhas, t, charToString(t), getMouseString(t), agora, agora);
  } else {
    teclaComum(g, temLinhas, t, agora);
  }
  return g;
}

void CLGravador::teclaComum(Gravado& g, bool& temLinhas, int t, qint64 agora) {
  const char32_t acento = gAcento;
  const TextoTecla digitado = gDesktop.teclaTexto(t, acento, true);
  if (digitado.acento != 0) {
    // A dead key types nothing yet: its accent goes on the next letter.
    gAcento = digitado.acento;
    if (gShift.ativo) gShift.usado = true;
    return;
  }
  gAcento = 0;
  if (imprimivel(digitado.texto) && (acento != 0 || gDesktop.teclaTexto(t, 0, false).texto != digitado.texto)) {
    // The code alone would type something else (or nothing): the character
    // itself is written.
    if (gShift.ativo) gShift.usado = true;
    const QString texto = QString::fromStdU16String(digitado.texto);
    escrever(g, temLinhas, t, texto, {linhaTexto(texto)}, agora, agora);
    return;
  }
  escreverShift(g, temLinhas);
  QString texto = charToString(t);
  // After a recorded Shift the key is shown in capitals.
  if (gLastKey == tecla::kShift) texto = texto.toUpper();
  escrever(g, temLinhas, t, texto, {QStringLiteral("&TeclarID(%1). //").arg(t) + texto}, agora, agora);
}

void CLGravador::escreverShift(Gravado& g, bool& temLinhas) {
  if (!gShift.ativo || gShift.usado) return;
  gShift.usado = true;
  const QString texto = charToString(tecla::kShift);
  escrever(g, temLinhas, tecla::kShift, texto, {QStringLiteral("&TeclarID(16). //") + texto}, gShift.quando,
           gShift.quando);
}

void CLGravador::soltarBotao(Gravado& g, bool& temLinhas, qint64 agora) {
  const PontoTela de = gBotao.ponto;
  const PontoTela ate = gDesktop.cursorPosicao();
  const qint64 quando = gBotao.quando;
  gBotao = {};
  if (std::abs(ate.x - de.x) >= kDistanciaArrasto || std::abs(ate.y - de.y) >= kDistanciaArrasto) {
    escrever(g, temLinhas, tecla::kBotaoEsquerdo, charToString(tecla::kBotaoEsquerdo),
             {QStringLiteral("&MouseArrastar(%1;%2;%3;%4).").arg(de.x).arg(de.y).arg(ate.x).arg(ate.y)}, quando,
             agora);
    return;
  }
  const QString ponto = QStringLiteral("%1;%2").arg(de.x).arg(de.y);
  escrever(g, temLinhas, tecla::kBotaoEsquerdo, charToString(tecla::kBotaoEsquerdo),
           {QStringLiteral("&MouseNormal(") + ponto + QStringLiteral(")."),
            QStringLiteral("&MouseClicarAcao(") + ponto + QStringLiteral(").")},
           quando, quando);
}

void CLGravador::escrever(Gravado& g, bool& temLinhas, int t, const QString& texto, const QStringList& linhas,
                          qint64 quando, qint64 fim) {
  // A Shift press still waiting went down before this action.
  if (t != tecla::kShift) escreverShift(g, temLinhas);
  // Whole seconds since the last action; the first action of all has none
  // to measure from.
  if (gLastAction >= 0 && temLinhas) {
    const qint64 segundos = (quando - gLastAction) / 1000;
    if (segundos >= 1) g.linhas << QStringLiteral("&Pausar(%1).").arg(segundos);
  }
  g.linhas += linhas;
  temLinhas = true;
  g.linhasTecla.append({t, texto});
  g.tecla = t;
  g.texto = texto;
  gLastKey = t;
  gLastAction = std::max(gLastAction, fim);
}

QString CLGravador::linhaTexto(const QString& texto) {
  // "&TextoDigitar" reads its text without expanding it: brackets, braces,
  // "\n", "|" and quotes inside the outer pair are typed as written. Only
  // blanks at either end would be lost, and runs of blanks and blanks next
  // to ";" are squeezed when the statement is read: a blank is typed by its
  // own key instead.
  return QStringLiteral("&TextoDigitar(\"") + texto + QStringLiteral("\").");
}

QString CLGravador::charToString(int tecla) {
  switch (tecla) {
    case 1: return QStringLiteral("Mouse (ação)");
    case 2: return QStringLiteral("Mouse (menu)");
    case 9: return QStringLiteral("TAB");
    case 16: return QStringLiteral("SHIFT");
    case 17: return QStringLiteral("CTRL");
    case 18: return QStringLiteral("ALT");
    case 27: return QStringLiteral("ESC");
    case 32: return QStringLiteral(" ");
    case 33: return QStringLiteral("PAGEUP");
    case 34: return QStringLiteral("PAGEDOWN");
    case 35: return QStringLiteral("END");
    case 36: return QStringLiteral("HOME");
    case 44: return QStringLiteral("PRINTSCREEN");
    case 46: return QStringLiteral("DELETE");
    case 58: return QStringLiteral(":");
    case 64: return QStringLiteral("@");
    case 91: return QStringLiteral("WINDOWS");
    case 107: return QStringLiteral("+");
    case 109: return QStringLiteral("-");
    case 186: return QStringLiteral("ç");
    case 193: return QStringLiteral("/");
    case 226: return QStringLiteral("\\");
    default: break;
  }
  if (tecla >= 48 && tecla <= 57) return QString(QChar(tecla));
  if (tecla >= 65 && tecla <= 90) return QString(QChar(tecla + 32));
  if (tecla >= 112 && tecla <= 123) return QStringLiteral("F%1").arg(tecla - 111);
  return {};
}

QStringList CLGravador::getMouseString(int tipo) const {
  const PontoTela p = gDesktop.cursorPosicao();
  const QString ponto = QStringLiteral("%1;%2").arg(p.x).arg(p.y);
  return {QStringLiteral("&MouseNormal(") + ponto + QStringLiteral(")."),
          (tipo == tecla::kBotaoDireito ? QStringLiteral("&MouseClicarMenu(") : QStringLiteral("&MouseClicarAcao(")) +
              ponto + QStringLiteral(").")};
}

QStringList CLGravador::tabelaCaracteres() {
  QStringList linhas;
  for (int codigo = 0; codigo <= kUltimoCodigo; ++codigo) {
    const QString caractere(QChar(static_cast<char16_t>(codigo)));
    // Blanks and control characters have nothing to show.
    if (aparar(caractere).isEmpty() || QChar(codigo).category() == QChar::Other_Control) continue;
    linhas << QStringLiteral("%1 -> ").arg(codigo) + caractere;
  }
  return linhas;
}

}  // namespace mivo
