#pragma once
// One call per dialog, for the workbench's host services and the other
// windows: each creates its window, shows it modally and frees it. All of
// them block on the user-interface thread. `pai` is optional: without one,
// the window is centred on the screen and has its own taskbar button.

#include <QString>

#include "unRegrasDialogos.h"

class QWidget;

namespace mivo::dialogos {

// --- Messages ---------------------------------------------------------------
void mostrarInformacao(const QString& texto, QWidget* pai = nullptr);
void mostrarErro(const QString& texto, QWidget* pai = nullptr);
void mostrarAviso(const QString& texto, QWidget* pai = nullptr);
// kResultadoSim (6) for "&Sim", kResultadoNao (7) for "&Não",
// kResultadoCancelar (2) for Esc or the close button. Only 6 is a yes.
int perguntarSimNao(const QString& texto, QWidget* pai = nullptr);
// True only for "&Sim".
inline bool confirmar(const QString& texto, QWidget* pai = nullptr) {
  return perguntarSimNao(texto, pai) == kResultadoSim;
}
// A tip the user can switch off for good; shows nothing when the tip file
// hides `id`. `altura` is the window height (kAlturaPadraoAjuda keeps the
// designed one).
void mostrarDica(const QString& id, const QString& texto, int altura, QWidget* pai = nullptr);
// A help text; `altura` as for mostrarDica.
void mostrarAjuda(const QString& texto, int altura, QWidget* pai = nullptr);

// --- Value entry ------------------------------------------------------------
// The text the user entered, line breaks as CR LF and none added at the end;
// empty when cancelled. `confirmado`, when given, tells a cancelled entry
// from an empty one.
QString pedirValor(const QString& titulo, const QString& textoInicial, bool* confirmado = nullptr,
                   QWidget* pai = nullptr);

// --- Multi-line input -------------------------------------------------------
// Shows `texto` in the input window under a title and a description, with
// the closing button captioned `legendaBotao`. The memo's text (line breaks
// as CR LF) when the user pressed that button; empty when the window was
// closed with Esc (`confirmado` then false).
QString mostrarEntrada(const QString& titulo, const QString& descricao, const QString& texto,
                       const QString& legendaBotao, bool* confirmado = nullptr, QWidget* pai = nullptr);

}  // namespace mivo::dialogos

