// A spooler's MONITORREG for tests: keys are opaque numbers rather than HKEYs, and every call must
// carry the spooler handle, as on Windows. Behind it lies the real registry.
#pragma once

#include <windows.h>
#include <winspool.h>
#include <winsplp.h>

#include <cstddef>

namespace portmon_test {

class OpaqueRegistry {
 public:
  static HANDLE Spooler();
  static const MONITORREG& Functions();
  // Takes over an HKEY and returns its opaque handle.
  static HANDLE Adopt(HKEY key);
  static HKEY KeyOf(HANDLE handle);
  static size_t OpenKeys();
  static void CloseAll();
};

// Wine's stub callbacks as far as a monitor should go: fpQueryValue answers ERROR_CALL_NOT_IMPLEMENTED;
// the others are absent, so a monitor that went on using them would crash the test.
const MONITORREG& StubMonitorReg();

}  // namespace portmon_test
