// The installation that the wizard starts when the settings page is left, or that the unattended
// command line runs. It works from its own copy of the choices, the configured names and the
// chosen model, touches no window, and tells whoever started it what happens through an
// InstallationObserver.
#pragma once

#include <windows.h>

#include <string>

#include "package/install_package.h"
#include "package/staging.h"
#include "platform/framework/worker_thread.h"
#include "platform/target_windows.h"
#include "spooler/printer_install.h"
#include "system/install_folder_cleanup.h"
#include "texts/model_table.h"
#include "texts/wizard_text_parser.h"
#include "wizard/installation_choices.h"

namespace wizard {

// The run's own copy of what it installs, taken on the user-interface thread.
struct InstallationSnapshot {
  InstallationChoices choices;
  std::wstring installFolder;  // the chosen folder with the printer's subfolder
  texts::ModelRecord model{};      // the record at choices.SelectedModelIndex
  texts::WizardConfigTable names{};  // the configured names, the printer's and the port settled
  int languageId = 0;              // of the names and the status line; recorded for the uninstaller
};

// The snapshot of these choices in the language, with the configured names of the wizard texts
// and the chosen model, taken on the user-interface thread.
InstallationSnapshot MakeSnapshot(const InstallationChoices& choices, const std::wstring& installFolder,
                                  int languageId);

// What the run reports, on the thread it runs on.
class InstallationObserver {
 public:
  virtual ~InstallationObserver() = default;
  virtual void OnProgress(int32_t position) = 0;
  virtual void OnStatus(const std::wstring& text) = 0;
  // The printer's port is missing: `port` names it; true with the port to use instead.
  virtual bool ChoosePort(std::wstring& port) = 0;
  virtual void OnEnded(bool installed) = 0;
};

class Installation : private package::StagingView, private spooler::PortChooser {
 public:
  Installation(InstallationObserver& observer, const package::InstallPackage& installPackage)
      : m_observer(observer), m_package(installPackage) {}

  // Starts the worker; false when it cannot start (nothing has been done then).
  bool Start(const InstallationSnapshot& snapshot);
  // Runs on the calling thread; true when the printer was installed.
  bool Run(const InstallationSnapshot& snapshot);
  // The worker's thread id while it runs (0 before and without one).
  DWORD WorkerThreadId() const { return m_worker.ThreadId(); }

  // Tidies the install folder once the run has ended, never while its worker runs: the files
  // staging wrote go, the kept ones stay. Before any run there is nothing to tidy.
  void TidyInstallFolder() const;

 private:
  bool Install();
  bool PrepareMachine();
  bool FolderFitsTheRecord();
  bool StageDriverFiles();
  std::wstring MakeStartMenuEntries(std::wstring& shortcutPath);
  spooler::PrinterRequest MakePrinterRequest() const;
  bool RegisterInstallation(const std::wstring& startMenuFolder, const std::wstring& shortcutPath);
  uint32_t InstalledKilobytes() const;

  // package::StagingView: staging's progress and status go to the observer.
  void ShowProgressPosition(int32_t position) override { m_observer.OnProgress(position); }
  std::wstring InstallFolderText() override { return m_snapshot.installFolder; }
  void ShowStatus(const std::wstring& text) override { m_observer.OnStatus(text); }
  // spooler::PortChooser
  bool ChoosePort(std::wstring& port) override { return m_observer.ChoosePort(port); }

  InstallationObserver& m_observer;
  const package::InstallPackage& m_package;
  InstallationSnapshot m_snapshot;
  platform::TargetWindows m_target;  // asked when the run starts
  sys::StagedFiles m_staged;
  framework::CWorkerThread m_worker;  // last: joined before the rest goes
};

}  // namespace wizard
