#include "ui/page_texts.h"

#include <cwchar>
#include <iterator>

#include "texts/language.h"
#include "texts/text_ini.h"
#include "ui/wizard_page.h"

namespace ui {
namespace {

constexpr PageFontSpecs kPageFonts[] = {
    {{L"Ms Scanf", 20, 800, ANSI_CHARSET}, {L"Ms Scanf", 15, 400, ANSI_CHARSET}, {L"Ms Scanf", 15, 800, ANSI_CHARSET}},
    {{L"宋体", 14, 800, GB2312_CHARSET}, {L"宋体", 12, 400, GB2312_CHARSET}, {L"Ms Scanf", 12, 800, GB2312_CHARSET}},
    // The body and title faces are spelled so on purpose: the font mapper picks their stand-in.
    {{L"Times New Roman", 18, 800, ANSI_CHARSET},
     {L"Times New Romans", 15, 400, ANSI_CHARSET},
     {L"Times New Romans", 15, 800, ANSI_CHARSET}},
};

struct LocalizedText {
  const wchar_t* english;
  const wchar_t* chinese;
  texts::CaptionKey russian;
};

struct TitledPage {
  int32_t page;
  LocalizedText title;
};

constexpr TitledPage kPageTitles[] = {
    {kFolderPage, {L"Choose installation folder", L"选择安装文件夹", texts::caption::kChooseInstallationFolder}},
    {kSettingsPage, {L"Printer Setting", L"设置打印机", texts::caption::kPrinterSetting}},
    {kInstallingPage, {L"Installing", L"正在安装", texts::caption::kInstalling}},
    {kFinishedPage, {L"Setup Complete", L"安装完成", texts::caption::kSetupComplete}},
    {kFailurePage, {L"Setup Failed", L"安装失败", texts::caption::kSetupFailed}},
};

constexpr LocalizedText kFolderFrameLabel{L"Target folder", L"目标文件夹", texts::caption::kInstallPath};

struct PageText {
  int32_t page;
  size_t configIndex;  // into WizardConfig's PageText
  const wchar_t* english;
  const wchar_t* chinese;
};

constexpr PageText kPageTexts[] = {
    {kWelcomePage, 0,
     L"Welcome use R210 printer.\n\nThis Wizard will install R210 printer driver in \nyour computer.This software "
     L"can support word,excel \netc program standard printing function.\n\n\n\n\nPlease click [next] to continue.",
     L"欢迎使用R210打印机驱动\n\n本向导将会在您的电脑上安装R210打印机驱动。本程序支持Word、Excel等程序的Windows标准打印"
     L"功能。\n\n本程序在完成安装之后，不必重启系統就可以直接使用。\n\n\n请点击[下一步]继续。"},
    {kFolderPage, 1,
     L"The wizard will install the R210 printer driver in the following folder If \nyou want to install to a "
     L"different folder, please click [Browse] and choose other \nfolder. Click [next] to continue.",
     L"安装程序将打印机驱动安装在下列文件夹。如果要安装到不同的文件夹，点击   "
     L"【浏览】并选择其它文件夹。点击【下一步】继续。"},
    {kInstallingPage, 2,
     L"The wizard is installing R210 printer driver in your computer.Please wait, the progress will spend your few "
     L"minute.",
     L"安装程序正在R210打印机驱动到您的电脑上。请等待，这个工程可能会花几分钟。"},
    {kFinishedPage, 3, L"R210 printer driver has been successfully installed in your computer. ",
     L"R210打印机驱动已成功安装到您的电脑。 "},
    {kCancelledPage, 4, L"The operation cancelled by user。 ", L"用户取消操作。 "},
    {kFailedPage, 5, L"The Printer Driver install fail. ", L"打印机驱动安装失败。 "},
    {kFailurePage, 5, L"The Printer Driver install fail. ", L"打印机驱动安装失败。 "},
};

std::wstring Localize(const LocalizedText& text, int languageId) {
  switch (languageId) {
    case texts::kChinese: return text.chinese;
    case texts::kRussian: return texts::LookUpCaption(text.russian);
    default: return text.english;
  }
}

}  // namespace

const PageFontSpecs& PageFontsFor(int languageId) {
  const bool known = languageId >= 0 && languageId < static_cast<int>(std::size(kPageFonts));
  return kPageFonts[known ? languageId : texts::kEnglish];
}

std::wstring PageTitle(int32_t page, int languageId, bool chinese) {
  // The cancel and failed pages reuse the completion title and read no file.
  if (page == kCancelledPage || page == kFailedPage) return chinese ? L"安装完成" : L"Setup Complete";
  for (const TitledPage& titled : kPageTitles) {
    if (titled.page == page) return Localize(titled.title, languageId);
  }
  return {};
}

std::wstring FolderFrameLabel(int languageId) {
  return Localize(kFolderFrameLabel, languageId);
}

std::wstring PageBodyText(int32_t page, bool chinese, const texts::WizardConfigTable& config) {
  for (const PageText& text : kPageTexts) {
    if (text.page != page) continue;
    const wchar_t* configured = config.PageText[text.configIndex];
    const size_t length = wcsnlen(configured, texts::kPageTextCapacity);
    if (length > 0) return std::wstring(configured, length);
    return chinese ? text.chinese : text.english;
  }
  return {};
}

}  // namespace ui
