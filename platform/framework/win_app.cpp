#include "platform/framework/win_app.h"

#include <commctrl.h>

namespace framework {
namespace {

CWinApp* g_app = nullptr;

}  // namespace

CWinApp::CWinApp() { g_app = this; }

CWinApp::~CWinApp() {
  if (g_app == this) g_app = nullptr;
}

CWinApp* CurrentApp() { return g_app; }

int RunApplication(HINSTANCE instance) {
  if (g_app == nullptr) return 1;
  g_app->m_hInstance = instance;
  // Registers the progress bar and list view classes the dialog templates use.
  INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_PROGRESS_CLASS | ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&classes);
  g_app->InitInstance();
  return g_app->m_nExitCode;
}

}  // namespace framework
