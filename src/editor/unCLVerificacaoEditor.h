#pragma once
// The script checker run behind the editor: some time after the last change
// it checks the text and underlines each line with findings (a squiggle, red
// for errors and orange for warnings); the messages of a line are its
// tooltip. Texts above a size limit are checked on a worker thread; results
// are applied only when the text has not changed meanwhile, so the editor
// never waits for the checker.

#include <QFutureWatcher>
#include <QHash>
#include <QObject>
#include <QTimer>

#include "unVerificador.h"

class QsciScintilla;

namespace mivo {

class CLVerificacaoEditor : public QObject {
  Q_OBJECT

 public:
  static constexpr int kIndicadorErro = 8;
  static constexpr int kIndicadorAviso = 9;

  explicit CLVerificacaoEditor(QsciScintilla* editor);

  // Time between the last change and the check (300 ms).
  void setAtraso(int ms) { gTimer.setInterval(ms); }
  int atraso() const { return gTimer.interval(); }
  // Texts of at most this many characters are checked at once on the
  // user-interface thread (64 KB); larger ones on a worker.
  void setLimiteSincrono(qsizetype caracteres) { gLimiteSincrono = caracteres; }

  // The text changed: the findings are stale and a check is scheduled.
  void textoMudou();
  // Checks now (on a worker for large texts) instead of waiting.
  void verificarAgora();

  // True when the findings shown belong to the current text.
  bool emDia() const { return gRevisaoAplicada == gRevisao; }
  // A check is running on the worker.
  bool ocupada() const { return gRodando; }
  const QList<CLAchado>& achados() const { return gAchados; }
  // The messages of the finding under `posicao` (Scintilla position), one a
  // line; empty where nothing is underlined.
  QString dicaEm(int posicao) const;

  // The findings of an editor's text (lines split at "\n", a "\r" before it
  // dropped), as a check finds them.
  static QList<CLAchado> verificarTexto(const QString& texto);

 signals:
  void concluida(int qtdAchados);

 private:
  struct Resultado {
    quint64 revisao = 0;
    QList<CLAchado> achados;
  };
  static Resultado verificar(quint64 revisao, const QString& texto);
  void aplicar(const Resultado& r);
  void mostrarDica(int posicao, int x, int y);

  QsciScintilla* gEditor;
  QTimer gTimer;
  qsizetype gLimiteSincrono = 64 * 1024;
  quint64 gRevisao = 1;
  quint64 gRevisaoAplicada = 0;
  bool gRodando = false;
  bool gPendente = false;
  QFutureWatcher<Resultado> gObservador;
  QList<CLAchado> gAchados;
  QHash<int, QString> gMensagens;  // 0-based line -> its messages
};

}  // namespace mivo
