#include "components/driver/common/characterization.h"

#include <gtest/gtest.h>

#include "tests/unit/driver/guarded_bytes.h"
#include "tests/unit/driver/installer_characterization.h"

namespace {

using plotter::ParseCharacterization;
using plotter::ParseError;

ParseError ErrorOf(const std::vector<uint8_t>& bytes) {
  const test::GuardedBytes guarded(bytes);
  return ParseCharacterization(guarded.span()).error;
}

void ExpectForms(const plotter::Characterization& parsed, const std::vector<test::ModelForm>& expected) {
  ASSERT_EQ(parsed.forms.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(parsed.forms[i].name, expected[i].name);
    EXPECT_EQ(parsed.forms[i].width, expected[i].width);
    EXPECT_EQ(parsed.forms[i].height, expected[i].height);
    EXPECT_EQ(parsed.forms[i].margins.left, 0);
    EXPECT_EQ(parsed.forms[i].margins.bottom, 0);
  }
}

TEST(InstallerCharacterization, Pos80FileGivesCustomThenTheThreeEightyMillimetreForms) {
  const std::vector<uint8_t> bytes = test::InstallerCharacterization("POS80", 203, 720, 32760);
  ASSERT_EQ(bytes.size(), 484u);
  const test::GuardedBytes guarded(bytes);
  const plotter::ParseResult result = ParseCharacterization(guarded.span());
  ASSERT_TRUE(result.ok());
  ExpectForms(result.data, test::InstallerForms("POS80", 720, 32760));
  EXPECT_EQ(result.data.dpiX, 203);
  EXPECT_EQ(result.data.dpiY, 203);
  EXPECT_EQ(result.data.forms[0].name, "Custom");
  EXPECT_EQ(result.data.forms[0].width, 720 * 100);
  EXPECT_EQ(result.data.forms[0].height, 32760 * 100);
}

TEST(InstallerCharacterization, OtherFamiliesHoldOnlyTheCustomForm) {
  for (const char* family : {"POS76", "pos80"}) {
    SCOPED_TRACE(family);
    const std::vector<uint8_t> bytes = test::InstallerCharacterization(family, 203, 760, 2970);
    ASSERT_EQ(bytes.size(), 316u);
    const test::GuardedBytes guarded(bytes);
    const plotter::ParseResult result = ParseCharacterization(guarded.span());
    ASSERT_TRUE(result.ok());
    ExpectForms(result.data, {{"Custom", 76000, 297000}});
  }
}

TEST(TruncatedCharacterization, EveryShorterFileIsRefusedWithoutReadingPastIt) {
  const std::vector<uint8_t> whole = test::InstallerCharacterization("POS80", 203, 720, 32760);
  for (size_t length = 0; length < whole.size(); ++length) {
    const std::vector<uint8_t> prefix(whole.begin(), whole.begin() + static_cast<ptrdiff_t>(length));
    EXPECT_NE(ErrorOf(prefix), ParseError::kNone) << length;
  }
  EXPECT_EQ(ErrorOf(std::vector<uint8_t>(whole.begin(), whole.begin() + 255)), ParseError::kTooShort);
  EXPECT_EQ(ErrorOf(std::vector<uint8_t>(whole.begin(), whole.end() - 1)), ParseError::kBadFormTable);
}

class MalformedCharacterization : public ::testing::Test {
 protected:
  std::vector<uint8_t> bytes_ = test::InstallerCharacterization("POS80", 203, 720, 32760);
  size_t FormAt(size_t index) const { return test::kFirstFormOffset + index * test::kFormRecordSize; }
};

TEST_F(MalformedCharacterization, HeaderFaultsAreNamed) {
  const auto with = [this](size_t at, uint32_t value, bool wide) {
    std::vector<uint8_t> broken = bytes_;
    wide ? test::Put32(broken, at, value) : test::Put16(broken, at, static_cast<uint16_t>(value));
    return ErrorOf(broken);
  };
  std::vector<uint8_t> otherIdentifier = bytes_;
  otherIdentifier[0] = 'p';
  EXPECT_EQ(ErrorOf(otherIdentifier), ParseError::kWrongIdentifier);
  EXPECT_EQ(with(test::kVersionOffset, 0x0109, true), ParseError::kUnknownVersion);
  EXPECT_EQ(with(test::kHeaderSizeOffset, 255, false), ParseError::kBadHeaderSize);
  EXPECT_EQ(with(test::kHeaderSizeOffset, 485, false), ParseError::kBadHeaderSize);
  EXPECT_EQ(with(test::kRasterResolutionOffset, 0, false), ParseError::kBadResolution);
  EXPECT_EQ(with(test::kRasterResolutionOffset + 2, 0, false), ParseError::kBadResolution);
}

TEST_F(MalformedCharacterization, FormTablesOutsideTheFileAreRefused) {
  const auto withTable = [this](uint16_t count, uint16_t recordSize, uint32_t offset) {
    std::vector<uint8_t> broken = bytes_;
    test::Put16(broken, test::kFormTableOffset, count);
    test::Put16(broken, test::kFormTableOffset + 2, recordSize);
    test::Put32(broken, test::kFormTableOffset + 4, offset);
    return ErrorOf(broken);
  };
  EXPECT_EQ(withTable(0, 56, 260), ParseError::kBadFormTable);
  EXPECT_EQ(withTable(4, 55, 260), ParseError::kBadFormTable);
  EXPECT_EQ(withTable(5, 56, 260), ParseError::kBadFormTable);
  EXPECT_EQ(withTable(4, 56, 261), ParseError::kBadFormTable);
  EXPECT_EQ(withTable(1, 56, 484), ParseError::kBadFormTable);
  EXPECT_EQ(withTable(0xFFFF, 0xFFFF, 0xFFFFFFF0u), ParseError::kBadFormTable);
  EXPECT_EQ(withTable(4, 56, 260), ParseError::kNone);
}

TEST_F(MalformedCharacterization, FormsWithoutNameOrSizeAreRefused) {
  std::vector<uint8_t> nameless = bytes_;
  nameless[FormAt(2)] = 0;
  EXPECT_EQ(ErrorOf(nameless), ParseError::kBadForm);
  std::vector<uint8_t> noWidth = bytes_;
  test::Put32(noWidth, FormAt(1) + 32, 0);
  EXPECT_EQ(ErrorOf(noWidth), ParseError::kBadForm);
  std::vector<uint8_t> negativeHeight = bytes_;
  test::Put32(negativeHeight, FormAt(3) + 36, 0xFFFFFF00u);
  EXPECT_EQ(ErrorOf(negativeHeight), ParseError::kBadForm);
}

}  // namespace
