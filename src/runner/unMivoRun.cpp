#include "unMivoRun.h"

#include <QFileInfo>

#include "unCLExecucao.h"
#include "unCLScript.h"
#include "unUtil.h"

namespace mivo {

namespace {

struct OpcoesRun {
  QString script;
  QString respostas;
  QList<std::pair<QString, QString>> parametros;
  bool debug = false;
  bool semEspera = false;
  bool silencioso = false;
  bool ajuda = false;
  bool simular = false;
  QString cenario;
  QString log;
};

// Fills `op` from the command line; returns an error message, or empty.
QString lerOpcoes(const QStringList& args, OpcoesRun& op) {
  for (qsizetype i = 0; i < args.size(); ++i) {
    const QString& a = args[i];
    auto valor = [&](QString& destino) -> QString {
      if (i + 1 >= args.size()) return QStringLiteral("a opção %1 precisa de um valor").arg(a);
      destino = args[++i];
      return {};
    };
    QString erro;
    if (a == QLatin1String("--respostas")) {
      erro = valor(op.respostas);
    } else if (a == QLatin1String("--log")) {
      erro = valor(op.log);
    } else if (a == QLatin1String("--param")) {
      QString p;
      erro = valor(p);
      if (erro.isEmpty()) {
        const qsizetype igual = p.indexOf(u'=');
        if (igual <= 0) return QStringLiteral("--param espera NOME=VALOR, recebeu \"%1\"").arg(p);
        op.parametros.append({p.left(igual), p.mid(igual + 1)});
      }
    } else if (a == QLatin1String("--cenario")) {
      erro = valor(op.cenario);
      op.simular = true;
    } else if (a == QLatin1String("--simular")) {
      op.simular = true;
    } else if (a == QLatin1String("--debug")) {
      op.debug = true;
    } else if (a == QLatin1String("--sem-espera")) {
      op.semEspera = true;
    } else if (a == QLatin1String("--silencioso")) {
      op.silencioso = true;
    } else if (a == QLatin1String("--ajuda") || a == QLatin1String("-h") ||
               a == QLatin1String("--help")) {
      op.ajuda = true;
    } else if (a.startsWith(QLatin1String("--"))) {
      return QStringLiteral("opção desconhecida: %1").arg(a);
    } else if (op.script.isEmpty()) {
      op.script = a;
    } else {
      return QStringLiteral("só um script por vez (recebeu \"%1\" e \"%2\")").arg(op.script, a);
    }
    if (!erro.isEmpty()) return erro;
  }
  if (!op.ajuda && op.script.isEmpty()) return QStringLiteral("informe o script a executar");
  return {};
}

}  // namespace

QString textoAjudaMivoRun() {
  return QStringLiteral(
      "Uso: mivo-run [opções] SCRIPT.mivo\n"
      "Executa um script do Mivo sem janelas.\n"
      "\n"
      "Opções:\n"
      "  --respostas ARQ      respostas para perguntas e entradas de valor, uma por linha,\n"
      "                       usadas em ordem; \\n dentro de uma linha é uma quebra de linha\n"
      "  --param NOME=VALOR   variável inicial acrescentada antes da execução (repetível)\n"
      "  --debug              liga a \"Debugação\" (pergunta antes de cada função)\n"
      "  --sem-espera         pausas e esperas correm num relógio virtual e voltam na hora\n"
      "  --log ARQ            ao final, grava o log da execução em ARQ, uma entrada por linha\n"
      "  --silencioso         não mostra as entradas do log (diálogos e erros continuam)\n"
      "  --simular            usa uma área de trabalho simulada e mostra cada ação como\n"
      "                       uma linha \"Desktop: ...\"\n"
      "  --cenario ARQ        estado inicial da área de trabalho simulada, em JSON\n"
      "                       (implica --simular)\n"
      "  --ajuda              mostra esta ajuda\n"
      "\n"
      "Código de saída: 0 o script chegou ao fim; 1 um erro encerrou a execução;\n"
      "2 erro de uso ou script ilegível; 3 a execução foi interrompida.");
}

int executarMivoRun(const QStringList& argumentos, const CLTerminal& terminal) {
  OpcoesRun op;
  const QString erroUso = lerOpcoes(argumentos, op);
  if (!erroUso.isEmpty()) {
    terminal.escreverErro(QStringLiteral("mivo-run: ") + erroUso);
    terminal.escreverErro(QStringLiteral("Use \"mivo-run --ajuda\" para ver as opções."));
    return saida::kUso;
  }
  if (op.ajuda) {
    for (const QString& l : textoAjudaMivoRun().split(u'\n')) terminal.escrever(l);
    return saida::kFim;
  }

  QString texto, erro;
  if (!lerArquivoTexto(op.script, texto, &erro)) {
    terminal.escreverErro(QStringLiteral("mivo-run: não foi possível ler o script \"%1\"").arg(op.script));
    return saida::kUso;
  }
  QStringList respostas;
  if (!op.respostas.isEmpty()) {
    QString conteudo;
    if (!lerArquivoTexto(op.respostas, conteudo)) {
      terminal.escreverErro(
          QStringLiteral("mivo-run: não foi possível ler o arquivo de respostas \"%1\"").arg(op.respostas));
      return saida::kUso;
    }
    respostas = dividirLinhas(conteudo);
  }

  CLHostConsole host(terminal, op.semEspera);
  if (!op.respostas.isEmpty()) host.setRespostas(respostas);
  host.setSilencioso(op.silencioso);
  host.setRegistraLog(!op.silencioso || !op.log.isEmpty());
  host.setDebugAtivo(op.debug);
  host.setEditorTexto(texto);
  if (op.simular) {
    const QString erroDesktop = host.usarDesktopSimulado(op.cenario);
    if (!erroDesktop.isEmpty()) {
      terminal.escreverErro(QStringLiteral("mivo-run: ") + erroDesktop);
      return saida::kUso;
    }
  }

  CLScript script(host);
  for (const auto& [nome, valor] : op.parametros) script.gValores.acrescentar(nome, valor);
  prepararInicio(script, dividirLinhas(texto));
  const ResultadoExecucao r = rodarScript(script);
  host.concluirLog();
  if (r.fim == FimExecucao::ErroFatal && op.silencioso) host.escrever(r.mensagem);
  if (r.fim == FimExecucao::SemDesktop) terminal.escreverErro(QStringLiteral("mivo-run: ") + r.mensagem);

  if (!op.log.isEmpty()) {
    QString conteudo;
    for (const EntradaLog& e : host.log()) conteudo += quebrasComoBarraN(e.texto) + u'\n';
    if (!gravarArquivo(op.log, conteudo.toUtf8(), &erro)) terminal.escreverErro(QStringLiteral("mivo-run: ") + erro);
  }

  switch (r.fim) {
    case FimExecucao::Normal: return saida::kFim;
    case FimExecucao::Parado: return saida::kParado;
    case FimExecucao::SemDesktop: return saida::kUso;
    case FimExecucao::ErroFatal:
    case FimExecucao::Erro: return saida::kErro;
  }
  return saida::kErro;
}

}  // namespace mivo
