// What an installation recorded for its removal, read back from "Uninstall.ini" in the install
// folder and from the product key it names.
#pragma once

#include <string>
#include <string_view>

namespace uninstaller {

struct InstalledRecord {
  std::wstring InstallFolder;  // where Uninstall.ini lies
  // From Uninstall.ini.
  std::wstring ConfiguredPrinterName;
  std::wstring ServiceName;
  // From the product key.
  std::wstring PrinterName;
  std::wstring Language;
  std::wstring StartMenuFolder;
  std::wstring ShortcutPath;
  std::wstring DriverName;
  std::wstring MonitorName;
  std::wstring PortName;

  bool IsChinese() const { return Language == L"Chinese"; }
};

enum class RecordState {
  kFound,
  kNoProfile,     // no Uninstall.ini, or no printer name in it
  kNoProductKey,  // the product key it names is missing
};

RecordState ReadInstalledRecord(std::wstring_view installFolder, InstalledRecord& record);

}  // namespace uninstaller
