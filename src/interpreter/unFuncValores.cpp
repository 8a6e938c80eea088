#include "unFuncValores.h"

#include <QFileInfo>
#include <optional>

#include "unCLScript.h"
#include "unFuncComum.h"
#include "unLeitura.h"
#include "unUtil.h"

namespace mivo {

namespace {

// Pauses are capped at one day, so that no number makes a run wait forever.
constexpr qint64 kPausaMaxima = 86400;

QString entreAspas(const QString& nome, const QString& valor) {
  return u'"' + nome + QLatin1String("\";\"") + valor + u'"';
}

}  // namespace

QString fnValorDefinir(CLScript& s, const QString& argumentos) {
  const QStringList a = leitura::getParams2(argumentos);
  if (a.size() < 2) {
    s.setErroFatal(s.linhaDeErro(QStringLiteral(" | ValorDefinir - Verifique a sintaxe de uso desta função.")));
    return {};
  }
  const QString nome = leitura::getParamValue(a[0]).toLower();
  const QString opcao = a.size() == 3 ? leitura::getParamValue(a[2]).toLower() : QStringLiteral("não");
  const QString valor = s.expandirValor(leitura::getParamValue(a[1]), opcao == QLatin1String("sim"));
  s.gValores.definir(nome, valor);
  s.host().bombearEventos();
  return valor;
}

QString fnValorPedir(CLScript& s, const QString& argumentos) {
  const QStringList a = leitura::getParams2(argumentos);
  if (a.size() < 2) {
    s.setErroFatal(s.linhaDeErro(QStringLiteral(" | ValorPedir - Verifique a sintaxe de uso desta função.")));
    return {};
  }
  const QString nome = leitura::getParamValue(a[0]).toLower();
  QString pergunta = leitura::getParamValue(a[1]);
  if (pergunta.isEmpty()) pergunta = QStringLiteral("Informe o valor de ") + nome + u':';
  const QString resposta = s.host().pedirValor(pergunta, s.gValores.valor(nome));
  if (resposta.isEmpty()) return kFalha;
  // The answer goes through splitting and expansion like a written value.
  fnValorDefinir(s, entreAspas(nome, resposta));
  return kOk;
}

QString fnValor(CLScript& s, const QString& argumentos) {
  return s.gValores.valor(leitura::getParamValue(argumentos).toLower());
}

QString fnValordoArquivo(CLScript& s, const QString& argumentos) {
  const QStringList a = leitura::getParams2(argumentos);
  const QString erro = s.linhaDeErro(QStringLiteral(" | valorDoArquivo - Verifique a sintaxe de uso desta função."));
  if (a.size() < 2) {
    s.setErroFatal(erro);
    return {};
  }
  const QString nome = leitura::getParamValue(a[0]);
  const QString caminho =
      s.host().getBestPath(leitura::getParamValue(a[1]), QStringLiteral("dados\\textos"), QStringLiteral(".txt"));
  if (!QFileInfo(caminho).isFile()) return kFalha;
  QString texto;
  if (!lerArquivoTexto(caminho, texto)) {
    s.setErroFatal(erro);
    return {};
  }
  s.gValores.definir(nome, s.expandirValor(texto) + QLatin1String("\r\n"));
  return kOk;
}

QString fnValorInc(CLScript& s, const QString& argumentos) {
  const QString anterior = s.gResultado;
  auto fatal = [&] {
    s.setErroFatal(s.linhaDeErro(
        QStringLiteral(" | ValorInc - A variável não existe ou há problemas na sintaxe da função.")));
    return anterior;
  };
  const QStringList a = leitura::getParams2(argumentos);
  if (a.size() < 2) return fatal();
  const QString nome = leitura::getParamValue(a[0]);
  const std::optional<qint64> incremento = inteiroLongo(s.expandirValor(leitura::getParamValue(a[1])));
  if (!incremento) return fatal();
  CLDados* dados = s.gValores.procurar(nome);
  if (!dados) return kFalha;
  const std::optional<qint64> atual = inteiroLongo(dados->gValor);
  qint64 novo = 0;
  if (!atual || __builtin_add_overflow(*atual, *incremento, &novo)) return fatal();
  dados->gValor = QString::number(novo);
  return kOk;
}

QString fnValorSubstituir(CLScript& s, const QString& argumentos) {
  const QStringList a = leitura::getParams2(argumentos);
  if (a.size() < 2) {
    s.setErroFatal(s.linhaDeErro(
        QStringLiteral(" | ValorSubstituir - Verifique se os 3 parâmetros da função estão corretos")));
    return kFalha;
  }
  const QString nome = s.expandirValor(leitura::getParamValue(a[0]));
  const QString procurado =
      a[1] == QLatin1String("\" \"") ? QStringLiteral(" ") : s.expandirValor(leitura::getParamValue(a[1]));
  const QString troca = a.size() > 2 ? s.expandirValor(leitura::getParamValue(a[2])) : QString();
  QString valor = s.gValores.valor(nome.toLower());
  if (!procurado.isEmpty()) valor.replace(procurado, troca, Qt::CaseInsensitive);
  fnValorDefinir(s, entreAspas(nome, valor));
  return kOk;
}

QString fnData(CLScript& s, const QString&) { return dataCurtaBR(s.host().dataHora().date()); }

QString fnHora(CLScript& s, const QString&) { return horaLongaBR(s.host().dataHora().time()); }

QString saudacaoPara(int hora) {
  if (hora >= 18) return QStringLiteral("boa noite");
  if (hora >= 12) return QStringLiteral("boa tarde");
  return QStringLiteral("bom dia");
}

QString fnSaudacao(CLScript& s, const QString&) { return saudacaoPara(s.host().dataHora().time().hour()); }

QString fnParametrosDesativar(CLScript& s, const QString&) {
  s.gParametrosDesativar = true;
  return {};
}

QString fnParametrosAtivar(CLScript& s, const QString&) {
  s.gParametrosDesativar = false;
  return {};
}

QString fnPausar(CLScript& s, const QString& argumentos) {
  const std::optional<qint64> segundos = inteiroLongo(s.expandirValor(leitura::getParamValue(argumentos)));
  if (segundos) s.pausar(static_cast<int>(std::min<qint64>(*segundos, kPausaMaxima)));
  return {};
}

QString fnPausar100(CLScript& s, const QString& argumentos) {
  const std::optional<qint64> centesimos = inteiroLongo(leitura::getParamValue(argumentos));
  // At most one second; a negative count does not sleep.
  if (centesimos && *centesimos > 0) s.host().dormir(std::min<qint64>(*centesimos, 100) * 10);
  return {};
}

QString fnPausaPadrao(CLScript& s, const QString& argumentos) {
  const std::optional<qint64> segundos = inteiroLongo(leitura::getParamValue(argumentos));
  if (segundos) s.gPausaPadrao = static_cast<qint32>(std::clamp<qint64>(*segundos, -1, kPausaMaxima));
  return {};
}

}  // namespace mivo
