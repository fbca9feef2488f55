#include "system/uninstall_registration.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "platform/fault_injection.h"
#include "platform/registry.h"
#include "platform/target_windows.h"
#include "system/install_record.h"
#include "tests/unit/system/system_test_support.h"

namespace {

using sys::UninstallRegistration;

const std::wstring kProductKey = L"SOFTWARE\\Demo80";
const std::wstring kEntryKey = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Demo80";
const std::wstring kFolder = L"C:\\Program Files\\Demo\\Demo80";
const std::wstring kIniPath = kFolder + L"\\Uninstall.ini";
constexpr wchar_t kPendingValue[] = L"DastroUninstaller";

UninstallRegistration Demo80() {
  UninstallRegistration r;
  r.PrinterName = L"Demo80";
  r.ConfiguredPrinterName = L"Demo80";
  r.DriverName = L"Demo80 Driver";
  r.MonitorName = L"Tillvane Port Monitor";
  r.PortName = L"Demo80-Port:";
  r.InstallFolder = kFolder;
  r.ChosenFolder = L"C:\\Program Files\\Demo\\";
  r.StartMenuFolder = L"C:\\users\\Public\\Start Menu\\Demo80 Driver";
  r.ShortcutPath = r.StartMenuFolder + L"\\Uninstall Printer Driver.lnk";
  r.EstimatedSizeKb = 2048;
  return r;
}

// As the installation records it: for the Windows this run is on.
bool RegisterUninstall(const UninstallRegistration& r) {
  return sys::RegisterUninstall(r, platform::DescribeTargetWindows());
}

bool RunOnceHas(const wchar_t* name) {
  return test::ReadValue(L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce", 0, name).has_value();
}

// Profile listings: each item ends in a NUL.
std::wstring NulEnded(std::initializer_list<const wchar_t*> items) {
  std::wstring text;
  for (const wchar_t* item : items) text.append(item).push_back(L'\0');
  return text;
}

std::wstring IniSection(const wchar_t* section) {
  wchar_t buffer[512] = {};
  const DWORD length = GetPrivateProfileSectionW(section, buffer, 512, kIniPath.c_str());
  return {buffer, length};
}

class UninstallRegistrationTest : public testing::Test {
 protected:
  void SetUp() override {
    Clean();
    test::MakeFolders(kFolder);
  }
  void TearDown() override { Clean(); }
  static void Clean() {
    for (REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY}) {
      test::DeleteKey(kProductKey, view);
      test::DeleteKey(kEntryKey, view);
    }
    test::RemoveTree(L"C:\\Program Files\\Demo");
  }

  // Each value as REG_SZ holding exactly the text and its terminator.
  static void ExpectValues(const std::wstring& key, REGSAM view,
                           const std::vector<std::pair<const wchar_t*, std::wstring>>& values) {
    for (const auto& [name, text] : values) {
      SCOPED_TRACE(name);
      const auto value = test::ReadValue(key, view, name);
      ASSERT_TRUE(value.has_value());
      EXPECT_EQ(value->type, static_cast<DWORD>(REG_SZ));
      EXPECT_EQ(value->text, text);
      EXPECT_EQ(value->size, (text.size() + 1) * sizeof(wchar_t));
    }
  }

  platform::ScopedFaults m_faults;
};

// The registry view checks depend on WOW64; each run must be on the Windows it is named for.
TEST(TestWindows, IsTheOneThisRunIsFor) {
  const char* run = std::getenv("WINE_TEST_RUN");
  ASSERT_NE(run, nullptr);
  EXPECT_EQ(test::IsWow64(), std::string(run) == "wow64");
}

TEST_F(UninstallRegistrationTest, ProductKeyHoldsTheNineValuesInThe64BitView) {
  RegisterUninstall(Demo80());
  const UninstallRegistration r = Demo80();
  ExpectValues(kProductKey, KEY_WOW64_64KEY,
               {{L"Data Directory", r.ChosenFolder},
                {L"Program Directory", kFolder},
                {L"Language", L"English"},
                {L"PrinterName", L"Demo80"},
                {L"StartMenuDir", r.StartMenuFolder},
                {L"Uninstaller", r.ShortcutPath},
                {L"PrinterDriver", L"Demo80 Driver"},
                {L"MonitorName", L"Tillvane Port Monitor"},
                {L"PortName", L"Demo80-Port:"}});
  EXPECT_EQ(test::ValueCount(kProductKey, KEY_WOW64_64KEY), 9u);
  if (test::IsWow64()) {
    EXPECT_FALSE(test::KeyExists(kProductKey, KEY_WOW64_32KEY));
  }
}

// The view is the description's: one of 32-bit Windows keeps the product key in the process's own.
TEST_F(UninstallRegistrationTest, UnderWow64ADescriptionOf32BitWindowsKeepsTheProductKeyInThe32BitView) {
  if (!test::IsWow64()) GTEST_SKIP() << "a 32-bit Windows has one registry view";
  EXPECT_TRUE(sys::RegisterUninstall(Demo80(), platform::Windows32Target(L"")));
  EXPECT_EQ(test::ValueCount(kProductKey, KEY_WOW64_32KEY), 9u);
  EXPECT_FALSE(test::KeyExists(kProductKey, KEY_WOW64_64KEY));
}

TEST_F(UninstallRegistrationTest, UninstallEntryHoldsTheEightValuesInTheProcessView) {
  RegisterUninstall(Demo80());
  const std::wstring uninstaller = kFolder + L"\\Uninstaller.exe";
  ExpectValues(kEntryKey, 0,
               {{L"DisplayIcon", uninstaller},
                {L"DisplayName", L"Demo80"},
                {L"DisplayVersion", L"1.2.1"},
                {L"InstallLocation", kFolder},
                {L"Publisher", L"Tarvik Labs"},
                {L"UninstallString", uninstaller},
                {L"VersionMajor", L"1"},
                {L"VersionMinor", L"2"}});
  // And what Windows' list of programs and deployment tools read beside them.
  ExpectValues(kEntryKey, 0, {{L"QuietUninstallString", L"\"" + uninstaller + L"\" /quiet"}});
  for (const auto& [name, number] : {std::pair{L"NoModify", 1u}, std::pair{L"NoRepair", 1u},
                                     std::pair{L"EstimatedSize", 2048u}}) {
    const auto value = test::ReadValue(kEntryKey, 0, name);
    ASSERT_TRUE(value.has_value()) << name;
    EXPECT_EQ(value->type, static_cast<DWORD>(REG_DWORD)) << name;
    ASSERT_EQ(value->size, sizeof(DWORD)) << name;
    EXPECT_EQ(value->text[0] | (DWORD(value->text[1]) << 16), number) << name;
  }
  EXPECT_EQ(test::ValueCount(kEntryKey, 0), 12u);
  if (test::IsWow64()) {
    EXPECT_TRUE(test::KeyExists(kEntryKey, KEY_WOW64_32KEY));
    EXPECT_FALSE(test::KeyExists(kEntryKey, KEY_WOW64_64KEY));
  }
}

TEST_F(UninstallRegistrationTest, LanguageIsChineseOnlyForLanguage1) {
  const std::pair<int, const wchar_t*> cases[] = {{0, L"English"}, {1, L"Chinese"}, {2, L"English"}};
  for (const auto& [languageId, expected] : cases) {
    UninstallRegistration r = Demo80();
    r.LanguageId = languageId;
    RegisterUninstall(r);
    EXPECT_EQ(test::ReadValue(kProductKey, KEY_WOW64_64KEY, L"Language")->text, expected) << languageId;
  }
}

TEST_F(UninstallRegistrationTest, ProfileHoldsOneSectionWithTwoKeysInOrder) {
  RegisterUninstall(Demo80());
  EXPECT_EQ(IniSection(L"Print Settings"), NulEnded({L"PrinterName=Demo80", L"ServiceName=Quellon Service"}));
  wchar_t names[256] = {};
  const DWORD length = GetPrivateProfileSectionNamesW(names, 256, kIniPath.c_str());
  EXPECT_EQ(std::wstring(names, length), NulEnded({L"Print Settings"}));
}

// A folder whose "Uninstall.ini" path passes 255 characters would be recorded cut, naming a file
// the uninstaller never finds (or another installation's): nothing is recorded instead.
TEST_F(UninstallRegistrationTest, InstallFolderTooLongForTheRecordRecordsNothing) {
  // A folder of `length` characters below kFolder.
  const auto folderOf = [](size_t length) { return kFolder + L"\\" + std::wstring(length - kFolder.size() - 1, L'f'); };
  const std::wstring ini = L"\\Uninstall.ini";
  UninstallRegistration r = Demo80();
  r.InstallFolder = folderOf(sys::kRecordTextCapacity - ini.size());  // its ini path: 256 characters
  test::MakeFolders(r.InstallFolder);
  EXPECT_FALSE(sys::RecordFitsInstallFolder(r.InstallFolder));
  RegisterUninstall(r);
  EXPECT_FALSE(test::KeyExists(kProductKey, KEY_WOW64_64KEY));
  EXPECT_FALSE(test::KeyExists(kEntryKey, 0));
  EXPECT_EQ(GetFileAttributesW((r.InstallFolder + ini).c_str()), INVALID_FILE_ATTRIBUTES);

  // The longest recorded path, the uninstaller's, at 255 characters fits.
  r.InstallFolder = folderOf(sys::kRecordTextCapacity - 1 - std::wstring(L"\\Uninstaller.exe").size());
  test::MakeFolders(r.InstallFolder);
  EXPECT_TRUE(sys::RecordFitsInstallFolder(r.InstallFolder));
  RegisterUninstall(r);
  EXPECT_TRUE(test::KeyExists(kProductKey, KEY_WOW64_64KEY));
  EXPECT_NE(GetFileAttributesW((r.InstallFolder + ini).c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(UninstallRegistrationTest, ProfileTakesTheConfiguredNameAndEntryThePrinterName) {
  UninstallRegistration r = Demo80();
  r.ConfiguredPrinterName = L"Demo80 Configured";
  RegisterUninstall(r);
  EXPECT_EQ(IniSection(L"Print Settings"), NulEnded({L"PrinterName=Demo80 Configured", L"ServiceName=Quellon Service"}));
  EXPECT_TRUE(test::KeyExists(L"SOFTWARE\\Demo80 Configured", KEY_WOW64_64KEY));
  EXPECT_TRUE(test::KeyExists(kEntryKey, 0));
  test::DeleteKey(L"SOFTWARE\\Demo80 Configured", KEY_WOW64_64KEY);
}

TEST_F(UninstallRegistrationTest, SecondInstallationOverwritesTheSamePlaces) {
  UninstallRegistration first = Demo80();
  first.PortName = L"COM1:";
  first.DriverName = L"Old Driver";
  RegisterUninstall(first);
  WritePrivateProfileStringW(L"Print Settings", L"PrinterName", L"Stale", kIniPath.c_str());

  RegisterUninstall(Demo80());
  ExpectValues(kProductKey, KEY_WOW64_64KEY, {{L"PortName", L"Demo80-Port:"}, {L"PrinterDriver", L"Demo80 Driver"}});
  EXPECT_EQ(test::ValueCount(kProductKey, KEY_WOW64_64KEY), 9u);
  EXPECT_EQ(test::ValueCount(kEntryKey, 0), 12u);
  EXPECT_EQ(IniSection(L"Print Settings"), NulEnded({L"PrinterName=Demo80", L"ServiceName=Quellon Service"}));
}

TEST_F(UninstallRegistrationTest, PendingUninstallerRunIsWithdrawnAndOtherRunsStay) {
  test::SetRunOnceValue(kPendingValue, L"\"C:\\Temp\\DastroUninstaller.exe\" /pending \"C:\\Old\"");
  test::SetRunOnceValue(L"SomethingElse", L"C:\\other.exe");
  RegisterUninstall(Demo80());
  EXPECT_FALSE(RunOnceHas(kPendingValue));
  EXPECT_TRUE(RunOnceHas(L"SomethingElse"));
  RegisterUninstall(Demo80());  // nothing pending any more: nothing changes
  EXPECT_TRUE(RunOnceHas(L"SomethingElse"));
}

TEST_F(UninstallRegistrationTest, WithoutTheProductKeyNothingIsRecorded) {
  test::SetRunOnceValue(kPendingValue, L"pending");
  platform::InjectFault("RegCreateKeyExW", ERROR_ACCESS_DENIED, 0, 1);
  RegisterUninstall(Demo80());
  EXPECT_FALSE(test::KeyExists(kProductKey, KEY_WOW64_64KEY));
  EXPECT_FALSE(test::Exists(kIniPath));
  EXPECT_FALSE(test::KeyExists(kEntryKey, 0));
  EXPECT_TRUE(RunOnceHas(kPendingValue));
}

TEST_F(UninstallRegistrationTest, FailedValueIsSkippedAndTheNextOnesWritten) {
  platform::InjectFault("RegSetValueExW", ERROR_ACCESS_DENIED, 2, 1);  // the third value: "Language"
  RegisterUninstall(Demo80());
  EXPECT_FALSE(test::ReadValue(kProductKey, KEY_WOW64_64KEY, L"Language").has_value());
  EXPECT_EQ(test::ValueCount(kProductKey, KEY_WOW64_64KEY), 8u);
  EXPECT_EQ(test::ValueCount(kEntryKey, 0), 12u);
}

TEST_F(UninstallRegistrationTest, FailedUninstallEntryStillWithdrawsThePendingRun) {
  test::SetRunOnceValue(kPendingValue, L"pending");
  platform::InjectFault("RegCreateKeyExW", ERROR_ACCESS_DENIED, 1, 1);
  RegisterUninstall(Demo80());
  EXPECT_TRUE(test::KeyExists(kProductKey, KEY_WOW64_64KEY));
  EXPECT_TRUE(test::Exists(kIniPath));
  EXPECT_FALSE(test::KeyExists(kEntryKey, 0));
  EXPECT_FALSE(RunOnceHas(kPendingValue));
}

TEST_F(UninstallRegistrationTest, EveryPathClosesTheKeysItOpens) {
  const int before = platform::registry::OpenKeyCount();
  RegisterUninstall(Demo80());
  platform::InjectFault("RegCreateKeyExW", ERROR_ACCESS_DENIED, 1, 1);
  RegisterUninstall(Demo80());
  EXPECT_EQ(platform::registry::OpenKeyCount(), before);
}

// A cut text would name another printer, port or file to the uninstaller: nothing is recorded.
TEST_F(UninstallRegistrationTest, TextsTooLongForTheRecordRecordNothing) {
  const std::wstring entry = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
  UninstallRegistration fits = Demo80();
  fits.PrinterName = std::wstring(255 - entry.size(), L'p');
  fits.PortName = std::wstring(255, L'q');
  EXPECT_TRUE(sys::RecordFits(fits));
  EXPECT_TRUE(RegisterUninstall(fits));
  EXPECT_EQ(test::ReadValue(kProductKey, KEY_WOW64_64KEY, L"PortName")->text, fits.PortName);
  test::DeleteKey(entry + fits.PrinterName, 0);
  test::DeleteKey(kProductKey, KEY_WOW64_64KEY);
  DeleteFileW(kIniPath.c_str());

  const auto changed = [](auto change) {
    UninstallRegistration r = Demo80();
    change(r);
    return r;
  };
  const UninstallRegistration tooLong[] = {
      changed([](UninstallRegistration& r) { r.PortName = std::wstring(256, L'q'); }),
      changed([&](UninstallRegistration& r) { r.PrinterName = std::wstring(256 - entry.size(), L'p'); }),  // key path
      changed([](UninstallRegistration& r) { r.ShortcutPath = std::wstring(256, L's'); }),
  };
  for (const UninstallRegistration& r : tooLong) {
    SCOPED_TRACE(testing::PrintToString(r.PrinterName.size()));
    EXPECT_FALSE(sys::RecordFits(r));
    EXPECT_FALSE(RegisterUninstall(r));
    EXPECT_FALSE(test::KeyExists(kProductKey, KEY_WOW64_64KEY));
    EXPECT_FALSE(test::Exists(kIniPath));
  }
}

}  // namespace
