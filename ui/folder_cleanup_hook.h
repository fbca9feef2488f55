// The install-folder clean-up that the page window starts when it is destroyed.
#pragma once

#include <string>

namespace ui {

// Called once, on the user-interface thread, with the folder field's text at that moment.
// Its definition sits alone in folder_cleanup_hook.cpp, so that a test can link its own.
void CleanInstallFolderOnClose(const std::wstring& folder);

}  // namespace ui
