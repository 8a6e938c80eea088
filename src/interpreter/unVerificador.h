#pragma once
// The script checker: reads a script document as the engine would, without
// running anything, and lists what would go wrong or silently do nothing:
// unknown function names (with the closest known name), wrong argument
// counts, statements without ")." before the next one or the end, jumps and
// block calls to names that do not exist, blocks never closed, unbalanced
// quotes, brackets and braces, header sections never closed, lines that
// open a block comment the language does not have and, when the
// columns of the script's list are known, {coluna} placeholders that name no
// column. It reads the catalogue table, as dispatch does.

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace mivo {

struct CLAchado {
  int linha = 0;      // 1-based line of the document
  QString mensagem;   // Portuguese, without the line number
  bool aviso = false; // a warning (the script may still be right)
};

struct CLContextoVerificacao {
  // The titles of the list the script works on (its pre-loaded list, the
  // list given to the runner); unknown when empty: placeholders are then not
  // checked.
  std::optional<QStringList> colunas;
};

// Every finding of `documento` (the script's lines), in line order, each
// once.
QList<CLAchado> verificarScript(const QStringList& documento, const CLContextoVerificacao& contexto = {});

// "linha N: mensagem"
QString textoDoAchado(const CLAchado& achado);

}  // namespace mivo
