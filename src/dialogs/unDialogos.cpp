#include "unDialogos.h"

#include <QGuiApplication>
#include <QScreen>

#include "unFrmGetValue.h"
#include "unFrmInput.h"
#include "unFrmMsg.h"

namespace mivo::dialogos {

namespace {

int mostrar(const QString& texto, int tipo, QWidget* pai) {
  TfrmMsg janela(pai);
  janela.exibirMensagem(texto, tipo);
  return janela.exec();
}

// A height asked for by a caller (a script may ask for anything): kept
// between what the window needs and the height of its screen.
void aplicarAltura(QWidget& janela, int altura) {
  if (altura == kAlturaPadraoAjuda) return;
  const QScreen* tela = janela.screen() ? janela.screen() : QGuiApplication::primaryScreen();
  const int maxima = tela ? tela->availableGeometry().height() : altura;
  janela.resize(janela.width(), alturaJanela(altura, janela.minimumHeight(), maxima));
}

}  // namespace

void mostrarInformacao(const QString& texto, QWidget* pai) { mostrar(texto, kTipoInformacao, pai); }
void mostrarErro(const QString& texto, QWidget* pai) { mostrar(texto, kTipoErro, pai); }
void mostrarAviso(const QString& texto, QWidget* pai) { mostrar(texto, kTipoAviso, pai); }
int perguntarSimNao(const QString& texto, QWidget* pai) { return mostrar(texto, kTipoPergunta, pai); }

void mostrarDica(const QString& id, const QString& texto, int altura, QWidget* pai) {
  TfrmMsg janela(pai);
  if (!janela.showTip(id, texto, kTipoDica)) return;
  aplicarAltura(janela, altura);
  janela.exec();
}

void mostrarAjuda(const QString& texto, int altura, QWidget* pai) {
  TfrmMsg janela(pai);
  janela.exibirMensagem(texto, kTipoAjuda);
  aplicarAltura(janela, altura);
  janela.exec();
}

QString pedirValor(const QString& titulo, const QString& textoInicial, bool* confirmado, QWidget* pai) {
  TfrmGetValue janela(pai);
  janela.preparar(titulo, textoInicial);
  const bool ok = janela.exec() == kResultadoOk;
  if (confirmado) *confirmado = ok;
  return ok ? janela.valor() : QString();
}

QString mostrarEntrada(const QString& titulo, const QString& descricao, const QString& texto,
                       const QString& legendaBotao, bool* confirmado, QWidget* pai) {
  TfrmInput janela(pai);
  janela.preparar(titulo, descricao, texto, legendaBotao);
  const bool ok = janela.exec() == kResultadoOk;
  if (confirmado) *confirmado = ok;
  return ok ? janela.texto() : QString();
}

}  // namespace mivo::dialogos
