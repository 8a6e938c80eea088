#pragma once
// For the workbench's window tests: a named child widget, and an answer to
// the next message window (TfrmMsg).

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>

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

}  // namespace mivo::teste
