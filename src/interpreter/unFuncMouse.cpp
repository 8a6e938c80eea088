#include "unFuncMouse.h"

#include <algorithm>
#include <limits>

#include "unCLDesktop.h"
#include "unCLScript.h"
#include "unFuncComum.h"
#include "unAguardar.h"
#include "unCLInstrucao.h"
#include "unPontoClique.h"
#include "unUtil.h"

namespace mivo {

namespace {


// Learning a click point: polls of the left button, and the pause between them.
constexpr int kCapturasMaximas = 1001;
constexpr int kIntervaloCapturaMs = 5;

int limitar(qint64 v) {
  return static_cast<int>(std::clamp<qint64>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// Arguments `primeiro` and `primeiro` + 1 as a point.
std::optional<PontoTela> lerPonto(const CLArgumentos& a, int primeiro) {
  if (a.size() < primeiro + 2) return std::nullopt;
  const std::optional<int> x = inteiro(a[primeiro]);
  const std::optional<int> y = inteiro(a[primeiro + 1]);
  if (!x || !y) return std::nullopt;
  return PontoTela{*x, *y};
}

// A negative coordinate counts from the right or bottom edge.
PontoTela quadrante(CLScript& s, PontoTela p) {
  const TamanhoTela t = s.desktop().telaTamanho();
  return {limitar(p.x < 0 ? qint64(p.x) + t.largura : p.x), limitar(p.y < 0 ? qint64(p.y) + t.altura : p.y)};
}

PontoTela centro(CLScript& s, PontoTela p) {
  const TamanhoTela t = s.desktop().telaTamanho();
  return {limitar(qint64(p.x) + t.largura / 2), limitar(qint64(p.y) + t.altura / 2)};
}

PontoTela normal(CLScript&, PontoTela p) { return p; }

QString posicionar(CLScript& s, const CLArgumentos& a, PontoTela (*quadro)(CLScript&, PontoTela)) {
  const std::optional<PontoTela> p = lerPonto(a, 0);
  if (!p) return s.falhaDeSintaxe(a);
  s.desktop().cursorPosicionar(quadro(s, *p));
  return {};
}

BotaoMouse botaoPrimario(CLScript& s) {
  return s.desktop().botoesTrocados() ? BotaoMouse::Direito : BotaoMouse::Esquerdo;
}

BotaoMouse botaoSecundario(CLScript& s) {
  return s.desktop().botoesTrocados() ? BotaoMouse::Esquerdo : BotaoMouse::Direito;
}

// Clicks at `p` when both coordinates are non-zero, otherwise where the
// pointer is; the pointer goes back to where it was.
void clicar(CLScript& s, PontoTela p, BotaoMouse botao) {
  CLDesktop& d = s.desktop();
  const PontoTela antes = d.cursorPosicao();
  const bool mover = p.x != 0 && p.y != 0;
  if (mover) d.cursorPosicionar(p);
  d.botaoPressionar(botao);
  s.host().dormir(1);
  d.botaoSoltar(botao);
  if (mover) d.cursorPosicionar(antes);
}

QString clicarComArgumentos(CLScript& s, const CLArgumentos& a, BotaoMouse botao) {
  const std::optional<PontoTela> p = lerPonto(a, 0);
  if (!p) return s.falhaDeSintaxe(a);
  clicar(s, *p, botao);
  return {};
}

// One notch (120) plus the intensity; an intensity that is not an integer
// counts as 0.
QString rolar(CLScript& s, const CLArgumentos& a, int sentido) {
  const qint64 intensidade = inteiro(a[0]).value_or(0);
  s.desktop().rodaGirar(limitar(sentido * (intensidade + 120)));
  return {};
}

QString aguardarCor(CLScript& s, const CLArgumentos& a, bool noPonto) {
  const QString tipo = a[0].toLower();
  const std::optional<qint64> cor = lerCorRgb(a[1]);
  const std::optional<int> segundos = inteiro(a[2]);
  std::optional<PontoTela> ponto;
  if (noPonto) {
    const std::optional<int> x = inteiro(a[3]), y = inteiro(a[4]);
    if (x && y) ponto = PontoTela{*x, *y};
  }
  if (!cor || !segundos || (noPonto && !ponto)) return s.falhaDeSintaxe(a);
  if (*segundos <= 0) return kFalha;

  CLDesktop& d = s.desktop();
  const bool igual = tipo == QLatin1String("igual");
  const bool diferente = tipo == QLatin1String("diferente");
  const bool achou = aguardarAte(s.host(), qint64(*segundos) * 1000, 50, [&] {
    const qint64 pixel = d.pixelCor(noPonto ? *ponto : d.cursorPosicao());
    return (igual && pixel == *cor) || (diferente && pixel != *cor);
  });
  return achou ? kOk : kFalha;
}

// --- Click points kept for this run only ("line=x;y") -------------------------

QString pontoTemporario(const QStringList& pontos, const QString& chave) {
  const QString prefixo = chave + u'=';
  for (const QString& p : pontos)
    if (p.startsWith(prefixo)) return p.mid(prefixo.size());
  return {};
}

void guardarPontoTemporario(QStringList& pontos, const QString& chave, const QString& valor) {
  const QString prefixo = chave + u'=';
  for (QString& p : pontos) {
    if (p.startsWith(prefixo)) {
      p = prefixo + valor;
      return;
    }
  }
  pontos.append(prefixo + valor);
}

// After the statement on lines primeira..ultima became one line, every
// position below it moves up.
void ajustarPosicoes(CLScript& s, int ultima, int removidas) {
  if (removidas <= 0) return;
  const int primeira = ultima - removidas;
  s.setLinha(s.linha() - removidas);
  if (s.linhaBloco() > ultima)
    s.setLinhaBloco(s.linhaBloco() - removidas);
  else if (s.linhaBloco() > primeira)
    s.setLinhaBloco(primeira + 1);
  for (QString& p : s.cliquesTemporarios()) {
    const qsizetype igual = p.indexOf(u'=');
    bool ok = false;
    const int linha = p.left(igual).toInt(&ok);
    if (ok && linha > ultima) p = QString::number(linha - removidas) + p.mid(igual);
  }
}

// Asks the user to click the described place; the point clicked and confirmed,
// or none.
std::optional<PontoTela> capturarPonto(CLScript& s, const QString& mensagem) {
  CLHost& h = s.host();
  CLDesktop& d = s.desktop();
  h.mostrarInformacao(QStringLiteral("Definição de ponto de clique:\r\n\r\n") + mensagem +
                      QStringLiteral("\r\n\r\nVocê terá cerca de 5 segundos para clicar no local descrito "
                                     "após pressionar o botão \"OK\""));
  std::optional<PontoTela> ponto;
  for (int i = 0; i < kCapturasMaximas && !ponto; ++i) {
    if (d.teclaEstado(tecla::kBotaoEsquerdo) & kTeclaPressionada) {
      ponto = d.cursorPosicao();
    } else {
      h.dormir(kIntervaloCapturaMs);
      h.bombearEventos();
    }
  }
  if (!ponto) return std::nullopt;
  pausarMs(h, 1000);
  if (h.perguntarSimNao(QStringLiteral("O clique foi detectado. Você clicou no ponto solicitado?")) != RespostaSimNao::Sim)
    return std::nullopt;
  return ponto;
}

}  // namespace

std::optional<qint64> lerCorRgb(const QString& texto) {
  QString t = texto.toLower();
  const qsizetype abre = t.indexOf(QLatin1String("rgb["));
  if (abre >= 0) t.remove(abre, 4);
  const qsizetype fecha = t.indexOf(u']');
  if (fecha >= 0) t.remove(fecha, 1);
  const QStringList partes = aparar(t).split(u',');
  if (partes.size() < 3) return std::nullopt;
  qint64 c[3];
  for (int i = 0; i < 3; ++i) {
    const std::optional<int> v = inteiro(partes[i]);
    if (!v) return std::nullopt;
    c[i] = *v % 256;  // keeps the sign, as the screen's colour never does
  }
  return c[0] + 256 * c[1] + 65536 * c[2];
}

QString fnMouseNormal(CLScript& s, const CLArgumentos& a) { return posicionar(s, a, normal); }
QString fnMouseQuadrante(CLScript& s, const CLArgumentos& a) { return posicionar(s, a, quadrante); }
QString fnMouseCentro(CLScript& s, const CLArgumentos& a) { return posicionar(s, a, centro); }

QString fnMouseClicarAcao(CLScript& s, const CLArgumentos& a) {
  return clicarComArgumentos(s, a, botaoPrimario(s));
}

QString fnMouseClicarMenu(CLScript& s, const CLArgumentos& a) {
  return clicarComArgumentos(s, a, botaoSecundario(s));
}

QString fnMouseArrastar(CLScript& s, const CLArgumentos& a) {
  const std::optional<PontoTela> de = lerPonto(a, 0), para = lerPonto(a, 2);
  if (!de || !para) return s.falhaDeSintaxe(a);
  CLDesktop& d = s.desktop();
  const BotaoMouse botao = botaoPrimario(s);
  d.cursorPosicionar(*de);
  d.botaoPressionar(botao);
  s.host().dormir(100);
  d.cursorPosicionar(*para);
  s.host().dormir(100);
  d.botaoSoltar(botao);
  return {};
}

QString fnMouseRolarCima(CLScript& s, const CLArgumentos& a) { return rolar(s, a, 1); }
QString fnMouseRolarBaixo(CLScript& s, const CLArgumentos& a) { return rolar(s, a, -1); }

QString fnMouseAguardarCor(CLScript& s, const CLArgumentos& a) { return aguardarCor(s, a, false); }
QString fnMouseAguardarCorPonto(CLScript& s, const CLArgumentos& a) { return aguardarCor(s, a, true); }

QString fnMouseCliquePerguntar(CLScript& s, const CLArgumentos& a) {
  while (true) {
    const QString& mensagem = a[0];
    QString x = a[1], y = a[2];
    const QString manter = a.size() == 4 ? a[3] : QStringLiteral("sim");
    const QString chave = QString::number(s.linha() - 1);
    const QString temporario = pontoTemporario(s.cliquesTemporarios(), chave);
    if (!temporario.isEmpty()) {
      const qsizetype pv = temporario.indexOf(u';');
      x = temporario.left(pv);
      y = temporario.mid(pv + 1);
    }

    if (x != QLatin1String("0") || y != QLatin1String("0")) {
      const std::optional<int> px = inteiro(x), py = inteiro(y);
      if (!px || !py) return s.falhaDeSintaxe(a);
      // Both the move and the click use the screen-edge frame, so a point
      // written with negative coordinates is clicked where the pointer went.
      const PontoTela alvo = quadrante(s, {*px, *py});
      s.desktop().cursorPosicionar(alvo);
      s.host().bombearEventos();
      s.host().dormir(200);
      clicar(s, alvo, botaoPrimario(s));
      return {};
    }

    const std::optional<PontoTela> ponto = capturarPonto(s, mensagem);
    if (!ponto) {
      if (s.host().perguntarSimNao(QStringLiteral("A definição desse ponto de clique não foi bem sucedida. "
                                                  "Você quer tentar novamente?")) == RespostaSimNao::Sim)
        continue;
      s.host().mostrarErro(QStringLiteral(
          "Sem esse ponto de clique seja configurado, o script não poderá continuar e será encerrado"));
      s.host().encerrarExecucao();
      return {};
    }

    // The user's own click was this execution's click: nothing more is sent.
    if (manter == QLatin1String("sim")) {
      const int ultima = s.linha() - 1;
      QStringList linhas = s.linhas();
      const int removidas = escreverPontoClique(linhas, ultima, ponto->x, ponto->y);
      if (removidas >= 0) {
        s.setLinhas(linhas);
        ajustarPosicoes(s, ultima, removidas);
        s.host().setEditorTexto(linhas.join(QLatin1String("\r\n")));
        s.setUsouCliquePerguntar(true);
        return {};
      }
    }
    guardarPontoTemporario(s.cliquesTemporarios(), chave, QStringLiteral("%1;%2").arg(ponto->x).arg(ponto->y));
    return {};
  }
}

}  // namespace mivo
