#include "system/shortcut.h"

#include <windows.h>

#include "platform/shell_link.h"
#include "system/install_record.h"

namespace sys {
namespace {

namespace shell_link = platform::shell_link;

void SaveLink(const wchar_t* target, const wchar_t* linkPath) {
  platform::UniqueComPtr<IShellLinkW> link;
  if (FAILED(shell_link::CreateShellLink(link))) return;
  platform::UniqueComPtr<IPersistFile> file;
  if (FAILED(shell_link::QueryPersistFile(link.Get(), file))) return;
  const std::wstring workingDirectory = WorkingDirectoryOf(target);
  shell_link::SetPath(link.Get(), target);
  shell_link::SetWorkingDirectory(link.Get(), workingDirectory.c_str());
  shell_link::Save(file.Get(), linkPath, TRUE);
}

}  // namespace

std::wstring WorkingDirectoryOf(std::wstring_view target) {
  const size_t backslash = target.rfind(L'\\');
  if (backslash == std::wstring_view::npos) return {};
  return FitRecordText(std::wstring(target.substr(0, backslash)));
}

void CreateUninstallShortcut(const wchar_t* target, const wchar_t* linkPath) {
  const HRESULT initialised = shell_link::CoInitialize();
  if (initialised == S_OK) SaveLink(target, linkPath);
  // S_FALSE also counts as an initialisation and must be balanced.
  if (SUCCEEDED(initialised)) shell_link::CoUninitialize();
}

}  // namespace sys
