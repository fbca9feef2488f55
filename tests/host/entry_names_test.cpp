// Entry name rules shared by create, append and extract.
#include "tools/mkpackage/entry_names.h"

#include <gtest/gtest.h>

#include "package/entry_names.h"

namespace {

using mkpackage::EntryNameParts;
using mkpackage::EntryNameProblem;
using mkpackage::FindNameClash;
using mkpackage::PrintableName;

TEST(EntryNames, AcceptsPlainAndNestedNames) {
  for (const std::string& name : std::vector<std::string>{"Text.ini", "drivers\\x64\\printer.dll", "a b.txt",
                                 "\xc4\xe3\xba\xc3.txt", ".hidden", std::string(255, 'n')}) {
    EXPECT_EQ(EntryNameProblem(name), std::nullopt) << name;
  }
}

TEST(EntryNames, RefusesNamesThatWouldLeaveTheFolder) {
  for (const std::string name :
       {"..", "..\\x", "a\\..\\..\\x", "a/../x", ".\\x", "\\x", "/x", "C:x", "C:\\x", "c:/x",
        "\\\\server\\share\\x", "a\\\\b", "a\\", "a/", ""}) {
    EXPECT_NE(EntryNameProblem(name), std::nullopt) << name;
  }
}

TEST(EntryNames, RefusesNamesWindowsCannotCreate) {
  for (const std::string& name : std::vector<std::string>{"a?b", "a*b", "a|b", "a<b", "a>b", "a\"b", "a\x01" "b",
                                 "a\nb", "a.", "a ", "dir.\\b", "file:stream",
                                 std::string(256, 'n')}) {
    EXPECT_NE(EntryNameProblem(name), std::nullopt) << PrintableName(name);
  }
}

TEST(EntryNames, DeviceNamesAreReservedInAnyCaseAloneOrBeforeADot) {
  for (const char* part : {"CON", "con", "Prn", "aux", "NUL", "nul.txt", "Aux.dat", "COM1", "com9", "LPT1",
                           "lpt9.tar.gz", "CON.", "nul .txt", "con ", "Com5.x"}) {
    EXPECT_TRUE(package::IsReservedDeviceName(std::string_view(part))) << part;
  }
  for (const char* part : {"", "CONS", "icon", "nul_", "NULL.txt", "COM0", "COM10", "LPT", "com", "xCON", "a.con",
                           ".nul", "COM1x.txt", "co n"}) {
    EXPECT_FALSE(package::IsReservedDeviceName(std::string_view(part))) << part;
  }
}

// The same rule for printer names held as UTF-16.
TEST(EntryNames, DeviceNameRuleReadsWideText) {
  static_assert(package::IsReservedDeviceName(std::wstring_view(L"lPt3.Printer")));
  static_assert(package::IsReservedDeviceName(std::u16string_view(u"PRN")));
  EXPECT_FALSE(package::IsReservedDeviceName(std::wstring_view(L"Receipt printer")));
  // A unit whose low byte is 'C' is not the letter C.
  EXPECT_FALSE(package::IsReservedDeviceName(std::u16string_view(u"\u0143ON")));
  EXPECT_FALSE(package::IsReservedDeviceName(std::wstring_view(L"COM\u0661")));
}

TEST(EntryNames, UnsafeNamesLeaveTheFolderOrHaveADevicePart) {
  for (const char* name : {"..\\x", "C:x", "\\x", "CON", "docs\\LPT1", "nul.txt", "aux\\readme.txt", "a/Com3/b"}) {
    EXPECT_TRUE(package::IsUnsafeEntryName(name)) << name;
  }
  for (const char* name : {"docs\\manual.txt", "console.txt", "printers\\com.dll", "a/b"}) {
    EXPECT_FALSE(package::IsUnsafeEntryName(name)) << name;
  }
}

TEST(EntryNames, RefusesDevicePartsNamingTheRule) {
  for (const char* name : {"CON", "nul.txt", "docs\\LPT1", "Aux.dat", "COM7\\x"}) {
    const auto problem = EntryNameProblem(name);
    ASSERT_NE(problem, std::nullopt) << name;
    EXPECT_NE(problem->find("device"), std::string::npos) << *problem;
  }
}

TEST(EntryNames, BackslashAndSlashBothSeparateParts) {
  EXPECT_EQ(EntryNameParts("a\\b/c"), (std::vector<std::string_view>{"a", "b", "c"}));
  EXPECT_EQ(EntryNameParts("\\a"), (std::vector<std::string_view>{"", "a"}));
}

TEST(EntryNames, ClashesIgnoreAsciiCaseAndSeparatorKind) {
  EXPECT_NE(FindNameClash({"Readme.txt", "README.TXT"}), std::nullopt);
  EXPECT_NE(FindNameClash({"drivers\\a.dll", "DRIVERS/a.dll"}), std::nullopt);
  EXPECT_NE(FindNameClash({"drivers\\x64\\a.dll", "Drivers\\X64"}), std::nullopt);
  EXPECT_NE(FindNameClash({"drivers", "drivers\\a.dll"}), std::nullopt);
  EXPECT_EQ(FindNameClash({"drivers\\a.dll", "drivers\\b.dll", "drivers2", "a.dll"}),
            std::nullopt);
}

TEST(EntryNames, PrintableNameKeepsOneLine) {
  EXPECT_EQ(PrintableName("a\nb\tc\\d\xe4"), "a?b?c\\d\xe4");
}

}  // namespace
