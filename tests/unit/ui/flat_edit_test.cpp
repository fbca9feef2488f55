// The flat install-folder field: its frame, its inner edit and how the edit paints disabled.
#include "ui/flat_edit.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "tests/unit/ui/ui_test_support.h"

namespace {

constexpr COLORREF kFrameEnabled = RGB(127, 157, 187);
constexpr COLORREF kGrey = RGB(192, 192, 192);
constexpr RECT kFieldRect{10, 20, 334, 42};

class FlatEditTest : public testing::Test {
 protected:
  void SetUp() override {
    m_field.Create(&kFieldRect, &m_host);
    m_edit = GetDlgItem(m_field.m_hWnd, ui::CFlatEdit::kEditId);
  }
  // Shows the field and reads it back from the screen.
  const test::Canvas& Show() {
    m_field.ShowWindow(SW_SHOW);
    m_host.UpdateWindow();
    m_shown.CopyFrom(m_field.m_hWnd);
    return m_shown;
  }
  int FramePixels(COLORREF color) const { return m_shown.Count(m_shown.Area(), test::Is(color)); }

  test::HostWindow m_host;
  ui::CFlatEdit m_field;
  HWND m_edit = nullptr;
  test::Canvas m_shown{324, 22};
};

TEST_F(FlatEditTest, FrameWindowHoldsABorderlessEditTwoPixelsInside) {
  EXPECT_EQ(test::RectInParent(m_field.m_hWnd), kFieldRect);
  EXPECT_FALSE(IsWindowVisible(m_field.m_hWnd));
  EXPECT_EQ(test::RectInParent(m_edit), (RECT{2, 3, 323, 21}));
  const LONG style = GetWindowLongW(m_edit, GWL_STYLE);
  EXPECT_TRUE(style & WS_VISIBLE);
  EXPECT_FALSE(style & WS_BORDER);
  EXPECT_TRUE(style & ES_AUTOHSCROLL);
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(m_edit, WM_GETFONT, 0, 0)), sizeof font, &font);
  EXPECT_STREQ(font.lfFaceName, L"Arial");
  EXPECT_EQ(font.lfHeight, 14);
}

TEST_F(FlatEditTest, SetTextMarksTheTextModifiedAndGetTextReadsWhatIsTyped) {
  EXPECT_EQ(SendMessageW(m_edit, EM_GETMODIFY, 0, 0), 0);
  m_field.SetText(L"C:\\Program Files\\Demo80");
  EXPECT_NE(SendMessageW(m_edit, EM_GETMODIFY, 0, 0), 0);
  const int end = GetWindowTextLengthW(m_edit);
  SendMessageW(m_edit, EM_SETSEL, end, end);
  SendMessageW(m_edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"\\Mine"));
  EXPECT_EQ(m_field.GetText(), L"C:\\Program Files\\Demo80\\Mine");
}

TEST_F(FlatEditTest, FrameIsAOnePixelOutlineThatTurnsGreyWhenDisabled) {
  Show();
  const int outline = 2 * 324 + 2 * 22 - 4;
  EXPECT_EQ(FramePixels(kFrameEnabled), outline);
  EXPECT_EQ(m_shown.Pixel(1, 1), RGB(255, 255, 255));
  m_field.EnableWindow(FALSE);
  m_field.InvalidateRect(nullptr, TRUE);
  Show();
  EXPECT_EQ(FramePixels(kGrey), outline);
  EXPECT_EQ(FramePixels(kFrameEnabled), 0);
}

TEST_F(FlatEditTest, DisabledEditDrawsItsTextInLightGreyAtItsTopLeft) {
  m_field.SetText(L"C:\\Program Files\\Demo80");
  EXPECT_GT(Show().Count({2, 3, 323, 21}, test::IsInk), 0);
  // Hidden first: the disabled edit draws no background over the enabled text.
  m_field.ShowWindow(SW_HIDE);
  m_host.UpdateWindow();
  EnableWindow(m_edit, FALSE);
  Show();
  EXPECT_EQ(m_shown.Count({2, 3, 323, 21}, test::IsInk), 0);
  const RECT grey = m_shown.Bounds({2, 3, 323, 21}, test::Is(kGrey));
  EXPECT_LE(grey.left, 2 + 1);
  EXPECT_GT(grey.right, 2 + 100);
  EXPECT_LE(grey.top, 3 + 4);
}

TEST_F(FlatEditTest, EditNeverErasesItsBackground) {
  test::Canvas canvas(20, 20);
  canvas.Fill(RGB(1, 2, 3));
  EXPECT_NE(SendMessageW(m_edit, WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.Dc()), 0), 0);
  EXPECT_EQ(canvas.Count(canvas.Area(), test::Is(RGB(1, 2, 3))), 400);
}

}  // namespace
