#include "unCLLinhaGrade.h"

#include <algorithm>

namespace mivo {

namespace {

void escrever(QChar*& destino, quint32 valor) {
  *destino++ = QChar(char16_t(valor & 0xFFFF));
  *destino++ = QChar(char16_t(valor >> 16));
}

bool branco(QStringView texto) {
  return std::all_of(texto.begin(), texto.end(), [](QChar c) { return c.unicode() <= 0x20; });
}

}  // namespace

CLLinhaGrade::CLLinhaGrade(int celulas) {
  celulas = std::max(celulas, 0);
  gDados = QString(2 + 2 * (qsizetype(celulas) + 1), Qt::Uninitialized);
  QChar* d = gDados.data();
  escrever(d, quint32(celulas));
  for (int i = 0; i <= celulas; ++i) escrever(d, 0);
}

CLLinhaGrade::CLLinhaGrade(const QStringList& celulas) {
  QList<QStringView> vistas;
  vistas.reserve(celulas.size());
  for (const QString& c : celulas) vistas.append(c);
  montar(vistas);
}

CLLinhaGrade CLLinhaGrade::deCelulas(const QList<QStringView>& celulas) {
  CLLinhaGrade r{SemTexto{}};
  r.montar(celulas);
  return r;
}

void CLLinhaGrade::montar(const QList<QStringView>& celulas) {
  const qsizetype n = celulas.size();
  qsizetype total = 0;
  for (const QStringView& c : celulas) total += c.size();
  QString novo(2 + 2 * (n + 1) + total, Qt::Uninitialized);
  QChar* d = novo.data();
  escrever(d, quint32(n));
  quint32 pos = 0;
  for (const QStringView& c : celulas) {
    escrever(d, pos);
    pos += quint32(c.size());
  }
  escrever(d, pos);
  for (const QStringView& c : celulas) {
    std::copy(c.begin(), c.end(), d);
    d += c.size();
  }
  gDados = std::move(novo);
}

QStringView CLLinhaGrade::celula(int c) const {
  if (c < 0 || c >= size()) return {};
  const quint32 a = inicio(c), b = inicio(c + 1);
  return QStringView(gDados).mid(cabecalho() + a, b - a);
}

void CLLinhaGrade::set(int c, QStringView valor) {
  if (c < 0 || c >= size()) return;
  const QString copia = valor.toString();  // `valor` may point into this row
  QList<QStringView> celulas;
  celulas.reserve(size());
  for (int i = 0; i < size(); ++i) celulas.append(i == c ? QStringView(copia) : celula(i));
  montar(celulas);
}

void CLLinhaGrade::resize(int n) {
  n = std::max(n, 0);
  if (n == size()) return;
  QList<QStringView> celulas;
  celulas.reserve(n);
  for (int i = 0; i < n; ++i) celulas.append(celula(i));  // out of range: empty
  montar(celulas);
}

void CLLinhaGrade::insert(int posicao, const QString& valor) {
  QStringList l = lista();
  l.insert(std::clamp<qsizetype>(posicao, 0, l.size()), valor);
  *this = CLLinhaGrade(l);
}

void CLLinhaGrade::removeAt(int posicao) {
  if (posicao < 0 || posicao >= size()) return;
  QStringList l = lista();
  l.removeAt(posicao);
  *this = CLLinhaGrade(l);
}

void CLLinhaGrade::move(int de, int para) {
  if (de < 0 || de >= size() || para < 0 || para >= size() || de == para) return;
  QStringList l = lista();
  l.move(de, para);
  *this = CLLinhaGrade(l);
}

QStringList CLLinhaGrade::lista() const {
  QStringList l;
  l.reserve(size());
  for (int i = 0; i < size(); ++i) l.append(at(i));
  return l;
}

bool CLLinhaGrade::emBranco() const { return branco(QStringView(gDados).mid(cabecalho())); }

}  // namespace mivo
