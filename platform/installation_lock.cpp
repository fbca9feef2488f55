#include "platform/installation_lock.h"

#include <windows.h>

#include "platform/fault_injection.h"

namespace platform {

// The mutex lives as long as a process holds its handle; whoever created it first runs.
InstallationLock::InstallationLock() {
  if (TakeInjectedFault("CreateMutexW")) return;
  m_mutex.Attach(::CreateMutexW(nullptr, FALSE, kInstallationMutexName));
  m_acquired = m_mutex.IsValid() && ::GetLastError() != ERROR_ALREADY_EXISTS;
}

}  // namespace platform
