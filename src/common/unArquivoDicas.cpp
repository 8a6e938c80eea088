#include "unArquivoDicas.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include "unUtil.h"

namespace mivo::dicas {

namespace {

// The index of the first line naming the tip, or -1. The name is the text
// before the line's first "=".
qsizetype linhaDaDica(const QStringList& linhas, const QString& identificador) {
  for (qsizetype i = 0; i < linhas.size(); ++i) {
    const qsizetype igual = linhas[i].indexOf(u'=');
    if (igual < 0) continue;
    if (QStringView(linhas[i]).left(igual).compare(identificador, Qt::CaseInsensitive) == 0) return i;
  }
  return -1;
}

QStringList lerLinhas(const QString& caminho) {
  QString texto;
  if (!QFileInfo(caminho).isFile() || !lerArquivoTexto(caminho, texto)) return {};
  return dividirLinhas(texto);
}

}  // namespace

QString caminhoArquivoDicas() { return QDir(pastaBase()).filePath(QStringLiteral("tipfile.txt")); }

bool dicaOculta(const QString& caminho, const QString& identificador) {
  const QStringList linhas = lerLinhas(caminho);
  const qsizetype i = linhaDaDica(linhas, identificador);
  if (i < 0) return false;
  return QStringView(linhas[i]).mid(linhas[i].indexOf(u'=') + 1) == QLatin1String("true");
}

bool definirDicaOculta(const QString& caminho, const QString& identificador, bool oculta, QString* erro) {
  QStringList linhas = lerLinhas(caminho);
  const QString valor = oculta ? QStringLiteral("true") : QStringLiteral("false");
  const qsizetype i = linhaDaDica(linhas, identificador);
  if (i >= 0)
    linhas[i] = linhas[i].left(linhas[i].indexOf(u'=') + 1) + valor;
  else
    linhas.append(identificador + u'=' + valor);
  return gravarArquivo(caminho, codificarTexto(linhas.join(QLatin1String("\r\n")) + QLatin1String("\r\n")), erro);
}

}  // namespace mivo::dicas
