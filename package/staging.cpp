#include "package/staging.h"

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <optional>
#include <string_view>

#include "package/directory_chain.h"
#include "package/entry_names.h"
#include "package/extract.h"
#include "platform/code_page.h"
#include "platform/files.h"
#include "platform/install_log.h"

namespace package {
namespace {

struct Rename {
  const char* entry;
  const char* writtenAs;
};

constexpr Rename kFennickRenames[] = {
    {"FennickRender.dll", "Dellmar.dll"},
    {"FennickRender.dll.x64", "Dellmar.dll.x64"},
    {"FennickUI.dll", "Dellmarf.dll"},
    {"FennickUI.dll.x64", "Dellmarf.dll.x64"},
};

constexpr Rename kTscRenames[] = {
    {"Corvane.dll", "Dellmar.dll"},
    {"Corvane.dll.x64", "Dellmar.dll.x64"},
    {"CorvaneUI.dll", "Dellmarf.dll"},
    {"CorvaneUI.dll.x64", "Dellmarf.dll.x64"},
};

constexpr Rename kEscRenames[] = {
    {"Ambrel.dll", "Dellmar.dll"},
    {"Ambrel.dll.x64", "Dellmar.dll.x64"},
    {"AmbrelUI.dll", "Dellmarf.dll"},
    {"AmbrelUI.dll.x64", "Dellmarf.dll.x64"},
};

const char* RenameFor(std::string_view fileName, std::span<const Rename> renames) {
  for (const Rename& rename : renames) {
    if (EqualsIgnoringAsciiCase(fileName, rename.entry)) return rename.writtenAs;
  }
  return nullptr;
}

// Family names are compared exactly: "tsc" is not "TSC".
std::span<const Rename> FamilyRenames(const wchar_t* modelFamily) {
  if (modelFamily != nullptr && std::wcscmp(modelFamily, L"TSC") == 0) return kTscRenames;
  if (modelFamily != nullptr && std::wcscmp(modelFamily, L"ESC") == 0) return kEscRenames;
  return {};
}

// The install folder as 8-bit text; nothing when it does not convert.
std::optional<std::string> InstallFolder(StagingView& view) {
  std::string folder;
  if (!platform::WideToAnsi(view.InstallFolderText(), folder)) return std::nullopt;
  return folder;
}

// The name with control bytes shown as '?', so that its log record stays one line.
std::string PrintableName(std::string_view name) {
  std::string printable(name);
  for (char& c : printable) {
    if (static_cast<unsigned char>(c) < 0x20) c = '?';
  }
  return printable;
}

// "folder\name", or nothing (logged) when the name would leave the folder, names a device or
// makes the path too long.
std::optional<std::string> OutputPath(const std::string& folder, std::string_view name) {
  if (IsUnsafeEntryName(name)) {
    platform::WriteInstallLog("**** Skipped entry outside the folder or named as a device: %s\r\n",
                              PrintableName(name).c_str());
    return std::nullopt;
  }
  std::string path = folder + "\\";
  path += name;
  // A slash separates folders in a name as a backslash does; the folder is made from backslashes.
  std::replace(path.end() - name.size(), path.end(), '/', '\\');
  if (path.size() > kMaxStagedPathBytes) {
    platform::WriteInstallLog("**** Skipped entry, path too long: %s\r\n", PrintableName(path).c_str());
    return std::nullopt;
  }
  return path;
}

std::wstring ToWide(std::string_view text) {
  std::wstring wide;
  platform::AnsiToWide(text, wide);
  return wide;
}

void EnsureEntryFolder(const std::string& path) {
  const std::string folder = path.substr(0, path.rfind('\\'));
  const std::wstring wideFolder = ToWide(folder);
  if (!platform::files::PathExists(wideFolder.c_str())) CreateDirectoryChain(wideFolder.c_str());
}

// False (logged, with the Win32 error of the failed output call) when the file could not be
// written; bad data leaves its partial file. A file held open by a running program (the printer
// service of an earlier installation in the same folder) stays as it is, and staging goes on.
bool Written(int32_t extractResult, DWORD error, const std::string& path) {
  if (extractResult != kExtractOutputFailed) return true;
  if (error == ERROR_SHARING_VIOLATION) return true;
  platform::WriteInstallLog("**** Extract failed = %d: %s\r\n", static_cast<int>(error), path.c_str());
  return false;
}

// A skipped entry still counts toward the progress: the bar must reach 100.
bool SkipEntry(ProgressCounter& progress, uint32_t storedSize) {
  progress.Consume(storedSize);
  return true;
}

bool StageMemoryEntry(StagingView& view, const std::string& folder, const MemoryEntry& entry,
                      ProgressCounter& progress) {
  std::optional<std::string> path = OutputPath(folder, entry.name.text);
  if (!path) return SkipEntry(progress, entry.storedSize);
  const std::string fileName = path->substr(path->rfind('\\') + 1);
  if (const char* renamed = RenameFor(fileName, kFennickRenames)) path = OutputPath(folder, renamed);
  if (!path) return SkipEntry(progress, entry.storedSize);
  EnsureEntryFolder(*path);
  DWORD error = ERROR_SUCCESS;
  const int32_t result = ExtractFromMemory(entry.storedBytes, entry.storedSize, path->c_str(), &progress, &error);
  view.ShowStatus(ToWide(fileName));
  return Written(result, error, *path);
}

bool StageFileEntry(StagingView& view, const std::string& folder, const FileEntry& entry,
                    std::span<const Rename> renames, HANDLE file, ProgressCounter& progress) {
  std::optional<std::string> path = OutputPath(folder, entry.name.text);
  if (!path) return SkipEntry(progress, entry.storedSize);
  if (const char* renamed = RenameFor(entry.name.text, renames)) path = OutputPath(folder, renamed);
  if (!path) return SkipEntry(progress, entry.storedSize);
  view.ShowStatus(ToWide(*path));
  EnsureEntryFolder(*path);
  DWORD error = ERROR_SUCCESS;
  const int32_t result = ExtractFromFile(file, entry.storedSize, path->c_str(), &progress, &error);
  return Written(result, error, *path);
}

// The progress total: read from the entry headers before anything is inflated.
uint64_t StoredTotal(std::span<const uint8_t> package) {
  ResourcePackageReader reader(package);
  uint64_t total = 0;
  for (MemoryEntry entry; reader.Next(entry);) total += entry.storedSize;
  return total;
}

uint64_t StoredTotal(ByteSource& file) {
  AppendedPackageReader reader(file);
  uint64_t total = 0;
  if (!reader.Open()) return total;
  for (FileEntry entry; reader.Next(entry);) total += entry.storedSize;
  return total;
}

}  // namespace

int32_t StageFromPackage(StagingView& view, const InstallPackage& installPackage) {
  const std::optional<std::string> folder = InstallFolder(view);
  ResourcePackageReader reader(installPackage.Bytes());
  platform::WriteInstallLog("**** FileCount=%d\r\n", static_cast<int>(reader.EntryCount()));
  ProgressCounter progress(StoredTotal(installPackage.Bytes()), &view);
  MemoryEntry entry;
  while (folder && reader.Next(entry)) {
    if (!StageMemoryEntry(view, *folder, entry, progress)) return kStagingWriteFailed;
  }
  platform::WriteInstallLog("**** Retrace Finish\r\n");
  return 0;
}

int32_t StageFromInstallerFile(StagingView& view, const wchar_t* modelFamily) {
  InstallerFile file;
  if (!file.OpenOwnModule()) return kStagingNoInstallerFile;
  return StageFromInstallerFile(view, modelFamily, file);
}

int32_t StageFromInstallerFile(StagingView& view, const wchar_t* modelFamily, InstallerFile& file) {
  const std::optional<std::string> folder = InstallFolder(view);
  AppendedPackageReader reader(file);
  if (!reader.Open()) return kStagingBadPackage;
  const std::span<const Rename> renames = FamilyRenames(modelFamily);
  ProgressCounter progress(StoredTotal(file), &view);
  FileEntry entry;
  while (folder && reader.Next(entry)) {
    if (!StageFileEntry(view, *folder, entry, renames, file.Handle(), progress)) return kStagingWriteFailed;
  }
  return reader.Error() == WalkError::None ? 0 : kStagingBadPackage;
}

size_t WrittenNameBytes(std::string_view entryName) {
  size_t longest = entryName.size();
  const std::string_view fileName = entryName.substr(entryName.find_last_of("\\/") + 1);
  for (const std::span<const Rename> renames : {std::span<const Rename>(kFennickRenames), std::span<const Rename>(kTscRenames),
                                                std::span<const Rename>(kEscRenames)}) {
    if (const char* renamed = RenameFor(fileName, renames)) longest = std::max(longest, std::strlen(renamed));
  }
  return longest;
}

}  // namespace package
