#pragma once
// The save-as window: a title, the name to save under in the default
// folder, and "Prefiro salvar em outro local..." for the standard save
// dialog. One instance serves the whole program; it keeps the name and the
// text of the last call until the next one replaces them.

#include <QDialog>
#include <QString>
#include <functional>
#include <memory>

#include "unRegrasDialogos.h"

namespace Ui {
class TfrmSalvarFile;
}

namespace mivo {

class TfrmSalvarFile : public QDialog {
  Q_OBJECT

 public:
  // The standard save dialog: the chosen path, or empty when the user gave
  // up. `filtro` is in Qt's form ("*.txt (*.txt)"), `sufixo` without dot.
  using EscolherArquivo = std::function<QString(QWidget* pai, const QString& pasta, const QString& filtro,
                                                const QString& sufixo)>;

  explicit TfrmSalvarFile(QWidget* pai = nullptr);
  ~TfrmSalvarFile() override;

  // Save-as: shows the window proposing `nomePadrao`; a bare name is saved
  // in `pastaPadrao` (below the base folder, Windows-style as "dados\\textos")
  // with `extensao` (".txt"); an existing file is replaced only after the
  // user agrees. Returns the written path (gFile); empty when nothing was
  // written. A failed write is shown to the user.
  QString salvarArquivo(const QString& titulo, const QString& extensao, const QString& pastaPadrao,
                        const QString& dados, const QString& nomePadrao,
                        CodificacaoArquivo codificacao = CodificacaoArquivo::Ansi);

  // The name field (edtNome) and the text kept from the last call (gDados).
  QString nome() const;
  const QString& dados() const { return gDados; }

  // Replaces the standard save dialog (tests answer it themselves).
  void setEscolherArquivo(EscolherArquivo escolher) { gEscolherArquivo = std::move(escolher); }

  void reject() override;

 private:
  void btnOutroLocalClick();
  void edtNomeChange();

  std::unique_ptr<Ui::TfrmSalvarFile> ui;
  QString gDados;
  QString gExtensao;
  QString gPastaPadrao;
  EscolherArquivo gEscolherArquivo;
};

}  // namespace mivo
