#pragma once
// The progress window of long operations: the operation, a bar, three
// legends and "Cancelar". It is shown without blocking while the caller
// works; the caller advances it and polls the cancel flag, which the window
// sets once the user confirmed. It serves the table's operations and the
// host's progress services directly (CLProgresso).

#include <QDialog>
#include <QElapsedTimer>
#include <QString>
#include <memory>

#include "unCLProgresso.h"

namespace Ui {
class TfrmProgress;
}

namespace mivo {

class TfrmProgress : public QDialog, public CLProgresso {
  Q_OBJECT

 public:
  explicit TfrmProgress(QWidget* pai = nullptr);
  ~TfrmProgress() override;

  // Calls with a non-zero code act only when it equals bloqueadoCode().
  // Starts a progress: clears everything (zerarLegendas), sets the texts,
  // the bar from 0 to `aValorMax`, and shows the window.
  void setProgress(const QString& aOperacao, int aValorMax, const QString& aLegenda1, const QString& aLegenda2,
                   const QString& aLegenda3, int aBloqueadoCode = 0);
  // Advances the bar by one; each non-empty legend replaces its label.
  void stepProgress(const QString& aLegenda1, const QString& aLegenda2, const QString& aLegenda3,
                    int aBloqueadoCode = 0);
  // Clears the operation and the legends, the bar and the cancel flag.
  void zerarLegendas();

  // gCancelou: the user confirmed cancelling.
  bool cancelou() const { return gCancelou; }
  void limparCancelamento() { gCancelou = false; }
  // gBloqueadoCode: the code that calls carrying one must match (0 at first).
  int bloqueadoCode() const { return gBloqueadoCode; }
  void setBloqueadoCode(int codigo) { gBloqueadoCode = codigo; }
  // Work that cannot be cancelled hides the button; it shows again whenever
  // the window is shown.
  void setCancelarVisivel(bool visivel);

  // Steps taken since the progress started (the bar shows at most its
  // maximum).
  int posicao() const { return gPosicao; }

  // CLProgresso
  void progressoAbrir(const QString& operacao, int maximo, const QString& legenda1, const QString& legenda2,
                      const QString& legenda3) override;
  void progressoPasso(const QString& legenda2) override;
  void progressoLegenda3(const QString& legenda3) override;
  bool progressoCancelado() override { return gCancelou; }
  void progressoFechar() override { hide(); }

  // Esc and the close button ask, as "Cancelar" does.
  void reject() override;

 protected:
  void showEvent(QShowEvent* evento) override;

 private:
  void btnCancelarClick();
  // Lets the window repaint and its button work, at most every few
  // milliseconds so that a fast loop does not spend its time here.
  void processarEventos(bool sempre);

  std::unique_ptr<Ui::TfrmProgress> ui;
  bool gCancelou = false;
  int gBloqueadoCode = 0;
  int gPosicao = 0;
  QElapsedTimer gUltimoBombeamento;
};

}  // namespace mivo
