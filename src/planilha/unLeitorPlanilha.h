#pragma once
// What the importer asks of each spreadsheet format: open the workbook, say
// how many worksheets it has, and hand over the rows of the first one in
// order, one at a time, each cell as the text a person sees in it. Readers
// stream: they never hold more than the row being read, and stop as soon as
// the importer stops asking.

#include <QList>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <functional>
#include <limits>
#include <map>
#include <memory>

#include "unCLLinhaGrade.h"

namespace mivo {

struct LimitesPlanilha {
  int maxColunas = 1500;          // title columns read
  int maxLinhas = 30000;          // sheet rows read, the title row included
  // Uncompressed size of one part of a zip package (the sheet XML) ...
  qint64 maxParte = qint64(1) << 30;
  // ... and of the parts kept in memory whole (shared strings) ...
  qint64 maxParteEmMemoria = qint64(256) << 20;
  // ... of an .ods content.xml, read as far as its first table goes (with
  // the general XML reader, several times slower than the .xlsx sheet
  // reader) ...
  qint64 maxConteudoOds = qint64(256) << 20;
  // ... and of those that only describe the workbook (relationships, the
  // list of sheets, styles, the manifest): small in any real file, and read
  // with the slower general XML reader.
  qint64 maxParteDescritiva = qint64(64) << 20;
  // Memory the rows of a worksheet may take while they are read (an .xlsx
  // keeps them until its merged ranges are known: about 56 bytes a cell
  // plus its text), and the rows the table gets from them (merged ranges
  // repeat a value in many cells).
  qint64 maxMemoriaLinhas = qint64(256) << 20;
  // The shared strings of an .xlsx, kept in memory for the sheet to refer
  // to: their characters (2 bytes each) and 4 bytes a string.
  qint64 maxTextosCompartilhados = qint64(128) << 20;
};

// Why a sheet whose rows would take more than the limit is refused.
QString mensagemGrandeDemais(const LimitesPlanilha& limites);
// Why a password-protected workbook is refused (whatever its format).
QString mensagemSenha();

// Lets a long step (scanning a sheet before reading it) stop early: true
// when the user cancelled or the program is closing.
using PedidoParada = std::function<bool()>;

class CLLeitorPlanilha {
 public:
  virtual ~CLLeitorPlanilha() = default;
  // Opens the workbook; false with a Portuguese reason.
  virtual bool abrir(QString& erro) = 0;
  virtual int qtdPlanilhas() const = 0;
  // Gets the first worksheet ready; false with a reason (empty when
  // `parar` asked to stop).
  virtual bool prepararPrimeira(const PedidoParada& parar, QString& erro) = 0;
  // The next row of the first worksheet that has any cell: its 1-based
  // number and its cells (index 0 is column A; at most maxColunas; trailing
  // empty cells may be missing). False at the end of the sheet, or on an
  // error (then `erro` is set).
  virtual bool proximaLinha(int& numero, QStringList& celulas, QString& erro) = 0;
  // The same row as the table keeps it (one text for all its cells), which
  // spares the importer a copy per cell. By default built from proximaLinha.
  virtual bool proximaLinhaCompacta(int& numero, CLLinhaGrade& linha, QString& erro);
  // Only the first `n` columns of the rows still to come are wanted (the
  // importer knows how many titles there are): a reader may leave out the
  // others, and need not work on them.
  virtual void limitarColunas(int n) { gColunas = std::max(n, 0); }
  // A row that would take more than this many bytes in the table is an
  // error (merged ranges repeat one value in many cells): it is refused
  // before it is built.
  void limitarMemoriaDaLinha(qint64 bytes) { gMaxMemoriaLinha = bytes; }

 protected:
  int gColunas = std::numeric_limits<int>::max();  // columns wanted
  qint64 gMaxMemoriaLinha = std::numeric_limits<qint64>::max();
};

// The reader for a file, chosen by its content (zip package, OLE2
// container); null with a Portuguese reason when it is no spreadsheet that
// can be read.
std::unique_ptr<CLLeitorPlanilha> criarLeitorPlanilha(const QString& caminho, const LimitesPlanilha& limites,
                                                      QString& erro);

// Merged cells: every cell a merged range covers shows the value of its
// top-left cell. Rows must be given in order. The work is that of the cells
// filled: a range that overlaps one taken before it (a duplicate, say; no
// spreadsheet program writes such a file) is ignored, so each cell is filled
// once however many ranges claim it, and only the columns kept are filled.
class CLMesclagens {
 public:
  explicit CLMesclagens(int maxLinhas, int maxColunas)
      : gMaxLinhas(maxLinhas), gMaxColunas(maxColunas), gColunasUsadas(maxColunas) {}
  // A range, 1-based and inclusive, clipped to the limits (those that start
  // beyond them are dropped). Ranges must come in order of their first row
  // unless ordenar() is called before the first row is applied.
  void adicionar(int linha0, int coluna0, int linha1, int coluna1);
  void ordenar();
  bool vazio() const { return gFaixas.isEmpty(); }
  // From now on only the first `n` columns of a row are filled.
  void limitarColunas(int n) { gColunasUsadas = std::clamp(n, 0, gMaxColunas); }
  // Row `linha`: takes the values of the ranges starting in it and fills the
  // cells it covers (the list grows as needed, never beyond the columns used).
  void aplicar(int linha, QStringList& celulas);

 private:
  struct Faixa {
    int l0, c0, l1, c1;
  };
  // A range taken, by its first column: those in gAtivas never share a
  // cell of the rows read, so each row's cells are filled once.
  struct Ativa {
    int l0, l1, c1;
    QString valor;
  };
  bool sobrepoe(const Faixa& f, int linha);
  QList<Faixa> gFaixas;
  qsizetype gProxima = 0;  // first range not yet taken or dropped
  std::map<int, Ativa> gAtivas;
  int gMaxLinhas, gMaxColunas, gColunasUsadas;
};

// "B12" -> column 2 and row 12 (1-based); false when it is no cell reference.
bool lerReferencia(QStringView ref, int& coluna, int& linha);
bool lerReferencia(QByteArrayView ref, int& coluna, int& linha);

}  // namespace mivo
