#include "components/uninstaller/system_removal.h"

#include <windows.h>

#include <algorithm>
#include <initializer_list>
#include <vector>

#include "platform/files.h"
#include "platform/link_safe_files.h"
#include "platform/processes.h"
#include "platform/registry.h"
#include "platform/services.h"
#include "system/folder_listing.h"
#include "system/install_record.h"

namespace uninstaller {
namespace {

namespace services = platform::services;
namespace files = platform::files;

constexpr DWORD kStopPollMilliseconds = 100;
constexpr int kStopPolls = 150;
constexpr DWORD kProcessExitMilliseconds = 15000;

bool IsAbsent(DWORD error) {
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

bool IsInUse(DWORD error) {
  return error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION;
}

bool QueryStatus(SC_HANDLE service, SERVICE_STATUS_PROCESS& status) {
  status = {};
  return services::QueryServiceStatusEx(service, &status);
}

bool WaitUntilStopped(SC_HANDLE service) {
  SERVICE_STATUS_PROCESS status;
  for (int poll = 0; poll < kStopPolls; ++poll) {
    if (!QueryStatus(service, status)) return false;
    if (status.dwCurrentState == SERVICE_STOPPED) return true;
    platform::processes::Sleep(kStopPollMilliseconds);
  }
  ::SetLastError(ERROR_SERVICE_REQUEST_TIMEOUT);
  return false;
}

// The service reports "stopped" a moment before its process ends and lets go of its file.
void WaitForProcessEnd(DWORD processId) {
  if (processId == 0) return;
  platform::processes::UniqueProcess process(platform::processes::OpenProcess(SYNCHRONIZE, processId));
  if (process) platform::processes::WaitForSingleObject(process.Get(), kProcessExitMilliseconds);
}

// False when the service still runs.
bool StopService(SC_HANDLE service) {
  SERVICE_STATUS_PROCESS status;
  if (!QueryStatus(service, status)) return false;
  if (status.dwCurrentState == SERVICE_STOPPED) return true;
  SERVICE_STATUS ignored;
  if (!services::ControlService(service, SERVICE_CONTROL_STOP, &ignored) &&
      ::GetLastError() != ERROR_SERVICE_NOT_ACTIVE) {
    return false;
  }
  if (!WaitUntilStopped(service)) return false;
  WaitForProcessEnd(status.dwProcessId);
  return true;
}

void DeleteFileReporting(const std::wstring& path, const std::wstring& ownProgram, RemovalReport& report) {
  if (sys::SameFileName(path, ownProgram)) {
    report.afterRestart.push_back(path);
    return;
  }
  if (files::DeleteFileW(path.c_str())) return;
  const DWORD error = ::GetLastError();
  if (IsInUse(error)) {
    report.afterRestart.push_back(path);
  } else if (!IsAbsent(error)) {
    report.Fail(ItemKind::kFile, path, error);
  }
}

// Only empty ones go; a subfolder holding files the package did not write stays.
void RemoveEmptySubfolders(const std::wstring& folder) {
  std::vector<std::wstring> subfolders;
  sys::ForEachFolderEntry(folder, [&subfolders](const WIN32_FIND_DATAW& entry) {
    if (sys::IsFolder(entry)) subfolders.push_back(entry.cFileName);
  });
  for (const std::wstring& name : subfolders) files::RemoveDirectoryW(sys::JoinPath(folder, name).c_str());
}

// True when every entry still in the folder waits for the run after the restart.
bool OnlyPendingLeft(const std::wstring& folder, const std::vector<std::wstring>& pending) {
  bool onlyPending = true;
  sys::ForEachFolderEntry(folder, [&](const WIN32_FIND_DATAW& entry) {
    const std::wstring path = sys::JoinPath(folder, entry.cFileName);
    onlyPending = onlyPending && std::any_of(pending.begin(), pending.end(), [&path](const std::wstring& waiting) {
                    return sys::SameFileName(waiting, path);
                  });
  });
  return onlyPending;
}

void DeleteKey(const std::wstring& path, REGSAM view, RemovalReport& report) {
  const LSTATUS status = platform::registry::RegDeleteKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), view);
  if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) {
    report.Fail(ItemKind::kRegistryKey, L"HKEY_LOCAL_MACHINE\\" + path, static_cast<DWORD>(status));
  }
}

}  // namespace

void RemoveService(const std::wstring& serviceName, RemovalReport& report) {
  if (serviceName.empty()) return;
  services::UniqueServiceHandle manager(services::OpenSCManagerW(SC_MANAGER_CONNECT));
  if (!manager) {
    report.Fail(ItemKind::kService, serviceName, ::GetLastError());
    return;
  }
  services::UniqueServiceHandle service(
      services::OpenServiceW(manager.Get(), serviceName.c_str(), SERVICE_STOP | SERVICE_QUERY_STATUS | DELETE));
  if (!service) {
    const DWORD error = ::GetLastError();
    if (error != ERROR_SERVICE_DOES_NOT_EXIST) report.Fail(ItemKind::kService, serviceName, error);
    return;
  }
  if (!StopService(service.Get())) report.Fail(ItemKind::kService, serviceName, ::GetLastError());
  if (!services::DeleteService(service.Get())) {
    const DWORD error = ::GetLastError();
    if (error != ERROR_SERVICE_MARKED_FOR_DELETE) report.Fail(ItemKind::kService, serviceName, error);
  }
}

void RemoveStartMenuEntries(const InstalledRecord& record, RemovalReport& report) {
  if (!record.ShortcutPath.empty() && !files::DeleteFileW(record.ShortcutPath.c_str())) {
    const DWORD error = ::GetLastError();
    if (!IsAbsent(error)) report.Fail(ItemKind::kShortcut, record.ShortcutPath, error);
  }
  if (!record.StartMenuFolder.empty() && !files::RemoveDirectoryW(record.StartMenuFolder.c_str())) {
    const DWORD error = ::GetLastError();
    if (!IsAbsent(error)) report.Fail(ItemKind::kStartMenuFolder, record.StartMenuFolder, error);
  }
}

void RemoveFolderFiles(const std::wstring& folder, std::initializer_list<const wchar_t*> names,
                       const std::wstring& ownProgram, RemovalReport& report) {
  // A folder turned into a link would aim the deletes at another place: it is left as it is.
  if (files::PathHasReparsePoint(folder)) {
    report.Fail(ItemKind::kFolder, folder, ERROR_REPARSE_TAG_INVALID);
    return;
  }
  for (const wchar_t* name : names) DeleteFileReporting(sys::JoinPath(folder, name), ownProgram, report);
  RemoveEmptySubfolders(folder);
  if (files::RemoveDirectoryW(folder.c_str()) || IsAbsent(::GetLastError())) return;
  const DWORD error = ::GetLastError();
  if (!report.afterRestart.empty() && OnlyPendingLeft(folder, report.afterRestart)) {
    report.afterRestart.push_back(folder);
  } else {
    report.Fail(ItemKind::kFolder, folder, error);  // it holds files the package did not write
  }
}

void RemoveRegistryRecord(const InstalledRecord& record, RemovalReport& report) {
  DeleteKey(sys::UninstallEntryPath(record.PrinterName), 0, report);
  DeleteKey(sys::ProductKeyPath(record.ConfiguredPrinterName), KEY_WOW64_64KEY, report);
}

}  // namespace uninstaller
