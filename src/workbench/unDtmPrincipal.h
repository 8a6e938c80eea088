#pragma once
// TdtmPrincipal: the program's main data module, the first object the
// program creates and the last it destroys; one per process, reachable
// from every window. It grows with the windows that use it: today it holds
// the file last opened, the version gate and the folder layout; the
// ".mivo" association, the catalogue's tables and the network helpers join
// it with their own windows.

#include <QString>

namespace mivo {

class TdtmPrincipal {
 public:
  TdtmPrincipal();
  ~TdtmPrincipal();
  TdtmPrincipal(const TdtmPrincipal&) = delete;
  TdtmPrincipal& operator=(const TdtmPrincipal&) = delete;

  // The module of this process; null before it is created and after it is gone.
  static TdtmPrincipal* instancia();

  // The version gate: false when this build may no longer run. Every build
  // may run until the program asks the vendor's service.
  bool buildOk() const { return true; }

  // "dados" and its "listas", "textos" and "scripts" under the base
  // folder, each made unless it exists; a folder that cannot be made is
  // skipped without a message. The module makes them when it is created.
  static void createSystemDirs();

  // The path of the file last opened (gLastFile).
  QString gLastFile;
};

}  // namespace mivo
