#include "unCLVerificacaoEditor.h"

#include <Qsci/qsciscintilla.h>

#include <QPromise>
#include <QThreadPool>
#include <QToolTip>
#include <memory>

namespace mivo {

CLVerificacaoEditor::CLVerificacaoEditor(QsciScintilla* editor) : QObject(editor), gEditor(editor) {
  gTimer.setSingleShot(true);
  gTimer.setInterval(300);
  connect(&gTimer, &QTimer::timeout, this, &CLVerificacaoEditor::verificarAgora);
  connect(&gObservador, &QFutureWatcher<Resultado>::finished, this, [this] {
    gRodando = false;
    const Resultado r = gObservador.future().resultCount() > 0 ? gObservador.result() : Resultado{};
    if (r.revisao == gRevisao) aplicar(r);
    if (gPendente) {
      gPendente = false;
      verificarAgora();
    }
  });

  editor->indicatorDefine(QsciScintilla::SquiggleIndicator, kIndicadorErro);
  editor->setIndicatorForegroundColor(QColor(0xE0, 0x00, 0x00), kIndicadorErro);
  editor->indicatorDefine(QsciScintilla::SquiggleIndicator, kIndicadorAviso);
  editor->setIndicatorForegroundColor(QColor(0xE0, 0x90, 0x00), kIndicadorAviso);
  editor->SendScintilla(QsciScintillaBase::SCI_SETMOUSEDWELLTIME, 500);
  connect(editor, &QsciScintillaBase::SCN_DWELLSTART, this, &CLVerificacaoEditor::mostrarDica);
  connect(editor, &QsciScintillaBase::SCN_DWELLEND, this, [] { QToolTip::hideText(); });
}

void CLVerificacaoEditor::textoMudou() {
  ++gRevisao;
  gTimer.start();
}

QList<CLAchado> CLVerificacaoEditor::verificarTexto(const QString& texto) {
  QStringList linhas = texto.split(u'\n');
  for (QString& l : linhas)
    if (l.endsWith(u'\r')) l.chop(1);
  return verificarScript(linhas);
}

CLVerificacaoEditor::Resultado CLVerificacaoEditor::verificar(quint64 revisao, const QString& texto) {
  return {revisao, verificarTexto(texto)};
}

void CLVerificacaoEditor::verificarAgora() {
  gTimer.stop();
  if (gRodando) {
    gPendente = true;
    return;
  }
  const QString texto = gEditor->text();
  if (texto.size() <= gLimiteSincrono) {
    aplicar(verificar(gRevisao, texto));
    return;
  }
  gRodando = true;
  auto promessa = std::make_shared<QPromise<Resultado>>();
  gObservador.setFuture(promessa->future());
  promessa->start();
  QThreadPool::globalInstance()->start([promessa, texto, revisao = gRevisao] {
    promessa->addResult(verificar(revisao, texto));
    promessa->finish();
  });
}

void CLVerificacaoEditor::aplicar(const Resultado& r) {
  gRevisaoAplicada = r.revisao;
  gAchados = r.achados;
  gMensagens.clear();
  const long tamanho = gEditor->SendScintilla(QsciScintillaBase::SCI_GETLENGTH);
  for (int indicador : {kIndicadorErro, kIndicadorAviso}) {
    gEditor->SendScintilla(QsciScintillaBase::SCI_SETINDICATORCURRENT, indicador);
    gEditor->SendScintilla(QsciScintillaBase::SCI_INDICATORCLEARRANGE, 0, tamanho);
  }
  const int linhas = gEditor->lines();
  for (const CLAchado& a : r.achados) {
    const int linha = std::clamp(a.linha, 1, std::max(linhas, 1)) - 1;
    QString& m = gMensagens[linha];
    if (!m.isEmpty()) m += u'\n';
    m += a.mensagem;
    // The line's text without its leading blanks; an empty line gets its
    // line break underlined.
    long inicio = gEditor->SendScintilla(QsciScintillaBase::SCI_GETLINEINDENTPOSITION, linha);
    long fim = gEditor->SendScintilla(QsciScintillaBase::SCI_GETLINEENDPOSITION, linha);
    if (fim <= inicio) {
      inicio = gEditor->SendScintilla(QsciScintillaBase::SCI_POSITIONFROMLINE, linha);
      fim = std::min(inicio + 1, tamanho);
    }
    if (fim <= inicio) continue;
    gEditor->SendScintilla(QsciScintillaBase::SCI_SETINDICATORCURRENT, a.aviso ? kIndicadorAviso : kIndicadorErro);
    gEditor->SendScintilla(QsciScintillaBase::SCI_INDICATORFILLRANGE, inicio, fim - inicio);
  }
  emit concluida(static_cast<int>(gAchados.size()));
}

QString CLVerificacaoEditor::dicaEm(int posicao) const {
  if (posicao < 0) return {};
  const bool marcado =
      gEditor->SendScintilla(QsciScintillaBase::SCI_INDICATORVALUEAT, kIndicadorErro, posicao) != 0 ||
      gEditor->SendScintilla(QsciScintillaBase::SCI_INDICATORVALUEAT, kIndicadorAviso, posicao) != 0;
  if (!marcado) return {};
  const int linha = static_cast<int>(gEditor->SendScintilla(QsciScintillaBase::SCI_LINEFROMPOSITION, posicao));
  return gMensagens.value(linha);
}

void CLVerificacaoEditor::mostrarDica(int posicao, int x, int y) {
  const QString dica = dicaEm(posicao);
  if (!dica.isEmpty()) QToolTip::showText(gEditor->viewport()->mapToGlobal(QPoint(x, y)), dica, gEditor->viewport());
}

}  // namespace mivo
