#include "app/install_app.h"

#include "app/config_files.h"
#include "platform/files.h"
#include "platform/locale.h"
#include "texts/documents_folder.h"
#include "texts/wizard_config.h"
#include "wizard/install_dlg.h"

namespace app {
namespace {

constexpr unsigned short kChineseSimplifiedPrc = 0x0804;

// A logo left by an earlier run must not show when this package brings none.
void DeleteOldLogo(const std::wstring& documents) {
  const std::wstring logo = documents + L"\\Logo.bmp";
  platform::files::DeleteFileW(logo.c_str());
}

}  // namespace

int LanguageFromUiLanguage(unsigned short uiLanguage) {
  return uiLanguage == kChineseSimplifiedPrc ? texts::kChinese : texts::kEnglish;
}

void CInstallApp::PrepareWizard(const wizard::CInstallDlg& dialog) {
  std::wstring documents;
  const bool haveDocuments = texts::GetDocumentsFolder(documents);
  if (haveDocuments) DeleteOldLogo(documents);
  ExtractConfigFiles(dialog.m_package);
  LanguageId = LanguageFromUiLanguage(platform::locale::GetUserDefaultUILanguage());
  if (!haveDocuments) {
    // No folder to read from: the built-in names apply.
    texts::LoadWizardTexts(texts::WizardConfig, nullptr);
    return;
  }
  const std::wstring textFile = documents + L"\\" + WizardTextFileName(LanguageId);
  texts::LoadWizardTexts(texts::WizardConfig, textFile.c_str());
}

BOOL CInstallApp::InitInstance() {
  wizard::CInstallDlg dialog;
  dialog.m_package = package::LoadInstallPackage(m_hInstance);
  PrepareWizard(dialog);
  m_pMainWnd = &dialog;
  dialog.DoModal();
  m_pMainWnd = nullptr;
  return FALSE;
}

}  // namespace app
