#pragma once
// The header sections of a script document ("##info", "##config",
// "##pre_carregar", "##parametros", each closed by its "_fim" marker) and
// what opening a script does with its pre-load section.

#include <QMap>
#include <QString>
#include <QStringList>
#include <optional>

namespace mivo {

class CLScript;

// The lines of the section opened by `nomeConfig` (closed by nomeConfig +
// "_fim"), each trimmed; empty lines at the start and end dropped. With
// `eliminarComentarios` every line is cut before its first "// ".
QStringList definirConfig(const QStringList& documento, const QString& nomeConfig,
                          bool eliminarComentarios);

// What the pre-load section asks of the workbench besides the engine's work.
struct EfeitosPreCarga {
  bool impedirRodar = false;                // "rodar=não"
  QMap<QString, bool> ocultar;              // "ocultar_..." keys and whether to hide
  bool exigirConfig = false, exigirDados = false, exigirTexto = false;
  std::optional<QString> titulo, tituloLista, tituloTexto;
  std::optional<QString> tituloParametros, descricaoParametros;
  bool interrompida = false;  // the user declined to lose edited data
};

// Applies the pre-load lines (definirConfig of "##pre_carregar" with
// comments removed) to `script`: column titles, the list and the text to
// load, and every other key (or a recognised one set to "não") appended as a
// variable.
EfeitosPreCarga rodarSecaoPre(CLScript& script, const QStringList& linhasPre);

}  // namespace mivo
