// Drives the installer's wizard from outside, as a user would: finds its dialog, its message
// boxes and its port dialog and works their controls by control id. Used by `make run` without
// a display and by the end-to-end tests.
//
//   wizard_driver.exe COMMAND [ARGUMENT]... [COMMAND [ARGUMENT]...]...
//
// ID is a control id of the wizard dialog (decimal or 0x hex), or `folder` for the page window's
// folder field. [TIMEOUT_MS] is optional and 30000 by default. Texts are compared exactly.
//   wait-wizard [TIMEOUT_MS]          wait for the wizard dialog; print its title
//   wait-gone [TIMEOUT_MS]            wait until the wizard window is destroyed
//   click ID                          post a click of the button
//   select ID TEXT                    choose the combo item TEXT, then post CBN_SELCHANGE
//   type ID TEXT                      set the text of an edit
//   type-folder TEXT                  the same for the folder field
//   check ID 0|1                      set a check box as a click does (nothing when already so)
//   expect-text ID TEXT               the control's text is TEXT
//   expect-visible ID 0|1             the control is (1) or is not (0) visible
//   expect-enabled ID 0|1             the control is (1) or is not (0) enabled
//   expect-title TEXT                 the wizard's title is TEXT
//   print-text ID                     print the control's text
//   wait-enabled ID [TIMEOUT_MS]      wait until the control is enabled
//   wait-visible ID 0|1 [TIMEOUT_MS]  wait until the control is (1) or is not (0) visible
//   wait-text ID TEXT [TIMEOUT_MS]    wait until the control's text is TEXT
//   wait-message [TIMEOUT_MS]         wait for a message box of the wizard; print "caption|text"
//   expect-message TEXT [TIMEOUT_MS]  wait for a message box whose text is TEXT
//   answer-message ID                 press a message box button (1 OK, 2 Cancel, 6 Yes, 7 No)
//                                     and wait until the box closes
//   expect-no-message MS              no message box shows up within MS milliseconds
//   wait-port-dialog [TIMEOUT_MS]     wait for the port choice dialog; print its title
//   print-ports                       print each row of its list as "port|description|monitor"
//   pick-port TEXT                    select the row whose port is TEXT, press OK, wait until
//                                     the dialog closes
//   cancel-port-dialog                press Cancel in it and wait until it closes
//   print-controls                    print each direct control of the wizard as
//                                     "id visible left top right bottom enabled" (screen pixels)
//   print-client                      print the wizard's client area "left top right bottom" and
//                                     its DPI as the wizard sees it (screen pixels)
//   print-focus                       print the control with the keyboard focus: its id, `folder`
//                                     for the folder field, `dialog`, `none`, or `other CLASS`
//   sleep MS                          wait that many milliseconds
//   any-process                       from now on, message boxes of any process count
// Message boxes and the port dialog are those of the wizard's process, or of any process while
// no wizard is shown (an error at start-up). Controls that are hidden or disabled, or whose
// window is disabled, cannot be worked, as for a user. Clicks are posted, so a modal window
// opened by the handler does not block the driver; follow them with a wait-... or
// expect-message command rather than an immediate expect-....
// Exit code 0 when every command succeeded; otherwise 1 with one line on stderr naming the
// failing command. Commands after a failing one do not run. Output and arguments are UTF-8.

#include <windows.h>
// After windows.h, which they need.
#include <commctrl.h>
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int kNextButton = 1001;
constexpr int kCancelButton = 1007;
constexpr int kPortList = 1009;
constexpr int kMessageText = 0xFFFF;
constexpr DWORD kDefaultTimeout = 30000;
constexpr DWORD kPollInterval = 50;
constexpr UINT kReplyTimeout = 5000;  // for each message sent to the installer
constexpr int kRemoteTextCapacity = 512;

// ---------------------------------------------------------------- text

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int size =
      ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string utf8(size, '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), size, nullptr, nullptr);
  return utf8;
}

void WriteLine(FILE* stream, const std::wstring& text) {
  const std::string utf8 = Utf8(text) + "\n";
  std::fwrite(utf8.data(), 1, utf8.size(), stream);
  std::fflush(stream);
}

// Ids, buttons and milliseconds: never negative.
bool ParseNumber(const std::wstring& word, long& value) {
  if (word.empty()) return false;
  wchar_t* end = nullptr;
  value = std::wcstol(word.c_str(), &end, 0);
  return *end == L'\0' && value >= 0;
}

bool IsNumber(const std::wstring& word) {
  long ignored = 0;
  return ParseNumber(word, ignored);
}

// ---------------------------------------------------------------- windows of other processes

// Sends and waits for the answer, but never for ever; 0 when the installer does not answer.
LRESULT Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (!::SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kReplyTimeout, &result)) return 0;
  return static_cast<LRESULT>(result);
}

// WM_GETTEXT rather than GetWindowText, which does not ask controls of other processes.
std::wstring TextOf(HWND window) {
  const LRESULT length = Ask(window, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const LRESULT copied = Ask(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(copied));
  return text;
}

bool HasClass(HWND window, const wchar_t* className) {
  wchar_t actual[64] = {};
  ::GetClassNameW(window, actual, 64);
  return ::_wcsicmp(actual, className) == 0;
}

bool IsVisibleDialog(HWND window) { return ::IsWindowVisible(window) && HasClass(window, L"#32770"); }

DWORD ProcessOf(HWND window) {
  DWORD process = 0;
  ::GetWindowThreadProcessId(window, &process);
  return process;
}

// `process` 0 stands for any process.
bool BelongsTo(HWND window, DWORD process) { return process == 0 || ProcessOf(window) == process; }

using WindowTest = std::function<bool(HWND)>;

BOOL CALLBACK StopAtMatch(HWND window, LPARAM search) {
  auto& [matches, found] = *reinterpret_cast<std::pair<const WindowTest*, HWND>*>(search);
  if (!(*matches)(window)) return TRUE;
  found = window;
  return FALSE;
}

HWND FindTopLevel(const WindowTest& matches) {
  std::pair<const WindowTest*, HWND> search{&matches, nullptr};
  ::EnumWindows(StopAtMatch, reinterpret_cast<LPARAM>(&search));
  return search.second;
}

// Depth first, in the order EnumChildWindows gives.
HWND FindDescendant(HWND parent, const WindowTest& matches) {
  std::pair<const WindowTest*, HWND> search{&matches, nullptr};
  ::EnumChildWindows(parent, StopAtMatch, reinterpret_cast<LPARAM>(&search));
  return search.second;
}

bool WaitUntil(DWORD timeout, const std::function<bool()>& done) {
  const ULONGLONG deadline = ::GetTickCount64() + timeout;
  while (!done()) {
    if (::GetTickCount64() >= deadline) return false;
    ::Sleep(kPollInterval);
  }
  return true;
}

HWND WaitForTopLevel(DWORD timeout, const WindowTest& matches) {
  HWND found = nullptr;
  WaitUntil(timeout, [&] { return (found = FindTopLevel(matches)) != nullptr; });
  return found;
}

bool WaitClosed(HWND window, DWORD timeout) {
  return WaitUntil(timeout, [window] { return !::IsWindow(window) || !::IsWindowVisible(window); });
}

bool IsWizard(HWND window) {
  return IsVisibleDialog(window) && ::GetDlgItem(window, kNextButton) != nullptr &&
         ::GetDlgItem(window, kCancelButton) != nullptr;
}

HWND MessageTextOf(HWND box) {
  const HWND text = ::GetDlgItem(box, kMessageText);
  return text != nullptr && HasClass(text, L"Static") ? text : nullptr;
}

std::wstring MessageOf(HWND box) { return TextOf(MessageTextOf(box)); }

bool IsMessageBox(HWND window, DWORD process) {
  return IsVisibleDialog(window) && BelongsTo(window, process) && !IsWizard(window) && MessageTextOf(window) != nullptr;
}

bool IsPortDialog(HWND window, DWORD process) {
  const HWND list = ::GetDlgItem(window, kPortList);
  return IsVisibleDialog(window) && BelongsTo(window, process) && list != nullptr && HasClass(list, WC_LISTVIEWW);
}

// The page window's folder field: an edit below the page window, so not one of the dialog's own.
HWND FindFolderField(HWND wizard) {
  return FindDescendant(wizard,
                        [wizard](HWND window) { return HasClass(window, L"Edit") && ::GetParent(window) != wizard; });
}

// A direct child first: the folder field inside the page window reuses the id of Next.
HWND FindControl(HWND wizard, const std::wstring& id) {
  if (id == L"folder") return FindFolderField(wizard);
  long number = 0;
  if (!ParseNumber(id, number)) return nullptr;
  if (const HWND child = ::GetDlgItem(wizard, static_cast<int>(number))) return child;
  return FindDescendant(wizard, [number](HWND window) { return ::GetDlgCtrlID(window) == number; });
}

bool IsShown(HWND control) { return ::IsWindowVisible(control) != FALSE; }

bool IsEnabled(HWND control) { return ::IsWindowEnabled(control) != FALSE; }

// Empty when a user could work the control.
std::wstring WhyUnusable(HWND control) {
  if (!IsShown(control)) return L"the control is hidden";
  if (!IsEnabled(control)) return L"the control is disabled";
  if (!IsEnabled(::GetAncestor(control, GA_ROOT))) return L"its window is disabled (a modal window is open)";
  return {};
}

// What the control sends its parent when a user works it.
bool PostNotification(HWND control, WORD code) {
  const WPARAM command = MAKEWPARAM(static_cast<WORD>(::GetDlgCtrlID(control)), code);
  return ::PostMessageW(::GetParent(control), WM_COMMAND, command, reinterpret_cast<LPARAM>(control)) != 0;
}

std::wstring ItemText(HWND combo, int index) {
  const LRESULT length = Ask(combo, CB_GETLBTEXTLEN, index, 0);
  if (length <= 0) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const LRESULT copied = Ask(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
  return text;
}

// CB_FINDSTRINGEXACT ignores case; the item's own text decides.
int FindExactItem(HWND combo, const std::wstring& text) {
  const LPARAM wanted = reinterpret_cast<LPARAM>(text.c_str());
  const int first = static_cast<int>(Ask(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), wanted));
  for (int index = first; index >= 0;) {
    if (ItemText(combo, index) == text) return index;
    index = static_cast<int>(Ask(combo, CB_FINDSTRINGEXACT, index, wanted));
    if (index <= first) break;  // the search wrapped around
  }
  return -1;
}

// One LVITEMW and its text buffer in the list's own process: Windows copies no list-view
// message between processes. Driver and installer are both 32-bit, so LVITEMW matches.
class RemoteListItem {
 public:
  explicit RemoteListItem(HWND list)
      : list_(list),
        process_(::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, ProcessOf(list))) {
    if (process_ != nullptr) {
      memory_ =
          static_cast<char*>(::VirtualAllocEx(process_, nullptr, kSize, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    }
  }
  ~RemoteListItem() {
    if (memory_ != nullptr) ::VirtualFreeEx(process_, memory_, 0, MEM_RELEASE);
    if (process_ != nullptr) ::CloseHandle(process_);
  }
  RemoteListItem(const RemoteListItem&) = delete;
  RemoteListItem& operator=(const RemoteListItem&) = delete;

  bool Ready() const { return memory_ != nullptr; }

  std::wstring Text(int row, int column) {
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = reinterpret_cast<wchar_t*>(memory_ + sizeof(LVITEMW));
    item.cchTextMax = kRemoteTextCapacity;
    if (!Write(item)) return {};
    const LRESULT length = Ask(list_, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(memory_));
    std::wstring text(static_cast<size_t>(length), L'\0');
    if (!::ReadProcessMemory(process_, item.pszText, text.data(), text.size() * sizeof(wchar_t), nullptr)) return {};
    return text;
  }

  bool Select(int row) {
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    if (!Write(item)) return false;
    Ask(list_, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(memory_));
    return Ask(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED) == row;
  }

 private:
  static constexpr size_t kSize = sizeof(LVITEMW) + kRemoteTextCapacity * sizeof(wchar_t);

  bool Write(const LVITEMW& item) { return ::WriteProcessMemory(process_, memory_, &item, sizeof item, nullptr) != 0; }

  HWND list_;
  HANDLE process_;
  char* memory_ = nullptr;
};

int RowCount(HWND list) { return static_cast<int>(Ask(list, LVM_GETITEMCOUNT, 0, 0)); }

// ---------------------------------------------------------------- session

// What one run of the driver knows: the wizard it found, and why the last command failed.
class Session {
 public:
  bool Fail(const std::wstring& reason) {
    failure_ = reason;
    return false;
  }
  const std::wstring& Failure() const { return failure_; }

  // Waited for when not found yet.
  HWND Wizard(DWORD timeout = kDefaultTimeout) {
    if (wizard_ != nullptr) {
      if (::IsWindow(wizard_)) return wizard_;
      Fail(L"the wizard has closed");
      return nullptr;
    }
    wizard_ = WaitForTopLevel(timeout, IsWizard);
    if (wizard_ == nullptr) Fail(L"the wizard did not appear");
    return wizard_;
  }

  // Without waiting; null when there is none.
  HWND CurrentWizard() {
    if (wizard_ == nullptr) wizard_ = FindTopLevel(IsWizard);
    return wizard_;
  }

  // Message boxes of any process from now on (another instance's refusal beside the wizard).
  void WatchAnyProcess() { anyProcess_ = true; }

  // The wizard's process, or 0 (any process) while no wizard is there, for a start-up error box.
  DWORD TargetProcess() {
    if (anyProcess_) return 0;
    const HWND wizard = CurrentWizard();
    return wizard != nullptr ? ProcessOf(wizard) : 0;
  }

  HWND Control(const std::wstring& id) {
    const HWND wizard = Wizard();
    if (wizard == nullptr) return nullptr;
    const HWND control = FindControl(wizard, id);
    if (control == nullptr) Fail(L"no control " + id);
    return control;
  }

  HWND UsableControl(const std::wstring& id) {
    const HWND control = Control(id);
    return control != nullptr && Usable(control) ? control : nullptr;
  }

  bool Usable(HWND control) {
    const std::wstring reason = WhyUnusable(control);
    return reason.empty() || Fail(reason);
  }

  // Null when none shows up within `timeout`, which is no failure.
  HWND FindMessageBoxWithin(DWORD timeout) {
    const DWORD process = TargetProcess();
    return WaitForTopLevel(timeout, [process](HWND window) { return IsMessageBox(window, process); });
  }

  HWND WaitMessageBox(DWORD timeout) {
    const HWND box = FindMessageBoxWithin(timeout);
    if (box == nullptr) Fail(L"no message box appeared");
    return box;
  }

  HWND WaitPortDialog(DWORD timeout) {
    const DWORD process = TargetProcess();
    const HWND dialog = WaitForTopLevel(timeout, [process](HWND window) { return IsPortDialog(window, process); });
    if (dialog == nullptr) Fail(L"the port dialog did not appear");
    return dialog;
  }

  // Presses a button of a dialog other than the wizard and waits until the dialog closes.
  bool PressAndWaitClosed(HWND dialog, int button) {
    const HWND control = ::GetDlgItem(dialog, button);
    if (control == nullptr) return Fail(L"no button " + std::to_wstring(button));
    if (!Usable(control)) return false;
    if (!PostNotification(control, BN_CLICKED)) return Fail(L"the click could not be posted");
    return WaitClosed(dialog, kDefaultTimeout) || Fail(L"the window stayed open");
  }

 private:
  HWND wizard_ = nullptr;
  std::wstring failure_;
  bool anyProcess_ = false;
};

// ---------------------------------------------------------------- commands

struct Invocation {
  std::vector<std::wstring> arguments;
  DWORD timeout = kDefaultTimeout;

  const std::wstring& operator[](size_t index) const { return arguments[index]; }
};

bool ParseFlag(Session& session, const std::wstring& word, bool& flag) {
  if (word != L"0" && word != L"1") return session.Fail(L"expected 0 or 1, not " + word);
  flag = word == L"1";
  return true;
}

bool ParseNumberArgument(Session& session, const std::wstring& word, long& value) {
  return ParseNumber(word, value) || session.Fail(L"not a number: " + word);
}

std::wstring Quoted(const std::wstring& text) { return L"'" + text + L"'"; }

bool ExpectEqual(Session& session, const std::wstring& what, const std::wstring& actual, const std::wstring& expected) {
  return actual == expected || session.Fail(what + L" is " + Quoted(actual) + L", expected " + Quoted(expected));
}

bool TypeInto(Session& session, const std::wstring& id, const std::wstring& text) {
  const HWND edit = session.UsableControl(id);
  if (edit == nullptr) return false;
  Ask(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  return ExpectEqual(session, L"the text", TextOf(edit), text);
}

std::wstring Described(const std::wstring& state, bool expected) { return (expected ? L"" : L"not ") + state; }

// Polls, since the control may change on the installer's worker thread or appear later.
bool WaitForState(Session& session, const std::wstring& id, const WindowTest& reached, const std::wstring& state,
                  DWORD timeout) {
  const HWND wizard = session.Wizard();
  if (wizard == nullptr) return false;
  const bool done = WaitUntil(timeout, [&] {
    const HWND control = FindControl(wizard, id);
    return control != nullptr && reached(control);
  });
  return done || session.Fail(L"control " + id + L" did not become " + state);
}

bool ExpectState(Session& session, const Invocation& call, bool (*state)(HWND), const std::wstring& name) {
  bool expected = false;
  const HWND control = session.Control(call[0]);
  if (control == nullptr || !ParseFlag(session, call[1], expected)) return false;
  return state(control) == expected || session.Fail(L"the control is " + Described(name, !expected));
}

bool WaitWizard(Session& session, const Invocation& call) {
  const HWND wizard = session.Wizard(call.timeout);
  if (wizard == nullptr) return false;
  WriteLine(stdout, TextOf(wizard));
  return true;
}

bool WaitGone(Session& session, const Invocation& call) {
  const HWND wizard = session.CurrentWizard();
  return wizard == nullptr || WaitUntil(call.timeout, [wizard] { return !::IsWindow(wizard); }) ||
         session.Fail(L"the wizard is still open");
}

bool Click(Session& session, const Invocation& call) {
  const HWND button = session.UsableControl(call[0]);
  return button != nullptr && (PostNotification(button, BN_CLICKED) || session.Fail(L"the click could not be posted"));
}

bool Select(Session& session, const Invocation& call) {
  const HWND combo = session.UsableControl(call[0]);
  if (combo == nullptr) return false;
  const int index = FindExactItem(combo, call[1]);
  if (index < 0) return session.Fail(L"no item " + Quoted(call[1]));
  if (Ask(combo, CB_SETCURSEL, index, 0) != index) return session.Fail(L"the item could not be selected");
  return PostNotification(combo, CBN_SELCHANGE) || session.Fail(L"the change could not be posted");
}

bool Type(Session& session, const Invocation& call) { return TypeInto(session, call[0], call[1]); }

bool TypeFolder(Session& session, const Invocation& call) { return TypeInto(session, L"folder", call[0]); }

bool Check(Session& session, const Invocation& call) {
  bool checked = false;
  const HWND checkBox = session.UsableControl(call[0]);
  if (checkBox == nullptr || !ParseFlag(session, call[1], checked)) return false;
  const WPARAM state = checked ? BST_CHECKED : BST_UNCHECKED;
  if (static_cast<WPARAM>(Ask(checkBox, BM_GETCHECK, 0, 0)) == state) return true;
  Ask(checkBox, BM_SETCHECK, state, 0);
  return PostNotification(checkBox, BN_CLICKED) || session.Fail(L"the click could not be posted");
}

bool ExpectText(Session& session, const Invocation& call) {
  const HWND control = session.Control(call[0]);
  return control != nullptr && ExpectEqual(session, L"the text", TextOf(control), call[1]);
}

bool ExpectVisible(Session& session, const Invocation& call) { return ExpectState(session, call, IsShown, L"visible"); }

bool ExpectEnabled(Session& session, const Invocation& call) {
  return ExpectState(session, call, IsEnabled, L"enabled");
}

bool ExpectTitle(Session& session, const Invocation& call) {
  const HWND wizard = session.Wizard();
  return wizard != nullptr && ExpectEqual(session, L"the title", TextOf(wizard), call[0]);
}

bool PrintText(Session& session, const Invocation& call) {
  const HWND control = session.Control(call[0]);
  if (control == nullptr) return false;
  WriteLine(stdout, TextOf(control));
  return true;
}

bool WaitEnabled(Session& session, const Invocation& call) {
  return WaitForState(session, call[0], IsEnabled, L"enabled", call.timeout);
}

bool WaitVisible(Session& session, const Invocation& call) {
  bool visible = false;
  if (!ParseFlag(session, call[1], visible)) return false;
  const auto reached = [visible](HWND control) { return IsShown(control) == visible; };
  return WaitForState(session, call[0], reached, Described(L"visible", visible), call.timeout);
}

bool WaitText(Session& session, const Invocation& call) {
  const std::wstring& text = call[1];
  const auto reached = [&text](HWND control) { return TextOf(control) == text; };
  return WaitForState(session, call[0], reached, Quoted(text), call.timeout);
}

bool WaitMessage(Session& session, const Invocation& call) {
  const HWND box = session.WaitMessageBox(call.timeout);
  if (box == nullptr) return false;
  WriteLine(stdout, TextOf(box) + L"|" + MessageOf(box));
  return true;
}

bool ExpectMessage(Session& session, const Invocation& call) {
  const HWND box = session.WaitMessageBox(call.timeout);
  return box != nullptr && ExpectEqual(session, L"the message", MessageOf(box), call[0]);
}

bool AnswerMessage(Session& session, const Invocation& call) {
  long button = 0;
  if (!ParseNumberArgument(session, call[0], button)) return false;
  const HWND box = session.WaitMessageBox(kDefaultTimeout);
  return box != nullptr && session.PressAndWaitClosed(box, static_cast<int>(button));
}

bool ExpectNoMessage(Session& session, const Invocation& call) {
  long milliseconds = 0;
  if (!ParseNumberArgument(session, call[0], milliseconds)) return false;
  const HWND box = session.FindMessageBoxWithin(static_cast<DWORD>(milliseconds));
  return box == nullptr || session.Fail(L"a message box appeared: " + MessageOf(box));
}

bool WaitPortDialog(Session& session, const Invocation& call) {
  const HWND dialog = session.WaitPortDialog(call.timeout);
  if (dialog == nullptr) return false;
  WriteLine(stdout, TextOf(dialog));
  return true;
}

using PortListUse = std::function<bool(HWND dialog, HWND list, RemoteListItem& item)>;

// Runs `use` on the port dialog's list, with an item's memory in the installer's process.
bool UsePortList(Session& session, const PortListUse& use) {
  const HWND dialog = session.WaitPortDialog(kDefaultTimeout);
  if (dialog == nullptr) return false;
  const HWND list = ::GetDlgItem(dialog, kPortList);
  RemoteListItem item(list);
  return item.Ready() ? use(dialog, list, item) : session.Fail(L"no memory could be had in the installer's process");
}

bool PrintPorts(Session& session, const Invocation&) {
  return UsePortList(session, [](HWND, HWND list, RemoteListItem& item) {
    for (int row = 0; row < RowCount(list); ++row) {
      WriteLine(stdout, item.Text(row, 0) + L"|" + item.Text(row, 1) + L"|" + item.Text(row, 2));
    }
    return true;
  });
}

bool PickPort(Session& session, const Invocation& call) {
  return UsePortList(session, [&](HWND dialog, HWND list, RemoteListItem& item) {
    for (int row = 0; row < RowCount(list); ++row) {
      if (item.Text(row, 0) != call[0]) continue;
      if (!item.Select(row)) return session.Fail(L"the row could not be selected");
      return session.PressAndWaitClosed(dialog, IDOK);
    }
    return session.Fail(L"no port " + Quoted(call[0]));
  });
}

bool CancelPortDialog(Session& session, const Invocation&) {
  const HWND dialog = session.WaitPortDialog(kDefaultTimeout);
  return dialog != nullptr && session.PressAndWaitClosed(dialog, IDCANCEL);
}

BOOL CALLBACK PrintDirectControl(HWND control, LPARAM wizard) {
  if (::GetParent(control) != reinterpret_cast<HWND>(wizard)) return TRUE;
  RECT r = {};
  ::GetWindowRect(control, &r);
  WriteLine(stdout, std::to_wstring(::GetDlgCtrlID(control)) + L" " + (IsShown(control) ? L"1 " : L"0 ") +
                        std::to_wstring(r.left) + L" " + std::to_wstring(r.top) + L" " + std::to_wstring(r.right) +
                        L" " + std::to_wstring(r.bottom) + (IsEnabled(control) ? L" 1" : L" 0"));
  return TRUE;
}

bool PrintControls(Session& session, const Invocation&) {
  const HWND wizard = session.Wizard();
  if (wizard == nullptr) return false;
  ::EnumChildWindows(wizard, PrintDirectControl, reinterpret_cast<LPARAM>(wizard));
  return true;
}

bool PrintClient(Session& session, const Invocation&) {
  const HWND wizard = session.Wizard();
  if (wizard == nullptr) return false;
  RECT r = {};
  ::GetClientRect(wizard, &r);
  ::MapWindowPoints(wizard, nullptr, reinterpret_cast<POINT*>(&r), 2);
  const HDC screen = ::GetDC(nullptr);
  const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
  ::ReleaseDC(nullptr, screen);
  WriteLine(stdout, std::to_wstring(r.left) + L" " + std::to_wstring(r.top) + L" " + std::to_wstring(r.right) + L" " +
                        std::to_wstring(r.bottom) + L" " + std::to_wstring(dpi));
  return true;
}

// Another process's focus, as its thread's input state has it.
bool PrintFocus(Session& session, const Invocation&) {
  const HWND wizard = session.Wizard();
  if (wizard == nullptr) return false;
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(wizard, nullptr), &info)) {
    return session.Fail(L"GetGUIThreadInfo failed: " + std::to_wstring(::GetLastError()));
  }
  const HWND focus = info.hwndFocus;
  if (focus == nullptr) {
    WriteLine(stdout, L"none");
  } else if (focus == FindFolderField(wizard)) {
    WriteLine(stdout, L"folder");
  } else if (focus == wizard) {
    WriteLine(stdout, L"dialog");
  } else if (::GetParent(focus) == wizard) {
    WriteLine(stdout, std::to_wstring(::GetDlgCtrlID(focus)));
  } else {
    wchar_t className[64] = L"";
    ::GetClassNameW(focus, className, 64);
    WriteLine(stdout, std::wstring(L"other ") + className);
  }
  return true;
}

bool AnyProcess(Session& session, const Invocation&) {
  session.WatchAnyProcess();
  return true;
}

bool Pause(Session& session, const Invocation& call) {
  long milliseconds = 0;
  if (!ParseNumberArgument(session, call[0], milliseconds)) return false;
  ::Sleep(static_cast<DWORD>(milliseconds));
  return true;
}

struct Command {
  const wchar_t* name;
  size_t arguments;
  bool takesTimeout;  // a trailing number, when the next word is one
  bool (*run)(Session&, const Invocation&);
};

constexpr Command kCommands[] = {
    {L"wait-wizard", 0, true, WaitWizard},
    {L"wait-gone", 0, true, WaitGone},
    {L"click", 1, false, Click},
    {L"select", 2, false, Select},
    {L"type", 2, false, Type},
    {L"type-folder", 1, false, TypeFolder},
    {L"check", 2, false, Check},
    {L"expect-text", 2, false, ExpectText},
    {L"expect-visible", 2, false, ExpectVisible},
    {L"expect-enabled", 2, false, ExpectEnabled},
    {L"expect-title", 1, false, ExpectTitle},
    {L"print-text", 1, false, PrintText},
    {L"wait-enabled", 1, true, WaitEnabled},
    {L"wait-visible", 2, true, WaitVisible},
    {L"wait-text", 2, true, WaitText},
    {L"wait-message", 0, true, WaitMessage},
    {L"expect-message", 1, true, ExpectMessage},
    {L"answer-message", 1, false, AnswerMessage},
    {L"expect-no-message", 1, false, ExpectNoMessage},
    {L"wait-port-dialog", 0, true, WaitPortDialog},
    {L"print-ports", 0, false, PrintPorts},
    {L"pick-port", 1, false, PickPort},
    {L"cancel-port-dialog", 0, false, CancelPortDialog},
    {L"print-controls", 0, false, PrintControls},
    {L"print-focus", 0, false, PrintFocus},
    {L"print-client", 0, false, PrintClient},
    {L"sleep", 1, false, Pause},
    {L"any-process", 0, false, AnyProcess},
};

const Command* FindCommand(const std::wstring& name) {
  for (const Command& command : kCommands) {
    if (name == command.name) return &command;
  }
  return nullptr;
}

// Takes the command's words from `words` at `next`; false when they are not all there.
bool TakeInvocation(const Command& command, const std::vector<std::wstring>& words, size_t& next, Invocation& call) {
  for (size_t taken = 0; taken < command.arguments; ++taken) {
    if (next >= words.size()) return false;
    call.arguments.push_back(words[next++]);
  }
  if (command.takesTimeout && next < words.size() && IsNumber(words[next])) {
    long timeout = 0;
    ParseNumber(words[next++], timeout);
    call.timeout = static_cast<DWORD>(timeout);
  }
  return true;
}

std::wstring Joined(const std::vector<std::wstring>& words, size_t from, size_t to) {
  std::wstring joined;
  for (size_t index = from; index < to; ++index) joined += (index > from ? L" " : L"") + words[index];
  return joined;
}

int ReportFailure(const std::wstring& commandWords, const std::wstring& reason) {
  WriteLine(stderr, L"wizard_driver: " + commandWords + L": " + reason);
  return 1;
}

int RunAll(const std::vector<std::wstring>& words) {
  Session session;
  for (size_t next = 0; next < words.size();) {
    const size_t start = next;
    const Command* command = FindCommand(words[next++]);
    if (command == nullptr) return ReportFailure(words[start], L"unknown command");
    Invocation call;
    if (!TakeInvocation(*command, words, next, call))
      return ReportFailure(Joined(words, start, next), L"missing argument");
    if (!command->run(session, call)) return ReportFailure(Joined(words, start, next), session.Failure());
  }
  return 0;
}

std::vector<std::wstring> CommandWords() {
  int count = 0;
  wchar_t** arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  std::vector<std::wstring> words;
  for (int index = 1; index < count; ++index) words.emplace_back(arguments[index]);
  ::LocalFree(arguments);
  return words;
}

}  // namespace

int main() {
  // UTF-8 lines exactly as written, without carriage returns.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  return RunAll(CommandWords());
}
