// How each page sets the dialog's buttons: one row per page, applied whenever a page shows, so
// that a new page is a new row rather than new branches in the navigation.
#pragma once

#include <windows.h>

#include "platform/framework/wnd.h"
#include "ui/wizard_page.h"

namespace wizard {

struct ButtonState {
  bool shown;
  bool enabled;
};

// Cancel's caption: the one start-up gave it, or Finish once nothing is left to do.
enum class CancelCaption { AsStarted, Finish, FinishAfterFailure };
// Where the focus starts: left where it is, on the default button, on the page's first field.
enum class FocusStart { Unchanged, DefaultButton, PageField };
// What Next does: nothing, the following page (once the page's checks pass), or end the wizard
// as Finish does.
enum class NextStep { Nothing, FollowingPage, EndWizard };

struct PageButtons {
  ui::WizardPage page;
  ButtonState back;
  ButtonState next;
  ButtonState cancel;  // Esc does what Cancel does, only where Cancel takes clicks
  CancelCaption cancelCaption;
  bool progress;      // the installation's progress bar shows
  int defaultButton;  // the button Enter presses; 0 for none
  FocusStart focus;
  NextStep nextStep;
};

// The row of `page`; a page without a row of its own is treated as the failure page.
const PageButtons& ButtonsOf(ui::WizardPage page);

// Moves the keyboard focus to `control` as the dialog manager does, so that the default button
// follows it.
void FocusControl(framework::CWnd& dialog, HWND control);

// Sets the dialog's Back, Next and Cancel (captioned in the language), the progress bar and the
// default button as `buttons` says, then puts the focus where it says: on the default button, or
// on `pageField`.
void ApplyPageButtons(framework::CWnd& dialog, const PageButtons& buttons, HWND pageField, int languageId);

}  // namespace wizard
