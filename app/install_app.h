// The application object and its start routine.
#pragma once

#include <string>

#include "platform/framework/win_app.h"

namespace wizard {
class CInstallDlg;
}

namespace app {

// Values of LanguageId.
constexpr int kEnglish = 0;
constexpr int kChinese = 1;
constexpr int kRussian = 2;

class CInstallApp : public framework::CWinApp {
 public:
  BOOL InitInstance() override;

  // Between loading the dialog's package and running the dialog: the configuration files,
  // the language and the wizard texts.
  void PrepareWizard(const wizard::CInstallDlg& dialog);

  int LanguageId = kEnglish;  // written once, before the dialog exists
};

inline CInstallApp& InstallApp() { return *static_cast<CInstallApp*>(framework::CurrentApp()); }

// The wizard language of the running application (English when there is none, as in tests).
inline int CurrentLanguageId() {
  return framework::CurrentApp() != nullptr ? InstallApp().LanguageId : kEnglish;
}

// 1 (Chinese) only for the UI language 0x0804; every other language gives 0 (English).
int LanguageFromUiLanguage(unsigned short uiLanguage);

}  // namespace app
