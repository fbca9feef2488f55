#include "wizard/installation_mailbox.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

namespace {

using wizard::InstallationEvent;

// A message-only window stands in for the dialog: what the mailbox posts waits in this
// thread's queue.
class InstallationMailboxTest : public testing::Test {
 protected:
  void SetUp() override {
    m_dialog.m_hWnd = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_NE(m_dialog.m_hWnd, nullptr);
  }
  void TearDown() override { DestroyWindow(m_dialog.m_hWnd); }

  int LooksPosted() {
    int looks = 0;
    MSG message;
    while (PeekMessageW(&message, m_dialog.m_hWnd, wizard::kInstallationMail, wizard::kInstallationMail, PM_REMOVE)) {
      ++looks;
    }
    return looks;
  }

  std::vector<InstallationEvent> TakeAll() {
    std::vector<InstallationEvent> events;
    while (std::optional<InstallationEvent> event = m_mailbox.Take()) events.push_back(*event);
    return events;
  }

  framework::CWnd m_dialog;
  wizard::InstallationMailbox m_mailbox{m_dialog};
};

TEST_F(InstallationMailboxTest, PositionsNotYetShownGiveWayToTheLatest) {
  m_mailbox.OnProgress(1);
  m_mailbox.OnProgress(2);
  m_mailbox.OnProgress(3);
  m_mailbox.OnStatus(L"a.dll");
  m_mailbox.OnProgress(4);
  m_mailbox.OnProgress(5);
  EXPECT_EQ(LooksPosted(), 3);
  const std::vector<InstallationEvent> events = TakeAll();
  ASSERT_EQ(events.size(), 3u);
  EXPECT_EQ(events[0].kind, InstallationEvent::Kind::Progress);
  EXPECT_EQ(events[0].position, 3);
  EXPECT_EQ(events[1].text, L"a.dll");  // the order of progress and status stays
  EXPECT_EQ(events[2].position, 5);

  // A position taken is shown: the next one is a new event with a look of its own.
  m_mailbox.OnProgress(6);
  EXPECT_EQ(LooksPosted(), 1);
  ASSERT_EQ(TakeAll().size(), 1u);
}

TEST_F(InstallationMailboxTest, TheEndIsNeverMergedIntoProgress) {
  m_mailbox.OnProgress(100);
  m_mailbox.OnEnded(true);
  const std::vector<InstallationEvent> events = TakeAll();
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[0].position, 100);
  EXPECT_EQ(events[1].kind, InstallationEvent::Kind::Ended);
  EXPECT_TRUE(events[1].installed);
}

}  // namespace
