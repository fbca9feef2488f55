// The built-in texts: every table has each of its entries, with words in every language that
// must show some and otherwise the explicit kNoText; a wording gives its words, its Text.ini
// caption or nothing, and Pick gives a language's own.
#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <span>
#include <string>
#include <vector>

#include "texts/dialog_captions.h"
#include "texts/installation_texts.h"
#include "texts/list_items.h"
#include "texts/messages.h"
#include "texts/page_wording.h"

namespace {

using texts::LocalizedText;
using texts::Wording;

constexpr int kLanguages[] = {texts::kEnglish, texts::kChinese, texts::kRussian};
constexpr const char* kLanguageNames[] = {"English", "Chinese", "Russian"};

bool HasWords(const wchar_t* words) { return words != nullptr && words[0] != L'\0'; }

// Words of its own, or a Text.ini key with its fallback; none of them empty.
bool IsWorded(const Wording& wording) {
  switch (wording.From()) {
    case Wording::Source::Words: return HasWords(wording.Words());
    case Wording::Source::TextIni: return HasWords(wording.Key().key) && HasWords(wording.Key().fallback);
    case Wording::Source::None: return false;
  }
  return false;
}

enum class Marker { Forbidden, Allowed };

// Every language of `text` is worded, or kNoText where the marker is allowed.
void ExpectComplete(const LocalizedText& text, const std::string& what, Marker marker = Marker::Forbidden) {
  for (const int language : kLanguages) {
    const Wording& wording = texts::Pick(text, language);
    const bool marked = wording.From() == Wording::Source::None && marker == Marker::Allowed;
    EXPECT_TRUE(IsWorded(wording) || marked) << what << " in " << kLanguageNames[language];
  }
}

void ExpectComplete(std::span<const LocalizedText> texts, const std::string& what) {
  for (size_t index = 0; index < texts.size(); ++index) ExpectComplete(texts[index], what + " " + std::to_string(index));
}

// A caption that some language sets, on a control no other row names.
void ExpectCaptionsComplete(std::span<const texts::ControlCaption> captions, const std::string& what) {
  std::set<int> ids;
  for (const texts::ControlCaption& caption : captions) {
    const std::string name = what + " control " + std::to_string(caption.id);
    EXPECT_TRUE(ids.insert(caption.id).second) << name << " twice";
    ExpectComplete(caption.text, name, Marker::Allowed);
    const bool anyWorded = IsWorded(caption.text.english) || IsWorded(caption.text.chinese) ||
                           IsWorded(caption.text.russian);
    EXPECT_TRUE(anyWorded) << name << " changes nothing";
  }
}

// Calls `expect` with each row of a table that its key indexes, once the table has a row for
// each of the `count` keys.
template <typename Row, size_t N, typename Key, typename Expect>
void ForEachKeyedRow(const Row (&rows)[N], size_t count, Key Row::*key, const std::string& what, Expect expect) {
  ASSERT_EQ(N, count) << what << " rows";
  for (size_t index = 0; index < N; ++index) {
    const std::string name = what + " " + std::to_string(index);
    EXPECT_EQ(static_cast<size_t>(rows[index].*key), index) << name << " out of order";
    expect(rows[index], name);
  }
}

TEST(BuiltInTexts, EveryCheckHasItsMessageAndCaptionInEveryLanguage) {
  ForEachKeyedRow(texts::kCheckWordings, texts::kCheckCount, &texts::CheckWording::check, "check",
                  [](const texts::CheckWording& row, const std::string& name) {
                    ExpectComplete(row.message.text, name);
                    ExpectComplete(row.message.caption, name + " caption");
                  });
}

TEST(BuiltInTexts, CommandLineMessagesHaveWordsInEveryLanguage) {
  for (const auto& [message, name] : {std::pair{&texts::kUsageMessage, "usage"},
                                      std::pair{&texts::kAnotherInstallationMessage, "another installation"},
                                      std::pair{&texts::kInvalidCommandLineMessage, "invalid command line"}}) {
    ExpectComplete(message->text, name);
    ExpectComplete(message->caption, std::string(name) + " caption");
  }
  ExpectComplete(texts::kInvalidCommandLineHelp, "invalid command line help");
  ForEachKeyedRow(texts::kCommandLineRefusals, texts::kCommandLineRefusalCount,
                  &texts::CommandLineRefusalWording::refusal, "command line refusal",
                  [](const texts::CommandLineRefusalWording& row, const std::string& name) {
                    ExpectComplete(row.text, name);
                  });
}

TEST(BuiltInTexts, DialogCaptionsNameEachControlOnceAndKeepTheTemplatesTextOnlyByTheMarker) {
  ExpectCaptionsComplete(texts::kWizardCaptions, "wizard");
  ExpectCaptionsComplete(texts::kPortDialogCaptions, "port dialog");
  ExpectComplete(texts::kWizardTitle, "wizard title", Marker::Allowed);
  EXPECT_TRUE(IsWorded(texts::kWizardTitle.english) && IsWorded(texts::kWizardTitle.chinese));
  ExpectComplete(texts::kFinishCaption, "Finish");
  ExpectComplete(texts::kFailureFinishCaption, "Finish on the failure page");
  ExpectComplete(texts::kPortDialogTitle, "port dialog title");
  ASSERT_EQ(std::size(texts::kPortListColumns), 3u);
  ExpectComplete(texts::kPortListColumns, "port list column");
}

TEST(BuiltInTexts, ListItemsHaveWordsInEveryLanguageButTheRussianNetworkItem) {
  ASSERT_EQ(std::size(texts::kParityItems), 3u);
  ASSERT_EQ(std::size(texts::kFlowItems), 3u);
  ExpectComplete(texts::kParityItems, "parity item");
  ExpectComplete(texts::kFlowItems, "flow control item");
  ExpectComplete(texts::kModelPlaceholder, "model placeholder");
  ExpectComplete(texts::kNetworkPortItem, "network item", Marker::Allowed);
  EXPECT_TRUE(IsWorded(texts::kNetworkPortItem.english) && IsWorded(texts::kNetworkPortItem.chinese));
}

TEST(BuiltInTexts, InstallationAndPageTextsHaveWordsInEveryLanguage) {
  ExpectComplete(texts::kStartMenuFolderSuffix, "Start-menu folder");
  ExpectComplete(texts::kUninstallShortcutName, "uninstall shortcut");
  ExpectComplete(texts::kInstallingStatus, "installing status");
  ExpectComplete(texts::kStatusPlaceholder, "status placeholder");
  ExpectComplete(texts::kFolderFrameLabel, "folder frame label");
  ForEachKeyedRow(texts::kPageTitles, texts::kPageTitleCount, &texts::PageTitleWording::title, "page title",
                  [](const texts::PageTitleWording& row, const std::string& name) { ExpectComplete(row.text, name); });
  ASSERT_EQ(std::size(texts::kBuiltInPageTexts), texts::kPageCount);
  ExpectComplete(texts::kBuiltInPageTexts, "built-in page text");
}

class WordingTest : public testing::Test {
 protected:
  void TearDown() override { texts::TakeTextIni(nullptr); }

  static void TakeTextIni(const std::wstring& text) {
    std::vector<uint8_t> bytes = {0xFF, 0xFE};
    for (const wchar_t c : text) {
      bytes.push_back(static_cast<uint8_t>(c & 0xFF));
      bytes.push_back(static_cast<uint8_t>(c >> 8));
    }
    texts::TakeTextIni(&bytes);
  }
};

TEST_F(WordingTest, WordsStandWhateverTextIniSays) {
  TakeTextIni(L"[Text]\r\nNext=Далее\r\n");
  const Wording words(L"Next");
  EXPECT_EQ(words.From(), Wording::Source::Words);
  EXPECT_EQ(words.Text(), L"Next");
}

TEST_F(WordingTest, KeyGivesTheTextIniCaptionOrItsFallback) {
  const Wording key(texts::caption::kNext);
  EXPECT_EQ(key.From(), Wording::Source::TextIni);
  EXPECT_EQ(key.Text(), L"Next");
  TakeTextIni(L"[Text]\r\nNext=Далее\r\n");
  EXPECT_EQ(key.Text(), L"Далее");
  TakeTextIni(L"[Text]\r\nBack=Назад\r\n");
  EXPECT_EQ(key.Text(), L"Next");
}

TEST_F(WordingTest, MarkerGivesNothingOrAnEmptyText) {
  EXPECT_EQ(texts::kNoText.From(), Wording::Source::None);
  EXPECT_EQ(texts::kNoText.Text(), std::nullopt);
  EXPECT_EQ(texts::kNoText.TextOrEmpty(), L"");
  EXPECT_EQ(Wording(L"Port:").TextOrEmpty(), L"Port:");
}

TEST(Pick, EachLanguageItsOwnAndAnIdOfNoLanguageEnglish) {
  constexpr texts::ByLanguage<int> values{10, 20, 30};
  EXPECT_EQ(texts::Pick(values, texts::kEnglish), 10);
  EXPECT_EQ(texts::Pick(values, texts::kChinese), 20);
  EXPECT_EQ(texts::Pick(values, texts::kRussian), 30);
  EXPECT_EQ(texts::Pick(values, 3), 10);
  EXPECT_EQ(texts::Pick(values, -1), 10);
  const LocalizedText text = texts::RussianAsChinese(L"None", L"无");
  EXPECT_EQ(texts::Pick(text, texts::kRussian).Text(), L"无");
  EXPECT_EQ(texts::Pick(texts::RussianAsEnglish(L"Port", L"端口"), texts::kRussian).Text(), L"Port");
}

}  // namespace
