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

namespace sys {
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

// Each failed write is skipped; the next value is still written. RecordFits has made sure that
// the texts fit.
void SetTextValues(HKEY key, std::initializer_list<NamedText> values) {
  for (const NamedText& value : values) registry::SetStringValue(key, value.name, value.text);
}

bool WriteProductKey(const UninstallRegistration& r, const platform::TargetWindows& target) {
  const std::wstring path = ProductKeyPath(r.ConfiguredPrinterName);
  const registry::UniqueKey key =
      registry::CreateKey(HKEY_LOCAL_MACHINE, path.c_str(), KEY_ALL_ACCESS | target.registryView);
  if (!key) return false;
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
  const std::wstring path = UninstallEntryPath(r.PrinterName);
  const registry::UniqueKey key = registry::CreateKey(HKEY_LOCAL_MACHINE, path.c_str(), KEY_ALL_ACCESS);
  if (!key) return;
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
  registry::SetStringValue(key.Get(), L"QuietUninstallString", QuietUninstallCommand(r.InstallFolder));
  for (const NamedNumber& value : {NamedNumber{L"NoModify", 1}, NamedNumber{L"NoRepair", 1},
                                   NamedNumber{L"EstimatedSize", r.EstimatedSizeKb}}) {
    registry::SetDwordValue(key.Get(), value.name, value.number);
  }
}

// As the uninstaller reads the record back: it knows Chinese and English only.
constexpr texts::ByLanguage<const wchar_t*> kRecordedLanguageNames{L"English", L"Chinese", L"English"};

// A removal still waiting for a restart would otherwise delete what this installation wrote.
void WithdrawPendingUninstall() {
  const registry::UniqueKey key = registry::OpenKey(HKEY_LOCAL_MACHINE, kRunOnceKey, kRunOnceAccess);
  if (key) registry::RegDeleteValueW(key.Get(), kPendingUninstallValue);
}

}  // namespace

const wchar_t* LanguageName(int languageId) { return texts::Pick(kRecordedLanguageNames, languageId); }

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

bool RegisterUninstall(const UninstallRegistration& registration, const platform::TargetWindows& target) {
  if (!RecordFits(registration) || !WriteProductKey(registration, target)) return false;
  WriteUninstallIni(registration);
  WriteUninstallEntry(registration);
  WithdrawPendingUninstall();
  return true;
}

}  // namespace sys
