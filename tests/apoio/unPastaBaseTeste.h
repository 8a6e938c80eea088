#pragma once
// A base folder of its own for one test: a temporary folder with
// dados/listas and dados/textos, set as MIVO_BASE_DIR while it lives.

#include <QDir>
#include <QTemporaryDir>

namespace mivo::teste {

class CLPastaBaseTeste {
 public:
  CLPastaBaseTeste() {
    QDir(gPasta.path()).mkpath(QStringLiteral("dados/listas"));
    QDir(gPasta.path()).mkpath(QStringLiteral("dados/textos"));
    qputenv("MIVO_BASE_DIR", gPasta.path().toLocal8Bit());
  }
  ~CLPastaBaseTeste() { qunsetenv("MIVO_BASE_DIR"); }
  CLPastaBaseTeste(const CLPastaBaseTeste&) = delete;
  CLPastaBaseTeste& operator=(const CLPastaBaseTeste&) = delete;

  QString path() const { return gPasta.path(); }
  QString filePath(const QString& relativo) const { return gPasta.filePath(relativo); }

 private:
  QTemporaryDir gPasta;
};

}  // namespace mivo::teste
