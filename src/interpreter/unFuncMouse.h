#pragma once
// Mouse and colour: the positioning frames, clicks with the primary and the
// secondary button, dragging, the wheel, the colour waits, and the click
// points that a running script asks the user to show ("&MouseCliquePerguntar").

#include <QString>
#include <optional>

namespace mivo {

class CLScript;
struct CLArgumentos;

// A colour literal "rgb[r,g,b]" (letter case ignored; "rgb[" and "]" may be
// left out) as the screen's pixel read gives it: (r mod 256) + 256·(g mod 256)
// + 65536·(b mod 256). A negative part keeps its sign through "mod", so such
// a colour matches no pixel. None when a part is missing or not an integer.
std::optional<qint64> lerCorRgb(const QString& texto);

QString fnMouseNormal(CLScript& s, const CLArgumentos& a);
QString fnMouseQuadrante(CLScript& s, const CLArgumentos& a);
QString fnMouseCentro(CLScript& s, const CLArgumentos& a);
QString fnMouseClicarAcao(CLScript& s, const CLArgumentos& a);
QString fnMouseClicarMenu(CLScript& s, const CLArgumentos& a);
QString fnMouseArrastar(CLScript& s, const CLArgumentos& a);
QString fnMouseRolarCima(CLScript& s, const CLArgumentos& a);
QString fnMouseRolarBaixo(CLScript& s, const CLArgumentos& a);
QString fnMouseAguardarCor(CLScript& s, const CLArgumentos& a);
QString fnMouseAguardarCorPonto(CLScript& s, const CLArgumentos& a);
QString fnMouseCliquePerguntar(CLScript& s, const CLArgumentos& a);

}  // namespace mivo
