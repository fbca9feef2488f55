#include "system/install_folder_cleanup.h"

#include <algorithm>

#include "platform/files.h"
#include "system/folder_listing.h"
#include "system/install_record.h"

namespace integration {
namespace {

constexpr const wchar_t* kKeptFiles[] = {kUninstallerFileName, kUninstallIniName, kServiceProgramName};

// "C:\Demo\" and "c:\demo" name the same folder.
bool SameFolder(std::wstring_view first, std::wstring_view second) {
  const auto trimmed = [](std::wstring_view path) {
    while (!path.empty() && path.back() == L'\\') path.remove_suffix(1);
    return path;
  };
  return SameFileName(trimmed(first), trimmed(second));
}

}  // namespace

bool IsKeptFile(std::wstring_view fileName) {
  return std::any_of(std::begin(kKeptFiles), std::end(kKeptFiles),
                     [fileName](const wchar_t* kept) { return SameFileName(fileName, kept); });
}

void StagedFiles::BeforeStaging(std::wstring_view installFolder) {
  m_folder = installFolder;
  m_before = ListPlainFiles(m_folder);
  m_written.clear();
}

void StagedFiles::AfterStaging() {
  for (const FileState& file : ListPlainFiles(m_folder)) {
    if (!WasUnchanged(file)) m_written.push_back(file.name);
  }
}

bool StagedFiles::Contains(std::wstring_view fileName) const {
  return std::any_of(m_written.begin(), m_written.end(),
                     [fileName](const std::wstring& written) { return SameFileName(written, fileName); });
}

std::vector<StagedFiles::FileState> StagedFiles::ListPlainFiles(std::wstring_view folder) {
  std::vector<FileState> files;
  ForEachFolderEntry(folder, [&files](const WIN32_FIND_DATAW& entry) {
    if (!IsFolder(entry)) files.push_back({entry.cFileName, entry.ftLastWriteTime});
  });
  return files;
}

bool StagedFiles::WasUnchanged(const FileState& file) const {
  return std::any_of(m_before.begin(), m_before.end(), [&file](const FileState& before) {
    return SameFileName(before.name, file.name) && ::CompareFileTime(&before.lastWrite, &file.lastWrite) == 0;
  });
}

StagedFiles& StagedFilesOfThisRun() {
  static StagedFiles staged;
  return staged;
}

void CleanInstallFolder(const wchar_t* installFolder, const StagedFiles& staged) {
  if (staged.IsEmpty() || !SameFolder(installFolder, staged.Folder())) return;
  std::vector<std::wstring> doomed;
  ForEachFolderEntry(installFolder, [&](const WIN32_FIND_DATAW& entry) {
    if (!IsFolder(entry) && !IsKeptFile(entry.cFileName) && staged.Contains(entry.cFileName)) {
      doomed.push_back(entry.cFileName);
    }
  });
  for (const std::wstring& name : doomed) platform::files::DeleteFileW(JoinPath(installFolder, name).c_str());
}

}  // namespace integration
