#pragma once
// What a view learns about changes to a CLGrade. The calls come in pairs
// around structural changes ("A" before, past participle after), so that a
// QAbstractTableModel can forward them to its begin.../end... signals without
// keeping a copy of the data. Indexes are grid indexes: row 0 is the title
// row. Every method has an empty default, so an observer overrides only what
// it needs.

namespace mivo {

class CLGradeObservador {
 public:
  virtual ~CLGradeObservador() = default;

  // Cells inside the rectangle (inclusive bounds) got new texts.
  virtual void celulasAlteradas(int colIni, int linIni, int colFim, int linFim) {}

  virtual void linhasAInserir(int primeira, int ultima) {}
  virtual void linhasInseridas() {}
  virtual void linhasARemover(int primeira, int ultima) {}
  virtual void linhasRemovidas() {}
  virtual void colunasAInserir(int primeira, int ultima) {}
  virtual void colunasInseridas() {}
  virtual void colunasARemover(int primeira, int ultima) {}
  virtual void colunasRemovidas() {}

  // Around a batch of changes (a paste, a load, a sort): anything may have
  // changed in between, and no finer notification is sent.
  virtual void gradeARedefinir() {}
  virtual void gradeRedefinida() {}

  // The current cell moved (or was confirmed after a batch).
  virtual void selecaoAlterada(int col, int row) {}
};

}  // namespace mivo
