// The configuration files the package brings into the user's Documents folder.
#pragma once

#include <cstdint>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "package/install_package.h"

namespace app {

inline constexpr const char* kConfigFileNames[] = {
    "InstallConfig_cn.txt", "InstallConfig_en.txt", "InstallConfig_rs.txt",
    "logo.bmp",             "PrinterName.txt",      "Text.ini",
};


// The configuration files as the package carries them, read into memory: what the installer
// itself reads (wizard texts, catalogue) comes from here, never back from Documents, where
// anyone could have changed it since.
struct PackageConfig {
  std::optional<std::vector<uint8_t>> files[std::size(kConfigFileNames)];
  size_t longestEntryBytes = 0;  // of the entries staging writes, as it writes them
  const std::optional<std::vector<uint8_t>>& File(const char* name) const;
};
PackageConfig ReadPackageConfig(const package::InstallPackage& installPackage);

// Writes the configuration files the package carries into the Documents folder under the names
// as spelled above, for whoever else looks there. A link planted under one of the names is
// replaced, never written through; a file that cannot be written is left out (the run's log
// says so).
void WriteConfigFiles(const PackageConfig& config, const std::wstring& documents);

// The wizard text file of a language: "InstallConfig_en.txt", "_cn" or "_rs".
const wchar_t* WizardTextFileName(int languageId);
const char* WizardTextEntryName(int languageId);

}  // namespace app
