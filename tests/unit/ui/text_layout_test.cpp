// Breaking page texts into lines, and the titled frame around the folder field.
#include <gtest/gtest.h>
#include <windows.h>

#include <climits>
#include <numeric>

#include "tests/unit/ui/ui_test_support.h"
#include "ui/paint_tools.h"
#include "ui/wizard_wnd.h"

namespace {

using Lines = std::vector<std::wstring>;
using ui::CWizardWnd;

constexpr COLORREF kFrameLine = RGB(208, 208, 191);

class TextLayoutTest : public testing::Test {
 protected:
  void Select(int height) {
    m_font = ui::CreateFontFromSpec({L"Arial", height, FW_NORMAL, ANSI_CHARSET});
    SelectObject(m_canvas.Dc(), m_font.Get());
  }
  SIZE Extent(const std::wstring& text) const {
    SIZE extent{};
    GetTextExtentPoint32W(m_canvas.Dc(), text.c_str(), static_cast<int>(text.size()), &extent);
    return extent;
  }
  Lines Split(const std::wstring& text, int maxWidth) {
    Lines lines;
    EXPECT_EQ(CWizardWnd::SplitTextLines(m_canvas.Dc(), text, lines, maxWidth), static_cast<int>(text.size()));
    return lines;
  }

  test::Canvas m_canvas{240, 120};
  framework::UniqueFont m_font;
};

TEST_F(TextLayoutTest, LineFeedsEndLinesAndStayInThem) {
  Select(16);
  EXPECT_EQ(Split(L"A\n\nB", 1000), (Lines{L"A\n", L"\n", L"B"}));
  EXPECT_EQ(Split(L"A\n", 1000), (Lines{L"A\n"}));
  EXPECT_EQ(Split(L"", 1000), Lines{});
  Lines kept{L"earlier"};
  CWizardWnd::SplitTextLines(m_canvas.Dc(), L"later", kept, 1000);
  EXPECT_EQ(kept, (Lines{L"earlier", L"later"}));
}

TEST_F(TextLayoutTest, ALineEndsWithTheCharacterThatMakesItTooWide) {
  const std::wstring text = L"The wizard will install the printer driver in the following folder.";
  Select(16);
  const int maxWidth = Extent(L"The wizard").cx;
  const Lines lines = Split(text, maxWidth);
  EXPECT_EQ(lines.front(), L"The wizard ");
  EXPECT_EQ(std::accumulate(lines.begin(), lines.end(), std::wstring()), text);
  for (size_t index = 0; index + 1 < lines.size(); ++index) {
    EXPECT_GT(Extent(lines[index]).cx, maxWidth) << index;
    EXPECT_LE(Extent(lines[index].substr(0, lines[index].size() - 1)).cx, maxWidth) << index;
  }
  EXPECT_LE(Extent(lines.back()).cx, maxWidth);
  // Measured with the selected font: a larger one breaks sooner.
  Select(32);
  EXPECT_GT(Split(text, maxWidth).size(), lines.size());
}

TEST_F(TextLayoutTest, ALineIsCutAt255Characters) {
  Select(16);
  const Lines lines = Split(std::wstring(600, L'i'), INT_MAX);
  EXPECT_EQ(lines, (Lines{std::wstring(255, L'i'), std::wstring(255, L'i'), std::wstring(90, L'i')}));
}

TEST_F(TextLayoutTest, GroupFrameHasCutCornersAndItsLabelOverAGapInTheTopEdge) {
  const RECT frame{20, 40, 220, 100};
  const auto [l, t, r, b] = frame;
  m_canvas.Fill(RGB(255, 255, 255));
  Select(16);
  const HGDIOBJ selectedFont = GetCurrentObject(m_canvas.Dc(), OBJ_FONT);
  CWizardWnd::DrawGroupFrame(m_canvas.Dc(), frame, L"Path", m_font.Get());

  const SIZE label = Extent(L"Path");
  EXPECT_EQ(m_canvas.Count({l, t + 2, l + 1, b - 1}, test::Is(kFrameLine)), b - t - 3);  // left edge
  EXPECT_EQ(m_canvas.Count({r, t + 3, r + 1, b - 2}, test::Is(kFrameLine)), b - t - 5);  // right edge
  EXPECT_EQ(m_canvas.Count({l + 2, b, r - 2, b + 1}, test::Is(kFrameLine)), r - l - 4);  // bottom edge
  for (const POINT corner : {POINT{l, t}, {r, t}, {l, b}, {r, b}})
    EXPECT_NE(m_canvas.Pixel(corner.x, corner.y), kFrameLine);
  for (const POINT step : {POINT{l + 1, t + 1}, {l + 1, b - 1}, {r - 1, b - 2}, {r - 2, t + 1}}) {
    EXPECT_EQ(m_canvas.Pixel(step.x, step.y), kFrameLine);
  }
  // The top edge is open exactly where the label stands.
  EXPECT_EQ(m_canvas.Pixel(l + 6, t), kFrameLine);
  EXPECT_EQ(m_canvas.Count({l + 7, t, l + label.cx + 8, t + 1}, test::Is(kFrameLine)), 0);
  EXPECT_EQ(m_canvas.Pixel(l + label.cx + 8, t), kFrameLine);

  const RECT ink = m_canvas.Bounds(m_canvas.Area(), [](COLORREF pixel) {
    return GetBValue(pixel) > GetRValue(pixel) + 60 && GetBValue(pixel) > GetGValue(pixel) + 40;
  });
  EXPECT_GE(ink.left, l + 8);
  EXPECT_LE(ink.right, l + 8 + label.cx);
  EXPECT_GE(ink.top, t - label.cy / 2);
  EXPECT_LT(ink.top, t);
  EXPECT_GT(ink.bottom, t);  // the label's middle lies on the top edge
  EXPECT_EQ(GetCurrentObject(m_canvas.Dc(), OBJ_FONT), selectedFont);
  EXPECT_EQ(GetTextColor(m_canvas.Dc()), RGB(0, 70, 213));
}

TEST_F(TextLayoutTest, GroupFrameWithoutFontMeasuresItsLabelInArial14) {
  Select(30);
  m_canvas.Fill(RGB(255, 255, 255));
  CWizardWnd::DrawGroupFrame(m_canvas.Dc(), {10, 60, 230, 110}, L"Target folder", nullptr);
  Select(14);
  const int gapEnd = 10 + Extent(L"Target folder").cx + 8;
  EXPECT_NE(m_canvas.Pixel(gapEnd - 1, 60), kFrameLine);
  EXPECT_EQ(m_canvas.Pixel(gapEnd, 60), kFrameLine);
}

}  // namespace
