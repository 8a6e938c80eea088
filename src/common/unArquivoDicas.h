#pragma once
// The tip file ("tipfile.txt" in the base folder): which tips the user
// switched off for good. One line per tip, identifier "=" value; the value
// "true" (exactly) hides the tip, anything else, or no line at all, shows it.
// Identifiers are matched without regard to letter case.

#include <QString>

namespace mivo::dicas {

// The tip file of this installation.
QString caminhoArquivoDicas();

// True when the file stores "true" for the tip. A missing or unreadable file
// hides nothing.
bool dicaOculta(const QString& caminho, const QString& identificador);

// Records whether the tip stays hidden ("true") or is shown again ("false"):
// the tip's line is updated, or added when the file has none; every other
// line is kept. A missing file is created. False (and `erro` in Portuguese)
// when the file cannot be written.
bool definirDicaOculta(const QString& caminho, const QString& identificador, bool oculta,
                       QString* erro = nullptr);

}  // namespace mivo::dicas
