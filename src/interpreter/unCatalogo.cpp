#include "unCatalogo.h"

#include <QHash>

#include "unFuncControle.h"
#include "unFuncJanelas.h"
#include "unFuncMouse.h"
#include "unFuncTeclado.h"
#include "unFuncTabela.h"
#include "unFuncTexto.h"
#include "unFuncValores.h"

namespace mivo {

QString CLFuncao::textoCategoria() const {
  switch (categoria) {
    case Categoria::Processo: return QStringLiteral("Processo");
    case Categoria::Acao: return QStringLiteral("Ação");
    case Categoria::Janela: return QStringLiteral("Janela");
    case Categoria::Nenhuma: break;
  }
  return {};
}

Forma CLFuncao::forma(qsizetype indice) const {
  if (formas.isEmpty()) return Forma::Texto;
  return static_cast<Forma>(formas.at(std::min(indice, formas.size() - 1)).toLatin1());
}

bool CLFuncao::expande() const {
  return formas.contains(QChar(char(Forma::Expandido))) || formas.contains(QChar(char(Forma::Adiado)));
}

namespace {

struct Linha {
  const char* nome;       // display name; the keyword is its lower case without "&"
  Categoria categoria;    // Nenhuma: no entry in the completion list
  const char* dica;
  const char* inserir;    // null: the editor's rule applies
  Leitura leitura;
  const char* formas;     // one letter per argument: t, x (expanded), a (handler expands), b (raw)
  int minimo, maximo;     // argument counts of a correct call
  Tipo tipo;
  const char* erro;       // fatal line after " | "; null: none
  ResultadoErro resultadoErro;
  bool dados;             // the result is data from outside the script
  TratadorFuncao tratador;
};

// Grouped by family: control flow; variables, values and pauses; data table,
// auxiliary text and clipboard; keyboard and text entry; mouse and colour;
// windows, images, messages and tabs.
constexpr Linha kTabela[] = {
    {"&Bloco", Categoria::Processo, "[nome_bloco](<lista de chamadas>). [OK, FALHA]", "&Bloco[nome_bloco]().", Leitura::Nenhuma, "", 0, 0, Tipo::DefinicaoBloco, nullptr, ResultadoErro::Vazio, false, nullptr},
    {"&BlocoExec", Categoria::Processo, "(\"nome_bloco\": texto). [OK, FALHA]", nullptr, Leitura::Inteira, "t", 1, 1, Tipo::ChamadaBloco, nullptr, ResultadoErro::Vazio, false, fnBlocoExec},
    {"&BlocoFim", Categoria::Processo, "(). [OK, FALHA]", nullptr, Leitura::Inteira, "x", 0, 1, Tipo::FimBloco, nullptr, ResultadoErro::Vazio, false, fnBlocoFim},
    {"&Marcador", Categoria::Processo, "(ID: <número ou texto>). [sem retorno]", nullptr, Leitura::Nenhuma, "t", 1, 1, Tipo::Marcador, nullptr, ResultadoErro::Vazio, false, nullptr},
    {"&VaiPara", Categoria::Processo, "(marcador: <nome do marcador>). [OK = Achou o marcador,FALHA = não achou o marcador]", nullptr, Leitura::Inteira, "t", 1, 1, Tipo::Salto, nullptr, ResultadoErro::Vazio, false, fnVaiPara},
    {"&Se", Categoria::Processo, "(\"teste lógico\";<ação se verdadeiro>;<ação se falso>). [retorna a função executada]", nullptr, Leitura::Dividida, "taa", 2, 3, Tipo::Funcao, "Se - Verifique a sintaxe de uso da função Se().", ResultadoErro::Vazio, false, fnSe},
    {"&SeResultado", Categoria::Processo, "(\"valor\":texto; <ação>). [Se o último resultado = valor, executa a ação]", nullptr, Leitura::Dividida, "xa", 1, 2, Tipo::Funcao, "SeResultado - Verifique a sintaxe de uso desta função.", ResultadoErro::Vazio, false, fnSeResultado},
    {"&Resultado", Categoria::Processo, "(). [Retorna o último resultado de função]", nullptr, Leitura::Nenhuma, "", 0, 0, Tipo::Funcao, nullptr, ResultadoErro::Vazio, false, fnResultado},
    {"&ExecutarComando", Categoria::Acao, "(\"comando\": texto). [Executa um comando, ex: notepad.exe]", "&ExecutarComando(", Leitura::Inteira, "x", 1, 1, Tipo::Funcao, nullptr, ResultadoErro::Vazio, false, fnExecutarComando},
    {"&ValorDefinir", Categoria::Processo, "(\"nome_variável\":texto; \"valor\":texto; \"ignorar_variaveis\": \"sim/não\") [sem retorno]", nullptr, Leitura::Dividida, "tat", 2, 3, Tipo::Funcao, "ValorDefinir - Verifique a sintaxe de uso desta função.", ResultadoErro::Vazio, false, fnValorDefinir},
    {"&ValorPedir", Categoria::Janela, "(\"nome_variável\":texto; \"descrição\":texto) [OK = valor inserido, FALHA]", nullptr, Leitura::Dividida, "tt", 2, 2, Tipo::Funcao, "ValorPedir - Verifique a sintaxe de uso desta função.", ResultadoErro::Vazio, false, fnValorPedir},
    {"&Valor", Categoria::Processo, "(\"nome_variável\":texto) [retorna o texto contido na variável]", nullptr, Leitura::Inteira, "t", 1, 1, Tipo::Funcao, nullptr, ResultadoErro::Vazio, false, fnValor},
    {"&ValordoArquivo", Categoria::Processo, "(\"nome_variável\":texto; \"nome_arquivo\":texto) [OK = texto atribuído, FALHA = arquivo não existe]", nullptr, Leitura::Dividida, "tt", 2, 2, Tipo::Funcao, "valorDoArquivo - Verifique a sintaxe de uso desta função.", ResultadoErro::Vazio, false, fnValordoArquivo},
    {"&ValorInc", Categoria::Processo, "(\"nome_variável\":texto; incremento:inteiro) [OK, FALHA]", nullptr, Leitura::Dividida, "tx", 2, 2, Tipo::Funcao, "ValorInc - A variável não existe ou há problemas na sintaxe da função.", ResultadoErro::Anterior, false, fnValorInc},
    {"&ValorSubstituir", Categoria::Processo, "(\"nome_variável\":texto; \"valor_original\":texto; \"valor_alterado\":texto) [OK, FALHA]", nullptr, Leitura::Dividida, "xxx", 2, 3, Tipo::Funcao, "ValorSubstituir - Verifique se os 3 parâmetros da função estão corretos", ResultadoErro::Falha, false, fnValorSubstituir},
    {"&Data", Categoria::Processo, " [Retorna a data atual]", nullptr, Leitura::Nenhuma, "", 0, 0, Tipo::Funcao, nullptr, ResultadoErro::Vazio, false, fnData},
    {"&Hora", Categoria::Processo, " [Retorna a hora atual]", nullptr, Leitura::Nenhuma, "", 0, 0, Tipo::Funcao, nullptr, ResultadoErro::Vazio, false, fnHora},
    {"&Saudacao", Categoria::Processo, "() [Retorna bom dia, boa tarde ou boa noite]", nullptr, Leitura::Nenhuma, "", 0, 0, Tipo::Funcao, nullptr, ResultadoErro::Vazio, false, fnSaudacao},
    {"&Pausar", Categoria::Processo, "(segundos: inteiro). [Pausa o script]", nullptr, Leitura::Inteira, "x", 1, 1, Tipo::Funcao, nullptr, ResultadoErro::Vazio, false, fnPausar},
    {"&Pausar100", Categoria::Processo, "(centésimos: inteiro). [Pausa o script em centésimos]", nullptr, Leitura::Inteira, "t", 1, 1, Tipo::Funcao, nullptr, ResultadoErro::Vazio, false, fnPausar100},
    {"&PausaPadrao", Categoria::Processo, "(segundos: inteiro). [Uso opcional: toda execução usará essa pausa antes de continuar]", nullptr, Leitura::Inteira, "t", 1, 1, Tipo::Funcao, nullptr, ResultadoErro::Vazio, false, fnPausaPadrao},
    {"&ParametrosDesativar", Categoria::Nenhuma, nullptr, nullptr, Leitura::Nenhuma, "", 0, 0, Tipo::Funcao, nullptr, ResultadoErro::Vazio, false, fnParametrosDesativar},
    {"&ParametrosAtivar", Categoria::Nenhuma, nullptr, nullptr, Leitura::Nenhuma, "", 0, 0, Tipo::Funcao, nullptr, ResultadoErro::Vazio, false, fnParametrosAtivar},
    {"&LaInserirColunas", Categoria::Processo, "(\"colunas\":texto) //ex: \"nome,email,status\"", nullptr, Leitura::Inteira, "t", 1, 1, Tipo::Funcao, nullptr, ResultadoErro::Vazio, false, fnLaInserirColunas},
    {"&LaInserirLinha", Categoria::Processo, "(\"valores\":texto) //ex: \"Ariston,ariston@exemplo.com.br,ok\"", nullptr, Leitura::Inteira, "x", 1, 1, Tipo::Funcao, nullptr, ResultadoErro::Vazio, false, fnLaInserirLinha},
    {"&LaValor", Categoria::Processo, "(\"nome_coluna\":texto) [retorna o valor da coluna, da linha atual da lista ativa]", nullptr, Leitura::Inteira, "t", 1, 1, Tipo::Funcao, nullptr, ResultadoErro::Vazio, true, fnLaValor},
    {"&LaIrLinha", Categoria::Processo, "(linha:inteiro) [OK,FALHA = a linha não existe]", nullptr, Leitura::Inteira, "t", 1, 1, Tipo::Funcao, nullptr, ResultadoErro::Vazio, false, fnLaIrLinha},
    {"&LaProximaLinha", Categoria::Processo, "() [OK,FALHA = impossível ir para a próxima linha]", "&LaProximaLinha(", Leitura::Nenhuma, "", 0, 0, Tipo::Funcao, nullptr, ResultadoErro::Vazio, false, fnLaProximaLinha},
    {"&LaAbrir", Categoria::Processo, "(\"nome_arquivo\":texto) [OK, FALHA = arquivo inexistente ou vazio]", nullptr, Leitura::Inteira, "x", 1, 1, Tipo::Funcao, nullptr, ResultadoErro::Vazio, false, fnLaAbrir},
    {"&LaSalvar", Categoria::Processo, "(\"nome_arquivo\":texto) [sem retorno]", nullptr, Leitura::Inteira, "x", 1, 1, Tipo::Funcao, nullptr, ResultadoErro::Vazio, false, fnLaSalvar},
    {"&LaValorMudar", Categoria::Processo, "(\"nome_coluna\":texto) [OK, FALHA = coluna inexistente]", nullptr, Leitura::Dividida, "ta", 2, 2, Tipo::Funcao, "LaValorMudar - Verifique a sintaxe de uso desta função.", ResultadoErro::Vazio, false, fnLaValorMudar},
    {"&LaTemColuna", Categoria::Processo, "(\"nome_coluna\": texto)) [OK = A coluna existe; FALHA = A coluna não existe]", "&LaTemColuna(\"nome_coluna\").", Leitura::Inteira, "t", 1, 1, Tipo::Funcao, nullptr, ResultadoErro::Vazio, false, fnLaTemColuna},
    {"&LaAjustarColunas", Categoria::Processo, "() [sem retorno]", nullptr, Leitura::Nenhuma, "", 0, 0, Tipo::Funcao, nullptr, ResultadoErro::Vazio, false, fnLaAjustarColunas},
    {"&LaQtdLinhas", Categoria::Processo, "() [Retorna a quantidade de registros da lista ativa]", nullptr, Leitura::Nenhuma, "", 0, 0, Tipo::Funcao, nullptr, ResultadoErro::Vazio, false, fnLaQtdLinhas},
    {"&LaColunaLimpar", Categoria::Processo, "(\"nome_coluna\": texto)) [OK, FALHA = coluna inexistente]", nullptr, Leitura::Inteira, "t", 1, 1, Tipo::Funcao, nullptr, ResultadoErro::Vazio, false, fnLaColunaLimpar},
    {"&LaColunaValor", Categoria::Processo, "(\"nome_coluna\": texto)) [Retorna texto da coluna inteira]", nullptr, Leitura::Inteira, "t", 1, 1, Tipo::Funcao, nullptr, ResultadoErro::Vazio, true, fnLaColunaValor},
    {"&LaColunaApagar", Categoria::Processo, "(\"nome_coluna\": texto)) [OK, FALHA = coluna inexistente]", nullptr, Leitura::Inteira, "t", 1, 1, Tipo::Funcao, nullptr, ResultadoErro::Vazio, false, fnLaColunaApagar},
    {"&TaPegarTudo", Categoria::Processo, "() [Retorna o texto do quadro auxiliar de textos. Ta = \"Texto Auxiliar\"]", nullptr, Leitura::Nenhuma, "", 0, 0, Tipo::Funcao, nullptr, ResultadoErro::Vazio, true, fnTaPegarTudo},
    {"&TaLinhaPegar", Categoria::Processo, "(linha:inteiro) [Linha inicial = 1. Retorna uma linha do quadro de Texto Auxiliar]", nullptr, Leitura::Inteira, "t", 1, 1, Tipo::Funcao, nullptr, ResultadoErro::Vazio, true, fnTaLinhaPegar},
    {"&TaLinhaAdicionar", Categoria::Processo, "(\"valor\":texto) [Adiciona valor no final to Texto Auxiliar]", nullptr, Leitura::Dividida, "at", 1, 2, Tipo::Funcao, nullptr, ResultadoErro::Vazio, false, fnTaLinhaAdicionar},
    {"&TaLinhaApagar", Categoria::Processo, "(linha:inteiro) [Linha inicial = 1]", nullptr, Leitura::Inteira, "t", 1, 1, Tipo::Funcao, nullptr, ResultadoErro::Vazio, false, fnTaLinhaApagar},
    {"&TaDefinir", Categoria::Processo, "(\"valor\":texto) [use \\n para incluir quebras de linha facilmente]", nullptr, Leitura::Dividida, "at", 1, 2, Tipo::Funcao, nullptr, ResultadoErro::Vazio, false, fnTaDefinir},
    {"&TaAbrir", Categoria::Processo, "(\"arquivo\":texto) [Carrega arquivo no texto auxiliar]", nullptr, Leitura::Inteira, "x", 1, 1, Tipo::Funcao, nullptr, ResultadoErro::Vazio, false, fnTaAbrir},
    {"&TaSalvar", Categoria::Processo, "(\"arquivo\":texto) [Salva texto auxiliar]", nullptr, Leitura::Inteira, "t", 1, 1, Tipo::Funcao, nullptr, ResultadoErro::Vazio, false, fnTaSalvar},
    {"&MemoriaDefinir", Categoria::Processo, "(\"valor\":texto) [sem retorno]", nullptr, Leitura::Inteira, "t", 1, 1, Tipo::Funcao, nullptr, ResultadoErro::Vazio, false, fnMemoriaDefinir},
    {"&MemoriaCopiar", Categoria::Acao, "() [Simula CTRL + C e copia o que estiver selecionado]", nullptr, Leitura::Nenhuma, "", 0, 0, Tipo::Funcao, nullptr, ResultadoErro::Vazio, false, fnMemoriaCopiar},
    {"&MemoriaLer", Categoria::Processo, "() [Retorna o conteúdo da área de transferência, se for texto]", nullptr, Leitura::Nenhuma, "", 0, 0, Tipo::Funcao, nullptr, ResultadoErro::Vazio, true, fnMemoriaLer},
    {"&MemoriaColar", Categoria::Acao, "() [Simula CTRL + V]", nullptr, Leitura::Nenhuma, "", 0, 0, Tipo::Funcao, nullptr, ResultadoErro::Vazio, false, fnMemoriaColar},
    {"&TeclarEnter", Categoria::Acao, "() [sem retorno]", nullptr, Leitura::Nenhuma, "", 0, 0, Tipo::Funcao, nullptr, ResultadoErro::Vazio, false, fnTeclarEnter},
    {"&TeclarControlMais", Categoria::Acao, "(\"valor\": texto) [sem retorno]", "&TeclarControlMais(", Leitura::Bruta, "b", 1, 1, Tipo::Funcao, nullptr, ResultadoErro::Vazio, false, fnTeclarControlMais},
    {"&TeclarControlMaisID", Categoria::Acao, "(\"id\": número) [sem retorno]", "&TeclarControlMaisID(", Leitura::Bruta, "b", 1, 1, Tipo::Funcao, nullptr, ResultadoErro::Vazio, false, fnTeclarControlMaisID},
    {"&TeclarControlAltMais", Categoria::Acao, "(\"valor\": texto) [sem retorno]", "&TeclarControlAltMais(", Leitura::Bruta, "b", 1, 1, Tipo::Funcao, nullptr, ResultadoErro::Vazio, false, fnTeclarControlAltMais},
    {"&TeclarAltMais", Categoria::Acao, "(\"valor\": texto) [sem retorno]", "&TeclarAltMais(", Leitura::Bruta, "b", 1, 1, Tipo::Funcao, nullptr, ResultadoErro::Vazio, false, fnTeclarAltMais},
    {"&Teclar", Categoria::Acao, "(letra: texto) [sem retorno]", nullptr, Leitura::Inteira, "t", 1, 1, Tipo::Funcao, nullptr, ResultadoErro::Vazio, false, fnTeclar},
    {"&TeclarID", Categoria::Acao, "(ID: inteiro) [sem retorno]", nullptr, Leitura::Inteira, "t", 1, 1, Tipo::Funcao, nullptr, ResultadoErro::Vazio, false, fnTeclarID},
    {"&TeclarAltTab", Categoria::Acao, "() [sem retorno]", nullptr, Leitura::Nenhuma, "", 0, 0, Tipo::Funcao, nullptr, ResultadoErro::Vazio, false, fnTeclarAltTab},
    {"&TeclarAltF4", Categoria::Acao, "() [sem retorno]", nullptr, Leitura::Nenhuma, "", 0, 0, Tipo::Funcao, nullptr, ResultadoErro::Vazio, false, fnTeclarAltF4},
    {"&TeclarAltEspaco", Categoria::Acao, "() [sem retorno]", nullptr, Leitura::Nenhuma, "", 0, 0, Tipo::Funcao, nullptr, ResultadoErro::Vazio, false, fnTeclarAltEspaco},
    {"&TeclarControlEnter", Categoria::Acao, "() [sem retorno]", nullptr, Leitura::Nenhuma, "", 0, 0, Tipo::Funcao, nullptr, ResultadoErro::Vazio, false, fnTeclarControlEnter},
    {"&TeclarEsc", Categoria::Acao, "() [sem retorno]", nullptr, Leitura::Nenhuma, "", 0, 0, Tipo::Funcao, nullptr, ResultadoErro::Vazio, false, fnTeclarEsc},
    {"&TeclarShiftTab", Categoria::Acao, "() [sem retorno]", nullptr, Leitura::Nenhuma, "", 0, 0, Tipo::Funcao, nullptr, ResultadoErro::Vazio, false, fnTeclarShiftTab},
    {"&TeclarDireita", Categoria::Acao, "() [sem retorno]", nullptr, Leitura::Nenhuma, "", 0, 0, Tipo::Funcao, nullptr, ResultadoErro::Vazio, false, fnTeclarDireita},
    {"&TeclarEsquerda", Categoria::Acao, "() [sem retorno]", nullptr, Leitura::Nenhuma, "", 0, 0, Tipo::Funcao, nullptr, ResultadoErro::Vazio, false, fnTeclarEsquerda},
    {"&TeclarCima", Categoria::Acao, "() [sem retorno]", nullptr, Leitura::Nenhuma, "", 0, 0, Tipo::Funcao, nullptr, ResultadoErro::Vazio, false, fnTeclarCima},
    {"&TeclarBaixo", Categoria::Acao, "() [sem retorno]", nullptr, Leitura::Nenhuma, "", 0, 0, Tipo::Funcao, nullptr, ResultadoErro::Vazio, false, fnTeclarBaixo},
    {"&TextoColar", Categoria::Acao, "(\"valor\": texto). [Copia o texto informado para a área de transferência e cola]", nullptr, Leitura::Inteira, "x", 1, 1, Tipo::Funcao, nullptr, ResultadoErro::Vazio, false, fnTextoColar},
    {"&TextoDigitar", Categoria::Acao, "(\"valor\": texto) [Não funciona com acentos e cedilha (Use &TextoColar() nesses casos)]", nullptr, Leitura::Inteira, "t", 1, 1, Tipo::Funcao, nullptr, ResultadoErro::Vazio, false, fnTextoDigitar},
    {"&TextoProcessar", Categoria::Nenhuma, nullptr, nullptr, Leitura::Inteira, "x", 1, 1, Tipo::Funcao, nullptr, ResultadoErro::Vazio, false, fnTextoProcessar},
    {"&EntradaTexto", Categoria::Acao, "(\"título\": texto; \"valor inicial\": texto) [Retorna o valor recebido]", nullptr, Leitura::Dividida, "tt", 1, 2, Tipo::Funcao, nullptr, ResultadoErro::Vazio, false, fnEntradaTexto},
    {"&MouseAguardarCor", Categoria::Processo, "(tipo: <\"igual\" | \"diferente\">; cor: rgb[x,x,x]; segundos: inteiro) [OK, FALHA]", "&MouseAguardarCor(\"igual\";", Leitura::Dividida, "ttb", 3, 3, Tipo::Funcao, "MouseAguardarCor - Verifique os parâmetros passados", ResultadoErro::Falha, false, fnMouseAguardarCor},
    {"&MouseAguardarCorPonto", Categoria::Processo, "(tipo: <\"igual\" | \"diferente\">; cor: rgb[x,x,x]; segundos: inteiro; pontoX: inteiro; pontoY: inteiro) [OK, FALHA]", "&MouseAguardarCorPonto(\"igual\";rgb[0,0,0];10;800;800).", Leitura::Dividida, "ttbbb", 5, 5, Tipo::Funcao, "MouseAguardarCorPonto - Verifique os parâmetros passados", ResultadoErro::Falha, false, fnMouseAguardarCorPonto},
    {"&MouseQuadrante", Categoria::Acao, "(x:inteiro; y:inteiro) [sem retorno]", nullptr, Leitura::Dividida, "tt", 2, 2, Tipo::Funcao, "MouseQuadrante - Verifique os parâmetros passados", ResultadoErro::Vazio, false, fnMouseQuadrante},
    {"&MouseCentro", Categoria::Acao, "(x:inteiro; y:inteiro) [sem retorno]", nullptr, Leitura::Dividida, "tt", 2, 2, Tipo::Funcao, "MouseCentro - Verifique os parâmetros passados", ResultadoErro::Vazio, false, fnMouseCentro},
    {"&MouseNormal", Categoria::Acao, "(x:inteiro; y:inteiro) [sem retorno]", nullptr, Leitura::Dividida, "tt", 2, 2, Tipo::Funcao, "MouseNormal - Verifique os parâmetros passados", ResultadoErro::Vazio, false, fnMouseNormal},
    {"&MouseClicarAcao", Categoria::Acao, "(x:inteiro; y:inteiro) [sem retorno]", nullptr, Leitura::Dividida, "tt", 2, 2, Tipo::Funcao, "MouseClicarAcao - Verifique os parâmetros passados", ResultadoErro::Vazio, false, fnMouseClicarAcao},
    {"&MouseCliquePerguntar", Categoria::Acao, "(\"mensagem\": texto; x:inteiro; y:inteiro) [sem retorno]", "&MouseCliquePerguntar(\"mensagem\";0;0).", Leitura::Dividida, "tbbt", 3, 4, Tipo::Funcao, "&MouseCliquePerguntar - Verifique a sintaxe de uso desta função.", ResultadoErro::Falha, false, fnMouseCliquePerguntar},
    {"&MouseClicarMenu", Categoria::Acao, "(x:inteiro; y:inteiro) [sem retorno]", nullptr, Leitura::Dividida, "tt", 2, 2, Tipo::Funcao, "MouseClicarMenu - Verifique os parâmetros passados", ResultadoErro::Vazio, false, fnMouseClicarMenu},
    {"&MouseRolarCima", Categoria::Acao, "(intensidade:inteiro) [sem retorno]", nullptr, Leitura::Dividida, "b", 1, 1, Tipo::Funcao, "MouseRolarCima - Verifique os parâmetros passados", ResultadoErro::Vazio, false, fnMouseRolarCima},
    {"&MouseRolarBaixo", Categoria::Acao, "(intensidade:inteiro) [sem retorno]", nullptr, Leitura::Dividida, "b", 1, 1, Tipo::Funcao, "MouseRolarBaixo - Verifique os parâmetros passados", ResultadoErro::Vazio, false, fnMouseRolarBaixo},
    {"&MouseArrastar", Categoria::Acao, "(x1; y1; x2; y2: inteiro) [sem retorno]", nullptr, Leitura::Dividida, "tttt", 4, 4, Tipo::Funcao, "MouseArrastar - Verifique os parâmetros passados", ResultadoErro::Vazio, false, fnMouseArrastar},
    {"&JanelaAtivaAguardar", Categoria::Processo, "(\"título parcial\": texto; segundos: inteiro) [OK = Detectada a janela ativa,FALHA = Janela ativa não foi detectada]", "&JanelaAtivaAguardar(", Leitura::Dividida, "tb", 2, 2, Tipo::Funcao, "JanelaAtivaAguardar - Verifique os parâmetros passados", ResultadoErro::Falha, false, fnJanelaAtivaAguardar},
    {"&JanelaAtivaMaximizar", Categoria::Acao, "() [sem retorno]", nullptr, Leitura::Nenhuma, "", 0, 0, Tipo::Funcao, nullptr, ResultadoErro::Vazio, false, fnJanelaAtivaMaximizar},
    {"&JanelaAtivaPosicionar", Categoria::Acao, " (esquerda;topo;largura;altura: inteiro) [OK,FALHA]", nullptr, Leitura::Dividida, "tttt", 4, 4, Tipo::Funcao, "JanelaAtivaPosicionar - Verifique os parâmetros passados", ResultadoErro::Falha, false, fnJanelaAtivaPosicionar},
    {"&JanelaAtivar", Categoria::Acao, "(\"título parcial\": texto) [OK = Conseguiu, FALHA = não conseguiu]", nullptr, Leitura::Inteira, "t", 1, 1, Tipo::Funcao, nullptr, ResultadoErro::Vazio, false, fnJanelaAtivar},
    {"&JanelaAtivarExe", Categoria::Acao, "(\"nome_executável\": texto) [OK = Conseguiu, FALHA = não conseguiu]", nullptr, Leitura::Inteira, "t", 1, 1, Tipo::Funcao, nullptr, ResultadoErro::Vazio, false, fnJanelaAtivarExe},
    {"&JanelaAtivaTexto", Categoria::Acao, " () [OK,FALHA]", nullptr, Leitura::Nenhuma, "", 0, 0, Tipo::Funcao, nullptr, ResultadoErro::Vazio, true, fnJanelaAtivaTexto},
    {"&ImagemArquivoCopiar", Categoria::Processo, "(\"arquivo\": texto) [OK, FALHA]", nullptr, Leitura::Dividida, "x", 1, 1, Tipo::Funcao, "imagemArquivoCopiar - Verifique a sintaxe de uso desta função.", ResultadoErro::PeloTratador, false, fnImagemArquivoCopiar},
    {"&MsgExibir", Categoria::Janela, "(\"mensagem\":texto) [sem retorno]", nullptr, Leitura::Inteira, "x", 1, 1, Tipo::Funcao, nullptr, ResultadoErro::Vazio, false, fnMsgExibir},
    {"&MsgDica", Categoria::Janela, "(\"id_dica\": texto; \"mensagem\":texto; \"altura_janela\": inteiro) [sem retorno]", "&MsgDica(\"|\";\"\").", Leitura::Dividida, "xxt", 2, 3, Tipo::Funcao, "msgDica - Verifique a sintaxe de uso desta função.", ResultadoErro::Vazio, false, fnMsgDica},
    {"&MivoAbaClicar", Categoria::Acao, "(\"nome da aba\": texto) [OK, FALHA]", nullptr, Leitura::Inteira, "t", 1, 1, Tipo::Funcao, nullptr, ResultadoErro::Vazio, false, fnMivoAbaClicar},
};

// The insert text by rule: "()." when the hint starts with "()" or with a
// result note, "(" plus a double quote when the first argument is quoted,
// and "(" otherwise.
QString insercaoPorRegra(const QString& nome, const QString& dica) {
  const QString d = dica.trimmed();
  if (d.startsWith(QLatin1String("()")) || d.startsWith(u'[')) return nome + QLatin1String("().");
  if (d.startsWith(QLatin1String("(\""))) return nome + QLatin1String("(\"");
  return nome + u'(';
}

QString texto(const char* c) { return c ? QString::fromUtf8(c) : QString(); }

QList<CLFuncao> montarFuncoes() {
  QList<CLFuncao> lista;
  QList<CLFuncao> semEntrada;
  for (const Linha& l : kTabela) {
    CLFuncao f;
    f.nome = texto(l.nome);
    f.tipo = l.tipo;
    f.palavra = f.tipo == Tipo::DefinicaoBloco ? f.nome.mid(1).toLower() + u'[' : f.nome.mid(1).toLower();
    f.categoria = l.categoria;
    f.dica = texto(l.dica);
    if (f.temEntrada()) f.inserir = l.inserir ? texto(l.inserir) : insercaoPorRegra(f.nome, f.dica);
    f.leitura = l.leitura;
    f.formas = texto(l.formas);
    f.minimo = l.minimo;
    f.maximo = l.maximo;
    f.erro = texto(l.erro);
    f.resultadoErro = l.resultadoErro;
    f.devolveDados = l.dados;
    f.tratador = l.tratador;
    (f.temEntrada() ? lista : semEntrada).append(f);
  }
  lista.append(semEntrada);
  return lista;
}

}  // namespace

namespace catalogo {

const QList<CLFuncao>& funcoes() {
  static const QList<CLFuncao> lista = montarFuncoes();
  return lista;
}

QList<const CLFuncao*> entradas() {
  QList<const CLFuncao*> r;
  for (const CLFuncao& f : funcoes())
    if (f.temEntrada()) r.append(&f);
  return r;
}

const CLFuncao* procurar(const QString& palavraMinuscula) {
  static const QHash<QString, const CLFuncao*> indice = [] {
    QHash<QString, const CLFuncao*> h;
    for (const CLFuncao& f : funcoes()) h.insert(f.palavra, &f);
    return h;
  }();
  static const CLFuncao* const bloco = indice.value(QStringLiteral("bloco["));
  if (const CLFuncao* f = indice.value(palavraMinuscula, nullptr)) return f;
  if (palavraMinuscula.contains(QLatin1String("bloco["))) return bloco;
  return nullptr;
}

const CLFuncao* procurarNome(const QString& nome) {
  QString p = nome.trimmed().toLower();
  if (p.startsWith(u'&')) p.remove(0, 1);
  if (const CLFuncao* f = procurar(p)) return f;
  // "&Bloco", the display name of the block definition.
  for (const CLFuncao& f : funcoes())
    if (f.nome.mid(1).compare(p, Qt::CaseInsensitive) == 0) return &f;
  return nullptr;
}

QStringList palavrasChave() {
  QStringList r;
  for (const CLFuncao& f : funcoes()) r.append(f.nome.mid(1).toLower());
  for (const char* secao : {"config", "pre_carregar", "parametros"}) {
    r.append(QString::fromLatin1(secao));
    r.append(QString::fromLatin1(secao) + QLatin1String("_fim"));
  }
  return r;
}

}  // namespace catalogo
}  // namespace mivo
