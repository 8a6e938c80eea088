#pragma once
// The splash window shown while the catalogue opens: borderless, on top of
// the other windows, centred. Esc or a click closes it; closing frees it.
// Its timer, once started, closes it after a while.

#include <QString>
#include <QTimer>
#include <QWidget>
#include <memory>

namespace Ui {
class TfrmSplash;
}

namespace mivo {

class TfrmSplash : public QWidget {
  Q_OBJECT

 public:
  // How long the splash stays once its timer is started.
  static constexpr int kDuracaoMs = 3000;

  explicit TfrmSplash(QWidget* pai = nullptr);
  ~TfrmSplash() override;

  // Creates the splash and shows it at once, centred on the screen; it
  // frees itself when closed.
  static TfrmSplash* exibir();

  // The statistics line under the picture (empty at first).
  void setEstatisticas(const QString& texto);
  // Starts the timer (tmFechar) that closes the splash after `ms`.
  void iniciarFechamento(int ms = kDuracaoMs);
  bool fechamentoIniciado() const { return gTmFechar.isActive(); }

 protected:
  void paintEvent(QPaintEvent* evento) override;
  void keyPressEvent(QKeyEvent* evento) override;
  void mousePressEvent(QMouseEvent* evento) override;

 private:
  std::unique_ptr<Ui::TfrmSplash> ui;
  QTimer gTmFechar;
};

}  // namespace mivo
