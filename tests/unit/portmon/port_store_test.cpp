// The monitor's port keys, through a spooler's MONITORREG and through the Win32 registry fallback.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "components/portmon/monitor.h"
#include "components/portmon/port_store.h"
#include "components/portmon/registry_view.h"
#include "components/portmon/xcv_session.h"
#include "tests/unit/portmon/opaque_registry.h"

namespace {

using namespace portmon;
using portmon_test::OpaqueRegistry;

constexpr wchar_t kScratchKey[] = L"Software\\Tillvane tests\\Monitor";

HKEY CreateScratchRoot() {
  RegDeleteTreeW(HKEY_CURRENT_USER, kScratchKey);
  HKEY root = nullptr;
  RegCreateKeyExW(HKEY_CURRENT_USER, kScratchKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &root, nullptr);
  return root;
}

// The monitor name kept for a port, read straight from the registry below the root.
std::wstring StoredMonitorName(HKEY root, const std::wstring& port) {
  wchar_t name[256] = {};
  DWORD size = sizeof(name);
  const std::wstring key = L"Ports\\" + port;
  if (RegGetValueW(root, key.c_str(), L"Monitor", RRF_RT_REG_SZ, nullptr, name, &size) != ERROR_SUCCESS) return L"?";
  return name;
}

std::vector<PortRecord> ListedPorts(const PortStore& store) {
  std::vector<PortRecord> ports;
  EXPECT_EQ(store.List(ports), static_cast<DWORD>(ERROR_SUCCESS));
  std::sort(ports.begin(), ports.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
  return ports;
}

enum class ViewKind { kWin32, kSpooler };

class PortStoreTest : public testing::TestWithParam<ViewKind> {
 protected:
  void SetUp() override {
    m_root.Attach(CreateScratchRoot());
    ASSERT_TRUE(m_root);
    if (GetParam() == ViewKind::kWin32) {
      m_view = {&Win32MonitorReg(), m_root.Get(), nullptr};
      return;
    }
    HKEY own = nullptr;
    RegOpenKeyExW(m_root.Get(), nullptr, 0, KEY_ALL_ACCESS, &own);
    m_view = {&OpaqueRegistry::Functions(), OpaqueRegistry::Adopt(own), OpaqueRegistry::Spooler()};
  }
  void TearDown() override {
    if (GetParam() == ViewKind::kSpooler) {
      EXPECT_EQ(OpaqueRegistry::OpenKeys(), 1u) << "a key was left open";
    }
    OpaqueRegistry::CloseAll();
    m_root.Close();
    RegDeleteTreeW(HKEY_CURRENT_USER, kScratchKey);
  }

  UniqueRegistryKey m_root;
  RegistryView m_view;
};

TEST_P(PortStoreTest, AddedPortsAreListedAndKeptUnderPortsWithTheirMonitor) {
  const PortStore store(m_view);
  EXPECT_TRUE(ListedPorts(store).empty());
  EXPECT_EQ(store.Add(L"Demo80-Port:", L"Demo80 Monitor"), static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_EQ(store.Add(L"Other-Port:", L"Other Monitor"), static_cast<DWORD>(ERROR_SUCCESS));

  const std::vector<PortRecord> ports = ListedPorts(store);
  ASSERT_EQ(ports.size(), 2u);
  EXPECT_EQ(ports[0].name, L"Demo80-Port:");
  EXPECT_EQ(ports[0].monitor, L"Demo80 Monitor");
  EXPECT_EQ(ports[1].name, L"Other-Port:");
  EXPECT_EQ(ports[1].monitor, L"Other Monitor");
  EXPECT_EQ(StoredMonitorName(m_root.Get(), L"Demo80-Port:"), L"Demo80 Monitor");
  EXPECT_TRUE(store.Contains(L"Demo80-Port:"));
  EXPECT_FALSE(store.Contains(L"Demo81-Port:"));
}

TEST_P(PortStoreTest, SecondAddOfAPortFailsAndKeepsTheFirst) {
  const PortStore store(m_view);
  ASSERT_EQ(store.Add(L"Demo80-Port:", L"First Monitor"), static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_EQ(store.Add(L"Demo80-Port:", L"Second Monitor"), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  const std::vector<PortRecord> ports = ListedPorts(store);
  ASSERT_EQ(ports.size(), 1u);
  EXPECT_EQ(ports[0].monitor, L"First Monitor");
}

TEST_P(PortStoreTest, RemoveDeletesOnlyThatPortAndOnlyOnce) {
  const PortStore store(m_view);
  store.Add(L"Demo80-Port:", L"Demo80 Monitor");
  store.Add(L"Other-Port:", L"Demo80 Monitor");
  EXPECT_EQ(store.Remove(L"Demo80-Port:"), static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_FALSE(store.Contains(L"Demo80-Port:"));
  EXPECT_EQ(store.Remove(L"Demo80-Port:"), static_cast<DWORD>(ERROR_UNKNOWN_PORT));
  const std::vector<PortRecord> ports = ListedPorts(store);
  ASSERT_EQ(ports.size(), 1u);
  EXPECT_EQ(ports[0].name, L"Other-Port:");
}

TEST_P(PortStoreTest, RemovingAnEmptyOrForeignNameTouchesNoPort) {
  const PortStore store(m_view);
  EXPECT_EQ(store.Remove(L"Never-Added:"), static_cast<DWORD>(ERROR_UNKNOWN_PORT));  // before "Ports" exists
  store.Add(L"Demo80-Port:", L"Demo80 Monitor");
  EXPECT_EQ(store.Remove(L""), static_cast<DWORD>(ERROR_UNKNOWN_PORT));
  EXPECT_EQ(store.Remove(L"Demo80-Port:\\"), static_cast<DWORD>(ERROR_UNKNOWN_PORT));
  EXPECT_EQ(ListedPorts(store).size(), 1u);
}

TEST_P(PortStoreTest, UnusableNamesAreRefusedAndLeaveNothing) {
  const PortStore store(m_view);
  EXPECT_EQ(store.Add(L"", L"Demo80 Monitor"), static_cast<DWORD>(ERROR_INVALID_NAME));
  EXPECT_EQ(store.Add(L"Ports\\Inner:", L"Demo80 Monitor"), static_cast<DWORD>(ERROR_INVALID_NAME));
  EXPECT_EQ(store.Add(L"A:,B:", L"Demo80 Monitor"), static_cast<DWORD>(ERROR_INVALID_NAME));
  EXPECT_EQ(store.Add(std::wstring(256, L'p'), L"Demo80 Monitor"), static_cast<DWORD>(ERROR_INVALID_NAME));
  EXPECT_EQ(store.Add(std::wstring(255, L'p'), L"Demo80 Monitor"), static_cast<DWORD>(ERROR_SUCCESS));
  store.Remove(std::wstring(255, L'p'));
  EXPECT_EQ(store.Add(L"Demo80-Port:", L""), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_TRUE(ListedPorts(store).empty());
}

INSTANTIATE_TEST_SUITE_P(BothViews, PortStoreTest, testing::Values(ViewKind::kWin32, ViewKind::kSpooler));

class RegistryViewChoice : public testing::Test {
 protected:
  void SetUp() override { m_root.Attach(CreateScratchRoot()); }
  void TearDown() override {
    OpaqueRegistry::CloseAll();
    m_root.Close();
    RegDeleteTreeW(HKEY_CURRENT_USER, kScratchKey);
  }
  MONITORINIT Init(const MONITORREG* functions, HANDLE root, HANDLE spooler) const {
    MONITORINIT init{};
    init.cbSize = sizeof(init);
    init.hSpooler = spooler;
    init.hckRegistryRoot = static_cast<HKEYMONITOR>(root);
    init.pMonitorReg = const_cast<MONITORREG*>(functions);
    init.bLocal = TRUE;
    return init;
  }
  UniqueRegistryKey m_root;
};

TEST_F(RegistryViewChoice, WorkingSpoolerCallbacksAreUsedAsGiven) {
  HKEY own = nullptr;
  RegOpenKeyExW(m_root.Get(), nullptr, 0, KEY_ALL_ACCESS, &own);
  const HANDLE root = OpaqueRegistry::Adopt(own);
  RegistryView view;
  UniqueRegistryKey ownedRoot;
  ASSERT_EQ(OpenRegistryView(Init(&OpaqueRegistry::Functions(), root, OpaqueRegistry::Spooler()), view, ownedRoot),
            static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_EQ(view.functions, &OpaqueRegistry::Functions());
  EXPECT_EQ(view.root, root);
  EXPECT_EQ(view.spooler, OpaqueRegistry::Spooler());
  EXPECT_FALSE(ownedRoot);
}

// Wine: stub callbacks, or none, and a root that is an open HKEY the spooler may close later.
TEST_F(RegistryViewChoice, StubOrMissingCallbacksFallBackToAnOwnHandleOnTheRoot) {
  for (const MONITORREG* functions : {&portmon_test::StubMonitorReg(), static_cast<const MONITORREG*>(nullptr)}) {
    HKEY spoolersRoot = nullptr;
    RegOpenKeyExW(m_root.Get(), nullptr, 0, KEY_ALL_ACCESS, &spoolersRoot);
    RegistryView view;
    UniqueRegistryKey ownedRoot;
    ASSERT_EQ(OpenRegistryView(Init(functions, spoolersRoot, nullptr), view, ownedRoot),
              static_cast<DWORD>(ERROR_SUCCESS));
    RegCloseKey(spoolersRoot);
    EXPECT_EQ(view.functions, &Win32MonitorReg());
    EXPECT_EQ(view.root, ownedRoot.Get());
    const PortStore store(view);
    EXPECT_EQ(store.Add(L"Fallback-Port:", L"Wine Monitor"), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(StoredMonitorName(m_root.Get(), L"Fallback-Port:"), L"Wine Monitor");
    store.Remove(L"Fallback-Port:");
  }
}

TEST_F(RegistryViewChoice, StubCallbacksWithARootThatIsNoKeyFail) {
  RegistryView view;
  UniqueRegistryKey ownedRoot;
  const HANDLE notAKey = reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(0x7ff0));
  EXPECT_NE(OpenRegistryView(Init(&portmon_test::StubMonitorReg(), notAKey, nullptr), view, ownedRoot),
            static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_FALSE(ownedRoot);
}

class MonitorCalls : public RegistryViewChoice {
 protected:
  void SetUp() override {
    RegistryViewChoice::SetUp();
    ASSERT_EQ(Monitor::Create(Init(&portmon_test::StubMonitorReg(), m_root.Get(), nullptr), m_monitor),
              static_cast<DWORD>(ERROR_SUCCESS));
  }
  DWORD AddPort(const wchar_t* name, const wchar_t* monitor = L"Demo80 Monitor", DWORD level = 1) {
    PORT_INFO_1W info{const_cast<LPWSTR>(name)};
    return m_monitor->AddPortEx(level, reinterpret_cast<const BYTE*>(&info), monitor);
  }
  std::unique_ptr<Monitor> m_monitor;
};

TEST_F(MonitorCalls, AddPortExTakesAPortInfo1AndTheMonitorName) {
  EXPECT_EQ(AddPort(L"Demo80-Port:", L"Demo80 Monitor", 2), static_cast<DWORD>(ERROR_INVALID_LEVEL));
  EXPECT_EQ(AddPort(L"Demo80-Port:", nullptr), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(m_monitor->AddPortEx(1, nullptr, L"Demo80 Monitor"), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_FALSE(m_monitor->Ports().Contains(L"Demo80-Port:"));
  EXPECT_EQ(AddPort(L"Demo80-Port:"), static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_TRUE(m_monitor->Ports().Contains(L"Demo80-Port:"));
}

// The spooler asks with no buffer first, then with the size it was told.
TEST_F(MonitorCalls, EnumPortsTellsTheSizeThenFillsBothLevels) {
  AddPort(L"A-Port:");
  AddPort(L"B-Port:");
  for (DWORD level : {1u, 2u}) {
    DWORD needed = 0;
    DWORD returned = 7;
    EXPECT_EQ(m_monitor->EnumPorts(level, nullptr, 0, &needed, &returned), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(returned, 0u);
    std::vector<BYTE> buffer(needed);
    DWORD again = 0;
    EXPECT_EQ(m_monitor->EnumPorts(level, buffer.data(), needed - 1, &again, &returned),
              static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(again, needed);
    ASSERT_EQ(m_monitor->EnumPorts(level, buffer.data(), needed, &needed, &returned), static_cast<DWORD>(ERROR_SUCCESS));
    ASSERT_EQ(returned, 2u);
    std::vector<std::wstring> names;
    for (DWORD index = 0; index < returned; ++index) {
      if (level == 1) {
        names.push_back(reinterpret_cast<PORT_INFO_1W*>(buffer.data())[index].pName);
        continue;
      }
      const PORT_INFO_2W& info = reinterpret_cast<PORT_INFO_2W*>(buffer.data())[index];
      names.push_back(info.pPortName);
      EXPECT_STREQ(info.pMonitorName, L"Demo80 Monitor");
      EXPECT_GT(wcslen(info.pDescription), 0u);
      EXPECT_EQ(info.fPortType & PORT_TYPE_WRITE, static_cast<DWORD>(PORT_TYPE_WRITE));
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::wstring>{L"A-Port:", L"B-Port:"}));
  }
  DWORD needed = 0;
  DWORD returned = 0;
  EXPECT_EQ(m_monitor->EnumPorts(3, nullptr, 0, &needed, &returned), static_cast<DWORD>(ERROR_INVALID_LEVEL));
}

TEST_F(MonitorCalls, XcvDeletePortNeedsAdministerAccess) {
  AddPort(L"Demo80-Port:");
  const std::wstring name = L"Demo80-Port:";
  const auto* input = reinterpret_cast<const BYTE*>(name.c_str());
  const DWORD size = static_cast<DWORD>((name.size() + 1) * sizeof(wchar_t));
  DWORD needed = 0;
  EXPECT_EQ(XcvSession(*m_monitor, 0).Data(L"DeletePort", input, size, nullptr, 0, &needed),
            static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_TRUE(m_monitor->Ports().Contains(name));
  const XcvSession administer(*m_monitor, SERVER_ACCESS_ADMINISTER);
  EXPECT_EQ(administer.Data(L"DeletePort", input, size, nullptr, 0, &needed), static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_FALSE(m_monitor->Ports().Contains(name));
  EXPECT_EQ(administer.Data(L"AddPort", input, size, nullptr, 0, &needed), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST_F(MonitorCalls, XcvMonitorUiAsksForRoomFirst) {
  const XcvSession session(*m_monitor, 0);
  DWORD needed = 0;
  EXPECT_EQ(session.Data(L"MonitorUI", nullptr, 0, nullptr, 0, &needed), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  ASSERT_GT(needed, sizeof(wchar_t));
  std::vector<BYTE> output(needed);
  EXPECT_EQ(session.Data(L"MonitorUI", nullptr, 0, output.data(), needed - 1, &needed),
            static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  ASSERT_EQ(session.Data(L"MonitorUI", nullptr, 0, output.data(), needed, &needed), static_cast<DWORD>(ERROR_SUCCESS));
  const std::wstring name(reinterpret_cast<const wchar_t*>(output.data()));
  EXPECT_EQ((name.size() + 1) * sizeof(wchar_t), needed);
  EXPECT_NE(name.find(L"UI"), std::wstring::npos);
}

}  // namespace
