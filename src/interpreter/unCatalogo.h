#pragma once
// The one catalogue of script functions: dispatch, the editor's completion
// list, the highlighter, the help window and the script checker all read it.
// Each row says how its function reads its arguments; dispatch reads them so
// and hands the handler ready values.

#include <QList>
#include <QString>
#include <QStringList>

namespace mivo {

class CLScript;
struct CLArgumentos;

// A script function: receives the engine and its arguments read as its row
// says, returns its result ("OK", "FALHA", a value, or empty).
using TratadorFuncao = QString (*)(CLScript& script, const CLArgumentos& a);

enum class Categoria { Processo, Acao, Janela, Nenhuma };

// How a function reads its argument text.
enum class Leitura {
  Nenhuma,   // ignored
  Inteira,   // the whole text as one argument
  Bruta,     // the text exactly as written, as one argument
  Dividida,  // split at ";" (outside nested calls) into arguments
};

// How one argument is read (one letter per argument in a row's `formas`).
enum class Forma : char {
  Texto = 't',      // quotes stripped and trimmed (getParamValue)
  Expandido = 'x',  // as Texto, then expanded
  Adiado = 'a',     // as Texto; the handler expands it when it decides to
  Bruto = 'b',      // exactly as split, quotes kept
};

// What a keyword is to the reader of a script (the checker, the editor).
enum class Tipo {
  Funcao,          // an ordinary function
  Marcador,        // "&Marcador": a jump target
  Salto,           // "&VaiPara": jumps to a marker
  DefinicaoBloco,  // "&Bloco[nome](...).": defines a block, skipped in sequence
  ChamadaBloco,    // "&BlocoExec": runs a block
  FimBloco,        // "&BlocoFim": ends a block
};

// What a function returns when its arguments cannot be used (fatal line).
enum class ResultadoErro {
  Vazio,          // empty
  Falha,          // "FALHA"
  Anterior,       // the last result, unchanged
  PeloTratador,   // the handler itself checks the count (dispatch does not)
};

struct CLFuncao {
  QString palavra;     // keyword: the lower-case name dispatch compares with
  QString nome;        // display name ("&MsgExibir")
  Categoria categoria; // Nenhuma: no entry in the completion list
  QString dica;        // the hint shown after the name
  QString inserir;     // what the editor inserts when the entry is chosen
  Leitura leitura;
  QString formas;      // one Forma letter per argument; the last one repeats
  int minimo;          // argument counts a correct call has
  int maximo;
  Tipo tipo;
  // The fatal line's text after " | " ("Se - Verifique ..."): used when a
  // call has fewer than `minimo` arguments and when the handler finds an
  // argument unusable; empty for functions without fatal errors.
  QString erro;
  ResultadoErro resultadoErro;
  // The result is data from outside the script (a cell, the clipboard, a
  // window's title, the auxiliary text): placed into an argument, it is
  // never read as calls, variables or columns.
  bool devolveDados;
  TratadorFuncao tratador;  // null only for "&Marcador" and the block definition

  bool temEntrada() const { return categoria != Categoria::Nenhuma; }
  QString textoCategoria() const;
  Forma forma(qsizetype indice) const;
  // True when some argument goes through value expansion.
  bool expande() const;
};

namespace catalogo {

// Every function, in the order of the completion list; the three keywords
// without an entry come at the end.
const QList<CLFuncao>& funcoes();
// Only the entries of the completion list.
QList<const CLFuncao*> entradas();
// Dispatch lookup by keyword; null when the name is unknown. A name holding
// "bloco[" is a block definition and finds the "&Bloco" row.
const CLFuncao* procurar(const QString& palavraMinuscula);
// The row of a display name or name as written in a statement (any case,
// with or without "&"); null when unknown.
const CLFuncao* procurarNome(const QString& nome);
// The words the editor colours as keywords, in lower case: every function
// name without its "&" and the names of the header sections with their
// "_fim" markers.
QStringList palavrasChave();

}  // namespace catalogo
}  // namespace mivo
