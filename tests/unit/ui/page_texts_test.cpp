// Page titles, the folder-frame label and body texts in English, Chinese and Russian.
#include "ui/page_texts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <vector>

#include "tests/unit/ui/ui_test_support.h"
#include "texts/text_ini.h"

namespace {

using ui::FolderFrameLabel;
using ui::PageBodyText;
using ui::PageTitle;

constexpr int kEnglish = 0;
constexpr int kChinese = 1;
constexpr int kRussian = 2;

TEST(PageTitleTest, EnglishAndChineseTitlesByPage) {
  const struct {
    int page;
    const wchar_t* english;
    const wchar_t* chinese;
  } titles[] = {{0, L"", L""},
                {1, L"Choose installation folder", L"选择安装文件夹"},
                {2, L"Printer Setting", L"设置打印机"},
                {3, L"Installing", L"正在安装"},
                {4, L"Setup Complete", L"安装完成"},
                {7, L"", L""},
                {8, L"Setup Failed", L"安装失败"}};
  for (const auto& title : titles) {
    EXPECT_EQ(PageTitle(title.page, kEnglish), title.english) << title.page;
    EXPECT_EQ(PageTitle(title.page, kChinese), title.chinese) << title.page;
  }
  EXPECT_EQ(FolderFrameLabel(kEnglish), L"Target folder");
  EXPECT_EQ(FolderFrameLabel(kChinese), L"目标文件夹");
}

TEST(PageTitleTest, CancelAndFailurePagesTakeTheCompletionTitleInEnglishOrChinese) {
  for (const int page : {5, 6}) {
    EXPECT_EQ(PageTitle(page, kChinese), L"安装完成");
    EXPECT_EQ(PageTitle(page, kEnglish), L"Setup Complete");
    EXPECT_EQ(PageTitle(page, kRussian), L"Setup Complete");
  }
}

TEST(PageTitleTest, RussianTitlesComeFromTextIniWithEnglishDefaults) {
  EXPECT_EQ(PageTitle(3, kRussian), L"Installing");
  EXPECT_EQ(FolderFrameLabel(kRussian), L"Path");
  {
    const std::string file = test::Utf16File(L"[Text]\r\nInstalling=Установка\r\nInstallPath=Папка установки\r\n"
                                             L"Setup Complete=Установка завершена\r\n");
    const std::vector<uint8_t> bytes(file.begin(), file.end());
    texts::TakeTextIni(&bytes);
    EXPECT_EQ(PageTitle(3, kRussian), L"Установка");
    EXPECT_EQ(PageTitle(4, kRussian), L"Установка завершена");
    EXPECT_EQ(PageTitle(5, kRussian), L"Setup Complete");
    EXPECT_EQ(PageTitle(8, kRussian), L"Setup Failed");
    EXPECT_EQ(FolderFrameLabel(kRussian), L"Папка установки");
    texts::TakeTextIni(nullptr);
  }
  EXPECT_EQ(FolderFrameLabel(kRussian), L"Path");
}

TEST(PageBodyTextTest, ConfiguredTextOrTheBuiltInOneByLanguage) {
  texts::WizardConfigTable config{};
  wcscpy(config.PageText[3], L"Installed.\nClick Finish.\n");
  wcscpy(config.PageText[5], L"Not installed.\n");
  EXPECT_EQ(PageBodyText(4, kEnglish, config), L"Installed.\nClick Finish.\n");
  EXPECT_EQ(PageBodyText(6, kChinese, config), L"Not installed.\n");
  EXPECT_EQ(PageBodyText(8, kChinese, config), L"Not installed.\n");
  EXPECT_EQ(PageBodyText(5, kEnglish, config), L"The operation cancelled by user。 ");
  EXPECT_EQ(PageBodyText(5, kChinese, config), L"用户取消操作。 ");
  EXPECT_EQ(PageBodyText(3, kEnglish, config).substr(0, 30), L"The wizard is installing R210 ");
  EXPECT_EQ(PageBodyText(0, kChinese, config).substr(0, 13), L"欢迎使用R210打印机驱动");
  EXPECT_EQ(PageBodyText(2, kEnglish, config), L"");
  EXPECT_EQ(PageBodyText(7, kEnglish, config), L"");
  // A field filled to its last unit is not read into the next one.
  std::fill_n(config.PageText[1], texts::kPageTextCapacity, L'x');
  wcscpy(config.PageText[2], L"next page");
  EXPECT_EQ(PageBodyText(1, kEnglish, config), std::wstring(texts::kPageTextCapacity, L'x'));
}

}  // namespace
