// The pages' checks without a window: what the wizard's Next and the command line both refuse.
#include "wizard/page_checks.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "tests/unit/support/test_files.h"
#include "texts/wizard_config.h"

namespace {

using wizard::Check;

std::wstring ProgramFilesFolder() {
  wchar_t expanded[MAX_PATH] = {};
  ExpandEnvironmentStringsW(L"%ProgramFiles%\\", expanded, MAX_PATH);
  return expanded;
}

TEST(FolderCheck, RefusesWhatCannotBecomeAFolderAndCreatesNothing) {
  test::WriteBytes("C:\\plain-file", test::Bytes("x"));
  const struct {
    const wchar_t* folder;
    std::optional<Check> expected;
  } cases[] = {
      {L"", Check::FolderEmpty},
      {L"Printers\\Demo", Check::FolderInvalid},           // relative
      {L"C:Printers", Check::FolderInvalid},               // relative to the drive's current folder
      {L"\\Printers", Check::FolderInvalid},               // no drive
      {L"Q:\\Printers\\Demo", Check::FolderInvalid},       // no such drive
      {L"C:\\plain-file\\Demo", Check::FolderInvalid},     // below a file
      {L"C:\\Tills\\a<b", Check::FolderInvalid},
      {L"C:\\Tills\\a:b", Check::FolderInvalid},
      {L"C:\\Tills\\a|b", Check::FolderInvalid},
      {L"\\\\server", Check::FolderInvalid},               // a server without a share
      {L"C:\\", std::nullopt},
      {L"C:\\New folder\\Deeper\\Still", std::nullopt},
      {L"C:\\Program Files\\Tills", std::nullopt},
  };
  for (const auto& [folder, expected] : cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(folder)));
    EXPECT_EQ(wizard::CheckFolderChoice(folder), expected);
  }
  EXPECT_FALSE(test::FolderExists("C:\\New folder"));
  // Room for "\x\" and nothing else at most; past 255 characters it is no folder text at all.
  EXPECT_EQ(wizard::CheckFolderChoice(L"C:\\" + std::wstring(249, L'f')), std::nullopt);
  EXPECT_EQ(wizard::CheckFolderChoice(L"C:\\" + std::wstring(250, L'f')), Check::FolderTooLong);
  EXPECT_EQ(wizard::CheckFolderChoice(L"C:\\" + std::wstring(253, L'f')), Check::FolderInvalid);
  DeleteFileA("C:\\plain-file");
}

TEST(PrinterNameCheck, RefusesNamesThatCannotBeAPrinterAndAFileNamePart) {
  for (const wchar_t* name : {L"..\\..\\evil", L"a/b", L"a:b", L"a*b", L"a?b", L"a\"b", L"a<b", L"a>b", L"a|b",
                              L"Till, left", L"tab\there", L" leading", L"trailing ", L"dotted.", L".hidden", L"CON",
                              L"con", L"Nul.txt", L"COM1", L"lpt9.printer", L"AUX.", L"PRN"}) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(name)));
    EXPECT_EQ(wizard::CheckPrinterNameChoice(name), Check::PrinterNameInvalid);
  }
  EXPECT_EQ(wizard::CheckPrinterNameChoice(L""), Check::NoModel);
  EXPECT_EQ(wizard::CheckPrinterNameChoice(std::wstring(101, L'n')), Check::PrinterNameInvalid);
  for (const std::wstring& name : {std::wstring(100, L'n'), std::wstring(L"Till 3 printer (kitchen)"),
                                   std::wstring(L"COM10"), std::wstring(L"Console"), std::wstring(L"LPT"),
                                   std::wstring(L"收银打印机"), std::wstring(L"Demo80.v2")}) {
    SCOPED_TRACE(testing::PrintToString(name));
    EXPECT_EQ(wizard::CheckPrinterNameChoice(name), std::nullopt);
  }
}

TEST(NetworkPortCheck, AddressIsDottedIpv4OrAHostNameAndThePortANumberFrom1To65535) {
  for (const wchar_t* address : {L"192.168.1.50", L"0.0.0.0", L"255.255.255.255", L"printer", L"till-3.shop.example",
                                 L"3com"}) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(address)));
    EXPECT_TRUE(wizard::IsValidPrinterAddress(address));
  }
  // Digits and dots alone must be four numbers of 0 to 255.
  for (const wchar_t* address : {L"", L"10", L"1.2.3", L"1.2.3.4.5", L"256.1.1.1", L"1..2.3", L"1.2.3.", L"0001.2.3.4",
                                 L"printer_1", L"my printer", L"192.168.1.50:9100", L"打印机"}) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(address)));
    EXPECT_FALSE(wizard::IsValidPrinterAddress(address));
  }
  EXPECT_TRUE(wizard::IsValidPrinterAddress(std::wstring(253, L'a')));
  EXPECT_FALSE(wizard::IsValidPrinterAddress(std::wstring(254, L'a')));
  for (const wchar_t* port : {L"1", L"9100", L"65535"}) EXPECT_TRUE(wizard::IsValidTcpPort(port)) << port;
  for (const wchar_t* port : {L"", L"0", L"65536", L"99999", L"-1", L"+80", L"91 00", L"0x10", L"123456"}) {
    EXPECT_FALSE(wizard::IsValidTcpPort(port)) << testing::PrintToString(std::wstring(port));
  }
}

TEST(SettingsCheck, NetworkAndLocalPortsAreCheckedInOrder) {
  wizard::InstallationChoices choices;
  choices.ChosenPrinterName = L"Demo80";
  choices.Port = wizard::PortKind::Network;
  EXPECT_EQ(wizard::CheckSettingsChoice(choices), Check::IpEmpty);
  choices.PrinterIpAddress = L"300.1.1.1";
  EXPECT_EQ(wizard::CheckSettingsChoice(choices), Check::IpInvalid);
  choices.PrinterIpAddress = L"192.168.1.50";
  EXPECT_EQ(wizard::CheckSettingsChoice(choices), Check::TcpPortEmpty);
  choices.PrinterTcpPort = L"70000";
  EXPECT_EQ(wizard::CheckSettingsChoice(choices), Check::TcpPortInvalid);
  choices.PrinterTcpPort = L"9100";
  EXPECT_EQ(wizard::CheckSettingsChoice(choices), std::nullopt);
  choices.ChosenPrinterName = L"a,b";
  EXPECT_EQ(wizard::CheckSettingsChoice(choices), Check::PrinterNameInvalid);

  // Wine's spooler lists COM1: to COM4: and LPT1: to LPT3:.
  choices.ChosenPrinterName = L"Demo80";
  choices.Port = wizard::PortKind::Local;
  choices.PortItem = L"COM2";
  EXPECT_EQ(wizard::CheckSettingsChoice(choices), std::nullopt);
  choices.PortItem = L"COM9";
  EXPECT_EQ(wizard::CheckSettingsChoice(choices), Check::PortMissing);
  // No USB printer is connected in a new prefix.
  choices.Port = wizard::PortKind::Usb;
  EXPECT_EQ(wizard::CheckSettingsChoice(choices), Check::NoUsbPrinter);
}

TEST(PageDefaults, WhatThePagesShowFirst) {
  texts::WizardConfig = {};
  EXPECT_EQ(wizard::DefaultInstallFolder(), ProgramFilesFolder() + L"USB Printer");
  wcscpy(texts::WizardConfig.FolderName, L"Demo80");
  EXPECT_EQ(wizard::DefaultInstallFolder(), ProgramFilesFolder() + L"Demo80");
  std::fill_n(texts::WizardConfig.FolderName, texts::kConfigValueCapacity - 1, L'd');
  const std::wstring longest = wizard::DefaultInstallFolder();
  EXPECT_EQ(longest.size(), 255u);
  EXPECT_EQ(longest.substr(0, ProgramFilesFolder().size()), ProgramFilesFolder());
  texts::WizardConfig = {};

  const wizard::InstallationChoices choices = wizard::ChoicesWithDefaults({}, {L"Demo58", L"Demo80"});
  EXPECT_EQ(choices.SelectedModelIndex, 1);
  EXPECT_EQ(choices.ChosenPrinterName, L"Demo58");
  EXPECT_EQ(choices.Port, wizard::PortKind::Usb);
  EXPECT_EQ(choices.PrinterTcpPort, L"9100");
  EXPECT_EQ(spooler::FormatSerialPortSettings(choices.Serial), L"115200,n,8,1,p");
  EXPECT_TRUE(choices.MakeDefaultPrinter);
  EXPECT_EQ(wizard::InstallFolderFor(L"C:\\Tills\\", L"Till 3"), L"C:\\Tills\\Till 3");
  EXPECT_EQ(wizard::InstallFolderFor(L"C:\\Tills", L"Till 3"), L"C:\\Tills\\Till 3");

  wizard::PresetChoices preset;
  preset.modelIndex = 2;
  preset.portItem = L"LPT1";
  preset.setDefaultPrinter = false;
  const wizard::InstallationChoices given = wizard::ChoicesWithDefaults(preset, {L"Demo58", L"Demo80"});
  EXPECT_EQ(given.ChosenPrinterName, L"Demo80");
  EXPECT_EQ(given.Port, wizard::PortKind::Local);
  EXPECT_FALSE(given.MakeDefaultPrinter);
}

TEST(SettleChosenPort, LocalPortsGetTheirColonAndTheNetworkFlagFollowsTheKind) {
  wizard::InstallationChoices choices;
  choices.Port = wizard::PortKind::Local;
  choices.PortItem = L"COM3";
  wizard::SettleChosenPort(choices);
  EXPECT_STREQ(choices.PortName, L"COM3:");
  EXPECT_FALSE(choices.UseNetworkPort);
  choices.Port = wizard::PortKind::Network;
  choices.PortItem = L"Net Port(TCP/IP)";
  wizard::SettleChosenPort(choices);
  EXPECT_STREQ(choices.PortName, L"Net Port(TCP/IP)");
  EXPECT_TRUE(choices.UseNetworkPort);
}

// Every entry lands at "<folder>\<printer>\<entry>" in at most 255 bytes of the ANSI code page.
TEST(PathRoomCheck, FolderAndPrinterNameLeaveRoomForTheLongestEntry) {
  const wizard::PackageRoom room{28};  // "MerrowPrinterService.exe.x64"
  // The folder page: room for a one-character printer name and the entry.
  const std::wstring fits = L"C:\\" + std::wstring(255 - 3 - 2 - 1 - 28, L'f');
  EXPECT_EQ(wizard::CheckFolderChoice(fits, room), std::nullopt);
  EXPECT_EQ(wizard::CheckFolderChoice(fits + L"f", room), Check::FolderTooLong);

  // The settings page: the real printer name.
  wizard::InstallationChoices choices;
  choices.ChosenPrinterName = L"Demo80";
  choices.Port = wizard::PortKind::Local;
  choices.PortItem = L"COM1";
  choices.InstallRoot = L"C:\\" + std::wstring(255 - 3 - 7 - 1 - 28, L'f');
  EXPECT_EQ(wizard::CheckSettingsChoice(choices, room), std::nullopt);
  choices.ChosenPrinterName = L"Demo80C";
  EXPECT_EQ(wizard::CheckSettingsChoice(choices, room), Check::PathTooLong);
}

TEST(PathRoomCheck, NamesThatTheCodePageCannotHoldExactlyAreRefused) {
  // In Windows-1252: U+0101 would become 'a' by best fit, U+6253 has no form at all.
  wizard::InstallationChoices choices;
  choices.Port = wizard::PortKind::Local;
  choices.PortItem = L"COM1";
  choices.InstallRoot = L"C:\\Tills";
  for (const wchar_t* name : {L"Till \u0101", L"\u6253\u5370\u673a"}) {
    choices.ChosenPrinterName = name;
    EXPECT_EQ(wizard::CheckSettingsChoice(choices), Check::NotInCodePage) << testing::PrintToString(std::wstring(name));
  }
  EXPECT_EQ(wizard::CheckFolderChoice(L"C:\\Till \u0101"), Check::NotInCodePage);
  choices.ChosenPrinterName = L"Till \u00e9";  // in the code page as it is
  EXPECT_EQ(wizard::CheckSettingsChoice(choices), std::nullopt);
}

// Run with LC_ALL=zh_CN.UTF-8: code page 936, two bytes for each Chinese character.
TEST(ChineseCodePage, TheRoomIsCountedInBytes) {
  const wizard::PackageRoom room{24};
  const std::wstring chinese = L"C:\\" + std::wstring(120, L'\u6253');  // 123 characters, 243 bytes
  EXPECT_EQ(wizard::CheckFolderChoice(chinese, room), Check::FolderTooLong);
  EXPECT_EQ(wizard::CheckFolderChoice(L"C:\\" + std::wstring(120, L'f'), room), std::nullopt);
  wizard::InstallationChoices choices;
  choices.Port = wizard::PortKind::Local;
  choices.PortItem = L"COM1";
  choices.InstallRoot = L"C:\\Tills";
  choices.ChosenPrinterName = L"\u6536\u94f6\u6253\u5370\u673a";  // in the code page
  EXPECT_EQ(wizard::CheckSettingsChoice(choices, room), std::nullopt);
}

}  // namespace
