#include "unCLDialogosLista.h"

#include <QClipboard>
#include <QFontMetrics>
#include <QFileDialog>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLayout>
#include <QLineEdit>
#include <algorithm>

#include "unDialogos.h"

namespace mivo {

int larguraCaixaComLegenda(const QWidget& caixa) {
  // Title bars draw the caption in bold, beside the frame's icon and
  // buttons; a box only as wide as its prompt shows it clipped.
  constexpr int kMoldura = 160;
  QFont negrito = caixa.font();
  negrito.setBold(true);
  return std::max(caixa.minimumSizeHint().width(),
                  QFontMetrics(negrito).horizontalAdvance(caixa.windowTitle()) + kMoldura);
}

CLDialogosLista CLDialogosLista::padrao() {
  CLDialogosLista d;
  d.informar = [](const QString& t) { dialogos::mostrarInformacao(t); };
  d.erro = [](const QString& t) { dialogos::mostrarErro(t); };
  d.confirmar = [](const QString& t) { return dialogos::confirmar(t); };
  d.pedirValor = [](const QString& titulo, const QString& texto, bool* ok) {
    return dialogos::pedirValor(titulo, texto, ok);
  };
  d.caixaTexto = [](const QString& titulo, const QString& prompt, const QString& padrao, bool* ok) {
    QInputDialog caixa;
    caixa.setInputMode(QInputDialog::TextInput);
    caixa.setWindowTitle(titulo);
    caixa.setLabelText(prompt);
    caixa.setTextValue(padrao);
    // The box sizes itself to its layout: the line edit is what widens it.
    if (auto* campo = caixa.findChild<QLineEdit*>()) {
      const QMargins margens = caixa.layout() ? caixa.layout()->contentsMargins() : QMargins();
      campo->setMinimumWidth(larguraCaixaComLegenda(caixa) - margens.left() - margens.right());
    }
    const bool aceito = caixa.exec() == QDialog::Accepted;
    if (ok) *ok = aceito;
    return aceito ? caixa.textValue() : QString();
  };
  d.entrada = [](const QString& titulo, const QString& texto, const QString& botao, bool* ok) {
    return dialogos::mostrarEntrada(titulo, QString(), texto, botao, ok);
  };
  d.escolherArquivos = [](QWidget* pai, const QString& filtro, const QString& pasta) {
    return QFileDialog::getOpenFileNames(pai, QStringLiteral("Abrir"), pasta, filtro);
  };
  d.escolherSalvar = [](QWidget* pai, const QString& filtro, const QString& proposto) {
    // The window asks about replacing a file itself.
    return QFileDialog::getSaveFileName(pai, QStringLiteral("Salvar como..."), proposto, filtro, nullptr,
                                        QFileDialog::DontConfirmOverwrite);
  };
  d.escolherArquivo = [](QWidget* pai, const QString& filtro, const QString& pasta) {
    return QFileDialog::getOpenFileName(pai, QStringLiteral("Abrir"), pasta, filtro);
  };
  d.lerAreaTransferencia = [] { return QGuiApplication::clipboard()->text(); };
  d.gravarAreaTransferencia = [](const QString& t) { QGuiApplication::clipboard()->setText(t); };
  return d;
}

}  // namespace mivo
