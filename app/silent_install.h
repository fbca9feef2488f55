// The installation without a window (/S): the choices come from the command line and the pages'
// defaults, have passed the pages' checks, and run as the wizard's installation does.
#pragma once

#include "package/install_package.h"
#include "wizard/installation_choices.h"

namespace app {

// Exit codes deployment tools read, as Windows Installer uses them.
enum ExitCode : int {
  kExitInstalled = 0,
  kExitCancelled = 1602,
  kExitFailed = 1603,
  kExitAnotherInstallation = 1618,
  kExitInvalidCommandLine = 1639,
};

// Installs, then tidies the install folder as closing the wizard does; the Start-menu names are
// the language's. The port question, which nobody can answer here, is answered as Cancel.
ExitCode RunSilentInstallation(const package::InstallPackage& installPackage, wizard::InstallationChoices choices,
                               int languageId);

}  // namespace app
