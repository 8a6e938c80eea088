#include "unCLEditorScript.h"

#include <QApplication>
#include <QKeyEvent>
#include <cstring>

#include "unCLListaCompletar.h"
#include "unCLRealceMivo.h"
#include "unCLVerificacaoEditor.h"
#include "unCatalogo.h"
#include "unDialogos.h"

namespace mivo {

namespace {

using Sci = QsciScintillaBase;

constexpr int kMarcaExecucao = 1;
// Characters that end the completion token ("()[]. " as the list was
// designed, plus the other separators of a statement).
constexpr char kFimToken[] = "()[]. \t;\",{}";
constexpr char16_t kFimTokenDigitado[] = u"()[]. ";
// Longest token looked at before the caret (bytes).
constexpr long kMaxToken = 256;
// Lines of context a search hit keeps from the editor's top and bottom edges.
constexpr long kLinhasContexto = 3;

}  // namespace

CLEditorScript::CLEditorScript(QWidget* pai)
    : QsciScintilla(pai),
      gRealce(new CLRealceMivo(this)),
      gLista(new CLListaCompletar(this)),
      gVerificacao(new CLVerificacaoEditor(this)) {
  setObjectName(QStringLiteral("mmoScript"));
  setUtf8(true);
  setLexer(gRealce);
  setFont(CLRealceMivo::fonteFixa(13));
  setWrapMode(WrapNone);
  setFolding(NoFoldStyle);
  setAutoCompletionSource(AcsNone);
  setAutoIndent(false);
  setTabWidth(4);
  // Line numbers only: no symbol or fold margin.
  setMarginType(0, NumberMargin);
  setMarginLineNumbers(0, true);
  setMarginsFont(CLRealceMivo::fonteFixa(11));
  setMarginWidth(1, 0);
  setMarginWidth(2, 0);
  ajustarMargem();
  markerDefine(Background, kMarcaExecucao);
  setMarkerBackgroundColor(QColor(Qt::yellow), kMarcaExecucao);

  gTmCompletar.setSingleShot(true);
  gTmCompletar.setInterval(500);
  connect(&gTmCompletar, &QTimer::timeout, this, &CLEditorScript::tmCompletarTimer);
  connect(gLista, &CLListaCompletar::escolhida, this, &CLEditorScript::completar);

  gPedirTexto = [this](const QString& titulo, const QString& inicial) {
    return dialogos::pedirValor(titulo, inicial, nullptr, this);
  };
  gBipe = [] { QApplication::beep(); };

  connect(this, &QsciScintilla::textChanged, gVerificacao, &CLVerificacaoEditor::textoMudou);
  connect(this, &QsciScintilla::linesChanged, this, &CLEditorScript::ajustarMargem);
  connect(this, &QsciScintilla::cursorPositionChanged, this, [this] {
    if (completarVisivel()) atualizarCompletar();
  });
  connect(gVerificacao, &CLVerificacaoEditor::concluida, this, &CLEditorScript::verificacaoConcluida);
}

CLEditorScript::~CLEditorScript() = default;

// --- Text --------------------------------------------------------------------

QString CLEditorScript::textoScript() const { return text(); }

void CLEditorScript::setTextoScript(const QString& texto) {
  fecharCompletar();
  setText(texto);
  SendScintilla(SCI_EMPTYUNDOBUFFER);
  SendScintilla(SCI_GOTOPOS, 0L);
  // Moving the caret scrolls it into view, and an editor not laid out yet
  // (hidden, a line high or less) has no room for it: Scintilla then scrolls
  // past the first line, and keeps that once the editor gets its real size.
  SendScintilla(SCI_SETFIRSTVISIBLELINE, 0L);
  SendScintilla(SCI_SETXOFFSET, 0L);
}

int CLEditorScript::qtdLinhas() const { return lines(); }

int CLEditorScript::linhaAtual() const {
  const long pos = SendScintilla(SCI_GETCURRENTPOS);
  return static_cast<int>(SendScintilla(SCI_LINEFROMPOSITION, pos)) + 1;
}

QString CLEditorScript::textoLinhaAtual() const {
  QString l = text(linhaAtual() - 1);
  while (l.endsWith(u'\n') || l.endsWith(u'\r')) l.chop(1);
  return l;
}

void CLEditorScript::seguirLinha(int linha) {
  const int l = std::clamp(linha, 1, std::max(lines(), 1)) - 1;
  SendScintilla(SCI_GOTOLINE, l);
  centrarLinha(l);
}

void CLEditorScript::centrarLinha(long linha) {
  const long naTela = SendScintilla(SCI_LINESONSCREEN);
  const long visivel = SendScintilla(SCI_VISIBLEFROMDOCLINE, linha);
  SendScintilla(SCI_SETFIRSTVISIBLELINE, std::max(0L, visivel - naTela / 2));
}

void CLEditorScript::mostrarComContexto(long linha) {
  const long naTela = SendScintilla(SCI_LINESONSCREEN);
  const long primeira = SendScintilla(SCI_GETFIRSTVISIBLELINE);
  const long visivel = SendScintilla(SCI_VISIBLEFROMDOCLINE, linha);
  const long margem = std::min(kLinhasContexto, (naTela - 1) / 2);
  if (visivel >= primeira + margem && visivel < primeira + naTela - margem) return;
  // Centring is clamped at the text's first and last lines.
  centrarLinha(linha);
}

void CLEditorScript::destacarLinha(int linha) {
  markerDeleteAll(kMarcaExecucao);
  if (linha >= 1 && linha <= lines()) markerAdd(linha - 1, kMarcaExecucao);
}

QString CLEditorScript::nomeAjudaLinha() const { return nomeAjudaDaLinha(textoLinhaAtual()); }

void CLEditorScript::ajustarMargem() {
  const int digitos = static_cast<int>(QString::number(std::max(lines(), 1)).size());
  if (digitos == gDigitosMargem) return;
  gDigitosMargem = digitos;
  setMarginWidth(0, QString(digitos + 1, u'0'));
}

void CLEditorScript::selecionarBytes(long ancora, long cursor) {
  SendScintilla(SCI_SETSEL, static_cast<unsigned long>(ancora), cursor);
}

// --- Search ------------------------------------------------------------------

void CLEditorScript::LocalizarTexto(bool doInicio) {
  // A selection on one line is offered as the text to search.
  QString inicial;
  if (!doInicio && hasSelectedText()) {
    const QString s = selectedText();
    if (!s.contains(u'\n') && !s.contains(u'\r')) inicial = s;
  }
  gSearchText = gPedirTexto ? gPedirTexto(QStringLiteral("Localizar..."), inicial) : QString();
  // The value box takes several lines: Enter pressed to confirm leaves a
  // line break after the text, which no line of the script holds there.
  while (gSearchText.endsWith(u'\n') || gSearchText.endsWith(u'\r')) gSearchText.chop(1);
  if (!gSearchText.isEmpty()) DoSearchReplaceText(doInicio, false);
}

bool CLEditorScript::localizarBytes(long de, long ate, long* inicio, long* fim) const {
  const QByteArray alvo = gSearchText.toUtf8();
  bool ascii = true;
  for (char c : alvo) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
  if (ascii) {
    // Scintilla ignores the case of ASCII letters by itself. A target whose
    // start lies after its end is searched backwards.
    SendScintilla(SCI_SETTARGETSTART, de);
    SendScintilla(SCI_SETTARGETEND, ate);
    SendScintilla(SCI_SETSEARCHFLAGS, 0L);
    *inicio = SendScintilla(SCI_SEARCHINTARGET, static_cast<uintptr_t>(alvo.size()), alvo.constData());
    *fim = SendScintilla(SCI_GETTARGETEND);
    return *inicio >= 0;
  }
  // Accented letters: Qt folds their case.
  const long a = std::min(de, ate), b = std::max(de, ate);
  QByteArray bytes(b - a + 1, '\0');
  SendScintilla(SCI_GETTEXTRANGE, a, b, bytes.data());
  bytes.chop(1);
  const QString trecho = QString::fromUtf8(bytes);
  const qsizetype i = de <= ate ? trecho.indexOf(gSearchText, 0, Qt::CaseInsensitive)
                                : trecho.lastIndexOf(gSearchText, -1, Qt::CaseInsensitive);
  if (i < 0) return false;
  *inicio = a + QStringView(trecho).left(i).toUtf8().size();
  *fim = *inicio + QStringView(trecho).mid(i, gSearchText.size()).toUtf8().size();
  return true;
}

bool CLEditorScript::DoSearchReplaceText(bool doInicio, bool ABackwards) {
  const long inicioSel = SendScintilla(SCI_GETSELECTIONSTART);
  const long fimSel = SendScintilla(SCI_GETSELECTIONEND);
  if (!gSearchText.isEmpty()) {
    const long tamanho = SendScintilla(SCI_GETLENGTH);
    long de = doInicio ? 0 : fimSel, ate = tamanho;
    if (ABackwards) {
      de = doInicio ? tamanho : inicioSel;
      ate = 0;
    }
    long inicio = -1, fim = -1;
    if (localizarBytes(de, ate, &inicio, &fim)) {
      // The caret ends where the next search in the same direction starts.
      if (ABackwards) selecionarBytes(fim, inicio);
      else selecionarBytes(inicio, fim);
      // Selecting scrolled just enough to show the caret, at an edge.
      mostrarComContexto(SendScintilla(SCI_LINEFROMPOSITION, inicio));
      return true;
    }
  }
  if (gBipe) gBipe();
  if (!gSearchText.isEmpty()) {
    const long ponto = ABackwards ? inicioSel : fimSel;
    selecionarBytes(ponto, ponto);
  }
  return false;
}

// --- Completion list ---------------------------------------------------------

bool CLEditorScript::completarVisivel() const { return gLista->isVisible(); }

QString CLEditorScript::tokenAntesDoCursor(int* bytes) const {
  const long pos = SendScintilla(SCI_GETCURRENTPOS);
  const long inicioLinha = SendScintilla(SCI_POSITIONFROMLINE, SendScintilla(SCI_LINEFROMPOSITION, pos));
  const long de = std::max(inicioLinha, pos - kMaxToken);
  QByteArray b(pos - de + 1, '\0');
  SendScintilla(SCI_GETTEXTRANGE, de, pos, b.data());
  b.chop(1);
  // The separators are ASCII: walking back byte by byte never splits a
  // character that belongs to the token.
  qsizetype i = b.size();
  while (i > 0) {
    const char c = b[i - 1];
    if (c == '&') {
      --i;
      break;
    }
    if (c != 0 && std::strchr(kFimToken, c)) break;
    --i;
  }
  if (i == 0 && de > inicioLinha && !b.startsWith('&')) i = b.size();  // too long to be a name
  if (bytes) *bytes = static_cast<int>(b.size() - i);
  return QString::fromUtf8(b.mid(i));
}

void CLEditorScript::abrirCompletar() {
  gTmCompletar.stop();
  int bytes = 0;
  const QString token = tokenAntesDoCursor(&bytes);
  if (gLista->filtrar(token) == 0) {
    fecharCompletar();
    return;
  }
  const long pos = SendScintilla(SCI_GETCURRENTPOS);
  gInicioToken = pos - bytes;
  gAbertoSemToken = token.isEmpty();
  const long linha = SendScintilla(SCI_LINEFROMPOSITION, pos);
  const int x = static_cast<int>(SendScintilla(SCI_POINTXFROMPOSITION, 0UL, pos));
  const int y = static_cast<int>(SendScintilla(SCI_POINTYFROMPOSITION, 0UL, pos) +
                                 SendScintilla(SCI_TEXTHEIGHT, linha));
  gLista->exibirEm(viewport()->mapToGlobal(QPoint(x, y)));
}

void CLEditorScript::fecharCompletar() {
  gTmCompletar.stop();
  gLista->hide();
}

void CLEditorScript::atualizarCompletar() {
  // The list follows its token: a caret that left it (another line, another
  // word, before its start) closes it.
  int bytes = 0;
  const QString token = tokenAntesDoCursor(&bytes);
  const bool fora = SendScintilla(SCI_GETCURRENTPOS) - bytes != gInicioToken || (token.isEmpty() && !gAbertoSemToken);
  if (fora || gLista->filtrar(token) == 0) fecharCompletar();
}

void CLEditorScript::tmCompletarTimer() {
  if (tokenAntesDoCursor().startsWith(u'&')) abrirCompletar();
}

bool CLEditorScript::completar() {
  const CLFuncao* f = gLista->selecionada();
  if (!f || !completarVisivel()) {
    fecharCompletar();
    return false;
  }
  int bytes = 0;
  tokenAntesDoCursor(&bytes);
  const long pos = SendScintilla(SCI_GETCURRENTPOS);
  fecharCompletar();
  beginUndoAction();
  selecionarBytes(pos - bytes, pos);
  SendScintilla(SCI_REPLACESEL, f->inserir.toUtf8().constData());
  endUndoAction();
  return true;
}

void CLEditorScript::keyPressEvent(QKeyEvent* e) {
  const Qt::KeyboardModifiers mods = e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier);
  if (completarVisivel()) {
    switch (e->key()) {
      case Qt::Key_Up: gLista->moverSelecao(-1); return;
      case Qt::Key_Down: gLista->moverSelecao(1); return;
      case Qt::Key_PageUp: gLista->moverSelecao(-CLListaCompletar::kLinhasVisiveis); return;
      case Qt::Key_PageDown: gLista->moverSelecao(CLListaCompletar::kLinhasVisiveis); return;
      case Qt::Key_Tab:
      case Qt::Key_Return:
      case Qt::Key_Enter: completar(); return;
      case Qt::Key_Escape: fecharCompletar(); return;
      default: break;
    }
  }
  if (mods == Qt::ControlModifier && e->key() == Qt::Key_Space) {
    abrirCompletar();
    return;
  }
  if (mods == Qt::ControlModifier && e->key() == Qt::Key_L) {
    LocalizarTexto(true);
    return;
  }
  if (e->key() == Qt::Key_F3 && (mods == Qt::NoModifier || mods == Qt::ShiftModifier)) {
    DoSearchReplaceText(false, mods == Qt::ShiftModifier);
    return;
  }
  QsciScintilla::keyPressEvent(e);
  const QString digitado = e->text();
  if (digitado == QLatin1String("&")) gTmCompletar.start();
  if (completarVisivel()) {
    if (!digitado.isEmpty() && QStringView(kFimTokenDigitado).contains(digitado.front())) fecharCompletar();
    else atualizarCompletar();
  }
}

void CLEditorScript::focusOutEvent(QFocusEvent* e) {
  fecharCompletar();
  QsciScintilla::focusOutEvent(e);
}

// --- Checker -----------------------------------------------------------------

int CLEditorScript::qtdProblemas() const { return static_cast<int>(gVerificacao->achados().size()); }
QList<CLAchado> CLEditorScript::achados() const { return gVerificacao->achados(); }
QList<CLAchado> CLEditorScript::achadosAtuais() const {
  return verificacaoEmDia() ? achados() : CLVerificacaoEditor::verificarTexto(textoScript());
}
bool CLEditorScript::verificacaoEmDia() const { return gVerificacao->emDia(); }
void CLEditorScript::verificarAgora() { gVerificacao->verificarAgora(); }
QString CLEditorScript::dicaEm(int posicao) const { return gVerificacao->dicaEm(posicao); }

}  // namespace mivo
