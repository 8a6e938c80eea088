#pragma once
// A base folder of its own for one test: a temporary folder with
// dados/listas and dados/textos, set as MIVO_BASE_DIR while it lives. The
// variable goes back to what it was when the helper goes, also when a failed
// assertion ends the test early, so no test sees another one's folder.

#include <QDir>
#include <QTemporaryDir>
#include <optional>

namespace mivo::teste {

class CLPastaBaseTeste {
 public:
  CLPastaBaseTeste() {
    QDir(gPasta.path()).mkpath(QStringLiteral("dados/listas"));
    QDir(gPasta.path()).mkpath(QStringLiteral("dados/textos"));
    if (qEnvironmentVariableIsSet("MIVO_BASE_DIR")) gAnterior = qgetenv("MIVO_BASE_DIR");
    qputenv("MIVO_BASE_DIR", gPasta.path().toLocal8Bit());
  }
  ~CLPastaBaseTeste() {
    if (gAnterior)
      qputenv("MIVO_BASE_DIR", *gAnterior);
    else
      qunsetenv("MIVO_BASE_DIR");
  }
  CLPastaBaseTeste(const CLPastaBaseTeste&) = delete;
  CLPastaBaseTeste& operator=(const CLPastaBaseTeste&) = delete;

  bool isValid() const { return gPasta.isValid(); }
  QString path() const { return gPasta.path(); }
  QString filePath(const QString& relativo) const { return gPasta.filePath(relativo); }

 private:
  QTemporaryDir gPasta;
  std::optional<QByteArray> gAnterior;  // MIVO_BASE_DIR before this helper, if set
};

}  // namespace mivo::teste
