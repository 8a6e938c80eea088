#pragma once
// TfrmAbrir, the open/import window ("Abrir / importar"): opens list files
// into the data table ("Arquivo texto", discarding or appending) and
// imports the first sheet of a spreadsheet ("Arquivo Excel"). It acts only
// on the data-table window it was opened for (gForm), through whose
// dialogs every question and file choice goes.

#include <QDialog>
#include <memory>

namespace Ui {
class TfrmAbrir;
}

namespace mivo {

class TfrmLista;

class TfrmAbrir : public QDialog {
  Q_OBJECT

 public:
  enum class Pagina { Texto, Planilha };

  TfrmAbrir(TfrmLista& gForm, Pagina pagina, QWidget* pai = nullptr);
  ~TfrmAbrir() override;

  Pagina pagina() const;
  // "Os dados atuais serão descartados ao abrir este arquivo" on the text
  // page (the other choice appends).
  bool descartar() const;
  void setDescartar(bool descartar);

  // "Selecionar arquivo" on each page. The window closes with OK unless the
  // user declined to lose unsaved changes (it then stays open).
  void btnSelecionarTextoClick();
  void btnSelecionarPlanilhaClick();

  static QString perguntaDescartar();

 private:
  // The question before unsaved data is replaced: true to go on.
  bool podeDescartar();

  std::unique_ptr<Ui::TfrmAbrir> ui;
  TfrmLista& gForm;
};

}  // namespace mivo
