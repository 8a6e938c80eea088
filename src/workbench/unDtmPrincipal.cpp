#include "unDtmPrincipal.h"

#include <QDir>

#include "unUtil.h"

namespace mivo {

namespace {
TdtmPrincipal* gInstancia = nullptr;
}  // namespace

TdtmPrincipal::TdtmPrincipal() {
  if (!gInstancia) gInstancia = this;
  // Before any window needs them: on a fresh installation the first save of
  // a script or a text failed for want of its folder.
  createSystemDirs();
}

TdtmPrincipal::~TdtmPrincipal() {
  if (gInstancia == this) gInstancia = nullptr;
}

TdtmPrincipal* TdtmPrincipal::instancia() { return gInstancia; }

void TdtmPrincipal::createSystemDirs() {
  const QDir base(pastaBase());
  for (const char* nome : {"listas", "textos", "scripts"}) base.mkpath(QStringLiteral("dados/") + QLatin1String(nome));
}

}  // namespace mivo
