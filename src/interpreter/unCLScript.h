#pragma once
// CLScript: the engine of one script run. It reads the script statement by
// statement (loadLine), runs each through the common frame (execFunction:
// log line, debug question, dispatch, result, default pause) and reaches its
// surroundings only through the host services.

#include <QString>
#include <QStringList>
#include <memory>

#include "unCLDados.h"
#include "unCLGrade.h"
#include "unCLHost.h"
#include "unCLIndiceRotulos.h"

namespace mivo {

class CLDesktop;

class CLScript {
 public:
  // Without a desktop of its own the engine uses the host's.
  explicit CLScript(CLHost& host, CLDesktop* desktop = nullptr);
  ~CLScript();
  CLScript(const CLScript&) = delete;
  CLScript& operator=(const CLScript&) = delete;

  // --- State of the run (public so that the host may read and seed it) ---
  bool gParametrosDesativar = false;  // expansion switched off
  bool gUsouCliquePerguntar = false;  // a learned click point was written back
  QStringList gDicasExibidas;         // tips already shown in this run
  bool gErroFatal = false;
  QString gErroFatalTexto;
  qint32 gLine = 0;       // index of the next line to read
  qint32 gBlockLine = 0;  // return position of the pending block call; 0 = none
  CLGrade* gGrid;         // the data table (the engine's own until the host lends one)
  QString gResultado;     // result of the last function executed
  qint32 gPausaPadrao = 0;
  QStringList gScript;    // the script's lines
  CLValores gValores;     // the variable store
  QStringList gCliquesTemporarios;  // "line=x;y" points learned for this run only

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
  // Records the error line that ends the run after the current statement.
  void setErroFatal(const QString& texto);
  // "Linha: " + gLine + sufixo, the form of every fatal error line.
  QString linhaDeErro(const QString& sufixo) const;
  // The pause of "&Pausar" (and of the default pause): about segundos + 1
  // seconds, ended early by the stop flag.
  void pausar(int segundos);
  // Pre-load operations, run when a script is opened: the titles of the
  // data table's columns, a list file into the data table (after emptying
  // it; "ok"), a text file into the auxiliary text. preCarregarLista throws
  // CLAbortoSilencioso when the user declines to lose edited data.
  QString preCarregarColunas(const QString& valor);
  QString preCarregarLista(const QString& valor);
  QString preCarregarTexto(const QString& valor);
  // Opens the progress window.
  void setProgress(const QString& aOperacao, int aValorMax, const QString& aLegenda1,
                   const QString& aLegenda2, const QString& aLegenda3, int aBloqueadoCode = 0);

  CLHost& host() const { return gHost; }
  CLDesktop& desktop() const { return gDesktop ? *gDesktop : gHost.desktop(); }
  // Where markers and blocks stand in gScript (kept in step with its text).
  CLIndiceRotulos& indiceRotulos() { return gIndiceRotulos; }
  // The engine's own table, used until the host lends one through gGrid.
  CLGrade& gradePropria() { return *gGradePropria; }

 private:
  void pularDefinicaoDeBloco();

  CLHost& gHost;
  CLDesktop* gDesktop;
  std::unique_ptr<CLGrade> gGradePropria;
  CLIndiceRotulos gIndiceRotulos;
  int gProfundidadeExpansao = 0;
  friend class CLGuardaProfundidade;
};

}  // namespace mivo
