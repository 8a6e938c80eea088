#include "unCLGrade.h"

#include "unUtil.h"

namespace mivo {

CLGrade::CLGrade() {
  gLinhas.resize(2);
  for (auto& l : gLinhas) l.resize(gColunas);
}

void CLGrade::setRowCount(int linhas) {
  linhas = std::max(linhas, 2);
  const int antes = RowCount();
  gLinhas.resize(linhas);
  for (int r = antes; r < linhas; ++r) gLinhas[r].resize(gColunas);
  if (gLinhaAtual >= linhas) gLinhaAtual = linhas - 1;
}

void CLGrade::setColCount(int colunas) {
  gColunas = std::max(colunas, 1);
  for (auto& l : gLinhas) l.resize(gColunas);
}

QString CLGrade::cell(int col, int row) const {
  if (col < 0 || col >= gColunas || row < 0 || row >= RowCount()) return {};
  return gLinhas[row][col];
}

void CLGrade::setCell(int col, int row, const QString& valor) {
  if (col < 0 || col >= gColunas || row < 0 || row >= RowCount()) return;
  gLinhas[row][col] = valor;
}

void CLGrade::setRow(int row) {
  if (row >= 1 && row < RowCount()) gLinhaAtual = row;
}

int CLGrade::colunaPorTitulo(const QString& titulo) const {
  const QString procurado = aparar(titulo).toLower();
  for (int c = 0; c < gColunas; ++c)
    if (aparar(gLinhas[0][c]).toLower() == procurado) return c;
  return -1;
}

QString CLGrade::valorAtual(const QString& titulo) const {
  const int c = colunaPorTitulo(titulo);
  return c < 0 ? QString() : cell(c, gLinhaAtual);
}

}  // namespace mivo
