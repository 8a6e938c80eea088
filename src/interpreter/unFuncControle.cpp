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

bool CLScript::testeLogico(const QString& valor) {
  static const QLatin1String kOperadores[] = {QLatin1String("<>"), QLatin1String(">="),
                                              QLatin1String("<="), QLatin1String("="),
                                              QLatin1String(">"),  QLatin1String("<")};
  for (const QLatin1String& op : kOperadores) {
    const qsizetype pos = valor.indexOf(op);
    if (pos < 0) continue;
    try {
      const QString esquerdo = expandirValor(aparar(valor.left(pos)));
      const QString direito = expandirValor(aparar(valor.mid(pos + op.size())));
      if (op == QLatin1String("<>")) return leitura::removerAspas(esquerdo) != leitura::removerAspas(direito);
      if (op == QLatin1String("=")) {
        QString a = esquerdo, b = direito;
        return a.remove(u'"') == b.remove(u'"');
      }
      const double a = numero(esquerdo), b = numero(direito);
      if (op == QLatin1String(">=")) return a >= b;
      if (op == QLatin1String("<=")) return a <= b;
      if (op == QLatin1String(">")) return a > b;
      return a < b;
    } catch (const CLErro&) {
      gHost.setLogGeral(QStringLiteral("Linha: [%1] Erro na estrutura do teste lógico").arg(linha()),
                        CorLog::Vermelho);
      return false;
    }
  }
  return false;
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
