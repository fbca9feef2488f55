// Drives the installer's wizard from outside, as a user would: finds its dialog and presses
// buttons by control id. Used by `make run` without a display and by end-to-end tests.
//   wizard_driver.exe COMMAND [ARG] [COMMAND [ARG]]...
//   wait-wizard           wait (up to 30 s) until the wizard dialog is visible; print its title
//   click ID              press the button with that control id (posted, so a message box
//                         opened by the handler does not block the driver)
//   sleep MS              wait that many milliseconds
// Exit code 0 when every command succeeded; otherwise 1 with a message on stderr.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <string>

namespace {

constexpr int kNextButton = 1001;
constexpr int kCancelButton = 1007;
constexpr DWORD kWaitMilliseconds = 30000;
constexpr DWORD kPollMilliseconds = 100;

bool IsDialogClass(HWND window) {
  wchar_t className[16] = {};
  ::GetClassNameW(window, className, 16);
  return std::wcscmp(className, L"#32770") == 0;
}

BOOL CALLBACK FindWizard(HWND window, LPARAM found) {
  if (::IsWindowVisible(window) && IsDialogClass(window) && ::GetDlgItem(window, kNextButton) != nullptr &&
      ::GetDlgItem(window, kCancelButton) != nullptr) {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

HWND WaitForWizard() {
  for (DWORD waited = 0; waited < kWaitMilliseconds; waited += kPollMilliseconds) {
    HWND wizard = nullptr;
    ::EnumWindows(FindWizard, reinterpret_cast<LPARAM>(&wizard));
    if (wizard != nullptr) return wizard;
    ::Sleep(kPollMilliseconds);
  }
  return nullptr;
}

bool Fail(const char* message, const char* detail = "") {
  std::fprintf(stderr, "wizard_driver: %s%s\n", message, detail);
  return false;
}

bool Click(HWND wizard, int id) {
  HWND button = ::GetDlgItem(wizard, id);
  if (button == nullptr) return Fail("no control with that id");
  if (!::IsWindowEnabled(button)) return Fail("button is disabled");
  return ::PostMessageW(wizard, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button)) != 0;
}

bool PrintTitle(HWND wizard) {
  wchar_t title[256] = {};
  ::GetWindowTextW(wizard, title, 256);
  char utf8[1024] = {};
  ::WideCharToMultiByte(CP_UTF8, 0, title, -1, utf8, sizeof utf8, nullptr, nullptr);
  std::printf("%s\n", utf8);
  return true;
}

// Runs one command; argument is the next command-line word (may be null).
bool Run(HWND& wizard, const char* command, const char* argument, int& consumed) {
  consumed = 1;
  if (std::strcmp(command, "wait-wizard") == 0) {
    wizard = WaitForWizard();
    return wizard != nullptr ? PrintTitle(wizard) : Fail("the wizard did not appear");
  }
  if (argument == nullptr) return Fail("missing argument for ", command);
  consumed = 2;
  if (std::strcmp(command, "sleep") == 0) {
    ::Sleep(static_cast<DWORD>(std::atoi(argument)));
    return true;
  }
  if (wizard == nullptr) return Fail("no wizard yet: start with wait-wizard");
  if (std::strcmp(command, "click") == 0) return Click(wizard, std::atoi(argument));
  return Fail("unknown command ", command);
}

}  // namespace

int main(int argc, char** argv) {
  HWND wizard = nullptr;
  for (int i = 1; i < argc;) {
    int consumed = 1;
    if (!Run(wizard, argv[i], i + 1 < argc ? argv[i + 1] : nullptr, consumed)) return 1;
    i += consumed;
  }
  return 0;
}
