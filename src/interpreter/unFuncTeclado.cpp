#include "unFuncTeclado.h"

#include <initializer_list>
#include <optional>

#include "unAguardar.h"
#include "unCLDesktop.h"
#include "unCLErro.h"
#include "unCLScript.h"
#include "unFuncComum.h"
#include "unCLInstrucao.h"
#include "unLeitura.h"
#include "unUtil.h"

namespace mivo {

namespace {


// Key codes are bytes; 0 and 255 name no key.
constexpr int kMenorTecla = 1;
constexpr int kMaiorTecla = 254;

// The key that types `c` on the active layout, without the shift state it
// would need; none when the layout has no key for it.
std::optional<int> teclaDe(CLScript& s, char32_t c) {
  const int codigo = s.desktop().teclaDoCaractere(c);
  if (codigo == kSemTecla) return std::nullopt;
  const int tecla = codigo & 0xFF;
  if (tecla < kMenorTecla || tecla > kMaiorTecla) return std::nullopt;
  return tecla;
}

// A key code written by the script; anything else ends the run.
int codigoTecla(const QString& texto) {
  bool ok = false;
  const int n = aparar(texto).toInt(&ok);
  if (!ok) throw CLErro(QStringLiteral("'%1' não é um número inteiro válido").arg(texto));
  if (n < kMenorTecla || n > kMaiorTecla)
    throw CLErro(QStringLiteral("%1 não é um código de tecla válido (use de %2 a %3)")
                     .arg(n)
                     .arg(kMenorTecla)
                     .arg(kMaiorTecla));
  return n;
}

// Presses the keys in the order given and releases them in reverse order,
// with no pause in between.
QString teclarJuntas(CLScript& s, std::initializer_list<int> teclas) {
  CLDesktop& d = s.desktop();
  for (int t : teclas) d.teclaPressionar(t);
  for (auto t = std::rbegin(teclas); t != std::rend(teclas); ++t) d.teclaSoltar(*t);
  return {};
}

// The character of the quoted-character combinations: the second character
// of the argument text as written, the one after the opening double quote.
std::optional<int> teclaDoArgumento(CLScript& s, const QString& bruto) {
  if (bruto.size() < 2) return std::nullopt;
  return teclaDe(s, bruto.at(1).unicode());
}

}  // namespace

// --- Primitives ----------------------------------------------------------------

void hitKeyNumber(CLScript& s, int aKey) {
  s.desktop().teclaPressionar(aKey);
  s.desktop().teclaSoltar(aKey);
}

void digitarCaractere(CLScript& s, char32_t caractere) {
  s.host().bombearEventos();
  s.desktop().caractereDigitar(caractere);
}

bool teclarControlMais(CLScript& s, QChar caractere) {
  const std::optional<int> tecla = teclaDe(s, caractere.unicode());
  if (!tecla) return false;
  CLDesktop& d = s.desktop();
  CLHost& h = s.host();
  d.teclaPressionar(tecla::kCtrl);
  h.dormir(100);
  h.bombearEventos();
  d.teclaPressionar(*tecla);
  h.dormir(50);
  h.bombearEventos();
  h.dormir(50);
  d.teclaSoltar(*tecla);
  h.dormir(50);
  h.bombearEventos();
  d.teclaSoltar(tecla::kCtrl);
  return true;
}

void teclarColar(CLScript& s) {
  const int v = teclaDe(s, U'V').value_or('V');
  CLDesktop& d = s.desktop();
  d.teclaPressionar(tecla::kCtrl);
  s.host().bombearEventos();
  d.teclaPressionar(v);
  d.teclaSoltar(v);
  d.teclaSoltar(tecla::kCtrl);
}

void teclarAltEspaco(CLScript& s) { teclarJuntas(s, {tecla::kAlt, tecla::kEspaco}); }

bool areaTransferenciaGravar(CLScript& s, const QString& texto) {
  // Half a minute at the most: a clipboard that stays locked must not hang
  // a run that nobody is watching.
  constexpr int kTentativas = 60;
  const std::u16string u = texto.toStdU16String();
  for (int i = 0; !s.desktop().areaTransferenciaDefinirTexto(u); ++i) {
    if (i == kTentativas) return false;
    s.host().dormir(500);
    s.host().bombearEventos();
    if (s.host().parar()) return false;
  }
  return true;
}

// --- Fixed keys ------------------------------------------------------------------

QString fnTeclarEnter(CLScript& s, const CLArgumentos&) { return teclarJuntas(s, {tecla::kEnter}); }
QString fnTeclarEsc(CLScript& s, const CLArgumentos&) { return teclarJuntas(s, {tecla::kEsc}); }
QString fnTeclarDireita(CLScript& s, const CLArgumentos&) { return teclarJuntas(s, {tecla::kDireita}); }
QString fnTeclarEsquerda(CLScript& s, const CLArgumentos&) { return teclarJuntas(s, {tecla::kEsquerda}); }
QString fnTeclarCima(CLScript& s, const CLArgumentos&) { return teclarJuntas(s, {tecla::kCima}); }
QString fnTeclarBaixo(CLScript& s, const CLArgumentos&) { return teclarJuntas(s, {tecla::kBaixo}); }
QString fnTeclarAltTab(CLScript& s, const CLArgumentos&) { return teclarJuntas(s, {tecla::kAlt, tecla::kTab}); }
QString fnTeclarAltEspaco(CLScript& s, const CLArgumentos&) {
  teclarAltEspaco(s);
  return {};
}
QString fnTeclarAltF4(CLScript& s, const CLArgumentos&) { return teclarJuntas(s, {tecla::kAlt, tecla::kF4}); }
QString fnTeclarControlEnter(CLScript& s, const CLArgumentos&) {
  return teclarJuntas(s, {tecla::kCtrl, tecla::kEnter});
}
QString fnTeclarShiftTab(CLScript& s, const CLArgumentos&) { return teclarJuntas(s, {tecla::kShift, tecla::kTab}); }

// --- Single keys and combinations ------------------------------------------------

QString fnTeclar(CLScript& s, const CLArgumentos& a) {
  const QString& texto = a[0];
  if (texto.isEmpty()) return kFalha;
  digitarCaractere(s, texto.toUcs4().constFirst());
  return {};
}

QString fnTeclarID(CLScript& s, const CLArgumentos& a) {
  hitKeyNumber(s, codigoTecla(a[0]));
  s.host().bombearEventos();
  return {};
}

QString fnTeclarControlMais(CLScript& s, const CLArgumentos& a) {
  const QString& bruto = a[0];
  if (bruto.size() < 2 || !teclarControlMais(s, bruto.at(1))) return kFalha;
  return {};
}

QString fnTeclarControlMaisID(CLScript& s, const CLArgumentos& a) {
  const int tecla = codigoTecla(a[0]);
  CLDesktop& d = s.desktop();
  d.teclaPressionar(tecla::kCtrl);
  s.host().bombearEventos();
  d.teclaPressionar(tecla);
  s.host().bombearEventos();
  d.teclaSoltar(tecla);
  s.host().bombearEventos();
  d.teclaSoltar(tecla::kCtrl);
  return {};
}

QString fnTeclarControlAltMais(CLScript& s, const CLArgumentos& a) {
  const std::optional<int> tecla = teclaDoArgumento(s, a[0]);
  if (!tecla) return kFalha;
  CLDesktop& d = s.desktop();
  d.teclaPressionar(tecla::kCtrl);
  d.teclaPressionar(tecla::kAlt);
  s.host().bombearEventos();
  d.teclaPressionar(*tecla);
  d.teclaSoltar(*tecla);
  d.teclaSoltar(tecla::kCtrl);
  d.teclaSoltar(tecla::kAlt);
  return {};
}

QString fnTeclarAltMais(CLScript& s, const CLArgumentos& a) {
  const std::optional<int> tecla = teclaDoArgumento(s, a[0]);
  if (!tecla) return kFalha;
  CLDesktop& d = s.desktop();
  d.teclaPressionar(tecla::kAlt);
  s.host().bombearEventos();
  d.teclaPressionar(*tecla);
  d.teclaSoltar(*tecla);
  d.teclaSoltar(tecla::kAlt);
  return {};
}

// --- Texts -----------------------------------------------------------------------

QString fnTextoDigitar(CLScript& s, const CLArgumentos& a) {
  // Not expanded: variable references are typed as written.
  for (const char32_t c : a[0].toUcs4()) {
    digitarCaractere(s, c);
    s.host().bombearEventos();
    // A pause between two characters holds the typing: nothing goes
    // anywhere until the run is resumed; a stop ends the typing there.
    if (!aguardarRetomada(s.host())) break;
  }
  return {};
}

QString fnTextoColar(CLScript& s, const CLArgumentos& a) {
  const QString& texto = a[0];
  if (!areaTransferenciaGravar(s, leitura::getParamValue(texto))) return kFalha;
  if (texto.isEmpty()) return kFalha;
  teclarColar(s);
  // Where the desktop can tell, a paste that no program took did not happen.
  return s.desktop().colagemEntregue() ? kOk : kFalha;
}

QString fnTextoProcessar(CLScript&, const CLArgumentos& a) { return a[0]; }

QString fnEntradaTexto(CLScript& s, const CLArgumentos& a) {
  if (a.isEmpty()) throw CLErro(QStringLiteral("EntradaTexto precisa do título da entrada de valor"));
  return s.host().pedirValor(a[0], a.valor(1));
}

}  // namespace mivo
