#include "platform/install_log.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "platform/fault_injection.h"
#include "tests/unit/support/test_files.h"

namespace {

class InstallLogTest : public testing::Test {
 protected:
  void SetUp() override { Reset(); }
  void TearDown() override { Reset(); }
  static void Reset() { DeleteFileA(platform::kInstallLogPath); }
  static std::string LogText() {
    const std::vector<uint8_t> bytes = test::ReadBytes(platform::kInstallLogPath);
    return {bytes.begin(), bytes.end()};
  }
};

TEST_F(InstallLogTest, RecordEndsInCrCrLfOnDisk) {
  platform::WriteInstallLog("**** Retrace Finish\r\n");
  EXPECT_EQ(LogText(), "**** Retrace Finish\r\r\n");
  EXPECT_EQ(LogText().size(), 19u + 3u);
}

TEST_F(InstallLogTest, RecordsAppendAcrossCallsAndRuns) {
  platform::WriteInstallLog("**** FileCount=%d\r\n", 35);
  platform::WriteInstallLog("AddPortEx = %d PortName=%s\r\n", 87, "Demo80-Port:");
  EXPECT_EQ(LogText(), "**** FileCount=35\r\r\nAddPortEx = 87 PortName=Demo80-Port:\r\r\n");
  platform::WriteInstallLog("AddPrinter = %d\r\n", -1);
  EXPECT_EQ(LogText(), "**** FileCount=35\r\r\nAddPortEx = 87 PortName=Demo80-Port:\r\r\nAddPrinter = -1\r\r\n");
}

TEST_F(InstallLogTest, HandleIsLowerCaseHexWithoutPrefixOrZeros) {
  platform::WriteInstallLog("AddPrinter hPrinter = %x\r\n", 0x00ABCDEFu);
  EXPECT_EQ(LogText(), "AddPrinter hPrinter = abcdef\r\r\n");
}

TEST_F(InstallLogTest, OverlongRecordIsCutAt1023Bytes) {
  const std::string subkey(3000, 'k');
  platform::WriteInstallLog("**** vid&pid=%s subkey=%s\r\n", "vid_1a2b&pid_0001", subkey.c_str());
  const std::string expected = ("**** vid&pid=vid_1a2b&pid_0001 subkey=" + subkey).substr(0, 1023);
  EXPECT_EQ(LogText(), expected);
  platform::WriteInstallLog("next\r\n");  // later records are unharmed
  EXPECT_EQ(LogText(), expected + "next\r\r\n");
}

TEST_F(InstallLogTest, LockedLogDropsTheRecordQuietly) {
  // Running as root under Wine, a read-only attribute does not stop writes; a lock does.
  platform::WriteInstallLog("first\r\n");
  HANDLE lock = CreateFileA(platform::kInstallLogPath, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  platform::WriteInstallLog("dropped\r\n");
  CloseHandle(lock);
  EXPECT_EQ(LogText(), "first\r\r\n");
}

TEST_F(InstallLogTest, UnopenableLogDropsTheRecordQuietly) {
  platform::ScopedFaults faults;
  platform::InjectFault("CreateFileW", ERROR_SHARING_VIOLATION, 0, 1);
  platform::WriteInstallLog("dropped\r\n");
  EXPECT_FALSE(test::FileExists(platform::kInstallLogPath));
  platform::WriteInstallLog("kept\r\n");
  EXPECT_EQ(LogText(), "kept\r\r\n");
}

// Standard users may create files at the root of C: a hard link planted under the trace's name
// must not aim the elevated append at the file it shares its data with.
TEST_F(InstallLogTest, PlantedHardLinkIsReplacedAndItsTargetLeftAlone) {
  test::WriteBytes("C:\\system-file.ini", test::Bytes("precious"));
  ASSERT_TRUE(CreateHardLinkA(platform::kInstallLogPath, "C:\\system-file.ini", nullptr));
  platform::WriteInstallLog("**** Retrace Finish\r\n");
  EXPECT_EQ(test::ReadBytes("C:\\system-file.ini"), test::Bytes("precious"));
  EXPECT_EQ(LogText(), "**** Retrace Finish\r\r\n");
  platform::WriteInstallLog("next\r\n");  // the new trace keeps growing
  EXPECT_EQ(LogText(), "**** Retrace Finish\r\r\nnext\r\r\n");
  DeleteFileA("C:\\system-file.ini");
}

// Wine follows a symbolic link to a file silently: the handle query is made to report one.
TEST_F(InstallLogTest, NameReportedAsAReparsePointIsReplaced) {
  platform::WriteInstallLog("old run\r\n");
  platform::ScopedFaults faults;
  platform::InjectFault("ReportReparsePoint", 0, 0, 1);
  platform::WriteInstallLog("this run\r\n");
  EXPECT_EQ(LogText(), "this run\r\r\n");
}

TEST_F(InstallLogTest, LinkThatComesBackDropsTheRecord) {
  platform::WriteInstallLog("old run\r\n");
  platform::ScopedFaults faults;
  platform::InjectFault("ReportHardLinks", 0, 0, 2);  // the old name and the new file alike
  platform::WriteInstallLog("dropped\r\n");
  EXPECT_EQ(LogText(), "");
}

}  // namespace
