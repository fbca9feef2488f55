#include "components/portmon/module_names.h"

#include <windows.h>

#include "components/portmon/text.h"

namespace portmon {

std::wstring UiDllNameFor(std::wstring_view monitorFileName) {
  std::wstring name(monitorFileName);
  const size_t extension = LowerAscii(name).rfind(L".dll");
  name.insert(extension == std::wstring::npos ? name.size() : extension, L"UI");
  return name;
}

std::wstring OwnModuleFileName() {
  HMODULE module = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&OwnModuleFileName), &module);
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  return path.substr(path.find_last_of(L"\\/") + 1);
}

}  // namespace portmon
