#pragma once
// CLGravador: the action recorder's logic, apart from its window. It polls
// the state of every key and mouse button through the desktop services
// (nothing is hooked or grabbed) and turns each new press into the script
// statements that repeat it, with a pause statement for the idle time
// before it.

#include <QString>
#include <QStringList>
#include <functional>

namespace mivo {

class CLDesktop;

class CLGravador {
 public:
  // Milliseconds of a steady clock; tests give a clock of their own.
  using Relogio = std::function<qint64()>;

  CLGravador(CLDesktop& desktop, Relogio agora);

  // The key finder: the lowest code (0..500) held down now that was not
  // reported yet, or 0. Each press is reported once; while the last
  // reported key stays down nothing else is. The mouse buttons are the
  // codes 1 (left) and 2 (right).
  int localizarTecla();

  // What one polling step recorded.
  struct Gravado {
    int tecla = 0;        // 0: nothing
    QString texto;        // the key's text, for the "Tecla" column
    QStringList linhas;   // statements for the "Script" column
    bool parar = false;   // F10: stop recording, nothing written
  };
  // One polling step (every 10 ms while recording). `scriptTemLinhas`: the
  // script column already holds a line (the first action gets no pause).
  Gravado passo(bool scriptTemLinhas);

  // The text of a key: "Mouse (ação)", "SHIFT", "a", "F5"...; empty for
  // keys without one (Enter, arrows, the numeric pad...).
  static QString charToString(int tecla);
  // The two statements of a click at the pointer: tipo 1 the left button,
  // 2 the right one.
  QStringList getMouseString(int tipo) const;
  // "Mostrar tabela de caracteres": "code -> character" for every code
  // from 0 to 500 whose character is not blank.
  static QStringList tabelaCaracteres();

 private:
  CLDesktop& gDesktop;
  Relogio gAgora;
  int gLastKey = 0;
  bool gSuprimir = false;
  qint64 gLastAction = -1;  // -1: no action recorded yet
};

}  // namespace mivo
