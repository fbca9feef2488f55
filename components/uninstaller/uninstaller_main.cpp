// Uninstaller.exe: removes the installation recorded in its folder (or in the folder given).
//   Uninstaller.exe [/quiet] [install folder]
//   Uninstaller.exe /pending <install folder>...   (recorded by itself under RunOnce)
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "components/uninstaller/installed_record.h"
#include "components/uninstaller/messages.h"
#include "components/uninstaller/pending_run.h"
#include "components/uninstaller/uninstall.h"
#include "platform/files.h"
#include "platform/installation_lock.h"

namespace {

using namespace uninstaller;

std::vector<std::wstring> Arguments() {
  int count = 0;
  wchar_t** arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  if (arguments == nullptr) return {};
  std::vector<std::wstring> result(arguments + 1, arguments + count);
  ::LocalFree(arguments);
  return result;
}

std::wstring OwnProgram() {
  wchar_t path[MAX_PATH] = {};
  const DWORD length = platform::files::GetModuleFileNameW(nullptr, path, MAX_PATH);
  return length > 0 && length < MAX_PATH ? path : L"";
}

std::wstring FolderOf(const std::wstring& path) { return path.substr(0, path.rfind(L'\\')); }

int RunPending(const CommandLine& commandLine, const std::wstring& ownProgram) {
  for (const std::wstring& folder : commandLine.folders) FinishAfterRestart(folder);
  DeleteOwnCopyAtRestart(ownProgram);
  return kExitRemoved;
}

int RunRemoval(const CommandLine& commandLine, const std::wstring& ownProgram) {
  const std::wstring folder = commandLine.folders.empty() ? FolderOf(ownProgram) : commandLine.folders.front();
  InstalledRecord record;
  if (ReadInstalledRecord(folder, record) != RecordState::kFound) {
    if (!commandLine.quiet) ::MessageBoxW(nullptr, NothingRecordedText(folder).c_str(), L"Uninstaller", MB_ICONWARNING);
    return kExitNothingRecorded;
  }
  const std::wstring caption = CaptionText(record);
  if (!commandLine.quiet &&
      ::MessageBoxW(nullptr, ConfirmationText(record).c_str(), caption.c_str(), MB_YESNO | MB_ICONQUESTION) != IDYES) {
    return kExitCancelled;
  }
  const RemovalReport report = RemoveInstallation(record, ownProgram);
  if (!commandLine.quiet) {
    ::MessageBoxW(nullptr, ResultText(record, report).c_str(), caption.c_str(),
                  report.AllRemoved() ? MB_ICONINFORMATION : MB_ICONWARNING);
  }
  return ExitCodeOfRemoval(report, ownProgram, record.InstallFolder);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, wchar_t*, int) {
  const CommandLine commandLine = ParseCommandLine(Arguments());
  const std::wstring ownProgram = OwnProgram();
  if (commandLine.pending) return RunPending(commandLine, ownProgram);
  // Never beside an installation or another removal: they share the spooler and the files.
  const platform::InstallationLock lock;
  if (!lock.Acquired()) {
    if (!commandLine.quiet) ::MessageBoxW(nullptr, AnotherInstallationText().c_str(), L"Uninstaller", MB_ICONWARNING);
    return kExitAnotherInstallation;
  }
  return RunRemoval(commandLine, ownProgram);
}
