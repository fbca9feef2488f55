#include "ui/folder_cleanup_hook.h"

#include "system/install_folder_cleanup.h"

namespace ui {

void CleanInstallFolderOnClose(const std::wstring& folder) {
  integration::CleanInstallFolder(folder.c_str(), integration::StagedFilesOfThisRun());
}

}  // namespace ui
