// Tidies the install folder when the wizard closes: the package's files go once the spooler
// steps have copied what they need; the uninstaller, its profile file and the service program
// stay, and so does every file the package did not write.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace sys {

// "Uninstaller.exe", "Uninstall.ini" and "MerrowPrinterService.exe", in any letter case.
bool IsKeptFile(std::wstring_view fileName);

// The record of what staging wrote into the install folder: the plain files that are new, or
// were written again, between BeforeStaging and AfterStaging. The installation worker takes
// both notes around staging; until AfterStaging the record is empty and the clean-up deletes
// nothing, which covers a wizard closed before any installation ran.
class StagedFiles {
 public:
  void BeforeStaging(std::wstring_view installFolder);
  void AfterStaging();

  const std::wstring& Folder() const { return m_folder; }
  bool Contains(std::wstring_view fileName) const;
  bool IsEmpty() const { return m_written.empty(); }

 private:
  struct FileState {
    std::wstring name;
    FILETIME lastWrite;
  };
  static std::vector<FileState> ListPlainFiles(std::wstring_view folder);
  bool WasUnchanged(const FileState& file) const;

  std::wstring m_folder;
  std::vector<FileState> m_before;
  std::vector<std::wstring> m_written;
};

// Bytes of the files CleanInstallFolder would leave in `installFolder`, subfolders included.
uint64_t KeptBytes(const wchar_t* installFolder, const StagedFiles& staged);
// Bytes of the files directly in `folder` whose names begin with `prefix` (letter case aside).
uint64_t BytesOfFilesNamed(std::wstring_view folder, std::wstring_view prefix);

// Deletes the plain files of `installFolder` that `staged` records for that same folder, except
// the kept ones. Subfolders are neither entered nor deleted; failures are ignored; a missing
// folder is harmless.
void CleanInstallFolder(const wchar_t* installFolder, const StagedFiles& staged);

}  // namespace sys
