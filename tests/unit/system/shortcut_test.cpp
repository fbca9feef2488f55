#include "system/shortcut.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>

#include <optional>
#include <string>

#include "platform/com_ptr.h"
#include "platform/fault_injection.h"
#include "system/install_record.h"
#include "tests/unit/system/system_test_support.h"

namespace {

const std::wstring kFolder = L"C:\\Program Files\\Demo80";
const std::wstring kTarget = kFolder + L"\\Uninstaller.exe";

struct LinkContents {
  std::wstring target;
  std::wstring workingDirectory;
};

// Reads a link back as the shell does, through IPersistFile::Load and IShellLinkW.
std::optional<LinkContents> ReadLink(const std::wstring& linkPath) {
  std::optional<LinkContents> contents;
  if (FAILED(CoInitialize(nullptr))) return contents;
  {
    platform::UniqueComPtr<IShellLinkW> link;
    platform::UniqueComPtr<IPersistFile> file;
    wchar_t target[MAX_PATH] = {};
    wchar_t folder[MAX_PATH] = {};
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.Receive())) &&
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, file.Receive())) &&
        SUCCEEDED(file->Load(linkPath.c_str(), STGM_READ)) &&
        SUCCEEDED(link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH)) &&
        SUCCEEDED(link->GetWorkingDirectory(folder, MAX_PATH))) {
      contents = LinkContents{target, folder};
    }
  }
  CoUninitialize();
  return contents;
}

class ShortcutTest : public testing::Test {
 protected:
  void SetUp() override {
    Clean();
    test::MakeFolders(kFolder);
    test::MakeFile(kTarget, "MZ");
    m_menuFolder = test::SpecialFolder(CSIDL_STARTMENU) + L"\\Demo80 Driver";
    test::MakeFolders(m_menuFolder);
    m_link = m_menuFolder + L"\\Uninstall Printer Driver.lnk";
  }
  void TearDown() override { Clean(); }
  void Clean() {
    test::RemoveTree(kFolder);
    if (!m_menuFolder.empty()) test::RemoveTree(m_menuFolder);
  }

  std::wstring m_menuFolder;
  std::wstring m_link;
  platform::ScopedFaults m_faults;
};

TEST(WorkingDirectoryOf, IsTheTargetUpToItsLastBackslash) {
  EXPECT_EQ(sys::WorkingDirectoryOf(L"C:\\Program Files\\Demo80\\Uninstaller.exe"), L"C:\\Program Files\\Demo80");
  EXPECT_EQ(sys::WorkingDirectoryOf(L"C:\\Uninstaller.exe"), L"C:");
  EXPECT_EQ(sys::WorkingDirectoryOf(L"Uninstaller.exe"), L"");
}

TEST(WorkingDirectoryOf, KeepsAt255Characters) {
  const std::wstring folder = L"C:\\" + std::wstring(300, L'f');
  EXPECT_EQ(sys::WorkingDirectoryOf(folder + L"\\Uninstaller.exe"), folder.substr(0, 255));
  const std::wstring fits = L"C:\\" + std::wstring(252, L'f');
  EXPECT_EQ(sys::WorkingDirectoryOf(fits + L"\\Uninstaller.exe"), fits);
}

TEST_F(ShortcutTest, LinkReadsBackWithTargetAndWorkingDirectory) {
  sys::CreateUninstallShortcut(kTarget.c_str(), m_link.c_str());
  const auto contents = ReadLink(m_link);
  ASSERT_TRUE(contents.has_value());
  EXPECT_TRUE(sys::SameFileName(contents->target, kTarget)) << contents->target;
  EXPECT_EQ(contents->workingDirectory, kFolder);
}

TEST_F(ShortcutTest, LinkNamesInOtherScriptsAreKept) {
  const std::wstring chinese = m_menuFolder + L"\\卸载 打印机驱动.lnk";
  const std::wstring russian = m_menuFolder + L"\\Удалите драйвер принтера.lnk";
  sys::CreateUninstallShortcut(kTarget.c_str(), chinese.c_str());
  sys::CreateUninstallShortcut(kTarget.c_str(), russian.c_str());
  EXPECT_TRUE(ReadLink(chinese).has_value());
  EXPECT_TRUE(ReadLink(russian).has_value());
}

TEST_F(ShortcutTest, ThreadWithComAlreadyInitialisedMakesNoLink) {
  ASSERT_EQ(CoInitialize(nullptr), S_OK);
  sys::CreateUninstallShortcut(kTarget.c_str(), m_link.c_str());
  EXPECT_FALSE(test::Exists(m_link));
  // The call balanced its own initialisation: one uninitialise ends COM on this thread.
  CoUninitialize();
  EXPECT_EQ(CoInitialize(nullptr), S_OK);
  CoUninitialize();
}

TEST_F(ShortcutTest, FailuresAreSilentAndLeaveNoLink) {
  for (const char* call : {"CoInitialize", "CoCreateInstance", "QueryInterface", "IPersistFile::Save"}) {
    platform::ScopedFaults faults;
    platform::InjectFault(call, ERROR_ACCESS_DENIED);
    sys::CreateUninstallShortcut(kTarget.c_str(), m_link.c_str());
    EXPECT_FALSE(test::Exists(m_link)) << call;
  }
}

}  // namespace
