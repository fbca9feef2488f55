#include "platform/shell.h"

#include <windows.h>
#include <shlobj.h>

#include <cstring>
#include <cwchar>

#include "platform/fault_injection.h"

namespace platform::shell {
namespace {

constexpr size_t kMaxAnsiPath = 255;

// The folder's item list, freed when it goes out of scope.
class ItemIdList {
 public:
  explicit ItemIdList(int csidl) {
    if (!TakeInjectedFault("SHGetSpecialFolderLocation") &&
        FAILED(::SHGetSpecialFolderLocation(nullptr, csidl, &m_list))) {
      m_list = nullptr;
    }
  }
  ~ItemIdList() { ::CoTaskMemFree(m_list); }
  ItemIdList(const ItemIdList&) = delete;
  ItemIdList& operator=(const ItemIdList&) = delete;
  PCIDLIST_ABSOLUTE Get() const { return m_list; }

 private:
  PIDLIST_ABSOLUTE m_list = nullptr;
};

}  // namespace

std::wstring ExpandEnvironmentStringsW(const wchar_t* text, size_t capacity) {
  std::wstring expanded(capacity, L'\0');
  const DWORD needed = ::ExpandEnvironmentStringsW(text, expanded.data(), static_cast<DWORD>(capacity));
  if (needed == 0 || needed > capacity) return {};
  expanded.resize(needed - 1);
  return expanded;
}

bool GetSpecialFolderPathW(int csidl, std::wstring& path) {
  path.clear();
  ItemIdList list(csidl);
  wchar_t buffer[MAX_PATH] = {};
  if (list.Get() == nullptr || TakeInjectedFault("SHGetPathFromIDListW") ||
      !::SHGetPathFromIDListW(list.Get(), buffer)) {
    return false;
  }
  path = buffer;
  return true;
}

bool GetSpecialFolderPathA(int csidl, std::string& path) {
  path.clear();
  ItemIdList list(csidl);
  char buffer[MAX_PATH] = {};
  if (list.Get() == nullptr || TakeInjectedFault("SHGetPathFromIDListA") ||
      !::SHGetPathFromIDListA(list.Get(), buffer) || std::strlen(buffer) > kMaxAnsiPath) {
    return false;
  }
  path = buffer;
  return true;
}

bool BrowseForFolder(HWND owner, const wchar_t* title, std::wstring& path) {
  path.clear();
  if (TakeInjectedFault("SHBrowseForFolderW")) return false;
  BROWSEINFOW browse = {};
  browse.hwndOwner = owner;
  browse.lpszTitle = title;
  browse.ulFlags = BIF_RETURNONLYFSDIRS;
  PIDLIST_ABSOLUTE chosen = ::SHBrowseForFolderW(&browse);
  if (chosen == nullptr) return false;
  wchar_t buffer[MAX_PATH] = {};
  const bool found = ::SHGetPathFromIDListW(chosen, buffer);
  ::CoTaskMemFree(chosen);
  if (found) path = buffer;
  return found;
}

}  // namespace platform::shell
