#include "texts/text_ini.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace {

std::vector<uint8_t> Utf16File(const std::wstring& text) {
  std::vector<uint8_t> bytes = {0xFF, 0xFE};
  for (const wchar_t c : text) {
    bytes.push_back(static_cast<uint8_t>(c & 0xFF));
    bytes.push_back(static_cast<uint8_t>(c >> 8));
  }
  return bytes;
}

class TextIniTest : public testing::Test {
 protected:
  void SetUp() override {
    const std::vector<uint8_t> file =
        Utf16File(L"; captions\r\n[Other]\r\nNext=wrong section\r\n[ text ]\r\nBack=< Назад\r\n"
                  L"  please SELECT model =  Выберите модель  \r\nQuoted=\"  в кавычках \"\r\n"
                  L"Back=second of a key\r\nLong=" + std::wstring(300, L'л') + L"\r\n[Later]\r\nFinish=wrong\n");
    texts::TakeTextIni(&file);
  }
  void TearDown() override { texts::TakeTextIni(nullptr); }
};

TEST_F(TextIniTest, KeysOfSectionTextInAnyLetterCaseGiveTheirTrimmedValues) {
  EXPECT_EQ(texts::LookUpCaption(texts::caption::kBack), L"< Назад");  // the first of a key
  EXPECT_EQ(texts::LookUpCaption(texts::caption::kPleaseSelectModel), L"Выберите модель");
  EXPECT_EQ(texts::LookUpCaption(L"QUOTED", L""), L"  в кавычках ");
}

TEST_F(TextIniTest, MissingKeyOrFileGivesTheDefault) {
  EXPECT_EQ(texts::LookUpCaption(texts::caption::kNext), L"Next");          // only in another section
  EXPECT_EQ(texts::LookUpCaption(texts::caption::kFinish), L"Finish");      // only after the section
  EXPECT_EQ(texts::LookUpCaption(texts::caption::kDriverTitle), L"Model:");
  texts::TakeTextIni(nullptr);
  EXPECT_EQ(texts::LookUpCaption(texts::caption::kBack), L"Back");
}

TEST_F(TextIniTest, LongValueIsCutAt255Characters) {
  EXPECT_EQ(texts::LookUpCaption(L"Long", L""), std::wstring(255, L'л'));
}

TEST_F(TextIniTest, Utf8WithItsMarkAndTruncatedUtf16AreReadSafely) {
  const std::string utf8 = "\xEF\xBB\xBF[Text]\nBack=\xD0\x9D\xD0\xB0\xD0\xB7\xD0\xB0\xD0\xB4\n";
  const std::vector<uint8_t> file(utf8.begin(), utf8.end());
  texts::TakeTextIni(&file);
  EXPECT_EQ(texts::LookUpCaption(texts::caption::kBack), L"Назад");
  std::vector<uint8_t> odd = Utf16File(L"[Text]\r\nBack=x");
  odd.push_back(0x41);  // half a character at the end
  texts::TakeTextIni(&odd);
  EXPECT_EQ(texts::LookUpCaption(texts::caption::kBack), L"x");
}

}  // namespace
