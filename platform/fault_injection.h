// Lets a test make a named wrapped call fail with a chosen Win32 error code.
// Wrappers ask TakeInjectedFault with the name of the call they wrap (such as "CreateDirectoryW").
#pragma once

#include <windows.h>

namespace platform {

// The call named `call` fails `times` times (-1: every time) after `skip` successful calls.
void InjectFault(const char* call, DWORD error, int skip = 0, int times = -1);
void ClearFaults();

// True when the next call of that name must fail; the error is then already the last error.
bool TakeInjectedFault(const char* call);

// Clears every fault when it goes out of scope, so that no test leaves one behind.
class ScopedFaults {
 public:
  ScopedFaults() { ClearFaults(); }
  ~ScopedFaults() { ClearFaults(); }
  ScopedFaults(const ScopedFaults&) = delete;
  ScopedFaults& operator=(const ScopedFaults&) = delete;
};

}  // namespace platform
