#pragma once
// TfrmMacro, the action recorder ("Gravador de Macro"): while recording it
// polls every key and mouse button every 10 ms through the desktop
// services and lists, for each press, its key code, its text and the
// script statements that repeat it. The user copies the lines from the
// "Script" column; nothing goes into the workbench's editor by itself.

#include <QByteArray>
#include <QRect>
#include <QTimer>
#include <QWidget>
#include <memory>

#include "unCLGravador.h"

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace mivo {

class CLDesktop;

class TfrmMacro : public QWidget {
  Q_OBJECT

 public:
  // `agora`: the clock of the pauses (tests give their own).
  explicit TfrmMacro(CLDesktop& desktop, CLGravador::Relogio agora = {}, QWidget* pai = nullptr);
  ~TfrmMacro() override;

  void iniciarGravacao();  // "Iniciar gravação"
  void pararGravacao();    // "Parar gravação", F10
  void tmMacroTimer();     // one polling step
  void btnLimparClick();   // "Limpar tudo"
  void btnMostrarClick();  // "Mostrar tabela de caracteres"
  bool gravando() const { return gTmMacro.isActive(); }

  // The tip shown before the recorder opens (identifier, text, height).
  static const char* const kDicaId;
  static QString textoDica();
  static constexpr int kAlturaDica = 500;

 private:
  // The available area of the screen the user works on.
  QRect areaTela() const;

  CLGravador gGravador;
  QByteArray gGeometriaAntes;  // the window before it became the small bar
  QTimer gTmMacro;
  QWidget* pnTool = nullptr;
  QLabel* pnStatus = nullptr;
  QWidget* gColunas = nullptr;  // the three columns, hidden in the small bar
  QPushButton *btnIniciar = nullptr, *btnParar = nullptr, *btnLimpar = nullptr, *btnMostrar = nullptr;
  QCheckBox* togMinimizar = nullptr;
  QPlainTextEdit *mmoID = nullptr, *mmoTecla = nullptr, *mmoScript = nullptr;
};

}  // namespace mivo
