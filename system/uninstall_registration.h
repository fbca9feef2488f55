// Records a successful installation for removal: the product key (the target's registry view),
// "Uninstall.ini" in the install folder and the system's uninstall entry; withdraws a pending
// run of the uninstaller that an earlier removal left.
#pragma once

#include <cstdint>
#include <string>

#include "platform/target_windows.h"

namespace sys {

// What the installation records once its printer is in place.
struct UninstallRegistration {
  std::wstring PrinterName;            // ChosenPrinterName
  std::wstring ConfiguredPrinterName;  // PrinterName of WizardConfig
  std::wstring DriverName;
  std::wstring MonitorName;
  std::wstring PortName;               // as the printer finally uses it
  std::wstring InstallFolder;          // the chosen folder plus the printer subfolder
  std::wstring ChosenFolder;           // InstallRoot
  std::wstring StartMenuFolder;
  std::wstring ShortcutPath;
  int LanguageId = 0;
  uint32_t EstimatedSizeKb = 0;        // what the installation leaves on disk
};

// The quiet removal deployment tools run: the uninstaller's path, quoted, with /quiet.
std::wstring QuietUninstallCommand(const std::wstring& installFolder);

// "Chinese" for LanguageId 1, "English" for every other (Russian included).
const wchar_t* LanguageName(int languageId);

// True when the paths the record names in the install folder ("Uninstall.ini" and the
// uninstaller) fit the record's 255 characters: a cut path would name another file.
bool RecordFitsInstallFolder(const std::wstring& installFolder);

// True when every text and key path of the record fits its 255 characters whole: a cut text would
// name another file, printer or key to the uninstaller.
bool RecordFits(const UninstallRegistration& registration);

// False, with nothing at all recorded, when the record does not fit or the product key cannot be
// created; any other failure skips only the value or place concerned.
bool RegisterUninstall(const UninstallRegistration& registration, const platform::TargetWindows& target);

}  // namespace sys
