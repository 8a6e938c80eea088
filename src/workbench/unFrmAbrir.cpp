#include "unFrmAbrir.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPushButton>

#include "ui_unFrmAbrir.h"
#include "unCLNegOffice.h"
#include "unFrmLista.h"

namespace mivo {

TfrmAbrir::TfrmAbrir(TfrmLista& gForm, Pagina pagina, QWidget* pai)
    : QDialog(pai), ui(std::make_unique<Ui::TfrmAbrir>()), gForm(gForm) {
  ui->setupUi(this);
  ui->pgcAbrir->setCurrentWidget(pagina == Pagina::Texto ? ui->tsTexto : ui->tsPlanilha);
  connect(ui->btnSelecionarTexto, &QPushButton::clicked, this, &TfrmAbrir::btnSelecionarTextoClick);
  connect(ui->btnSelecionarPlanilha, &QPushButton::clicked, this, &TfrmAbrir::btnSelecionarPlanilhaClick);
  connect(ui->btnCancelarTexto, &QPushButton::clicked, this, &QDialog::reject);
  connect(ui->btnCancelarPlanilha, &QPushButton::clicked, this, &QDialog::reject);
}

TfrmAbrir::~TfrmAbrir() = default;

TfrmAbrir::Pagina TfrmAbrir::pagina() const {
  return ui->pgcAbrir->currentWidget() == ui->tsTexto ? Pagina::Texto : Pagina::Planilha;
}

bool TfrmAbrir::descartar() const { return ui->rbDescartarTexto->isChecked(); }

void TfrmAbrir::setDescartar(bool descartar) {
  (descartar ? ui->rbDescartarTexto : ui->rbAdicionarTexto)->setChecked(true);
}

QString TfrmAbrir::perguntaDescartar() {
  return QStringLiteral(
      "Se você abrir um arquivo, as modificações da lista atual não serão salvas. Deseja continuar?");
}

bool TfrmAbrir::podeDescartar() {
  const CLLista& lista = gForm.lista();
  if (!lista.temDados() || lista.estaSalvo()) return true;
  return gForm.dialogos().confirmar(perguntaDescartar());
}

void TfrmAbrir::btnSelecionarTextoClick() {
  const bool descartando = descartar();
  if (descartando) {
    if (!podeDescartar()) return;
    gForm.ocultarAcoesPendentes();
  }
  const Desfecho desfecho = gForm.abrirDeArquivo(descartando);
  // The table now holds only what was just read from the file: it counts
  // as saved. Not after a cancelled dialog or a failed read, when what it
  // holds is still the unsaved data of before.
  if (descartando && desfecho == Desfecho::Concluido) {
    gForm.lista().gEditou = false;
    gForm.showStatus(gForm.lista().gridDados);
  }
  accept();
}

void TfrmAbrir::btnSelecionarPlanilhaClick() {
  if (!podeDescartar()) return;
  const QStringList arquivos = gForm.escolherArquivosLista();
  const QString arquivo = arquivos.isEmpty() ? QString() : arquivos.first();
  if (QFileInfo(arquivo).isFile() && CLNegOffice::ehPlanilha(arquivo)) {
    CLAmbienteImportacao ambiente;
    ambiente.progresso = &gForm.progresso();
    ambiente.informar = gForm.dialogos().informar;
    ambiente.terminando = [] { return QCoreApplication::closingDown(); };
    // The sheet is read aside and replaces the table only when something
    // was read: a failure leaves the table as it was, and says why.
    const ResultadoImportacao r = gForm.negOffice().importarParaLista(arquivo, ambiente, gForm.lista());
    if (r.desfecho == Desfecho::Falhou)
      gForm.dialogos().erro(r.mensagem);
    else if (r.desfecho == Desfecho::Cancelado && !r.mensagem.isEmpty())
      gForm.dialogos().informar(r.mensagem);
    if (r.registros > 0 || r.desfecho == Desfecho::Concluido) gForm.AutoSizeGrid();
    gForm.showStatus(gForm.lista().gridDados);
  }
  accept();
}

}  // namespace mivo
