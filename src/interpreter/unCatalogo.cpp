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

namespace {

struct Linha {
  const char* palavra;
  Categoria categoria;
  const char* nome;
  const char* dica;
  const char* inserir;  // null: the editor's rule applies
  Leitura leitura;
  bool expande;
  TratadorFuncao tratador;
};

// Grouped by family: control flow; variables, values and pauses; data table,
// auxiliary text and clipboard; keyboard and text entry; mouse and colour;
// windows, images, messages and tabs.
constexpr Linha kTabela[] = {
    {"bloco[", Categoria::Processo, "&Bloco", "[nome_bloco](<lista de chamadas>). [OK, FALHA]", "&Bloco[nome_bloco]().", Leitura::Nenhuma, false, nullptr},
    {"blocoexec", Categoria::Processo, "&BlocoExec", "(\"nome_bloco\": texto). [OK, FALHA]", nullptr, Leitura::Inteira, false, fnBlocoExec},
    {"blocofim", Categoria::Processo, "&BlocoFim", "(). [OK, FALHA]", nullptr, Leitura::Inteira, true, fnBlocoFim},
    {"marcador", Categoria::Processo, "&Marcador", "(ID: <número ou texto>). [sem retorno]", nullptr, Leitura::Nenhuma, false, nullptr},
    {"vaipara", Categoria::Processo, "&VaiPara", "(marcador: <nome do marcador>). [OK = Achou o marcador,FALHA = não achou o marcador]", nullptr, Leitura::Inteira, false, fnVaiPara},
    {"se", Categoria::Processo, "&Se", "(\"teste lógico\";<ação se verdadeiro>;<ação se falso>). [retorna a função executada]", nullptr, Leitura::Dividida, false, fnSe},
    {"seresultado", Categoria::Processo, "&SeResultado", "(\"valor\":texto; <ação>). [Se o último resultado = valor, executa a ação]", nullptr, Leitura::Dividida, true, fnSeResultado},
    {"resultado", Categoria::Processo, "&Resultado", "(). [Retorna o último resultado de função]", nullptr, Leitura::Nenhuma, false, fnResultado},
    {"executarcomando", Categoria::Acao, "&ExecutarComando", "(\"comando\": texto). [Executa um comando, ex: notepad.exe]", "&ExecutarComando(", Leitura::Inteira, true, fnExecutarComando},
    {"valordefinir", Categoria::Processo, "&ValorDefinir", "(\"nome_variável\":texto; \"valor\":texto; \"ignorar_variaveis\": \"sim/não\") [sem retorno]", nullptr, Leitura::Dividida, true, fnValorDefinir},
    {"valorpedir", Categoria::Janela, "&ValorPedir", "(\"nome_variável\":texto; \"descrição\":texto) [OK = valor inserido, FALHA]", nullptr, Leitura::Dividida, false, fnValorPedir},
    {"valor", Categoria::Processo, "&Valor", "(\"nome_variável\":texto) [retorna o texto contido na variável]", nullptr, Leitura::Inteira, false, fnValor},
    {"valordoarquivo", Categoria::Processo, "&ValordoArquivo", "(\"nome_variável\":texto; \"nome_arquivo\":texto) [OK = texto atribuído, FALHA = arquivo não existe]", nullptr, Leitura::Dividida, false, fnValordoArquivo},
    {"valorinc", Categoria::Processo, "&ValorInc", "(\"nome_variável\":texto; incremento:inteiro) [OK, FALHA]", nullptr, Leitura::Dividida, true, fnValorInc},
    {"valorsubstituir", Categoria::Processo, "&ValorSubstituir", "(\"nome_variável\":texto; \"valor_original\":texto; \"valor_alterado\":texto) [OK, FALHA]", nullptr, Leitura::Dividida, true, fnValorSubstituir},
    {"data", Categoria::Processo, "&Data", " [Retorna a data atual]", nullptr, Leitura::Nenhuma, false, fnData},
    {"hora", Categoria::Processo, "&Hora", " [Retorna a hora atual]", nullptr, Leitura::Nenhuma, false, fnHora},
    {"saudacao", Categoria::Processo, "&Saudacao", "() [Retorna bom dia, boa tarde ou boa noite]", nullptr, Leitura::Nenhuma, false, fnSaudacao},
    {"pausar", Categoria::Processo, "&Pausar", "(segundos: inteiro). [Pausa o script]", nullptr, Leitura::Inteira, true, fnPausar},
    {"pausar100", Categoria::Processo, "&Pausar100", "(centésimos: inteiro). [Pausa o script em centésimos]", nullptr, Leitura::Inteira, false, fnPausar100},
    {"pausapadrao", Categoria::Processo, "&PausaPadrao", "(segundos: inteiro). [Uso opcional: toda execução usará essa pausa antes de continuar]", nullptr, Leitura::Inteira, false, fnPausaPadrao},
    {"parametrosdesativar", Categoria::Nenhuma, nullptr, nullptr, nullptr, Leitura::Nenhuma, false, fnParametrosDesativar},
    {"parametrosativar", Categoria::Nenhuma, nullptr, nullptr, nullptr, Leitura::Nenhuma, false, fnParametrosAtivar},
    {"lainserircolunas", Categoria::Processo, "&LaInserirColunas", "(\"colunas\":texto) //ex: \"nome,email,status\"", nullptr, Leitura::Inteira, false, fnLaInserirColunas},
    {"lainserirlinha", Categoria::Processo, "&LaInserirLinha", "(\"valores\":texto) //ex: \"Ariston,ariston@exemplo.com.br,ok\"", nullptr, Leitura::Inteira, true, fnLaInserirLinha},
    {"lavalor", Categoria::Processo, "&LaValor", "(\"nome_coluna\":texto) [retorna o valor da coluna, da linha atual da lista ativa]", nullptr, Leitura::Inteira, false, fnLaValor},
    {"lairlinha", Categoria::Processo, "&LaIrLinha", "(linha:inteiro) [OK,FALHA = a linha não existe]", nullptr, Leitura::Inteira, false, fnLaIrLinha},
    {"laproximalinha", Categoria::Processo, "&LaProximaLinha", "() [OK,FALHA = impossível ir para a próxima linha]", "&LaProximaLinha(", Leitura::Nenhuma, false, fnLaProximaLinha},
    {"laabrir", Categoria::Processo, "&LaAbrir", "(\"nome_arquivo\":texto) [OK, FALHA = arquivo inexistente ou vazio]", nullptr, Leitura::Inteira, true, fnLaAbrir},
    {"lasalvar", Categoria::Processo, "&LaSalvar", "(\"nome_arquivo\":texto) [sem retorno]", nullptr, Leitura::Inteira, true, fnLaSalvar},
    {"lavalormudar", Categoria::Processo, "&LaValorMudar", "(\"nome_coluna\":texto) [OK, FALHA = coluna inexistente]", nullptr, Leitura::Dividida, true, fnLaValorMudar},
    {"latemcoluna", Categoria::Processo, "&LaTemColuna", "(\"nome_coluna\": texto)) [OK = A coluna existe; FALHA = A coluna não existe]", "&LaTemColuna(\"nome_coluna\").", Leitura::Inteira, false, fnLaTemColuna},
    {"laajustarcolunas", Categoria::Processo, "&LaAjustarColunas", "() [sem retorno]", nullptr, Leitura::Nenhuma, false, fnLaAjustarColunas},
    {"laqtdlinhas", Categoria::Processo, "&LaQtdLinhas", "() [Retorna a quantidade de registros da lista ativa]", nullptr, Leitura::Nenhuma, false, fnLaQtdLinhas},
    {"lacolunalimpar", Categoria::Processo, "&LaColunaLimpar", "(\"nome_coluna\": texto)) [OK, FALHA = coluna inexistente]", nullptr, Leitura::Inteira, false, fnLaColunaLimpar},
    {"lacolunavalor", Categoria::Processo, "&LaColunaValor", "(\"nome_coluna\": texto)) [Retorna texto da coluna inteira]", nullptr, Leitura::Inteira, false, fnLaColunaValor},
    {"lacolunaapagar", Categoria::Processo, "&LaColunaApagar", "(\"nome_coluna\": texto)) [OK, FALHA = coluna inexistente]", nullptr, Leitura::Inteira, false, fnLaColunaApagar},
    {"tapegartudo", Categoria::Processo, "&TaPegarTudo", "() [Retorna o texto do quadro auxiliar de textos. Ta = \"Texto Auxiliar\"]", nullptr, Leitura::Nenhuma, false, fnTaPegarTudo},
    {"talinhapegar", Categoria::Processo, "&TaLinhaPegar", "(linha:inteiro) [Linha inicial = 1. Retorna uma linha do quadro de Texto Auxiliar]", nullptr, Leitura::Inteira, false, fnTaLinhaPegar},
    {"talinhaadicionar", Categoria::Processo, "&TaLinhaAdicionar", "(\"valor\":texto) [Adiciona valor no final to Texto Auxiliar]", nullptr, Leitura::Dividida, true, fnTaLinhaAdicionar},
    {"talinhaapagar", Categoria::Processo, "&TaLinhaApagar", "(linha:inteiro) [Linha inicial = 1]", nullptr, Leitura::Inteira, false, fnTaLinhaApagar},
    {"tadefinir", Categoria::Processo, "&TaDefinir", "(\"valor\":texto) [use \\n para incluir quebras de linha facilmente]", nullptr, Leitura::Dividida, true, fnTaDefinir},
    {"taabrir", Categoria::Processo, "&TaAbrir", "(\"arquivo\":texto) [Carrega arquivo no texto auxiliar]", nullptr, Leitura::Inteira, true, fnTaAbrir},
    {"tasalvar", Categoria::Processo, "&TaSalvar", "(\"arquivo\":texto) [Salva texto auxiliar]", nullptr, Leitura::Inteira, false, fnTaSalvar},
    {"memoriadefinir", Categoria::Processo, "&MemoriaDefinir", "(\"valor\":texto) [sem retorno]", nullptr, Leitura::Inteira, false, fnMemoriaDefinir},
    {"memoriacopiar", Categoria::Acao, "&MemoriaCopiar", "() [Simula CTRL + C e copia o que estiver selecionado]", nullptr, Leitura::Nenhuma, false, fnMemoriaCopiar},
    {"memorialer", Categoria::Processo, "&MemoriaLer", "() [Retorna o conteúdo da área de transferência, se for texto]", nullptr, Leitura::Nenhuma, false, fnMemoriaLer},
    {"memoriacolar", Categoria::Acao, "&MemoriaColar", "() [Simula CTRL + V]", nullptr, Leitura::Nenhuma, false, fnMemoriaColar},
    {"teclarenter", Categoria::Acao, "&TeclarEnter", "() [sem retorno]", nullptr, Leitura::Nenhuma, false, fnTeclarEnter},
    {"teclarcontrolmais", Categoria::Acao, "&TeclarControlMais", "(\"valor\": texto) [sem retorno]", "&TeclarControlMais(", Leitura::Bruta, false, fnTeclarControlMais},
    {"teclarcontrolmaisid", Categoria::Acao, "&TeclarControlMaisID", "(\"id\": número) [sem retorno]", "&TeclarControlMaisID(", Leitura::Bruta, false, fnTeclarControlMaisID},
    {"teclarcontrolaltmais", Categoria::Acao, "&TeclarControlAltMais", "(\"valor\": texto) [sem retorno]", "&TeclarControlAltMais(", Leitura::Bruta, false, fnTeclarControlAltMais},
    {"teclaraltmais", Categoria::Acao, "&TeclarAltMais", "(\"valor\": texto) [sem retorno]", "&TeclarAltMais(", Leitura::Bruta, false, fnTeclarAltMais},
    {"teclar", Categoria::Acao, "&Teclar", "(letra: texto) [sem retorno]", nullptr, Leitura::Inteira, false, fnTeclar},
    {"teclarid", Categoria::Acao, "&TeclarID", "(ID: inteiro) [sem retorno]", nullptr, Leitura::Inteira, false, fnTeclarID},
    {"teclaralttab", Categoria::Acao, "&TeclarAltTab", "() [sem retorno]", nullptr, Leitura::Nenhuma, false, fnTeclarAltTab},
    {"teclaraltf4", Categoria::Acao, "&TeclarAltF4", "() [sem retorno]", nullptr, Leitura::Nenhuma, false, fnTeclarAltF4},
    {"teclaraltespaco", Categoria::Acao, "&TeclarAltEspaco", "() [sem retorno]", nullptr, Leitura::Nenhuma, false, fnTeclarAltEspaco},
    {"teclarcontrolenter", Categoria::Acao, "&TeclarControlEnter", "() [sem retorno]", nullptr, Leitura::Nenhuma, false, fnTeclarControlEnter},
    {"teclaresc", Categoria::Acao, "&TeclarEsc", "() [sem retorno]", nullptr, Leitura::Nenhuma, false, fnTeclarEsc},
    {"teclarshifttab", Categoria::Acao, "&TeclarShiftTab", "() [sem retorno]", nullptr, Leitura::Nenhuma, false, fnTeclarShiftTab},
    {"teclardireita", Categoria::Acao, "&TeclarDireita", "() [sem retorno]", nullptr, Leitura::Nenhuma, false, fnTeclarDireita},
    {"teclaresquerda", Categoria::Acao, "&TeclarEsquerda", "() [sem retorno]", nullptr, Leitura::Nenhuma, false, fnTeclarEsquerda},
    {"teclarcima", Categoria::Acao, "&TeclarCima", "() [sem retorno]", nullptr, Leitura::Nenhuma, false, fnTeclarCima},
    {"teclarbaixo", Categoria::Acao, "&TeclarBaixo", "() [sem retorno]", nullptr, Leitura::Nenhuma, false, fnTeclarBaixo},
    {"textocolar", Categoria::Acao, "&TextoColar", "(\"valor\": texto). [Copia o texto informado para a área de transferência e cola]", nullptr, Leitura::Inteira, true, fnTextoColar},
    {"textodigitar", Categoria::Acao, "&TextoDigitar", "(\"valor\": texto) [Não funciona com acentos e cedilha (Use &TextoColar() nesses casos)]", nullptr, Leitura::Inteira, false, fnTextoDigitar},
    {"textoprocessar", Categoria::Nenhuma, nullptr, nullptr, nullptr, Leitura::Inteira, true, fnTextoProcessar},
    {"entradatexto", Categoria::Acao, "&EntradaTexto", "(\"título\": texto; \"valor inicial\": texto) [Retorna o valor recebido]", nullptr, Leitura::Dividida, false, fnEntradaTexto},
    {"mouseaguardarcor", Categoria::Processo, "&MouseAguardarCor", "(tipo: <\"igual\" | \"diferente\">; cor: rgb[x,x,x]; segundos: inteiro) [OK, FALHA]", "&MouseAguardarCor(\"igual\";", Leitura::Dividida, false, fnMouseAguardarCor},
    {"mouseaguardarcorponto", Categoria::Processo, "&MouseAguardarCorPonto", "(tipo: <\"igual\" | \"diferente\">; cor: rgb[x,x,x]; segundos: inteiro; pontoX: inteiro; pontoY: inteiro) [OK, FALHA]", "&MouseAguardarCorPonto(\"igual\";rgb[0,0,0];10;800;800).", Leitura::Dividida, false, fnMouseAguardarCorPonto},
    {"mousequadrante", Categoria::Acao, "&MouseQuadrante", "(x:inteiro; y:inteiro) [sem retorno]", nullptr, Leitura::Dividida, false, fnMouseQuadrante},
    {"mousecentro", Categoria::Acao, "&MouseCentro", "(x:inteiro; y:inteiro) [sem retorno]", nullptr, Leitura::Dividida, false, fnMouseCentro},
    {"mousenormal", Categoria::Acao, "&MouseNormal", "(x:inteiro; y:inteiro) [sem retorno]", nullptr, Leitura::Dividida, false, fnMouseNormal},
    {"mouseclicaracao", Categoria::Acao, "&MouseClicarAcao", "(x:inteiro; y:inteiro) [sem retorno]", nullptr, Leitura::Dividida, false, fnMouseClicarAcao},
    {"mousecliqueperguntar", Categoria::Acao, "&MouseCliquePerguntar", "(\"mensagem\": texto; x:inteiro; y:inteiro) [sem retorno]", "&MouseCliquePerguntar(\"mensagem\";0;0).", Leitura::Dividida, false, fnMouseCliquePerguntar},
    {"mouseclicarmenu", Categoria::Acao, "&MouseClicarMenu", "(x:inteiro; y:inteiro) [sem retorno]", nullptr, Leitura::Dividida, false, fnMouseClicarMenu},
    {"mouserolarcima", Categoria::Acao, "&MouseRolarCima", "(intensidade:inteiro) [sem retorno]", nullptr, Leitura::Dividida, false, fnMouseRolarCima},
    {"mouserolarbaixo", Categoria::Acao, "&MouseRolarBaixo", "(intensidade:inteiro) [sem retorno]", nullptr, Leitura::Dividida, false, fnMouseRolarBaixo},
    {"mousearrastar", Categoria::Acao, "&MouseArrastar", "(x1; y1; x2; y2: inteiro) [sem retorno]", nullptr, Leitura::Dividida, false, fnMouseArrastar},
    {"janelaativaaguardar", Categoria::Processo, "&JanelaAtivaAguardar", "(\"título parcial\": texto; segundos: inteiro) [OK = Detectada a janela ativa,FALHA = Janela ativa não foi detectada]", "&JanelaAtivaAguardar(", Leitura::Dividida, false, fnJanelaAtivaAguardar},
    {"janelaativamaximizar", Categoria::Acao, "&JanelaAtivaMaximizar", "() [sem retorno]", nullptr, Leitura::Nenhuma, false, fnJanelaAtivaMaximizar},
    {"janelaativaposicionar", Categoria::Acao, "&JanelaAtivaPosicionar", " (esquerda;topo;largura;altura: inteiro) [OK,FALHA]", nullptr, Leitura::Dividida, false, fnJanelaAtivaPosicionar},
    {"janelaativar", Categoria::Acao, "&JanelaAtivar", "(\"título parcial\": texto) [OK = Conseguiu, FALHA = não conseguiu]", nullptr, Leitura::Inteira, false, fnJanelaAtivar},
    {"janelaativarexe", Categoria::Acao, "&JanelaAtivarExe", "(\"nome_executável\": texto) [OK = Conseguiu, FALHA = não conseguiu]", nullptr, Leitura::Inteira, false, fnJanelaAtivarExe},
    {"janelaativatexto", Categoria::Acao, "&JanelaAtivaTexto", " () [OK,FALHA]", nullptr, Leitura::Nenhuma, false, fnJanelaAtivaTexto},
    {"imagemarquivocopiar", Categoria::Processo, "&ImagemArquivoCopiar", "(\"arquivo\": texto) [OK, FALHA]", nullptr, Leitura::Dividida, true, fnImagemArquivoCopiar},
    {"msgexibir", Categoria::Janela, "&MsgExibir", "(\"mensagem\":texto) [sem retorno]", nullptr, Leitura::Inteira, true, fnMsgExibir},
    {"msgdica", Categoria::Janela, "&MsgDica", "(\"id_dica\": texto; \"mensagem\":texto; \"altura_janela\": inteiro) [sem retorno]", "&MsgDica(\"|\";\"\").", Leitura::Dividida, true, fnMsgDica},
    {"mivoabaclicar", Categoria::Acao, "&MivoAbaClicar", "(\"nome da aba\": texto) [OK, FALHA]", nullptr, Leitura::Inteira, false, fnMivoAbaClicar},
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

QList<CLFuncao> montarFuncoes() {
  QList<CLFuncao> lista;
  QList<CLFuncao> semEntrada;
  for (const Linha& l : kTabela) {
    CLFuncao f;
    f.palavra = QString::fromUtf8(l.palavra);
    f.categoria = l.categoria;
    f.nome = l.nome ? QString::fromUtf8(l.nome) : QString();
    f.dica = l.dica ? QString::fromUtf8(l.dica) : QString();
    if (l.categoria != Categoria::Nenhuma)
      f.inserir = l.inserir ? QString::fromUtf8(l.inserir) : insercaoPorRegra(f.nome, f.dica);
    f.leitura = l.leitura;
    f.expande = l.expande;
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
    for (const CLFuncao& f : funcoes())
      if (f.palavra != QLatin1String("bloco[")) h.insert(f.palavra, &f);
    return h;
  }();
  return indice.value(palavraMinuscula, nullptr);
}

}  // namespace catalogo
}  // namespace mivo
