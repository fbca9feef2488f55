#include "tests/unit/portmon/spooler_steps.h"

#include <winspool.h>

#include "components/portmon/printer_settings.h"

namespace portmon_test {
namespace {

constexpr wchar_t kTestDriver[] = L"Tillvane Test Driver";

std::wstring SystemDirectory() {
  wchar_t path[MAX_PATH] = {};
  GetSystemDirectoryW(path, MAX_PATH);
  return path;
}

DWORD ResultOf(BOOL succeeded) { return succeeded ? ERROR_SUCCESS : GetLastError(); }

// The driver files need not exist: the tests only need a printer that carries data values.
DWORD EnsureTestDriver() {
  DRIVER_INFO_2W driver{};
  driver.cVersion = 3;
  driver.pName = const_cast<LPWSTR>(kTestDriver);
  driver.pEnvironment = const_cast<LPWSTR>(SpoolerEnvironment());
  driver.pDriverPath = const_cast<LPWSTR>(L"TillvaneTestDrv.dll");
  driver.pDataFile = const_cast<LPWSTR>(L"TillvaneTest.pcd");
  driver.pConfigFile = const_cast<LPWSTR>(L"TillvaneTestUI.dll");
  return ResultOf(AddPrinterDriverW(nullptr, 2, reinterpret_cast<LPBYTE>(&driver)));
}

DWORD SetPrinterValue(const std::wstring& printer, const wchar_t* name, DWORD type, const void* data, DWORD size) {
  portmon::UniquePrinter handle;
  PRINTER_DEFAULTSW defaults{nullptr, nullptr, PRINTER_ALL_ACCESS};
  HANDLE opened = nullptr;
  if (!OpenPrinterW(const_cast<LPWSTR>(printer.c_str()), &opened, &defaults)) return GetLastError();
  handle.Attach(opened);
  return SetPrinterDataW(handle.Get(), const_cast<LPWSTR>(name), type, static_cast<LPBYTE>(const_cast<void*>(data)),
                         size);
}

}  // namespace

std::wstring BesideThisProgram(const std::wstring& name) {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path);
  return folder.substr(0, folder.find_last_of(L'\\') + 1) + name;
}

const wchar_t* SpoolerEnvironment() {
#ifdef _WIN64
  return L"Windows x64";
#else
  return L"Windows NT x86";
#endif
}

std::wstring PlaceMonitorPair(const std::wstring& printer) {
  const std::wstring monitorPath = SystemDirectory() + L"\\" + printer + L"Mon.dll";
  const std::wstring uiPath = SystemDirectory() + L"\\" + printer + L"MonUI.dll";
  if (!CopyFileW(BesideThisProgram(PORTMON_MONITOR_DLL).c_str(), monitorPath.c_str(), FALSE) ||
      !CopyFileW(BesideThisProgram(PORTMON_UI_DLL).c_str(), uiPath.c_str(), FALSE)) {
    return {};
  }
  return monitorPath;
}

DWORD RegisterMonitor(const std::wstring& monitor, const std::wstring& dllPath) {
  MONITOR_INFO_2W info{};
  info.pName = const_cast<LPWSTR>(monitor.c_str());
  info.pEnvironment = const_cast<LPWSTR>(SpoolerEnvironment());
  info.pDLLName = const_cast<LPWSTR>(dllPath.c_str());
  return ResultOf(AddMonitorW(nullptr, 2, reinterpret_cast<LPBYTE>(&info)));
}

DWORD AddPortThroughSpooler(const std::wstring& port, const std::wstring& monitor) {
  using AddPortExFunction = BOOL(WINAPI*)(LPWSTR, DWORD, LPBYTE, LPWSTR);
  HMODULE spooler = LoadLibraryW(L"winspool.drv");
  auto addPortEx = reinterpret_cast<AddPortExFunction>(
      reinterpret_cast<void*>(GetProcAddress(spooler, "AddPortExW")));
  if (!addPortEx) return ERROR_PROC_NOT_FOUND;
  PORT_INFO_1W info{const_cast<LPWSTR>(port.c_str())};
  return ResultOf(addPortEx(nullptr, 1, reinterpret_cast<LPBYTE>(&info), const_cast<LPWSTR>(monitor.c_str())));
}

DWORD AddTestPrinter(const std::wstring& printer, const std::wstring& port) {
  if (DWORD error = EnsureTestDriver()) return error;
  PRINTER_INFO_2W info{};
  info.pPrinterName = const_cast<LPWSTR>(printer.c_str());
  info.pPortName = const_cast<LPWSTR>(port.c_str());
  info.pDriverName = const_cast<LPWSTR>(kTestDriver);
  info.pPrintProcessor = const_cast<LPWSTR>(L"WinPrint");
  info.pDatatype = const_cast<LPWSTR>(L"RAW");
  portmon::UniquePrinter added(AddPrinterW(nullptr, 2, reinterpret_cast<LPBYTE>(&info)));
  return added ? ERROR_SUCCESS : GetLastError();
}

DWORD SetPrinterNumber(const std::wstring& printer, const wchar_t* name, DWORD value) {
  return SetPrinterValue(printer, name, REG_DWORD, &value, sizeof(value));
}

DWORD SetPrinterText(const std::wstring& printer, const wchar_t* name, const std::wstring& text) {
  return SetPrinterValue(printer, name, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

std::vector<ListedPort> SpoolerPorts(DWORD level) {
  DWORD needed = 0;
  DWORD count = 0;
  EnumPortsW(nullptr, level, nullptr, 0, &needed, &count);
  std::vector<BYTE> buffer(needed);
  if (!EnumPortsW(nullptr, level, buffer.data(), needed, &needed, &count)) return {};
  std::vector<ListedPort> ports;
  for (DWORD index = 0; index < count; ++index) {
    if (level == 1) {
      ports.push_back({reinterpret_cast<PORT_INFO_1W*>(buffer.data())[index].pName, L""});
    } else {
      const PORT_INFO_2W& info = reinterpret_cast<PORT_INFO_2W*>(buffer.data())[index];
      ports.push_back({info.pPortName, info.pMonitorName ? info.pMonitorName : L""});
    }
  }
  return ports;
}

bool IsListed(const std::vector<ListedPort>& ports, const std::wstring& port, const std::wstring& monitor) {
  for (const ListedPort& listed : ports) {
    if (listed.name == port && (monitor.empty() || listed.monitor == monitor)) return true;
  }
  return false;
}

}  // namespace portmon_test
