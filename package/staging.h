// Laying the whole package down in the install folder, from the package copy (resource form)
// or from a package appended to the installer's own file.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "package/inflate_entry.h"
#include "package/install_package.h"

namespace package {

// Whoever runs staging: it names the install folder and takes the reports, one progress position
// for the whole walk (ProgressCounter) and a status line per file. Staging runs on the
// installation's worker thread, so a view hands the reports on (the wizard through its
// installation mailbox) and touches no window itself.
class StagingView : public ProgressTarget {
 public:
  // The install folder, as the installation's own copy of the choices holds it.
  virtual std::wstring InstallFolderText() = 0;
  // A status line for the installing page.
  virtual void ShowStatus(const std::wstring& text) = 0;
};

constexpr int32_t kStagingNoInstallerFile = -1;  // the installer file cannot be opened or measured
constexpr int32_t kStagingBadPackage = -2;       // the trailer or an entry header cannot be read
constexpr int32_t kStagingWriteFailed = -3;      // a file could not be written: staging stopped there

// Writes every entry into the install folder, logging the count before and the end after.
// Renames the Fennick driver pair to Dellmar. Returns 0, or kStagingWriteFailed (logged) when an
// entry could not be written, for a full disk or a denied folder must not pass for an
// installation; an entry whose data is bad leaves its partial file and staging goes on.
int32_t StageFromPackage(StagingView& view, const InstallPackage& installPackage);

// The same from the package appended to the installer's own file; the Corvane ("TSC") and
// Ambrel ("ESC") driver pairs are renamed by model family. 0, or a negative code above.
int32_t StageFromInstallerFile(StagingView& view, const wchar_t* modelFamily);
int32_t StageFromInstallerFile(StagingView& view, const wchar_t* modelFamily, InstallerFile& file);

// The most bytes an entry's name takes below the install folder once staged: its own, or the
// name a driver pair's rename gives it.
size_t WrittenNameBytes(std::string_view entryName);

}  // namespace package
