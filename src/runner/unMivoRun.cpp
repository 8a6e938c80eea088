#include "unMivoRun.h"

#include <QFileInfo>

#include "unArquivoLista.h"
#include "unCLErro.h"
#include "unCLExecucao.h"
#include "unCLLista.h"
#include "unCLNegOffice.h"
#include "unCLScript.h"
#include "unFuncTexto.h"
#include "unParametrosScript.h"
#include "unPreCarga.h"
#include "unReferencia.h"
#include "unVerificacaoRun.h"
#include "unSecoesScript.h"
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
  bool verificar = false;   // only check the script
  bool estrito = false;     // refuse to run a script with findings
  bool funcoes = false;     // print the reference of the functions
  QString filtroFuncoes;
  bool simular = false;
  QString cenario;
  QString log;
  QString lista, texto, salvarLista, salvarTexto;
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
    } else if (a == QLatin1String("--lista")) {
      erro = valor(op.lista);
    } else if (a == QLatin1String("--texto")) {
      erro = valor(op.texto);
    } else if (a == QLatin1String("--salvar-lista")) {
      erro = valor(op.salvarLista);
    } else if (a == QLatin1String("--salvar-texto")) {
      erro = valor(op.salvarTexto);
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
    } else if (a == QLatin1String("--verificar")) {
      op.verificar = true;
    } else if (a == QLatin1String("--estrito")) {
      op.estrito = true;
    } else if (a == QLatin1String("--funcoes")) {
      op.funcoes = true;
    } else if (a == QLatin1String("--ajuda") || a == QLatin1String("-h") ||
               a == QLatin1String("--help")) {
      op.ajuda = true;
    } else if (a.startsWith(QLatin1String("--"))) {
      return QStringLiteral("opção desconhecida: %1").arg(a);
    } else if (op.funcoes) {
      op.filtroFuncoes = a;  // "--funcoes [filtro]" takes no script
    } else if (op.script.isEmpty()) {
      op.script = a;
    } else {
      return QStringLiteral("só um script por vez (recebeu \"%1\" e \"%2\")").arg(op.script, a);
    }
    if (!erro.isEmpty()) return erro;
  }
  if (op.funcoes && !op.script.isEmpty()) {
    op.filtroFuncoes = op.script;
    op.script.clear();
  }
  if (!op.ajuda && !op.funcoes && op.script.isEmpty()) return QStringLiteral("informe o script a executar");
  return {};
}

}  // namespace

QString textoAjudaMivoRun() {
  return QStringLiteral(
      "Uso: mivo-run [opções] SCRIPT.mivo\n"
      "     mivo-run --verificar [--lista ARQ] SCRIPT.mivo\n"
      "     mivo-run --funcoes [filtro]\n"
      "Executa um script do Mivo sem janelas.\n"
      "\n"
      "Opções:\n"
      "  --respostas ARQ      respostas para perguntas e entradas de valor, uma por linha,\n"
      "                       usadas em ordem; \\n dentro de uma linha é uma quebra de linha\n"
      "  --param NOME=VALOR   variável inicial acrescentada antes da execução (repetível)\n"
      "  --debug              liga a \"Debugação\" (pergunta antes de cada função)\n"
      "  --sem-espera         pausas e esperas correm num relógio virtual e voltam na hora\n"
      "  --log ARQ            grava o log da execução em ARQ, uma entrada por linha, à medida\n"
      "                       que o script roda\n"
      "  --silencioso         não mostra as entradas do log (diálogos e erros continuam)\n"
      "  --simular            usa uma área de trabalho simulada e mostra cada ação como\n"
      "                       uma linha \"Desktop: ...\"\n"
      "  --cenario ARQ        estado inicial da área de trabalho simulada, em JSON\n"
      "                       (implica --simular)\n"
      "  --lista ARQ          carrega uma lista na tabela de dados antes da execução; uma\n"
      "                       planilha (.xlsx, .ods, .xls) é importada: a primeira linha\n"
      "                       da primeira planilha dá o nome das colunas\n"
      "  --texto ARQ          carrega um arquivo no texto auxiliar antes da execução\n"
      "  --salvar-lista ARQ   ao final, grava a tabela de dados inteira em ARQ\n"
      "  --salvar-texto ARQ   ao final, grava o texto auxiliar em ARQ (UTF-8)\n"
      "  --verificar          só verifica o script, sem executar nada: mostra cada problema\n"
      "                       como \"linha N: mensagem\" (saída 0 sem problemas, 4 com)\n"
      "  --estrito            não executa um script em que a verificação acha problemas\n"
      "                       (saída 4); sem ela, os problemas aparecem como avisos e o\n"
      "                       script roda\n"
      "  --funcoes [filtro]   mostra a referência das funções (só as que têm o filtro no nome)\n"
      "  --ajuda              mostra esta ajuda\n"
      "\n"
      "Ctrl+C (ou o sinal SIGTERM) interrompe a execução depois de soltar as teclas e os\n"
      "botões que o Mivo pressionou; F9 pausa a execução (Enter continua, \"e\" e Enter\n"
      "encerram; sem terminal, F9 encerra).\n"
      "\n"
      "Código de saída: 0 o script chegou ao fim; 1 um erro encerrou a execução;\n"
      "2 erro de uso ou script ilegível; 3 a execução foi interrompida;\n"
      "4 a verificação achou problemas (--verificar, --estrito).");
}

namespace {

// A file named on the command line: the working directory first, then the
// program's default folder as scripts resolve names.
QString resolverArquivo(const QString& nome, const QString& pasta) {
  const QFileInfo aqui(nome);
  if (aqui.isFile()) return aqui.absoluteFilePath();
  return getBestPath(nome, pasta);
}

// A spreadsheet given with --lista, imported before the run starts (so that
// a file that cannot be read is a usage error) and put into the data table
// when the script is opened.
struct PlanilhaImportada {
  CLGrade grade;
  QStringList avisos;  // information messages of the import
};

// Puts the imported sheet into the data table, as loading a list does. The
// table then belongs to no file: saving must never write a list over the
// spreadsheet.
void carregarPlanilha(CLHostConsole& host, PlanilhaImportada& planilha) {
  CLLista& lista = host.lista();
  if (lista.gEditou &&
      host.perguntarSimNao(QStringLiteral("Modificações efetuadas na tabela de dados serão perdidas. "
                                          "Deseja continuar")) != RespostaSimNao::Sim)
    throw CLAbortoSilencioso();
  for (const QString& aviso : planilha.avisos) host.mostrarInformacao(aviso);
  lista.gridDados.substituirPor(planilha.grade);  // the rows move, nothing is copied
  lista.gArquivo.clear();
  lista.gLastFile.clear();
  host.showStatus(lista.gridDados);
}

// What opening the script from the command line does: its pre-load section
// runs on the engine that opening creates (its variables stay there), then
// the list and text given on the command line are loaded.
void abrirScript(CLHostConsole& host, const QStringList& documento, const OpcoesRun& op,
                 PlanilhaImportada* planilha) {
  CLScript abertura(host);
  abertura.setGrade(*host.lista().gGrid);
  rodarSecaoPre(abertura, definirConfig(documento, QStringLiteral("##pre_carregar"), true));
  if (planilha) carregarPlanilha(host, *planilha);
  else if (!op.lista.isEmpty()) preCarregarLista(abertura, op.lista);
  if (!op.texto.isEmpty()) preCarregarTexto(abertura, op.texto);
}

// The start variables of a fresh run, as the start-parameters window gives
// them: the parameters of the script (or the values its ".params" file
// remembers), then --param, which replaces a parameter of the same name.
void semearVariaveis(CLScript& script, const QStringList& linhasParametros, const OpcoesRun& op) {
  QList<std::pair<QString, QString>> extras = op.parametros;
  for (const ParametroScript& p : lerParametros(linhasParametros)) {
    QString valor = p.valor;
    for (qsizetype i = 0; i < extras.size(); ++i) {
      if (extras[i].first.compare(p.nome, Qt::CaseInsensitive) == 0) {
        valor = extras[i].second;
        extras.removeAt(i);
        break;
      }
    }
    script.valores().acrescentar(p.nome, valor);
  }
  for (const auto& [nome, valor] : extras) script.valores().acrescentar(nome, valor);
}

QStringList secaoParametros(const QStringList& documento, const QString& caminhoScript) {
  QStringList linhas = definirConfig(documento, QStringLiteral("##parametros"), false);
  if (linhas.isEmpty()) return {};
  QString anterior;
  const QString params = caminhoParametros(QFileInfo(caminhoScript).absoluteFilePath());
  if (!params.isEmpty() && lerArquivoTexto(params, anterior)) linhas = dividirLinhas(anterior);
  return linhas;
}

// Writes what --salvar-lista and --salvar-texto ask for; an error message or empty.
QString salvarResultados(CLHostConsole& host, const OpcoesRun& op) {
  QString erro;
  if (!op.salvarLista.isEmpty()) {
    if (salvarGrade(host.lista().gridDados, op.salvarLista, nullptr, 1, &erro) != Desfecho::Concluido) return erro;
  }
  if (!op.salvarTexto.isEmpty()) {
    const QString texto = textoAuxiliarCompleto(host.textoAuxiliarLinhas());
    if (!gravarArquivo(op.salvarTexto, codificarUtf8ComBom(texto), &erro)) return erro;
  }
  return {};
}

int codigoDeSaida(FimExecucao fim) {
  switch (fim) {
    case FimExecucao::Normal: return saida::kFim;
    case FimExecucao::Parado: return saida::kParado;
    case FimExecucao::SemDesktop: return saida::kUso;
    case FimExecucao::ErroFatal:
    case FimExecucao::Erro: return saida::kErro;
  }
  return saida::kErro;
}

}  // namespace

int executarMivoRun(const QStringList& argumentos, const CLTerminal& terminal, FabricaDesktopHost fabrica) {
  auto falhaDeUso = [&](const QString& mensagem) {
    terminal.escreverErro(QStringLiteral("mivo-run: ") + mensagem);
    return saida::kUso;
  };
  OpcoesRun op;
  const QString erroUso = lerOpcoes(argumentos, op);
  if (!erroUso.isEmpty()) {
    falhaDeUso(erroUso);
    terminal.escreverErro(QStringLiteral("Use \"mivo-run --ajuda\" para ver as opções."));
    return saida::kUso;
  }
  if (op.ajuda) {
    for (const QString& l : textoAjudaMivoRun().split(u'\n')) terminal.escrever(l);
    return saida::kFim;
  }
  if (op.funcoes) {
    for (const QString& l : dividirLinhas(textoReferencia(op.filtroFuncoes))) terminal.escrever(l);
    return saida::kFim;
  }

  QString texto, erro;
  if (!lerArquivoTexto(op.script, texto, &erro))
    return falhaDeUso(QStringLiteral("não foi possível ler o script \"%1\"").arg(op.script));
  QStringList respostas;
  if (!op.respostas.isEmpty()) {
    QString conteudo;
    if (!lerArquivoTexto(op.respostas, conteudo))
      return falhaDeUso(QStringLiteral("não foi possível ler o arquivo de respostas \"%1\"").arg(op.respostas));
    respostas = dividirLinhas(conteudo);
  }
  if (!op.lista.isEmpty()) {
    op.lista = resolverArquivo(op.lista, QStringLiteral("dados\\listas"));
    if (!QFileInfo(op.lista).isFile()) return falhaDeUso(QStringLiteral("a lista \"%1\" não existe").arg(op.lista));
  }
  std::unique_ptr<PlanilhaImportada> planilha;
  if (!op.lista.isEmpty() && CLNegOffice::ehPlanilha(op.lista)) {
    planilha = std::make_unique<PlanilhaImportada>();
    CLAmbienteImportacao ambiente;
    ambiente.informar = [&](const QString& aviso) { planilha->avisos << aviso; };
    const ResultadoImportacao r = CLNegOffice().importar(op.lista, ambiente, planilha->grade);
    if (r.desfecho != Desfecho::Concluido)
      return falhaDeUso(QStringLiteral("não foi possível importar a planilha \"%1\": %2").arg(op.lista, r.mensagem));
  }
  if (!op.texto.isEmpty()) {
    op.texto = resolverArquivo(op.texto, QStringLiteral("dados\\textos"));
    if (!QFileInfo(op.texto).isFile()) return falhaDeUso(QStringLiteral("o texto \"%1\" não existe").arg(op.texto));
  }

  // The checker reads the script first: alone with --verificar, as warnings
  // before a run, as a refusal with --estrito.
  {
    const QStringList titulosPlanilha = planilha ? planilha->grade.celulasLinha(0) : QStringList();
    const QList<CLAchado> achados =
        verificarParaRodar(dividirLinhas(texto), op.lista, planilha ? &titulosPlanilha : nullptr);
    if (op.verificar) {
      for (const CLAchado& a : achados) terminal.escrever(textoDoAchado(a));
      return achados.isEmpty() ? saida::kFim : saida::kAchados;
    }
    for (const CLAchado& a : achados) terminal.escreverErro(QStringLiteral("Aviso: ") + textoDoAchado(a));
    if (op.estrito && !achados.isEmpty()) {
      terminal.escreverErro(QStringLiteral("mivo-run: o script não foi executado: a verificação achou %1 %2 (--estrito)")
                                .arg(achados.size())
                                .arg(achados.size() == 1 ? QStringLiteral("problema") : QStringLiteral("problemas")));
      return saida::kAchados;
    }
  }

  CLHostConsole host(terminal, op.semEspera);
  if (!op.respostas.isEmpty()) host.setRespostas(respostas);
  host.setSilencioso(op.silencioso);
  host.setRegistraLog(!op.silencioso || !op.log.isEmpty());
  host.setDebugAtivo(op.debug);
  host.setEditorTexto(texto);
  if (op.simular) {
    const QString erroDesktop = host.usarDesktopSimulado(op.cenario);
    if (!erroDesktop.isEmpty()) return falhaDeUso(erroDesktop);
  } else {
    host.setFabricaDesktop(std::move(fabrica));
  }

  if (!op.log.isEmpty() && !host.abrirLog(op.log, erro)) terminal.escreverErro(QStringLiteral("mivo-run: ") + erro);

  const QStringList documento = dividirLinhas(texto);
  ResultadoExecucao r = executarProtegido(host, [&] { abrirScript(host, documento, op, planilha.get()); });
  // Asked to stop while the lists were being loaded: no statement runs.
  if (r.fim == FimExecucao::Normal && host.paradaPedida()) r.fim = FimExecucao::Parado;
  if (r.fim == FimExecucao::Normal) {
    // A fresh run: a new engine on the data table, seeded with the start
    // parameters; with parameter lines the log starts anew.
    CLScript script(host);
    script.setGrade(*host.lista().gGrid);
    const QStringList parametros = secaoParametros(documento, op.script);
    semearVariaveis(script, parametros, op);
    if (!parametros.isEmpty()) {
      host.limparLog();
      host.setLogGeral(QStringLiteral("Iniciando execução "), CorLog::Texto);
    }
    prepararInicio(script, documento);
    r = rodarScript(script);
  }
  host.concluirLog();
  if (r.fim == FimExecucao::ErroFatal && op.silencioso) host.escrever(r.mensagem);
  if (r.fim == FimExecucao::SemDesktop) terminal.escreverErro(QStringLiteral("mivo-run: ") + r.mensagem);

  int codigo = codigoDeSaida(r.fim);
  const QString erroSalvar = salvarResultados(host, op);
  if (!erroSalvar.isEmpty()) {
    terminal.escreverErro(QStringLiteral("mivo-run: ") + erroSalvar);
    if (codigo == saida::kFim) codigo = saida::kErro;
  }
  const QString erroLog = host.fecharLog();
  if (!erroLog.isEmpty()) terminal.escreverErro(QStringLiteral("mivo-run: ") + erroLog);
  return codigo;
}

}  // namespace mivo
