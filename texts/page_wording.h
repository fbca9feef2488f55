// What the page window writes in the three languages: the header band's titles, the built-in
// page texts that stand in for empty sections of the wizard text file, the folder frame's label
// and the status line before the installation reports.
#pragma once

#include <cstddef>
#include <iterator>

#include "texts/localized_text.h"
#include "texts/wizard_text_parser.h"

namespace texts {

enum class PageTitle {
  ChooseFolder,
  PrinterSetting,
  Installing,
  SetupComplete,
  SetupFailed,
  Ended,  // the last: the cancelled and failed pages' completion title, never from Text.ini
};
inline constexpr size_t kPageTitleCount = static_cast<size_t>(PageTitle::Ended) + 1;

struct PageTitleWording {
  PageTitle title;
  LocalizedText text;
};

inline constexpr PageTitleWording kPageTitles[] = {
    {PageTitle::ChooseFolder, {L"Choose installation folder", L"选择安装文件夹", caption::kChooseInstallationFolder}},
    {PageTitle::PrinterSetting, {L"Printer Setting", L"设置打印机", caption::kPrinterSetting}},
    {PageTitle::Installing, {L"Installing", L"正在安装", caption::kInstalling}},
    {PageTitle::SetupComplete, {L"Setup Complete", L"安装完成", caption::kSetupComplete}},
    {PageTitle::SetupFailed, {L"Setup Failed", L"安装失败", caption::kSetupFailed}},
    {PageTitle::Ended, RussianAsEnglish(L"Setup Complete", L"安装完成")},
};
static_assert(std::size(kPageTitles) == kPageTitleCount && InKeyOrder(kPageTitles, &PageTitleWording::title));

constexpr const LocalizedText& PageTitleText(PageTitle title) { return kPageTitles[static_cast<size_t>(title)].text; }

// By section of the wizard text file: welcome, folder, installing, completed, cancelled, failed.
// The Russian wizard shows the English ones.
inline constexpr LocalizedText kBuiltInPageTexts[kPageCount] = {
    RussianAsEnglish(
        L"Welcome use R210 printer.\n\nThis Wizard will install R210 printer driver in \nyour computer.This software "
        L"can support word,excel \netc program standard printing function.\n\n\n\n\nPlease click [next] to continue.",
        L"欢迎使用R210打印机驱动\n\n本向导将会在您的电脑上安装R210打印机驱动。本程序支持Word、Excel等程序的Windows标准打印"
        L"功能。\n\n本程序在完成安装之后，不必重启系統就可以直接使用。\n\n\n请点击[下一步]继续。"),
    RussianAsEnglish(
        L"The wizard will install the R210 printer driver in the following folder If \nyou want to install to a "
        L"different folder, please click [Browse] and choose other \nfolder. Click [next] to continue.",
        L"安装程序将打印机驱动安装在下列文件夹。如果要安装到不同的文件夹，点击   "
        L"【浏览】并选择其它文件夹。点击【下一步】继续。"),
    RussianAsEnglish(
        L"The wizard is installing R210 printer driver in your computer.Please wait, the progress will spend your few "
        L"minute.",
        L"安装程序正在R210打印机驱动到您的电脑上。请等待，这个工程可能会花几分钟。"),
    RussianAsEnglish(L"R210 printer driver has been successfully installed in your computer. ",
                     L"R210打印机驱动已成功安装到您的电脑。 "),
    RussianAsEnglish(L"The operation cancelled by user。 ", L"用户取消操作。 "),
    RussianAsEnglish(L"The Printer Driver install fail. ", L"打印机驱动安装失败。 "),
};

inline constexpr LocalizedText kFolderFrameLabel{L"Target folder", L"目标文件夹", caption::kInstallPath};

// Until the installation reports its first status.
inline constexpr LocalizedText kStatusPlaceholder = RussianAsEnglish(L"Please wait...", L"请稍候...");

}  // namespace texts
