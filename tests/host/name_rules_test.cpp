// The printer-name rule the wizard text file's names are checked against.
#include "texts/name_rules.h"

#include <gtest/gtest.h>

namespace {

using texts::CheckPortName;
using texts::CheckPrinterName;
using texts::NameProblem;

std::u16string Text(std::string_view ascii) { return std::u16string(ascii.begin(), ascii.end()); }

TEST(NameRules, AcceptsOrdinaryNames) {
  for (const std::u16string& name : std::vector<std::u16string>{u"Demo Printer", u"Demo 打印机", u"CONSOLE", u"COM10", u"LPT", u"NUL1", u"A.b",
                              std::u16string(100, u'n')}) {
    EXPECT_EQ(CheckPrinterName(name), std::nullopt);
  }
}

TEST(NameRules, RefusesWhatWindowsOrTheCommandLineCannotTake) {
  const std::pair<std::string, NameProblem> cases[] = {
      {"", NameProblem::Empty},
      {std::string(101, 'n'), NameProblem::TooLong},
      {"a,b", NameProblem::ForbiddenCharacter},
      {"a\\b", NameProblem::ForbiddenCharacter},
      {"a/b", NameProblem::ForbiddenCharacter},
      {"a:b", NameProblem::ForbiddenCharacter},
      {"a|b", NameProblem::ForbiddenCharacter},
      {"a\"b", NameProblem::ForbiddenCharacter},
      {"a\tb", NameProblem::ControlCharacter},
      {" a", NameProblem::SpaceOrDotAtAnEnd},
      {"a.", NameProblem::SpaceOrDotAtAnEnd},
      {"con", NameProblem::ReservedDeviceName},
      {"Prn.txt", NameProblem::ReservedDeviceName},
      {"AUX", NameProblem::ReservedDeviceName},
      {"nul.x.y", NameProblem::ReservedDeviceName},
      {"COM9", NameProblem::ReservedDeviceName},
      {"lpt1", NameProblem::ReservedDeviceName},
  };
  for (const auto& [name, problem] : cases) EXPECT_EQ(CheckPrinterName(Text(name)), problem) << name;
}

TEST(NameRules, APortNameMayEndInOneColon) {
  EXPECT_EQ(CheckPortName(u"Demo Printer Port:"), std::nullopt);
  EXPECT_EQ(CheckPortName(u"Demo Printer Port"), std::nullopt);
  EXPECT_EQ(CheckPortName(u"Demo::"), NameProblem::ForbiddenCharacter);
  EXPECT_EQ(CheckPortName(u"COM3:"), NameProblem::ReservedDeviceName);
  EXPECT_EQ(CheckPortName(u":"), NameProblem::Empty);
}

}  // namespace
