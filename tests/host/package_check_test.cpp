// mkpackage check on the demo package and on copies of it with one mistake planted each: the
// one finding, its file, line and level, and the exit status.
#include "tools/mkpackage/package_check.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "tests/host/test_support.h"
#include "tools/mkpackage/commands.h"

namespace {

namespace fs = std::filesystem;
using host_test::Bytes;
using host_test::ReadFileBytes;
using host_test::TempDir;
using host_test::ToBytes;
using host_test::ToText;
using mkpackage::Finding;
using mkpackage::Severity;

constexpr const char* kComponents[] = {
    "Tillvane.dll",    "TillvaneUI.dll", "plotter.dll", "plotui.dll", "MerrowPrinterService.exe",
    "Uninstaller.exe", "ENGLISH.DLL",    "CHISMPL.DLL"};

std::string Describe(const mkpackage::Findings& findings) {
  std::string text;
  for (const Finding& finding : findings) {
    text += finding.file + ":" + std::to_string(finding.line) +
            (finding.severity == Severity::Error ? ": error: " : ": warning: ") + finding.what + "\n";
  }
  return text;
}

// The demo package's sources in `source`, converted by the build's own script into `package`
// beside stand-ins for the components.
class PackageCheck : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(m_source);
    for (const char* name : {"InstallConfig_en.txt", "InstallConfig_cn.txt", "InstallConfig_rs.txt", "PrinterName.txt",
                             "Text.ini", "logo.bmp"}) {
      fs::copy_file(fs::path(SOURCE_DIR) / "content" / name, m_source / name, fs::copy_options::overwrite_existing);
    }
  }

  fs::path Source(const std::string& name) const { return m_source / name; }
  fs::path Packaged(const std::string& name) const { return m_package / name; }

  // Replaces the first `from` in the UTF-8 source file.
  void Edit(const std::string& name, const std::string& from, const std::string& to) {
    std::string text = ToText(ReadFileBytes(Source(name)));
    const size_t at = text.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    text.replace(at, from.size(), to);
    host_test::WriteFileBytes(Source(name), ToBytes(text));
  }

  void KeepLines(const std::string& name, size_t count) {
    std::istringstream text(ToText(ReadFileBytes(Source(name))));
    std::string kept, line;
    for (size_t i = 0; i < count && std::getline(text, line); ++i) kept += (i == 0 ? "" : "\n") + line;
    host_test::WriteFileBytes(Source(name), ToBytes(kept));
  }

  void Package() {
    fs::remove_all(m_package);
    const std::string command =
        std::string(SOURCE_DIR) + "/tools/convert-content.sh " + m_source.string() + " " + m_package.string();
    ASSERT_EQ(std::system(command.c_str()), 0);
    for (const char* component : kComponents) {
      for (const char* suffix : {"", ".x64"})
        host_test::WriteFileBytes(Packaged(std::string(component) + suffix), ToBytes("MZ"));
    }
  }

  mkpackage::Findings Check() { return mkpackage::CheckPackageFolder(m_package, mkpackage::DefaultPageLineMeasure()); }

  // After Package() and any change to the packaged files: exactly one finding, as given.
  void ExpectOnly(const std::string& file, int line, Severity severity, const std::string& what) {
    const mkpackage::Findings findings = Check();
    ASSERT_EQ(findings.size(), 1u) << Describe(findings);
    EXPECT_EQ(findings[0].file, file);
    EXPECT_EQ(findings[0].line, line);
    EXPECT_EQ(findings[0].severity, severity);
    EXPECT_NE(findings[0].what.find(what), std::string::npos) << findings[0].what;
  }

  TempDir m_temp;
  fs::path m_source = m_temp / "source";
  fs::path m_package = m_temp / "package";
};

TEST_F(PackageCheck, TheDemoPackageHasNoFinding) {
  Package();
  EXPECT_EQ(Describe(Check()), "");
}

TEST_F(PackageCheck, MissingOrUnreadableTextFilesAreErrorsOfTheWholeFile) {
  Package();
  fs::remove(Packaged("InstallConfig_cn.txt"));
  ExpectOnly("InstallConfig_cn.txt", 0, Severity::Error, "missing");

  Package();
  fs::copy_file(Source("InstallConfig_en.txt"), Packaged("InstallConfig_en.txt"), fs::copy_options::overwrite_existing);
  ExpectOnly("InstallConfig_en.txt", 0, Severity::Error, "UTF-16");

  Package();
  fs::remove(Packaged("PrinterName.txt"));
  ExpectOnly("PrinterName.txt", 0, Severity::Error, "missing");

  Package();
  fs::remove(Packaged("plotui.dll.x64"));
  ExpectOnly("plotui.dll.x64", 0, Severity::Error, "64-bit");
}

TEST_F(PackageCheck, EntryNamesThePackageOrTheInstallerRefuseAreErrors) {
  Package();
  host_test::WriteFileBytes(Packaged("readme."), ToBytes("x"));
  ExpectOnly("readme.", 0, Severity::Error, "ending in a dot");

  fs::remove(Packaged("readme."));
  host_test::WriteFileBytes(Packaged("con.txt"), ToBytes("x"));
  ExpectOnly("con.txt", 0, Severity::Error, "reserves for a device");

  fs::remove(Packaged("con.txt"));
  host_test::WriteFileBytes(Packaged("TEXT.INI"), ReadFileBytes(Packaged("Text.ini")));
  ExpectOnly(".", 0, Severity::Error, "appears twice");
}

// One edit of a source file and the one finding it must bring.
struct PlantedMistake {
  const char* file;
  std::string from;
  std::string to;
  int line;
  Severity severity;
  const char* what;
};

std::string FullWidthLine(int count) {
  std::string line;
  for (int i = 0; i < count; ++i) line += "字";
  return line;
}

// Line numbers of the demo's sources; the catalogue's first line is its column header.
const PlantedMistake kPlantedMistakes[] = {
    // Wizard texts: pages, caption and names out of place.
    {"InstallConfig_en.txt", "Demo Printer Driver V1.0", "Demo Printer Driver V1.0\nDemo Printer Driver V1.1", 39,
     Severity::Error, "out of place"},
    {"InstallConfig_en.txt", "Setup was cancelled by the user.\nClick Finish to close this wizard.\n", "", 24,
     Severity::Error, "cancelled page's text is empty"},
    // Names against the name rules.
    {"InstallConfig_en.txt", "Demo Printer\nDemo Printer Driver\n", "Demo Printer, Front\nDemo Printer Driver\n", 32,
     Severity::Error, "printer name \"Demo Printer, Front\" holds a character"},
    {"InstallConfig_cn.txt", "Demo Printer Port:", "LPT1:", 34, Severity::Error,
     "port name \"LPT1:\" is a device name"},
    {"InstallConfig_en.txt", "Demo Printer Monitor", "Demo Printer Monitor ", 34, Severity::Error,
     "begins or ends with a space"},
    // Catalogue lines the installer misreads.
    {"PrinterName.txt", "POS58,   ESC.GPD,", "POS58,", 4, Severity::Error, "8 columns"},
    {"PrinterName.txt", "203,  UnknownPrinter,  1040", "2O3,  UnknownPrinter,  1040", 5, Severity::Error,
     "resolution \"2O3\" is not a whole number"},
    {"PrinterName.txt", "vid_1a2b&pid_0005", "vid_1a2b&pid_05", 3, Severity::Error, "USB look-up never matches"},
    {"PrinterName.txt", "vid_1a2b&pid_0004,", "vid_1a2b&pid_0004 ,", 6, Severity::Error, "USB look-up never matches"},
    // Catalogue lines that work, probably not as meant.
    {"PrinterName.txt", "Demo80C,", "Demo80,", 3, Severity::Warning, "model name \"Demo80\" is also on line 2"},
    {"PrinterName.txt", "vid_1a2b&pid_0004", "VID_1A2B&PID_0002", 6, Severity::Warning,
     "USB id \"vid_1a2b&pid_0002\" is also on line 4"},
    {"PrinterName.txt", "POS72", "POS76", 6, Severity::Warning, "model family \"POS76\" has no paper forms"},
    // Page texts against their page's room.
    {"InstallConfig_en.txt",
     "Click Finish to close this wizard.\n===", "Click Finish to close this wizard.\nThank you.\n===", 23,
     Severity::Warning, "completed page shows 2 lines; this text has 3"},
    // 68 characters: more than the 65 a folder page's line holds.
    {"InstallConfig_en.txt", "in the folder below.", "in the folder below here.", 14, Severity::Warning,
     "wider than the folder page"},
    // Full-width characters take two columns: 39 of them are wider than 76 columns.
    {"InstallConfig_cn.txt", "\n单击“下一步”继续。", "\n" + FullWidthLine(39), 15, Severity::Warning,
     "wider than the folder page"},
};

TEST_F(PackageCheck, EachPlantedMistakeInTheTextsIsFoundOnItsLineAtItsLevel) {
  for (const PlantedMistake& mistake : kPlantedMistakes) {
    SCOPED_TRACE(mistake.what);
    SetUp();
    Edit(mistake.file, mistake.from, mistake.to);
    Package();
    ExpectOnly(mistake.file, mistake.line, mistake.severity, mistake.what);
  }
}

TEST_F(PackageCheck, TextsEndingEarlyOrWithoutACatalogueModelAreErrors) {
  KeepLines("InstallConfig_en.txt", 28);  // up to the failed page's text, without its separator
  Package();
  ExpectOnly("InstallConfig_en.txt", 28, Severity::Error, "after 5 of the six page separators");

  SetUp();
  KeepLines("PrinterName.txt", 1);
  Package();
  ExpectOnly("PrinterName.txt", 0, Severity::Error, "no model");
}

TEST_F(PackageCheck, WithoutTheCaptionTheNamesMoveUpAndTheVersionLineIsNoDll) {
  Edit("InstallConfig_en.txt", "Demo Printer Driver Setup\n", "");
  Package();
  const mkpackage::Findings findings = Check();
  ASSERT_FALSE(findings.empty());
  EXPECT_EQ(findings.back().line, 37);
  EXPECT_NE(findings.back().what.find("\"Demo Printer Driver V1.0\" is no DLL name"), std::string::npos)
      << Describe(findings);
  for (const Finding& finding : findings) EXPECT_EQ(finding.severity, Severity::Error) << Describe(findings);
}

TEST_F(PackageCheck, AMissingTextIniOrLogoAndALogoOfTheWrongKindAreWarnings) {
  Package();
  fs::remove(Packaged("Text.ini"));
  ExpectOnly("Text.ini", 0, Severity::Warning, "Russian");

  Package();
  fs::remove(Packaged("logo.bmp"));
  ExpectOnly("Logo.bmp", 0, Severity::Warning, "missing");

  Package();
  Bytes logo = ReadFileBytes(Packaged("logo.bmp"));
  logo[22] = 60;  // height 60
  host_test::WriteFileBytes(Packaged("logo.bmp"), logo);
  ExpectOnly("logo.bmp", 0, Severity::Warning, "200 x 60 pixels");

  Package();
  host_test::WriteFileBytes(Packaged("logo.bmp"), ToBytes("\x89PNG\r\n\x1a\n and more bytes of a PNG image"));
  ExpectOnly("logo.bmp", 0, Severity::Warning, "not a BMP");

  Package();
  logo = ReadFileBytes(Packaged("logo.bmp"));
  logo[30] = 4;  // BI_JPEG
  host_test::WriteFileBytes(Packaged("logo.bmp"), logo);
  ExpectOnly("logo.bmp", 0, Severity::Warning, "not a BMP");
}

TEST_F(PackageCheck, TheCommandPrintsFileAndLineAndExitsOneOnlyForAnError) {
  Edit("PrinterName.txt", "POS72", "POS76");
  Package();
  std::ostringstream out, err;
  const std::vector<std::string> args = {"check", m_package.string()};
  EXPECT_EQ(mkpackage::RunMkpackage(args, out, err), 0);
  EXPECT_EQ(out.str(), (m_package / "PrinterName.txt").string() +
                           ":6: warning: model family \"POS76\" has no paper forms in the installer (POS58, POS72, "
                           "POS80 and POS110 have)\n" +
                           m_package.string() + ": 0 errors, 1 warning\n");

  fs::remove(Packaged("Uninstaller.exe"));
  out.str("");
  EXPECT_EQ(mkpackage::RunMkpackage(args, out, err), 1);
  EXPECT_NE(out.str().find((m_package / "Uninstaller.exe").string() + ":0: error: missing"), std::string::npos)
      << out.str();
  EXPECT_NE(out.str().find(": 1 error, 1 warning\n"), std::string::npos) << out.str();

  EXPECT_EQ(mkpackage::RunMkpackage(std::vector<std::string>{"check", (m_temp / "none").string()}, out, err), 1);
  EXPECT_EQ(mkpackage::RunMkpackage(std::vector<std::string>{"check"}, out, err), 2);
}

}  // namespace
