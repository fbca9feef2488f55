#include "system/folder_listing.h"

#include <cwchar>
#include <string>

#include "platform/files.h"

namespace sys {
namespace {

bool IsDotEntry(const wchar_t* name) { return std::wcscmp(name, L".") == 0 || std::wcscmp(name, L"..") == 0; }

}  // namespace

bool ForEachFolderEntry(std::wstring_view folder, const std::function<void(const WIN32_FIND_DATAW&)>& visit) {
  const std::wstring pattern = std::wstring(folder) + L"\\*.*";
  WIN32_FIND_DATAW entry = {};
  platform::files::UniqueFindHandle search(platform::files::FindFirstFileW(pattern.c_str(), &entry));
  if (!search) return false;
  do {
    if (!IsDotEntry(entry.cFileName)) visit(entry);
  } while (platform::files::FindNextFileW(search.Get(), &entry));
  return true;
}

}  // namespace sys
