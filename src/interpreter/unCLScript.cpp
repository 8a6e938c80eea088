#include "unCLScript.h"

#include "unAguardar.h"
#include "unCLErro.h"
#include "unCatalogo.h"
#include "unLeitura.h"
#include "unUtil.h"

namespace mivo {

namespace {

constexpr int kMaxArgumentoNoLog = 500;
// Nested calls kept read; the table starts over when it is full.
constexpr qsizetype kMaxChamadasLidas = 4096;

bool soBrancos(const QString& texto) {
  for (const QChar c : texto)
    if (c.unicode() > 0x20) return false;
  return true;
}

}  // namespace

CLScript::CLScript(CLHost& host) : gHost(host), gGradePropria(std::make_unique<CLGrade>()) {
  gGrid = gGradePropria.get();
}

CLScript::~CLScript() = default;

QString CLScript::getParamValue(const QString& valor) { return leitura::getParamValue(valor); }
QStringList CLScript::getParams2(const QString& valor) { return leitura::getParams2(valor); }
QString CLScript::getNextFunctionName(const QString& valor) {
  return leitura::getNextFunctionName(valor);
}

void CLScript::setLinhas(const QStringList& linhas) {
  gScript = linhas;
  if (!gLidas.empty()) gLidasDescartadas.push_back(std::move(gLidas));
  gLidas.clear();
  gVistas.clear();
}

bool CLScript::dicaExibida(const QString& identificador) const {
  return gDicasExibidas.contains(identificador, Qt::CaseInsensitive);
}

int CLScript::getStartLine() const { return leitura::linhaDeInicio(gScript); }

// --- Reading lines -----------------------------------------------------------------

void CLScript::lerLinha(int indice, LinhaLida& l) const {
  const leitura::LinhaDoScript lida = leitura::lerLinhaDoScript(gScript, indice);
  l.passo = lida.passo;
  l.ultima = lida.ultima;
  switch (lida.tipo) {
    case leitura::LinhaDoScript::Tipo::Vazia: l.tipo = LinhaLida::Tipo::Vazia; break;
    case leitura::LinhaDoScript::Tipo::NaoTerminada: l.tipo = LinhaLida::Tipo::NaoTerminada; break;
    case leitura::LinhaDoScript::Tipo::Instrucao:
      l.tipo = LinhaLida::Tipo::Instrucao;
      l.instrucao = lerInstrucao(lida.texto);
      break;
  }
}

const CLScript::LinhaLida& CLScript::linhaLida(int indice) {
  if (gLidas.size() != static_cast<size_t>(gScript.size())) {
    gLidas.clear();
    gLidas.resize(gScript.size());
    gVistas.assign(gScript.size(), false);
  }
  if (const LinhaLida* l = gLidas[indice].get()) return *l;
  if (!gVistas[indice]) {
    gVistas[indice] = true;
    gLinhaAvulsa = LinhaLida();
    lerLinha(indice, gLinhaAvulsa);
    return gLinhaAvulsa;
  }
  gLidas[indice] = std::make_unique<LinhaLida>();
  lerLinha(indice, *gLidas[indice]);
  return *gLidas[indice];
}

bool CLScript::loadLine() {
  gLidasDescartadas.clear();
  gChamadasDescartadas.clear();
  if (gLine < 0 || gLine >= gScript.size()) return false;
  const LinhaLida& l = linhaLida(gLine);
  if (!l.passo.isEmpty()) {
    if (l.passo == QLatin1String("#"))
      gHost.esconderPasso();
    else
      gHost.mostrarPasso(l.passo);
  }
  switch (l.tipo) {
    case LinhaLida::Tipo::NaoLida:
    case LinhaLida::Tipo::Vazia: ++gLine; return true;
    case LinhaLida::Tipo::NaoTerminada: {
      // The run ends with an error (exit 1 from the runner), not as if the
      // script had reached its end.
      const int primeira = gLine + 1;
      gLine = static_cast<qint32>(gScript.size());
      throw CLErro(QStringLiteral("A função não está corretamente terminada (linha: %1). "
                                  "O script foi finalizado")
                       .arg(primeira));
    }
    case LinhaLida::Tipo::Instrucao: break;
  }
  // Stays valid while the statement runs, even if it changes the lines.
  const CLInstrucao& instrucao = l.instrucao;
  gLine = l.ultima;
  gHost.editorSeguir(gLine + 1);
  gHost.bombearEventos();
  ++gLine;
  executar(instrucao);
  gHost.instrucaoConcluida();
  return true;
}

// --- The frame of every call -----------------------------------------------------

QString CLScript::execFunction(const QString& valor) { return executar(lerInstrucao(valor)); }

const CLInstrucao& CLScript::chamadaLida(const QString& chamada) {
  // A loop runs the same nested call again and again.
  if (gUltimaChamada && gUltimaChamada->chamada == chamada) return *gUltimaChamada;
  if (const CLInstrucao* lida = gChamadas.indice.value(chamada, nullptr)) return *(gUltimaChamada = lida);
  if (gChamadas.indice.size() >= kMaxChamadasLidas) {
    gChamadasDescartadas.push_back(std::move(gChamadas));
    gChamadas = {};
    gUltimaChamada = nullptr;
  }
  gChamadas.lidas.push_back(lerInstrucao(chamada));
  gChamadas.lidas.back().chamada = chamada;
  gChamadas.indice.insert(chamada, &gChamadas.lidas.back());
  return *(gUltimaChamada = &gChamadas.lidas.back());
}

QString CLScript::entradaLogAtual() const {
  if (gEmCurso.nome.isEmpty()) return {};
  QString linhaLog = QStringLiteral("Linha: [") + QString::number(gEmCurso.linha) +
                     QLatin1String("] Executando {") + gEmCurso.nome + QLatin1String("... ");
  linhaLog += QStringView(gEmCurso.texto).left(kMaxArgumentoNoLog);
  linhaLog += u'}';
  return linhaLog;
}

QString CLScript::executar(const CLInstrucao& i) {
  if (i.nome.isEmpty()) return {};
  const CLFuncao* f = i.funcao;
  const bool definicaoDeBloco = f && f->tipo == Tipo::DefinicaoBloco;
  if (definicaoDeBloco) pularDefinicaoDeBloco();

  gEmCurso.linha = gLine;
  gEmCurso.nome = i.nome;
  gEmCurso.texto = i.texto;
  if (gHost.registraLog()) gHost.setLogGeral(entradaLogAtual(), CorLog::Texto);

  if (gHost.debugAtivo()) {
    gHost.selecionarAbaScript(2);
    gHost.editorSeguir(gLine);
    gHost.bombearEventos();
    const RespostaSimNao resposta = gHost.perguntarSimNao(
        QStringLiteral("Função: ") + i.nome + QStringLiteral(". Pressione \"Sim\" para continuar"));
    if (resposta != RespostaSimNao::Sim) gHost.setParar(true);
  }

  if (f && f->tipo == Tipo::Marcador) return {};

  QString resultado;
  if (f && !definicaoDeBloco) resultado = chamar(i);

  gResultado = resultado;
  if (!soBrancos(resultado) && gHost.registraLog()) gHost.editLogGeral(QStringLiteral(" :") + resultado);
  if (gPausaPadrao > 0) pausar(gPausaPadrao);
  return resultado;
}

QString CLScript::chamar(const CLInstrucao& i) {
  const CLFuncao& f = *i.funcao;
  if (!f.tratador) return {};
  CLArgumentos a{f, i.texto, i.brutos, i.lidos};
  if (f.leitura == Leitura::Dividida && !f.erro.isEmpty() && f.resultadoErro != ResultadoErro::PeloTratador &&
      a.brutos.size() < f.minimo)
    return falhaDeSintaxe(a);
  expandirArgumentos(a, i.expandir);
  return f.tratador(*this, a);
}

CLArgumentos CLScript::lerArgumentos(const CLFuncao& funcao, const QString& texto) {
  CLInstrucao i;
  mivo::lerArgumentos(i, funcao, texto);
  CLArgumentos a{funcao, i.texto, i.brutos, i.lidos};
  expandirArgumentos(a, i.expandir);
  return a;
}

void CLScript::expandirArgumentos(CLArgumentos& a, quint64 quais) {
  for (qsizetype k = 0; k < 64 && (quais >> k) != 0; ++k)
    if ((quais >> k) & 1) a.valores[k] = expandirValor(a.valores.at(k));
}

QString CLScript::falhaDeSintaxe(const CLArgumentos& a) {
  setErroFatal(linhaDeErro(QStringLiteral(" | ") + a.funcao.erro));
  switch (a.funcao.resultadoErro) {
    case ResultadoErro::Falha: return QStringLiteral("FALHA");
    case ResultadoErro::Anterior: return gResultado;
    case ResultadoErro::Vazio:
    case ResultadoErro::PeloTratador: break;
  }
  return {};
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

void CLScript::pausar(qint64 segundos) {
  if (segundos < 0) return;
  pausarMs(gHost, (std::min(segundos, kEsperaMaximaMs / 1000) + 1) * 1000);
}

}  // namespace mivo
