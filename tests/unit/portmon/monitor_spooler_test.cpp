// The monitor through Wine's real spooler, as the installer and later the uninstaller use it.
#include <gtest/gtest.h>
#include <windows.h>
#include <winspool.h>
#include <winsplp.h>

#include <string>
#include <vector>

#include "components/portmon/printer_settings.h"
#include "tests/unit/portmon/spooler_steps.h"

namespace {

using namespace portmon_test;

constexpr wchar_t kPrinter[] = L"Demo80";
constexpr wchar_t kMonitor[] = L"Demo80 Monitor";

DWORD ErrorAfter(BOOL result) { return result ? ERROR_SUCCESS : GetLastError(); }

std::wstring SystemFile(const std::wstring& name) {
  wchar_t folder[MAX_PATH] = {};
  GetSystemDirectoryW(folder, MAX_PATH);
  return std::wstring(folder) + L"\\" + name;
}

// The exit code of the helper program run as a new process in this prefix.
DWORD RunPortTool(const std::wstring& arguments) {
  const std::wstring program = BesideThisProgram(L"portmon_port_tool.exe");
  std::wstring commandLine = L"\"" + program + L"\" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    return 1000 + GetLastError();
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD exitCode = 0;
  GetExitCodeProcess(process.hProcess, &exitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return exitCode;
}

TEST(MonitorRegistration, AddMonitorSucceedsOnceThenReports3006) {
  const std::wstring dll = PlaceMonitorPair(L"Demo81");
  ASSERT_FALSE(dll.empty());
  EXPECT_EQ(RegisterMonitor(L"Demo81 Monitor", dll), static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_EQ(RegisterMonitor(L"Demo81 Monitor", dll), static_cast<DWORD>(ERROR_PRINT_MONITOR_ALREADY_INSTALLED));
}

// Placed and registered once for every test of this program, as the installer does it.
DWORD RegisterDemoMonitorOnce() {
  static const DWORD result = [] {
    const std::wstring dll = PlaceMonitorPair(kPrinter);
    return dll.empty() ? static_cast<DWORD>(ERROR_FILE_NOT_FOUND) : RegisterMonitor(kMonitor, dll);
  }();
  return result;
}

class RegisteredMonitor : public testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(RegisterDemoMonitorOnce(), static_cast<DWORD>(ERROR_SUCCESS)); }
};

TEST_F(RegisteredMonitor, AddedPortIsListedAtBothLevelsWithItsMonitor) {
  EXPECT_FALSE(IsListed(SpoolerPorts(1), L"Demo80-Port:"));
  ASSERT_EQ(AddPortThroughSpooler(L"Demo80-Port:", kMonitor), static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_TRUE(IsListed(SpoolerPorts(1), L"Demo80-Port:"));
  EXPECT_TRUE(IsListed(SpoolerPorts(2), L"Demo80-Port:", kMonitor));
  EXPECT_TRUE(IsListed(SpoolerPorts(2), L"COM1:"));  // the other monitors' ports are still there
}

TEST_F(RegisteredMonitor, SecondAddOfTheSamePortFailsWithAlreadyExists) {
  ASSERT_EQ(AddPortThroughSpooler(L"Twice-Port:", kMonitor), static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_EQ(AddPortThroughSpooler(L"Twice-Port:", kMonitor), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  EXPECT_TRUE(IsListed(SpoolerPorts(2), L"Twice-Port:", kMonitor));
}

TEST_F(RegisteredMonitor, PortIsKeptBelowTheMonitorsRegistryKey) {
  ASSERT_EQ(AddPortThroughSpooler(L"Kept-Port:", kMonitor), static_cast<DWORD>(ERROR_SUCCESS));
  const std::wstring key =
      L"System\\CurrentControlSet\\Control\\Print\\Monitors\\" + std::wstring(kMonitor) + L"\\Ports\\Kept-Port:";
  wchar_t monitor[256] = {};
  DWORD size = sizeof(monitor);
  ASSERT_EQ(RegGetValueW(HKEY_LOCAL_MACHINE, key.c_str(), L"Monitor", RRF_RT_REG_SZ, nullptr, monitor, &size),
            ERROR_SUCCESS);
  EXPECT_STREQ(monitor, kMonitor);
}

TEST_F(RegisteredMonitor, AddedPortIsListedByANewProcess) {
  EXPECT_EQ(RunPortTool(L"listed Fresh-Port: \"Demo80 Monitor\""), 1u);
  ASSERT_EQ(AddPortThroughSpooler(L"Fresh-Port:", kMonitor), static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_EQ(RunPortTool(L"listed Fresh-Port: \"Demo80 Monitor\""), 0u);
}

TEST_F(RegisteredMonitor, DeletePortRemovesThePortOnce) {
  ASSERT_EQ(AddPortThroughSpooler(L"Gone-Port:", kMonitor), static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_EQ(ErrorAfter(DeletePortW(nullptr, nullptr, const_cast<LPWSTR>(L"Gone-Port:"))),
            static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_FALSE(IsListed(SpoolerPorts(1), L"Gone-Port:"));
  EXPECT_EQ(RunPortTool(L"listed Gone-Port: \"Demo80 Monitor\""), 1u);
  EXPECT_FALSE(DeletePortW(nullptr, nullptr, const_cast<LPWSTR>(L"Gone-Port:")));
}

TEST_F(RegisteredMonitor, XcvMonitorNamesTheUiDllBesideTheMonitor) {
  PRINTER_DEFAULTSW defaults{nullptr, nullptr, SERVER_ACCESS_ADMINISTER};
  HANDLE opened = nullptr;
  ASSERT_TRUE(OpenPrinterW(const_cast<LPWSTR>(L",XcvMonitor Demo80 Monitor"), &opened, &defaults)) << GetLastError();
  portmon::UniquePrinter xcv(opened);
  wchar_t name[MAX_PATH] = {};
  DWORD needed = 0;
  DWORD status = ERROR_GEN_FAILURE;
  ASSERT_TRUE(XcvDataW(xcv.Get(), L"MonitorUI", nullptr, 0, reinterpret_cast<BYTE*>(name), sizeof(name), &needed,
                       &status));
  EXPECT_EQ(status, static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_STREQ(name, L"Demo80MonUI.dll");
  EXPECT_NE(GetFileAttributesW(SystemFile(name).c_str()), INVALID_FILE_ATTRIBUTES);
}

class UiDll : public RegisteredMonitor {
 protected:
  void SetUp() override {
    RegisteredMonitor::SetUp();
    m_module = LoadLibraryW(SystemFile(L"Demo80MonUI.dll").c_str());
    ASSERT_NE(m_module, nullptr);
    using Initialize = PMONITORUI(WINAPI*)();
    auto initialize = reinterpret_cast<Initialize>(
        reinterpret_cast<void*>(GetProcAddress(m_module, "InitializePrintMonitorUI")));
    ASSERT_NE(initialize, nullptr);
    m_ui = initialize();
    ASSERT_NE(m_ui, nullptr);
    EXPECT_EQ(m_ui->dwMonitorUISize, sizeof(MONITORUI));
  }
  void TearDown() override {
    if (m_module) FreeLibrary(m_module);
  }
  HMODULE m_module = nullptr;
  PMONITORUI m_ui = nullptr;
};

TEST_F(UiDll, DeletePortUiDeletesThroughXcvData) {
  ASSERT_EQ(AddPortThroughSpooler(L"Ui-Port:", kMonitor), static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_EQ(ErrorAfter(m_ui->pfnDeletePortUI(nullptr, nullptr, L"Ui-Port:")), static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_FALSE(IsListed(SpoolerPorts(1), L"Ui-Port:"));
  EXPECT_NE(ErrorAfter(m_ui->pfnDeletePortUI(nullptr, nullptr, L"Ui-Port:")), static_cast<DWORD>(ERROR_SUCCESS));
}

TEST_F(UiDll, AddPortUiAsksNothingAndIsNotSupported) {
  const size_t portsBefore = SpoolerPorts(1).size();
  PWSTR created = reinterpret_cast<PWSTR>(1);
  EXPECT_EQ(ErrorAfter(m_ui->pfnAddPortUI(nullptr, nullptr, kMonitor, &created)), static_cast<DWORD>(ERROR_NOT_SUPPORTED));
  EXPECT_EQ(created, nullptr);
  EXPECT_EQ(SpoolerPorts(1).size(), portsBefore);
}

}  // namespace
