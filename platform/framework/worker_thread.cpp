#include "platform/framework/worker_thread.h"

#include "platform/fault_injection.h"

namespace framework {

bool CWorkerThread::Start(std::function<void()> work) {
  Join();
  if (platform::TakeInjectedFault("CreateThread")) return false;
  m_work = std::move(work);
  m_thread.Attach(::CreateThread(nullptr, 0, Run, this, 0, &m_threadId));
  return m_thread.IsValid();
}

void CWorkerThread::Join() {
  if (!m_thread) return;
  ::WaitForSingleObject(m_thread.Get(), INFINITE);
  m_thread.Close();
}

DWORD WINAPI CWorkerThread::Run(void* self) {
  static_cast<CWorkerThread*>(self)->m_work();
  return 0;
}

}  // namespace framework
