#include "unCLModeloGrade.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

namespace mivo {
namespace {

TEST(CLModeloGrade, SegueAsMudancasDaGrade) {
  CLGrade grade;
  CLModeloGrade modelo(grade);
  EXPECT_EQ(modelo.rowCount(), 1);
  EXPECT_EQ(modelo.columnCount(), 1);
  QSignalSpy cabecalho(&modelo, &QAbstractItemModel::headerDataChanged);
  grade.inserirColunas(QStringLiteral("nome,email"));
  EXPECT_EQ(modelo.columnCount(), 2);
  EXPECT_EQ(modelo.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("nome"));
  EXPECT_EQ(modelo.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("email"));
  grade.inserirLinha(QStringLiteral("Ana;ana@x.com"));
  grade.inserirLinha(QStringLiteral("Bia;bia@x.com"));
  ASSERT_EQ(modelo.rowCount(), 2);
  EXPECT_EQ(modelo.data(modelo.index(1, 0), Qt::DisplayRole).toString(), QStringLiteral("Bia"));
  QSignalSpy dados(&modelo, &QAbstractItemModel::dataChanged);
  grade.setCell(1, 2, QStringLiteral("b@y.com"));
  ASSERT_EQ(dados.count(), 1);
  EXPECT_EQ(dados.at(0).at(0).toModelIndex(), modelo.index(1, 1));
  grade.setCell(0, 0, QStringLiteral("Nome"));
  EXPECT_GE(cabecalho.count(), 1);
  EXPECT_EQ(modelo.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Nome"));
  // Edits in the view go into the grid.
  EXPECT_TRUE(modelo.setData(modelo.index(0, 0), QStringLiteral("Ana Maria"), Qt::EditRole));
  EXPECT_EQ(grade.cell(0, 1), QStringLiteral("Ana Maria"));
  grade.removerLinhas(1, 1);
  EXPECT_EQ(modelo.rowCount(), 1);
  EXPECT_EQ(modelo.data(modelo.index(0, 0), Qt::DisplayRole).toString(), QStringLiteral("Bia"));
}

}  // namespace
}  // namespace mivo
