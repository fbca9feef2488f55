#include "app/config_files.h"

#include <windows.h>

#include <algorithm>
#include <optional>

#include "texts/language.h"
#include "package/entry_names.h"
#include "package/extract.h"
#include "package/staging.h"
#include "platform/code_page.h"
#include "platform/link_safe_files.h"
#include "platform/run_log.h"

namespace app {
namespace {

constexpr size_t kConfigFileLimit = 4 * 1024 * 1024;  // far above any text file or logo

// A language's wizard text file: as the package names its entry, and as Documents names it.
struct WizardTextFile {
  const char* entry;
  const wchar_t* file;
};
constexpr texts::ByLanguage<WizardTextFile> kWizardTextFiles{{"InstallConfig_en.txt", L"InstallConfig_en.txt"},
                                                             {"InstallConfig_cn.txt", L"InstallConfig_cn.txt"},
                                                             {"InstallConfig_rs.txt", L"InstallConfig_rs.txt"}};

size_t ConfigIndex(const char* name) {
  for (size_t index = 0; index < std::size(kConfigFileNames); ++index) {
    if (package::EqualsIgnoringAsciiCase(name, kConfigFileNames[index])) return index;
  }
  return std::size(kConfigFileNames);
}

void NoteEntryName(const char* name, PackageConfig& config) {
  if (package::IsUnsafeEntryName(name)) return;  // staging skips it
  config.longestEntryBytes = std::max(config.longestEntryBytes, package::WrittenNameBytes(name));
}

void ReadFromResourceForm(const package::InstallPackage& installPackage, PackageConfig& config) {
  package::ResourcePackageReader reader(installPackage.Bytes());
  package::MemoryEntry entry;
  while (reader.Next(entry)) {
    NoteEntryName(entry.name.text, config);
    const size_t index = ConfigIndex(entry.name.text);
    if (index < std::size(config.files)) {  // a later entry of the same name wins, as in Documents
      config.files[index] = package::InflateFromMemory(entry.storedBytes, entry.storedSize, kConfigFileLimit);
    }
  }
}

void ReadFromAppendedForm(PackageConfig& config) {
  package::InstallerFile file;
  if (!file.OpenOwnModule()) return;
  package::AppendedPackageReader reader(file);
  if (!reader.Open()) return;
  package::FileEntry entry;
  while (reader.Next(entry)) {
    NoteEntryName(entry.name.text, config);
    const size_t index = ConfigIndex(entry.name.text);
    if (index < std::size(config.files)) {  // a later entry of the same name wins, as in Documents
      config.files[index] = package::InflateFromFile(file.Handle(), entry.storedSize, kConfigFileLimit);
    }
  }
}

}  // namespace

const std::optional<std::vector<uint8_t>>& PackageConfig::File(const char* name) const {
  static const std::optional<std::vector<uint8_t>> kNone;
  const size_t index = ConfigIndex(name);
  return index < std::size(files) ? files[index] : kNone;
}

PackageConfig ReadPackageConfig(const package::InstallPackage& installPackage) {
  PackageConfig config;
  if (installPackage.IsEmpty()) {
    ReadFromAppendedForm(config);
  } else {
    ReadFromResourceForm(installPackage, config);
  }
  return config;
}

void WriteConfigFiles(const PackageConfig& config, const std::wstring& documents) {
  for (size_t index = 0; index < std::size(kConfigFileNames); ++index) {
    const std::optional<std::vector<uint8_t>>& bytes = config.files[index];
    if (!bytes) continue;
    std::wstring name;
    platform::AnsiToWide(kConfigFileNames[index], name);
    const std::wstring path = documents + L"\\" + name;
    std::wstring refusal;
    const platform::UniqueFileHandle file =
        platform::files::OpenForWriteWithoutLinks(path.c_str(), platform::files::WriteMode::Replace, &refusal);
    if (!file || !platform::files::WriteAll(file.Get(), bytes->data(), bytes->size())) {
      platform::WriteRunLog(L"Not written: " + path + (refusal.empty() ? L"" : L" " + refusal));
    }
  }
}

const char* WizardTextEntryName(int languageId) { return texts::Pick(kWizardTextFiles, languageId).entry; }

const wchar_t* WizardTextFileName(int languageId) { return texts::Pick(kWizardTextFiles, languageId).file; }

}  // namespace app
