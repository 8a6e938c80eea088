#include "unRegrasDialogos.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <algorithm>

#include "unUtil.h"

namespace mivo {

bool tipoMensagemValido(int tipo) { return tipo >= kTipoInformacao && tipo <= kTipoAjuda; }

QString legendaDoTipo(int tipo) {
  switch (tipo) {
    case kTipoInformacao: return QStringLiteral("Informação");
    case kTipoErro: return QStringLiteral("Erro");
    case kTipoAviso: return QStringLiteral("Aviso");
    case kTipoPergunta: return QStringLiteral("Pergunta");
    case kTipoDica: return QStringLiteral("Dica");
    case kTipoAjuda: return QStringLiteral("Ajuda");
    default: return {};
  }
}

BotoesMensagem botoesDoTipo(int tipo) {
  if (tipo == kTipoPergunta) return {QStringLiteral("&Sim"), QStringLiteral("&Não"), true};
  return {QStringLiteral("Ok"), QString(), false};
}

int resultadoDaTecla(TeclaMensagem tecla, bool segundoVisivel) {
  if (tecla == TeclaMensagem::Esc) return kResultadoCancelar;
  return segundoVisivel ? kResultadoNenhum : kResultadoOk;
}

QString textoDaMensagem(const QString& texto) {
  QString r = texto;
  r.replace(QLatin1String("\\n"), QLatin1String("\n"), Qt::CaseInsensitive);
  return quebrasQt(r);
}

QString quebrasCrLf(const QString& texto) {
  QString r = quebrasQt(texto);
  r.replace(u'\n', QLatin1String("\r\n"));
  return r;
}

QString quebrasQt(const QString& texto) {
  if (!texto.contains(u'\r')) return texto;
  QString r = texto;
  r.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  r.replace(u'\r', u'\n');
  return r;
}

int alturaJanela(int pedida, int minima, int maxima) {
  return std::max(minima, std::min(pedida, std::max(minima, maxima)));
}

QByteArray bytesParaGravar(const QString& dados, CodificacaoArquivo codificacao) {
  const QStringList linhas = dividirLinhas(dados);
  QString texto;
  for (const QString& linha : linhas) texto += linha + QLatin1String("\r\n");
  return codificacao == CodificacaoArquivo::Utf8ComBom ? codificarUtf8ComBom(texto) : codificarTexto(texto);
}

QString gravarComo(const QString& nome, const QString& pastaPadrao, const QString& extensao, const QString& dados,
                   CodificacaoArquivo codificacao, const std::function<bool(const QString&)>& confirmarSobrepor,
                   QString* erro) {
  if (aparar(nome).isEmpty()) return {};
  const QString caminho = getBestPath(aparar(nome), pastaPadrao, extensao);
  // The program's own default folder is made when missing (a fresh
  // installation, a folder the user removed); any other folder must exist.
  const QString pasta = QFileInfo(caminho).absolutePath();
  const QString pastaDoPrograma =
      QFileInfo(getBestPath(QStringLiteral("x"), pastaPadrao, extensao)).absolutePath();
  if (pasta == pastaDoPrograma && !QFileInfo::exists(pasta)) QDir().mkpath(pasta);
  if (QFileInfo::exists(caminho) && !confirmarSobrepor(caminho)) return {};
  if (!gravarArquivo(caminho, bytesParaGravar(dados, codificacao), erro)) return {};
  return caminho;
}

}  // namespace mivo
