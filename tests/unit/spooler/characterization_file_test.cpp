#include "spooler/characterization_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

int32_t Read32(const std::vector<uint8_t>& bytes, size_t offset) {
  int32_t value;
  std::memcpy(&value, bytes.data() + offset, 4);
  return value;
}

int32_t Read16(const std::vector<uint8_t>& bytes, size_t offset) {
  return bytes[offset] | bytes[offset + 1] << 8;
}

std::string FormName(const std::vector<uint8_t>& bytes, int form) {
  const char* name = reinterpret_cast<const char*>(bytes.data() + 260 + 56 * form);
  return std::string(name, strnlen(name, 32));
}

TEST(CharacterizationFile, Pos80ModelGetsCustomAndThreeRollForms) {
  const std::vector<uint8_t> bytes = spooler::BuildCharacterizationData({L"POS80", 203, 720, 32760});
  ASSERT_EQ(bytes.size(), 484u);
  EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "Plot");
  EXPECT_EQ(Read32(bytes, 4), 0x10A);
  EXPECT_EQ(Read16(bytes, 8), 256);
  EXPECT_EQ(Read16(bytes, 10), 228);
  EXPECT_STREQ(reinterpret_cast<const char*>(bytes.data() + 12), "QR7700 Printer Driver");
  EXPECT_EQ(Read32(bytes, 44), 215900);
  EXPECT_EQ(Read32(bytes, 48), 5000000);
  for (size_t offset : {72u, 76u}) EXPECT_EQ(Read32(bytes, offset), 203);
  for (size_t offset : {80u, 82u}) EXPECT_EQ(Read16(bytes, offset), 203);
  EXPECT_EQ(Read16(bytes, 90), 9999);
  EXPECT_EQ(Read32(bytes, 96), -1);
  EXPECT_EQ(Read32(bytes, 104), 6810);  // first and last colour values bracket the table
  EXPECT_EQ(Read32(bytes, 220), 248);
  EXPECT_EQ(Read32(bytes, 228), -1);
  EXPECT_EQ(Read16(bytes, 240), 4);
  EXPECT_EQ(Read16(bytes, 242), 56);
  EXPECT_EQ(Read32(bytes, 244), 260);
  EXPECT_EQ(Read16(bytes, 248), 2);
  EXPECT_EQ(Read32(bytes, 252), 256);
  EXPECT_EQ(Read16(bytes, 256), 0);  // pens
  EXPECT_EQ(Read16(bytes, 258), 1);

  EXPECT_EQ(FormName(bytes, 0), "Custom");
  EXPECT_EQ(Read32(bytes, 260 + 32), 72000);
  EXPECT_EQ(Read32(bytes, 260 + 36), 3276000);
  EXPECT_EQ(FormName(bytes, 1), "80 x 210mm");
  EXPECT_EQ(Read32(bytes, 316 + 32), 72000);  // 80 mm rolls print 72 mm wide
  EXPECT_EQ(Read32(bytes, 316 + 36), 210000);
  EXPECT_EQ(FormName(bytes, 3), "80 x 3276mm");
  EXPECT_EQ(Read32(bytes, 428 + 36), 3276000);
  for (size_t margin = 40; margin < 56; margin += 4) EXPECT_EQ(Read32(bytes, 428 + margin), 0);
}

TEST(CharacterizationFile, OtherFamiliesGetOnlyTheCustomForm) {
  for (const wchar_t* family : {L"POS76", L"pos80", L""}) {
    const std::vector<uint8_t> bytes = spooler::BuildCharacterizationData({family, 300, 640, 700});
    ASSERT_EQ(bytes.size(), 316u);
    EXPECT_EQ(Read16(bytes, 10), 60);
    EXPECT_EQ(Read16(bytes, 240), 1);
    EXPECT_EQ(Read32(bytes, 72), 300);
    EXPECT_EQ(FormName(bytes, 0), "Custom");
    EXPECT_EQ(Read32(bytes, 260 + 32), 64000);
    EXPECT_EQ(Read32(bytes, 260 + 36), 70000);
  }
}

TEST(CharacterizationFile, FamiliesHaveTheirOwnRollWidths) {
  const std::vector<uint8_t> pos58 = spooler::BuildCharacterizationData({L"POS58", 203, 480, 32760});
  EXPECT_EQ(FormName(pos58, 2), "58 x 297mm");
  EXPECT_EQ(Read32(pos58, 372 + 32), 58000);
  EXPECT_EQ(Read32(pos58, 372 + 36), 297000);
  const std::vector<uint8_t> pos110 = spooler::BuildCharacterizationData({L"POS110", 203, 1040, 32760});
  EXPECT_EQ(FormName(pos110, 1), "110 x 210mm");
  EXPECT_EQ(Read32(pos110, 316 + 32), 110000);
}

}  // namespace
