#include "platform/handle.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "platform/registry.h"

namespace {

// Records each close, so that a test sees how often and what was closed.
struct RecordingTraits : platform::NullIsInvalid<int*> {
  static inline int closes = 0;
  static inline int* lastClosed = nullptr;
  static void Close(int* value) {
    ++closes;
    lastClosed = value;
  }
};
using RecordingOwner = platform::UniqueOwner<RecordingTraits>;

class OwnerLifetime : public ::testing::Test {
 protected:
  void SetUp() override {
    RecordingTraits::closes = 0;
    RecordingTraits::lastClosed = nullptr;
  }
  int m_first = 1;
  int m_second = 2;
};

TEST_F(OwnerLifetime, ClosesExactlyOnceWhenItGoes) {
  {
    RecordingOwner owner(&m_first);
    EXPECT_TRUE(owner.IsValid());
    owner.Close();
    EXPECT_FALSE(owner.IsValid());
    owner.Close();  // already closed: nothing more
  }
  EXPECT_EQ(RecordingTraits::closes, 1);
  EXPECT_EQ(RecordingTraits::lastClosed, &m_first);
}

TEST_F(OwnerLifetime, MovedFromOwnerClosesNothing) {
  {
    RecordingOwner source(&m_first);
    {
      const RecordingOwner target(std::move(source));
      EXPECT_FALSE(source.IsValid());
      EXPECT_EQ(target.Get(), &m_first);
    }
    EXPECT_EQ(RecordingTraits::closes, 1);
  }
  EXPECT_EQ(RecordingTraits::closes, 1);
}

TEST_F(OwnerLifetime, MoveAssignmentClosesWhatTheTargetHeld) {
  RecordingOwner target(&m_first);
  RecordingOwner source(&m_second);
  target = std::move(source);
  EXPECT_EQ(RecordingTraits::closes, 1);
  EXPECT_EQ(RecordingTraits::lastClosed, &m_first);
  EXPECT_EQ(target.Get(), &m_second);
  target = std::move(target);  // self-move keeps the value open
  EXPECT_EQ(RecordingTraits::closes, 1);
  EXPECT_EQ(target.Get(), &m_second);
}

TEST_F(OwnerLifetime, DetachHandsOverAndAttachClosesThePrevious) {
  RecordingOwner owner(&m_first);
  EXPECT_EQ(owner.Detach(), &m_first);
  EXPECT_FALSE(owner);
  owner.Attach(&m_second);
  owner.Attach(&m_first);
  EXPECT_EQ(RecordingTraits::closes, 1);
  EXPECT_EQ(RecordingTraits::lastClosed, &m_second);
}

TEST(OwnerTypes, OwnersCannotBeCopied) {
  static_assert(!std::is_copy_constructible_v<platform::UniqueFileHandle>);
  static_assert(!std::is_copy_assignable_v<platform::UniquePrinter>);
  static_assert(std::is_nothrow_move_constructible_v<platform::UniqueIcon>);
}

// ---- Each trait's invalid value is what its opening call fails with

std::wstring TempPath(const wchar_t* name) {
  wchar_t folder[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, folder);
  return std::wstring(folder) + name;
}

TEST(HandleTraits, FailedOpeningsAreInvalidAndDefaultsMatchThem) {
  const platform::UniqueFileHandle file(CreateFileW(L"C:\\no-such-folder\\file.txt", GENERIC_READ, 0, nullptr,
                                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  EXPECT_FALSE(file.IsValid());
  EXPECT_EQ(platform::UniqueFileHandle().Get(), INVALID_HANDLE_VALUE);

  WIN32_FIND_DATAW entry{};
  const platform::UniqueFindHandle search(FindFirstFileW(L"C:\\no-such-folder\\*", &entry));
  EXPECT_FALSE(search.IsValid());
  EXPECT_EQ(platform::UniqueFindHandle().Get(), INVALID_HANDLE_VALUE);

  // DIGCF_DEVICEINTERFACE without a class and without DIGCF_ALLCLASSES is refused.
  const platform::UniqueDeviceInfoList set(SetupDiGetClassDevsW(nullptr, nullptr, nullptr, DIGCF_DEVICEINTERFACE));
  EXPECT_FALSE(set.IsValid());
  EXPECT_EQ(platform::UniqueDeviceInfoList().Get(), INVALID_HANDLE_VALUE);

  const platform::UniqueCrtFile crtFile(_wfopen(L"C:\\no-such-folder\\file.txt", L"rb"));
  EXPECT_FALSE(crtFile.IsValid());

  const platform::UniqueModule module(LoadLibraryExW(L"C:\\no-such-folder\\none.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE));
  EXPECT_FALSE(module.IsValid());

  HANDLE printer = nullptr;
  OpenPrinterW(const_cast<wchar_t*>(L"No Such Printer"), &printer, nullptr);
  EXPECT_FALSE(platform::UniquePrinter(printer).IsValid());
  EXPECT_FALSE(platform::UniqueRegistryKey().IsValid());
}

TEST(HandleTraits, FileHandleIsClosedWhenItsOwnerGoes) {
  const std::wstring path = TempPath(L"handle_test_delete_on_close.tmp");
  HANDLE raw = INVALID_HANDLE_VALUE;
  {
    const platform::UniqueFileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                                      FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    ASSERT_TRUE(file.IsValid()) << GetLastError();
    raw = file.Get();
    EXPECT_NE(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES);
  }
  DWORD flags = 0;
  SetLastError(0xdeadbeef);
  EXPECT_FALSE(GetHandleInformation(raw, &flags));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_EQ(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES);  // deleted on close
}

TEST(HandleTraits, FindHandleOfAnExistingFolderIsValid) {
  WIN32_FIND_DATAW entry{};
  const platform::UniqueFindHandle search(FindFirstFileW(L"C:\\windows\\*", &entry));
  ASSERT_TRUE(search.IsValid()) << GetLastError();
  EXPECT_TRUE(FindNextFileW(search.Get(), &entry));
}

TEST(HandleTraits, KeysCloseAndTheCountedKeyIsCounted) {
  const int openBefore = platform::registry::OpenKeyCount();
  HKEY raw = nullptr;
  {
    HKEY opened = nullptr;
    ASSERT_EQ(platform::registry::RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software", KEY_READ, &opened), ERROR_SUCCESS);
    const platform::registry::UniqueKey key(opened);
    EXPECT_EQ(platform::registry::OpenKeyCount(), openBefore + 1);
  }
  EXPECT_EQ(platform::registry::OpenKeyCount(), openBefore);
  {
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software", 0, KEY_READ, &raw), ERROR_SUCCESS);
    const platform::UniqueRegistryKey key(raw);
    EXPECT_EQ(RegQueryInfoKeyW(key.Get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                               nullptr, nullptr, nullptr),
              ERROR_SUCCESS);
  }
  EXPECT_EQ(RegQueryInfoKeyW(raw, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                             nullptr, nullptr),
            ERROR_INVALID_HANDLE);
  EXPECT_EQ(platform::registry::OpenKeyCount(), openBefore);
}

TEST(HandleTraits, DeviceInfoListOfAllClassesIsValid) {
  const platform::UniqueDeviceInfoList set(SetupDiGetClassDevsW(nullptr, nullptr, nullptr, DIGCF_ALLCLASSES));
  EXPECT_TRUE(set.IsValid()) << GetLastError();
}

}  // namespace
