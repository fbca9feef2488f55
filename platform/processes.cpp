#include "platform/processes.h"

#include "platform/fault_injection.h"

namespace platform::processes {

HANDLE OpenProcess(DWORD access, DWORD processId) {
  if (TakeInjectedFault("OpenProcess")) return nullptr;
  return ::OpenProcess(access, FALSE, processId);
}

DWORD WaitForSingleObject(HANDLE object, DWORD milliseconds) {
  if (TakeInjectedFault("WaitForSingleObject")) return WAIT_FAILED;
  return ::WaitForSingleObject(object, milliseconds);
}

void Sleep(DWORD milliseconds) { ::Sleep(milliseconds); }

}  // namespace platform::processes
