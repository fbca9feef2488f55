#include "components/uninstaller/spooler_removal.h"

#include <windows.h>
#include <winspool.h>

#include <algorithm>
#include <vector>

#include "platform/files.h"
#include "platform/printers.h"
#include "platform/spooler.h"
#include "platform/target_windows.h"
#include "platform/two_call.h"
#include "spooler/ports.h"
#include "system/install_record.h"

namespace uninstaller {
namespace {

namespace spooler_api = platform::spooler;
using sys::SameFileName;

// Whichever Windows the installer targeted.
constexpr const wchar_t* kEnvironments[] = {platform::kEnvironmentX86, platform::kEnvironmentX64};

bool SameText(const wchar_t* text, const std::wstring& other) {
  return text != nullptr && SameFileName(text, other);
}

platform::TwoCallList<PRINTER_INFO_2W> LocalPrinters() {
  return platform::ListByTwoCalls<PRINTER_INFO_2W>([](BYTE* buffer, DWORD size, DWORD* needed, DWORD* returned) {
    return platform::printers::EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 2, buffer, size, needed, returned);
  });
}

platform::TwoCallList<DRIVER_INFO_3W> Drivers(const wchar_t* environment) {
  return platform::ListByTwoCalls<DRIVER_INFO_3W>(
      [environment](BYTE* buffer, DWORD size, DWORD* needed, DWORD* returned) {
        return spooler_api::EnumPrinterDriversW(environment, 3, buffer, size, needed, returned);
      });
}

void DeletePrinterNamed(const wchar_t* name, RemovalReport& report) {
  HANDLE opened = nullptr;
  const BOOL isOpen = spooler_api::OpenPrinterW(name, &opened, PRINTER_ALL_ACCESS);
  spooler_api::UniquePrinter printer(opened);
  if (isOpen && spooler_api::DeletePrinter(printer.Get())) return;
  const DWORD error = ::GetLastError();
  report.Fail(ItemKind::kPrinter, name, error);
}

bool PortInUse(const std::wstring& port) {
  const auto printers = LocalPrinters();
  const auto records = printers.Records();
  return std::any_of(records.begin(), records.end(),
                     [&port](const PRINTER_INFO_2W& printer) { return SameText(printer.pPortName, port); });
}

// The files a driver names: the rendering DLL, the data file and the UI DLL.
std::vector<std::wstring> FilesOf(const DRIVER_INFO_3W& driver) {
  std::vector<std::wstring> files;
  for (const wchar_t* file : {driver.pDriverPath, driver.pDataFile, driver.pConfigFile}) {
    if (file != nullptr && *file != L'\0') files.push_back(file);
  }
  return files;
}

bool UsedByAnyDriver(const std::wstring& file, const wchar_t* environment) {
  const auto drivers = Drivers(environment);
  const auto records = drivers.Records();
  return std::any_of(records.begin(), records.end(), [&file](const DRIVER_INFO_3W& driver) {
    const std::vector<std::wstring> used = FilesOf(driver);
    return std::any_of(used.begin(), used.end(), [&file](const std::wstring& path) { return SameFileName(path, file); });
  });
}

// Where the installer placed the driver files before adding the driver: the driver directory
// of this (32-bit) process, whatever the driver's environment.
std::wstring PlacedCopyOf(const std::wstring& file) {
  wchar_t directory[MAX_PATH] = {};
  DWORD needed = 0;
  if (!platform::printers::GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(directory),
                                                      sizeof(directory), &needed)) {
    return {};
  }
  return sys::JoinPath(directory, file.substr(file.rfind(L'\\') + 1));
}

void DeleteDriverFile(const std::wstring& path, RemovalReport& report) {
  if (path.empty() || !platform::files::PathExists(path.c_str())) return;
  if (platform::files::DeleteFileW(path.c_str())) return;
  const DWORD error = ::GetLastError();
  report.Fail(ItemKind::kDriverFile, path, error);
}

bool DeleteDriverIn(const wchar_t* environment, const std::wstring& driverName) {
  if (spooler_api::DeletePrinterDriverExW(environment, driverName.c_str(), DPD_DELETE_UNUSED_FILES, 0)) return true;
  // Wine refuses DPD_DELETE_UNUSED_FILES with ERROR_INVALID_PARAMETER and keeps the files;
  // they then go by hand below.
  return ::GetLastError() == ERROR_INVALID_PARAMETER &&
         spooler_api::DeletePrinterDriverExW(environment, driverName.c_str(), 0, 0);
}

void RemoveDriverIn(const wchar_t* environment, const std::wstring& driverName, RemovalReport& report) {
  const auto drivers = Drivers(environment);
  const auto records = drivers.Records();
  const auto ours = std::find_if(records.begin(), records.end(),
                                 [&](const DRIVER_INFO_3W& driver) { return SameText(driver.pName, driverName); });
  if (ours == records.end()) return;
  const std::vector<std::wstring> files = FilesOf(*ours);
  if (!DeleteDriverIn(environment, driverName)) {
    const DWORD error = ::GetLastError();
    report.Fail(ItemKind::kDriver, driverName, error);
    return;
  }
  for (const std::wstring& file : files) {
    if (UsedByAnyDriver(file, environment)) continue;
    DeleteDriverFile(file, report);
    DeleteDriverFile(PlacedCopyOf(file), report);
  }
}

}  // namespace

void RemovePrinters(const std::wstring& driverName, RemovalReport& report) {
  const auto printers = LocalPrinters();
  for (const PRINTER_INFO_2W& printer : printers.Records()) {
    if (SameText(printer.pDriverName, driverName)) DeletePrinterNamed(printer.pPrinterName, report);
  }
}

void RemoveOwnPort(const InstalledRecord& record, RemovalReport& report) {
  const std::wstring& port = record.PortName;
  if (port.empty() || port != spooler::FormatMonitorPortName(record.PrinterName.c_str())) return;
  if (!spooler::PortExists(port.c_str()) || PortInUse(port)) return;
  if (spooler_api::DeletePortW(port.c_str())) return;
  const DWORD error = ::GetLastError();
  report.Fail(ItemKind::kPort, port, error);
}

void RemoveDriver(const std::wstring& driverName, RemovalReport& report) {
  if (driverName.empty()) return;
  for (const wchar_t* environment : kEnvironments) RemoveDriverIn(environment, driverName, report);
}

}  // namespace uninstaller
