// The dialog's side of a running installation. The worker leaves what it reports in a queue
// that the mailbox owns and only then tells the dialog to look (kInstallationMail); a message
// carries nothing else, so a message of that number from anywhere else finds nothing to act on.
// The port question waits on the worker until the dialog has answered it into the mailbox.
#pragma once

#include <windows.h>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <string>

#include "platform/framework/wnd.h"
#include "wizard/installation.h"

namespace wizard {

inline constexpr UINT kInstallationMail = WM_APP + 1;

struct InstallationEvent {
  enum class Kind { Progress, Status, PortQuestion, Ended };
  Kind kind = Kind::Progress;
  int32_t position = 0;  // Progress
  std::wstring text;     // Status; the missing port of a PortQuestion
  bool installed = false;  // Ended
  DWORD threadId = 0;    // the thread that reported it
};

class InstallationMailbox : public InstallationObserver {
 public:
  explicit InstallationMailbox(const framework::CWnd& dialog) : m_dialog(dialog) {}

  // The worker's side.
  void OnProgress(int32_t position) override;
  void OnStatus(const std::wstring& text) override;
  bool ChoosePort(std::wstring& port) override;
  void OnEnded(bool installed) override;

  // The dialog's side: the oldest event not yet taken.
  std::optional<InstallationEvent> Take();
  // Answers the port question now being asked: the port, or nothing for Cancel.
  void AnswerPort(std::optional<std::wstring> port);

 private:
  void Put(InstallationEvent event);
  bool ReplacedWaitingProgress(const InstallationEvent& event);

  const framework::CWnd& m_dialog;
  std::mutex m_mutex;
  std::deque<InstallationEvent> m_events;
  std::optional<std::wstring> m_portAnswer;
  bool m_answered = false;
  std::condition_variable m_answer;
};

}  // namespace wizard
