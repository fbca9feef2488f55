#include "components/uninstaller/installed_record.h"

#include <windows.h>

#include "platform/profile.h"
#include "platform/registry.h"
#include "system/install_record.h"

namespace uninstaller {
namespace {

namespace registry = platform::registry;
using sys::kRecordTextCapacity;

std::wstring ReadIniText(const std::wstring& path, const wchar_t* key) {
  wchar_t text[kRecordTextCapacity] = {};
  platform::profile::GetPrivateProfileStringW(sys::kUninstallIniSection, key, L"", text,
                                              kRecordTextCapacity, path.c_str());
  return text;
}

// A missing value or one of another type reads as empty.
std::wstring ReadTextValue(HKEY key, const wchar_t* name) {
  wchar_t text[kRecordTextCapacity] = {};
  DWORD type = 0;
  DWORD size = sizeof(text) - sizeof(wchar_t);  // the last unit stays the terminator
  if (registry::RegQueryValueExW(key, name, &type, reinterpret_cast<BYTE*>(text), &size) != ERROR_SUCCESS ||
      type != REG_SZ) {
    return {};
  }
  return text;
}

void ReadProductValues(HKEY key, InstalledRecord& record) {
  record.PrinterName = ReadTextValue(key, sys::kPrinterNameValue);
  record.Language = ReadTextValue(key, sys::kLanguageValue);
  record.StartMenuFolder = ReadTextValue(key, sys::kStartMenuDirValue);
  record.ShortcutPath = ReadTextValue(key, sys::kUninstallerValue);
  record.DriverName = ReadTextValue(key, sys::kPrinterDriverValue);
  record.MonitorName = ReadTextValue(key, sys::kMonitorNameValue);
  record.PortName = ReadTextValue(key, sys::kPortNameValue);
}

}  // namespace

RecordState ReadInstalledRecord(std::wstring_view installFolder, InstalledRecord& record) {
  record = {};
  record.InstallFolder = installFolder;
  const std::wstring iniPath = sys::JoinPath(installFolder, sys::kUninstallIniName);
  record.ConfiguredPrinterName = ReadIniText(iniPath, sys::kIniPrinterNameKey);
  record.ServiceName = ReadIniText(iniPath, sys::kIniServiceNameKey);
  if (record.ConfiguredPrinterName.empty()) return RecordState::kNoProfile;

  const std::wstring keyPath = sys::ProductKeyPath(record.ConfiguredPrinterName);
  const registry::UniqueKey key = registry::OpenKey(HKEY_LOCAL_MACHINE, keyPath.c_str(), KEY_READ | KEY_WOW64_64KEY);
  if (!key) return RecordState::kNoProductKey;
  ReadProductValues(key.Get(), record);
  return RecordState::kFound;
}

}  // namespace uninstaller
