// Value expansion: nested calls, [variables], {columns}, escapes and "\n".
//
// Every loop below is bounded. A pass that cannot make progress (a call whose
// text is not found again, a value that holds its own reference, a cell that
// refers to itself) ends the expansion and the rest of the text comes back as
// it stands; a pass limit and a size limit catch the indirect cycles.

#include "unExpansao.h"

#include <algorithm>
#include <iterator>

#include "unCLScript.h"
#include "unCatalogo.h"
#include "unUtil.h"

namespace mivo {

namespace expansao {

bool temOQueExpandir(const QString& valor) {
  for (const QChar c : valor) {
    switch (c.unicode()) {
      case u'&': case u'[': case u'{': case u'\\': case u'|': case u'^': case u'~': case u'\r': case u'\n':
        return true;
      default: break;
    }
  }
  return false;
}

namespace {

// The characters expansion acts on, and the noncharacters that stand for
// them inside data; U+FDEF marks a noncharacter that was in the text itself.
constexpr char16_t kEspeciais[] = {u'&', u'[', u']', u'{', u'}', u'|', u'^', u'~', u'\\'};
constexpr char16_t kPrimeiroReservado = 0xFDD0;
constexpr char16_t kUltimoReservado = 0xFDEF;
constexpr char16_t kMarcaLiteral = 0xFDEF;

bool reservado(char16_t c) { return c >= kPrimeiroReservado && c <= kUltimoReservado; }

}  // namespace

bool temReservados(const QString& texto) {
  for (const QChar c : texto)
    if (reservado(c.unicode())) return true;
  return false;
}

QString protegerDados(const QString& dados) {
  QString r;
  r.reserve(dados.size());
  for (const QChar c : dados) {
    const char16_t u = c.unicode();
    const auto* e = std::find(std::begin(kEspeciais), std::end(kEspeciais), u);
    if (e != std::end(kEspeciais)) {
      r += QChar(char16_t(kPrimeiroReservado + (e - std::begin(kEspeciais))));
    } else {
      if (reservado(u)) r += QChar(kMarcaLiteral);
      r += c;
    }
  }
  return r;
}

QString escapar(const QString& texto) {
  if (!temReservados(texto)) return texto;
  QString r;
  r.reserve(texto.size() + 4);
  for (const QChar c : texto) {
    if (reservado(c.unicode())) r += QChar(kMarcaLiteral);
    r += c;
  }
  return r;
}

QString restaurar(const QString& texto) {
  if (!temReservados(texto)) return texto;
  QString r;
  r.reserve(texto.size());
  const qsizetype n = texto.size();
  for (qsizetype i = 0; i < n; ++i) {
    const char16_t u = texto[i].unicode();
    if (u == kMarcaLiteral && i + 1 < n) {
      r += texto[++i];
    } else if (reservado(u) && u - kPrimeiroReservado < qsizetype(std::size(kEspeciais))) {
      r += QChar(kEspeciais[u - kPrimeiroReservado]);
    } else {
      r += QChar(u);
    }
  }
  return r;
}

}  // namespace expansao

namespace {

constexpr int kMaxPassos = 10000;
constexpr qsizetype kMaxTamanho = 8 * 1024 * 1024;
constexpr int kMaxProfundidade = 32;

bool aparado(const QString& t) {
  return t.isEmpty() || (t.front().unicode() > 0x20 && t.back().unicode() > 0x20);
}

// Replaces the reference that opens at the first opening bracket and closes
// at the first closing bracket after it. Returns false when the text must be
// returned as it stands.
template <typename ValorDe>
bool substituirReferencia(QString& t, QChar abre, QChar fecha, int& passos, ValorDe valorDe) {
  const qsizetype inicio = t.indexOf(abre);
  const qsizetype fim = t.indexOf(fecha, inicio + 1);
  if (fim < 0) return false;
  if (++passos > kMaxPassos || t.size() > kMaxTamanho) return false;
  const QString nome = t.mid(inicio + 1, fim - inicio - 1);
  const QString valor = valorDe(nome);
  if (valor.contains(abre)) {
    const QString referencia = abre + nome + fecha;
    if (valor.contains(referencia, Qt::CaseInsensitive)) return false;
  }
  t.replace(inicio, fim - inicio + 1, valor);
  return true;
}

}  // namespace

class CLGuardaProfundidade {
 public:
  explicit CLGuardaProfundidade(CLScript& s) : gScript(s) { ++gScript.gProfundidadeExpansao; }
  ~CLGuardaProfundidade() { --gScript.gProfundidadeExpansao; }
  CLGuardaProfundidade(const CLGuardaProfundidade&) = delete;
  CLGuardaProfundidade& operator=(const CLGuardaProfundidade&) = delete;

 private:
  CLScript& gScript;
};

QString CLScript::expandirValor(const QString& valor, bool ignorarVariaveis) {
  if (gParametrosDesativar) return valor;
  // Nothing to expand: only the trimming would change the text.
  if (!expansao::temOQueExpandir(valor)) return aparado(valor) ? valor : aparar(valor);
  return expansao::restaurar(expandirTexto(expansao::escapar(valor), ignorarVariaveis));
}

QString CLScript::expandirTexto(const QString& valor, bool ignorarVariaveis) {
  QString t = aparar(valor);
  t.remove(u'\r');
  t.remove(u'\n');
  t.replace(QLatin1String("\\n"), QLatin1String("\r\n"));
  if (gProfundidadeExpansao >= kMaxProfundidade) return t;
  CLGuardaProfundidade guarda(*this);

  // Nested calls, first one first; each result goes in place of its call.
  int passos = 0;
  while (t.contains(u'&')) {
    if (++passos > kMaxPassos || t.size() > kMaxTamanho) return t;
    const QString chamada = getNextFunctionName(t);
    if (aparar(chamada).isEmpty()) break;
    const CLInstrucao& lida = chamadaLida(chamada);
    const QString resultado = executar(lida);
    if (resultado.isEmpty() && lida.funcao && lida.funcao->tipo == Tipo::DefinicaoBloco) break;
    // The call is usually where the text starts.
    const qsizetype pos = t.startsWith(chamada) ? 0 : t.indexOf(chamada, 0, Qt::CaseInsensitive);
    if (pos < 0) return t;
    const bool dados = lida.funcao && lida.funcao->devolveDados;
    t.replace(pos, chamada.size(), dados ? expansao::protegerDados(resultado) : expansao::escapar(resultado));
    // Clipboard text holding "&" is not executed.
    if (resultado.contains(u'&') && lida.funcao && lida.funcao->palavra == QLatin1String("memorialer")) break;
    if (resultado.contains(chamada, Qt::CaseInsensitive)) return t;
  }
  // What the calls left has nothing more to expand (the common case: a call
  // whose result is "OK" or a plain value).
  if (!expansao::temOQueExpandir(t)) return t;

  if (!ignorarVariaveis) {
    passos = 0;
    while (t.contains(u'[')) {
      const bool ok = substituirReferencia(t, u'[', u']', passos, [this](const QString& nome) {
        return expansao::escapar(gValores.valor(getParamValue(expansao::restaurar(nome))));
      });
      if (!ok) return t;
    }
    while (t.contains(u'{')) {
      // A cell is data: it goes in as it is and is not read again.
      const bool ok = substituirReferencia(t, u'{', u'}', passos, [this](const QString& nome) {
        const QString titulo = expansao::restaurar(nome);
        const int col = gGrid->colunaPorTitulo(titulo);
        if (col < 0) {
          // Once per column and run: the reference becomes empty.
          const QString chave = aparar(titulo).toLower();
          if (!gColunasAvisadas.contains(chave)) {
            gColunasAvisadas.insert(chave);
            gHost.mostrarAviso(QStringLiteral("a coluna {%1} não existe na lista; ficou vazia").arg(aparar(titulo)));
          }
          return QString();
        }
        return expansao::protegerDados(gGrid->cell(col, gGrid->Row()));
      });
      if (!ok) return t;
    }
  }

  t.replace(u'|', u'&');
  t.replace(u'^', u'&');
  t.replace(u'~', u'{');
  t.replace(QLatin1String("\\n"), QLatin1String("\r\n"));
  return t;
}

}  // namespace mivo
