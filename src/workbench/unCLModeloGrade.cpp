#include "unCLModeloGrade.h"

#include <algorithm>

namespace mivo {

CLModeloGrade::CLModeloGrade(CLGrade& grade, QObject* pai) : QAbstractTableModel(pai), gGrade(grade) {
  gGrade.adicionarObservador(this);
}

CLModeloGrade::~CLModeloGrade() { gGrade.removerObservador(this); }

int CLModeloGrade::rowCount(const QModelIndex& pai) const { return pai.isValid() ? 0 : gGrade.RowCount() - 1; }

int CLModeloGrade::columnCount(const QModelIndex& pai) const { return pai.isValid() ? 0 : gGrade.ColCount(); }

QVariant CLModeloGrade::data(const QModelIndex& indice, int papel) const {
  if (!indice.isValid() || (papel != Qt::DisplayRole && papel != Qt::EditRole)) return {};
  return gGrade.cell(indice.column(), indice.row() + 1);
}

QVariant CLModeloGrade::headerData(int secao, Qt::Orientation orientacao, int papel) const {
  if (papel != Qt::DisplayRole) return {};
  if (orientacao == Qt::Horizontal) return gGrade.cell(secao, 0);
  return secao + 1;
}

Qt::ItemFlags CLModeloGrade::flags(const QModelIndex& indice) const {
  return QAbstractTableModel::flags(indice) | Qt::ItemIsEditable;
}

bool CLModeloGrade::setData(const QModelIndex& indice, const QVariant& valor, int papel) {
  if (!indice.isValid() || papel != Qt::EditRole) return false;
  gGrade.setCell(indice.column(), indice.row() + 1, valor.toString());
  return true;
}

void CLModeloGrade::celulasAlteradas(int colIni, int linIni, int colFim, int linFim) {
  if (linIni <= 0) emit headerDataChanged(Qt::Horizontal, colIni, colFim);
  const int primeira = std::max(linIni, 1) - 1;
  const int ultima = linFim - 1;
  if (ultima >= primeira) emit dataChanged(index(primeira, colIni), index(ultima, colFim));
}

void CLModeloGrade::linhasAInserir(int primeira, int ultima) {
  gRedefinindo = primeira <= 0;
  if (gRedefinindo)
    beginResetModel();
  else
    beginInsertRows({}, primeira - 1, ultima - 1);
}

void CLModeloGrade::linhasInseridas() {
  if (gRedefinindo)
    endResetModel();
  else
    endInsertRows();
  gRedefinindo = false;
}

void CLModeloGrade::linhasARemover(int primeira, int ultima) {
  gRedefinindo = primeira <= 0;
  if (gRedefinindo)
    beginResetModel();
  else
    beginRemoveRows({}, primeira - 1, ultima - 1);
}

void CLModeloGrade::linhasRemovidas() {
  if (gRedefinindo)
    endResetModel();
  else
    endRemoveRows();
  gRedefinindo = false;
}

void CLModeloGrade::colunasAInserir(int primeira, int ultima) { beginInsertColumns({}, primeira, ultima); }
void CLModeloGrade::colunasInseridas() { endInsertColumns(); }
void CLModeloGrade::colunasARemover(int primeira, int ultima) { beginRemoveColumns({}, primeira, ultima); }
void CLModeloGrade::colunasRemovidas() { endRemoveColumns(); }
void CLModeloGrade::gradeARedefinir() { beginResetModel(); }
void CLModeloGrade::gradeRedefinida() { endResetModel(); }

}  // namespace mivo
