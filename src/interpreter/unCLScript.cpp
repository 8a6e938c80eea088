#include "unCLScript.h"

#include "unCLErro.h"
#include "unCatalogo.h"
#include "unLeitura.h"
#include "unUtil.h"

namespace mivo {

namespace {

const QLatin1String kMarcadoresFim[] = {
    QLatin1String("##config_fim"), QLatin1String("##info_fim"),
    QLatin1String("##parametros_fim"), QLatin1String("##pre_carregar_fim")};

constexpr int kMaxArgumentoNoLog = 500;

}  // namespace

CLScript::CLScript(CLHost& host, CLDesktop* desktop)
    : gHost(host), gDesktop(desktop), gGradePropria(std::make_unique<CLGrade>()) {
  gGrid = gGradePropria.get();
}

CLScript::~CLScript() = default;

QString CLScript::getParamValue(const QString& valor) { return leitura::getParamValue(valor); }
QStringList CLScript::getParams2(const QString& valor) { return leitura::getParams2(valor); }
QString CLScript::getNextFunctionName(const QString& valor) {
  return leitura::getNextFunctionName(valor);
}

int CLScript::getStartLine() const {
  // The section that ends last in the text decides; the run starts on the
  // last line holding its end marker.
  const QString texto = gScript.join(QLatin1String("\r\n"));
  qsizetype maior = -1;
  QLatin1String escolhido;
  for (const QLatin1String& m : kMarcadoresFim) {
    const qsizetype pos = texto.indexOf(m);
    if (pos > maior) {
      maior = pos;
      escolhido = m;
    }
  }
  if (maior < 0) return 0;
  int inicio = 0;
  for (int i = 0; i < gScript.size(); ++i)
    if (gScript[i].toLower().contains(escolhido)) inicio = i;
  return inicio;
}

bool CLScript::loadLine() {
  if (gLine < 0 || gLine >= gScript.size()) return false;
  QString linha = aparar(gScript.at(gLine));

  const qsizetype passo = linha.indexOf(QLatin1String("//*"));
  if (passo >= 0) {
    const QString comentario = aparar(linha.mid(passo + 3));
    if (comentario == QLatin1String("#"))
      gHost.esconderPasso();
    else if (!comentario.isEmpty())
      gHost.mostrarPasso(comentario);
  }

  leitura::removerComentario(linha);
  if (linha.isEmpty()) {
    ++gLine;
    return true;
  }

  if (linha.startsWith(u'&') && !linha.contains(QLatin1String(")."))) {
    const int primeira = gLine;
    while (true) {
      ++gLine;
      if (gLine >= gScript.size()) {
        gHost.mostrarErro(QStringLiteral("A função não está corretamente terminada (linha: %1). "
                                         "O script foi finalizado")
                              .arg(primeira + 1));
        return false;
      }
      QString pedaco = gScript.at(gLine);
      leitura::removerComentario(pedaco);
      pedaco = aparar(pedaco);
      // Only the joint and the new piece can complete the terminator.
      const bool terminou = (linha.endsWith(u')') && pedaco.startsWith(u'.')) ||
                            pedaco.contains(QLatin1String(")."));
      linha += pedaco;
      if (terminou) break;
    }
  }

  gHost.editorSeguir(gLine + 1);
  gHost.bombearEventos();
  ++gLine;
  execFunction(linha);
  gHost.instrucaoConcluida();
  return true;
}

QString CLScript::execFunction(const QString& valor) {
  const QString nome = leitura::nomeDaFuncao(valor);
  if (nome.isEmpty()) return {};
  const QString argumentos = leitura::textoArgumentos(valor);
  const QString palavra = nome.toLower();
  const bool definicaoDeBloco = palavra.contains(QLatin1String("bloco["));
  if (definicaoDeBloco) pularDefinicaoDeBloco();

  if (gHost.registraLog()) {
    QString linhaLog = QStringLiteral("Linha: [") + QString::number(gLine) +
                       QLatin1String("] Executando {") + nome + QLatin1String("... ");
    linhaLog += QStringView(argumentos).left(kMaxArgumentoNoLog);
    linhaLog += u'}';
    gHost.setLogGeral(linhaLog, CorLog::Texto);
  }

  if (gHost.debugAtivo()) {
    gHost.selecionarAbaScript(2);
    gHost.editorSeguir(gLine);
    gHost.bombearEventos();
    const QString resposta = gHost.perguntarSimNao(
        QStringLiteral("Função: ") + nome + QStringLiteral(". Pressione \"Sim\" para continuar"));
    if (resposta != QLatin1String("Sim")) gHost.setParar(true);
  }

  if (palavra == QLatin1String("marcador")) return {};

  QString resultado;
  if (!definicaoDeBloco) {
    const CLFuncao* f = catalogo::procurar(palavra);
    if (f && f->tratador) resultado = f->tratador(*this, argumentos);
  }

  gResultado = resultado;
  if (!aparar(resultado).isEmpty() && gHost.registraLog())
    gHost.editLogGeral(QStringLiteral(" :") + resultado);
  if (gPausaPadrao > 0) pausar(gPausaPadrao);
  return resultado;
}

void CLScript::pularDefinicaoDeBloco() {
  // A block reached in sequence is skipped up to its "&BlocoFim" line.
  const int definicao = gLine;
  while (true) {
    if (gLine < 0 || gLine >= gScript.size())
      throw CLErro(QStringLiteral("O bloco definido na linha %1 não termina com &BlocoFim()")
                       .arg(definicao));
    if (gScript.at(gLine).contains(QLatin1String("&blocofim("), Qt::CaseInsensitive)) return;
    ++gLine;
  }
}

void CLScript::setErroFatal(const QString& texto) {
  gErroFatal = true;
  gErroFatalTexto = texto;
}

QString CLScript::linhaDeErro(const QString& sufixo) const {
  return QStringLiteral("Linha: ") + QString::number(gLine) + sufixo;
}

void CLScript::pausar(int segundos) {
  if (segundos < 0) return;
  const qint64 inicio = gHost.agoraMs();
  qint64 decorridos = 0;
  do {
    if (gHost.parar()) return;
    decorridos = (gHost.agoraMs() - inicio) / 1000;
    gHost.dormir(50);
    gHost.bombearEventos();
  } while (segundos >= decorridos);
}

void CLScript::setProgress(const QString& aOperacao, int aValorMax, const QString& aLegenda1,
                           const QString& aLegenda2, const QString& aLegenda3, int) {
  gHost.progressoAbrir(aOperacao, aValorMax, aLegenda1, aLegenda2, aLegenda3);
}

}  // namespace mivo
