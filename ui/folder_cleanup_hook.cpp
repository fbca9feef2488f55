#include "ui/folder_cleanup_hook.h"

namespace ui {

// Nothing yet: the clean-up of the install folder is not part of this library.
void CleanInstallFolderOnClose(const std::wstring&) {}

}  // namespace ui
