#include "texts/text_ini.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "tests/unit/support/test_files.h"

namespace {

constexpr char kFolder[] = "C:\\caption_docs";
constexpr wchar_t kDocuments[] = L"C:\\caption_docs";

class TextIniTest : public testing::Test {
 protected:
  void SetUp() override {
    test::RemoveTree(kFolder);
    CreateDirectoryA(kFolder, nullptr);
    // The same file in every test, so that a profile cache cannot mix tests up.
    test::WriteUtf16Text(std::string(kFolder) + "\\Text.ini",
                         L"[Other]\r\nNext=wrong section\r\n[Text]\r\nBack=< Назад\r\n"
                         L"Please select model=Выберите модель\r\nLong=" + std::wstring(300, L'л') + L"\r\n");
  }
  void TearDown() override { test::RemoveTree(kFolder); }
};

TEST_F(TextIniTest, PresentKeysGiveTheirValuesFromSectionText) {
  EXPECT_EQ(texts::LookUpCaption(texts::caption::kBack, kDocuments), L"< Назад");
  EXPECT_EQ(texts::LookUpCaption(texts::caption::kPleaseSelectModel, kDocuments), L"Выберите модель");
  // Documents paths end in '\' on some systems.
  EXPECT_EQ(texts::LookUpCaption(texts::caption::kBack, L"C:\\caption_docs\\"), L"< Назад");
}

TEST_F(TextIniTest, MissingKeyOrFileGivesTheDefault) {
  EXPECT_EQ(texts::LookUpCaption(texts::caption::kNext, kDocuments), L"Next");
  EXPECT_EQ(texts::LookUpCaption(texts::caption::kDriverTitle, kDocuments), L"Model:");
  EXPECT_EQ(texts::LookUpCaption(texts::caption::kBack, L"C:\\no_such_folder"), L"Back");
}

TEST_F(TextIniTest, LongValueIsCutAt255Characters) {
  EXPECT_EQ(texts::LookUpCaption(L"Long", L"", kDocuments), std::wstring(255, L'л'));
}

}  // namespace
