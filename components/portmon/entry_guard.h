// The boundary between the spooler's C calls and the monitor's C++: errors travel as Win32 codes.
#pragma once

#include <windows.h>

#include <exception>
#include <new>

namespace portmon {

// Runs an operation that returns a Win32 error code; no C++ exception crosses into the caller.
template <typename Operation>
DWORD ErrorOf(Operation&& operation) noexcept {
  try {
    return operation();
  } catch (const std::bad_alloc&) {
    return ERROR_NOT_ENOUGH_MEMORY;
  } catch (const std::exception&) {
    return ERROR_INTERNAL_ERROR;
  }
}

// The BOOL and last error that a spooler entry point reports for an error code.
inline BOOL Succeeds(DWORD error) {
  SetLastError(error);
  return error == ERROR_SUCCESS;
}

}  // namespace portmon
