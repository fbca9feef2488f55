// Reports what an installation left on the machine, one fact per line, for the end-to-end
// tests to compare:
//   machine_report.exe printer NAME          port=..., driver=..., then "data NAME=VALUE" lines
//   machine_report.exe printers              one printer name per line
//   machine_report.exe default-printer       the default printer's name
//   machine_report.exe service NAME          state=running|stopped|..., path=..., description=...
//   machine_report.exe shortcut LINK         target=..., directory=...
//   machine_report.exe value KEY NAME 32|64  the REG_SZ (or REG_DWORD, in decimal) value under HKEY_LOCAL_MACHINE\KEY
//   machine_report.exe driver NAME ENV       version=..., driver=..., data=..., config=... (full paths)
//   machine_report.exe monitor NAME          environment=..., dll=... of the registered monitor
//   machine_report.exe ports                 one port name per line
// Output is UTF-8; exit 1 (with a message on stderr) when the object is missing.
#include <windows.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>
#include <winspool.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/two_call.h"

namespace {

void Print(const std::wstring& line) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string utf8(size, '\0');
  WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, utf8.data(), size, nullptr, nullptr);
  std::printf("%s\n", utf8.c_str());
}

int Missing(const wchar_t* what, const std::wstring& name) {
  Print(std::wstring(L"missing ") + what + L" " + name);
  return 1;
}

std::wstring DataText(DWORD type, const BYTE* data) {
  if (type == REG_DWORD) return std::to_wstring(*reinterpret_cast<const DWORD*>(data));
  return reinterpret_cast<const wchar_t*>(data);
}

// The data values the installation writes (Wine does not enumerate printer data).
void PrintPrinterData(HANDLE printer) {
  for (const wchar_t* name : {L"SavingLog", L"IP", L"PortType", L"DevicePath", L"VidAndPid", L"UserForm", L"Language"}) {
    BYTE data[1024] = {};
    DWORD type = 0, size = 0;
    if (GetPrinterDataW(printer, const_cast<wchar_t*>(name), &type, data, sizeof data - 2, &size) == ERROR_SUCCESS) {
      Print(std::wstring(L"data ") + name + L"=" + DataText(type, data));
    }
  }
}

int ReportPrinter(const std::wstring& name) {
  HANDLE printer = nullptr;
  if (!OpenPrinterW(const_cast<wchar_t*>(name.c_str()), &printer, nullptr)) return Missing(L"printer", name);
  const platform::TwoCallBuffer read = platform::ReadByTwoCalls(
      [printer](BYTE* data, DWORD size, DWORD* needed) { return GetPrinterW(printer, 2, data, size, needed); });
  if (read.bytes.size() >= sizeof(PRINTER_INFO_2W)) {
    const auto* info = reinterpret_cast<const PRINTER_INFO_2W*>(read.bytes.data());
    Print(std::wstring(L"port=") + info->pPortName);
    Print(std::wstring(L"driver=") + info->pDriverName);
  }
  PrintPrinterData(printer);
  ClosePrinter(printer);
  return 0;
}

int ReportDriver(const std::wstring& name, std::wstring environment) {
  const auto drivers = platform::ListByTwoCalls<DRIVER_INFO_3W>([&](BYTE* data, DWORD size, DWORD* needed, DWORD* returned) {
    return EnumPrinterDriversW(nullptr, environment.data(), 3, data, size, needed, returned);
  });
  for (const DRIVER_INFO_3W& driver : drivers.Records()) {
    if (name != driver.pName) continue;
    Print(L"version=" + std::to_wstring(driver.cVersion));
    Print(std::wstring(L"driver=") + driver.pDriverPath);
    Print(std::wstring(L"data=") + driver.pDataFile);
    Print(std::wstring(L"config=") + driver.pConfigFile);
    return 0;
  }
  return Missing(L"driver", name);
}

int ReportMonitor(const std::wstring& name) {
  const auto monitors = platform::ListByTwoCalls<MONITOR_INFO_2W>(
      [](BYTE* data, DWORD size, DWORD* needed, DWORD* returned) { return EnumMonitorsW(nullptr, 2, data, size, needed, returned); });
  for (const MONITOR_INFO_2W& monitor : monitors.Records()) {
    if (name != monitor.pName) continue;
    Print(std::wstring(L"environment=") + (monitor.pEnvironment ? monitor.pEnvironment : L""));
    Print(std::wstring(L"dll=") + (monitor.pDLLName ? monitor.pDLLName : L""));
    return 0;
  }
  return Missing(L"monitor", name);
}

int ReportPorts() {
  const auto ports = platform::ListByTwoCalls<PORT_INFO_1W>(
      [](BYTE* data, DWORD size, DWORD* needed, DWORD* returned) { return EnumPortsW(nullptr, 1, data, size, needed, returned); });
  for (const PORT_INFO_1W& port : ports.Records()) Print(port.pName);
  return 0;
}

int ReportPrinters() {
  const auto printers = platform::ListByTwoCalls<PRINTER_INFO_2W>([](BYTE* data, DWORD size, DWORD* needed, DWORD* returned) {
    return EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 2, data, size, needed, returned);
  });
  for (const PRINTER_INFO_2W& printer : printers.Records()) Print(printer.pPrinterName);
  return 0;
}

int ReportDefaultPrinter() {
  wchar_t name[256] = {};
  DWORD size = 256;
  if (!GetDefaultPrinterW(name, &size)) return Missing(L"default printer", L"");
  Print(name);
  return 0;
}

const wchar_t* StateName(DWORD state) {
  switch (state) {
    case SERVICE_RUNNING: return L"running";
    case SERVICE_STOPPED: return L"stopped";
    case SERVICE_START_PENDING: return L"starting";
    default: return L"other";
  }
}

int ReportService(const std::wstring& name) {
  SC_HANDLE manager = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT);
  SC_HANDLE service = manager ? OpenServiceW(manager, name.c_str(), SERVICE_QUERY_STATUS | SERVICE_QUERY_CONFIG) : nullptr;
  if (service == nullptr) {
    if (manager) CloseServiceHandle(manager);
    return Missing(L"service", name);
  }
  SERVICE_STATUS status = {};
  QueryServiceStatus(service, &status);
  Print(std::wstring(L"state=") + StateName(status.dwCurrentState));
  BYTE config[8192] = {};
  DWORD needed = 0;
  if (QueryServiceConfigW(service, reinterpret_cast<QUERY_SERVICE_CONFIGW*>(config), sizeof config, &needed)) {
    Print(std::wstring(L"path=") + reinterpret_cast<QUERY_SERVICE_CONFIGW*>(config)->lpBinaryPathName);
  }
  BYTE description[4096] = {};
  if (QueryServiceConfig2W(service, SERVICE_CONFIG_DESCRIPTION, description, sizeof description, &needed)) {
    const wchar_t* text = reinterpret_cast<SERVICE_DESCRIPTIONW*>(description)->lpDescription;
    Print(std::wstring(L"description=") + (text ? text : L""));
  }
  CloseServiceHandle(service);
  CloseServiceHandle(manager);
  return 0;
}

int ReportShortcut(const std::wstring& link) {
  CoInitialize(nullptr);
  IShellLinkW* shellLink = nullptr;
  IPersistFile* file = nullptr;
  int result = Missing(L"shortcut", link);
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                 reinterpret_cast<void**>(&shellLink))) &&
      SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
      SUCCEEDED(file->Load(link.c_str(), STGM_READ))) {
    wchar_t target[MAX_PATH] = {}, directory[MAX_PATH] = {};
    shellLink->GetPath(target, MAX_PATH, nullptr, 0);
    shellLink->GetWorkingDirectory(directory, MAX_PATH);
    Print(std::wstring(L"target=") + target);
    Print(std::wstring(L"directory=") + directory);
    result = 0;
  }
  if (file) file->Release();
  if (shellLink) shellLink->Release();
  CoUninitialize();
  return result;
}

int ReportValue(const std::wstring& key, const std::wstring& name, const std::wstring& view) {
  const REGSAM viewFlag = view == L"64" ? KEY_WOW64_64KEY : KEY_WOW64_32KEY;
  wchar_t value[1024] = {};
  DWORD size = sizeof value - sizeof(wchar_t);
  HKEY opened = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ | viewFlag, &opened) != ERROR_SUCCESS) {
    return Missing(L"key", key);
  }
  DWORD type = 0;
  const LSTATUS status = RegQueryValueExW(opened, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
  RegCloseKey(opened);
  if (status != ERROR_SUCCESS) return Missing(L"value", name);
  if (type == REG_DWORD) {
    DWORD number = 0;
    std::memcpy(&number, value, sizeof number);
    Print(std::to_wstring(number));
    return 0;
  }
  Print(value);
  return 0;
}

}  // namespace

int main() {
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  const std::vector<std::wstring> args(arguments + 1, arguments + count);
  LocalFree(arguments);
  if (args.size() == 1 && args[0] == L"printers") return ReportPrinters();
  if (args.size() == 1 && args[0] == L"default-printer") return ReportDefaultPrinter();
  if (args.size() == 2 && args[0] == L"printer") return ReportPrinter(args[1]);
  if (args.size() == 2 && args[0] == L"service") return ReportService(args[1]);
  if (args.size() == 2 && args[0] == L"shortcut") return ReportShortcut(args[1]);
  if (args.size() == 4 && args[0] == L"value") return ReportValue(args[1], args[2], args[3]);
  if (args.size() == 3 && args[0] == L"driver") return ReportDriver(args[1], args[2]);
  if (args.size() == 2 && args[0] == L"monitor") return ReportMonitor(args[1]);
  if (args.size() == 1 && args[0] == L"ports") return ReportPorts();
  std::fprintf(stderr, "machine_report: unknown command\n");
  return 2;
}
