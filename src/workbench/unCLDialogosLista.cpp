#include "unCLDialogosLista.h"

#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLineEdit>

#include "unDialogos.h"

namespace mivo {

CLDialogosLista CLDialogosLista::padrao() {
  CLDialogosLista d;
  d.informar = [](const QString& t) { dialogos::mostrarInformacao(t); };
  d.erro = [](const QString& t) { dialogos::mostrarErro(t); };
  d.confirmar = [](const QString& t) { return dialogos::confirmar(t); };
  d.pedirValor = [](const QString& titulo, const QString& texto, bool* ok) {
    return dialogos::pedirValor(titulo, texto, ok);
  };
  d.caixaTexto = [](const QString& titulo, const QString& prompt, const QString& padrao, bool* ok) {
    return QInputDialog::getText(nullptr, titulo, prompt, QLineEdit::Normal, padrao, ok);
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
