// Spooler steps the port monitor tests and their helper program share: the installer's calls
// (placing and registering the monitor, AddPortExW) and a printer whose data points at a target.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace portmon_test {

std::wstring BesideThisProgram(const std::wstring& name);
const wchar_t* SpoolerEnvironment();

// Copies the built pair into the system directory as "<printer>Mon.dll" and "<printer>MonUI.dll";
// returns the monitor DLL's full path, or an empty text when a copy failed.
std::wstring PlaceMonitorPair(const std::wstring& printer);

// Each returns the call's Win32 error, ERROR_SUCCESS when it succeeded.
DWORD RegisterMonitor(const std::wstring& monitor, const std::wstring& dllPath);
DWORD AddPortThroughSpooler(const std::wstring& port, const std::wstring& monitor);
DWORD AddTestPrinter(const std::wstring& printer, const std::wstring& port);
DWORD SetPrinterNumber(const std::wstring& printer, const wchar_t* name, DWORD value);
DWORD SetPrinterText(const std::wstring& printer, const wchar_t* name, const std::wstring& text);

struct ListedPort {
  std::wstring name;
  std::wstring monitor;  // level 2 only
};
// EnumPortsW at level 1 or 2; empty when the enumeration fails.
std::vector<ListedPort> SpoolerPorts(DWORD level);
bool IsListed(const std::vector<ListedPort>& ports, const std::wstring& port, const std::wstring& monitor = L"");

}  // namespace portmon_test
