// The install folder page (page 1): the page window's folder field and Browse. Next takes the
// folder into the choices once it passes the folder checks.
#pragma once

#include <optional>
#include <string>

#include "platform/framework/wnd.h"
#include "ui/wizard_wnd.h"
#include "wizard/installation_choices.h"
#include "wizard/page.h"
#include "wizard/page_checks.h"

namespace wizard {

class FolderPage : public Page {
 public:
  FolderPage(framework::CWnd& dialog, ui::CWizardWnd& pageWindow, InstallationChoices& choices,
             const PackageRoom& room)
      : m_dialog(dialog), m_pageWindow(pageWindow), m_choices(choices), m_room(room) {}

  // Puts `folder` in the field: the command line's folder or the default one at start-up.
  void Fill(const std::wstring& folder);
  // Browse: the folder picked in the system's folder browser replaces the field's text.
  void OnBrowse();

  void Enter() override;
  void Hide() override;
  std::optional<Check> Leave() override;
  Refusal RefusalOf(Check refused, int languageId) const override;
  HWND FirstField() const override;

 private:
  framework::CWnd& m_dialog;
  ui::CWizardWnd& m_pageWindow;  // holds the field
  InstallationChoices& m_choices;
  const PackageRoom& m_room;
};

}  // namespace wizard
