#include "wizard/folder_page.h"

#include "platform/shell.h"
#include "resources/resource.h"

namespace wizard {

void FolderPage::Fill(const std::wstring& folder) { m_pageWindow.m_editFolder.SetText(folder); }

void FolderPage::OnBrowse() {
  std::wstring folder;
  if (platform::shell::BrowseForFolder(m_dialog.GetSafeHwnd(), L"Selection ", folder)) Fill(folder);
}

void FolderPage::Enter() {
  m_pageWindow.ShowFolderField(TRUE);
  m_dialog.ShowDlgItem(IDC_BROWSE, SW_SHOW);
}

void FolderPage::Hide() {
  m_pageWindow.ShowFolderField(FALSE);
  m_dialog.ShowDlgItem(IDC_BROWSE, SW_HIDE);
}

// The field is read here only: what the user typed becomes the chosen folder once accepted.
std::optional<Check> FolderPage::Leave() {
  const std::wstring folder = m_pageWindow.m_editFolder.GetText();
  if (const std::optional<Check> refused = CheckFolderChoice(folder, m_room)) return refused;
  m_choices.InstallRoot = FitSettingText(folder);
  return std::nullopt;
}

Refusal FolderPage::RefusalOf(Check refused, int languageId) const {
  return {CheckMessage(refused, languageId), m_dialog.GetSafeHwnd(), MB_OK, FirstField()};
}

HWND FolderPage::FirstField() const { return m_pageWindow.m_editFolder.EditWindow(); }

}  // namespace wizard
