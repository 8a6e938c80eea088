#include "unFrmGetValue.h"

#include <QPushButton>
#include <QTimer>

#include "ui_unFrmGetValue.h"
#include "unRegrasDialogos.h"

namespace mivo {

TfrmGetValue::TfrmGetValue(QWidget* pai) : QDialog(pai), ui(std::make_unique<Ui::TfrmGetValue>()) {
  ui->setupUi(this);
  setWindowFlag(Qt::WindowStaysOnTopHint);
  connect(ui->btnOk, &QPushButton::clicked, this, [this] { done(kResultadoOk); });
  connect(ui->btnCancelar, &QPushButton::clicked, this, [this] { done(kResultadoCancelar); });
  QTimer::singleShot(1000, this, [this] {
    raise();
    activateWindow();
  });
}

TfrmGetValue::~TfrmGetValue() = default;

void TfrmGetValue::preparar(const QString& titulo, const QString& textoInicial) {
  ui->lbtitle->setText(quebrasQt(titulo));
  ui->mmoValor->setPlainText(quebrasQt(textoInicial));
  ui->mmoValor->moveCursor(QTextCursor::End);
  ui->mmoValor->setFocus();
}

QString TfrmGetValue::valor() const { return quebrasCrLf(ui->mmoValor->toPlainText()); }

void TfrmGetValue::reject() { done(kResultadoCancelar); }

void TfrmGetValue::showEvent(QShowEvent* evento) {
  QDialog::showEvent(evento);
  raise();
  activateWindow();
}

}  // namespace mivo
