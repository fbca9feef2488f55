#include "platform/two_call.h"

#include <gtest/gtest.h>

#include <winspool.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/fault_injection.h"
#include "platform/spooler.h"

namespace {

using platform::TwoCallOutcome;

// An enumeration whose result is `sizes[i]` bytes at its i-th call, as a spooler list that
// grows between the calls; each record is one byte, so `returned` is the size.
class ScriptedEnumeration {
 public:
  explicit ScriptedEnumeration(std::vector<DWORD> sizes) : m_sizes(std::move(sizes)) {}

  BOOL operator()(BYTE* buffer, DWORD size, DWORD* needed, DWORD* returned) {
    const DWORD wanted = m_sizes[std::min(m_calls, m_sizes.size() - 1)];
    ++m_calls;
    *needed = wanted;
    *returned = 0;
    if (size < wanted) {
      SetLastError(ERROR_INSUFFICIENT_BUFFER);
      return FALSE;
    }
    std::fill(buffer, buffer + wanted, BYTE{0x5a});
    *returned = wanted;
    return TRUE;
  }
  size_t Calls() const { return m_calls; }

 private:
  std::vector<DWORD> m_sizes;
  size_t m_calls = 0;
};

TEST(ListByTwoCalls, NothingToListIsAnEmptyListAfterOneCall) {
  ScriptedEnumeration enumeration({0});
  const auto list = platform::ListByTwoCalls<BYTE>([&](auto... arguments) { return enumeration(arguments...); });
  EXPECT_EQ(list.outcome, TwoCallOutcome::kNothingToRead);
  EXPECT_TRUE(list.Listed());
  EXPECT_TRUE(list.Records().empty());
  EXPECT_EQ(enumeration.Calls(), 1u);
}

TEST(ListByTwoCalls, SecondCallGetsTheReportedSizeAndItsRecordsCount) {
  ScriptedEnumeration enumeration({12});
  const auto list = platform::ListByTwoCalls<BYTE>([&](auto... arguments) { return enumeration(arguments...); });
  EXPECT_EQ(list.outcome, TwoCallOutcome::kRead);
  EXPECT_EQ(list.Records().size(), 12u);
  EXPECT_EQ(list.buffer.size(), 12u);
  EXPECT_EQ(enumeration.Calls(), 2u);
}

TEST(ListByTwoCalls, ResultThatGrewBetweenTheCalls) {
  {
    SCOPED_TRACE("without slack the second call fails and nothing is listed");
    ScriptedEnumeration enumeration({8, 12});
    const auto list = platform::ListByTwoCalls<BYTE>([&](auto... arguments) { return enumeration(arguments...); });
    EXPECT_EQ(list.outcome, TwoCallOutcome::kSecondCallFailed);
    EXPECT_FALSE(list.Listed());
    EXPECT_TRUE(list.Records().empty());
    EXPECT_TRUE(list.buffer.empty());
  }
  {
    SCOPED_TRACE("slack makes room for the growth");
    ScriptedEnumeration enumeration({8, 12});
    const auto list =
        platform::ListByTwoCalls<BYTE>([&](auto... arguments) { return enumeration(arguments...); }, 4);
    EXPECT_EQ(list.outcome, TwoCallOutcome::kRead);
    EXPECT_EQ(list.Records().size(), 12u);
  }
  {
    SCOPED_TRACE("one byte short of the slack needed");
    ScriptedEnumeration enumeration({8, 12});
    const auto list =
        platform::ListByTwoCalls<BYTE>([&](auto... arguments) { return enumeration(arguments...); }, 3);
    EXPECT_EQ(list.outcome, TwoCallOutcome::kSecondCallFailed);
  }
}

// Fails every call with `error`, reporting `needed`.
struct FailingEnumeration {
  DWORD error;
  DWORD needed;
  int calls = 0;
  BOOL operator()(BYTE*, DWORD, DWORD* reported, DWORD*) {
    ++calls;
    *reported = needed;
    SetLastError(error);
    return FALSE;
  }
};

TEST(ListByTwoCalls, FirstCallFailingWithoutASizeEndsWithoutASecond) {
  {
    SCOPED_TRACE("another error, even with a size");
    FailingEnumeration denied{ERROR_ACCESS_DENIED, 64};
    const auto list = platform::ListByTwoCalls<BYTE>([&](auto... arguments) { return denied(arguments...); }, 16);
    EXPECT_EQ(list.outcome, TwoCallOutcome::kSizeNotReported);
    EXPECT_FALSE(list.Listed());
    EXPECT_EQ(denied.calls, 1);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));  // left for the caller
  }
  {
    SCOPED_TRACE("a short buffer reported without a size");
    FailingEnumeration sizeless{ERROR_INSUFFICIENT_BUFFER, 0};
    const auto list = platform::ListByTwoCalls<BYTE>([&](auto... arguments) { return sizeless(arguments...); });
    EXPECT_EQ(list.outcome, TwoCallOutcome::kSizeNotReported);
    EXPECT_EQ(sizeless.calls, 1);
  }
}

// ---- Against the spooler

std::vector<std::wstring> PortNames(const platform::TwoCallList<PORT_INFO_1W>& ports) {
  std::vector<std::wstring> names;
  for (const PORT_INFO_1W& port : ports.Records()) names.emplace_back(port.pName);
  return names;
}

TEST(ListByTwoCalls, ListsTheSpoolersPorts) {
  const auto ports = platform::ListByTwoCalls<PORT_INFO_1W>([](BYTE* buffer, DWORD size, DWORD* needed, DWORD* returned) {
    return EnumPortsW(nullptr, 1, buffer, size, needed, returned);
  });
  ASSERT_EQ(ports.outcome, TwoCallOutcome::kRead);
  const std::vector<std::wstring> names = PortNames(ports);
  EXPECT_NE(std::find(names.begin(), names.end(), L"COM1:"), names.end());
  EXPECT_NE(std::find(names.begin(), names.end(), L"LPT1:"), names.end());
}

TEST(ListByTwoCalls, LocalPortsReportEachFailedCall) {
  platform::ScopedFaults faults;
  platform::InjectFault("EnumPortsW", ERROR_ACCESS_DENIED, 0, 1);
  EXPECT_EQ(platform::spooler::EnumLocalPortsLevel2(16).outcome, TwoCallOutcome::kSizeNotReported);
  platform::InjectFault("EnumPortsW", ERROR_INVALID_DATA, 1, 1);
  const platform::spooler::LocalPorts failed = platform::spooler::EnumLocalPortsLevel2(16);
  EXPECT_EQ(failed.outcome, TwoCallOutcome::kSecondCallFailed);
  EXPECT_TRUE(failed.Records().empty());
  const platform::spooler::LocalPorts listed = platform::spooler::EnumLocalPortsLevel2(16);
  EXPECT_EQ(listed.outcome, TwoCallOutcome::kRead);
  EXPECT_FALSE(listed.Records().empty());
}

// ---- A single result

TEST(ReadByTwoCalls, TakesMoreDataAsASizeLikeGetPrinterData) {
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows NT\\CurrentVersion", 0, KEY_READ, &key),
            ERROR_SUCCESS);
  const platform::TwoCallBuffer read = platform::ReadByTwoCalls([key](BYTE* buffer, DWORD size, DWORD* needed) {
    // A null buffer makes RegQueryValueExW succeed with the size, so the first call passes one.
    BYTE none[1];
    *needed = size;
    const LSTATUS status = RegQueryValueExW(key, L"CurrentVersion", nullptr, nullptr, buffer ? buffer : none, needed);
    SetLastError(static_cast<DWORD>(status));
    return status == ERROR_SUCCESS;
  });
  RegCloseKey(key);
  ASSERT_EQ(read.outcome, TwoCallOutcome::kRead);
  EXPECT_TRUE(read.Succeeded());
  EXPECT_GT(read.bytes.size(), sizeof(wchar_t));
}

}  // namespace
