#include "package/directory_chain.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "platform/fault_injection.h"
#include "tests/unit/support/test_files.h"

namespace {

class DirectoryChainTest : public testing::Test {
 protected:
  void SetUp() override { test::RemoveTree("C:\\A"); }
  void TearDown() override { test::RemoveTree("C:\\A"); }
};

TEST_F(DirectoryChainTest, CreatesEveryFolderUpToAFinalBackslash) {
  EXPECT_TRUE(package::CreateDirectoryChain(L"C:\\A\\B\\"));
  EXPECT_TRUE(test::FolderExists("C:\\A"));
  EXPECT_TRUE(test::FolderExists("C:\\A\\B"));
}

TEST_F(DirectoryChainTest, CreatesTheLastPartWithoutFinalBackslash) {
  EXPECT_TRUE(package::CreateDirectoryChain(L"C:\\A\\B\\C"));
  EXPECT_TRUE(test::FolderExists("C:\\A\\B\\C"));
  EXPECT_TRUE(package::CreateDirectoryChain(L"C:\\A\\B\\C"));  // existing: still true
  EXPECT_TRUE(package::CreateDirectoryChain(L"C:\\"));
}

TEST_F(DirectoryChainTest, RefusesPathsItDoesNotHandle) {
  EXPECT_FALSE(package::CreateDirectoryChain(L"\\\\server\\share\\A"));
  EXPECT_FALSE(package::CreateDirectoryChain(L"A\\B"));
  EXPECT_FALSE(package::CreateDirectoryChain(L""));
  EXPECT_FALSE(package::CreateDirectoryChain(L"Q:\\A\\B"));  // no drive Q: in a fresh prefix
  EXPECT_FALSE(test::FolderExists("C:\\A"));
}

TEST_F(DirectoryChainTest, OverlongPathFailsWithoutCreatingAnything) {
  std::wstring path = L"C:\\A\\";
  path.append(251, L'x');  // 256 characters
  EXPECT_FALSE(package::CreateDirectoryChain(path.c_str()));
  EXPECT_FALSE(test::FolderExists("C:\\A"));
  path.pop_back();  // 255 characters: the limit itself is fine
  EXPECT_TRUE(package::CreateDirectoryChain(path.c_str()));
}

TEST_F(DirectoryChainTest, FailedCreationStopsTheChain) {
  platform::ScopedFaults faults;
  platform::InjectFault("CreateDirectoryW", ERROR_ACCESS_DENIED, 1);
  EXPECT_FALSE(package::CreateDirectoryChain(L"C:\\A\\B\\C"));
  EXPECT_TRUE(test::FolderExists("C:\\A"));
  EXPECT_FALSE(test::FolderExists("C:\\A\\B"));
}

TEST_F(DirectoryChainTest, AFileInTheWayIsAFolderThatExists) {
  // Only existence is tested: a file named like a folder makes the next creation fail.
  CreateDirectoryA("C:\\A", nullptr);
  test::WriteBytes("C:\\A\\B", test::Bytes("file"));
  EXPECT_FALSE(package::CreateDirectoryChain(L"C:\\A\\B\\C"));
}

}  // namespace
