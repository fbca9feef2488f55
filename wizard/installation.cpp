// The installation run: everything after the pages, on one thread.
#include "wizard/installation.h"

#include <shlobj.h>

#include "package/directory_chain.h"
#include "platform/code_page.h"
#include "platform/files.h"
#include "platform/install_log.h"
#include "platform/link_safe_files.h"
#include "platform/run_log.h"
#include "platform/shell.h"
#include "spooler/model_setup.h"
#include "spooler/ports.h"
#include "system/native_programs.h"
#include "system/printer_service.h"
#include "system/shortcut.h"
#include "system/uninstall_registration.h"
#include "texts/model_catalogue.h"
#include "texts/utf16_text.h"
#include "texts/wizard_config.h"
#include "wizard/dialog_texts.h"

namespace wizard {
namespace {

using platform::WriteRunLog;

std::wstring WithBackslash(std::wstring folder) {
  if (folder.empty() || folder.back() != L'\\') folder += L'\\';
  return folder;
}

const wchar_t* Outcome(bool done) { return done ? L"done" : L"failed"; }

}  // namespace

InstallationSnapshot MakeSnapshot(const InstallationChoices& choices, const std::wstring& installFolder,
                                  int languageId) {
  InstallationSnapshot snapshot;
  snapshot.choices = choices;
  snapshot.installFolder = installFolder;
  snapshot.languageId = languageId;
  snapshot.model = texts::ModelAt(choices.SelectedModelIndex);
  snapshot.names = texts::WizardConfig;
  texts::CopyBounded(snapshot.names.PrinterName, choices.ChosenPrinterName);
  texts::CopyBounded(snapshot.names.PortName, choices.PortName);
  return snapshot;
}

bool Installation::Start(const InstallationSnapshot& snapshot) {
  m_snapshot = snapshot;
  return m_worker.Start([this] { m_observer.OnEnded(Install()); });
}

bool Installation::Run(const InstallationSnapshot& snapshot) {
  m_snapshot = snapshot;
  const bool installed = Install();
  m_observer.OnEnded(installed);
  return installed;
}

void Installation::TidyInstallFolder() const {
  sys::CleanInstallFolder(m_snapshot.installFolder.c_str(), m_staged);
}

bool Installation::Install() {
  m_target = platform::DescribeTargetWindows();
  // A package that could not be laid down whole must not be installed from, nor a printer
  // installed that could not be recorded for its removal.
  if (!PrepareMachine() || !FolderFitsTheRecord() || !StageDriverFiles()) return false;
  const std::wstring& installFolder = m_snapshot.installFolder;
  for (const wchar_t* leftover : {L"InstallConfig.txt", L"logo.bmp"}) {
    platform::files::DeleteFileW((installFolder + L"\\" + leftover).c_str());
  }
  std::wstring shortcutPath;
  const std::wstring startMenuFolder = MakeStartMenuEntries(shortcutPath);
  ShowStatus(InstallingStatus(m_snapshot.languageId));

  WriteRunLog(L"Printer, driver, port and monitor: started");
  const bool added =
      spooler::InstallPrinterForModel(MakePrinterRequest(), m_snapshot.choices.MakeDefaultPrinter, *this,
                                      m_snapshot.names, m_target) != 0;
  WriteRunLog(std::wstring(L"Printer, driver, port and monitor: ") + Outcome(added));
  // A printer the uninstaller cannot find must not pass for an installation.
  if (!added || !RegisterInstallation(startMenuFolder, shortcutPath)) return false;
  sys::InstallPrinterService(installFolder.c_str());
  WriteRunLog(L"Printer service: done");
  return true;
}

// What the pages chose but left to the installation: the folder with the printer's subfolder
// and its "Inf" folder, and a COM port's serial settings.
bool Installation::PrepareMachine() {
  const std::wstring& installFolder = m_snapshot.installFolder;
  const bool folderMade = package::CreateDirectoryChain(installFolder.c_str()) &&
                          package::CreateDirectoryChain((WithBackslash(installFolder) + L"Inf").c_str());
  WriteRunLog(L"Install folder " + installFolder + L": " + (folderMade ? L"ready" : L"cannot be created"));
  if (!folderMade) return false;
  // Checked on the page already; a link planted since then must not aim staging elsewhere.
  if (platform::files::PathHasReparsePoint(installFolder)) {
    WriteRunLog(L"Install folder " + installFolder + L" is a link: refused");
    platform::WriteInstallLog("Install folder is a link\r\n");
    return false;
  }
  const InstallationChoices& choices = m_snapshot.choices;
  if (choices.Port == PortKind::Local && choices.PortItem.starts_with(L"COM")) {
    spooler::WriteSerialPortSettings(choices.Serial, choices.PortName, m_target);
    WriteRunLog(L"Serial settings of " + std::wstring(choices.PortName) + L": " +
                spooler::FormatSerialPortSettings(choices.Serial));
  }
  return true;
}

bool Installation::FolderFitsTheRecord() {
  const std::wstring& installFolder = m_snapshot.installFolder;
  if (sys::RecordFitsInstallFolder(installFolder)) return true;
  platform::WriteInstallLog("Install folder too long = %d\r\n", static_cast<int>(installFolder.size()));
  return false;
}

// Notes what staging writes, so that the clean-up afterwards removes exactly that. False when a
// file could not be written; other staging results go unexamined, as a missing package does.
bool Installation::StageDriverFiles() {
  const std::wstring& installFolder = m_snapshot.installFolder;
  WriteRunLog(L"Staging: started");
  m_staged.BeforeStaging(installFolder);
  const int32_t result = !m_package.IsEmpty() ? package::StageFromPackage(*this, m_package)
                                              : package::StageFromInstallerFile(*this, m_snapshot.model.ModelFamily);
  // Like a failed extraction, a failed move leaves the file there and the run goes on.
  if (result != package::kStagingWriteFailed) sys::PlaceNativePrograms(installFolder, m_target);
  m_staged.AfterStaging();
  WriteRunLog(L"Staging: ended with " + std::to_wstring(result));
  return result != package::kStagingWriteFailed;
}

// The Start-menu folder with the uninstaller's shortcut; returns the folder. Without a known
// Start menu there is neither: the drive's root is no place for them.
std::wstring Installation::MakeStartMenuEntries(std::wstring& shortcutPath) {
  std::wstring startMenu;
  if (!platform::shell::GetSpecialFolderPathW(CSIDL_STARTMENU, startMenu) || startMenu.empty()) {
    platform::WriteInstallLog("Start menu folder unknown: no shortcut\r\n");
    return {};
  }
  const std::wstring folder =
      startMenu + L"\\" + StartMenuFolderName(m_snapshot.choices.ChosenPrinterName, m_snapshot.languageId);
  platform::files::CreateDirectoryW(folder.c_str());
  shortcutPath = folder + L"\\" + UninstallShortcutName(m_snapshot.languageId);
  const std::wstring uninstaller = m_snapshot.installFolder + L"\\Uninstaller.exe";
  sys::CreateUninstallShortcut(uninstaller.c_str(), shortcutPath.c_str());
  WriteRunLog(L"Shortcut " + shortcutPath + L": " + Outcome(platform::files::PathExists(shortcutPath.c_str())));
  return folder;
}

spooler::PrinterRequest Installation::MakePrinterRequest() const {
  const InstallationChoices& choices = m_snapshot.choices;
  spooler::PrinterRequest request;
  request.printerName = choices.ChosenPrinterName;
  request.installFolder = m_snapshot.installFolder;
  request.usbPort = choices.Port == PortKind::Usb;
  request.useMonitor = choices.UseMonitor;
  request.networkPort = choices.UseNetworkPort;
  request.ipAddress = choices.PrinterIpAddress;
  request.tcpPort = choices.PrinterTcpPort;
  request.model = &m_snapshot.model;
  return request;
}

// The install folder as the clean-up leaves it, and the driver and monitor files placed under
// the printer's name in the driver and system directories.
uint32_t Installation::InstalledKilobytes() const {
  const std::wstring& printer = m_snapshot.choices.ChosenPrinterName;
  uint64_t bytes = sys::KeptBytes(m_snapshot.installFolder.c_str(), m_staged);
  if (!m_target.driverDirectory.empty()) bytes += sys::BytesOfFilesNamed(m_target.driverDirectory, printer);
  char systemDirectory[MAX_PATH] = {};
  const UINT length = platform::files::GetSystemDirectoryA(systemDirectory, MAX_PATH);
  std::wstring system;
  if (length > 0 && length < MAX_PATH && platform::AnsiToWide(systemDirectory, system)) {
    bytes += sys::BytesOfFilesNamed(system, printer);
  }
  return static_cast<uint32_t>((bytes + 1023) / 1024);
}

bool Installation::RegisterInstallation(const std::wstring& startMenuFolder, const std::wstring& shortcutPath) {
  const texts::WizardConfigTable& names = m_snapshot.names;
  sys::UninstallRegistration registration;
  registration.PrinterName = m_snapshot.choices.ChosenPrinterName;
  registration.ConfiguredPrinterName = names.PrinterName;
  registration.DriverName = names.DriverName;
  registration.MonitorName = names.MonitorName;
  registration.PortName = names.PortName;
  registration.InstallFolder = m_snapshot.installFolder;
  registration.ChosenFolder = m_snapshot.choices.InstallRoot;
  registration.StartMenuFolder = startMenuFolder;
  registration.ShortcutPath = shortcutPath;
  registration.LanguageId = m_snapshot.languageId;
  registration.EstimatedSizeKb = InstalledKilobytes();
  const bool recorded = sys::RegisterUninstall(registration, m_target);
  WriteRunLog(std::wstring(L"Uninstall registration: ") + Outcome(recorded));
  if (!recorded) platform::WriteInstallLog("Uninstall record not written\r\n");
  return recorded;
}

}  // namespace wizard
