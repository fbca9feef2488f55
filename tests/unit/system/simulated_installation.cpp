#include "tests/unit/system/simulated_installation.h"

#include <windows.h>
#include <shlobj.h>
#include <winspool.h>


#include "platform/target_windows.h"
#include "platform/two_call.h"
#include "system/printer_service.h"
#include "system/shortcut.h"
#include "tests/unit/system/system_test_support.h"

namespace test {
namespace {

constexpr wchar_t kDemoRoot[] = L"C:\\Program Files\\Demo";

BOOL EnumLocalPrinters(BYTE* buffer, DWORD size, DWORD* needed, DWORD* count) {
  return EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 2, buffer, size, needed, count);
}
BOOL EnumLocalPorts(BYTE* buffer, DWORD size, DWORD* needed, DWORD* count) {
  return EnumPortsW(nullptr, 1, buffer, size, needed, count);
}
BOOL EnumDrivers(BYTE* buffer, DWORD size, DWORD* needed, DWORD* count) {
  return EnumPrinterDriversW(nullptr, nullptr, 1, buffer, size, needed, count);
}

template <typename Record>
bool Listed(BOOL (*call)(BYTE*, DWORD, DWORD*, DWORD*), const wchar_t* name, wchar_t* Record::*field) {
  const platform::TwoCallList<Record> records = platform::ListByTwoCalls<Record>(call);
  for (const Record& record : records.Records()) {
    if (wcscmp(record.*field, name) == 0) return true;
  }
  return false;
}

std::wstring DriverDirectory() {
  wchar_t directory[MAX_PATH] = {};
  DWORD needed = 0;
  GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(directory), sizeof(directory), &needed);
  return directory;
}

bool XcvPortCommand(const wchar_t* command, const wchar_t* port) {
  HANDLE xcv = nullptr;
  PRINTER_DEFAULTSW defaults = {nullptr, nullptr, SERVER_ACCESS_ADMINISTER};
  if (!OpenPrinterW(const_cast<wchar_t*>(L",XcvMonitor Local Port"), &xcv, &defaults)) return false;
  DWORD needed = 0;
  DWORD status = 0;
  const BOOL sent = XcvDataW(xcv, command, reinterpret_cast<BYTE*>(const_cast<wchar_t*>(port)),
                             static_cast<DWORD>((wcslen(port) + 1) * sizeof(wchar_t)), nullptr, 0, &needed, &status);
  ClosePrinter(xcv);
  return sent && status == ERROR_SUCCESS;
}

void DeletePrinterNamed(const wchar_t* name) {
  HANDLE printer = nullptr;
  PRINTER_DEFAULTSW defaults = {nullptr, nullptr, PRINTER_ALL_ACCESS};
  if (!OpenPrinterW(const_cast<wchar_t*>(name), &printer, &defaults)) return;
  DeletePrinter(printer);
  ClosePrinter(printer);
}

}  // namespace

SimulatedInstallation::SimulatedInstallation() {
  m_registration.PrinterName = kDemoPrinter;
  m_registration.ConfiguredPrinterName = kDemoPrinter;
  m_registration.DriverName = kDemoDriver;
  m_registration.MonitorName = L"Local Port";
  m_registration.PortName = kDemoPort;
  m_registration.ChosenFolder = kDemoRoot;
  m_registration.InstallFolder = std::wstring(kDemoRoot) + L"\\Demo80";
  m_registration.StartMenuFolder = SpecialFolder(CSIDL_STARTMENU) + L"\\Demo80 Driver";
  m_registration.ShortcutPath = m_registration.StartMenuFolder + L"\\Uninstall Printer Driver.lnk";
  RemoveLeftovers();
}

SimulatedInstallation::~SimulatedInstallation() { RemoveLeftovers(); }

bool SimulatedInstallation::Install() {
  MakeFolders(InFolder(L"Inf"));
  CopyFileW(WindowsPath(UNINSTALLER_PROGRAM).c_str(), InFolder(L"Uninstaller.exe").c_str(), FALSE);
  CopyFileW(WindowsPath(SERVICE_PROGRAM).c_str(), InFolder(L"MerrowPrinterService.exe").c_str(), FALSE);
  MakeFolders(m_registration.StartMenuFolder);
  sys::CreateUninstallShortcut(InFolder(L"Uninstaller.exe").c_str(), m_registration.ShortcutPath.c_str());
  if (!CreateLocalPort(kDemoPort) || !CreateDriver(kDemoDriver) || !CreatePrinter(kDemoPrinter, kDemoPort, kDemoDriver)) {
    return false;
  }
  sys::RegisterUninstall(m_registration, platform::DescribeTargetWindows());
  sys::InstallPrinterService(Folder().c_str());
  return WaitForServiceState(kDemoService, SERVICE_RUNNING);
}

bool SimulatedInstallation::CreateLocalPort(const wchar_t* port) { return XcvPortCommand(L"AddPort", port); }

bool SimulatedInstallation::CreateDriver(const wchar_t* driver) {
  const std::wstring prefix = std::wstring(driver).substr(0, std::wstring(driver).find(L' '));
  const std::wstring files[] = {DriverFile((prefix + L"Drv.dll").c_str()), DriverFile((prefix + L"GPC.pcd").c_str()),
                                DriverFile((prefix + L"UI.dll").c_str())};
  for (const std::wstring& file : files) MakeFile(file, "driver file");
  DRIVER_INFO_3W info = {};
  info.cVersion = 3;
  info.pName = const_cast<wchar_t*>(driver);
  info.pDriverPath = const_cast<wchar_t*>(files[0].c_str());
  info.pDataFile = const_cast<wchar_t*>(files[1].c_str());
  info.pConfigFile = const_cast<wchar_t*>(files[2].c_str());
  return AddPrinterDriverW(nullptr, 3, reinterpret_cast<BYTE*>(&info));
}

bool SimulatedInstallation::CreatePrinter(const wchar_t* printer, const wchar_t* port, const wchar_t* driver) {
  PRINTER_INFO_2W info = {};
  info.pPrinterName = const_cast<wchar_t*>(printer);
  info.pPortName = const_cast<wchar_t*>(port);
  info.pDriverName = const_cast<wchar_t*>(driver);
  info.pPrintProcessor = const_cast<wchar_t*>(L"WinPrint");
  info.pDatatype = const_cast<wchar_t*>(L"RAW");
  info.Attributes = PRINTER_ATTRIBUTE_DEFAULT;
  HANDLE added = AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&info));
  if (added == nullptr) return false;
  ClosePrinter(added);
  return true;
}

bool SimulatedInstallation::PrinterExists(const wchar_t* printer) {
  return Listed<PRINTER_INFO_2W>(EnumLocalPrinters, printer, &PRINTER_INFO_2W::pPrinterName);
}

bool SimulatedInstallation::PortExists(const wchar_t* port) {
  return Listed<PORT_INFO_1W>(EnumLocalPorts, port, &PORT_INFO_1W::pName);
}

bool SimulatedInstallation::DriverExists(const wchar_t* driver) {
  return Listed<DRIVER_INFO_1W>(EnumDrivers, driver, &DRIVER_INFO_1W::pName);
}

std::wstring SimulatedInstallation::DriverFile(const wchar_t* name) { return DriverDirectory() + L"\\" + name; }

void SimulatedInstallation::RemoveLeftovers() {
  StopAndDeleteService(kDemoService);
  for (const wchar_t* printer : {L"Demo80", L"Demo80 (1)", L"Office"}) DeletePrinterNamed(printer);
  for (const wchar_t* driver : {kDemoDriver, L"Office Driver"}) {
    DeletePrinterDriverW(nullptr, nullptr, const_cast<wchar_t*>(driver));
  }
  XcvPortCommand(L"DeletePort", kDemoPort);
  RemoveTree(kDemoRoot);
  RemoveTree(m_registration.StartMenuFolder);
  DeleteKey(L"SOFTWARE\\Demo80", KEY_WOW64_64KEY);
  DeleteKey(L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Demo80", 0);
  HKEY runOnce = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce", 0, KEY_SET_VALUE,
                    &runOnce) == ERROR_SUCCESS) {
    RegDeleteValueW(runOnce, L"DastroUninstaller");
    RegCloseKey(runOnce);
  }
}

}  // namespace test
