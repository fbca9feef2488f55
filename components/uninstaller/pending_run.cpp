#include "components/uninstaller/pending_run.h"

#include <windows.h>

#include "components/uninstaller/removal_report.h"
#include "components/uninstaller/system_removal.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "system/install_record.h"

namespace uninstaller {
namespace {

namespace registry = platform::registry;
using sys::kRunOnceKey;
using sys::kPendingUninstallValue;

std::wstring Quoted(const std::wstring& text) { return L"\"" + text + L"\""; }

std::wstring PendingProgramPath() {
  wchar_t folder[MAX_PATH + 1] = {};
  const DWORD length = platform::files::GetTempPathW(MAX_PATH + 1, folder);
  if (length == 0 || length > MAX_PATH) return {};
  return std::wstring(folder) + kPendingProgramName;
}

std::wstring ReadPendingCommand(HKEY runOnce) {
  wchar_t text[kRunOnceCommandCapacity + 1] = {};
  DWORD type = 0;
  DWORD size = sizeof(text) - sizeof(wchar_t);
  if (registry::RegQueryValueExW(runOnce, kPendingUninstallValue, &type, reinterpret_cast<BYTE*>(text), &size) !=
          ERROR_SUCCESS ||
      type != REG_SZ) {
    return {};
  }
  return text;
}

// A waiting run of the same copy keeps its folders; anything else is replaced.
std::wstring NextCommand(const std::wstring& waiting, const std::wstring& program, const std::wstring& folder) {
  if (waiting.rfind(PendingCommand(program, {}), 0) != 0) return PendingCommand(program, {folder});
  if (waiting.find(Quoted(folder)) != std::wstring::npos) return waiting;
  return waiting + L" " + Quoted(folder);
}

bool WritePendingCommand(const std::wstring& program, const std::wstring& folder) {
  const registry::UniqueKey runOnce =
      registry::CreateKey(HKEY_LOCAL_MACHINE, kRunOnceKey, KEY_QUERY_VALUE | KEY_SET_VALUE);
  if (!runOnce) return false;
  const std::wstring command = NextCommand(ReadPendingCommand(runOnce.Get()), program, folder);
  if (command.size() >= kRunOnceCommandCapacity) {
    ::SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return false;
  }
  const LSTATUS status = registry::SetStringValue(runOnce.Get(), kPendingUninstallValue, command);
  ::SetLastError(static_cast<DWORD>(status));
  return status == ERROR_SUCCESS;
}

}  // namespace

std::wstring PendingCommand(const std::wstring& program, const std::vector<std::wstring>& folders) {
  std::wstring command = Quoted(program) + L" " + kPendingSwitch;
  for (const std::wstring& folder : folders) command += L" " + Quoted(folder);
  return command;
}

bool SchedulePendingRun(const std::wstring& ownProgram, const std::wstring& installFolder) {
  const std::wstring program = PendingProgramPath();
  if (program.empty() || !platform::files::CopyFileW(ownProgram.c_str(), program.c_str(), FALSE)) return false;
  return WritePendingCommand(program, installFolder);
}

void FinishAfterRestart(const std::wstring& installFolder) {
  const std::wstring profile = sys::JoinPath(installFolder, sys::kUninstallIniName);
  if (platform::files::PathExists(profile.c_str())) return;
  RemovalReport ignored;
  RemoveFolderFiles(installFolder, {sys::kUninstallerFileName, sys::kServiceProgramName}, L"",
                    ignored);
}

void DeleteOwnCopyAtRestart(const std::wstring& ownProgram) {
  platform::files::MoveFileExW(ownProgram.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
}

}  // namespace uninstaller
