#include "spooler/ports.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <winternl.h>

#include <string>
#include <vector>

#include "platform/fault_injection.h"
#include "platform/install_log.h"
#include "platform/registry.h"
#include "tests/unit/spooler/test_registry.h"
#include "tests/unit/support/test_files.h"
#include "texts/utf16_text.h"

extern "C" NTSTATUS NTAPI NtDeleteKey(HANDLE key);

namespace {

using Items = std::vector<std::wstring>;

// The settings page's port combo: "USB" first, as the page adds it before the port list.
class RecordingCombo : public spooler::PortComboBox {
 public:
  Items items{L"USB"};
  int selected = CB_ERR;
  void AddString(const wchar_t* item) override { items.emplace_back(item); }
  void SetCurSel(int index) override { selected = index; }
};

std::string LogText() {
  const std::vector<uint8_t> bytes = test::ReadBytes(platform::kInstallLogPath);
  return {bytes.begin(), bytes.end()};
}

// ---- Port list and port existence, over Wine's ports COM1:..COM4:, FILE:, LPT1:..LPT3:

class PortListTest : public testing::Test {
 protected:
  void TearDown() override {
    for (const std::wstring& name : m_added) test::DeleteMachineValue(spooler::kSerialPortsKey, name);
  }
  // The local monitor lists the value names of the Ports key as its ports.
  void AddLocalPort(const std::wstring& name) {
    test::SetMachineString(spooler::kSerialPortsKey, name, L"");
    m_added.push_back(name);
  }
  static Items Fill() {
    RecordingCombo combo;
    spooler::FillLocalPortList(combo);
    EXPECT_EQ(combo.selected, 0);
    return combo.items;
  }

  platform::ScopedFaults m_faults;

 private:
  Items m_added;
};

TEST_F(PortListTest, SerialThenParallelPortsFollowUsbWithoutColons) {
  EXPECT_EQ(Fill(), (Items{L"USB", L"COM1", L"COM2", L"COM3", L"COM4", L"LPT1", L"LPT2", L"LPT3"}));
}

TEST_F(PortListTest, OnlyUpperCasePrefixesAndNamesThatFitAreListed) {
  AddLocalPort(L"USB001");
  AddLocalPort(L"com5:");
  AddLocalPort(L"LPT100:");   // 7 characters: the longest that fits
  AddLocalPort(L"COM1000:");  // 8 characters: skipped, not cut
  // In spooler order; Wine's spooler sorts by name, so LPT100: comes before LPT1:.
  EXPECT_EQ(Fill(), (Items{L"USB", L"COM1", L"COM2", L"COM3", L"COM4", L"LPT100", L"LPT1", L"LPT2", L"LPT3"}));
}

TEST_F(PortListTest, EnumerationFailures) {
  {
    SCOPED_TRACE("the size is not reported: the combo is not touched");
    platform::InjectFault("EnumPortsW", ERROR_ACCESS_DENIED, 0, 1);
    RecordingCombo combo;
    spooler::FillLocalPortList(combo);
    EXPECT_EQ(combo.items, Items{L"USB"});
    EXPECT_EQ(combo.selected, CB_ERR);
  }
  {
    SCOPED_TRACE("the second call fails: no ports, but USB is selected");
    platform::InjectFault("EnumPortsW", ERROR_INVALID_DATA, 1, 1);
    EXPECT_EQ(Fill(), Items{L"USB"});
  }
}

TEST_F(PortListTest, PortExistsComparesWholeNamesCaseSensitively) {
  AddLocalPort(L"USB001");
  EXPECT_EQ(spooler::PortExists(L"USB001"), 1);
  EXPECT_EQ(spooler::PortExists(L"usb001"), 0);
  EXPECT_EQ(spooler::PortExists(L"COM1:"), 1);
  EXPECT_EQ(spooler::PortExists(L"COM1"), 0);
  EXPECT_EQ(spooler::PortExists(L"Demo80-Port:"), 0);
  EXPECT_EQ(spooler::PortExists(L"LPT3:"), 1);
  EXPECT_EQ(spooler::PortExists(L"lpt3:"), 0);
}

TEST_F(PortListTest, PortExistsAnswersNoWhenPortsCannotBeListed) {
  platform::InjectFault("EnumPortsW", ERROR_ACCESS_DENIED, 0, 1);
  EXPECT_EQ(spooler::PortExists(L"COM1:"), 0);
  platform::InjectFault("EnumPortsW", ERROR_INVALID_DATA, 1, 1);
  EXPECT_EQ(spooler::PortExists(L"COM1:"), 0);
  EXPECT_EQ(spooler::PortExists(L"COM1:"), 1);  // the faults are used up
}

// ---- Serial settings

// The settings page's defaults: 115200 baud, parity none, 8 data bits, 1 stop bit, hardware flow.
spooler::SerialSettings DefaultSettings() { return {L"115200", 2, L"8", L"1", 1}; }

TEST(SerialSettingsText, DefaultsAndEveryLetter) {
  EXPECT_EQ(spooler::FormatSerialPortSettings(DefaultSettings()), L"115200,n,8,1,p");
  EXPECT_EQ(spooler::FormatSerialPortSettings({L"9600", 2, L"8", L"1", 2}), L"9600,n,8,1,");
  EXPECT_EQ(spooler::FormatSerialPortSettings({L"300", 0, L"7", L"1.5", 0}), L"300,e,7,1.5,x");
  EXPECT_EQ(spooler::FormatSerialPortSettings({L"1200", 1, L"5", L"2", -1}), L"1200,o,5,2,");
  EXPECT_EQ(spooler::FormatSerialPortSettings({L"1200", 5, L"5", L"2", 3}), L"1200,n,5,2,");
  EXPECT_EQ(spooler::FormatSerialPortSettings({L"1200", -1, L"5", L"2", 1}), L"1200,n,5,2,p");
}

TEST(SerialSettingsText, OverlongTextsAreCutAtTheirRoom) {
  const std::wstring bits(100, L'8');
  EXPECT_EQ(spooler::FormatSerialPortSettings({L"9600", 2, bits, bits, 2}),
            L"9600,n," + bits.substr(0, 63) + L"," + bits.substr(0, 63) + L",");
  const std::wstring baud(300, L'9');
  EXPECT_EQ(spooler::FormatSerialPortSettings({baud, 2, L"8", L"1", 1}), baud.substr(0, 255));
}

class SerialSettingsTest : public testing::Test {
 protected:
  void SetUp() override { test::SetMachineString(spooler::kSerialPortsKey, L"COM1:", kEarlier); }
  static std::optional<test::RegistryText> StoredCom1(REGSAM view = KEY_WOW64_64KEY) {
    return test::ReadMachineString(spooler::kSerialPortsKey, L"COM1:", view);
  }
  static constexpr wchar_t kEarlier[] = L"9600,n,8,1";

  platform::ScopedFaults m_faults;
  const platform::TargetWindows m_target = platform::DescribeTargetWindows();
};

TEST_F(SerialSettingsTest, StoresTextWithItsTerminatorUnderThePortName) {
  spooler::WriteSerialPortSettings(DefaultSettings(), L"COM1:", m_target);
  const std::optional<test::RegistryText> stored = StoredCom1();
  ASSERT_TRUE(stored);
  EXPECT_EQ(stored->type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(stored->text, L"115200,n,8,1,p");
  EXPECT_EQ(stored->size, 2u * (14u + 1u));
  EXPECT_EQ(platform::registry::OpenKeyCount(), 0);

  spooler::WriteSerialPortSettings({L"9600", 2, L"8", L"1", 2}, L"COM1:", m_target);
  EXPECT_EQ(StoredCom1()->text, L"9600,n,8,1,");
}

TEST_F(SerialSettingsTest, RegistryFailuresLeaveTheEarlierSettingsSilently) {
  for (const char* call : {"RegCreateKeyExW", "RegSetValueExW"}) {
    SCOPED_TRACE(call);
    platform::InjectFault(call, ERROR_ACCESS_DENIED, 0, 1);
    spooler::WriteSerialPortSettings(DefaultSettings(), L"COM1:", m_target);
    EXPECT_EQ(StoredCom1()->text, kEarlier);
    EXPECT_EQ(platform::registry::OpenKeyCount(), 0);
    EXPECT_FALSE(test::FileExists(platform::kInstallLogPath));
  }
}

bool IsWow64() {
  BOOL wow64 = FALSE;
  return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

// Wine links the 32-bit view of the Ports key to the 64-bit one, as Windows shares that key;
// the link is replaced by a key of its own so that a write to the wrong view would show.
void SeparateThe32BitPortsKey() {
  const wchar_t kLink[] = L"SOFTWARE\\Wow6432Node\\Microsoft\\Windows NT\\CurrentVersion\\Ports";
  HKEY link = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kLink, REG_OPTION_OPEN_LINK, DELETE | KEY_WOW64_64KEY, &link),
            ERROR_SUCCESS);
  NtDeleteKey(link);
  RegCloseKey(link);
  test::SetMachineString(spooler::kSerialPortsKey, L"COM1:", L"32-bit view", KEY_WOW64_32KEY);
}

TEST_F(SerialSettingsTest, UnderWow64TheValueLandsInThe64BitView) {
  if (!IsWow64()) GTEST_SKIP() << "a 32-bit Windows has one registry view";
  SeparateThe32BitPortsKey();
  ASSERT_EQ(StoredCom1(KEY_WOW64_64KEY)->text, kEarlier);
  ASSERT_EQ(StoredCom1(KEY_WOW64_32KEY)->text, L"32-bit view");

  spooler::WriteSerialPortSettings(DefaultSettings(), L"COM1:", m_target);
  EXPECT_EQ(StoredCom1(KEY_WOW64_64KEY)->text, L"115200,n,8,1,p");
  EXPECT_EQ(StoredCom1(KEY_WOW64_32KEY)->text, L"32-bit view");
}

// The view is the description's: a description of 32-bit Windows keeps to the process's own.
TEST_F(SerialSettingsTest, UnderWow64ADescriptionOf32BitWindowsWritesThe32BitView) {
  if (!IsWow64()) GTEST_SKIP() << "a 32-bit Windows has one registry view";
  SeparateThe32BitPortsKey();
  spooler::WriteSerialPortSettings(DefaultSettings(), L"COM1:", platform::Windows32Target(m_target.driverDirectory));
  EXPECT_EQ(StoredCom1(KEY_WOW64_64KEY)->text, kEarlier);
  EXPECT_EQ(StoredCom1(KEY_WOW64_32KEY)->text, L"115200,n,8,1,p");
}

// ---- The printer's own port through the port monitor

class MonitorPortTest : public testing::Test {
 protected:
  void SetUp() override { DeleteFileA(platform::kInstallLogPath); }
  void TearDown() override { DeleteFileA(platform::kInstallLogPath); }

  platform::ScopedFaults m_faults;
};

TEST_F(MonitorPortTest, UnknownMonitorFailsWithALogRecord) {
  EXPECT_EQ(spooler::AddMonitorPort(L"Demo80-Port:", L"No Such Monitor"), 0);
  const std::string log = LogText();
  EXPECT_TRUE(log.starts_with("AddPortEx = ")) << log;
  EXPECT_TRUE(log.ends_with(" PortName=Demo80-Port:\r\r\n")) << log;
  EXPECT_EQ(log.find("AddPortEx = 0 "), std::string::npos) << "the error code is missing";
  EXPECT_EQ(spooler::PortExists(L"Demo80-Port:"), 0);
}

TEST_F(MonitorPortTest, CallSequenceStopsAtTheFirstFailure) {
  // Armed for the port creation; only a call that gets that far uses it up.
  platform::InjectFault("AddPortExW", ERROR_ALREADY_EXISTS, 0, 1);
  platform::InjectFault("LoadLibraryW", ERROR_MOD_NOT_FOUND, 0, 1);
  EXPECT_EQ(spooler::AddMonitorPort(L"Demo80-Port:", L"USB Printer Monitor"), 0);
  EXPECT_FALSE(test::FileExists(platform::kInstallLogPath)) << "a missing winspool.drv is not logged";

  platform::InjectFault("GetProcAddress", ERROR_PROC_NOT_FOUND, 0, 1);
  EXPECT_EQ(spooler::AddMonitorPort(L"Demo80-Port:", L"USB Printer Monitor"), 0);
  EXPECT_EQ(LogText(), "AddPortEx = 127 PortName=Demo80-Port:\r\r\n");

  EXPECT_EQ(spooler::AddMonitorPort(L"Demo80-Port:", L"USB Printer Monitor"), 0);
  EXPECT_EQ(LogText(),
            "AddPortEx = 127 PortName=Demo80-Port:\r\r\n"
            "AddPortEx = 183 PortName=Demo80-Port:\r\r\n");
}

}  // namespace
