#include "wizard/page_buttons.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "resources/resource.h"
#include "wizard/dialog_texts.h"

namespace wizard {
namespace {

constexpr ButtonState kHidden{false, false};
constexpr ButtonState kHiddenEnabled{false, true};
constexpr ButtonState kShown{true, true};
constexpr ButtonState kShownDisabled{true, false};

// Nothing takes a click while installing: the installation's end moves on, not a click or a key.
// Back on the welcome page stays enabled as the template has it; a click sent to the finish
// page's hidden Next ends the wizard as Finish does.
constexpr PageButtons kPageButtons[] = {
    {ui::kWelcomePage, kHiddenEnabled, kShown, kShown, CancelCaption::AsStarted, false, IDC_NEXT,
     FocusStart::DefaultButton, NextStep::FollowingPage},
    {ui::kFolderPage, kShown, kShown, kShown, CancelCaption::AsStarted, false, IDC_NEXT, FocusStart::PageField,
     NextStep::FollowingPage},
    {ui::kSettingsPage, kShown, kShown, kShown, CancelCaption::AsStarted, false, IDC_NEXT, FocusStart::PageField,
     NextStep::FollowingPage},
    {ui::kInstallingPage, kShownDisabled, kShownDisabled, kShownDisabled, CancelCaption::AsStarted, true, 0,
     FocusStart::Unchanged, NextStep::Nothing},
    {ui::kFinishedPage, kHidden, kHidden, kShown, CancelCaption::Finish, false, IDC_CANCEL_BUTTON,
     FocusStart::DefaultButton, NextStep::EndWizard},
    {ui::kFailurePage, kHidden, kHidden, kShown, CancelCaption::FinishAfterFailure, false, IDC_CANCEL_BUTTON,
     FocusStart::DefaultButton, NextStep::Nothing},
};

}  // namespace

void FocusControl(framework::CWnd& dialog, HWND control) {
  dialog.SendMessageW(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
}

const PageButtons& ButtonsOf(ui::WizardPage page) {
  const auto found = std::find_if(std::begin(kPageButtons), std::end(kPageButtons),
                                  [page](const PageButtons& buttons) { return buttons.page == page; });
  return found != std::end(kPageButtons) ? *found : kPageButtons[std::size(kPageButtons) - 1];
}

void ApplyPageButtons(framework::CWnd& dialog, const PageButtons& buttons, HWND pageField, int languageId) {
  for (const auto& [id, state] : {std::pair{IDC_BACK, buttons.back}, std::pair{IDC_NEXT, buttons.next},
                                  std::pair{IDC_CANCEL_BUTTON, buttons.cancel}}) {
    dialog.ShowDlgItem(id, state.shown ? SW_SHOW : SW_HIDE);
    dialog.EnableDlgItem(id, state.enabled);
  }
  if (buttons.cancelCaption != CancelCaption::AsStarted) {
    const bool failed = buttons.cancelCaption == CancelCaption::FinishAfterFailure;
    dialog.SetDlgItemTextW(IDC_CANCEL_BUTTON, FinishCaption(failed, languageId).c_str());
  }
  dialog.ShowDlgItem(IDC_PROGRESS, buttons.progress ? SW_SHOW : SW_HIDE);
  dialog.SendMessageW(DM_SETDEFID, buttons.defaultButton);
  if (buttons.focus == FocusStart::DefaultButton) FocusControl(dialog, dialog.GetDlgItem(buttons.defaultButton));
  if (buttons.focus == FocusStart::PageField) FocusControl(dialog, pageField);
}

}  // namespace wizard
