#include "unCLGravador.h"

#include <bitset>

#include "unCLDesktop.h"
#include "unUtil.h"

namespace mivo {

namespace {
constexpr int kUltimoCodigo = 500;
constexpr int kF10 = 121;
}  // namespace

CLGravador::CLGravador(CLDesktop& desktop, Relogio agora) : gDesktop(desktop), gAgora(std::move(agora)) {}

int CLGravador::localizarTecla() {
  // One look at the system per step: codes beyond 254 are never down.
  const std::bitset<256> pressionadas = gDesktop.teclasPressionadas();
  auto segura = [&pressionadas](int tecla) { return tecla > 0 && tecla < 256 && pressionadas[tecla]; };
  if (gLastKey != 0 && !segura(gLastKey)) gSuprimir = false;
  for (int tecla = 0; tecla <= kUltimoCodigo; ++tecla) {
    if (!segura(tecla)) continue;
    if (gSuprimir) return 0;
    gSuprimir = true;
    return tecla;
  }
  return 0;
}

CLGravador::Gravado CLGravador::passo(bool scriptTemLinhas) {
  Gravado g;
  const int tecla = localizarTecla();
  if (tecla == kF10) {
    g.parar = true;
    return g;
  }
  if (tecla == 0) return g;
  QString texto = charToString(tecla);
  if (gLastKey == 16) texto = texto.toUpper();
  gLastKey = tecla;
  const qint64 agora = gAgora();
  // Whole seconds since the last action; the first action of all has none
  // to measure from.
  if (gLastAction >= 0 && scriptTemLinhas) {
    const qint64 segundos = (agora - gLastAction) / 1000;
    if (segundos >= 1) g.linhas << QStringLiteral("&Pausar(%1).").arg(segundos);
  }
  if (tecla == tecla::kBotaoEsquerdo || tecla == tecla::kBotaoDireito)
    g.linhas += getMouseString(tecla);
  else
    g.linhas << QStringLiteral("&TeclarID(%1). //").arg(tecla) + texto;
  gLastAction = agora;
  g.tecla = tecla;
  g.texto = texto;
  return g;
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
