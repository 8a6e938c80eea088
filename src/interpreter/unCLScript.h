#pragma once
// CLScript: the engine of one script run. It reads the script statement by
// statement (loadLine), runs each through the common frame (execFunction:
// log line, debug question, dispatch, result, default pause) and reaches its
// surroundings only through the host services.

#include <QHash>
#include <QSet>
#include <deque>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "unCLDados.h"
#include "unCLGrade.h"
#include "unCLHost.h"
#include "unCLIndiceRotulos.h"
#include "unCLInstrucao.h"

namespace mivo {

class CLDesktop;

class CLScript {
 public:
  explicit CLScript(CLHost& host);
  ~CLScript();
  CLScript(const CLScript&) = delete;
  CLScript& operator=(const CLScript&) = delete;

  // --- Operations ------------------------------------------------------------
  // Index of the line where a run from the beginning starts.
  int getStartLine() const;
  // Reads and runs one statement; false at the end of the script (or after an
  // unterminated statement, which is reported to the user).
  bool loadLine();
  // The frame around every function call; returns the function's result.
  QString execFunction(const QString& valor);

  static QString getParamValue(const QString& valor);
  static QStringList getParams2(const QString& valor);
  static QString getNextFunctionName(const QString& valor);

  // The comparison of "&Se": "<>", ">=", "<=", "=", ">", "<", first found decides.
  bool testeLogico(const QString& valor);
  // Value expansion: nested calls, [variables], {columns}, escapes and "\n".
  QString expandirValor(const QString& valor, bool ignorarVariaveis = false);
  // Reads `texto` as the arguments of `funcao` and expands them as its row
  // says (the way dispatch reads a written call).
  CLArgumentos lerArgumentos(const CLFuncao& funcao, const QString& texto);
  // Records the error line that ends the run after the current statement.
  void setErroFatal(const QString& texto);
  // The fatal line of the function being run: "Linha: " + gLine + " | " +
  // its row's error text; returns what the row says such a call returns.
  QString falhaDeSintaxe(const CLArgumentos& a);
  // "Linha: " + gLine + sufixo, the form of every fatal error line.
  QString linhaDeErro(const QString& sufixo) const;
  // The pause of "&Pausar" (and of the default pause): about segundos + 1
  // seconds, ended early by the stop flag.
  void pausar(qint64 segundos);

  // --- State of the run ------------------------------------------------------
  // The script's lines (gScript); setting them starts reading anew.
  const QStringList& linhas() const { return gScript; }
  void setLinhas(const QStringList& linhas);
  // Index of the next line to read (gLine).
  int linha() const { return gLine; }
  void setLinha(int linha) { gLine = linha; }
  // Return position of the pending block call (gBlockLine); 0 = none.
  int linhaBloco() const { return gBlockLine; }
  void setLinhaBloco(int linha) { gBlockLine = linha; }
  // The data table (gGrid): the engine's own until the host lends one.
  CLGrade& grade() const { return *gGrid; }
  void setGrade(CLGrade& grade) { gGrid = &grade; }
  // The result of the last function executed (gResultado).
  const QString& resultado() const { return gResultado; }
  void setResultado(const QString& resultado) { gResultado = resultado; }
  // The variable store (gValores).
  CLValores& valores() { return gValores; }
  const CLValores& valores() const { return gValores; }
  qint32 pausaPadrao() const { return gPausaPadrao; }
  void setPausaPadrao(qint32 segundos) { gPausaPadrao = segundos; }
  bool erroFatal() const { return gErroFatal; }
  const QString& erroFatalTexto() const { return gErroFatalTexto; }
  void limparErroFatal() {
    gErroFatal = false;
    gErroFatalTexto.clear();
  }
  // Expansion switched off ("&ParametrosDesativar").
  bool parametrosDesativados() const { return gParametrosDesativar; }
  void setParametrosDesativados(bool valor) { gParametrosDesativar = valor; }
  // A learned click point was written back into the script.
  bool usouCliquePerguntar() const { return gUsouCliquePerguntar; }
  void setUsouCliquePerguntar(bool valor) { gUsouCliquePerguntar = valor; }
  // Tips already shown in this run (compared without regard to case).
  bool dicaExibida(const QString& identificador) const;
  void registrarDicaExibida(const QString& identificador) { gDicasExibidas.append(identificador); }
  const QStringList& dicasExibidas() const { return gDicasExibidas; }
  // The log entry of the call being run ("Linha: [N] Executando {...}"),
  // built on request: a host that left out entries to save time shows it
  // when the run stops at a message.
  QString entradaLogAtual() const;
  // "line=x;y" points learned for this run only.
  QStringList& cliquesTemporarios() { return gCliquesTemporarios; }

  CLHost& host() const { return gHost; }
  CLDesktop& desktop() const { return gHost.desktop(); }
  // Where markers and blocks stand in the script (kept in step with its text).
  CLIndiceRotulos& indiceRotulos() { return gIndiceRotulos; }

 private:
  // A line read once: where its statement ends and what it holds.
  struct LinhaLida {
    enum class Tipo : quint8 { NaoLida, Vazia, Instrucao, NaoTerminada } tipo = Tipo::NaoLida;
    int ultima = 0;       // index of the statement's last line
    QString passo;        // step comment ("//*"), "#" hides the window
    CLInstrucao instrucao;
  };
  const LinhaLida& linhaLida(int indice);
  void lerLinha(int indice, LinhaLida& l) const;
  QString executar(const CLInstrucao& i);
  QString chamar(const CLInstrucao& i);
  const CLInstrucao& chamadaLida(const QString& chamada);
  void expandirArgumentos(CLArgumentos& a, quint64 quais);
  QString expandirTexto(const QString& valor, bool ignorarVariaveis);
  void pularDefinicaoDeBloco();

  CLHost& gHost;
  // The call being run (the innermost one), for entradaLogAtual.
  struct ChamadaEmCurso {
    qint32 linha = 0;
    QString nome, texto;
  } gEmCurso;
  std::unique_ptr<CLGrade> gGradePropria;
  CLIndiceRotulos gIndiceRotulos;
  int gProfundidadeExpansao = 0;
  friend class CLGuardaProfundidade;

  bool gParametrosDesativar = false;
  bool gUsouCliquePerguntar = false;
  QStringList gDicasExibidas;
  bool gErroFatal = false;
  QString gErroFatalTexto;
  qint32 gLine = 0;
  qint32 gBlockLine = 0;
  CLGrade* gGrid;
  QString gResultado;
  qint32 gPausaPadrao = 0;
  QStringList gScript;
  CLValores gValores;
  QStringList gCliquesTemporarios;
  QSet<QString> gColunasAvisadas;  // unknown {columns} already reported

  // The read form of each line of gScript, dropped whenever the lines change.
  // What is dropped while a statement runs is kept until the next statement
  // is read, so the running statement's read form stays valid.
  // A line is kept read from its second run on: a line run once costs no
  // more than reading it (gLinhaAvulsa holds it while it runs).
  std::vector<std::unique_ptr<LinhaLida>> gLidas;
  std::vector<bool> gVistas;
  LinhaLida gLinhaAvulsa;
  std::vector<std::vector<std::unique_ptr<LinhaLida>>> gLidasDescartadas;
  // Nested calls read once (bounded; kept the same way when the table
  // starts over).
  struct ChamadasLidas {
    QHash<QString, const CLInstrucao*> indice;
    std::deque<CLInstrucao> lidas;
  };
  ChamadasLidas gChamadas;
  const CLInstrucao* gUltimaChamada = nullptr;  // the last one looked up
  std::vector<ChamadasLidas> gChamadasDescartadas;
};

}  // namespace mivo
