// Entry name rules shared by create, append and extract.
#include "tools/mkpackage/entry_names.h"

#include <gtest/gtest.h>

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
