#include "unCLDocumentoScript.h"

#include <QDir>
#include <QFileInfo>

#include "unSecoesScript.h"
#include "unUtil.h"

namespace mivo {

namespace {

const QString kExtensao = QStringLiteral(".mivo");
const QString kInicioInfo = QStringLiteral("##info");
const QString kFimInfo = QStringLiteral("##info_fim");
const QString kCrLf = QStringLiteral("\r\n");

QString comCrLf(const QString& texto) { return dividirLinhas(texto).join(kCrLf); }
QString comLf(const QString& texto) { return dividirLinhas(texto).join(u'\n'); }

// Values[key] of a key=value list: the first line whose key (the text before
// its first "=") matches, letter case ignored; the value as it stands.
QString valorDe(const QStringList& linhas, const QString& chave) {
  for (const QString& l : linhas) {
    const qsizetype igual = l.indexOf(u'=');
    if (igual >= 0 && l.left(igual).compare(chave, Qt::CaseInsensitive) == 0) return l.mid(igual + 1);
  }
  return {};
}

}  // namespace

void CLDocumentoScript::abrir(const QString& caminho) {
  gCaminho = caminho;
  gNome = nomeDoCaminho(caminho);
}

void CLDocumentoScript::aplicarSalvamento(const QString& arquivoGravado) {
  if (arquivoGravado.isEmpty()) return;
  gCaminho = arquivoGravado;
  gNome = nomeDoCaminho(arquivoGravado);
  gSalvo = true;
}

QString CLDocumentoScript::legendaNome() const {
  return QStringLiteral("  Script: ") + (gNome.isEmpty() ? QStringLiteral("Sem nome") : gNome) +
         QStringLiteral("  ");
}

QString CLDocumentoScript::tituloAposNomear(const QString& tituloAtual) const {
  // A script still without a name (its save failed or was cancelled) keeps
  // "Mivo": a caption "Mivo - " would stay for the rest of the session.
  if (tituloAtual != QLatin1String("Mivo") || gNome.isEmpty()) return tituloAtual;
  QString nome = gNome;
  nome.replace(u'_', u' ');
  nome.replace(kExtensao, QStringLiteral(" "), Qt::CaseInsensitive);
  return QStringLiteral("Mivo - ") + nome;
}

QString CLDocumentoScript::nomeDuplicata(const QDateTime& agora) const {
  const QDate d = agora.date();
  const QTime t = agora.time();
  return gNome + QStringLiteral(" %1-%2-%3-%4%5%6")
                     .arg(d.day(), 2, 10, QChar(u'0'))
                     .arg(d.month(), 2, 10, QChar(u'0'))
                     .arg(d.year() % 100, 2, 10, QChar(u'0'))
                     .arg(t.hour())
                     .arg(t.minute())
                     .arg(t.second());
}

QString CLDocumentoScript::nomeDoCaminho(const QString& caminho) {
  QString nome = QFileInfo(caminho).fileName();
  const qsizetype pos = nome.indexOf(kExtensao, 0, Qt::CaseInsensitive);
  if (pos >= 0) nome.remove(pos, kExtensao.size());
  return nome;
}

QString CLDocumentoScript::resolverCaminho(const QString& nome) {
  const QFileInfo comoDado(nome);
  if (comoDado.isFile()) return comoDado.absoluteFilePath();
  return getBestPath(nome, QStringLiteral("dados\\scripts"), kExtensao);
}

LeituraScript CLDocumentoScript::lerScript(const QString& nome) {
  LeituraScript r;
  if (aparar(nome).isEmpty()) {
    r.erro = QStringLiteral("Informe o nome do script a abrir.");
    return r;
  }
  r.caminho = resolverCaminho(aparar(nome));
  const QFileInfo info(r.caminho);
  if (!info.exists()) {
    r.erro = QStringLiteral("O script \"%1\" não foi encontrado.").arg(QDir::toNativeSeparators(r.caminho));
    return r;
  }
  if (!info.isFile()) {
    r.erro = QStringLiteral("\"%1\" não é um arquivo de script.").arg(QDir::toNativeSeparators(r.caminho));
    return r;
  }
  if (info.size() > kTamanhoMaximo) {
    r.erro = QStringLiteral("O arquivo \"%1\" é grande demais para ser um script.")
                 .arg(QDir::toNativeSeparators(r.caminho));
    return r;
  }
  QString texto;
  if (!lerArquivoTexto(r.caminho, texto)) {
    r.erro = QStringLiteral("Não foi possível ler o script \"%1\". Verifique se o arquivo existe e se você tem "
                            "permissão para abri-lo.")
                 .arg(QDir::toNativeSeparators(r.caminho));
    return r;
  }
  if (texto.contains(QChar(u'\0'))) {
    r.erro = QStringLiteral("O arquivo \"%1\" não é um script: ele não contém texto.")
                 .arg(QDir::toNativeSeparators(r.caminho));
    return r;
  }
  r.texto = comLf(texto);
  r.ok = true;
  return r;
}

QString CLDocumentoScript::caminhoParametros(const QString& caminhoScript) {
  if (!caminhoScript.endsWith(kExtensao, Qt::CaseInsensitive)) return {};
  return caminhoScript.left(caminhoScript.size() - kExtensao.size()) + QStringLiteral(".params");
}

QStringList CLDocumentoScript::linhasNovoScript(const QDate& hoje) {
  return {
      QStringLiteral("##info"),
      QStringLiteral("Data de criação: ") + dataCurtaBR(hoje),
      QStringLiteral("Autor: Seu nome"),
      QStringLiteral("##info_fim"),
      QString(),
      QStringLiteral("// Itens definidos ao rodar o script"),
      QStringLiteral("##config"),
      QStringLiteral("ocultar_janela=não // Oculta janela principal ao rodar"),
      QStringLiteral("ocultar_aba_script=não // Oculta a aba Script ao rodar "),
      QStringLiteral("ocultar_aba_dados=não // Oculta a aba Dados ao rodar "),
      QStringLiteral("ocultar_lista=não // Oculta a tabela de dados ao rodar "),
      QStringLiteral("ocultar_texto=não // Oculta a caixa de texto (aba Dados) ao rodar)"),
      QStringLiteral("ocultar_detalhe_celula=não // Oculta a exibição da célula selecionada na lista de dados"),
      QStringLiteral("fechar_ao_terminar=não // Encerra o programa ao finalizar a execução do script"),
      QStringLiteral("##config_fim"),
      QString(),
      QStringLiteral("// Itens definidos antes de rodar o script"),
      QStringLiteral("##pre_carregar"),
      QStringLiteral("rodar=sim // Roda o script assim que o arquivo é aberto"),
      QStringLiteral("ocultar_aba_script=não // Oculta a aba Script ao abrir o script"),
      QStringLiteral("ocultar_aba_dados=não // Oculta a aba \"Dados\" ao abrir o script"),
      QStringLiteral("ocultar_lista=não // Oculta a tabela de dados ao abrir o script"),
      QStringLiteral("ocultar_texto=não // Oculta a caixa de texto (na aba Dados) ao abrir o script"),
      QStringLiteral("ocultar_detalhe_celula=não // Oculta o detalhe da célula (na aba Dados) ao abrir o script"),
      QStringLiteral("exigir_config=não // Só roda o script se visualizar as configurações"),
      QStringLiteral("exigir_dados=não // Só roda o script se houver itens na lista de dados"),
      QStringLiteral("exigir_texto=não // Só roda o script se houver texto auxiliar"),
      QStringLiteral("pre_titulo=não // Texto principal com o nome do Script"),
      QStringLiteral("pre_titulo_lista=não // Título exibido na tabela de dados (na aba Dados)"),
      QStringLiteral("pre_titulo_texto=não // Título exibido acima da caixa de texto (aba Dados)"),
      QStringLiteral("pre_titulo_parametros=não // Título dos parâmetros iniciais (ao rodar o script)"),
      QStringLiteral("pre_descricao_parametros=não // Descrição dos parâmetros iniciais"),
      QStringLiteral("pre_texto=não // local de um arquivo texto para ser pré-carregado ao abrir o script"),
      QStringLiteral("pre_lista=não // arquivo de dados para ser pré-carregado ao abrir o script"),
      QStringLiteral("pre_colunas=nome,email,celular // Colunas para serem pré-definidas na tabela de dados"),
      QStringLiteral("##pre_carregar_fim"),
      QString(),
      QStringLiteral("##parametros"),
      QString(),
      QStringLiteral("##parametros_fim"),
      QString(),
      QStringLiteral("// Dicas úteis:"),
      QStringLiteral("// use \\n em um texto para quebrar linha"),
      QStringLiteral("// use [nome_variável] para retornar o conteúdo de uma variável;"),
      QStringLiteral("// use {nome_coluna} para acessar a tabela auxiliar de dados e retornar o valor ativo da coluna;"),
      QStringLiteral("//A seguir os métodos de execução de seu script"),
      QString(),
      QStringLiteral("&msgExibir(\"Olá mundo\")."),
      QString(),
      QString(),
      QStringLiteral("// Fim do script"),
      QStringLiteral("&VaiPara(fim)."),
      QStringLiteral("&marcador(erro)."),
      QStringLiteral("// Métodos para erros e exceções de script"),
      QString(),
      QStringLiteral("&marcador(fim)."),
  };
}

QString CLDocumentoScript::lerInfo(const QString& documento) {
  // The positions count on CR LF line breaks, as the file has them.
  const QString texto = comCrLf(documento);
  const qsizetype a = texto.indexOf(kInicioInfo);
  const qsizetype b = texto.indexOf(kFimInfo);
  if (a < 0 || b < 0) return {};
  const qsizetype tamanho = b - a - 10;
  if (tamanho <= 0) return {};
  return comLf(texto.mid(a + 8, tamanho));
}

QString CLDocumentoScript::gravarInfo(const QString& documento, const QString& info) {
  const QString texto = comCrLf(documento);
  const QString memo = aparar(comCrLf(info));
  const qsizetype a = texto.indexOf(kInicioInfo);
  const qsizetype f = texto.indexOf(kFimInfo);
  QString novo;
  if (a >= 0 && f >= 0)
    novo = aparar(texto.left(a + 8)) + kCrLf + memo + kCrLf + aparar(texto.mid(f));
  else
    novo = kInicioInfo + kCrLf + memo + kCrLf + kFimInfo + kCrLf + aparar(texto);
  return comLf(novo);
}

ConfigExecucao CLDocumentoScript::lerConfig(const QStringList& documento) {
  const QStringList linhas = definirConfig(documento, QStringLiteral("##config"), true);
  const QString sim = QStringLiteral("sim");
  ConfigExecucao c;
  c.executarMinimizado = aparar(valorDe(linhas, QStringLiteral("ocultar_janela"))) == sim;
  c.fecharAoTerminar = aparar(valorDe(linhas, QStringLiteral("fechar_ao_terminar"))) == sim;
  // As stored: a blank after "=" keeps the value from counting.
  c.abaScript = valorDe(linhas, QStringLiteral("ocultar_aba_script")) != sim;
  c.abaDados = valorDe(linhas, QStringLiteral("ocultar_aba_dados")) != sim;
  c.lista = valorDe(linhas, QStringLiteral("ocultar_lista")) != sim;
  c.detalheCelula = valorDe(linhas, QStringLiteral("ocultar_detalhe_celula")) != sim;
  c.abaTexto = valorDe(linhas, QStringLiteral("ocultar_texto")) != sim;
  return c;
}

AbasVisiveis CLDocumentoScript::abasVisiveis(bool ocultarScript, bool ocultarDados, bool ocultarTexto) {
  AbasVisiveis a;
  a.aba[0] = !ocultarScript;
  a.aba[1] = !ocultarDados;
  a.aba[2] = !ocultarTexto;
  if (ocultarScript) {
    a.barraVisivel = false;
    a.abaAtiva = 1;
  } else if (ocultarDados) {
    a.barraVisivel = false;
    a.abaAtiva = 0;
  }
  return a;
}

}  // namespace mivo
