#pragma once
// The data table (CLGrade) as a Qt table model: the records are the rows,
// the title row gives the column headers. It reads the cells directly and
// follows the grid's changes as its observer; nothing is copied.

#include <QAbstractTableModel>

#include "unCLGrade.h"
#include "unCLGradeObservador.h"

namespace mivo {

class CLModeloGrade : public QAbstractTableModel, private CLGradeObservador {
  Q_OBJECT

 public:
  explicit CLModeloGrade(CLGrade& grade, QObject* pai = nullptr);
  ~CLModeloGrade() override;

  int rowCount(const QModelIndex& pai = {}) const override;
  int columnCount(const QModelIndex& pai = {}) const override;
  QVariant data(const QModelIndex& indice, int papel) const override;
  QVariant headerData(int secao, Qt::Orientation orientacao, int papel) const override;
  Qt::ItemFlags flags(const QModelIndex& indice) const override;
  bool setData(const QModelIndex& indice, const QVariant& valor, int papel) override;

 private:
  void celulasAlteradas(int colIni, int linIni, int colFim, int linFim) override;
  void linhasAInserir(int primeira, int ultima) override;
  void linhasInseridas() override;
  void linhasARemover(int primeira, int ultima) override;
  void linhasRemovidas() override;
  void colunasAInserir(int primeira, int ultima) override;
  void colunasInseridas() override;
  void colunasARemover(int primeira, int ultima) override;
  void colunasRemovidas() override;
  void gradeARedefinir() override;
  void gradeRedefinida() override;

  CLGrade& gGrade;
  bool gRedefinindo = false;  // a change touching the title row: reset instead
};

}  // namespace mivo
