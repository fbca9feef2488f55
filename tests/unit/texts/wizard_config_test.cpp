#include "texts/wizard_config.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cwchar>
#include <string>
#include <vector>

#include "platform/fault_injection.h"
#include "tests/unit/support/test_files.h"

namespace {

constexpr char kFolder[] = "C:\\wizard_texts";
constexpr char kFile[] = "C:\\wizard_texts\\InstallConfig_en.txt";
constexpr wchar_t kWideFile[] = L"C:\\wizard_texts\\InstallConfig_en.txt";
const std::wstring kSeparator(50, L'=');

// Six one-line page sections, then the value part.
std::vector<std::wstring> WithPages(const std::vector<std::wstring>& values) {
  std::vector<std::wstring> lines;
  for (const wchar_t* page : {L"Welcome", L"Folder", L"Installing", L"Done", L"Cancelled", L"Failed"}) {
    lines.insert(lines.end(), {page, kSeparator});
  }
  lines.insert(lines.end(), values.begin(), values.end());
  return lines;
}

class WizardConfigTest : public testing::Test {
 protected:
  void SetUp() override {
    test::RemoveTree(kFolder);
    CreateDirectoryA(kFolder, nullptr);
  }
  void TearDown() override { test::RemoveTree(kFolder); }
  void Load(const std::vector<std::wstring>& lines) {
    test::WriteUtf16Text(kFile, test::CrLfLines(lines));
    texts::LoadWizardTexts(table, kWideFile);
  }
  void ExpectDefaultsOnly() {
    EXPECT_STREQ(table.PrinterName, L"USB Printer");
    EXPECT_STREQ(table.DriverName, L"USB Printer Driver");
    EXPECT_STREQ(table.MonitorName, L"USB Printer Monitor");
    EXPECT_STREQ(table.PortName, L"USB PRINTER PORT:");
    EXPECT_STREQ(table.Title, L"");
    EXPECT_STREQ(table.FolderName, L"");
    EXPECT_STREQ(table.LanguageDll, L"");
    EXPECT_STREQ(table.PageText[0], L"");
  }
  texts::WizardConfigTable table{};
};

TEST_F(WizardConfigTest, ReadsSectionsAndValuesThenDeletesTheFile) {
  Load({L"Welcome to the Demo printer driver.", L"", L"Please click [next] to continue.", kSeparator,
        L"Setup will install the Demo printer driver in the following folder.", kSeparator, L"Installing.",
        kSeparator, L"Installed.", kSeparator, L"Cancelled.", kSeparator, L"Not installed.", kSeparator,
        L"Demo Printer Driver installation", kSeparator, L"Demo Printer", L"Demo Printer Driver",
        L"Demo USB Printer Monitor", L"Demo USB Printer Monitor:", L"Demo Printer Driver V 1.0", L"ENGLISH.DLL"});
  EXPECT_STREQ(table.PageText[0], L"Welcome to the Demo printer driver.\n\nPlease click [next] to continue.\n");
  EXPECT_STREQ(table.PageText[1], L"Setup will install the Demo printer driver in the following folder.\n");
  EXPECT_STREQ(table.PageText[5], L"Not installed.\n");
  EXPECT_STREQ(table.Title, L"Demo Printer Driver installation");
  EXPECT_STREQ(table.PrinterName, L"Demo Printer");
  EXPECT_STREQ(table.DriverName, L"Demo Printer Driver");
  EXPECT_STREQ(table.MonitorName, L"Demo USB Printer Monitor");
  EXPECT_STREQ(table.PortName, L"Demo USB Printer Monitor:");
  EXPECT_STREQ(table.FolderName, L"Demo Printer Driver V 1.0");
  EXPECT_STREQ(table.LanguageDll, L"ENGLISH.DLL");  // last line, no line end
  EXPECT_FALSE(test::FileExists(kFile));
}

TEST_F(WizardConfigTest, AnyLineWithTwentyEqualsSignsIsASeparator) {
  Load({L"A", L"", L"B", std::wstring(19, L'='), L"lost " + std::wstring(20, L'=') + L" lost", L"Folder",
        kSeparator, L"3", kSeparator, L"4", kSeparator, L"5", kSeparator, L"6", L"x" + kSeparator, L"Caption"});
  EXPECT_STREQ(table.PageText[0], (L"A\n\nB\n" + std::wstring(19, L'=') + L"\n").c_str());
  EXPECT_STREQ(table.PageText[1], L"Folder\n");
  EXPECT_STREQ(table.PageText[5], L"6\n");
  EXPECT_STREQ(table.Title, L"Caption");
}

TEST_F(WizardConfigTest, ValuePartSkipsBlankLinesAndSeparatorsAndDropsAnEighthValue) {
  Load(WithPages({L"Caption", L"", kSeparator, L"", L"   ", L"Driver", kSeparator, L"Monitor", L"Port",
                  L"Folder", L"Dll", L"Eighth"}));
  EXPECT_STREQ(table.Title, L"Caption");
  EXPECT_STREQ(table.PrinterName, L"   ");  // spaces are a value
  EXPECT_STREQ(table.DriverName, L"Driver");
  EXPECT_STREQ(table.MonitorName, L"Monitor");
  EXPECT_STREQ(table.PortName, L"Port");
  EXPECT_STREQ(table.FolderName, L"Folder");
  EXPECT_STREQ(table.LanguageDll, L"Dll");
}

TEST_F(WizardConfigTest, FileWithoutValuesGetsNoDefaults) {
  Load(WithPages({}));
  EXPECT_STREQ(table.PageText[5], L"Failed\n");
  EXPECT_STREQ(table.PrinterName, L"");
  EXPECT_STREQ(table.PortName, L"");

  Load({L"Welcome", kSeparator, L"Folder"});
  EXPECT_STREQ(table.PageText[1], L"Folder");
  EXPECT_STREQ(table.PageText[2], L"");
  EXPECT_STREQ(table.DriverName, L"");
}

TEST_F(WizardConfigTest, MissingFileGivesOnlyTheFourDefaults) {
  std::wcscpy(table.Title, L"stale");
  texts::LoadWizardTexts(table, L"C:\\wizard_texts\\missing.txt");
  ExpectDefaultsOnly();

  texts::LoadWizardTexts(nullptr);  // no Documents folder
  EXPECT_STREQ(texts::WizardConfig.MonitorName, L"USB Printer Monitor");
}

TEST_F(WizardConfigTest, UnopenableFileGetsDefaultsAndIsKept) {
  test::WriteUtf16Text(kFile, test::CrLfLines(WithPages({L"Caption", L"Printer"})));
  platform::ScopedFaults faults;
  platform::InjectFault("_wfopen", ERROR_SHARING_VIOLATION);
  texts::LoadWizardTexts(table, kWideFile);
  ExpectDefaultsOnly();
  EXPECT_TRUE(test::FileExists(kFile));
}

TEST_F(WizardConfigTest, FirstTwoBytesAreSkippedWhateverTheyHold) {
  test::WriteUtf16Text(kFile, test::CrLfLines(WithPages({L"Caption"})));
  std::vector<uint8_t> bytes = test::ReadBytes(kFile);
  bytes[0] = 'X';
  bytes[1] = 'Y';
  test::WriteBytes(kFile, bytes);
  texts::LoadWizardTexts(table, kWideFile);
  EXPECT_STREQ(table.PageText[0], L"Welcome\n");
  EXPECT_STREQ(table.Title, L"Caption");
}

TEST_F(WizardConfigTest, OverlongLinesAndSectionsAreCutAtTheirLimits) {
  const std::wstring hundred(100, L'p');
  Load({std::wstring(300, L'x'), L"next", kSeparator, hundred, hundred, hundred, hundred, hundred, hundred,
        kSeparator, L"3", kSeparator, L"4", kSeparator, L"5", kSeparator, L"6", kSeparator});
  // A line holds 255 characters with its CR LF; the rest of it is dropped, not read as a line.
  EXPECT_STREQ(table.PageText[0], (std::wstring(253, L'x') + L"\nnext\n").c_str());
  std::wstring section;
  for (int line = 0; line < 6; ++line) section += hundred + L"\n";
  EXPECT_STREQ(table.PageText[1], section.substr(0, 511).c_str());
  EXPECT_STREQ(table.PageText[2], L"3\n");
}

TEST_F(WizardConfigTest, OverlongValuesAreCutWithoutTouchingTheNextField) {
  Load(WithPages({std::wstring(300, L't'), L"Printer", L"Driver", L"Monitor", L"Port", L"Folder",
                  std::wstring(255, L'd')}));
  EXPECT_STREQ(table.Title, std::wstring(253, L't').c_str());
  EXPECT_STREQ(table.PrinterName, L"Printer");
  EXPECT_STREQ(table.LanguageDll, std::wstring(255, L'd').c_str());  // a last line needs no line end
}

}  // namespace
