#include "spooler/characterization_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

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

// ---- The whole file against one built here from the field table, byte for byte

class ExpectedFile {
 public:
  ExpectedFile& Bytes(std::string_view text, size_t size) {
    for (size_t i = 0; i < size; ++i) m_bytes.push_back(i < text.size() ? static_cast<uint8_t>(text[i]) : 0);
    return *this;
  }
  ExpectedFile& U16(uint32_t value) { return Little(value, 2); }
  ExpectedFile& I32(int32_t value) { return Little(static_cast<uint32_t>(value), 4); }
  std::vector<uint8_t> Take() { return std::move(m_bytes); }

 private:
  ExpectedFile& Little(uint32_t value, int size) {
    for (int i = 0; i < size; ++i) m_bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
    return *this;
  }
  std::vector<uint8_t> m_bytes;
};

struct Form {
  std::string name;
  int32_t width, height;  // thousandths of a millimetre
};

std::vector<uint8_t> Expected(int32_t resolution, const std::vector<Form>& forms) {
  const auto count = static_cast<uint32_t>(forms.size());
  ExpectedFile file;
  file.Bytes("Plot", 4).I32(0x10A).U16(256).U16(4 + 56 * count).Bytes("QR7700 Printer Driver", 32);
  file.I32(215900).I32(5000000).I32(0).I32(0).I32(0).I32(0).I32(1);
  file.I32(resolution).I32(resolution).U16(resolution & 0xFFFF).U16(resolution & 0xFFFF);
  file.U16(0).U16(100).U16(8).U16(9999).U16(128).U16(4).I32(-1).I32(-1);
  for (int32_t colour : {6810, 3050, 0, 2260, 6550, 0, 1810, 500, 0, 2000, 2450, 0, 5210, 2100, 0, 4750, 5100, 0,
                         3324, 3474, 10000, 10000, 10000, 10000, 1422, 952, 787, 495, 324, 248}) {
    file.I32(colour);
  }
  file.I32(0).I32(-1).U16(0).U16(0).I32(0).U16(count).U16(56).I32(260).U16(2).U16(2).I32(256);
  file.U16(0).U16(1);
  for (const Form& form : forms) file.Bytes(form.name, 32).I32(form.width).I32(form.height).I32(0).I32(0).I32(0).I32(0);
  return file.Take();
}

std::vector<Form> RollForms(const std::string& label, int32_t width) {
  return {{label + " x 210mm", width, 210000}, {label + " x 297mm", width, 297000}, {label + " x 3276mm", width, 3276000}};
}

// The first differing offset, so that a failure names the field.
std::string FirstDifference(const std::vector<uint8_t>& actual, const std::vector<uint8_t>& expected) {
  for (size_t i = 0; i < std::min(actual.size(), expected.size()); ++i) {
    if (actual[i] != expected[i]) return "first difference at offset " + std::to_string(i);
  }
  return "sizes " + std::to_string(actual.size()) + " and " + std::to_string(expected.size());
}

TEST(CharacterizationFile, WholeFileMatchesTheFieldTableForEveryFamilyAndResolution) {
  struct Case {
    spooler::ModelForms model;
    std::vector<Form> forms;
  };
  const auto withRolls = [](int32_t custom, int32_t height, const std::string& label, int32_t width) {
    std::vector<Form> forms = {{"Custom", custom * 100, height * 100}};
    for (Form& roll : RollForms(label, width)) forms.push_back(roll);
    return forms;
  };
  const Case cases[] = {
      {{L"POS58", 203, 480, 32760}, withRolls(480, 32760, "58", 58000)},
      {{L"POS72", 180, 640, 2970}, withRolls(640, 2970, "72", 72000)},
      {{L"POS80", 203, 720, 32760}, withRolls(720, 32760, "80", 72000)},
      {{L"POS110", 300, 1100, 1500}, withRolls(1100, 1500, "110", 110000)},
      {{L"LABEL", 600, 1040, 1500}, {{"Custom", 104000, 150000}}},
      {{L"POS80", 70000, 720, 32760}, withRolls(720, 32760, "80", 72000)},  // raster keeps the low 16 bits
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "family " << testing::PrintToString(std::wstring(c.model.family))
                                    << ", resolution " << c.model.resolution);
    const std::vector<uint8_t> actual = spooler::BuildCharacterizationData(c.model);
    const std::vector<uint8_t> expected = Expected(c.model.resolution, c.forms);
    EXPECT_TRUE(actual == expected) << FirstDifference(actual, expected);
  }
}

}  // namespace
