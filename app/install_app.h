// The application object and its start routine.
#pragma once

#include <string>
#include <vector>

#include "app/config_files.h"
#include "app/silent_install.h"
#include "wizard/page_checks.h"
#include "package/install_package.h"
#include "platform/framework/win_app.h"
#include "texts/language.h"

namespace wizard {
class CInstallDlg;
}

namespace app {

class CInstallApp : public framework::CWinApp {
 public:
  CInstallApp() = default;
  CInstallApp(const CInstallApp&) = delete;
  CInstallApp& operator=(const CInstallApp&) = delete;

  BOOL InitInstance() override;

  // Between loading the dialog's package and running the dialog: the language (the UI
  // language's, handed to the dialog), the wizard texts and the catalogue from the package, then
  // the configuration files in Documents.
  void PrepareWizard(wizard::CInstallDlg& dialog);

  // The wizard texts of LanguageId and the catalogue, read from the package in memory.
  struct PackageTexts {
    std::vector<std::wstring> modelNames;  // the catalogue's item texts, slot 1 first
    wizard::PackageRoom room;
    std::vector<uint8_t> logo;  // the BMP file's bytes
  };
  PackageTexts LoadPackageTexts(const PackageConfig& config);
  // The configuration files in Documents, for whoever else looks there: an old logo deleted, the
  // package's files written, the wizard text file of the language deleted again.
  void WriteDocumentsFiles(const PackageConfig& config);

  // Decided once at start-up, before the dialog or the installation exists, and handed to them.
  int LanguageId = texts::kEnglish;

 private:
  ExitCode Run(const std::vector<std::wstring>& arguments);
  ExitCode RunWizard(package::InstallPackage installPackage, PackageTexts packageTexts,
                     const wizard::PresetChoices& preset);
  ExitCode Refuse(ExitCode code, const std::wstring& reason, bool silent);
};

inline CInstallApp& InstallApp() { return *static_cast<CInstallApp*>(framework::CurrentApp()); }

// 1 (Chinese) only for the UI language 0x0804; every other language gives 0 (English).
int LanguageFromUiLanguage(unsigned short uiLanguage);

}  // namespace app
