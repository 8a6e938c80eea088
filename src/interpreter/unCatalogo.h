#pragma once
// The one catalogue of script functions: dispatch, the editor's completion
// list, the highlighter, the help window and the script checker all read it.

#include <QList>
#include <QString>

namespace mivo {

class CLScript;

// A script function: receives the engine and the argument text, returns its
// result ("OK", "FALHA", a value, or empty).
using TratadorFuncao = QString (*)(CLScript& script, const QString& argumentos);

enum class Categoria { Processo, Acao, Janela, Nenhuma };
// How a function reads its argument text.
enum class Leitura {
  Nenhuma,   // ignored
  Inteira,   // the whole text as one argument, quotes stripped
  Bruta,     // the text exactly as written
  Dividida,  // split at ";" into arguments
};

struct CLFuncao {
  QString palavra;    // keyword: the lower-case name dispatch compares with
  Categoria categoria;
  QString nome;       // display name ("&MsgExibir"); empty without an entry
  QString dica;       // the hint shown after the name
  QString inserir;    // what the editor inserts when the entry is chosen
  Leitura leitura;
  bool expande;       // some argument goes through value expansion
  TratadorFuncao tratador;  // null: not available on this build; empty result

  bool temEntrada() const { return categoria != Categoria::Nenhuma; }
  QString textoCategoria() const;
};

namespace catalogo {

// Every function, in the order of the completion list; the three keywords
// without an entry come at the end.
const QList<CLFuncao>& funcoes();
// Only the entries of the completion list (87).
QList<const CLFuncao*> entradas();
// Dispatch lookup by keyword; null when the name is unknown. The block
// definition ("bloco[") is not found here: any name containing it is one.
const CLFuncao* procurar(const QString& palavraMinuscula);

}  // namespace catalogo
}  // namespace mivo
