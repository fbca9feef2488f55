// The configuration files the package brings into the user's Documents folder.
#pragma once

#include <string>

#include "package/install_package.h"

namespace app {

inline constexpr const char* kConfigFileNames[] = {
    "InstallConfig_cn.txt", "InstallConfig_en.txt", "InstallConfig_rs.txt",
    "logo.bmp",             "PrinterName.txt",      "Text.ini",
};


// Writes the package entries named like a configuration file (letter case aside) into the
// Documents folder under the name as spelled above: from the package copy, or, when the program
// carries none, from a package appended to its file. No folder: nothing happens.
void ExtractConfigFiles(const package::InstallPackage& installPackage);

// The wizard text file of a language: "InstallConfig_en.txt", "_cn" or "_rs".
const wchar_t* WizardTextFileName(int languageId);

}  // namespace app
