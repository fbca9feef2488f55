#include "package/directory_chain.h"

#include <cwchar>
#include <string>

#include "platform/files.h"

namespace package {
namespace {

constexpr size_t kMaxPathLength = 255;

bool EnsureFolder(const std::wstring& folder) {
  return platform::files::PathExists(folder.c_str()) ||
         platform::files::CreateDirectoryW(folder.c_str());
}

}  // namespace

bool CreateDirectoryChain(const wchar_t* path) {
  const size_t length = std::wcslen(path);
  if (length < 2 || path[1] != L':' || length > kMaxPathLength) return false;
  const std::wstring text(path, length);
  const std::wstring driveRoot = text.substr(0, 2) + L"\\";
  if (!platform::files::PathExists(driveRoot.c_str())) return false;

  // The root backslash at index 2 is not a folder of its own.
  for (size_t slash = text.find(L'\\', 3); slash != std::wstring::npos; slash = text.find(L'\\', slash + 1)) {
    if (!EnsureFolder(text.substr(0, slash))) return false;
    if (slash + 1 == length) return true;
  }
  return EnsureFolder(text);
}

}  // namespace package
