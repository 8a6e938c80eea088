#pragma once
// Keyboard and text entry: fixed keys and key combinations, virtual keys,
// typing a text, pasting a text through the clipboard, computing a text, and
// asking the user for one. The key primitives at the top are shared with the
// clipboard and window functions.

#include <QChar>
#include <QString>

namespace mivo {

class CLScript;
struct CLArgumentos;

// --- Primitives other families use ------------------------------------------
// Key down `aKey`, then key up `aKey`.
void hitKeyNumber(CLScript& s, int aKey);
// Types exactly this character (capitals, shifted punctuation, accents);
// events are pumped before it.
void digitarCaractere(CLScript& s, char32_t caractere);
// Ctrl + the key of `caractere`, with the pauses that let slow programs see
// the combination (Ctrl down, 100 ms, key down, 100 ms, key up, 50 ms, Ctrl
// up). False, and nothing pressed, when no key types the character.
bool teclarControlMais(CLScript& s, QChar caractere);
// Ctrl+V: pastes what the clipboard holds.
void teclarColar(CLScript& s);
// Alt+Space: opens the foreground window's system menu.
void teclarAltEspaco(CLScript& s);
// Puts the text on the clipboard; while another program holds it, waits
// 500 ms (pumping events) and tries again, for half a minute at the most.
// False when the run was stopped while waiting, or the time ran out.
bool areaTransferenciaGravar(CLScript& s, const QString& texto);

// --- Script functions ---------------------------------------------------------
QString fnTeclarEnter(CLScript& s, const CLArgumentos& a);
QString fnTeclarEsc(CLScript& s, const CLArgumentos& a);
QString fnTeclarDireita(CLScript& s, const CLArgumentos& a);
QString fnTeclarEsquerda(CLScript& s, const CLArgumentos& a);
QString fnTeclarCima(CLScript& s, const CLArgumentos& a);
QString fnTeclarBaixo(CLScript& s, const CLArgumentos& a);
QString fnTeclarAltTab(CLScript& s, const CLArgumentos& a);
QString fnTeclarAltEspaco(CLScript& s, const CLArgumentos& a);
QString fnTeclarAltF4(CLScript& s, const CLArgumentos& a);
QString fnTeclarControlEnter(CLScript& s, const CLArgumentos& a);
QString fnTeclarShiftTab(CLScript& s, const CLArgumentos& a);
QString fnTeclar(CLScript& s, const CLArgumentos& a);
QString fnTeclarID(CLScript& s, const CLArgumentos& a);
QString fnTeclarControlMais(CLScript& s, const CLArgumentos& a);
QString fnTeclarControlMaisID(CLScript& s, const CLArgumentos& a);
QString fnTeclarControlAltMais(CLScript& s, const CLArgumentos& a);
QString fnTeclarAltMais(CLScript& s, const CLArgumentos& a);
QString fnTextoDigitar(CLScript& s, const CLArgumentos& a);
QString fnTextoColar(CLScript& s, const CLArgumentos& a);
QString fnTextoProcessar(CLScript& s, const CLArgumentos& a);
QString fnEntradaTexto(CLScript& s, const CLArgumentos& a);

}  // namespace mivo
