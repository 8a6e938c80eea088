#include "unFuncControle.h"

#include "unCLDesktop.h"
#include "unCLErro.h"
#include "unCLScript.h"
#include "unFuncComum.h"
#include "unLeitura.h"
#include "unUtil.h"

namespace mivo {

namespace {

// Compares two numbers written the Brazilian way; throws when a side is not one.
double numero(const QString& texto) {
  bool ok = false;
  // Plain whole numbers (the common case, counters) skip the locale.
  if (!texto.isEmpty() && texto.size() <= 15) {
    qsizetype i = texto.front() == u'-' ? 1 : 0;
    bool digitos = i < texto.size();
    for (; i < texto.size() && digitos; ++i) digitos = texto[i].unicode() >= u'0' && texto[i].unicode() <= u'9';
    if (digitos) return static_cast<double>(texto.toLongLong());
  }
  const double v = localeBR().toDouble(texto, &ok);
  if (!ok) throw CLErro(QStringLiteral("'%1' não é um número válido").arg(texto));
  return v;
}

}  // namespace

namespace {

enum class Operador { Diferente, MaiorIgual, MenorIgual, Igual, Maior, Menor, Nenhum };

// The operator of a test: the first of "<>", ">=", "<=", "=", ">", "<" (in
// that order) that the text holds anywhere, and where it first stands.
Operador operadorDoTeste(const QString& t, qsizetype& pos) {
  qsizetype primeiro[6] = {-1, -1, -1, -1, -1, -1};
  const qsizetype n = t.size();
  for (qsizetype i = 0; i < n; ++i) {
    const char16_t c = t[i].unicode();
    const char16_t d = i + 1 < n ? t[i + 1].unicode() : u'\0';
    auto anotar = [&](Operador o) {
      if (primeiro[int(o)] < 0) primeiro[int(o)] = i;
    };
    if (c == u'<' && d == u'>') anotar(Operador::Diferente);
    if (c == u'>' && d == u'=') anotar(Operador::MaiorIgual);
    if (c == u'<' && d == u'=') anotar(Operador::MenorIgual);
    if (c == u'=') anotar(Operador::Igual);
    if (c == u'>') anotar(Operador::Maior);
    if (c == u'<') anotar(Operador::Menor);
  }
  for (int o = 0; o < 6; ++o) {
    if (primeiro[o] >= 0) {
      pos = primeiro[o];
      return static_cast<Operador>(o);
    }
  }
  return Operador::Nenhum;
}

}  // namespace

bool CLScript::testeLogico(const QString& valor) {
  qsizetype pos = 0;
  const Operador op = operadorDoTeste(valor, pos);
  if (op == Operador::Nenhum) return false;
  const qsizetype tamanho = op <= Operador::MenorIgual ? 2 : 1;
  try {
    const QString esquerdo = expandirValor(aparar(valor.left(pos)));
    const QString direito = expandirValor(aparar(valor.mid(pos + tamanho)));
    switch (op) {
      case Operador::Diferente: return leitura::removerAspas(esquerdo) != leitura::removerAspas(direito);
      case Operador::Igual: {
        QString a = esquerdo, b = direito;
        return a.remove(u'"') == b.remove(u'"');
      }
      default: break;
    }
    const double a = numero(esquerdo), b = numero(direito);
    switch (op) {
      case Operador::MaiorIgual: return a >= b;
      case Operador::MenorIgual: return a <= b;
      case Operador::Maior: return a > b;
      default: return a < b;
    }
  } catch (const CLErro&) {
    gHost.setLogGeral(QStringLiteral("Linha: [%1] Erro na estrutura do teste lógico").arg(linha()),
                      CorLog::Vermelho);
    return false;
  }
}

QString fnVaiPara(CLScript& s, const CLArgumentos& a) {
  QString rotulo = a.valor(0);
  rotulo.remove(u'"');
  const int linha = s.indiceRotulos().ultimoMarcador(s.linhas(), rotulo);
  if (linha < 0) return kFalha;
  s.setLinha(linha);
  s.host().editorSeguir(linha);
  s.host().bombearEventos();
  return kOk;
}

QString fnSe(CLScript& s, const CLArgumentos& a) {
  const QString seVerdadeiro = a[1];
  const QString seFalso = a.size() == 3 ? a[2] : QString();
  if (s.testeLogico(a[0])) return seVerdadeiro.isEmpty() ? QString() : s.expandirValor(seVerdadeiro);
  return seFalso.isEmpty() ? QString() : s.expandirValor(seFalso);
}

QString fnSeResultado(CLScript& s, const CLArgumentos& a) {
  if (s.resultado().compare(a[0], Qt::CaseInsensitive) == 0) return s.expandirValor(a.valor(1));
  return s.resultado();
}

QString fnResultado(CLScript& s, const CLArgumentos&) { return s.resultado(); }

QString fnBlocoExec(CLScript& s, const CLArgumentos& a) {
  s.setLinhaBloco(s.linha());  // also when the block is not found
  const int linha = s.indiceRotulos().primeiroBloco(s.linhas(), a.valor(0));
  if (linha < 0) return kFalha;
  s.setLinha(linha + 1);
  s.host().editorSeguir(linha + 1);
  s.host().bombearEventos();
  return kOk;
}

QString fnBlocoFim(CLScript& s, const CLArgumentos& a) {
  const QString valor = a.valor(0);
  if (s.linhaBloco() == 0) return kFalha;
  s.setLinha(s.linhaBloco());
  s.setLinhaBloco(0);
  s.host().editorSeguir(s.linha());
  return valor;
}

QString fnExecutarComando(CLScript& s, const CLArgumentos& a) {
  QString comando = a[0];
  comando.replace(QLatin1String("\r\n"), QLatin1String("%0D%0A"));
  s.desktop().shellAbrir(comando.toStdU16String());
  return {};
}

}  // namespace mivo
