#pragma once
// The message window: information, error, warning, question, tip and help,
// with the tips the user can switch off for good ("tipfile.txt"). The
// one-call helpers of unDialogos create one per message; tests drive the
// window itself.

#include <QDialog>
#include <QString>
#include <memory>

namespace Ui {
class TfrmMsg;
}

namespace mivo {

class TfrmMsg : public QDialog {
  Q_OBJECT

 public:
  explicit TfrmMsg(QWidget* pai = nullptr);
  ~TfrmMsg() override;

  // Prepares the window for a message of kind `tipoMSG` (TipoMensagem):
  // caption, picture, buttons and text ("\n" is a line break). A kind
  // outside 1..6 leaves caption and picture as they were.
  void exibirMensagem(const QString& texto, int tipoMSG);

  // Prepares a tip unless the tip file hides it: true when it is to be
  // shown, with the check box "Não exibir mais essa mensagem".
  bool showTip(const QString& id, const QString& texto, int tipoMSG);
  // Records in the tip file whether the tip stays hidden. On a failed write
  // the user is told why and false is returned.
  bool updateTip(const QString& id, bool ocultar);

  // The tip being shown (gTipID); empty for a plain message.
  const QString& tipId() const { return gTipID; }
  // The kind last prepared; 0 before any.
  int tipo() const { return gTipo; }

  // Esc and the close button: result 2.
  void reject() override;

 protected:
  void keyPressEvent(QKeyEvent* evento) override;

 private:
  void ckbHideClick(bool marcado);

  std::unique_ptr<Ui::TfrmMsg> ui;
  QString gTipID;
  int gTipo = 0;
};

}  // namespace mivo
