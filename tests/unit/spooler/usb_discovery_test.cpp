#include "spooler/usb_discovery.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cwctype>
#include <string>
#include <vector>

#include "platform/fault_injection.h"
#include "platform/install_log.h"
#include "platform/registry.h"
#include "tests/unit/spooler/test_registry.h"
#include "tests/unit/spooler/usb_registry.h"
#include "tests/unit/support/test_files.h"
#include "texts/model_catalogue.h"
#include "texts/utf16_text.h"

namespace {

using Paths = std::vector<std::wstring>;

using test::AddInterface;
using test::AddPresentPrinter;
using test::AddPrintingChild;
using test::AddUsbDevice;
using test::AddUsbInterface;
using test::DevicePath;
using test::kEnumUsbKey;
using test::kEnumUsbPrintKey;
using test::kInterfaceClassKey;

constexpr wchar_t kDemo80[] = L"vid_1a2b&pid_0001";
constexpr wchar_t kDemo58[] = L"vid_1a2b&pid_0002";
constexpr wchar_t kPrefixA[] = L"7&aaaa&0";
constexpr wchar_t kPrefixB[] = L"7&bbbb&0";

std::string Record(const std::string& vidPid, const std::string& instance) {
  return "**** vid&pid=" + vidPid + " subkey=" + instance + "\r\r\n";
}

struct Lookup {
  int result;
  std::wstring port;
};

class UsbDiscoveryTest : public testing::Test {
 protected:
  void SetUp() override {
    Clean();
    texts::ModelTable = {};
    SetModel(1, L"Demo80", kDemo80);
    SetModel(2, L"Demo58", kDemo58);
  }
  void TearDown() override {
    Clean();
    texts::ModelTable = {};
  }
  static void Clean() {
    DeleteFileA(platform::kInstallLogPath);
    test::DeleteMachineTree(kInterfaceClassKey);
    test::DeleteMachineTree(kEnumUsbKey);
    test::DeleteMachineTree(kEnumUsbPrintKey);
  }
  static void SetModel(int slot, const wchar_t* name, const wchar_t* vidPid) {
    texts::ModelRecord& model = texts::ModelTable[slot];
    texts::CopyBounded(model.Name, name);
    texts::CopyBounded(model.VidPid, vidPid);
    texts::CopyBounded(model.HardwareId, L"UnknownPrinter");
  }
  static Paths Enumerate() {
    Paths interfaces{L"left over"};
    const int count = spooler::EnumUsbPrinterInterfaces(interfaces);
    EXPECT_EQ(count, static_cast<int>(interfaces.size()));
    return interfaces;
  }
  // The settings page holds "USB" as the port name when it looks the port up.
  static Lookup FindPort(int slot) {
    wchar_t port[256] = L"USB";
    const texts::ModelRecord& model = texts::ModelTable[slot];
    const int result = spooler::FindUsbPrinterPort(port, std::size(port), model.VidPid, model.HardwareId);
    EXPECT_EQ(platform::registry::OpenKeyCount(), 0) << "a registry key was left open";
    return {result, port};
  }
  static std::string LogText() {
    const std::vector<uint8_t> bytes = test::ReadBytes(platform::kInstallLogPath);
    return {bytes.begin(), bytes.end()};
  }

  platform::ScopedFaults m_faults;
};

// ---- Present interfaces of catalogue models

TEST(UsbIdOfDevicePath, TakesTheSeventeenCharactersAfterThePrefix) {
  EXPECT_EQ(spooler::UsbIdOfDevicePath(DevicePath(kDemo80, L"sn1")), kDemo80);
  EXPECT_EQ(spooler::UsbIdOfDevicePath(L"\\\\?\\usb#vid_1a2b"), L"vid_1a2b");
  EXPECT_EQ(spooler::UsbIdOfDevicePath(L"\\\\?\\usb#"), L"");
}

TEST_F(UsbDiscoveryTest, NothingConnectedListsNothing) {
  EXPECT_EQ(Enumerate(), Paths{});
  EXPECT_EQ(FindPort(1).result, 0);
  EXPECT_FALSE(test::FileExists(platform::kInstallLogPath));
}

TEST_F(UsbDiscoveryTest, ListsOnlyPresentInterfacesOfCatalogueModels) {
  AddUsbInterface(kDemo80, L"sn1");
  AddUsbInterface(kDemo58, L"sn2", 0);  // not present
  AddUsbInterface(L"vid_9999&pid_0001", L"sn3");
  const Paths interfaces = Enumerate();
  EXPECT_EQ(interfaces, Paths{DevicePath(kDemo80, L"sn1")});
  ASSERT_FALSE(interfaces.empty());
  EXPECT_EQ(texts::FindModelByUsbId(texts::ModelTable, spooler::UsbIdOfDevicePath(interfaces[0]).c_str()), 1);
}

TEST_F(UsbDiscoveryTest, CatalogueCaseDoesNotMatter) {
  SetModel(1, L"Demo80", L"VID_1A2B&PID_0001");
  AddPresentPrinter(kDemo80, L"sn1", kPrefixA, L"USB001");
  EXPECT_EQ(Enumerate().size(), 1u);
  const Lookup lookup = FindPort(1);
  EXPECT_EQ(lookup.result, 1);
  EXPECT_EQ(lookup.port, L"USB001");
  EXPECT_EQ(LogText(), Record("vid_1a2b&pid_0001", "sn1"));
}

TEST_F(UsbDiscoveryTest, ModelWalkStopsAtTheFirstSlotWithoutVidPid) {
  SetModel(1, L"Nameless", L"");
  AddPresentPrinter(kDemo58, L"sn2", kPrefixB, L"USB002");
  EXPECT_EQ(Enumerate(), Paths{});
  EXPECT_EQ(FindPort(2).result, 0);
  EXPECT_FALSE(test::FileExists(platform::kInstallLogPath));
}

TEST_F(UsbDiscoveryTest, ListStopsAt32AndPathsAreCutAt255) {
  Paths expected;
  for (int serial = 0; serial < 33; ++serial) {
    const std::wstring instance = L"sn" + std::wstring(serial < 10 ? L"0" : L"") + std::to_wstring(serial);
    AddUsbInterface(kDemo80, instance);
    expected.push_back(DevicePath(kDemo80, instance));
  }
  expected.resize(32);
  EXPECT_EQ(Enumerate(), expected);

  test::DeleteMachineTree(kInterfaceClassKey);
  // 257 characters: longer than the list keeps, short enough for Wine's MAX_PATH buffer.
  const std::wstring longPath = DevicePath(kDemo80, std::wstring(192, L'x'));
  ASSERT_EQ(longPath.size(), 257u);
  AddInterface(longPath, L"USB\\VID_1A2B&PID_0001\\LONG", 1, L"##?#USB#VID_1A2B&PID_0001#LONG");
  EXPECT_EQ(Enumerate(), Paths{longPath.substr(0, 255)});
}

TEST_F(UsbDiscoveryTest, SetupApiFailuresEndTheWalk) {
  AddUsbInterface(kDemo80, L"sn1");
  AddUsbInterface(kDemo80, L"sn2");
  const struct {
    const char* call;
    int skip;
    Paths listed;
  } rows[] = {
      {"SetupDiGetClassDevsW", 0, {}},
      {"SetupDiEnumDeviceInterfaces", 0, {}},
      {"SetupDiEnumDeviceInterfaces", 1, {DevicePath(kDemo80, L"sn1")}},
      {"SetupDiGetDeviceInterfaceDetailW", 1, {}},  // the read after the size query
      {"SetupDiGetDeviceInterfaceDetailW", 3, {DevicePath(kDemo80, L"sn1")}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << row.call << " after " << row.skip);
    platform::ClearFaults();
    platform::InjectFault(row.call, ERROR_INVALID_PARAMETER, row.skip, 1);
    EXPECT_EQ(Enumerate(), row.listed);
  }
}

// ---- The spooler port of one model

TEST_F(UsbDiscoveryTest, PresentPrintingChildGivesThePort) {
  AddPresentPrinter(kDemo80, L"sn1", kPrefixA, L"USB001");
  const Lookup lookup = FindPort(1);
  EXPECT_EQ(lookup.result, 1);
  EXPECT_EQ(lookup.port, L"USB001");
  EXPECT_EQ(LogText(), Record("vid_1a2b&pid_0001", "sn1"));
}

TEST_F(UsbDiscoveryTest, SettingsPageFindsTheModelByNameAndPort) {
  SetModel(3, L"Demo80", kDemo58);  // same name, other printer: the connected one decides
  AddPresentPrinter(kDemo58, L"sn2", kPrefixB, L"USB002");
  wchar_t port[256] = L"USB";
  EXPECT_EQ(
      texts::FindModelByNameAndPort(texts::ModelTable, L"Demo80", port, std::size(port), spooler::FindUsbPrinterPort),
      3);
  EXPECT_EQ(std::wstring(port), L"USB002");
}

TEST_F(UsbDiscoveryTest, FirstPrinterWithAPrintingChildDecides) {
  AddPresentPrinter(kDemo80, L"sn1", kPrefixA, L"USB001");
  AddPresentPrinter(kDemo80, L"sn2", kPrefixB, L"USB002");
  EXPECT_EQ(FindPort(1).port, L"USB001");
  EXPECT_EQ(LogText(), Record("vid_1a2b&pid_0001", "sn1"));
}

TEST_F(UsbDiscoveryTest, PrinterWithoutPrintingChildIsPassedOver) {
  AddUsbInterface(kDemo80, L"sn1");
  AddUsbDevice(kDemo80, L"sn1", kPrefixA);
  AddPresentPrinter(kDemo80, L"sn2", kPrefixB, L"USB002");
  const Lookup lookup = FindPort(1);
  EXPECT_EQ(lookup.result, 1);
  EXPECT_EQ(lookup.port, L"USB002");
  EXPECT_EQ(LogText(), Record("vid_1a2b&pid_0001", "sn1") + Record("vid_1a2b&pid_0001", "sn2"));
}

TEST_F(UsbDiscoveryTest, StaleChildSucceedsButLeavesThePortName) {
  AddUsbInterface(kDemo80, L"sn1");
  AddUsbDevice(kDemo80, L"sn1", kPrefixA);
  AddPrintingChild(std::wstring(kPrefixA) + L"&USB001", false);
  AddPresentPrinter(kDemo80, L"sn2", kPrefixB, L"USB002");
  const Lookup lookup = FindPort(1);
  EXPECT_EQ(lookup.result, 1);
  EXPECT_EQ(lookup.port, L"USB");
  EXPECT_EQ(LogText(), Record("vid_1a2b&pid_0001", "sn1"));
}

TEST_F(UsbDiscoveryTest, FirstPresentChildOfTheDeviceGivesThePort) {
  AddUsbInterface(kDemo80, L"sn1");
  AddUsbDevice(kDemo80, L"sn1", kPrefixB);
  AddPrintingChild(L"7&aaaa&0&USB001", true);  // another device's child
  AddPrintingChild(L"7&bbbb&0&USB002", false);
  AddPrintingChild(L"7&bbbb&0&USB003", true);
  AddPrintingChild(L"7&bbbb&0&USB004", true);
  EXPECT_EQ(FindPort(1).port, L"USB003");

  test::DeleteMachineTree(std::wstring(kEnumUsbPrintKey) + L"\\UnknownPrinter\\7&bbbb&0&USB003\\Control");
  test::DeleteMachineTree(std::wstring(kEnumUsbPrintKey) + L"\\UnknownPrinter\\7&bbbb&0&USB004\\Control");
  const Lookup lookup = FindPort(1);
  EXPECT_EQ(lookup.result, 1);
  EXPECT_EQ(lookup.port, L"USB");
}

TEST_F(UsbDiscoveryTest, OverlongSubkeyNameDoesNotEndTheWalk) {
  AddUsbInterface(kDemo80, L"sn1");
  AddUsbDevice(kDemo80, L"sn1", kPrefixB);
  AddPrintingChild(std::wstring(kPrefixA) + L"&" + std::wstring(246, L'X'), true);  // 255 characters, listed first
  AddPrintingChild(std::wstring(kPrefixB) + L"&USB002", true);
  EXPECT_EQ(FindPort(1).port, L"USB002");
}

TEST_F(UsbDiscoveryTest, PathWithoutSecondHashIsSkippedWithoutRecord) {
  // Listed before sn1: interfaces come in the order of their key names.
  AddInterface(L"\\\\?\\usb#vid_1a2b&pid_0001#a0", L"USB\\VID_1A2B&PID_0001\\A0");
  EXPECT_EQ(Enumerate().size(), 1u);
  EXPECT_EQ(FindPort(1).result, 0);
  EXPECT_FALSE(test::FileExists(platform::kInstallLogPath));

  AddPresentPrinter(kDemo80, L"sn1", kPrefixA, L"USB001");
  EXPECT_EQ(Enumerate().size(), 2u);
  EXPECT_EQ(FindPort(1).port, L"USB001");
  EXPECT_EQ(LogText(), Record("vid_1a2b&pid_0001", "sn1"));
}

TEST_F(UsbDiscoveryTest, MissingDeviceEntriesSkipThePath) {
  AddUsbInterface(kDemo80, L"sn1");  // no Enum entries: the device key is created, without prefix
  AddPresentPrinter(kDemo80, L"sn2", kPrefixB, L"USB002");
  EXPECT_EQ(FindPort(1).port, L"USB002");
  EXPECT_EQ(LogText(), Record("vid_1a2b&pid_0001", "sn1") + Record("vid_1a2b&pid_0001", "sn2"));

  SetModel(1, L"Demo80", kDemo80);
  texts::CopyBounded(texts::ModelTable[1].HardwareId, L"OtherPrinter");  // no USBPRINT entries
  EXPECT_EQ(FindPort(1).result, 0);
}

// Two printers of the model, each with a present child; the calls of the first path are, in
// order: RegCreateKeyExA USB device, RegQueryValueExA prefix, RegCreateKeyExA USBPRINT,
// RegEnumKeyExA its first subkey, RegCreateKeyExA child, RegEnumKeyExA the child's subkey.
TEST_F(UsbDiscoveryTest, RegistryFailureRows) {
  AddPresentPrinter(kDemo80, L"sn1", kPrefixA, L"USB001");
  AddPresentPrinter(kDemo80, L"sn2", kPrefixB, L"USB002");
  const std::string first = Record("vid_1a2b&pid_0001", "sn1");
  const std::string both = first + Record("vid_1a2b&pid_0001", "sn2");
  const struct {
    const char* call;
    int skip;
    int result;
    const wchar_t* port;
    std::string log;
  } rows[] = {
      {"RegCreateKeyExA", 0, 0, L"USB", first},     // USB device key: the lookup ends
      {"RegQueryValueExA", 0, 1, L"USB002", both},  // no ParentIdPrefix: next path
      {"RegCreateKeyExA", 1, 1, L"USB002", both},   // USBPRINT key: next path
      {"RegEnumKeyExA", 0, 1, L"USB002", both},     // no subkey read: next path
      {"RegCreateKeyExA", 2, 1, L"USB", first},     // child unreadable: next subkey; it matched
      {"RegEnumKeyExA", 1, 1, L"USB", first},       // child's subkeys unreadable: as stale
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << row.call << " after " << row.skip);
    platform::ClearFaults();
    DeleteFileA(platform::kInstallLogPath);
    platform::InjectFault(row.call, ERROR_ACCESS_DENIED, row.skip, 1);
    const Lookup lookup = FindPort(1);
    EXPECT_EQ(lookup.result, row.result);
    EXPECT_EQ(lookup.port, row.port);
    EXPECT_EQ(LogText(), row.log);
  }
}

}  // namespace
