#include "platform/framework/worker_thread.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>

#include "platform/fault_injection.h"

namespace {

TEST(WorkerThreadTest, RunsTheWorkOnAnotherThreadAndJoinWaitsForIt) {
  std::atomic<DWORD> workerThread = 0;
  std::atomic<bool> done = false;
  framework::CWorkerThread worker;
  ASSERT_TRUE(worker.Start([&] {
    ::Sleep(100);
    workerThread = ::GetCurrentThreadId();
    done = true;
  }));
  worker.Join();
  EXPECT_TRUE(done);
  EXPECT_NE(workerThread, ::GetCurrentThreadId());
  worker.Join();  // nothing left to wait for
}

TEST(WorkerThreadTest, ASecondStartWaitsForTheFirstAndTheOwnerWaitsForTheLast) {
  std::atomic<int> order = 0;
  int first = -1;
  int second = -1;
  {
    framework::CWorkerThread worker;
    ASSERT_TRUE(worker.Start([&] {
      ::Sleep(100);
      first = order++;
    }));
    ASSERT_TRUE(worker.Start([&] {
      ::Sleep(100);
      second = order++;
    }));
  }
  EXPECT_EQ(first, 0);
  EXPECT_EQ(second, 1);
}

TEST(WorkerThreadTest, NoThreadMeansNoWork) {
  platform::ScopedFaults faults;
  platform::InjectFault("CreateThread", ERROR_NOT_ENOUGH_MEMORY);
  bool ran = false;
  framework::CWorkerThread worker;
  EXPECT_FALSE(worker.Start([&] { ran = true; }));
  worker.Join();
  EXPECT_FALSE(ran);
}

}  // namespace
