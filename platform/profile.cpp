#include "platform/profile.h"

#include <cwchar>

#include "platform/fault_injection.h"

namespace platform::profile {

DWORD GetPrivateProfileStringW(const wchar_t* section, const wchar_t* key, const wchar_t* fallback,
                               wchar_t* value, DWORD capacity, const wchar_t* path) {
  if (TakeInjectedFault("GetPrivateProfileStringW")) {
    // The real call falls back to the default when the file cannot be read.
    if (capacity == 0) return 0;
    std::wcsncpy(value, fallback, capacity - 1);
    value[capacity - 1] = L'\0';
    return static_cast<DWORD>(std::wcslen(value));
  }
  return ::GetPrivateProfileStringW(section, key, fallback, value, capacity, path);
}

BOOL WritePrivateProfileStringW(const wchar_t* section, const wchar_t* key, const wchar_t* value,
                                const wchar_t* path) {
  if (TakeInjectedFault("WritePrivateProfileStringW")) return FALSE;
  return ::WritePrivateProfileStringW(section, key, value, path);
}

}  // namespace platform::profile
