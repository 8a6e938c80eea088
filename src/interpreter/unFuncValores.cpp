#include "unFuncValores.h"

#include <QFileInfo>
#include <optional>

#include "unCLScript.h"
#include "unCatalogo.h"
#include "unFuncComum.h"
#include "unUtil.h"

namespace mivo {

namespace {

// Pauses are capped at one day, so that no number makes a run wait forever.
constexpr qint64 kPausaMaxima = 86400;

QString entreAspas(const QString& nome, const QString& valor) {
  return u'"' + nome + QLatin1String("\";\"") + valor + u'"';
}

}  // namespace

QString fnValorDefinir(CLScript& s, const CLArgumentos& a) {
  const QString nome = a[0].toLower();
  const bool ignorarVariaveis = a.size() == 3 && a[2].toLower() == QStringLiteral("sim");
  const QString valor = s.expandirValor(a[1], ignorarVariaveis);
  s.valores().definir(nome, valor);
  s.host().bombearEventos();
  return valor;
}

QString fnValorPedir(CLScript& s, const CLArgumentos& a) {
  const QString nome = a[0].toLower();
  QString pergunta = a[1];
  if (pergunta.isEmpty()) pergunta = QStringLiteral("Informe o valor de ") + nome + u':';
  const QString resposta = s.host().pedirValor(pergunta, s.valores().valor(nome));
  if (resposta.isEmpty()) return kFalha;
  // The answer goes through splitting and expansion like a written value.
  fnValorDefinir(s, s.lerArgumentos(*catalogo::procurar(QStringLiteral("valordefinir")), entreAspas(nome, resposta)));
  return kOk;
}

QString fnValor(CLScript& s, const CLArgumentos& a) { return s.valores().valor(a[0].toLower()); }

QString fnValordoArquivo(CLScript& s, const CLArgumentos& a) {
  const QString caminho = s.host().getBestPath(a[1], QStringLiteral("dados\\textos"), QStringLiteral(".txt"));
  if (!QFileInfo(caminho).isFile()) return kFalha;
  QString texto;
  if (!lerArquivoTexto(caminho, texto)) return s.falhaDeSintaxe(a);
  s.valores().definir(a[0], s.expandirValor(texto) + QLatin1String("\r\n"));
  return kOk;
}

QString fnValorInc(CLScript& s, const CLArgumentos& a) {
  const std::optional<qint64> incremento = inteiroLongo(a[1]);
  if (!incremento) return s.falhaDeSintaxe(a);
  CLDados* dados = s.valores().procurar(a[0]);
  if (!dados) return kFalha;
  const std::optional<qint64> atual = inteiroLongo(dados->gValor);
  qint64 novo = 0;
  if (!atual || __builtin_add_overflow(*atual, *incremento, &novo)) return s.falhaDeSintaxe(a);
  dados->gValor = QString::number(novo);
  return kOk;
}

QString fnValorSubstituir(CLScript& s, const CLArgumentos& a) {
  const QString nome = a[0];
  // A quoted blank is the one blank a value cannot otherwise hold.
  const QString procurado = a.bruto(1) == QLatin1String("\" \"") ? QStringLiteral(" ") : a[1];
  const QString troca = a.valor(2);
  QString valor = s.valores().valor(nome.toLower());
  if (!procurado.isEmpty()) valor.replace(procurado, troca, Qt::CaseInsensitive);
  fnValorDefinir(s, s.lerArgumentos(*catalogo::procurar(QStringLiteral("valordefinir")), entreAspas(nome, valor)));
  return kOk;
}

QString fnData(CLScript& s, const CLArgumentos&) { return dataCurtaBR(s.host().dataHora().date()); }

QString fnHora(CLScript& s, const CLArgumentos&) { return horaLongaBR(s.host().dataHora().time()); }

QString saudacaoPara(int hora) {
  if (hora >= 18) return QStringLiteral("boa noite");
  if (hora >= 12) return QStringLiteral("boa tarde");
  return QStringLiteral("bom dia");
}

QString fnSaudacao(CLScript& s, const CLArgumentos&) { return saudacaoPara(s.host().dataHora().time().hour()); }

QString fnParametrosDesativar(CLScript& s, const CLArgumentos&) {
  s.setParametrosDesativados(true);
  return {};
}

QString fnParametrosAtivar(CLScript& s, const CLArgumentos&) {
  s.setParametrosDesativados(false);
  return {};
}

QString fnPausar(CLScript& s, const CLArgumentos& a) {
  const std::optional<qint64> segundos = inteiroLongo(a[0]);
  if (segundos) s.pausar(std::min<qint64>(*segundos, kPausaMaxima));
  return {};
}

QString fnPausar100(CLScript& s, const CLArgumentos& a) {
  const std::optional<qint64> centesimos = inteiroLongo(a[0]);
  // At most one second; a negative count does not sleep.
  if (centesimos && *centesimos > 0) s.host().dormir(std::min<qint64>(*centesimos, 100) * 10);
  return {};
}

QString fnPausaPadrao(CLScript& s, const CLArgumentos& a) {
  const std::optional<qint64> segundos = inteiroLongo(a[0]);
  if (segundos) s.setPausaPadrao(static_cast<qint32>(std::clamp<qint64>(*segundos, -1, kPausaMaxima)));
  return {};
}

}  // namespace mivo
