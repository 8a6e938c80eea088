#include "unSecoesScript.h"

#include "unCLErro.h"
#include "unCLScript.h"
#include "unPreCarga.h"
#include "unUtil.h"

namespace mivo {

QStringList definirConfig(const QStringList& documento, const QString& nomeConfig,
                          bool eliminarComentarios) {
  const QString fim = nomeConfig + QLatin1String("_fim");
  const QString texto = documento.join(QLatin1String("\r\n"));
  if (!texto.contains(fim) || !texto.contains(nomeConfig)) return {};
  QStringList lista;
  bool aberta = false;
  for (QString linha : documento) {
    if (eliminarComentarios) {
      const qsizetype comentario = linha.indexOf(QLatin1String("// "));
      if (comentario >= 0) linha.truncate(comentario);
    }
    const bool temFim = linha.contains(fim);
    if (aberta && !temFim) lista.append(aparar(linha));
    if (temFim) break;
    if (linha.contains(nomeConfig)) aberta = true;
  }
  while (!lista.isEmpty() && lista.first().isEmpty()) lista.removeFirst();
  while (!lista.isEmpty() && lista.last().isEmpty()) lista.removeLast();
  return lista;
}

EfeitosPreCarga rodarSecaoPre(CLScript& script, const QStringList& linhasPre) {
  static const QStringList kOcultar = {
      QStringLiteral("ocultar_aba_script"), QStringLiteral("ocultar_aba_dados"), QStringLiteral("ocultar_lista"),
      QStringLiteral("ocultar_texto"), QStringLiteral("ocultar_detalhe_celula")};
  const QString nao = QStringLiteral("não");
  const QString sim = QStringLiteral("sim");
  EfeitosPreCarga e;
  for (const QString& linha : linhasPre) {
    const qsizetype igual = linha.indexOf(u'=');
    const QString chave = igual < 0 ? QString() : aparar(linha.left(igual)).toLower();
    const QString valor = igual < 0 ? QString() : aparar(linha.mid(igual + 1));
    if (kOcultar.contains(chave)) e.ocultar[chave] = valor == sim;
    if (chave == QLatin1String("rodar")) {
      e.impedirRodar = valor == nao;
      continue;
    }
    if (valor != nao) {
      if (kOcultar.contains(chave)) continue;
      if (chave == QLatin1String("exigir_config")) { e.exigirConfig = valor == sim; continue; }
      if (chave == QLatin1String("exigir_dados")) { e.exigirDados = valor == sim; continue; }
      if (chave == QLatin1String("exigir_texto")) { e.exigirTexto = valor == sim; continue; }
      if (chave == QLatin1String("pre_titulo")) { e.titulo = valor; continue; }
      if (chave == QLatin1String("pre_titulo_lista")) { e.tituloLista = valor; continue; }
      if (chave == QLatin1String("pre_titulo_texto")) { e.tituloTexto = valor; continue; }
      if (chave == QLatin1String("pre_titulo_parametros")) { e.tituloParametros = valor; continue; }
      if (chave == QLatin1String("pre_descricao_parametros")) { e.descricaoParametros = valor; continue; }
      try {
        if (chave == QLatin1String("pre_texto")) { preCarregarTexto(script, valor); continue; }
        if (chave == QLatin1String("pre_lista")) { preCarregarLista(script, valor); continue; }
      } catch (const CLAbortoSilencioso&) {
        e.interrompida = true;
        return e;
      }
      if (chave == QLatin1String("pre_colunas")) {
        preCarregarColunas(script, valor);
        if (script.grade().ColCount() > 1) script.host().ajustarColunas();
        continue;
      }
    }
    script.valores().acrescentar(chave, valor);
  }
  return e;
}

}  // namespace mivo
