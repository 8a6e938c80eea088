#include "unFrmProgress.h"

#include <QCoreApplication>
#include <QPushButton>
#include <algorithm>

#include "ui_unFrmProgress.h"
#include "unDialogos.h"
#include "unRegrasDialogos.h"

namespace mivo {

namespace {
constexpr int kIntervaloBombeamentoMs = 30;
}

TfrmProgress::TfrmProgress(QWidget* pai) : QDialog(pai), ui(std::make_unique<Ui::TfrmProgress>()) {
  ui->setupUi(this);
  setWindowFlag(Qt::WindowStaysOnTopHint);
  // Shown while a script types into another program: it must not take the
  // keyboard from it. "Cancelar" still works with the mouse.
  setAttribute(Qt::WA_ShowWithoutActivating);
  setWindowFlag(Qt::WindowDoesNotAcceptFocus);
  setFixedSize(size());
  connect(ui->btnCancelar, &QPushButton::clicked, this, &TfrmProgress::btnCancelarClick);
}

TfrmProgress::~TfrmProgress() = default;

void TfrmProgress::setProgress(const QString& aOperacao, int aValorMax, const QString& aLegenda1,
                               const QString& aLegenda2, const QString& aLegenda3, int aBloqueadoCode) {
  if (!codigoProgressoAceito(aBloqueadoCode, gBloqueadoCode)) return;
  zerarLegendas();
  ui->lbOperacao->setText(aOperacao);
  ui->lbLegenda1->setText(aLegenda1);
  ui->lbLegenda2->setText(aLegenda2);
  ui->lbLegenda3->setText(aLegenda3);
  // A maximum of 0 (fewer than ten items) would turn the bar into a busy
  // indicator; one step fills it instead.
  ui->Gauge1->setRange(0, std::max(aValorMax, 1));
  ui->Gauge1->setValue(0);
  show();
  raise();
  processarEventos(true);
}

void TfrmProgress::stepProgress(const QString& aLegenda1, const QString& aLegenda2, const QString& aLegenda3,
                                int aBloqueadoCode) {
  if (!codigoProgressoAceito(aBloqueadoCode, gBloqueadoCode)) return;
  ++gPosicao;
  ui->Gauge1->setValue(std::min(gPosicao, ui->Gauge1->maximum()));
  ui->lbLegenda1->setText(legendaAposPasso(ui->lbLegenda1->text(), aLegenda1));
  ui->lbLegenda2->setText(legendaAposPasso(ui->lbLegenda2->text(), aLegenda2));
  ui->lbLegenda3->setText(legendaAposPasso(ui->lbLegenda3->text(), aLegenda3));
  processarEventos(false);
}

void TfrmProgress::zerarLegendas() {
  ui->lbOperacao->clear();
  ui->lbLegenda1->clear();
  ui->lbLegenda2->clear();
  ui->lbLegenda3->clear();
  gPosicao = 0;
  ui->Gauge1->setValue(0);
  ui->btnCancelar->setText(QStringLiteral("Cancelar"));
  gCancelou = false;
}

void TfrmProgress::setCancelarVisivel(bool visivel) { ui->btnCancelar->setVisible(visivel); }

void TfrmProgress::progressoAbrir(const QString& operacao, int maximo, const QString& legenda1,
                                  const QString& legenda2, const QString& legenda3) {
  setProgress(operacao, maximo, legenda1, legenda2, legenda3, 0);
}

void TfrmProgress::progressoPasso(const QString& legenda2) { stepProgress({}, legenda2, {}, 0); }

void TfrmProgress::progressoLegenda3(const QString& legenda3) {
  ui->lbLegenda3->setText(legenda3);
  processarEventos(false);
}

void TfrmProgress::reject() { btnCancelarClick(); }

void TfrmProgress::showEvent(QShowEvent* evento) {
  ui->btnCancelar->setVisible(true);
  QDialog::showEvent(evento);
}

void TfrmProgress::btnCancelarClick() {
  // The work goes on meanwhile only as far as its next pump; it sees the
  // flag when it next asks.
  if (dialogos::perguntarSimNao(QStringLiteral("Deseja cancelar esse processamento?"), this) != kResultadoSim)
    return;
  gCancelou = true;
  hide();
}

void TfrmProgress::processarEventos(bool sempre) {
  if (!sempre && gUltimoBombeamento.isValid() && gUltimoBombeamento.elapsed() < kIntervaloBombeamentoMs) return;
  QCoreApplication::processEvents();
  gUltimoBombeamento.start();
}

}  // namespace mivo
