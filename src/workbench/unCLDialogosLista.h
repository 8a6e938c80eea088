#pragma once
// The questions, messages and file dialogs of the data-table window and of
// its open/import window, as functions that tests replace.

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace mivo {

// The dialogs of the data-table window. Each member defaults to the
// program's own window (see unDialogos.h) or to the standard file dialogs.
struct CLDialogosLista {
  std::function<void(const QString&)> informar;
  std::function<void(const QString&)> erro;
  // True only for "Sim".
  std::function<bool(const QString&)> confirmar;
  // The value-entry box: the text entered; `ok` false when cancelled.
  std::function<QString(const QString& titulo, const QString& texto, bool* ok)> pedirValor;
  // The input box with a window title, a prompt and a default text: the
  // text entered; `ok` false when cancelled.
  std::function<QString(const QString& titulo, const QString& prompt, const QString& padrao, bool* ok)> caixaTexto;
  // The multi-line input window.
  std::function<QString(const QString& titulo, const QString& texto, const QString& botao, bool* ok)> entrada;
  // The open dialog: the chosen files in order, none when cancelled.
  // `filtro` is a Qt name filter.
  std::function<QStringList(QWidget* pai, const QString& filtro, const QString& pasta)> escolherArquivos;
  // The save dialog: the chosen path, empty when cancelled.
  std::function<QString(QWidget* pai, const QString& filtro, const QString& caminhoProposto)> escolherSalvar;
  // One file of any kind ("Obter caminho de arquivo..."), empty when cancelled.
  std::function<QString(QWidget* pai, const QString& filtro, const QString& pasta)> escolherArquivo;
  // The clipboard's text, and putting a text there.
  std::function<QString()> lerAreaTransferencia;
  std::function<void(const QString&)> gravarAreaTransferencia;

  static CLDialogosLista padrao();
};

// The least width of a small box (the column-name box) for its whole
// caption (windowTitle) to show in the title bar.
int larguraCaixaComLegenda(const QWidget& caixa);

}  // namespace mivo
