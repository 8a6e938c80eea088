#pragma once
// The spreadsheet importer: reads the first worksheet of an .xlsx, .ods or
// .xls file into the data table without any office suite. Row 1 gives the
// column titles, from column A rightwards up to the first empty cell (at
// most 1500); rows 2 onwards are the records, down to the first row whose
// column A is empty (at most 30000 sheet rows). Every value arrives as the
// text a person sees in the sheet.
//
// The table is never left half-emptied: the sheet is read into rows of its
// own, which replace the table's contents (in one go, without a copy) only
// when something was read.
// A failure leaves the table as it was and says why, in Portuguese.

#include <QString>
#include <functional>

#include "unCLGrade.h"
#include "unCLProgresso.h"
#include "unLeitorPlanilha.h"

namespace mivo {

class CLLista;

// What the importer needs from its surroundings (the application object of
// openExcelToGrid).
struct CLAmbienteImportacao {
  // The progress window: operations, legends and the cancel flag. Optional.
  CLProgresso* progresso = nullptr;
  // Shows an information message to the user. Optional.
  std::function<void(const QString&)> informar;
  // True once the program is closing: the import stops. Optional.
  std::function<bool()> terminando;
};

struct ResultadoImportacao {
  Desfecho desfecho = Desfecho::Falhou;
  int registros = 0;  // records now in the table (0 when it was left alone)
  int colunas = 0;
  // For the user: why it failed, or what a cancel kept; empty on success.
  QString mensagem;
};

class CLNegOffice {
 public:
  explicit CLNegOffice(LimitesPlanilha limites = {}) : gLimites(limites) {}

  // Reads the sheet into aGrid (titles in row 0, records from row 1). True
  // when the whole sheet was read; false when it failed (aGrid unchanged)
  // or was cancelled (the records read so far are in aGrid). aMensagem gets
  // the text to show the user in both cases.
  bool openExcelToGrid(const QString& aFileName, const CLAmbienteImportacao& aAni, CLGrade& aGrid,
                       QString* aMensagem = nullptr);
  ResultadoImportacao importar(const QString& aFileName, const CLAmbienteImportacao& aAni, CLGrade& aGrid);

  // Imports into the data table of the data-table window: on success (or a
  // cancel that kept records) the table belongs to no file any more, since
  // saving must never write list text over the spreadsheet.
  ResultadoImportacao importarParaLista(const QString& aFileName, const CLAmbienteImportacao& aAni, CLLista& aLista);

  // Only the column titles of the first worksheet; false with `erro`.
  bool lerTitulos(const QString& aFileName, QStringList& titulos, QString* erro = nullptr);

  // Files this importer reads, by their extension (.xlsx, .xlsm, .ods, .xls).
  static bool ehPlanilha(const QString& caminho);
  static QString mensagemVariasPlanilhas();

 private:
  LimitesPlanilha gLimites;
};

// Replaces the contents of `destino` with those of `origem` (cells, size and
// titles), as one change for its observers.
void substituirGrade(const CLGrade& origem, CLGrade& destino);

}  // namespace mivo
