#pragma once
// CLDados holds one text; CLValores is the ordered variable store whose
// names compare without regard to letter case (first match wins).

#include <QList>
#include <QString>

namespace mivo {

struct CLDados {
  QString gValor;
};

class CLValores {
 public:
  struct Entrada {
    QString nome;
    CLDados dados;
  };

  // Appends without looking for an existing name (how hosts seed the store).
  void acrescentar(const QString& nome, const QString& valor) { gEntradas.append({nome, {valor}}); }
  // First entry whose name matches, ignoring letter case; null when none.
  CLDados* procurar(const QString& nome);
  const CLDados* procurar(const QString& nome) const;
  // Replaces the value of the first match, or appends a new entry.
  void definir(const QString& nome, const QString& valor);
  QString valor(const QString& nome) const;  // empty when undefined

  qsizetype size() const { return gEntradas.size(); }
  const QList<Entrada>& entradas() const { return gEntradas; }
  void clear() { gEntradas.clear(); }

 private:
  QList<Entrada> gEntradas;
};

}  // namespace mivo
