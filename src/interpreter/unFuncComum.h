#pragma once
// Small pieces every family of script functions shares: the two result
// words and reading an integer argument.

#include <QString>
#include <optional>

#include "unUtil.h"

namespace mivo {

inline const QString kOk = QStringLiteral("OK");
inline const QString kFalha = QStringLiteral("FALHA");

// The integer a text holds (blanks around it ignored); nothing otherwise.
inline std::optional<qint64> inteiroLongo(const QString& texto) {
  bool ok = false;
  const qint64 v = aparar(texto).toLongLong(&ok);
  if (!ok) return std::nullopt;
  return v;
}
inline std::optional<int> inteiro(const QString& texto) {
  bool ok = false;
  const int v = aparar(texto).toInt(&ok);
  if (!ok) return std::nullopt;
  return v;
}

}  // namespace mivo
