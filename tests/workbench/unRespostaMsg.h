#pragma once
// For the workbench's window tests: a named child widget, and an answer to
// the next message window (TfrmMsg).

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "unApoioDialogos.h"
#include "unFrmMsg.h"

namespace mivo::teste {

template <class T>
T* filho(QObject& pai, const char* nome) {
  T* w = pai.findChild<T*>(QString::fromLatin1(nome));
  EXPECT_NE(w, nullptr) << nome;
  return w;
}

// Answers the next message window: its text goes to `texto`; "sim" or "ok"
// presses its first button, anything else the second (or closes it).
class CLResposta {
 public:
  explicit CLResposta(QString acao = QStringLiteral("ok"))
      : gEspera([this, acao](TfrmMsg& j) {
          gTexto = filho<QLabel>(j, "lbMsg")->text();
          if (acao == QLatin1String("sim") || acao == QLatin1String("ok"))
            QTest::mouseClick(filho<QPushButton>(j, "btnOk"), Qt::LeftButton);
          else
            j.reject();
        }) {}
  const QString& texto() const { return gTexto; }
  bool atendida() const { return gEspera.atendida(); }

 private:
  QString gTexto;
  CLEsperaModal<TfrmMsg> gEspera;
};

// Calls `responder` once for every message window that shows while it
// lives, with the window and its text; also inside the event pumps of a run.
class CLVigiaMensagens {
 public:
  explicit CLVigiaMensagens(std::function<void(TfrmMsg&, const QString&)> responder)
      : gResponder(std::move(responder)) {
    QObject::connect(&gTimer, &QTimer::timeout, [this] { verificar(); });
    gTimer.start(10);
  }
  // The texts of the messages seen, in order.
  const QStringList& textos() const { return gTextos; }
  static void ok(TfrmMsg& msg) { QTest::mouseClick(filho<QPushButton>(msg, "btnOk"), Qt::LeftButton); }

 private:
  void verificar() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      auto* msg = qobject_cast<TfrmMsg*>(w);
      if (!msg || !msg->isVisible() || msg->property("vista").toBool()) continue;
      msg->setProperty("vista", true);
      gTextos << filho<QLabel>(*msg, "lbMsg")->text();
      gResponder(*msg, gTextos.last());
    }
  }
  std::function<void(TfrmMsg&, const QString&)> gResponder;
  QStringList gTextos;
  QTimer gTimer;
};

}  // namespace mivo::teste
