#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "components/driver/common/page_setup.h"
#include "components/driver/ui/property_pages.h"
#include "components/driver/ui/ui_text.h"
#include "components/langdll/driver_resources.h"
#include "tests/unit/driver/component_files.h"
#include "tests/unit/driver/installer_characterization.h"

namespace {

constexpr UINT kStringIds[] = {IDS_DOCUMENT_PAGE_TITLE, IDS_DEVICE_PAGE_TITLE, IDS_RESOLUTION_LABEL,
                               IDS_RESOLUTION_FORMAT,   IDS_FORMS_LABEL,       IDS_FORM_FORMAT,
                               IDS_NO_MODEL_DATA};
const wchar_t* const kLanguageDlls[] = {L"ENGLISH.DLL", L"CHISMPL.DLL", L"CHITRAD.DLL"};

// The conversions of a printf pattern, in order: a translation must keep them.
std::wstring Conversions(const std::wstring& pattern) {
  std::wstring conversions;
  for (size_t at = pattern.find(L'%'); at != std::wstring::npos; at = pattern.find(L'%', at + 1)) {
    const size_t end = pattern.find_first_of(L"sud%", at + 1);
    conversions += pattern.substr(at, end == std::wstring::npos ? std::wstring::npos : end - at + 1) + L' ';
    at = end == std::wstring::npos ? pattern.size() - 1 : end;
  }
  return conversions;
}

TEST(LanguageDlls, EachHoldsEveryDriverString) {
  for (const wchar_t* name : kLanguageDlls) {
    const plotter::ResourceModule strings(test::ComponentPath(name));
    ASSERT_TRUE(strings.Loaded());
    for (const UINT id : kStringIds) EXPECT_FALSE(strings.String(id).empty()) << id;
  }
}

TEST(LanguageDlls, TranslationsDifferAndKeepTheFormatConversions) {
  const plotter::ResourceModule english(test::ComponentPath(L"ENGLISH.DLL"));
  const plotter::ResourceModule simplified(test::ComponentPath(L"CHISMPL.DLL"));
  const plotter::ResourceModule traditional(test::ComponentPath(L"CHITRAD.DLL"));
  for (const UINT id : {IDS_DOCUMENT_PAGE_TITLE, IDS_FORMS_LABEL, IDS_NO_MODEL_DATA}) {
    EXPECT_NE(simplified.String(id), english.String(id)) << id;
    EXPECT_NE(traditional.String(id), english.String(id)) << id;
    EXPECT_NE(traditional.String(id), simplified.String(id)) << id;
  }
  for (const UINT id : {IDS_RESOLUTION_FORMAT, IDS_FORM_FORMAT}) {
    const std::wstring expected = Conversions(english.String(id));
    EXPECT_FALSE(expected.empty());
    EXPECT_EQ(Conversions(simplified.String(id)), expected) << id;
    EXPECT_EQ(Conversions(traditional.String(id)), expected) << id;
  }
}

TEST(LanguageDlls, PageTextsShowTheResolutionAndEveryForm) {
  const plotter::Characterization device = test::InstallerDevice("POS110", 300, 1100, 2100);
  for (const wchar_t* name : kLanguageDlls) {
    const plotter::ResourceModule strings(test::ComponentPath(name));
    const plotter::PageTexts texts =
        plotter::ComposePageTexts(device, strings, plotter::SheetKind::kDocument);
    EXPECT_EQ(texts.title, strings.String(IDS_DOCUMENT_PAGE_TITLE));
    EXPECT_NE(texts.resolution.find(L"300 x 300"), std::wstring::npos) << texts.resolution;
    ASSERT_EQ(texts.forms.size(), device.forms.size());
    for (size_t i = 0; i < device.forms.size(); ++i) {
      const std::wstring size = std::to_wstring(device.forms[i].width / 1000) + L" x " +
                                std::to_wstring(device.forms[i].height / 1000);
      EXPECT_EQ(texts.forms[i].find(plotter::WideFormName(device.forms[i])), 0u) << texts.forms[i];
      EXPECT_NE(texts.forms[i].find(size), std::wstring::npos) << texts.forms[i];
    }
  }
}

TEST(ImageDll, HoldsThePrinterIcon) {
  const plotter::ResourceModule image(test::ComponentPath(L"Image.dll"));
  ASSERT_TRUE(image.Loaded());
  const HICON icon = image.Icon(IDI_PRINTER, 32);
  ASSERT_NE(icon, nullptr);
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(icon, &info));
  BITMAP mask{};
  GetObjectW(info.hbmMask, sizeof(mask), &mask);
  EXPECT_EQ(mask.bmWidth, 32);
  DeleteObject(info.hbmMask);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  DestroyIcon(icon);
}

}  // namespace
