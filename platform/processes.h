// Other processes. Each wrapper returns what the wrapped call returns and can be made to fail by
// name (fault injection) with the last error set.
#pragma once

#include <windows.h>

#include "platform/handle.h"

namespace platform::processes {

HANDLE OpenProcess(DWORD access, DWORD processId);
// Injected faults give WAIT_FAILED.
DWORD WaitForSingleObject(HANDLE object, DWORD milliseconds);
// Sleeps without a fault: waiting is never the call that fails.
void Sleep(DWORD milliseconds);

using UniqueProcess = UniqueHandle;

}  // namespace platform::processes
