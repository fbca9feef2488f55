#include "ui/page_texts.h"

#include <cwchar>
#include <optional>

#include "texts/language.h"
#include "texts/page_wording.h"
#include "ui/wizard_page.h"

namespace ui {
namespace {

using texts::Pick;

constexpr texts::ByLanguage<PageFontSpecs> kPageFonts{
    {{L"Ms Scanf", 20, 800, ANSI_CHARSET}, {L"Ms Scanf", 15, 400, ANSI_CHARSET}, {L"Ms Scanf", 15, 800, ANSI_CHARSET}},
    {{L"宋体", 14, 800, GB2312_CHARSET}, {L"宋体", 12, 400, GB2312_CHARSET}, {L"Ms Scanf", 12, 800, GB2312_CHARSET}},
    // The body and title faces are spelled so on purpose: the font mapper picks their stand-in.
    {{L"Times New Roman", 18, 800, ANSI_CHARSET},
     {L"Times New Romans", 15, 400, ANSI_CHARSET},
     {L"Times New Romans", 15, 800, ANSI_CHARSET}},
};

// What each page writes: its title and the wizard text file's section it shows.
struct PageWords {
  int32_t page;
  std::optional<texts::PageTitle> title;
  std::optional<size_t> section;  // into WizardConfig's PageText
};

using Title = texts::PageTitle;
constexpr PageWords kPageWords[] = {
    {kWelcomePage, std::nullopt, 0},
    {kFolderPage, Title::ChooseFolder, 1},
    {kSettingsPage, Title::PrinterSetting, std::nullopt},
    {kInstallingPage, Title::Installing, 2},
    {kFinishedPage, Title::SetupComplete, 3},
    {kCancelledPage, Title::Ended, 4},
    {kFailedPage, Title::Ended, 5},
    {kFailurePage, Title::SetupFailed, 5},
};

const PageWords* FindPageWords(int32_t page) {
  for (const PageWords& words : kPageWords) {
    if (words.page == page) return &words;
  }
  return nullptr;
}


}  // namespace

const PageFontSpecs& PageFontsFor(int languageId) { return Pick(kPageFonts, languageId); }

std::wstring PageTitle(int32_t page, int languageId) {
  const PageWords* words = FindPageWords(page);
  if (words == nullptr || !words->title) return {};
  return Pick(texts::PageTitleText(*words->title), languageId).TextOrEmpty();
}

std::wstring FolderFrameLabel(int languageId) { return Pick(texts::kFolderFrameLabel, languageId).TextOrEmpty(); }

std::wstring PageBodyText(int32_t page, int languageId, const texts::WizardConfigTable& config) {
  const PageWords* words = FindPageWords(page);
  if (words == nullptr || !words->section) return {};
  const wchar_t* configured = config.PageText[*words->section];
  const size_t length = wcsnlen(configured, texts::kPageTextCapacity);
  if (length > 0) return std::wstring(configured, length);
  return Pick(texts::kBuiltInPageTexts[*words->section], languageId).TextOrEmpty();
}

std::wstring StatusPlaceholder(int languageId) { return Pick(texts::kStatusPlaceholder, languageId).TextOrEmpty(); }

}  // namespace ui
