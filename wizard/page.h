// A wizard page with controls of its own (the folder page, the settings page). The dialog shows
// one page at a time and asks it on Next whether the wizard may go on; the page holds its
// controls and its checks, and writes what it confirms into the choices.
#pragma once

#include <windows.h>

#include <optional>

#include "wizard/dialog_texts.h"

namespace wizard {

// A refused Next as the page shows it: the check's message in a box of `style`, owned by
// `owner` (or by nobody), then the focus on `field`, the control the message is about.
struct Refusal {
  Message message;
  HWND owner = nullptr;
  UINT style = MB_OK;
  HWND field = nullptr;
};

class Page {
 public:
  virtual ~Page() = default;

  // Shows the page's controls.
  virtual void Enter() = 0;
  // Hides them again, whichever way the wizard leaves the page.
  virtual void Hide() = 0;
  // Next: the check that refuses, or none once the page's choices are taken.
  virtual std::optional<Check> Leave() = 0;
  // How the page shows that refusal, its message in the language.
  virtual Refusal RefusalOf(Check refused, int languageId) const = 0;
  // Where the focus starts when the page shows.
  virtual HWND FirstField() const = 0;
};

}  // namespace wizard
