#include "unFrmSalvarFile.h"

#include <QDir>
#include <QFileDialog>
#include <QPushButton>

#include "ui_unFrmSalvarFile.h"
#include "unDialogos.h"
#include "unUtil.h"

namespace mivo {

namespace {

QString escolherComDialogoPadrao(QWidget* pai, const QString& pasta, const QString& filtro, const QString& sufixo) {
  QFileDialog dialogo(pai, QString(), pasta, filtro);
  dialogo.setAcceptMode(QFileDialog::AcceptSave);
  dialogo.setDefaultSuffix(sufixo);
  // The save-as asks itself before replacing a file, whichever way it was
  // named.
  dialogo.setOption(QFileDialog::DontConfirmOverwrite);
  if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty()) return {};
  return dialogo.selectedFiles().constFirst();
}

}  // namespace

TfrmSalvarFile::TfrmSalvarFile(QWidget* pai)
    : QDialog(pai), ui(std::make_unique<Ui::TfrmSalvarFile>()), gEscolherArquivo(escolherComDialogoPadrao) {
  ui->setupUi(this);
  // The header is white whatever the style's colours are.
  QPalette cabecalho = ui->pnTitulo->palette();
  cabecalho.setColor(QPalette::Window, Qt::white);
  cabecalho.setColor(QPalette::WindowText, Qt::black);
  ui->pnTitulo->setPalette(cabecalho);
  connect(ui->btnOk, &QPushButton::clicked, this, [this] { done(kResultadoOk); });
  connect(ui->btnCancelar, &QPushButton::clicked, this, [this] { done(kResultadoCancelar); });
  connect(ui->btnOutroLocal, &QPushButton::clicked, this, &TfrmSalvarFile::btnOutroLocalClick);
  connect(ui->edtNome, &QLineEdit::textChanged, this, &TfrmSalvarFile::edtNomeChange);
  edtNomeChange();
}

TfrmSalvarFile::~TfrmSalvarFile() = default;

QString TfrmSalvarFile::salvarArquivo(const QString& titulo, const QString& extensao, const QString& pastaPadrao,
                                      const QString& dados, const QString& nomePadrao,
                                      CodificacaoArquivo codificacao) {
  ui->lbTitle->setText(titulo);
  ui->edtNome->setText(nomePadrao);
  ui->edtNome->selectAll();
  ui->edtNome->setFocus();
  gDados = dados;
  gExtensao = extensao;
  gPastaPadrao = pastaPadrao;
  if (exec() != kResultadoOk) return {};
  QWidget* pai = parentWidget();
  QString erro;
  const QString gravado = gravarComo(
      nome(), pastaPadrao, extensao, gDados, codificacao,
      [pai](const QString&) {
        return dialogos::perguntarSimNao(QStringLiteral("Esse arquivo já existe. Deseja sobrepor?"), pai) ==
               kResultadoSim;
      },
      &erro);
  if (gravado.isEmpty() && !erro.isEmpty()) dialogos::mostrarErro(erro, pai);
  return gravado;
}

QString TfrmSalvarFile::nome() const { return ui->edtNome->text(); }

void TfrmSalvarFile::reject() { done(kResultadoCancelar); }

void TfrmSalvarFile::btnOutroLocalClick() {
  QString pasta = gPastaPadrao;
  pasta.replace(u'\\', u'/');
  pasta = QDir::cleanPath(QDir(pastaBase()).filePath(pasta));
  QString sufixo = gExtensao;
  if (sufixo.startsWith(u'.')) sufixo.remove(0, 1);
  const QString padrao = sufixo.isEmpty() ? QStringLiteral("*") : QLatin1String("*.") + sufixo;
  // The standard dialog opens in the default folder (made when missing:
  // otherwise it proposed a file named after the folder) with the name
  // typed so far.
  QDir().mkpath(pasta);
  const QString nomeDigitado = QFileInfo(aparar(nome()).replace(u'\\', u'/')).fileName();
  const QString inicio = nomeDigitado.isEmpty() ? pasta : QDir(pasta).filePath(nomeDigitado);
  const QString escolhido = gEscolherArquivo(this, inicio, padrao + QLatin1String(" (") + padrao + u')', sufixo);
  if (escolhido.isEmpty()) return;
  ui->edtNome->setText(QDir::toNativeSeparators(escolhido));
  done(kResultadoOk);
}

// A blank name would be saved as a file named only by its extension.
void TfrmSalvarFile::edtNomeChange() { ui->btnOk->setEnabled(!aparar(ui->edtNome->text()).isEmpty()); }

}  // namespace mivo
