// The page window as the dialog uses it: creation over the dialog, the folder field and status
// changes from the installation worker.
#include <gtest/gtest.h>
#include <windows.h>

#include "tests/unit/ui/ui_test_support.h"
#include "texts/language.h"
#include "texts/wizard_config.h"
#include "ui/wizard_wnd.h"

namespace {

class WizardWindowTest : public testing::Test {
 protected:
  void TearDown() override { texts::WizardConfig = {}; }

  test::HostWindow m_host;
  ui::CWizardWnd m_wizard;
};

TEST_F(WizardWindowTest, CreateCoversTheDialogAboveItsButtonStripWithAHiddenFolderField) {
  ASSERT_TRUE(m_wizard.Create(&m_host, texts::kEnglish));
  const RECT host = m_host.GetClientRect();
  EXPECT_EQ(GetParent(m_wizard.m_hWnd), m_host.m_hWnd);
  EXPECT_EQ(test::RectInParent(m_wizard.m_hWnd), (RECT{0, 0, host.right - 2, host.bottom - 50}));
  EXPECT_EQ(GetWindowLongW(m_wizard.m_hWnd, GWL_STYLE) & 0x56000000, 0x56000000);

  const HWND field = m_wizard.m_editFolder.m_hWnd;
  EXPECT_EQ(GetParent(field), m_wizard.m_hWnd);
  EXPECT_FALSE(IsWindowVisible(field));
  EXPECT_EQ(test::RectInParent(field), (RECT{38, 182, 362, 204}));
  EXPECT_EQ(m_wizard.m_editFolder.GetText(), L"");
  EXPECT_EQ(m_wizard.m_strStatus, L"Please wait...");
  EXPECT_EQ(m_wizard.LanguageId(), texts::kEnglish);
}

TEST_F(WizardWindowTest, ChineseSetsTheLanguageAndTheStatusDefault) {
  ASSERT_TRUE(m_wizard.Create(&m_host, texts::kChinese));
  EXPECT_EQ(m_wizard.LanguageId(), texts::kChinese);
  EXPECT_EQ(m_wizard.m_strStatus, L"请稍候...");
}

TEST_F(WizardWindowTest, CreateWithoutADialogWindowCreatesNothing) {
  framework::CWnd noDialog;
  EXPECT_FALSE(m_wizard.Create(&noDialog, texts::kEnglish));
  EXPECT_EQ(m_wizard.m_hWnd, nullptr);
  EXPECT_EQ(m_wizard.m_editFolder.m_hWnd, nullptr);
}

TEST_F(WizardWindowTest, ShowFolderFieldShowsAndHidesTheFlatFieldAtOnce) {
  ASSERT_TRUE(m_wizard.Create(&m_host, texts::kEnglish));
  m_wizard.m_nPage = ui::kFolderPage;
  m_wizard.ShowFolderField(TRUE);
  EXPECT_TRUE(IsWindowVisible(m_wizard.m_editFolder.m_hWnd));
  EXPECT_EQ(test::ScreenPixel(m_wizard.m_hWnd, 38, 190), RGB(127, 157, 187));
  m_wizard.ShowFolderField(FALSE);
  EXPECT_FALSE(IsWindowVisible(m_wizard.m_editFolder.m_hWnd));
  EXPECT_EQ(test::ScreenPixel(m_wizard.m_hWnd, 38, 190), RGB(236, 233, 216));
}

TEST_F(WizardWindowTest, StatusLineIsDrawnAsSoonAsItIsSet) {
  ASSERT_TRUE(m_wizard.Create(&m_host, texts::kEnglish));
  m_wizard.m_nPage = ui::kInstallingPage;
  m_wizard.m_strStatus = L"";
  m_wizard.Repaint();
  const RECT statusLine{28, 160, 200, 176};
  test::Canvas shown(200, 176);
  shown.CopyFrom(m_wizard.m_hWnd);
  ASSERT_EQ(shown.Count(statusLine, test::IsInk), 0);

  m_wizard.SetStatus(L"Copying plotter.dll");
  EXPECT_EQ(m_wizard.m_strStatus, L"Copying plotter.dll");
  shown.CopyFrom(m_wizard.m_hWnd);
  EXPECT_GT(shown.Count(statusLine, test::IsInk), 0);
}

}  // namespace
