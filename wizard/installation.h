// The installation the wizard starts when the settings page is left. It runs on a worker thread
// that touches no window and shares nothing the dialog changes: it works from its own copy of
// the user's choices, the configured names and the chosen model, and reports to the dialog by
// posted messages. Only the port question waits for the dialog's answer.
#pragma once

#include <windows.h>

#include <string>

#include "package/install_package.h"
#include "package/staging.h"
#include "platform/framework/wnd.h"
#include "platform/framework/worker_thread.h"
#include "spooler/printer_install.h"
#include "texts/model_table.h"
#include "texts/wizard_text_parser.h"
#include "wizard/installation_choices.h"

namespace wizard {

// What the run tells the dialog, in this order: progress and status while it runs, then once
// that it has ended.
inline constexpr UINT kInstallationProgress = WM_APP + 1;  // wParam: the progress bar's position
inline constexpr UINT kInstallationStatus = WM_APP + 2;    // lParam: a new std::wstring, the dialog's to delete
inline constexpr UINT kInstallationEnded = WM_APP + 3;     // wParam: 1 installed, 0 failed
// Sent, not posted: lParam points to a std::wstring for the chosen port; the result is 1 when
// the user chose one.
inline constexpr UINT kInstallationChoosePort = WM_APP + 4;

// The run's own copy of what it installs, taken on the user-interface thread.
struct InstallationSnapshot {
  InstallationChoices choices;
  std::wstring installFolder;  // the chosen folder with the printer's subfolder
  bool usbPort = false;
  bool setDefaultPrinter = true;
  bool useMonitor = true;
  texts::ModelRecord model{};      // the record at choices.SelectedModelIndex
  texts::WizardConfigTable names{};  // the configured names, the printer's and the port settled
};

class Installation : private package::StagingView {
 public:
  Installation(const framework::CWnd& dialog, const package::InstallPackage& installPackage)
      : m_dialog(dialog), m_package(installPackage) {}

  // Starts the worker; false when it cannot start (nothing has been done then).
  bool Start(const InstallationSnapshot& snapshot);

 private:
  bool Install();
  bool FolderFitsTheRecord();
  bool StageDriverFiles();
  std::wstring MakeStartMenuEntries(std::wstring& shortcutPath);
  spooler::PrinterRequest MakePrinterRequest() const;
  void RegisterInstallation(const std::wstring& startMenuFolder, const std::wstring& shortcutPath);

  // package::StagingView: staging's progress and status go to the dialog.
  void ShowProgressPosition(int32_t position) override;
  std::wstring InstallFolderText() override { return m_snapshot.installFolder; }
  void ShowStatus(const std::wstring& text) override;

  const framework::CWnd& m_dialog;
  const package::InstallPackage& m_package;
  InstallationSnapshot m_snapshot;
  framework::CWorkerThread m_worker;  // last: joined before the rest goes
};

}  // namespace wizard
