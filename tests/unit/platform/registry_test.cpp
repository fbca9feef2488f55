// The registry helpers against the real registry: keys handed back in their owners, values by
// type, the wrapped calls' faults and counts kept.
#include "platform/registry.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <string_view>

#include "platform/fault_injection.h"

namespace {

namespace registry = platform::registry;

constexpr wchar_t kKey[] = L"Software\\PrinterSetup tests\\Registry helpers";
constexpr char kKeyNarrow[] = "Software\\PrinterSetup tests\\Registry helpers";

bool KeyExists(HKEY root, const wchar_t* path, REGSAM view = 0) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, path, 0, KEY_READ | view, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

struct StoredValue {
  DWORD type = 0;
  DWORD size = 0;
  BYTE data[64] = {};
};

StoredValue Stored(const wchar_t* name) {
  StoredValue value;
  value.size = sizeof value.data;
  if (RegGetValueW(HKEY_CURRENT_USER, kKey, name, RRF_RT_ANY | RRF_NOEXPAND, &value.type, value.data, &value.size) !=
      ERROR_SUCCESS) {
    return {};
  }
  return value;
}

class RegistryHelpersTest : public testing::Test {
 protected:
  void SetUp() override { Remove(); }
  void TearDown() override {
    Remove();
    EXPECT_EQ(registry::OpenKeyCount(), m_openBefore);
  }
  static void Remove() { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\PrinterSetup tests"); }

  platform::ScopedFaults m_faults;
  const int m_openBefore = registry::OpenKeyCount();
};

TEST_F(RegistryHelpersTest, CreateKeyMakesAMissingKeyAndOpensAnExistingOne) {
  {
    const registry::UniqueKey created = registry::CreateKey(HKEY_CURRENT_USER, kKey, KEY_ALL_ACCESS);
    ASSERT_TRUE(created);
    EXPECT_EQ(registry::OpenKeyCount(), m_openBefore + 1);
    ASSERT_EQ(registry::SetDwordValue(created.Get(), L"Kept", 7), ERROR_SUCCESS);
  }
  EXPECT_EQ(registry::OpenKeyCount(), m_openBefore);
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kKey));

  const registry::UniqueKey again = registry::CreateKey(HKEY_CURRENT_USER, kKeyNarrow, KEY_READ);
  ASSERT_TRUE(again);
  DWORD number = 0;
  DWORD size = sizeof number;
  EXPECT_EQ(RegQueryValueExW(again.Get(), L"Kept", nullptr, nullptr, reinterpret_cast<BYTE*>(&number), &size),
            ERROR_SUCCESS);
  EXPECT_EQ(number, 7u);
}

TEST_F(RegistryHelpersTest, OpenKeyNeverCreates) {
  EXPECT_FALSE(registry::OpenKey(HKEY_CURRENT_USER, kKey, KEY_READ));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kKey));
  registry::CreateKey(HKEY_CURRENT_USER, kKey, KEY_READ);
  EXPECT_TRUE(registry::OpenKey(HKEY_CURRENT_USER, kKey, KEY_READ));
}

TEST_F(RegistryHelpersTest, FaultsOfTheWrappedCallsReachTheHelpers) {
  platform::InjectFault("RegCreateKeyExW", ERROR_ACCESS_DENIED, 0, 1);
  EXPECT_FALSE(registry::CreateKey(HKEY_CURRENT_USER, kKey, KEY_ALL_ACCESS));
  platform::InjectFault("RegCreateKeyExA", ERROR_ACCESS_DENIED, 0, 1);
  EXPECT_FALSE(registry::CreateKey(HKEY_CURRENT_USER, kKeyNarrow, KEY_ALL_ACCESS));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kKey));

  const registry::UniqueKey key = registry::CreateKey(HKEY_CURRENT_USER, kKey, KEY_ALL_ACCESS);
  ASSERT_TRUE(key);
  platform::InjectFault("RegOpenKeyExW", ERROR_ACCESS_DENIED, 0, 1);
  EXPECT_FALSE(registry::OpenKey(HKEY_CURRENT_USER, kKey, KEY_READ));
  platform::InjectFault("RegSetValueExW", ERROR_ACCESS_DENIED, 0, 2);
  EXPECT_EQ(registry::SetStringValue(key.Get(), L"Text", L"refused"), ERROR_ACCESS_DENIED);
  EXPECT_EQ(registry::SetDwordValue(key.Get(), L"Number", 1), ERROR_ACCESS_DENIED);
  EXPECT_EQ(Stored(L"Text").type, 0u);
  EXPECT_EQ(Stored(L"Number").type, 0u);
}

TEST_F(RegistryHelpersTest, StringsAreRegSzWithTheirTerminatorAndNumbersRegDword) {
  const registry::UniqueKey key = registry::CreateKey(HKEY_CURRENT_USER, kKey, KEY_ALL_ACCESS);
  ASSERT_TRUE(key);
  const std::wstring_view part = std::wstring_view(L"115200,n,8,1,p and more").substr(0, 14);
  ASSERT_EQ(registry::SetStringValue(key.Get(), L"Part", part), ERROR_SUCCESS);
  ASSERT_EQ(registry::SetStringValue(key.Get(), L"Empty", L""), ERROR_SUCCESS);
  ASSERT_EQ(registry::SetDwordValue(key.Get(), L"Number", 0x12345678), ERROR_SUCCESS);

  const StoredValue text = Stored(L"Part");
  EXPECT_EQ(text.type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(text.size, (14u + 1u) * sizeof(wchar_t));
  EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(text.data)), L"115200,n,8,1,p");
  const StoredValue empty = Stored(L"Empty");
  EXPECT_EQ(empty.type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(empty.size, sizeof(wchar_t));
  const StoredValue number = Stored(L"Number");
  EXPECT_EQ(number.type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(number.size, sizeof(DWORD));
  EXPECT_EQ(*reinterpret_cast<const DWORD*>(number.data), 0x12345678u);
}

// HKLM\SOFTWARE has two views under WOW64: the access rights given choose one.
TEST_F(RegistryHelpersTest, TheViewInTheAccessRightsChoosesWhereTheKeyIs) {
  BOOL wow64 = FALSE;
  if (!IsWow64Process(GetCurrentProcess(), &wow64) || !wow64) GTEST_SKIP() << "one registry view here";
  constexpr wchar_t kMachineKey[] = L"SOFTWARE\\PrinterSetup view test";
  ASSERT_TRUE(registry::CreateKey(HKEY_LOCAL_MACHINE, kMachineKey, KEY_ALL_ACCESS | KEY_WOW64_64KEY));
  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kMachineKey, KEY_WOW64_64KEY));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kMachineKey, KEY_WOW64_32KEY));
  RegDeleteKeyExW(HKEY_LOCAL_MACHINE, kMachineKey, KEY_WOW64_64KEY, 0);
}

}  // namespace
