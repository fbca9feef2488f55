#include "app/config_files.h"

#include <windows.h>
#include <shlobj.h>

#include <optional>

#include "texts/language.h"
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

// "<Documents>\" as 8-bit text; nothing when the folder cannot be found.
std::optional<std::string> DocumentsFolderAnsi() {
  std::string documents;
  if (!platform::shell::GetSpecialFolderPathA(CSIDL_PERSONAL, documents)) return std::nullopt;
  return documents + '\\';
}

void ExtractFromResourceForm(const std::string& documents, const package::InstallPackage& installPackage) {
  package::ResourcePackageReader reader(installPackage.Bytes());
  package::MemoryEntry entry;
  int32_t counter = 0;
  while (reader.Next(entry)) {
    if (const char* name = MatchConfigFile(entry.name.text)) {
      package::ExtractFromMemory(nullptr, entry.storedBytes, entry.storedSize, (documents + name).c_str(), counter,
                                 static_cast<int32_t>(installPackage.size));
    }
  }
}

// The stub carries its package appended to its own file; without its configuration files the
// wizard would offer no model at all.
void ExtractFromAppendedForm(const std::string& documents) {
  package::InstallerFile file;
  if (!file.OpenOwnModule()) return;
  package::AppendedPackageReader reader(file);
  if (!reader.Open()) return;
  package::FileEntry entry;
  int32_t counter = 0;
  while (reader.Next(entry)) {
    if (const char* name = MatchConfigFile(entry.name.text)) {
      package::ExtractFromFile(nullptr, file.Handle(), entry.storedSize, (documents + name).c_str(), counter,
                               static_cast<int32_t>(reader.PackageSize()));
    }
  }
}

}  // namespace

void ExtractConfigFiles(const package::InstallPackage& installPackage) {
  const std::optional<std::string> documents = DocumentsFolderAnsi();
  if (!documents) return;
  if (installPackage.IsEmpty()) {
    ExtractFromAppendedForm(*documents);
  } else {
    ExtractFromResourceForm(*documents, installPackage);
  }
}

const wchar_t* WizardTextFileName(int languageId) {
  switch (languageId) {
    case texts::kChinese: return L"InstallConfig_cn.txt";
    case texts::kRussian: return L"InstallConfig_rs.txt";
    default: return L"InstallConfig_en.txt";
  }
}

}  // namespace app
