#include "system/install_folder_cleanup.h"

#include <algorithm>

#include "platform/files.h"
#include "platform/link_safe_files.h"
#include "system/folder_listing.h"
#include "system/install_record.h"

namespace sys {
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

uint64_t SizeOf(const WIN32_FIND_DATAW& entry) {
  return (static_cast<uint64_t>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
}

bool IsDoomed(const WIN32_FIND_DATAW& entry, const StagedFiles& staged) {
  return !IsFolder(entry) && !IsKeptFile(entry.cFileName) && staged.Contains(entry.cFileName);
}

uint64_t BytesBelow(std::wstring_view folder) {
  uint64_t bytes = 0;
  ForEachFolderEntry(folder, [&bytes, folder](const WIN32_FIND_DATAW& entry) {
    bytes += IsFolder(entry) ? BytesBelow(JoinPath(std::wstring(folder), entry.cFileName)) : SizeOf(entry);
  });
  return bytes;
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

void CleanInstallFolder(const wchar_t* installFolder, const StagedFiles& staged) {
  if (staged.IsEmpty() || !SameFolder(installFolder, staged.Folder())) return;
  // A folder turned into a link since staging would aim the deletes elsewhere.
  if (platform::files::PathHasReparsePoint(installFolder)) return;
  std::vector<std::wstring> doomed;
  ForEachFolderEntry(installFolder, [&](const WIN32_FIND_DATAW& entry) {
    if (IsDoomed(entry, staged)) doomed.push_back(entry.cFileName);
  });
  for (const std::wstring& name : doomed) platform::files::DeleteFileW(JoinPath(installFolder, name).c_str());
}

uint64_t KeptBytes(const wchar_t* installFolder, const StagedFiles& staged) {
  const bool cleaned = !staged.IsEmpty() && SameFolder(installFolder, staged.Folder());
  uint64_t bytes = 0;
  ForEachFolderEntry(installFolder, [&](const WIN32_FIND_DATAW& entry) {
    if (cleaned && IsDoomed(entry, staged)) return;
    bytes += IsFolder(entry) ? BytesBelow(JoinPath(installFolder, entry.cFileName)) : SizeOf(entry);
  });
  return bytes;
}

uint64_t BytesOfFilesNamed(std::wstring_view folder, std::wstring_view prefix) {
  uint64_t bytes = 0;
  ForEachFolderEntry(folder, [&bytes, prefix](const WIN32_FIND_DATAW& entry) {
    const std::wstring_view name(entry.cFileName);
    if (!IsFolder(entry) && name.size() >= prefix.size() && SameFileName(name.substr(0, prefix.size()), prefix)) {
      bytes += SizeOf(entry);
    }
  });
  return bytes;
}

}  // namespace sys
