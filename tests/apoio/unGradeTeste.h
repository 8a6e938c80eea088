#pragma once
// Grids for tests: filled from rows of cells (title row first) and read
// back the same way.

#include <QList>
#include <QStringList>
#include <algorithm>

#include "unCLGrade.h"

namespace mivo::teste {

using Linhas = QList<QStringList>;

// The grid gets exactly these rows and as many columns as the longest.
inline void preencher(CLGrade& g, const Linhas& linhas) {
  g.setRowCount(static_cast<int>(linhas.size()));
  int colunas = 1;
  for (const auto& l : linhas) colunas = std::max(colunas, static_cast<int>(l.size()));
  g.setColCount(colunas);
  for (int r = 0; r < linhas.size(); ++r)
    for (int c = 0; c < linhas[r].size(); ++c) g.setCell(c, r, linhas[r][c]);
}

inline Linhas conteudo(const CLGrade& g) {
  Linhas r;
  for (int i = 0; i < g.RowCount(); ++i) r.append(g.celulasLinha(i));
  return r;
}

}  // namespace mivo::teste
