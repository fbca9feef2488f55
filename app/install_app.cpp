#include "app/install_app.h"

#include <optional>

#include "app/command_line.h"
#include "platform/files.h"
#include "platform/installation_lock.h"
#include "platform/locale.h"
#include "platform/run_log.h"
#include "texts/documents_folder.h"
#include "texts/model_catalogue.h"
#include "texts/text_ini.h"
#include "texts/wizard_config.h"
#include "wizard/dialog_texts.h"
#include "wizard/install_dlg.h"

namespace app {
namespace {

using platform::WriteRunLog;

constexpr unsigned short kChineseSimplifiedPrc = 0x0804;

// A logo left by an earlier run must not show when this package brings none.
void DeleteOldLogo(const std::wstring& documents) {
  const std::wstring logo = documents + L"\\Logo.bmp";
  platform::files::DeleteFileW(logo.c_str());
}

void ShowMessage(const wizard::Message& message, UINT style) {
  framework::MessageBox(nullptr, message.text, message.caption, style);
}

}  // namespace

int LanguageFromUiLanguage(unsigned short uiLanguage) {
  return uiLanguage == kChineseSimplifiedPrc ? texts::kChinese : texts::kEnglish;
}

CInstallApp::PackageTexts CInstallApp::LoadPackageTexts(const PackageConfig& config) {
  const std::optional<std::vector<uint8_t>>& wizardTexts = config.File(WizardTextEntryName(LanguageId));
  texts::TakeWizardTexts(texts::WizardConfig, wizardTexts ? &*wizardTexts : nullptr);
  texts::TakeTextIni(config.File("Text.ini") ? &*config.File("Text.ini") : nullptr);
  PackageTexts loaded;
  loaded.room.longestEntryBytes = config.longestEntryBytes;
  if (const std::optional<std::vector<uint8_t>>& logo = config.File("logo.bmp")) loaded.logo = *logo;
  const std::optional<std::vector<uint8_t>>& catalogue = config.File("PrinterName.txt");
  if (catalogue) {
    loaded.modelNames = texts::ParseModelCatalogue(texts::ModelTable, *catalogue);
  } else {
    texts::ModelTable = {};
  }
  return loaded;
}

void CInstallApp::WriteDocumentsFiles(const PackageConfig& config) {
  std::wstring documents;
  if (!texts::GetDocumentsFolder(documents)) return;
  DeleteOldLogo(documents);
  WriteConfigFiles(config, documents);
  // Read from the package already; the file of the language goes, as it always has.
  platform::files::DeleteFileW((documents + L"\\" + WizardTextFileName(LanguageId)).c_str());
}

void CInstallApp::PrepareWizard(wizard::CInstallDlg& dialog) {
  LanguageId = LanguageFromUiLanguage(platform::locale::GetUserDefaultUILanguage());
  dialog.m_languageId = LanguageId;
  const PackageConfig config = ReadPackageConfig(dialog.m_package);
  PackageTexts loaded = LoadPackageTexts(config);
  dialog.m_modelNames = std::move(loaded.modelNames);
  dialog.m_room = loaded.room;
  dialog.m_logo = std::move(loaded.logo);
  WriteDocumentsFiles(config);
}

ExitCode CInstallApp::Refuse(ExitCode code, const std::wstring& reason, bool silent) {
  WriteRunLog(L"Refused: " + reason);
  if (silent) return code;
  if (code == kExitAnotherInstallation) {
    ShowMessage(wizard::AnotherInstallationMessage(LanguageId), MB_ICONWARNING);
  } else {
    ShowMessage(wizard::InvalidCommandLineMessage(reason, LanguageId), MB_ICONERROR);
  }
  return code;
}

// Nothing on the machine changes before the command line is accepted: the checks only read,
// and what the package brings is read in memory.
ExitCode CInstallApp::Run(const std::vector<std::wstring>& arguments) {
  LanguageId = LanguageFromUiLanguage(platform::locale::GetUserDefaultUILanguage());
  std::wstring error;
  const std::optional<CommandLine> commandLine = ParseCommandLine(arguments, LanguageId, error);
  const bool silent = AsksForSilence(arguments);
  if (commandLine && commandLine->languageId) LanguageId = *commandLine->languageId;
  WriteRunLog(std::wstring(L"Command line: ") + ::GetCommandLineW());

  const platform::InstallationLock lock;
  if (!lock.Acquired()) return Refuse(kExitAnotherInstallation, L"another installation is running", silent);
  if (!commandLine) return Refuse(kExitInvalidCommandLine, error, silent);
  if (commandLine->help) {
    if (!silent) ShowMessage(wizard::UsageMessage(LanguageId), MB_ICONINFORMATION);
    return kExitInstalled;
  }

  package::InstallPackage installPackage = package::LoadInstallPackage(m_hInstance);
  const PackageConfig config = ReadPackageConfig(installPackage);
  PackageTexts loaded = LoadPackageTexts(config);
  const std::optional<wizard::PresetChoices> preset =
      PresetFromCommandLine(*commandLine, loaded.modelNames, LanguageId, error);
  if (!preset) return Refuse(kExitInvalidCommandLine, error, silent);
  if (const std::optional<wizard::Check> refused =
          CheckPresetChoices(*preset, loaded.modelNames, loaded.room, silent)) {
    return Refuse(kExitInvalidCommandLine, wizard::CheckMessage(*refused, LanguageId).text, silent);
  }
  WriteDocumentsFiles(config);
  if (silent) {
    return RunSilentInstallation(installPackage, wizard::ChoicesWithDefaults(*preset, loaded.modelNames), LanguageId);
  }
  return RunWizard(std::move(installPackage), std::move(loaded), *preset);
}

ExitCode CInstallApp::RunWizard(package::InstallPackage installPackage, PackageTexts packageTexts,
                                const wizard::PresetChoices& preset) {
  wizard::CInstallDlg dialog;
  dialog.m_languageId = LanguageId;
  dialog.m_package = std::move(installPackage);
  dialog.m_modelNames = std::move(packageTexts.modelNames);
  dialog.m_room = packageTexts.room;
  dialog.m_logo = std::move(packageTexts.logo);
  dialog.m_preset = preset;
  m_pMainWnd = &dialog;
  dialog.DoModal();
  m_pMainWnd = nullptr;
  switch (dialog.Outcome()) {
    case wizard::WizardOutcome::Installed: return kExitInstalled;
    case wizard::WizardOutcome::Failed: return kExitFailed;
    case wizard::WizardOutcome::NotInstalled: break;
  }
  WriteRunLog(L"The wizard was closed before the installation ran");
  return kExitCancelled;
}

BOOL CInstallApp::InitInstance() {
  const std::vector<std::wstring> arguments = SplitCommandLine(::GetCommandLineW());
  platform::RunLog log;
  if (const std::optional<std::wstring> path = LogPathOf(arguments); path && log.Open(*path)) {
    platform::SetRunLog(&log);
  }
  m_nExitCode = Run(arguments);
  WriteRunLog(L"Exit code " + std::to_wstring(m_nExitCode));
  platform::SetRunLog(nullptr);
  return FALSE;
}

}  // namespace app
