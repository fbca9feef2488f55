// One installation at a time on the machine: the named mutex that every brand built from this
// project and its uninstaller share, for they share the spooler and the trace file.
#pragma once

#include "platform/handle.h"

namespace platform {

inline constexpr wchar_t kInstallationMutexName[] = L"Global\\PrinterSetup.Installation";

class InstallationLock {
 public:
  // Takes the lock at once or not at all.
  InstallationLock();
  // False when another installation (or removal) holds it.
  bool Acquired() const { return m_acquired; }

 private:
  UniqueHandle m_mutex;
  bool m_acquired = false;
};

}  // namespace platform
