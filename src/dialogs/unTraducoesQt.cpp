#include "unTraducoesQt.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

namespace mivo {

QStringList pastasTraducoesQt() {
  return {QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("translations")),
          QLibraryInfo::path(QLibraryInfo::TranslationsPath)};
}

QTranslator* carregarTraducoesQt(const QStringList& pastas) {
  QCoreApplication* app = QCoreApplication::instance();
  if (!app) return nullptr;
  for (const QString& pasta : pastas) {
    // The exact file only: QTranslator would fall back to "qtbase_pt"
    // (Portugal's) or "qtbase".
    const QString caminho = QDir(pasta).filePath(QStringLiteral("qtbase_pt_BR.qm"));
    if (pasta.isEmpty() || !QFileInfo::exists(caminho)) continue;
    auto* tradutor = new QTranslator(app);
    if (tradutor->load(caminho) && QCoreApplication::installTranslator(tradutor)) return tradutor;
    delete tradutor;
  }
  return nullptr;
}

}  // namespace mivo
