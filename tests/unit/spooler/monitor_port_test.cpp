// The printer's own port made through the real port monitor (Tillvane.dll), registered the way
// the installer registers it.
#include <gtest/gtest.h>
#include <windows.h>
#include <winspool.h>

#include <string>

#include "platform/install_log.h"
#include "platform/target_windows.h"
#include "spooler/ports.h"
#include "tests/unit/support/test_files.h"

namespace {

constexpr wchar_t kMonitor[] = L"USB Printer Monitor";

std::wstring BesideThisProgram(const std::wstring& name) {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  const std::wstring program(path);
  return program.substr(0, program.find_last_of(L'\\') + 1) + name;
}

std::wstring InSystemDirectory(const std::wstring& name) {
  wchar_t path[MAX_PATH] = {};
  GetSystemDirectoryW(path, MAX_PATH);
  return std::wstring(path) + L"\\" + name;
}

// Returns the Win32 error of the first step that failed, ERROR_SUCCESS when all succeeded.
DWORD PlaceAndRegisterMonitor() {
  const std::wstring monitorDll = InSystemDirectory(L"Demo80Mon.dll");
  if (!CopyFileW(BesideThisProgram(PORTMON_MONITOR_DLL).c_str(), monitorDll.c_str(), FALSE) ||
      !CopyFileW(BesideThisProgram(PORTMON_UI_DLL).c_str(), InSystemDirectory(L"Demo80MonUI.dll").c_str(), FALSE)) {
    return GetLastError();
  }
  MONITOR_INFO_2W info{};
  info.pName = const_cast<LPWSTR>(kMonitor);
  info.pEnvironment = const_cast<LPWSTR>(sizeof(void*) == 8 ? platform::kEnvironmentX64 : platform::kEnvironmentX86);
  info.pDLLName = const_cast<LPWSTR>(monitorDll.c_str());
  return AddMonitorW(nullptr, 2, reinterpret_cast<LPBYTE>(&info)) ? ERROR_SUCCESS : GetLastError();
}

TEST(MonitorPortThroughTheMonitor, CreatesAListedPortWithoutLogRecord) {
  DeleteFileA(platform::kInstallLogPath);
  ASSERT_EQ(PlaceAndRegisterMonitor(), static_cast<DWORD>(ERROR_SUCCESS));
  const std::wstring port = spooler::FormatMonitorPortName(L"Demo80");
  ASSERT_EQ(spooler::PortExists(port.c_str()), 0);

  EXPECT_EQ(spooler::AddMonitorPort(port.c_str(), kMonitor), 1);
  EXPECT_EQ(spooler::PortExists(port.c_str()), 1);
  EXPECT_FALSE(test::FileExists(platform::kInstallLogPath));
}

}  // namespace
