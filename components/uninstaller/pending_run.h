// The run of the uninstaller after the next restart, for what cannot go while it runs (its own
// file first of all). A copy of the uninstaller in the temporary folder is recorded under
// RunOnce "DastroUninstaller"; a new installation withdraws that value.
#pragma once

#include <string>
#include <vector>

namespace uninstaller {

inline constexpr wchar_t kPendingSwitch[] = L"/pending";
inline constexpr wchar_t kPendingProgramName[] = L"DastroUninstaller.exe";
// Windows runs RunOnce commands of at most this length.
constexpr size_t kRunOnceCommandCapacity = 260;

// "\"<program>\" /pending \"<folder>\" ..."
std::wstring PendingCommand(const std::wstring& program, const std::vector<std::wstring>& folders);

// Records the run for `installFolder`, added to the folders of a run already waiting. False when
// the copy or the value cannot be written, or the command would grow too long.
bool SchedulePendingRun(const std::wstring& ownProgram, const std::wstring& installFolder);

// The pending run for one folder. A folder where a new installation has registered (it holds
// Uninstall.ini again) is left alone; otherwise the uninstaller and service programs go, then
// its empty subfolders and the folder itself.
void FinishAfterRestart(const std::wstring& installFolder);

// The pending run's own copy goes at the restart after it.
void DeleteOwnCopyAtRestart(const std::wstring& ownProgram);

}  // namespace uninstaller
