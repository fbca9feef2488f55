#include "wizard/dialog_texts.h"

#include "texts/installation_texts.h"
#include "texts/list_items.h"
#include "texts/wizard_config.h"

namespace wizard {
namespace {

using texts::Pick;

// Messages have words in every language.
Message MessageIn(const texts::MessageWording& message, int languageId) {
  return {Pick(message.text, languageId).TextOrEmpty(), Pick(message.caption, languageId).TextOrEmpty()};
}

std::wstring TextIn(const texts::LocalizedText& text, int languageId) { return Pick(text, languageId).TextOrEmpty(); }

}  // namespace

Message CheckMessage(Check check, int languageId) {
  return MessageIn(texts::CheckMessageWording(check), languageId);
}

Message UsageMessage(int languageId) { return MessageIn(texts::kUsageMessage, languageId); }

Message AnotherInstallationMessage(int languageId) { return MessageIn(texts::kAnotherInstallationMessage, languageId); }

Message InvalidCommandLineMessage(const std::wstring& reason, int languageId) {
  const Message heading = MessageIn(texts::kInvalidCommandLineMessage, languageId);
  return {heading.text + reason + TextIn(texts::kInvalidCommandLineHelp, languageId), heading.caption};
}

std::span<const ControlCaption> DialogCaptions() { return texts::kWizardCaptions; }

void SetControlCaptions(framework::CWnd& dialog, std::span<const ControlCaption> captions, int languageId) {
  for (const ControlCaption& caption : captions) {
    if (const std::optional<std::wstring> text = Pick(caption.text, languageId).Text()) {
      dialog.SetDlgItemTextW(caption.id, text->c_str());
    }
  }
}

std::wstring DialogTitle(int languageId) {
  if (texts::WizardConfig.Title[0] != L'\0') return texts::WizardConfig.Title;
  return TextIn(texts::kWizardTitle, languageId);
}

std::wstring FinishCaption(bool failurePage, int languageId) {
  return TextIn(failurePage ? texts::kFailureFinishCaption : texts::kFinishCaption, languageId);
}

std::wstring StartMenuFolderName(const std::wstring& printerName, int languageId) {
  return printerName + TextIn(texts::kStartMenuFolderSuffix, languageId);
}

std::wstring UninstallShortcutName(int languageId) { return TextIn(texts::kUninstallShortcutName, languageId); }

std::wstring InstallingStatus(int languageId) { return TextIn(texts::kInstallingStatus, languageId); }

std::wstring ModelPlaceholder(int languageId) { return TextIn(texts::kModelPlaceholder, languageId); }

std::optional<std::wstring> NetworkPortItem(int languageId) {
  return Pick(texts::kNetworkPortItem, languageId).Text();
}

}  // namespace wizard
