#pragma once
// The reference of the script functions for script authors (docs/funcoes.md),
// built into the program as a Qt resource: one "### &Nome" section per
// function of the catalogue, grouped under "## " family headings.

#include <QString>

namespace mivo {

// With an empty filter (or one of blanks only), the whole reference.
// Otherwise only the sections of the functions whose display name contains
// `filtro` (letter case ignored, accents compared as written), in the order
// of the reference; or one Portuguese line saying that no function matched.
QString textoReferencia(const QString& filtro);

}  // namespace mivo
