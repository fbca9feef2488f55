// The wizard's texts in a language, from the built-in tables of texts/: control captions, check
// messages, the command line's messages and the texts of the installation (Start-menu names,
// status line).
#pragma once

#include <optional>
#include <span>
#include <string>

#include "platform/framework/wnd.h"
#include "texts/dialog_captions.h"
#include "texts/messages.h"

namespace wizard {

using texts::Check;
using texts::ControlCaption;

struct Message {
  std::wstring text;
  std::wstring caption;
};

// The message of a failed check.
Message CheckMessage(Check check, int languageId);

// The unattended command line's messages: its usage, another installation running, and a
// command line that cannot be used (with the reason).
Message UsageMessage(int languageId);
Message AnotherInstallationMessage(int languageId);
Message InvalidCommandLineMessage(const std::wstring& reason, int languageId);

std::span<const ControlCaption> DialogCaptions();
// Sets the captions' texts in the language on the dialog's controls; where a caption has none,
// the template's text stays.
void SetControlCaptions(framework::CWnd& dialog, std::span<const ControlCaption> captions, int languageId);

// The window title: the configured one, else the built-in one (none in Russian).
std::wstring DialogTitle(int languageId);
// Cancel's caption on the finish page (4) and the failure page (8).
std::wstring FinishCaption(bool failurePage, int languageId);

std::wstring StartMenuFolderName(const std::wstring& printerName, int languageId);
std::wstring UninstallShortcutName(int languageId);
std::wstring InstallingStatus(int languageId);
std::wstring ModelPlaceholder(int languageId);
// The port list's network item; nothing in Russian.
std::optional<std::wstring> NetworkPortItem(int languageId);

}  // namespace wizard
