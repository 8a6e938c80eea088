#pragma once
// The value-entry window: a prompt and a multi-line memo, "&Ok" (result 1)
// and "&Cancelar" (result 2, also Esc and the close button).

#include <QDialog>
#include <QString>
#include <memory>

namespace Ui {
class TfrmGetValue;
}

namespace mivo {

class TfrmGetValue : public QDialog {
  Q_OBJECT

 public:
  explicit TfrmGetValue(QWidget* pai = nullptr);
  ~TfrmGetValue() override;

  // The prompt (lbtitle) and the memo's first text.
  void preparar(const QString& titulo, const QString& textoInicial);
  // The memo's text as typed, line breaks as CR LF.
  QString valor() const;

  void reject() override;

 protected:
  void showEvent(QShowEvent* evento) override;

 private:
  std::unique_ptr<Ui::TfrmGetValue> ui;
};

}  // namespace mivo
