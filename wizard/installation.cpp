// The installation run: everything after the folder is prepared, on one worker thread.
#include "wizard/installation.h"

#include <shlobj.h>

#include <memory>

#include "package/install_log.h"
#include "platform/files.h"
#include "platform/shell.h"
#include "spooler/model_setup.h"
#include "system/install_folder_cleanup.h"
#include "system/native_programs.h"
#include "system/printer_service.h"
#include "system/shortcut.h"
#include "system/uninstall_registration.h"
#include "texts/language.h"
#include "wizard/dialog_texts.h"

namespace wizard {
namespace {

// Asks the dialog, which shows the port choice on its own thread, and waits for the answer.
class DialogPortChooser : public spooler::PortChooser {
 public:
  explicit DialogPortChooser(const framework::CWnd& dialog) : m_dialog(dialog) {}
  bool ChoosePort(std::wstring& port) override {
    return m_dialog.SendMessageW(kInstallationChoosePort, 0, reinterpret_cast<LPARAM>(&port)) == 1;
  }

 private:
  const framework::CWnd& m_dialog;
};

}  // namespace

bool Installation::Start(const InstallationSnapshot& snapshot) {
  m_snapshot = snapshot;
  return m_worker.Start([this] {
    const WPARAM installed = Install() ? 1 : 0;
    // The dialog must learn the end, or it would wait on the installing page for good: should the
    // queue refuse the post, the end is sent instead.
    if (!m_dialog.PostMessageW(kInstallationEnded, installed, 0)) {
      m_dialog.SendMessageW(kInstallationEnded, installed, 0);
    }
  });
}

bool Installation::Install() {
  // A package that could not be laid down whole must not be installed from, nor a printer
  // installed that could not be recorded for its removal.
  if (!FolderFitsTheRecord() || !StageDriverFiles()) return false;
  const std::wstring& installFolder = m_snapshot.installFolder;
  for (const wchar_t* leftover : {L"InstallConfig.txt", L"logo.bmp"}) {
    platform::files::DeleteFileW((installFolder + L"\\" + leftover).c_str());
  }
  std::wstring shortcutPath;
  const std::wstring startMenuFolder = MakeStartMenuEntries(shortcutPath);
  ShowStatus(InstallingStatus());

  DialogPortChooser portChooser(m_dialog);
  if (!spooler::InstallPrinterForModel(MakePrinterRequest(), m_snapshot.setDefaultPrinter, portChooser,
                                       m_snapshot.names)) {
    return false;
  }
  RegisterInstallation(startMenuFolder, shortcutPath);
  integration::InstallPrinterService(installFolder.c_str());
  return true;
}

bool Installation::FolderFitsTheRecord() {
  const std::wstring& installFolder = m_snapshot.installFolder;
  if (integration::RecordFitsInstallFolder(installFolder)) return true;
  package::WriteInstallLog("Install folder too long = %d\r\n", static_cast<int>(installFolder.size()));
  return false;
}

// Notes what staging writes, so that closing the wizard removes exactly that. False when a file
// could not be written; other staging results go unexamined, as a missing package does.
bool Installation::StageDriverFiles() {
  const std::wstring& installFolder = m_snapshot.installFolder;
  integration::StagedFiles& staged = integration::StagedFilesOfThisRun();
  staged.BeforeStaging(installFolder);
  const int32_t result = !m_package.IsEmpty() ? package::StageFromPackage(*this, m_package)
                                              : package::StageFromInstallerFile(*this, m_snapshot.model.ModelFamily);
  // Like a failed extraction, a failed move leaves the file there and the run goes on.
  if (result != package::kStagingWriteFailed) integration::PlaceNativePrograms(installFolder);
  staged.AfterStaging();
  return result != package::kStagingWriteFailed;
}

// The Start-menu folder with the uninstaller's shortcut; returns the folder.
std::wstring Installation::MakeStartMenuEntries(std::wstring& shortcutPath) {
  std::wstring startMenu;
  platform::shell::GetSpecialFolderPathW(CSIDL_STARTMENU, startMenu);
  const std::wstring folder = startMenu + L"\\" + StartMenuFolderName(m_snapshot.choices.ChosenPrinterName);
  platform::files::CreateDirectoryW(folder.c_str());
  shortcutPath = folder + L"\\" + UninstallShortcutName();
  const std::wstring uninstaller = m_snapshot.installFolder + L"\\Uninstaller.exe";
  integration::CreateUninstallShortcut(uninstaller.c_str(), shortcutPath.c_str());
  return folder;
}

spooler::PrinterRequest Installation::MakePrinterRequest() const {
  const InstallationChoices& choices = m_snapshot.choices;
  spooler::PrinterRequest request;
  request.printerName = choices.ChosenPrinterName;
  request.installFolder = m_snapshot.installFolder;
  request.usbPort = m_snapshot.usbPort;
  request.useMonitor = m_snapshot.useMonitor;
  request.networkPort = choices.UseNetworkPort != 0;
  request.ipAddress = choices.PrinterIpAddress;
  request.tcpPort = choices.PrinterTcpPort;
  request.model = &m_snapshot.model;
  return request;
}

void Installation::RegisterInstallation(const std::wstring& startMenuFolder, const std::wstring& shortcutPath) {
  const texts::WizardConfigTable& names = m_snapshot.names;
  integration::UninstallRegistration registration;
  registration.PrinterName = m_snapshot.choices.ChosenPrinterName;
  registration.ConfiguredPrinterName = names.PrinterName;
  registration.DriverName = names.DriverName;
  registration.MonitorName = names.MonitorName;
  registration.PortName = names.PortName;
  registration.InstallFolder = m_snapshot.installFolder;
  registration.ChosenFolder = m_snapshot.choices.InstallRoot;
  registration.StartMenuFolder = startMenuFolder;
  registration.ShortcutPath = shortcutPath;
  registration.LanguageId = texts::CurrentLanguageId();
  integration::RegisterUninstall(registration);
}

void Installation::ShowProgressPosition(int32_t position) {
  m_dialog.PostMessageW(kInstallationProgress, static_cast<WPARAM>(position), 0);
}

void Installation::ShowStatus(const std::wstring& text) {
  auto status = std::make_unique<std::wstring>(text);
  if (m_dialog.PostMessageW(kInstallationStatus, 0, reinterpret_cast<LPARAM>(status.get()))) status.release();
}

}  // namespace wizard
