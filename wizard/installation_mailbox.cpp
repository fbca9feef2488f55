#include "wizard/installation_mailbox.h"

namespace wizard {

void InstallationMailbox::Put(InstallationEvent event) {
  event.threadId = ::GetCurrentThreadId();
  const bool ended = event.kind == InstallationEvent::Kind::Ended;
  {
    const std::lock_guard<std::mutex> lock(m_mutex);
    if (ReplacedWaitingProgress(event)) return;
    m_events.push_back(std::move(event));
  }
  // A refused post is harmless: the event waits for the next look; but the end must arrive.
  if (!m_dialog.PostMessageW(kInstallationMail, 0, 0) && ended) m_dialog.SendMessageW(kInstallationMail, 0, 0);
}

// A position the dialog has not taken yet gives way to a newer one, which the look already
// posted for it will find: the bar shows only the latest, and every repaint costs the
// user-interface thread (several milliseconds for a 32-bit program under Wine).
bool InstallationMailbox::ReplacedWaitingProgress(const InstallationEvent& event) {
  if (event.kind != InstallationEvent::Kind::Progress || m_events.empty()) return false;
  InstallationEvent& newest = m_events.back();
  if (newest.kind != InstallationEvent::Kind::Progress || newest.threadId != event.threadId) return false;
  newest.position = event.position;
  return true;
}

void InstallationMailbox::OnProgress(int32_t position) {
  InstallationEvent event;
  event.kind = InstallationEvent::Kind::Progress;
  event.position = position;
  Put(std::move(event));
}

void InstallationMailbox::OnStatus(const std::wstring& text) {
  InstallationEvent event;
  event.kind = InstallationEvent::Kind::Status;
  event.text = text;
  Put(std::move(event));
}

// The worker waits until the dialog has answered; the look is sent, so that it arrives even
// when the dialog's queue is full.
bool InstallationMailbox::ChoosePort(std::wstring& port) {
  {
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_portAnswer.reset();
    m_answered = false;
    InstallationEvent event;
    event.kind = InstallationEvent::Kind::PortQuestion;
    event.text = port;
    event.threadId = ::GetCurrentThreadId();
    m_events.push_back(std::move(event));
  }
  m_dialog.SendMessageW(kInstallationMail, 0, 0);
  std::unique_lock<std::mutex> lock(m_mutex);
  m_answer.wait(lock, [this] { return m_answered; });
  if (!m_portAnswer) return false;
  port = *m_portAnswer;
  return true;
}

void InstallationMailbox::OnEnded(bool installed) {
  InstallationEvent event;
  event.kind = InstallationEvent::Kind::Ended;
  event.installed = installed;
  Put(std::move(event));
}

std::optional<InstallationEvent> InstallationMailbox::Take() {
  const std::lock_guard<std::mutex> lock(m_mutex);
  if (m_events.empty()) return std::nullopt;
  InstallationEvent event = std::move(m_events.front());
  m_events.pop_front();
  return event;
}

void InstallationMailbox::AnswerPort(std::optional<std::wstring> port) {
  {
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_portAnswer = std::move(port);
    m_answered = true;
  }
  m_answer.notify_all();
}

}  // namespace wizard
