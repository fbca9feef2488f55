#include "spooler/monitor_install.h"

#include <windows.h>
#include <winspool.h>

#include <optional>

#include "package/install_log.h"
#include "platform/code_page.h"
#include "platform/files.h"
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
  package::WriteInstallLog("GetSystemDirectory = %d\r\n", length == 0 ? static_cast<int>(::GetLastError()) : 0);
  return std::nullopt;
}

void MoveMonitorFile(const std::string& installFolder, const std::string& target, const MonitorFile& file,
                     bool is64Bit) {
  std::string source = installFolder + "\\" + file.source;
  if (is64Bit) source += ".x64";
  platform::files::CopyFileA(source.c_str(), target.c_str(), FALSE);
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

}  // namespace

int IsWow64() {
  // The 64-bit build always takes the 64-bit variant: it runs on 64-bit Windows only.
  if constexpr (platform::wow64::kIs64BitBuild) return 1;
  BOOL isWow64 = FALSE;
  platform::wow64::IsWow64Process(&isWow64);
  return isWow64 ? 1 : 0;
}

std::optional<std::wstring> PlaceMonitorFiles(const std::string& installFolder, const std::string& printerName,
                                              bool is64Bit) {
  std::optional<platform::wow64::FsRedirectionOff> redirectionOff;
  if (is64Bit) redirectionOff.emplace();
  const std::optional<std::string> systemDirectory = SystemDirectory();
  if (!systemDirectory) return std::nullopt;
  for (const MonitorFile& file : kMonitorFiles) {
    const std::string target = *systemDirectory + "\\" + printerName + file.suffix + ".dll";
    MoveMonitorFile(installFolder, target, file, is64Bit);
  }
  redirectionOff.reset();
  std::wstring monitorDllPath;
  platform::AnsiToWide(*systemDirectory + "\\" + printerName + "Mon.dll", monitorDllPath);
  return monitorDllPath;
}

int AddPortMonitorX86(const std::wstring& monitorDllPath, const wchar_t* monitorName) {
  const std::optional<DWORD> error = RegisterMonitor(kEnvironmentX86, monitorDllPath, monitorName);
  if (!error || *error == ERROR_PRINT_MONITOR_ALREADY_INSTALLED) return 1;
  package::WriteInstallLog("AddPrinterMonitor32 = %d\r\n", static_cast<int>(*error));
  return 0;
}

int AddPortMonitorX64(const std::wstring& monitorDllPath, const wchar_t* monitorName) {
  const std::optional<DWORD> error = RegisterMonitor(kEnvironmentX64, monitorDllPath, monitorName);
  if (!error) return 1;
  // Logged even when the monitor was there already.
  package::WriteInstallLog("AddPrinterMonitor64 Error=%d\r\n", static_cast<int>(*error));
  return *error == ERROR_PRINT_MONITOR_ALREADY_INSTALLED ? 1 : 0;
}

}  // namespace spooler
