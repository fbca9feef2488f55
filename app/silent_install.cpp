#include "app/silent_install.h"

#include "platform/run_log.h"
#include "wizard/installation.h"
#include "wizard/page_checks.h"

namespace app {
namespace {

using platform::WriteRunLog;

class LoggingObserver : public wizard::InstallationObserver {
 public:
  void OnProgress(int32_t) override {}
  void OnStatus(const std::wstring& text) override { WriteRunLog(L"Status: " + text); }
  bool ChoosePort(std::wstring& port) override {
    WriteRunLog(L"The port " + port + L" is missing; without a window the port question is answered Cancel");
    return false;
  }
  void OnEnded(bool installed) override {
    WriteRunLog(installed ? L"The installation succeeded" : L"The installation failed");
  }
};

}  // namespace

ExitCode RunSilentInstallation(const package::InstallPackage& installPackage, wizard::InstallationChoices choices,
                               int languageId) {
  wizard::SettleChosenPort(choices);
  WriteRunLog(L"Silent installation started: " + wizard::DescribeChoices(choices));
  const std::wstring installFolder = wizard::InstallFolderFor(choices.InstallRoot, choices.ChosenPrinterName);
  LoggingObserver observer;
  wizard::Installation installation(observer, installPackage);
  const bool installed = installation.Run(wizard::MakeSnapshot(choices, installFolder, languageId));
  installation.TidyInstallFolder();
  return installed ? kExitInstalled : kExitFailed;
}

}  // namespace app
