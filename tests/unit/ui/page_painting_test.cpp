// Each page as the page window paints it, read back from a memory bitmap.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cwchar>
#include <memory>

#include "resources/resource.h"
#include "tests/unit/ui/ui_test_support.h"
#include "texts/language.h"
#include "texts/wizard_config.h"
#include "ui/paint_tools.h"
#include "ui/wizard_wnd.h"

namespace {

constexpr COLORREF kMarker = RGB(1, 2, 3);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBackground = RGB(236, 233, 216);
constexpr COLORREF kSeparator = RGB(172, 168, 153);
constexpr COLORREF kFrameLine = RGB(208, 208, 191);
constexpr COLORREF kLogoRed = RGB(200, 0, 0);

bool IsBlack(COLORREF color) { return GetRValue(color) < 40 && GetGValue(color) < 40 && GetBValue(color) < 40; }
bool IsBlue(COLORREF color) { return GetBValue(color) > GetRValue(color) + 60; }

class PagePaintingTest : public testing::Test {
 protected:
  void SetUp() override { Start(texts::kEnglish); }
  void TearDown() override { texts::WizardConfig = {}; }

  void Start(int languageId) {
    m_wizard = std::make_unique<ui::CWizardWnd>();
    ASSERT_TRUE(m_wizard->Create(&m_host, languageId));
    m_client = m_wizard->GetClientRect();
    m_canvas = std::make_unique<test::Canvas>(m_client.right, m_client.bottom);
  }
  const test::Canvas& Paint(int32_t page, bool clear = true) {
    m_wizard->m_nPage = page;
    if (clear) m_canvas->Fill(kMarker);
    m_wizard->DrawPage(m_canvas->Dc(), m_client);
    return *m_canvas;
  }
  int Width() const { return m_client.right; }
  int Height() const { return m_client.bottom; }
  RECT Below(int top) const { return {0, top, Width(), Height()}; }
  void SetPageText(size_t index, const wchar_t* text) { wcscpy(texts::WizardConfig.PageText[index], text); }
  void SetLogo(const std::string& file) {
    m_wizard->SetLogo({reinterpret_cast<const uint8_t*>(file.data()), file.size()});
  }

  test::HostWindow m_host;
  std::unique_ptr<ui::CWizardWnd> m_wizard;
  RECT m_client{};
  std::unique_ptr<test::Canvas> m_canvas;
};

TEST_F(PagePaintingTest, HeaderPagesHaveAWhiteBandASeparatorAndThePageBackground) {
  for (const int page : {1, 2, 3, 4, 5, 6, 8}) {
    const test::Canvas& canvas = Paint(page);
    EXPECT_EQ(canvas.Count({0, 54, Width(), 55}, test::Is(kSeparator)), Width()) << page;
    EXPECT_EQ(canvas.Count({Width() - 200, 0, Width(), 54}, test::Is(kWhite)), 200 * 54) << page;
    EXPECT_EQ(canvas.Pixel(2, 53), kWhite) << page;
    EXPECT_EQ(canvas.Pixel(2, 55), kBackground) << page;
    EXPECT_EQ(canvas.Pixel(Width() - 1, Height() - 1), kBackground) << page;
  }
}

TEST_F(PagePaintingTest, PagesWithoutContentPaintNothing) {
  for (const int page : {7, 9, 100, -1})
    EXPECT_EQ(Paint(page).Count(m_canvas->Area(), test::Is(kMarker)), Width() * Height());
}

TEST_F(PagePaintingTest, TitleIsDrawnInTheTitleFontAtItsPlace) {
  const RECT titleArea{0, 0, Width() - 200, 54};
  const RECT ink = Paint(4).Bounds(titleArea, test::IsInk);
  const framework::UniqueFont titleFont = ui::CreateFontFromSpec({L"Ms Scanf", 15, 800, ANSI_CHARSET});
  SelectObject(m_canvas->Dc(), titleFont.Get());
  SIZE extent{};
  GetTextExtentPoint32W(m_canvas->Dc(), L"Setup Complete", 14, &extent);
  EXPECT_GE(ink.left, 15);
  EXPECT_LE(ink.left, 17);
  EXPECT_NEAR(ink.right, 15 + extent.cx, 2);
  EXPECT_GE(ink.top, 10);
}

TEST_F(PagePaintingTest, BodyLinesStartAtTheBodyOriginAndFollowThePageLineStep) {
  SetPageText(2, L"One\nTwo\n");
  SetPageText(3, L"One\nTwo\n");
  m_wizard->m_strStatus = L"";
  const RECT installing = Paint(3).Bounds(Below(56), test::IsInk);
  EXPECT_GE(installing.left, 28);
  EXPECT_LE(installing.left, 30);
  EXPECT_GE(installing.top, 70);
  EXPECT_LE(installing.top, 74);
  EXPECT_GT(installing.bottom, 83 + 8);  // the second line 13 pixels below the first
  EXPECT_LE(installing.bottom, 83 + 15);
  EXPECT_GT(m_canvas->Count(Below(56), IsBlack), 0);  // drawn in black

  EXPECT_LE(Paint(4).Bounds({0, 56, Width(), 160}, test::IsInk).bottom, 70 + 15);
  const RECT secondLine = m_canvas->Bounds(Below(160), test::IsInk);
  EXPECT_GE(secondLine.top, 173);  // 103 pixels below the first
  EXPECT_LE(secondLine.top, 177);
}

TEST_F(PagePaintingTest, ALinesClosingLineFeedDrawsNothing) {
  SetPageText(3, L"Done");
  const RECT withoutLineFeed = Paint(4).Bounds(Below(56), test::IsInk);
  const int inkWithout = m_canvas->Count(Below(56), test::IsInk);
  SetPageText(3, L"Done\n");
  const RECT withLineFeed = Paint(4).Bounds(Below(56), test::IsInk);
  EXPECT_EQ(withLineFeed, withoutLineFeed);
  EXPECT_EQ(m_canvas->Count(Below(56), test::IsInk), inkWithout);
}

TEST_F(PagePaintingTest, StatusLineShowsOnTheInstallingPageOnly) {
  SetPageText(2, L"One\n");
  SetPageText(3, L"One\n");
  m_wizard->m_strStatus = L"";
  EXPECT_EQ(Paint(3).Count(Below(150), test::IsInk), 0);
  m_wizard->m_strStatus = L"Copying plotter.dll";
  const RECT status = Paint(3).Bounds(Below(150), test::IsInk);
  EXPECT_GE(status.left, 28);
  EXPECT_LE(status.left, 30);
  EXPECT_GE(status.top, 160);
  EXPECT_LE(status.top, 164);
  EXPECT_GT(status.right, 28 + 60);
  EXPECT_EQ(Paint(4).Count(Below(150), test::IsInk), 0);
}

TEST_F(PagePaintingTest, FolderPageFramesTheFieldWithItsBlueLabel) {
  const test::Canvas& canvas = Paint(1);
  EXPECT_EQ(canvas.Pixel(26, 190), kFrameLine);
  EXPECT_EQ(canvas.Pixel(453, 190), kFrameLine);
  EXPECT_EQ(canvas.Pixel(240, 218), kFrameLine);
  const RECT label = canvas.Bounds({26, 150, 453, 190}, IsBlue);
  EXPECT_GE(label.left, 34);
  EXPECT_LT(label.top, 168);
  EXPECT_GT(label.bottom, 168);
  EXPECT_EQ(Paint(3).Count(m_canvas->Area(), test::Is(kFrameLine)), 0);
}

TEST_F(PagePaintingTest, SettingsPageHasTheHeaderOnly) {
  for (size_t index = 0; index < texts::kPageCount; ++index) SetPageText(index, L"Some text\n");
  EXPECT_EQ(Paint(2).Count(Below(56), test::IsInk), 0);
}

TEST_F(PagePaintingTest, WelcomePageShowsThePictureAndTextOnWhiteWithNothingOfPageOneLeft) {
  Paint(1);
  const test::Canvas& canvas = Paint(0, false);
  test::Canvas picture(163, 295);
  const HANDLE bitmap =
      LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_WELCOME), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
  ASSERT_NE(bitmap, nullptr);
  picture.CopyFrom(static_cast<HBITMAP>(bitmap));
  DeleteObject(bitmap);
  int differing = 0;
  for (int y = 0; y < std::min(295, Height()); ++y) {  // the window may be lower than the picture
    for (int x = 0; x < 163; ++x) differing += canvas.Pixel(x, y) != picture.Pixel(x, y) ? 1 : 0;
  }
  EXPECT_EQ(differing, 0);

  const RECT text = canvas.Bounds({163, 0, Width(), Height()}, test::IsInk);
  EXPECT_GE(text.left, 180);
  EXPECT_LE(text.left, 183);
  EXPECT_GE(text.top, 20);
  EXPECT_LE(text.top, 26);
  EXPECT_EQ(canvas.Pixel(Width() - 1, 1), kWhite);
  EXPECT_EQ(canvas.Count(m_canvas->Area(), test::Is(kBackground)), 0);
  EXPECT_EQ(canvas.Count(m_canvas->Area(), test::Is(kFrameLine)), 0);
  EXPECT_EQ(canvas.Count(m_canvas->Area(), test::Is(kSeparator)), 0);
}

TEST_F(PagePaintingTest, WelcomeLinesBreakAsMeasuredInTheLargerHeadingFont) {
  SetPageText(0, (L"Welcome\n" + std::wstring(400, L'n')).c_str());
  const int wide = 1200;
  test::Canvas canvas(wide + 400, Height());  // room for lines that run past the window
  canvas.Fill(kWhite);
  m_wizard->m_nPage = ui::kWelcomePage;
  m_wizard->DrawPage(canvas.Dc(), {0, 0, wide, Height()});
  const RECT secondLine = canvas.Bounds({180, 50, wide + 400, 50 + 14}, test::IsInk);
  EXPECT_GT(secondLine.right, 180 + (wide - 10) / 2);
  EXPECT_LT(secondLine.right, 180 + (wide - 10) * 9 / 10);
}

TEST_F(PagePaintingTest, ChineseWelcomeTextStartsFurtherRight) {
  Start(texts::kChinese);
  const RECT text = Paint(0).Bounds({163, 0, Width(), Height()}, test::IsInk);
  EXPECT_GE(text.left, 192);
  EXPECT_LE(text.left, 195);
}

TEST_F(PagePaintingTest, LogoIsCutToItsAreaAtTheTopRightAndNeverOnTheWelcomePage) {
  SetLogo(test::SolidBitmapFile(300, 80, kLogoRed));
  const test::Canvas& canvas = Paint(4);
  EXPECT_EQ(canvas.Count({Width() - 200, 0, Width(), 54}, test::Is(kLogoRed)), 200 * 54);
  EXPECT_EQ(canvas.Count(m_canvas->Area(), test::Is(kLogoRed)), 200 * 54);
  EXPECT_EQ(Paint(0).Count(m_canvas->Area(), test::Is(kLogoRed)), 0);
}

TEST_F(PagePaintingTest, SmallerLogoLeavesTheRestOfItsAreaWhite) {
  SetLogo(test::SolidBitmapFile(50, 20, kLogoRed));
  const test::Canvas& canvas = Paint(1);
  EXPECT_EQ(canvas.Count(m_canvas->Area(), test::Is(kLogoRed)), 50 * 20);
  EXPECT_EQ(canvas.Pixel(Width() - 200, 0), kLogoRed);
  EXPECT_EQ(canvas.Pixel(Width() - 151, 19), kLogoRed);
  EXPECT_EQ(canvas.Pixel(Width() - 150, 0), kWhite);
  EXPECT_EQ(canvas.Pixel(Width() - 200, 20), kWhite);
}

// The logo comes from the package's bytes once: a file swapped into Documents later changes
// nothing, and bytes that lie about their size show no logo rather than being read past.
TEST_F(PagePaintingTest, LogoIsThePackagesAndBrokenBytesShowNone) {
  SetLogo(test::SolidBitmapFile(50, 20, kLogoRed));
  const test::DocumentFile swapped(L"Logo.bmp", test::SolidBitmapFile(300, 80, RGB(0, 0, 200)));
  EXPECT_EQ(Paint(1).Count(m_canvas->Area(), test::Is(kLogoRed)), 50 * 20);

  std::string truncated = test::SolidBitmapFile(50, 20, kLogoRed);
  truncated.resize(truncated.size() - 1);
  std::string tall = test::SolidBitmapFile(50, 20, kLogoRed);
  tall[22] = 21;  // a height one row more than the file holds
  std::string compressed = test::SolidBitmapFile(50, 20, kLogoRed);
  compressed[30] = BI_RLE8;
  for (const std::string& broken : {truncated, tall, compressed, std::string("BM"), std::string()}) {
    SetLogo(broken);
    EXPECT_EQ(Paint(1).Count(m_canvas->Area(), test::Is(kLogoRed)), 0);
  }
}

// At a higher DPI the page window grows with the dialog: every measure, font and picture scales,
// and the texts stay inside the window.
class ScaledPagePaintingTest : public PagePaintingTest {
 protected:
  void ScaleTo(int dpi) {
    const ui::DpiScale scale(dpi);
    m_host.MoveWindow(0, 0, scale(test::kDialogClientWidth), scale(test::kDialogClientHeight));
    m_wizard->LayOut(&m_host, dpi);
    m_client = m_wizard->GetClientRect();
    m_canvas = std::make_unique<test::Canvas>(m_client.right + kOverflow, m_client.bottom + kOverflow);
  }
  // Pixels painted beyond the window's client area.
  int Overflow() const {
    const RECT canvas = m_canvas->Area();
    return m_canvas->Count({Width(), 0, canvas.right, canvas.bottom}, [](COLORREF c) { return c != kMarker; }) +
           m_canvas->Count({0, Height(), Width(), canvas.bottom}, [](COLORREF c) { return c != kMarker; });
  }
  static constexpr int kOverflow = 300;
};

// The welcome text's lines may run past the window's edge at 96 DPI already (they wrap at the
// window's width, not at what is left of it); what fits at 96 DPI fits at every DPI.
TEST_F(ScaledPagePaintingTest, EveryPageKeepsItsTextsInsideTheWindowAtEachDpiAsAt96) {
  for (const int language : {texts::kEnglish, texts::kChinese}) {
    Start(language);
    for (const int page : {0, 1, 3, 4, 8}) {
      int overflowAt96 = 0;
      for (const int dpi : {96, 144, 192}) {
        SCOPED_TRACE(testing::Message() << "language " << language << ", " << dpi << " DPI, page " << page);
        ScaleTo(dpi);
        m_canvas->Fill(kMarker);
        m_wizard->m_nPage = page;
        m_wizard->DrawPage(m_canvas->Dc(), m_client);
        if (dpi == 96) overflowAt96 = Overflow();
        if (overflowAt96 == 0) {
          EXPECT_EQ(Overflow(), 0);
        }
      }
    }
  }
}

TEST_F(ScaledPagePaintingTest, HeaderTitleAndLogoScaleWithTheDpi) {
  SetLogo(test::SolidBitmapFile(300, 80, kLogoRed));
  ScaleTo(144);
  const test::Canvas& canvas = Paint(4);
  EXPECT_EQ(canvas.Count({0, 81, Width(), 82}, test::Is(kSeparator)), Width()) << "the band is 54 x 1.5 high";
  // The logo is cut to 200 x 54, then drawn 300 x 81 with a smooth filter at the top right.
  const RECT red = canvas.Bounds(canvas.Area(), test::Is(kLogoRed));
  EXPECT_EQ(red, (RECT{Width() - 300, 0, Width(), 81}));
  const RECT title = canvas.Bounds({0, 0, Width() - 300, 81}, test::IsInk);
  EXPECT_GE(title.left, 22);
  EXPECT_LE(title.left, 26);
  EXPECT_GT(title.bottom - title.top, 12) << "a title font of 15 x 1.5 pixels";
}

TEST_F(ScaledPagePaintingTest, WelcomePictureIsDrawnAtTheDpisSize) {
  ScaleTo(192);
  const test::Canvas& canvas = Paint(0);
  // 163 x 295 doubled; the picture is not white at its right and bottom edges.
  const RECT picture = canvas.Bounds({0, 0, 2 * 180 - 10, Height()}, [](COLORREF c) { return c != kWhite; });
  EXPECT_GE(picture.right, 2 * 163 - 2);
  EXPECT_LE(picture.right, 2 * 163);
  EXPECT_GE(picture.bottom, std::min(Height(), 2 * 295) - 2);
}

}  // namespace
