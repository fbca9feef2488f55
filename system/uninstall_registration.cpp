#include "system/uninstall_registration.h"

#include <windows.h>

#include <algorithm>
#include <initializer_list>
#include <string_view>

#include "platform/profile.h"
#include "platform/registry.h"
#include "product_identity.h"
#include "system/install_record.h"
#include "texts/language.h"

namespace integration {
namespace {

namespace registry = platform::registry;

// KEY_READ | KEY_SET_VALUE | KEY_CREATE_SUB_KEY: enough to delete a value, nothing more.
constexpr REGSAM kRunOnceAccess = 0x2001F;

struct NamedText {
  const wchar_t* name;
  std::wstring_view text;
};

struct NamedNumber {
  const wchar_t* name;
  DWORD number;
};

bool Fits(std::wstring_view text) { return text.size() < kRecordTextCapacity; }

// RecordFits has made sure that the text fits.
void SetTextValue(HKEY key, const wchar_t* name, std::wstring_view text) {
  const std::wstring whole(text);
  const auto size = static_cast<DWORD>((whole.size() + 1) * sizeof(wchar_t));
  registry::RegSetValueExW(key, name, REG_SZ, reinterpret_cast<const BYTE*>(whole.c_str()), size);
}

// Each failed write is skipped; the next value is still written.
void SetTextValues(HKEY key, std::initializer_list<NamedText> values) {
  for (const NamedText& value : values) SetTextValue(key, value.name, value.text);
}

bool WriteProductKey(const UninstallRegistration& r) {
  HKEY opened = nullptr;
  const std::wstring path = ProductKeyPath(r.ConfiguredPrinterName);
  if (registry::RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), KEY_ALL_ACCESS | KEY_WOW64_64KEY, &opened) !=
      ERROR_SUCCESS) {
    return false;
  }
  registry::UniqueKey key(opened);
  SetTextValues(key.Get(), {{kDataDirectoryValue, r.ChosenFolder},
                            {kProgramDirectoryValue, r.InstallFolder},
                            {kLanguageValue, LanguageName(r.LanguageId)},
                            {kPrinterNameValue, r.PrinterName},
                            {kStartMenuDirValue, r.StartMenuFolder},
                            {kUninstallerValue, r.ShortcutPath},
                            {kPrinterDriverValue, r.DriverName},
                            {kMonitorNameValue, r.MonitorName},
                            {kPortNameValue, r.PortName}});
  return true;
}

void WriteUninstallIni(const UninstallRegistration& r) {
  const std::wstring path = PathInFolder(r.InstallFolder, kUninstallIniName);
  const std::wstring& printer = r.ConfiguredPrinterName;
  platform::profile::WritePrivateProfileStringW(kUninstallIniSection, kIniPrinterNameKey, printer.c_str(),
                                                path.c_str());
  platform::profile::WritePrivateProfileStringW(kUninstallIniSection, kIniServiceNameKey, kServiceName,
                                                path.c_str());
}

// No view flag: a 32-bit installer on 64-bit Windows writes the 32-bit view, as intended.
void WriteUninstallEntry(const UninstallRegistration& r) {
  HKEY opened = nullptr;
  const std::wstring path = UninstallEntryPath(r.PrinterName);
  if (registry::RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), KEY_ALL_ACCESS, &opened) != ERROR_SUCCESS) {
    return;
  }
  registry::UniqueKey key(opened);
  const std::wstring uninstaller = PathInFolder(r.InstallFolder, kUninstallerFileName);
  SetTextValues(key.Get(), {{L"DisplayIcon", uninstaller},
                            {L"DisplayName", r.PrinterName},
                            {L"DisplayVersion", product::kVersion},
                            {L"InstallLocation", r.InstallFolder},
                            {L"Publisher", product::kCompany},
                            {L"UninstallString", uninstaller},
                            {L"VersionMajor", product::kVersionMajor},
                            {L"VersionMinor", product::kVersionMinor}});
  // What Windows' list of programs and deployment tools read beside them.
  // Whole, never cut: a cut command would run nothing.
  const std::wstring quiet = QuietUninstallCommand(r.InstallFolder);
  registry::RegSetValueExW(key.Get(), L"QuietUninstallString", REG_SZ, reinterpret_cast<const BYTE*>(quiet.c_str()),
                           static_cast<DWORD>((quiet.size() + 1) * sizeof(wchar_t)));
  for (const NamedNumber& value : {NamedNumber{L"NoModify", 1}, NamedNumber{L"NoRepair", 1},
                                   NamedNumber{L"EstimatedSize", r.EstimatedSizeKb}}) {
    registry::RegSetValueExW(key.Get(), value.name, REG_DWORD, reinterpret_cast<const BYTE*>(&value.number),
                             sizeof value.number);
  }
}

// A removal still waiting for a restart would otherwise delete what this installation wrote.
void WithdrawPendingUninstall() {
  HKEY opened = nullptr;
  if (registry::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kRunOnceKey, kRunOnceAccess, &opened) != ERROR_SUCCESS) return;
  registry::UniqueKey key(opened);
  registry::RegDeleteValueW(key.Get(), kPendingUninstallValue);
}

}  // namespace

const wchar_t* LanguageName(int languageId) { return languageId == texts::kChinese ? L"Chinese" : L"English"; }

std::wstring QuietUninstallCommand(const std::wstring& installFolder) {
  return L"\"" + PathInFolder(installFolder, kUninstallerFileName) + L"\" /quiet";
}

bool RecordFitsInstallFolder(const std::wstring& installFolder) {
  for (const wchar_t* name : {kUninstallIniName, kUninstallerFileName}) {
    if (JoinPath(installFolder, name).size() >= kRecordTextCapacity) return false;
  }
  return true;
}

bool RecordFits(const UninstallRegistration& r) {
  const std::wstring_view texts[] = {r.PrinterName, r.ConfiguredPrinterName, r.DriverName,   r.MonitorName,    r.PortName,
                                     r.InstallFolder, r.ChosenFolder,        r.StartMenuFolder, r.ShortcutPath};
  const bool keyPathsFit = Fits(std::wstring(kProductKeyPrefix) + r.ConfiguredPrinterName) &&
                           Fits(std::wstring(kUninstallKeyPrefix) + r.PrinterName);
  return keyPathsFit && RecordFitsInstallFolder(r.InstallFolder) &&
         std::all_of(std::begin(texts), std::end(texts), Fits);
}

bool RegisterUninstall(const UninstallRegistration& registration) {
  if (!RecordFits(registration) || !WriteProductKey(registration)) return false;
  WriteUninstallIni(registration);
  WriteUninstallEntry(registration);
  WithdrawPendingUninstall();
  return true;
}

}  // namespace integration
