#pragma once
// TfrmInfo, the mouse and colour inspector ("Informações"): five times a
// second the pointer in the three coordinate forms the mouse functions
// accept, the colour under it as rgb[...] and #RRGGBB, and the title of the
// active window; F4 freezes a copy, and clicking a frozen value copies it.
// TfrmStep, the step-comment bar ("Comentário do script"): the comment of
// the statement being run, at the top of the screen, stepping aside while
// the pointer is over it.
// Everything is read through the desktop services.

#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <functional>

#include "unCLDesktop.h"

class QLineEdit;
class QFrame;

namespace mivo {

// The pointer's forms on a screen of `tela` pixels (halves by integer
// division): "x;y", the quadrant form (negative offsets from the right and
// bottom edges past the middle) and the offset from the centre.
QString formaAbsoluta(PontoTela p);
PontoTela pontoQuadrante(PontoTela p, TamanhoTela tela);
PontoTela pontoCentro(PontoTela p, TamanhoTela tela);
QString formaQuadrante(PontoTela p, TamanhoTela tela);
QString formaCentro(PontoTela p, TamanhoTela tela);
// "rgb[255,128,0]" and "#FF8000"; empty for kCorInvalida.
QString textoCorRgb(CorTela cor);
QString TColorToHex(CorTela cor);

class TfrmInfo : public QWidget {
  Q_OBJECT

 public:
  explicit TfrmInfo(CLDesktop& desktop, QWidget* pai = nullptr);

  void tmGetPointTimer();  // the live values
  void tmKeyTimer();       // F4 held: copyInfo
  void copyInfo();
  QString janelaAtivaTexto() const;
  // Copies a frozen field's text to the clipboard (its click).
  void edtMouseNormalClick(QLineEdit* campo);

  // The clipboard writer (tests replace it).
  void setCopiar(std::function<void(const QString&)> copiar) { gCopiar = std::move(copiar); }

 protected:
  void keyPressEvent(QKeyEvent* evento) override;
  bool eventFilter(QObject* objeto, QEvent* evento) override;

 private:
  void showColor(PontoTela p);

  CLDesktop& gDesktop;
  QTimer gTmGetPoint, gTmKey;
  CorTela gCorViva = kCorInvalida;
  QLineEdit *edtMNormal, *edtMCentro, *edtMabs, *edtWeb, *edtRgb, *edtJanelaAtiva;
  QLineEdit *edtMouseNormal, *edtMouseCentro, *edtMouseAbs, *edtWeb2, *edtRgb2, *edtJanelaAtiva2;
  QFrame *Shape1, *Shape2;
  std::function<void(const QString&)> gCopiar;
};

class TfrmStep : public QWidget {
  Q_OBJECT

 public:
  // `encerrar`: what "F9 (Pausar)" does (the workbench's "Encerrar").
  TfrmStep(CLDesktop* desktop, std::function<void()> encerrar, QWidget* pai = nullptr);

  void showStep(const QString& mensagem);
  void setDesktop(CLDesktop* desktop) { gDesktop = desktop; }
  // The pointer went over the comment: hide until it leaves the top.
  void pnComentarioMouseMove();
  void tmCheckTimer();
  void Panel1Click();
  QString comentario() const { return pnComentario->text(); }
  bool afastada() const { return gTmCheck.isActive(); }

 protected:
  bool eventFilter(QObject* objeto, QEvent* evento) override;

 private:
  CLDesktop* gDesktop;
  std::function<void()> gEncerrar;
  QTimer gTmCheck;
  QLabel* pnComentario;
  QLabel* Panel1;
};

}  // namespace mivo
