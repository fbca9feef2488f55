// The application object and its start routine.
#pragma once

#include <string>

#include "platform/framework/win_app.h"
#include "texts/language.h"

namespace wizard {
class CInstallDlg;
}

namespace app {

class CInstallApp : public framework::CWinApp {
 public:
  CInstallApp() { texts::SetLanguageSource(&LanguageId); }
  ~CInstallApp() override { texts::SetLanguageSource(nullptr); }
  CInstallApp(const CInstallApp&) = delete;
  CInstallApp& operator=(const CInstallApp&) = delete;

  BOOL InitInstance() override;

  // Between loading the dialog's package and running the dialog: the configuration files,
  // the language and the wizard texts.
  void PrepareWizard(const wizard::CInstallDlg& dialog);

  int LanguageId = texts::kEnglish;  // written once, before the dialog exists
};

inline CInstallApp& InstallApp() { return *static_cast<CInstallApp*>(framework::CurrentApp()); }

// 1 (Chinese) only for the UI language 0x0804; every other language gives 0 (English).
int LanguageFromUiLanguage(unsigned short uiLanguage);

}  // namespace app
