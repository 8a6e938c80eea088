#pragma once
// Helpers for driving modal windows in tests: answer the next window of a
// type when its modal loop has started, and type text key by key (also
// accented letters, which QTest::keyClicks refuses).

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

namespace mivo::teste {

// Windows already answered, so that a second helper of the same type waits
// for a new one (a message shown over another message).
inline std::vector<QPointer<QWidget>>& janelasAtendidas() {
  static std::vector<QPointer<QWidget>> lista;
  return lista;
}

// Calls `acao` once with the first modal window of type T (or, failing
// that, a visible top-level one) that opens while this object lives
// (polling every 10 ms). When none opens within
// `limiteMs`, whatever modal window is open is closed, so that a failing
// test ends instead of hanging; expirou() then says so.
template <class T>
class CLEsperaModal {
 public:
  explicit CLEsperaModal(std::function<void(T&)> acao, int limiteMs = 5000)
      : gAcao(std::move(acao)), gLimiteMs(limiteMs) {
    gRelogio.start();
    QObject::connect(&gTimer, &QTimer::timeout, [this] { verificar(); });
    gTimer.start(10);
  }
  CLEsperaModal(const CLEsperaModal&) = delete;
  CLEsperaModal& operator=(const CLEsperaModal&) = delete;

  bool atendida() const { return gAtendida; }
  bool expirou() const { return gExpirou; }

 private:
  void verificar() {
    QWidget* ativa = QApplication::activeModalWidget();
    T* janela = qobject_cast<T*>(ativa);
    if (!janela || jaAtendida(janela)) janela = outraAberta();
    if (janela && janela->isVisible() && !jaAtendida(janela)) {
      gTimer.stop();
      janelasAtendidas().emplace_back(janela);
      gAtendida = true;
      gAcao(*janela);
      return;
    }
    if (gRelogio.elapsed() > gLimiteMs) {
      gTimer.stop();
      gExpirou = true;
      if (ativa) ativa->close();
    }
  }
  // A window of type T shown without a modal loop of its own (the
  // workbench's messages during a run).
  static T* outraAberta() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      T* janela = qobject_cast<T*>(w);
      if (janela && janela->isVisible() && !jaAtendida(janela)) return janela;
    }
    return nullptr;
  }
  static bool jaAtendida(QWidget* janela) {
    for (const auto& p : janelasAtendidas())
      if (p == janela) return true;
    return false;
  }

  std::function<void(T&)> gAcao;
  int gLimiteMs;
  QTimer gTimer;
  QElapsedTimer gRelogio;
  bool gAtendida = false;
  bool gExpirou = false;
};

// Sends one key press and release to `alvo`.
inline void tecla(QWidget* alvo, int codigo, const QString& texto = {}) {
  QKeyEvent aperta(QEvent::KeyPress, codigo, Qt::NoModifier, texto);
  QApplication::sendEvent(alvo, &aperta);
  QKeyEvent solta(QEvent::KeyRelease, codigo, Qt::NoModifier, texto);
  QApplication::sendEvent(alvo, &solta);
}

// Types `texto` into `alvo` one character at a time; "\n" is Enter.
inline void digitar(QWidget* alvo, const QString& texto) {
  for (const QChar c : texto) {
    if (c == u'\n')
      tecla(alvo, Qt::Key_Return, QStringLiteral("\r"));
    else
      tecla(alvo, Qt::Key_unknown, QString(c));
  }
}

}  // namespace mivo::teste
