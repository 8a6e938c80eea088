#include "unDtmPrincipal.h"

#include <QDir>

#include "unUtil.h"

namespace mivo {

namespace {
TdtmPrincipal* gInstancia = nullptr;
}  // namespace

TdtmPrincipal::TdtmPrincipal() {
  if (!gInstancia) gInstancia = this;
}

TdtmPrincipal::~TdtmPrincipal() {
  if (gInstancia == this) gInstancia = nullptr;
}

TdtmPrincipal* TdtmPrincipal::instancia() { return gInstancia; }

void TdtmPrincipal::createSystemDirs() {
  const QDir base(pastaBase());
  base.mkdir(QStringLiteral("dados"));
  for (const char* nome : {"listas", "textos", "scripts"})
    base.mkdir(QStringLiteral("dados/") + QLatin1String(nome));
}

}  // namespace mivo
