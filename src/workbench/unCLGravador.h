#pragma once
// CLGravador: the action recorder's logic, apart from its window. It polls
// the state of every key and mouse button through the desktop services
// (nothing is hooked or grabbed) and turns each new press into the script
// statements that repeat it, with a pause statement for the idle time
// before it.
//
// A key that types a character its code alone would not type back (a
// letter with Shift held, a shifted symbol, an accented letter made with a
// dead key) is written as "&TextoDigitar" with that character; the Shift
// press and the dead key that went into it write nothing. A left-button
// press and release at two different points is a drag ("&MouseArrastar").

#include <QList>
#include <QString>
#include <QStringList>
#include <bitset>
#include <functional>

#include "unCLDesktop.h"

namespace mivo {

class CLGravador {
 public:
  // Milliseconds of a steady clock; tests give a clock of their own.
  using Relogio = std::function<qint64()>;

  CLGravador(CLDesktop& desktop, Relogio agora);

  // The key finder: the lowest code (0..500) held down now whose press was
  // not taken yet, or 0. Each press is taken once, however long the key
  // stays down. The left and right codes of Shift, Ctrl and Alt (160..165)
  // go down with the shared code (16, 17, 18) and are the same press. Keys
  // pressed while Ctrl, Alt or the Windows key is held are taken and not
  // reported: combinations are not recorded. The mouse buttons are the codes
  // 1 (left) and 2 (right).
  int localizarTecla();

  // One row of the "ID da tecla" and "Tecla" columns.
  struct Entrada {
    int tecla = 0;
    QString texto;
    friend bool operator==(const Entrada&, const Entrada&) = default;
  };
  // What one polling step recorded.
  struct Gravado {
    int tecla = 0;          // the last row's key; 0: nothing
    QString texto;          // the last row's text
    QList<Entrada> linhasTecla;  // every row, in order
    QStringList linhas;     // statements for the "Script" column
    bool parar = false;     // F10: stop recording, nothing written
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
  // The statement that types `texto` back exactly as it is.
  static QString linhaTexto(const QString& texto);
  // A left button released this many pixels or more away from where it went
  // down (on either axis) was dragged.
  static constexpr int kDistanciaArrasto = 4;

 private:
  int localizar(const std::bitset<256>& pressionadas);
  // Appends one action, with the pause before it, the Shift press still
  // waiting first. `quando`: when it happened; `fim`: when it ended.
  void escrever(Gravado& g, bool& temLinhas, int tecla, const QString& texto, const QStringList& linhas,
                qint64 quando, qint64 fim);
  void teclaComum(Gravado& g, bool& temLinhas, int tecla, qint64 agora);
  // Writes the Shift press that still waits, if no character took it.
  void escreverShift(Gravado& g, bool& temLinhas);
  void soltarBotao(Gravado& g, bool& temLinhas, qint64 agora);

  CLDesktop& gDesktop;
  Relogio gAgora;
  int gLastKey = 0;          // code of the last recorded action
  qint64 gLastAction = -1;   // -1: no action recorded yet
  std::bitset<256> gTomadas; // presses taken, of keys still held
  char32_t gAcento = 0;      // the accent of a dead key, waiting for its letter
  // A Shift press waits: it is written only when no character took it.
  struct {
    bool ativo = false;
    bool usado = false;  // a character took it, or it was written
    qint64 quando = 0;
  } gShift;
  // A left-button press waits for its release: a click or a drag.
  struct {
    bool ativo = false;
    PontoTela ponto;
    qint64 quando = 0;
  } gBotao;
};

}  // namespace mivo
