#pragma once
// The line help: every second the developer help window, when it is shown
// and the workbench is active, filters by the statement name of the line
// the caret is on.

#include <QString>

namespace mivo {

// The name the help filters by for a line: the trimmed line up to, not
// including, its first "("; empty when the line does not start with "&" or
// has no "(" ("  &TeclarEnter()." gives "&TeclarEnter", "&Marcador" gives "").
QString nomeAjudaDaLinha(const QString& linha);

// What the line help needs of the developer help window.
class CLAlvoAjuda {
 public:
  virtual ~CLAlvoAjuda() = default;
  virtual bool visivel() const = 0;
  virtual QString filtro() const = 0;
  // Sets the filter field and presses "Filtrar".
  virtual void filtrar(const QString& nome) = 0;
};

// One round of the line help for the caret's line `linhaAtual`: nothing
// without a visible help window or while the workbench is not the active
// window; otherwise the window filters by the line's name when its filter
// differs. True when it was told to filter.
bool mostrarAjudaLinha(const QString& linhaAtual, CLAlvoAjuda* janela, bool bancadaAtiva);

}  // namespace mivo
