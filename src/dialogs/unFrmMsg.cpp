#include "unFrmMsg.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QTimer>

#include "ui_unFrmMsg.h"
#include "unArquivoDicas.h"
#include "unImagensMensagem.h"
#include "unRegrasDialogos.h"

namespace mivo {

TfrmMsg::TfrmMsg(QWidget* pai) : QDialog(pai), ui(std::make_unique<Ui::TfrmMsg>()) {
  ui->setupUi(this);
  setWindowFlag(Qt::WindowStaysOnTopHint);
  setSizeGripEnabled(true);
  connect(ui->btnOk, &QPushButton::clicked, this, [this] { done(kResultadoSim); });
  connect(ui->btnCancelar, &QPushButton::clicked, this, [this] { done(kResultadoNao); });
  connect(ui->ckbHide, &QCheckBox::clicked, this, &TfrmMsg::ckbHideClick);
  // A second after it appears the window comes to the front once more, in
  // case the program that had the focus covered it meanwhile.
  QTimer::singleShot(1000, this, [this] {
    raise();
    activateWindow();
  });
}

TfrmMsg::~TfrmMsg() = default;

void TfrmMsg::exibirMensagem(const QString& texto, int tipoMSG) {
  if (tipoMensagemValido(tipoMSG)) {
    gTipo = tipoMSG;
    setWindowTitle(legendaDoTipo(tipoMSG));
    ui->imgTipo->setPixmap(imagemDoTipo(tipoMSG, 80));
  }
  const BotoesMensagem botoes = botoesDoTipo(tipoMSG);
  ui->btnOk->setText(botoes.primeiro);
  if (botoes.segundoVisivel) ui->btnCancelar->setText(botoes.segundo);
  ui->btnCancelar->setVisible(botoes.segundoVisivel);
  ui->lbMsg->setText(textoDaMensagem(texto));
  ui->btnOk->setFocus();
}

bool TfrmMsg::showTip(const QString& id, const QString& texto, int tipoMSG) {
  if (dicas::dicaOculta(dicas::caminhoArquivoDicas(), id)) return false;
  exibirMensagem(texto, tipoMSG);
  gTipID = id;
  ui->ckbHide->setChecked(false);
  ui->ckbHide->setVisible(true);
  return true;
}

bool TfrmMsg::updateTip(const QString& id, bool ocultar) {
  QString erro;
  if (dicas::definirDicaOculta(dicas::caminhoArquivoDicas(), id, ocultar, &erro)) return true;
  TfrmMsg aviso(this);
  aviso.exibirMensagem(erro, kTipoErro);
  aviso.exec();
  return false;
}

void TfrmMsg::ckbHideClick(bool marcado) {
  // The box shows what the file says: a tick that could not be recorded is
  // taken back.
  if (!updateTip(gTipID, marcado)) ui->ckbHide->setChecked(!marcado);
}

void TfrmMsg::reject() { done(kResultadoCancelar); }

void TfrmMsg::keyPressEvent(QKeyEvent* evento) {
  if (evento->key() == Qt::Key_Return || evento->key() == Qt::Key_Enter) {
    const int resultado = resultadoDaTecla(TeclaMensagem::Enter, !ui->btnCancelar->isHidden());
    if (resultado != kResultadoNenhum) done(resultado);
    evento->accept();
    return;
  }
  QDialog::keyPressEvent(evento);
}

}  // namespace mivo
