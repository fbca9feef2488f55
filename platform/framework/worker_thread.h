// A worker thread that owns its handle: whoever owns the object waits for the thread to end
// before what the thread uses goes away.
#pragma once

#include <windows.h>

#include <functional>

#include "platform/handle.h"

namespace framework {

class CWorkerThread {
 public:
  CWorkerThread() = default;
  ~CWorkerThread() { Join(); }
  CWorkerThread(const CWorkerThread&) = delete;
  CWorkerThread& operator=(const CWorkerThread&) = delete;

  // Runs `work` on a new thread, after waiting for an earlier one; false (nothing started)
  // when no thread can be created.
  bool Start(std::function<void()> work);
  // Waits until the thread has ended; returns at once when none was started.
  void Join();
  // The thread's id as Start made it; 0 before the first start.
  DWORD ThreadId() const { return m_threadId; }

 private:
  static DWORD WINAPI Run(void* self);

  std::function<void()> m_work;
  platform::UniqueHandle m_thread;
  DWORD m_threadId = 0;
};

}  // namespace framework
