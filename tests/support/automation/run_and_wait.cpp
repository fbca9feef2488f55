// Starts a program with the rest of its own command line as written, waits for it and prints
// "exit=CODE" with the whole exit code, which Wine's own exit status cuts to 8 bits.
//   run_and_wait.exe [--timeout MS] PROGRAM [ARGUMENTS...]
//   run_and_wait.exe [--timeout MS] --command "COMMAND LINE"   (one argument, such as a registry value)
// Exit code 0 when the program ran to its end; 1 when it could not start or did not end in time.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

// The command line after the first argument (and --timeout MS), quoting kept as written.
const wchar_t* SkipArgument(const wchar_t* text) {
  while (*text == L' ' || *text == L'\t') ++text;
  bool quoted = false;
  for (; *text != L'\0'; ++text) {
    if (*text == L'"') quoted = !quoted;
    if (!quoted && (*text == L' ' || *text == L'\t')) break;
  }
  while (*text == L' ' || *text == L'\t') ++text;
  return text;
}

}  // namespace

int wmain() {
  const wchar_t* rest = SkipArgument(::GetCommandLineW());
  DWORD timeout = 300000;
  if (std::wcsncmp(rest, L"--timeout ", 10) == 0) {
    timeout = static_cast<DWORD>(std::wcstoul(rest + 10, nullptr, 10));
    rest = SkipArgument(SkipArgument(rest));
  }
  std::wstring command = rest;
  if (std::wcsncmp(rest, L"--command ", 10) == 0) {
    int count = 0;
    wchar_t** arguments = ::CommandLineToArgvW(rest, &count);
    command = arguments != nullptr && count == 2 ? arguments[1] : L"";
    ::LocalFree(arguments);
  }
  STARTUPINFOW startup = {sizeof startup};
  PROCESS_INFORMATION process = {};
  if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    std::fprintf(stderr, "run_and_wait: cannot start the program (error %lu)\n", ::GetLastError());
    return 1;
  }
  ::CloseHandle(process.hThread);
  const DWORD waited = ::WaitForSingleObject(process.hProcess, timeout);
  DWORD code = 0;
  ::GetExitCodeProcess(process.hProcess, &code);
  ::CloseHandle(process.hProcess);
  if (waited != WAIT_OBJECT_0) {
    std::fprintf(stderr, "run_and_wait: the program did not end in time\n");
    return 1;
  }
  std::printf("exit=%lu\n", code);
  std::fflush(stdout);
  return 0;
}
