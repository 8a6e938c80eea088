#include "unFuncControle.h"

#include "unCLScript.h"

namespace mivo {

QString fnResultado(CLScript& s, const QString&) { return s.gResultado; }

}  // namespace mivo
