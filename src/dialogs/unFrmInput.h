#pragma once
// The multi-line input window: a title, a description, a large memo whose
// text is selected whenever it takes the focus, and one closing button
// whose caption the caller sets (result 1). Esc closes it with result 2.

#include <QDialog>
#include <QString>
#include <memory>

namespace Ui {
class TfrmInput;
}

namespace mivo {

class TfrmInput : public QDialog {
  Q_OBJECT

 public:
  explicit TfrmInput(QWidget* pai = nullptr);
  ~TfrmInput() override;

  void preparar(const QString& titulo, const QString& descricao, const QString& texto,
                const QString& legendaBotao);
  // The memo's text, line breaks as CR LF.
  QString texto() const;

  void reject() override;

 protected:
  bool eventFilter(QObject* objeto, QEvent* evento) override;

 private:
  std::unique_ptr<Ui::TfrmInput> ui;
};

}  // namespace mivo
