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
      gHost.setLogGeral(QStringLiteral("Linha: [%1] Erro na estrutura do teste lógico").arg(gLine),
                        CorLog::Vermelho);
      return false;
    }
  }
  return false;
}

QString fnVaiPara(CLScript& s, const QString& argumentos) {
  QString rotulo = leitura::getParamValue(argumentos);
  rotulo.remove(u'"');
  const int linha = s.indiceRotulos().ultimoMarcador(s.gScript, rotulo);
  if (linha < 0) return kFalha;
  s.gLine = linha;
  s.host().editorSeguir(linha);
  s.host().bombearEventos();
  return kOk;
}

QString fnSe(CLScript& s, const QString& argumentos) {
  const QStringList a = leitura::getParams2(argumentos);
  if (a.size() < 2) {
    s.setErroFatal(s.linhaDeErro(QStringLiteral(" | Se - Verifique a sintaxe de uso da função Se().")));
    return {};
  }
  const QString teste = leitura::getParamValue(a[0]);
  const QString seVerdadeiro = leitura::getParamValue(a[1]);
  const QString seFalso = a.size() == 3 ? leitura::getParamValue(a[2]) : QString();
  if (s.testeLogico(teste)) return seVerdadeiro.isEmpty() ? QString() : s.expandirValor(seVerdadeiro);
  return seFalso.isEmpty() ? QString() : s.expandirValor(seFalso);
}

QString fnSeResultado(CLScript& s, const QString& argumentos) {
  const QStringList a = leitura::getParams2(argumentos);
  if (a.isEmpty()) {
    s.setErroFatal(s.linhaDeErro(QStringLiteral(" | SeResultado - Verifique a sintaxe de uso desta função.")));
    return {};
  }
  const QString valor = s.expandirValor(leitura::getParamValue(a[0])).toLower();
  const QString acao = a.size() > 1 ? leitura::getParamValue(a[1]) : QString();
  if (s.gResultado.toLower() == valor) return s.expandirValor(acao);
  return s.gResultado;
}

QString fnResultado(CLScript& s, const QString&) { return s.gResultado; }

QString fnBlocoExec(CLScript& s, const QString& argumentos) {
  s.gBlockLine = s.gLine;  // also when the block is not found
  const QString nome = leitura::getParamValue(argumentos);
  const int linha = s.indiceRotulos().primeiroBloco(s.gScript, nome);
  if (linha < 0) return kFalha;
  s.gLine = linha + 1;
  s.host().editorSeguir(linha + 1);
  s.host().bombearEventos();
  return kOk;
}

QString fnBlocoFim(CLScript& s, const QString& argumentos) {
  const QString valor = argumentos.isEmpty() ? QString() : s.expandirValor(leitura::getParamValue(argumentos));
  if (s.gBlockLine == 0) return kFalha;
  s.gLine = s.gBlockLine;
  s.gBlockLine = 0;
  s.host().editorSeguir(s.gLine);
  return valor;
}

QString fnExecutarComando(CLScript& s, const QString& argumentos) {
  QString comando = s.expandirValor(leitura::getParamValue(argumentos));
  comando.replace(QLatin1String("\r\n"), QLatin1String("%0D%0A"));
  s.desktop().shellAbrir(comando.toStdU16String());
  return {};
}

}  // namespace mivo
