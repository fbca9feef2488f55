// The wizard's pages, as the page window's m_nPage numbers them: the dialog moves through them,
// the page window paints them.
#pragma once

#include <cstdint>

namespace ui {

enum WizardPage : int32_t {
  kWelcomePage = 0,
  kFolderPage = 1,
  kSettingsPage = 2,
  kInstallingPage = 3,
  kFinishedPage = 4,
  // Pages with a text of their own that the wizard never moves to; painted like the finish page.
  kCancelledPage = 5,
  kFailedPage = 6,
  kFailurePage = 8,  // where a failed installation ends
};

}  // namespace ui
