// The start routine up to the dialog: configuration files, language and wizard texts.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>

#include <string>

#include "app/install_app.h"
#include "platform/code_page.h"
#include "platform/fault_injection.h"
#include "platform/shell.h"
#include "tests/unit/support/test_files.h"
#include "texts/model_catalogue.h"
#include "texts/wizard_config.h"
#include "tools/mkpackage/package_builder.h"
#include "wizard/install_dlg.h"

namespace {

using mkpackage::MakeEntry;
using mkpackage::StoredEntry;

std::string Utf16File(const std::wstring& text) {
  std::string bytes = "\xff\xfe";
  for (wchar_t c : text) {
    bytes += static_cast<char>(c & 0xff);
    bytes += static_cast<char>(c >> 8);
  }
  return bytes;
}

// A wizard text file whose caption names its language.
std::string WizardTextFile(const std::wstring& caption) {
  std::wstring text;
  for (int page = 0; page < 6; ++page) text += L"page\r\n==================================================\r\n";
  return Utf16File(text + caption + L"\r\n==================================================\r\nDemo80");
}

class StartUpTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(platform::shell::GetSpecialFolderPathW(CSIDL_PERSONAL, m_documents));
    ASSERT_TRUE(platform::WideToAnsi(m_documents, m_documentsAnsi));
    for (const char* name : {"InstallConfig_cn.txt", "InstallConfig_en.txt", "InstallConfig_rs.txt", "logo.bmp",
                             "PrinterName.txt", "Text.ini", "plotter.dll", "InstallConfig_en_Other.txt"}) {
      DeleteFileA(Document(name).c_str());
    }
    texts::WizardConfig = {};
  }

  std::string Document(const char* name) const { return m_documentsAnsi + "\\" + name; }
  std::string DocumentText(const char* name) const {
    const std::vector<uint8_t> bytes = test::ReadBytes(Document(name));
    return {bytes.begin(), bytes.end()};
  }

  // Runs the start routine's preparation with a package of these entries.
  void Prepare(const std::vector<StoredEntry>& entries) {
    m_packageBytes = mkpackage::BuildResourcePackage(entries);
    m_dialog.m_package = {m_packageBytes.data(), static_cast<uint32_t>(m_packageBytes.size())};
    m_app.PrepareWizard(m_dialog);
  }

  static std::vector<StoredEntry> ShippedShape() {
    return {MakeEntry("CHISMPL.DLL", "driver language"),
            MakeEntry("InstallConfig_cn.txt", WizardTextFile(L"Chinese")),
            MakeEntry("InstallConfig_en.txt", WizardTextFile(L"English")),
            MakeEntry("InstallConfig_en_Other.txt", WizardTextFile(L"Other brand")),
            MakeEntry("InstallConfig_rs.txt", WizardTextFile(L"Russian")),
            MakeEntry("Logo.BMP", "BM logo"),
            MakeEntry("plotter.dll", "driver"),
            MakeEntry("PRINTERNAME.TXT", "catalogue"),
            MakeEntry("Text.ini", "[Text]")};
  }

  app::CInstallApp m_app;
  mkpackage::Bytes m_packageBytes;  // the package the dialog reads, as the module keeps its resource
  wizard::CInstallDlg m_dialog;
  std::wstring m_documents;
  std::string m_documentsAnsi;
};

TEST_F(StartUpTest, EnglishUserGetsTheConfigurationFilesAndTheEnglishTexts) {
  Prepare(ShippedShape());
  EXPECT_EQ(m_app.LanguageId, texts::kEnglish);
  EXPECT_STREQ(texts::WizardConfig.Title, L"English");
  EXPECT_STREQ(texts::WizardConfig.PrinterName, L"Demo80");
  // Read, then deleted; the other languages' files stay.
  EXPECT_FALSE(test::FileExists(Document("InstallConfig_en.txt")));
  EXPECT_TRUE(test::FileExists(Document("InstallConfig_cn.txt")));
  EXPECT_TRUE(test::FileExists(Document("InstallConfig_rs.txt")));
  EXPECT_EQ(DocumentText("Text.ini"), "[Text]");
  // Written under the names as the installer spells them, whatever the package's letter case.
  EXPECT_EQ(DocumentText("PrinterName.txt"), "catalogue");
  EXPECT_EQ(DocumentText("logo.bmp"), "BM logo");
  EXPECT_FALSE(test::FileExists(Document("plotter.dll")));
  EXPECT_FALSE(test::FileExists(Document("InstallConfig_en_Other.txt")));
}

TEST_F(StartUpTest, OldLogoGoesWhenThePackageBringsNone) {
  test::WriteBytes(Document("logo.bmp"), test::Bytes("old logo"));
  Prepare({MakeEntry("Text.ini", "[Text]")});
  EXPECT_FALSE(test::FileExists(Document("logo.bmp")));
}

TEST_F(StartUpTest, LaterOfTwoMatchingEntriesWins) {
  Prepare({MakeEntry("Text.ini", "first"), MakeEntry("TEXT.INI", "second")});
  EXPECT_EQ(DocumentText("Text.ini"), "second");
}

TEST_F(StartUpTest, OnlyVariantWizardTextsGiveTheDefaults) {
  Prepare({MakeEntry("InstallConfig_en_Other.txt", WizardTextFile(L"Other brand"))});
  EXPECT_STREQ(texts::WizardConfig.Title, L"");
  EXPECT_STREQ(texts::WizardConfig.PrinterName, L"USB Printer");
  EXPECT_STREQ(texts::WizardConfig.PortName, L"USB PRINTER PORT:");
}

// The installer reads its texts from the package, not back from Documents.
TEST_F(StartUpTest, WithoutADocumentsFolderNothingIsWrittenAndThePackagesTextsApply) {
  platform::ScopedFaults faults;
  platform::InjectFault("SHGetSpecialFolderLocation", E_FAIL);
  Prepare(ShippedShape());
  EXPECT_STREQ(texts::WizardConfig.Title, L"English");
  EXPECT_STREQ(texts::WizardConfig.PrinterName, L"Demo80");
  EXPECT_FALSE(test::FileExists(Document("Text.ini")));
  EXPECT_FALSE(test::FileExists(Document("InstallConfig_cn.txt")));
}

TEST_F(StartUpTest, TextsAndCatalogueComeFromThePackageWhateverDocumentsHolds) {
  // A standard user may replace what start-up wrote, or hold the file open in between.
  test::WriteBytes(Document("PrinterName.txt"), test::Bytes(Utf16File(L"Planted,0,POS80,x,vid_0000&pid_0000,203,x,800,0")));
  Prepare({MakeEntry("InstallConfig_en.txt", WizardTextFile(L"English")),
           MakeEntry("PrinterName.txt", Utf16File(L"Demo58,0,POS58,d.gpd,vid_1a2b&pid_0001,203,HW,580,0"))});
  EXPECT_EQ(m_dialog.m_modelNames, std::vector<std::wstring>{L"Demo58"});
  EXPECT_STREQ(texts::ModelTable[1].Name, L"Demo58");
  EXPECT_STREQ(texts::WizardConfig.Title, L"English");
}

// A standard user can plant links in their Documents folder before an administrator runs the
// installer: the elevated start-up replaces the link and leaves the file it pointed to alone.
TEST_F(StartUpTest, HardLinkPlantedInDocumentsIsReplacedNotWrittenThrough) {
  test::WriteBytes("C:\\elsewhere.dat", test::Bytes("precious"));
  ASSERT_TRUE(CreateHardLinkA(Document("PrinterName.txt").c_str(), "C:\\elsewhere.dat", nullptr));
  Prepare(ShippedShape());
  EXPECT_EQ(test::ReadBytes("C:\\elsewhere.dat"), test::Bytes("precious"));
  EXPECT_EQ(DocumentText("PrinterName.txt"), "catalogue");
  DeleteFileA("C:\\elsewhere.dat");
}

TEST(LanguageSelection, OnlyChineseOfThePeoplesRepublicGivesChinese) {
  EXPECT_EQ(app::LanguageFromUiLanguage(0x0804), texts::kChinese);
  EXPECT_EQ(app::LanguageFromUiLanguage(0x0404), texts::kEnglish);
  EXPECT_EQ(app::LanguageFromUiLanguage(0x0419), texts::kEnglish);
  EXPECT_EQ(app::LanguageFromUiLanguage(0x0409), texts::kEnglish);
}

// Run with LC_ALL=zh_CN.UTF-8, which Wine reports as UI language 0x0804 (LANG alone is not enough).
using StartUpChinese = StartUpTest;

TEST_F(StartUpChinese, ChineseUserReadsAndDeletesTheChineseFile) {
  Prepare(ShippedShape());
  EXPECT_EQ(m_app.LanguageId, texts::kChinese);
  EXPECT_STREQ(texts::WizardConfig.Title, L"Chinese");
  EXPECT_FALSE(test::FileExists(Document("InstallConfig_cn.txt")));
  EXPECT_TRUE(test::FileExists(Document("InstallConfig_en.txt")));
}

}  // namespace
