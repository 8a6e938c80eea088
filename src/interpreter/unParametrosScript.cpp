#include "unParametrosScript.h"

#include "unLeitura.h"
#include "unUtil.h"

namespace mivo {

QList<ParametroScript> lerParametros(const QStringList& linhas) {
  QList<ParametroScript> r;
  for (const QString& linha : dividirLinhas(aparar(linhas.join(QLatin1String("\r\n"))))) {
    ParametroScript p;
    const qsizetype igual = linha.indexOf(u'=');
    if (igual >= 0) {
      p.nome = aparar(linha.left(igual));
      const QString texto = leitura::getParamValue(linha.mid(igual + 1));
      const qsizetype comentario = texto.indexOf(QLatin1String("// "));
      if (comentario >= 0) {
        p.valor = aparar(texto.left(comentario));
        p.descricao = aparar(texto.mid(comentario + 2));
      } else {
        p.valor = aparar(texto);
      }
    }
    if (p.valor.contains(u';')) {
      p.opcoes = p.valor.split(u';');
      p.valor = p.opcoes.first();
    }
    r.append(p);
  }
  return r;
}

QString caminhoParametros(const QString& caminhoScript) {
  const qsizetype pos = caminhoScript.indexOf(QLatin1String(".mivo"), 0, Qt::CaseInsensitive);
  if (pos < 0) return {};
  QString r = caminhoScript;
  return r.replace(pos, 5, QLatin1String(".params"));
}

QStringList linhasParametros(const QList<ParametroScript>& parametros) {
  QStringList r;
  for (const ParametroScript& p : parametros) {
    QString linha = aparar(p.nome) + u'=' + aparar(p.ehEscolha() ? p.opcoes.join(u';') : p.valor);
    if (!aparar(p.descricao).isEmpty()) linha += QLatin1String("// ") + aparar(p.descricao);
    r.append(linha);
  }
  return r;
}

}  // namespace mivo
