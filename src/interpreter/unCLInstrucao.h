#pragma once
// The read form of a statement: its name, its catalogue row and its
// arguments split and read as the row says. A statement is read once; the
// engine keeps the read form of each line while the script's text stays the
// same, and only expansion runs again when the line runs again.

#include <QString>
#include <QStringList>

#include "unCatalogo.h"

namespace mivo {


struct CLInstrucao {
  QString nome;                      // as written, trimmed ("MsgExibir"); empty: nothing to run
  const CLFuncao* funcao = nullptr;  // null: no function has this name
  QString texto;                     // the argument text (blanks normalised)
  QStringList brutos;                // the arguments as split (quotes kept); empty when not split
  QStringList lidos;                 // each argument read as its form says, not yet expanded
  quint64 expandir = 0;              // bit i: dispatch expands argument i
  QString chamada;                   // the text it was read from, for nested calls
};

// Reads a statement ("&Nome(argumentos)."): name, row and arguments.
CLInstrucao lerInstrucao(const QString& instrucao);
// Reads `texto` as the arguments of `funcao`.
void lerArgumentos(CLInstrucao& instrucao, const CLFuncao& funcao, const QString& texto);

// What a handler receives: the arguments read and, where the row says so,
// expanded.
struct CLArgumentos {
  const CLFuncao& funcao;
  QString texto;        // the whole argument text
  QStringList brutos;   // as split, quotes kept (only when split)
  QStringList valores;  // read as the row says

  qsizetype size() const { return valores.size(); }
  bool isEmpty() const { return valores.isEmpty(); }
  // Argument i as read; empty when absent.
  QString valor(qsizetype i) const { return i < valores.size() ? valores.at(i) : QString(); }
  const QString& operator[](qsizetype i) const { return valores.at(i); }
  // Argument i as split, quotes kept (the whole text when the function does
  // not split its arguments).
  QString bruto(qsizetype i) const {
    if (funcao.leitura == Leitura::Nenhuma) return {};
    if (funcao.leitura != Leitura::Dividida) return i == 0 ? texto : QString();
    return i < brutos.size() ? brutos.at(i) : QString();
  }
};

}  // namespace mivo
