#pragma once
// Writing a learned click point into the script text: the "&MouseCliquePerguntar"
// call that asked for it gets the point as its coordinates, so that the next
// run clicks without asking.

#include <QString>
#include <QStringList>

namespace mivo {

// The first and last line of the statement that ends on `ultima`, read the
// way the engine reads statements (a statement starting with "&" without
// ")." continues on the following lines); the whole text of the statement.
struct InstrucaoNoScript {
  int primeira = -1;
  int ultima = -1;
  QString texto;
};
InstrucaoNoScript instrucaoTerminadaEm(const QStringList& linhas, int ultima);

// Replaces, in the statement that ends on line `ultima`, the first
// "&MouseCliquePerguntar" call whose point is still unknown (0 and 0) by
// &MouseCliquePerguntar("message";x;y) with the call's own message (no keep
// flag). A statement on one line keeps the rest of the line (its comment, an
// enclosing call); a statement spread over several lines becomes one line,
// so the script stays valid. Returns how many lines the script lost (0 when
// the statement was on one line), or -1 when there is no such call there
// (the script is then unchanged).
int escreverPontoClique(QStringList& linhas, int ultima, int x, int y);

// "Resetar cliques": every "&MouseCliquePerguntar" call of the text asks for
// its point again (coordinates 0 and 0, the message kept, and the flag
// "não" kept when the call had it), and the identifiers of the
// "&MsgDica" calls are listed so that their tips can be shown again. A call
// not closed on its own line is left as it is.
struct ResetConfigs {
  QStringList linhas;
  QStringList dicas;
};
ResetConfigs resetarConfigs(const QStringList& linhas);

}  // namespace mivo
