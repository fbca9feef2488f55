// The installation the wizard starts when the settings page is left: the folder prepared on the
// user-interface thread, everything else on one worker thread.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include "package/directory_chain.h"
#include "package/install_log.h"
#include "platform/files.h"
#include "platform/shell.h"
#include "resources/resource.h"
#include "spooler/model_setup.h"
#include "system/install_folder_cleanup.h"
#include "system/native_programs.h"
#include "system/printer_service.h"
#include "system/shortcut.h"
#include "system/uninstall_registration.h"
#include "texts/language.h"
#include "texts/model_catalogue.h"
#include "texts/utf16_text.h"
#include "texts/wizard_config.h"
#include "wizard/install_dlg.h"
#include "wizard/select_port_dlg.h"
#include "wizard/wizard_settings.h"

namespace wizard {
namespace {

constexpr int kFailurePage = 8;
constexpr int kInstallationControls[] = {IDC_SETTINGS_GROUP, IDC_MODEL_LABEL, IDC_MODEL_COMBO, IDC_PRINTER_NAME,
                                         IDC_NAME_LABEL,     IDC_DEFAULT_PRINTER, IDC_USE_MONITOR, IDC_PORT_LABEL,
                                         IDC_BAUD_LABEL,     IDC_PORT_COMBO,   IDC_BAUD_COMBO};

std::wstring WithBackslash(std::wstring folder) {
  if (folder.empty() || folder.back() != L'\\') folder += L'\\';
  return folder;
}

bool IsChecked(HWND box) { return ::SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }

}  // namespace

void CInstallDlg::StartInstallation() {
  m_settings.Hide();
  m_wizard.ShowFolderField(FALSE);
  ShowDlgItem(IDC_BROWSE, SW_HIDE);
  ShowDlgItem(IDC_PROGRESS, SW_SHOW);
  ::UpdateWindow(GetDlgItem(IDC_PROGRESS));
  for (int id : {IDC_CANCEL_BUTTON, IDC_BACK, IDC_NEXT}) EnableDlgItem(id, FALSE);
  m_wizard.Repaint();
  for (int id : kInstallationControls) ShowDlgItem(id, SW_HIDE);

  ChosenPrinterName = FitSettingText(m_settings.PrinterName());
  texts::CopyBounded(texts::WizardConfig.PrinterName, ChosenPrinterName);
  m_bSetDefault = IsChecked(GetDlgItem(IDC_DEFAULT_PRINTER));
  m_bUseMonitor = IsChecked(GetDlgItem(IDC_USE_MONITOR));
  TakeInstallFolder();

  m_installing = true;
  const HANDLE worker = ::CreateThread(nullptr, 0, InstallationWorker, this, 0, nullptr);
  if (worker == nullptr) {
    m_installing = false;
    ShowFailurePage();
    return;
  }
  ::CloseHandle(worker);
}

// The chosen folder gets a subfolder named after the printer, with an "Inf" folder in it.
void CInstallDlg::TakeInstallFolder() {
  const std::wstring installFolder = WithBackslash(m_wizard.m_editFolder.GetText()) + ChosenPrinterName;
  package::CreateDirectoryChain(installFolder.c_str());
  m_wizard.m_editFolder.SetText(installFolder);
  const std::wstring infFolder = WithBackslash(installFolder) + L"Inf";
  package::CreateDirectoryChain(infFolder.c_str());
}

DWORD WINAPI CInstallDlg::InstallationWorker(void* dialog) {
  static_cast<CInstallDlg*>(dialog)->RunInstallation();
  return 0;
}

void CInstallDlg::RunInstallation() {
  // A package that could not be laid down whole must not be installed from, nor a printer
  // installed that could not be recorded for its removal.
  if (!FolderFitsTheRecord() || !StageDriverFiles()) {
    ShowFailurePage();
    m_installing = false;
    return;
  }
  const std::wstring installFolder = InstallFolderText();
  for (const wchar_t* leftover : {L"InstallConfig.txt", L"logo.bmp"}) {
    platform::files::DeleteFileW((installFolder + L"\\" + leftover).c_str());
  }
  std::wstring shortcutPath;
  const std::wstring startMenuFolder = MakeStartMenuEntries(shortcutPath);
  ShowStatus(InstallingStatus());

  SelectPortChooser portChooser;
  const bool installed = spooler::InstallPrinterForModel(MakePrinterRequest(), m_bSetDefault, portChooser) != 0;
  if (installed) {
    RegisterInstallation(startMenuFolder, shortcutPath);
    integration::InstallPrinterService(installFolder.c_str());
    m_installing = false;
    ::PostMessageW(m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_NEXT, 0), 0);
  } else {
    ShowFailurePage();
    m_installing = false;
  }
}

bool CInstallDlg::FolderFitsTheRecord() {
  const std::wstring installFolder = InstallFolderText();
  if (integration::RecordFitsInstallFolder(installFolder)) return true;
  package::WriteInstallLog("Install folder too long = %d\r\n", static_cast<int>(installFolder.size()));
  return false;
}

// Notes what staging writes, so that closing the wizard removes exactly that. False when a file
// could not be written; other staging results go unexamined, as a missing package does.
bool CInstallDlg::StageDriverFiles() {
  const std::wstring installFolder = InstallFolderText();
  integration::StagedFiles& staged = integration::StagedFilesOfThisRun();
  staged.BeforeStaging(installFolder);
  const int32_t result = !m_package.IsEmpty() ? package::StageFromPackage(*this, m_package)
                                              : package::StageFromInstallerFile(*this, texts::SelectedModel().ModelFamily);
  // Like a failed extraction, a failed move leaves the file there and the run goes on.
  if (result != package::kStagingWriteFailed) integration::PlaceNativePrograms(installFolder);
  staged.AfterStaging();
  return result != package::kStagingWriteFailed;
}

// The Start-menu folder with the uninstaller's shortcut; returns the folder.
std::wstring CInstallDlg::MakeStartMenuEntries(std::wstring& shortcutPath) {
  std::wstring startMenu;
  platform::shell::GetSpecialFolderPathW(CSIDL_STARTMENU, startMenu);
  const std::wstring folder = startMenu + L"\\" + StartMenuFolderName(ChosenPrinterName);
  platform::files::CreateDirectoryW(folder.c_str());
  shortcutPath = folder + L"\\" + UninstallShortcutName();
  const std::wstring uninstaller = InstallFolderText() + L"\\Uninstaller.exe";
  integration::CreateUninstallShortcut(uninstaller.c_str(), shortcutPath.c_str());
  return folder;
}

spooler::PrinterRequest CInstallDlg::MakePrinterRequest() const {
  spooler::PrinterRequest request;
  request.printerName = ChosenPrinterName;
  request.installFolder = const_cast<CInstallDlg*>(this)->InstallFolderText();
  request.usbPort = m_wizard.m_bUsbPort != 0;
  request.useMonitor = m_bUseMonitor != 0;
  request.networkPort = UseNetworkPort != 0;
  request.ipAddress = PrinterIpAddress;
  request.tcpPort = PrinterTcpPort;
  request.model = &texts::SelectedModel();
  return request;
}

void CInstallDlg::RegisterInstallation(const std::wstring& startMenuFolder, const std::wstring& shortcutPath) {
  integration::UninstallRegistration registration;
  registration.PrinterName = ChosenPrinterName;
  registration.ConfiguredPrinterName = texts::WizardConfig.PrinterName;
  registration.DriverName = texts::WizardConfig.DriverName;
  registration.MonitorName = texts::WizardConfig.MonitorName;
  registration.PortName = texts::WizardConfig.PortName;
  registration.InstallFolder = InstallFolderText();
  registration.ChosenFolder = InstallRoot;
  registration.StartMenuFolder = startMenuFolder;
  registration.ShortcutPath = shortcutPath;
  registration.LanguageId = texts::CurrentLanguageId();
  integration::RegisterUninstall(registration);
}

// Only Finish is left; the page window paints the failure text.
void CInstallDlg::ShowFailurePage() {
  ShowDlgItem(IDC_NEXT, SW_HIDE);
  ShowDlgItem(IDC_BACK, SW_HIDE);
  SetDlgItemTextW(IDC_CANCEL_BUTTON, FinishCaption(true).c_str());
  ShowDlgItem(IDC_PROGRESS, SW_HIDE);
  EnableDlgItem(IDC_CANCEL_BUTTON, TRUE);
  m_wizard.m_nPage = kFailurePage;
  m_wizard.Repaint(false);
}

}  // namespace wizard
