#include "texts/model_catalogue.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <climits>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "tests/unit/support/test_files.h"

namespace {

using Items = std::vector<std::wstring>;

constexpr char kFolder[] = "C:\\catalogue_docs";
constexpr char kFile[] = "C:\\catalogue_docs\\PrinterName.txt";
constexpr wchar_t kDocuments[] = L"C:\\catalogue_docs";

std::wstring Row(const std::wstring& name, const std::wstring& vidPid = L"vid_1a2b&pid_0001") {
  return name + L",  0,  POS80,  ESC.GPD,  " + vidPid + L",  203,  UnknownPrinter,  720,  32760";
}

bool IsEmpty(const texts::ModelRecord& record) {
  static const texts::ModelRecord empty{};
  return std::memcmp(&record, &empty, sizeof record) == 0;
}

class ModelCatalogueTest : public testing::Test {
 protected:
  void SetUp() override {
    test::RemoveTree(kFolder);
    CreateDirectoryA(kFolder, nullptr);
  }
  void TearDown() override { test::RemoveTree(kFolder); }
  Items Load(const std::vector<std::wstring>& lines) {
    test::WriteUtf16Text(kFile, test::CrLfLines(lines));
    return texts::LoadModelCatalogue(guarded.table, kDocuments);
  }
  // A record right behind the table shows any write past it.
  struct {
    texts::ModelSlots table;
    texts::ModelRecord after;
  } guarded{};
  texts::ModelSlots& table = guarded.table;
};

TEST_F(ModelCatalogueTest, FillsSlotsFromOneWithEveryColumn) {
  const Items items = Load({L"//Name, Cutter, Family, GPD, vid&pid, DPI, Hardware id, Width, Height",
                            L"Demo80,     1,      POS80,   ESC.GPD,  vid_1a2b&pid_0001,  203,  UnknownPrinter,  720,   32760",
                            L"Demo58,0,POS58,ESC.GPD,vid_1a2b&pid_0002,300,Other,480,700"});
  EXPECT_EQ(items, (Items{L"Demo80", L"Demo58"}));
  const texts::ModelRecord& demo80 = table[1];
  EXPECT_STREQ(demo80.Name, L"Demo80");
  EXPECT_EQ(demo80.CutterFlag, 1);
  EXPECT_STREQ(demo80.ModelFamily, L"POS80");
  EXPECT_STREQ(demo80.GpdFile, L"ESC.GPD");
  EXPECT_STREQ(demo80.VidPid, L"vid_1a2b&pid_0001");
  EXPECT_EQ(demo80.Resolution, 203);
  EXPECT_STREQ(demo80.HardwareId, L"UnknownPrinter");
  EXPECT_EQ(demo80.PaperWidth, 720);
  EXPECT_EQ(demo80.PaperHeight, 32760);
  EXPECT_EQ(table[2].Resolution, 300);
  EXPECT_EQ(table[2].PaperHeight, 700);  // last line, no line end
  EXPECT_TRUE(IsEmpty(table[0]));
  EXPECT_TRUE(IsEmpty(table[3]));

  EXPECT_EQ(texts::LoadModelCatalogue(kDocuments), items);
  EXPECT_STREQ(texts::ModelTable[2].ModelFamily, L"POS58");
}

TEST_F(ModelCatalogueTest, CommentsAreSkippedAndBlankLinesTakeASlot) {
  const Items items = Load({Row(L"Demo//80"), Row(L"A") + L" // retired", Row(L"A"), L"", Row(L"B")});
  EXPECT_EQ(items, (Items{L"A", L"", L"B"}));
  EXPECT_STREQ(table[1].Name, L"A");
  EXPECT_TRUE(IsEmpty(table[2]));
  EXPECT_STREQ(table[3].Name, L"B");
}

TEST_F(ModelCatalogueTest, OnlyLeadingSpacesOfRecordFieldsAreRemoved) {
  const Items items = Load({L"   Demo Printer 80,1, POS80  ,   ,vid_1a2b&pid_0001"});
  EXPECT_EQ(items, (Items{L"   Demo Printer 80"}));
  EXPECT_STREQ(table[1].Name, L"Demo Printer 80");
  EXPECT_STREQ(table[1].ModelFamily, L"POS80  ");
  EXPECT_STREQ(table[1].GpdFile, L"   ");  // spaces alone stay
  EXPECT_STREQ(table[1].VidPid, L"vid_1a2b&pid_0001");
  EXPECT_STREQ(table[1].HardwareId, L"");  // beyond the last column given
}

TEST_F(ModelCatalogueTest, NumbersAreReadAsDecimalPrefixes) {
  Load({L"N, -12mm, F, G, V, x203, H, +720, 99999999999"});
  EXPECT_EQ(table[1].CutterFlag, -12);
  EXPECT_EQ(table[1].Resolution, 0);
  EXPECT_EQ(table[1].PaperWidth, 720);
  EXPECT_EQ(table[1].PaperHeight, INT32_MAX);
}

TEST_F(ModelCatalogueTest, EmptyColumnEndsTheScan) {
  const Items items = Load({L"Demo80,1,,ESC.GPD,vid_1a2b&pid_0001,203,UnknownPrinter,720,32760", L",0,POS80"});
  EXPECT_EQ(items, (Items{L"Demo80", L""}));
  EXPECT_EQ(table[1].CutterFlag, 1);
  EXPECT_STREQ(table[1].GpdFile, L"");
  EXPECT_STREQ(table[1].VidPid, L"");
  EXPECT_EQ(table[1].PaperHeight, 0);
  EXPECT_TRUE(IsEmpty(table[2]));
}

TEST_F(ModelCatalogueTest, OverlongColumnsAreCutToTheirFields) {
  const std::wstring name(70, L'n'), family(40, L'f'), vidPid(70, L'v'), hardwareId(40, L'h');
  const Items items = Load({name + L",1," + family + L",G," + vidPid + L",203," + hardwareId + L",720,5"});
  EXPECT_EQ(items, Items{name});
  EXPECT_STREQ(table[1].Name, name.substr(0, 63).c_str());
  EXPECT_EQ(table[1].CutterFlag, 1);
  EXPECT_STREQ(table[1].ModelFamily, family.substr(0, 31).c_str());
  EXPECT_STREQ(table[1].VidPid, vidPid.substr(0, 63).c_str());
  EXPECT_EQ(table[1].Resolution, 203);
  EXPECT_STREQ(table[1].HardwareId, hardwareId.substr(0, 31).c_str());
  EXPECT_EQ(table[1].PaperWidth, 720);
  EXPECT_EQ(table[1].PaperHeight, 5);
}

TEST_F(ModelCatalogueTest, OverlongLineKeepsIts254FirstCharacters) {
  const Items items = Load({L"Long,1,POS80," + std::wstring(300, L'g') + L",vid_1a2b&pid_0001", Row(L"Next")});
  EXPECT_EQ(items, (Items{L"Long", L"Next"}));
  EXPECT_STREQ(table[1].GpdFile, std::wstring(254 - 13, L'g').c_str());
  EXPECT_STREQ(table[1].VidPid, L"");
}

TEST_F(ModelCatalogueTest, LoadingStopsWhenTheTableIsFull) {
  std::vector<std::wstring> lines;
  for (int model = 1; model <= 40; ++model) lines.push_back(Row(L"M" + std::to_wstring(model)));
  const Items items = Load(lines);
  ASSERT_EQ(items.size(), 31u);
  EXPECT_EQ(items.back(), L"M31");
  EXPECT_STREQ(table[31].Name, L"M31");
  EXPECT_TRUE(IsEmpty(guarded.after));
}

TEST_F(ModelCatalogueTest, ModelsFarIntoALongFileAreRead) {
  // Past the first 16 KiB, where the file is read in a later chunk.
  std::vector<std::wstring> lines(300, L"// " + std::wstring(60, L'c'));
  lines.push_back(Row(L"Late"));
  EXPECT_EQ(Load(lines), Items{L"Late"});
  EXPECT_EQ(table[1].PaperHeight, 32760);
}

TEST_F(ModelCatalogueTest, FileEdgesAddNoModel) {
  // A model on the first line after the byte-order mark, and a final line end.
  test::WriteUtf16Text(kFile, Row(L"A") + L"\r\n" + Row(L"B") + L"\r\n");
  EXPECT_EQ(texts::LoadModelCatalogue(table, kDocuments), (Items{L"A", L"B"}));
  EXPECT_STREQ(table[1].Name, L"A");

  test::RemoveTree(kFolder);
  EXPECT_EQ(texts::LoadModelCatalogue(table, kDocuments), Items{});
  EXPECT_TRUE(IsEmpty(table[1]));
}

TEST_F(ModelCatalogueTest, FindByUsbIdTakesTheFirstOfSlotsOneIgnoringAsciiCase) {
  std::wcscpy(table[0].VidPid, L"vid_9999&pid_9999");
  std::wcscpy(table[2].VidPid, L"vid_1a2b&pid_0001");
  std::wcscpy(table[3].VidPid, L"vid_1a2b&pid_0001");
  std::wcscpy(table[4].VidPid, L"VID_1A2B&PID_0002");
  EXPECT_EQ(texts::FindModelByUsbId(table, L"VID_1A2B&PID_0001"), 2);
  EXPECT_EQ(texts::FindModelByUsbId(table, L"vid_1a2b&pid_0002"), 4);
  EXPECT_EQ(texts::FindModelByUsbId(table, L"vid_9999&pid_9999"), std::nullopt);
  // Only ASCII letters fold, as in the C runtime's "C" locale.
  std::wcscpy(table[5].VidPid, L"vid_é&pid_ж");
  EXPECT_EQ(texts::FindModelByUsbId(table, L"VID_é&PID_ж"), 5);
  EXPECT_EQ(texts::FindModelByUsbId(table, L"vid_É&pid_Ж"), std::nullopt);
}

TEST_F(ModelCatalogueTest, FindByNameTakesTheFirstExactNameWhosePortIsFound) {
  const wchar_t* const models[][2] = {{L"Demo80", L"vid_1"}, {L"demo80", L"vid_2"}, {L"Demo80", L"vid_3"},
                                      {L"Demo80", L"vid_4"}};
  for (int slot = 1; slot <= 4; ++slot) {
    std::wcscpy(table[slot].Name, models[slot - 1][0]);
    std::wcscpy(table[slot].VidPid, models[slot - 1][1]);
    std::wcscpy(table[slot].HardwareId, L"UnknownPrinter");
  }
  std::vector<std::wstring> tried;
  const auto findPort = [&tried](wchar_t* port, size_t capacity, const wchar_t* vidPid, const wchar_t* hardwareId) {
    tried.push_back(std::wstring(vidPid) + L" " + hardwareId);
    if (std::wcscmp(vidPid, L"vid_1") == 0) return 0;
    wcsncpy_s(port, capacity, L"USB001", _TRUNCATE);
    return 1;
  };
  wchar_t port[256] = L"USB";
  EXPECT_EQ(texts::FindModelByNameAndPort(table, L"Demo80", port, 256, findPort), 3);
  EXPECT_EQ(tried, (std::vector<std::wstring>{L"vid_1 UnknownPrinter", L"vid_3 UnknownPrinter"}));
  EXPECT_STREQ(port, L"USB001");
  EXPECT_EQ(texts::FindModelByNameAndPort(table, L"DEMO80", port, 256, findPort), std::nullopt);
}

TEST(ModelAtTest, IndexOutsideTheTableGivesThePlaceholderSlot) {
  std::wcscpy(texts::ModelTable[5].Name, L"Five");
  EXPECT_STREQ(texts::ModelAt(5).Name, L"Five");
  EXPECT_STREQ(texts::ModelAt(32).Name, L"");
  EXPECT_STREQ(texts::ModelAt(-1).Name, L"");
  texts::ModelTable[5] = {};
}

}  // namespace
