#include "app/config_files.h"

#include <windows.h>
#include <shlobj.h>

#include "app/install_app.h"
#include "package/entry_names.h"
#include "package/extract.h"
#include "platform/shell.h"

namespace app {
namespace {

// The configuration file an entry stands for, or null.
const char* MatchConfigFile(const char* entryName) {
  for (const char* name : kConfigFileNames) {
    if (package::EqualsIgnoringAsciiCase(entryName, name)) return name;
  }
  return nullptr;
}

}  // namespace

bool GetDocumentsFolder(std::wstring& folder) {
  return platform::shell::GetSpecialFolderPathW(CSIDL_PERSONAL, folder);
}

void ExtractConfigFiles(const package::InstallPackage& installPackage) {
  if (installPackage.IsEmpty()) return;
  std::string documents;
  if (!platform::shell::GetSpecialFolderPathA(CSIDL_PERSONAL, documents)) return;
  documents += '\\';

  package::ResourcePackageReader reader(installPackage.Bytes());
  package::MemoryEntry entry;
  int32_t counter = 0;
  while (reader.Next(entry)) {
    const char* name = MatchConfigFile(entry.name.text);
    if (name == nullptr) continue;
    const std::string path = documents + name;
    package::ExtractFromMemory(nullptr, entry.storedBytes, entry.storedSize, path.c_str(), counter,
                               static_cast<int32_t>(installPackage.size));
  }
}

const wchar_t* WizardTextFileName(int languageId) {
  switch (languageId) {
    case kChinese: return L"InstallConfig_cn.txt";
    case kRussian: return L"InstallConfig_rs.txt";
    default: return L"InstallConfig_en.txt";
  }
}

}  // namespace app
