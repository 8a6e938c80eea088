#include "unFrmInput.h"

#include <QEvent>
#include <QPushButton>

#include "ui_unFrmInput.h"
#include "unRegrasDialogos.h"

namespace mivo {

TfrmInput::TfrmInput(QWidget* pai) : QDialog(pai), ui(std::make_unique<Ui::TfrmInput>()) {
  ui->setupUi(this);
  setFixedSize(size());
  ui->mmoInput->installEventFilter(this);
  connect(ui->btnFechar, &QPushButton::clicked, this, [this] { done(kResultadoOk); });
}

TfrmInput::~TfrmInput() = default;

void TfrmInput::preparar(const QString& titulo, const QString& descricao, const QString& texto,
                         const QString& legendaBotao) {
  ui->lbTitle->setText(quebrasQt(titulo));
  ui->lbDesc->setText(quebrasQt(descricao));
  ui->lbDesc->setVisible(!descricao.isEmpty());
  ui->mmoInput->setPlainText(quebrasQt(texto));
  ui->btnFechar->setText(legendaBotao);
  ui->mmoInput->setFocus();
}

QString TfrmInput::texto() const { return quebrasCrLf(ui->mmoInput->toPlainText()); }

void TfrmInput::reject() { done(kResultadoCancelar); }

bool TfrmInput::eventFilter(QObject* objeto, QEvent* evento) {
  if (objeto == ui->mmoInput && evento->type() == QEvent::FocusIn) ui->mmoInput->selectAll();
  return QDialog::eventFilter(objeto, evento);
}

}  // namespace mivo
