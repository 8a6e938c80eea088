#pragma once
// The run log of the workbench as list data: each entry a text and a colour,
// at most kMaxEntradasLog of them (the oldest go first), with the switches
// over the list ("Pausar log", checked at start, and "Debugação") and
// "Zerar". The log page's owner-drawn list shows it.

#include <QAbstractListModel>
#include <QColor>
#include <QList>
#include <QTime>

#include "unCLHost.h"

namespace mivo {

class CLModeloLog : public QAbstractListModel {
  Q_OBJECT

 public:
  static constexpr int kMaxEntradas = 1000;
  static constexpr int kMaxCaracteres = 10000;  // longer entries are cut, ending in "…"
  // The entry's colour as CorLog (an int) under this role.
  static constexpr int kPapelCor = Qt::UserRole + 1;

  explicit CLModeloLog(QObject* pai = nullptr);

  bool pausado() const { return gPausado; }
  void setPausado(bool valor) { gPausado = valor; }
  bool debug() const { return gDebug; }
  void setDebug(bool valor) { gDebug = valor; }

  // The entry as shown: time (HH:mm:ss) + " - " + message. It is appended
  // unless the log is paused; the run bar shows it either way.
  QString setLogGeral(const QString& mensagem, CorLog cor, const QTime& hora);
  // Appends " " + text to the last entry (it keeps its colour); nothing when
  // the log is paused or empty.
  void editLogGeral(const QString& textoadd);
  // "Zerar".
  void zerar();

  QString texto(int linha) const { return gEntradas.at(linha).texto; }
  CorLog cor(int linha) const { return gEntradas.at(linha).cor; }
  // The colour an entry is drawn in; `textoJanela` for ordinary entries.
  static QColor corDesenho(CorLog cor, const QColor& textoJanela);

  int rowCount(const QModelIndex& pai = {}) const override;
  QVariant data(const QModelIndex& indice, int papel) const override;

 private:
  struct Entrada {
    QString texto;
    CorLog cor = CorLog::Texto;
  };
  static QString cortar(const QString& texto);

  QList<Entrada> gEntradas;
  bool gPausado = true;
  bool gDebug = false;
};

}  // namespace mivo
