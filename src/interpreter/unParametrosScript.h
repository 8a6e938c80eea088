#pragma once
// Start parameters: the lines of a script's "##parametros" section
// (name=value // description), the choice lists among them, and the
// ".params" file beside the script that remembers the last values.

#include <QList>
#include <QString>
#include <QStringList>

namespace mivo {

struct ParametroScript {
  QString nome;
  QString valor;       // the selected option for a choice list
  QString descricao;
  QStringList opcoes;  // a choice list's options, the selected first; empty for plain text
  bool ehEscolha() const { return !opcoes.isEmpty(); }
};

// Reads parameter lines as the start-parameters window fills its table:
// the value part goes through getParamValue, "// " starts the description,
// and a value holding ";" is a choice list whose first option is selected.
QList<ParametroScript> lerParametros(const QStringList& linhas);

// The ".params" file of a script: its path with the first ".mivo" (any
// letter case) replaced; empty when the path has no ".mivo".
QString caminhoParametros(const QString& caminhoScript);

// The lines of the ".params" file: name=value// description, a choice list
// with its whole option list, the selected first.
QStringList linhasParametros(const QList<ParametroScript>& parametros);

}  // namespace mivo
