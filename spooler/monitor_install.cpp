#include "spooler/monitor_install.h"

#include <windows.h>
#include <winspool.h>

#include <optional>

#include "platform/code_page.h"
#include "platform/files.h"
#include "platform/install_log.h"
#include "platform/printers.h"
#include "platform/wow64.h"

namespace spooler {
namespace {

constexpr UINT kSystemDirectoryCapacity = 256;

struct MonitorFile {
  const char* source;
  const char* suffix;
};
constexpr MonitorFile kMonitorFiles[] = {{"Tillvane.dll", "Mon"}, {"TillvaneUI.dll", "MonUI"}};

std::optional<std::string> SystemDirectory() {
  char directory[kSystemDirectoryCapacity] = {};
  const UINT length = platform::files::GetSystemDirectoryA(directory, kSystemDirectoryCapacity);
  if (length > 0 && length < kSystemDirectoryCapacity) return std::string(directory);
  platform::WriteInstallLog("GetSystemDirectory = %d\r\n", length == 0 ? static_cast<int>(::GetLastError()) : 0);
  return std::nullopt;
}

void MoveMonitorFile(const std::string& installFolder, const std::string& placed, const MonitorFile& file,
                     const platform::TargetWindows& target) {
  const std::string source = target.BuildOf(installFolder + "\\" + file.source);
  platform::files::CopyFileA(source.c_str(), placed.c_str(), FALSE);
  platform::files::DeleteFileA(source.c_str());
}

// AddMonitorW at level 2; the error code on failure, or nothing.
std::optional<DWORD> RegisterMonitor(const wchar_t* environment, const std::wstring& monitorDllPath,
                                     const wchar_t* monitorName) {
  std::wstring name(monitorName);
  MONITOR_INFO_2W info = {};
  info.pName = name.data();
  info.pEnvironment = const_cast<wchar_t*>(environment);
  info.pDLLName = const_cast<wchar_t*>(monitorDllPath.c_str());
  if (platform::printers::AddMonitorW(nullptr, 2, reinterpret_cast<BYTE*>(&info))) return std::nullopt;
  return ::GetLastError();
}

int AddPortMonitorX86(const std::wstring& monitorDllPath, const wchar_t* monitorName) {
  const std::optional<DWORD> error = RegisterMonitor(platform::kEnvironmentX86, monitorDllPath, monitorName);
  if (!error || *error == ERROR_PRINT_MONITOR_ALREADY_INSTALLED) return 1;
  platform::WriteInstallLog("AddPrinterMonitor32 = %d\r\n", static_cast<int>(*error));
  return 0;
}

int AddPortMonitorX64(const std::wstring& monitorDllPath, const wchar_t* monitorName) {
  const std::optional<DWORD> error = RegisterMonitor(platform::kEnvironmentX64, monitorDllPath, monitorName);
  if (!error) return 1;
  // Logged even when the monitor was there already.
  platform::WriteInstallLog("AddPrinterMonitor64 Error=%d\r\n", static_cast<int>(*error));
  return *error == ERROR_PRINT_MONITOR_ALREADY_INSTALLED ? 1 : 0;
}

}  // namespace

std::optional<std::wstring> PlaceMonitorFiles(const std::string& installFolder, const std::string& printerName,
                                              const platform::TargetWindows& target) {
  // The monitor belongs in the native system directory, which a redirected process cannot see.
  std::optional<platform::wow64::FsRedirectionOff> redirectionOff;
  if (target.redirected) redirectionOff.emplace();
  const std::optional<std::string> systemDirectory = SystemDirectory();
  if (!systemDirectory) return std::nullopt;
  for (const MonitorFile& file : kMonitorFiles) {
    const std::string placed = *systemDirectory + "\\" + printerName + file.suffix + ".dll";
    MoveMonitorFile(installFolder, placed, file, target);
  }
  redirectionOff.reset();
  std::wstring monitorDllPath;
  platform::AnsiToWide(*systemDirectory + "\\" + printerName + "Mon.dll", monitorDllPath);
  return monitorDllPath;
}

int AddPortMonitor(const std::wstring& monitorDllPath, const wchar_t* monitorName,
                   const platform::TargetWindows& target) {
  return target.x64Builds ? AddPortMonitorX64(monitorDllPath, monitorName)
                          : AddPortMonitorX86(monitorDllPath, monitorName);
}

}  // namespace spooler
