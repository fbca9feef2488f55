#include "ui/page_texts.h"

#include <cwchar>
#include <optional>

#include "texts/language.h"
#include "texts/page_wording.h"
#include "ui/wizard_page.h"

namespace ui {
namespace {

using texts::PageTitle;

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
  std::optional<PageTitle> title;
  std::optional<size_t> section;  // into WizardConfig's PageText
};

constexpr PageWords kPageWords[] = {
    {kWelcomePage, std::nullopt, 0},
    {kFolderPage, PageTitle::ChooseFolder, 1},
    {kSettingsPage, PageTitle::PrinterSetting, std::nullopt},
    {kInstallingPage, PageTitle::Installing, 2},
    {kFinishedPage, PageTitle::SetupComplete, 3},
    {kCancelledPage, PageTitle::Ended, 4},
    {kFailedPage, PageTitle::Ended, 5},
    {kFailurePage, PageTitle::SetupFailed, 5},
};

const PageWords* FindPageWords(int32_t page) {
  for (const PageWords& words : kPageWords) {
    if (words.page == page) return &words;
  }
  return nullptr;
}

std::wstring TextIn(const texts::LocalizedText& text, int languageId) {
  return texts::Pick(text, languageId).TextOrEmpty();
}

}  // namespace

const PageFontSpecs& PageFontsFor(int languageId) { return texts::Pick(kPageFonts, languageId); }

std::wstring PageTitle(int32_t page, int languageId) {
  const PageWords* words = FindPageWords(page);
  if (words == nullptr || !words->title) return {};
  return TextIn(texts::PageTitleText(*words->title), languageId);
}

std::wstring FolderFrameLabel(int languageId) { return TextIn(texts::kFolderFrameLabel, languageId); }

std::wstring PageBodyText(int32_t page, int languageId, const texts::WizardConfigTable& config) {
  const PageWords* words = FindPageWords(page);
  if (words == nullptr || !words->section) return {};
  const wchar_t* configured = config.PageText[*words->section];
  const size_t length = wcsnlen(configured, texts::kPageTextCapacity);
  if (length > 0) return std::wstring(configured, length);
  return TextIn(texts::kBuiltInPageTexts[*words->section], languageId);
}

std::wstring StatusPlaceholder(int languageId) { return TextIn(texts::kStatusPlaceholder, languageId); }

}  // namespace ui
