#pragma once
// Qt's own texts in Brazilian Portuguese: the file dialogs ("Procurar em",
// "Nome do arquivo", "Abrir", "Cancelar"), the buttons of QInputDialog and
// QMessageBox, the context menus of text boxes. Mivo's own texts are
// Portuguese in the source; these come from the translation file Qt ships
// (Debian: qt6-translations-l10n; the Windows installation carries it in a
// "translations" folder beside Mivo.exe).

#include <QStringList>

class QTranslator;

namespace mivo {

// Where the translation file is looked for, in order: the "translations"
// folder beside the executable, then Qt's own translations folder.
QStringList pastasTraducoesQt();

// Installs Qt's Brazilian Portuguese translation into the application, from
// the first folder of `pastas` that holds it. Returns the translator (a
// child of the application; deleting it uninstalls it), or null when none
// was found: Qt's texts then stay in English.
QTranslator* carregarTraducoesQt(const QStringList& pastas = pastasTraducoesQt());

}  // namespace mivo
