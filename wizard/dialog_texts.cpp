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

}  // namespace

Message CheckMessage(Check check, int languageId) {
  return MessageIn(texts::CheckMessageWording(check), languageId);
}

Message UsageMessage(int languageId) { return MessageIn(texts::kUsageMessage, languageId); }

Message AnotherInstallationMessage(int languageId) { return MessageIn(texts::kAnotherInstallationMessage, languageId); }

Message InvalidCommandLineMessage(const std::wstring& reason, int languageId) {
  const Message heading = MessageIn(texts::kInvalidCommandLineMessage, languageId);
  return {heading.text + reason + Pick(texts::kInvalidCommandLineHelp, languageId).TextOrEmpty(), heading.caption};
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
  return Pick(texts::kWizardTitle, languageId).TextOrEmpty();
}

std::wstring FinishCaption(bool failurePage, int languageId) {
  return Pick(failurePage ? texts::kFailureFinishCaption : texts::kFinishCaption, languageId).TextOrEmpty();
}

std::wstring StartMenuFolderName(const std::wstring& printerName, int languageId) {
  return printerName + Pick(texts::kStartMenuFolderSuffix, languageId).TextOrEmpty();
}

std::wstring UninstallShortcutName(int languageId) {
  return Pick(texts::kUninstallShortcutName, languageId).TextOrEmpty();
}

std::wstring InstallingStatus(int languageId) { return Pick(texts::kInstallingStatus, languageId).TextOrEmpty(); }

std::wstring ModelPlaceholder(int languageId) { return Pick(texts::kModelPlaceholder, languageId).TextOrEmpty(); }

std::optional<std::wstring> NetworkPortItem(int languageId) {
  return Pick(texts::kNetworkPortItem, languageId).Text();
}

}  // namespace wizard
