#pragma once
// The data-table window under test: a base folder of its own, the table
// (CLLista) it shows, and dialogs that answer from a script and record what
// the user would have seen.

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QList>
#include <QStringList>
#include <QTest>
#include <functional>
#include <memory>

#include "unCLLista.h"
#include "unFrmLista.h"
#include "unPastaBaseTeste.h"

namespace mivo::teste {

// Polls a condition while the event loop runs; false after `ms` without it.
inline bool esperar(const std::function<bool()>& condicao, int ms = 5000) {
  QDeadlineTimer prazo(ms);
  while (!condicao()) {
    if (prazo.hasExpired()) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QTest::qWait(5);
  }
  return true;
}

// What the window showed and what the user answers.
struct CLRoteiroDialogos {
  QStringList informacoes, erros, perguntas;
  QList<bool> respostas;              // to the questions, in order ("Não" when none is left)
  QList<QStringList> arquivosAbrir;   // one answer per open dialog (empty: cancelled)
  QStringList salvarComo;             // one answer per save dialog (empty: cancelled)
  QString arquivoQualquer;            // "Obter caminho de arquivo..."
  QString areaTransferencia;
  QString copiado;                    // what went to the clipboard
  struct Entrada {
    QString titulo, texto, botao;
  };
  QList<Entrada> entradas;            // multi-line input windows shown
  QString respostaEntrada;            // what the user types there
  bool confirmaEntrada = true;
  QStringList valores;                // answers of the value-entry box (a null one: cancelled)
  QStringList caixas;                 // input boxes shown, as "title|prompt"; they answer from `valores`
  QStringList filtrosAbrir;           // the filters the open dialog got
  int dialogosAbrir = 0, dialogosSalvar = 0;

  CLDialogosLista dialogos() {
    CLDialogosLista d;
    d.informar = [this](const QString& t) { informacoes << t; };
    d.erro = [this](const QString& t) { erros << t; };
    d.confirmar = [this](const QString& t) {
      perguntas << t;
      return !respostas.isEmpty() && respostas.takeFirst();
    };
    d.pedirValor = [this](const QString&, const QString&, bool* ok) {
      const QString v = valores.isEmpty() ? QString() : valores.takeFirst();
      if (ok) *ok = !v.isNull();
      return v;
    };
    d.caixaTexto = [this](const QString& titulo, const QString& prompt, const QString&, bool* ok) {
      caixas << titulo + u'|' + prompt;
      const QString v = valores.isEmpty() ? QString() : valores.takeFirst();
      if (ok) *ok = !v.isNull();
      return v;
    };
    d.entrada = [this](const QString& titulo, const QString& texto, const QString& botao, bool* ok) {
      entradas.append({titulo, texto, botao});
      if (ok) *ok = confirmaEntrada;
      return confirmaEntrada ? respostaEntrada : QString();
    };
    d.escolherArquivos = [this](QWidget*, const QString& filtro, const QString&) {
      ++dialogosAbrir;
      filtrosAbrir << filtro;
      return arquivosAbrir.isEmpty() ? QStringList() : arquivosAbrir.takeFirst();
    };
    d.escolherSalvar = [this](QWidget*, const QString&, const QString&) {
      ++dialogosSalvar;
      return salvarComo.isEmpty() ? QString() : salvarComo.takeFirst();
    };
    d.escolherArquivo = [this](QWidget*, const QString&, const QString&) { return arquivoQualquer; };
    d.lerAreaTransferencia = [this] { return areaTransferencia; };
    d.gravarAreaTransferencia = [this](const QString& t) { copiado = t; };
    return d;
  }
};

// A progress that cancels once it has been stepped `cancelarApos` times.
class CLProgressoCancelavel : public CLProgresso {
 public:
  explicit CLProgressoCancelavel(int cancelarApos = -1) : gCancelarApos(cancelarApos) {}
  void progressoAbrir(const QString& operacao, int, const QString&, const QString&, const QString&) override {
    operacoes << operacao;
    gPassos = 0;
  }
  void progressoPasso(const QString&) override { ++gPassos; }
  bool progressoCancelado() override { return gCancelarApos >= 0 && gPassos >= gCancelarApos; }
  QStringList operacoes;

 private:
  int gCancelarApos;
  int gPassos = 0;
};

class CLJanelaListaTeste {
 public:
  CLJanelaListaTeste()
      : lista(pasta.filePath(QStringLiteral("recentfiles.txt"))), janela(std::make_unique<TfrmLista>(lista)) {
    janela->setDialogos(roteiro.dialogos());
    janela->setProgresso(&progresso);
    janela->resize(900, 500);
  }

  // The records (rows 1 and up) of the data table.
  QList<QStringList> registros() const {
    QList<QStringList> r;
    for (int l = 1; l < lista.gridDados.RowCount(); ++l) r << lista.gridDados.celulasLinha(l);
    return r;
  }
  QStringList titulos() const { return lista.gridDados.celulasLinha(0); }

  // Puts records into the table as a paste would, then forgets the paste's
  // effects on the file association.
  void preencher(const QString& texto) {
    lista.gridZerar(true);
    lista.colarCheck(texto);
  }

  QString gravarArquivo(const QString& nome, const QByteArray& conteudo) const {
    const QString caminho = pasta.filePath(nome);
    QFile f(caminho);
    if (f.open(QIODevice::WriteOnly)) f.write(conteudo);
    return caminho;
  }

  CLPastaBaseTeste pasta;
  CLRoteiroDialogos roteiro;
  CLProgressoCancelavel progresso;
  CLLista lista;
  std::unique_ptr<TfrmLista> janela;
};

}  // namespace mivo::teste
