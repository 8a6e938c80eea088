#pragma once
// Progress reporting for long table operations (pasting, loading, saving).
// The window answers with its progress window; without one (null pointer)
// the operations simply run to the end. The signatures match the host's
// progress services, so one object can serve both.

#include <QString>

namespace mivo {

// How an operation that can be cancelled or can fail ended.
enum class Desfecho { Concluido, Cancelado, Falhou };

class CLProgresso {
 public:
  virtual ~CLProgresso() = default;
  virtual void progressoAbrir(const QString& operacao, int maximo, const QString& legenda1,
                              const QString& legenda2, const QString& legenda3) {}
  virtual void progressoPasso(const QString& legenda2) {}
  virtual void progressoLegenda3(const QString& legenda3) {}
  // True once the user asked to cancel.
  virtual bool progressoCancelado() { return false; }
  virtual void progressoFechar() {}
};

// A count as the progress legends show it: thousands grouped with "." and
// zero written as nothing (the "#,##" pattern).
inline QString formatarContagem(qint64 n) {
  if (n == 0) return {};
  QString digitos = QString::number(n < 0 ? -n : n);
  for (qsizetype i = digitos.size() - 3; i > 0; i -= 3) digitos.insert(i, u'.');
  return n < 0 ? u'-' + digitos : digitos;
}

}  // namespace mivo
