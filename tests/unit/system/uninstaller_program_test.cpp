// Uninstaller.exe run as a user runs it, its questions answered through its message boxes.
// Needs a display (the test runs under a virtual screen).
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "components/uninstaller/uninstall.h"
#include "platform/installation_lock.h"
#include "tests/unit/system/simulated_installation.h"
#include "tests/unit/system/system_test_support.h"

namespace {

using test::SimulatedInstallation;

constexpr DWORD kProgramTimeoutMilliseconds = 60000;
constexpr int kWindowPolls = 600;

class Program {
 public:
  explicit Program(std::wstring commandLine) {
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    m_started = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                               &m_process);
  }
  ~Program() {
    if (!m_started) return;
    if (WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(m_process.hProcess, 99);
    CloseHandle(m_process.hThread);
    CloseHandle(m_process.hProcess);
  }
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  bool Started() const { return m_started; }
  DWORD Id() const { return m_process.dwProcessId; }
  // The exit code, or 259 (STILL_ACTIVE) when it did not end in time.
  DWORD WaitForExit() const {
    WaitForSingleObject(m_process.hProcess, kProgramTimeoutMilliseconds);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(m_process.hProcess, &code);
    return code;
  }

 private:
  PROCESS_INFORMATION m_process = {};
  bool m_started = false;
};

struct BoxSearch {
  DWORD processId;
  HWND found;
};

BOOL CALLBACK FindBox(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<BoxSearch*>(parameter);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  wchar_t className[16] = {};
  GetClassNameW(window, className, 16);
  if (owner != search->processId || !IsWindowVisible(window) || wcscmp(className, L"#32770") != 0) return TRUE;
  search->found = window;
  return FALSE;
}

// The program's message box once it shows; null when none came.
HWND WaitForBox(const Program& program) {
  for (int poll = 0; poll < kWindowPolls; ++poll) {
    BoxSearch search = {program.Id(), nullptr};
    EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));
    if (search.found != nullptr) return search.found;
    Sleep(100);
  }
  return nullptr;
}

std::wstring WindowText(HWND window) {
  wchar_t text[1024] = {};
  GetWindowTextW(window, text, 1024);
  return text;
}

// Answers the box and waits until it is gone, so that the next search finds the next box.
void Answer(HWND box, int button) {
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
  for (int poll = 0; poll < kWindowPolls && IsWindow(box); ++poll) Sleep(100);
}

std::wstring Quoted(const std::wstring& text) { return L"\"" + text + L"\""; }

class UninstallerProgramTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(m_installation.Install()); }

  std::wstring Uninstaller() const { return m_installation.InFolder(L"Uninstaller.exe"); }

  SimulatedInstallation m_installation;
};

TEST_F(UninstallerProgramTest, AnsweredYesRemovesAllAndFinishesAfterTheRestart) {
  Program uninstaller(Quoted(Uninstaller()));
  ASSERT_TRUE(uninstaller.Started());
  const HWND question = WaitForBox(uninstaller);
  ASSERT_NE(question, nullptr);
  EXPECT_EQ(WindowText(question), L"Uninstall Demo80");
  EXPECT_EQ(WindowText(GetDlgItem(question, 0xFFFF)),
            L"Remove the printer Demo80 with its driver, port, printer service and Start-menu shortcut?");
  Answer(question, IDYES);

  const HWND result = WaitForBox(uninstaller);
  ASSERT_NE(result, nullptr);
  EXPECT_EQ(WindowText(GetDlgItem(result, 0xFFFF)),
            L"Demo80 has been removed.\nThe remaining files are removed after the next restart.");
  Answer(result, IDOK);
  EXPECT_EQ(uninstaller.WaitForExit(), 0u);

  EXPECT_FALSE(SimulatedInstallation::PrinterExists(test::kDemoPrinter));
  EXPECT_FALSE(SimulatedInstallation::PortExists(test::kDemoPort));
  EXPECT_FALSE(SimulatedInstallation::DriverExists(test::kDemoDriver));
  EXPECT_FALSE(test::ServiceState(test::kDemoService).has_value());
  EXPECT_FALSE(test::Exists(m_installation.Registration().ShortcutPath));
  EXPECT_FALSE(test::KeyExists(L"SOFTWARE\\Demo80", KEY_WOW64_64KEY));
  EXPECT_FALSE(test::KeyExists(L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Demo80", 0));
  EXPECT_EQ(test::FolderNames(m_installation.Folder()), std::vector<std::wstring>{L"Uninstaller.exe"});

  // The restart: Windows runs the recorded command once.
  const auto pending =
      test::ReadValue(L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce", 0, L"DastroUninstaller");
  ASSERT_TRUE(pending.has_value());
  Program afterRestart(pending->text);
  ASSERT_TRUE(afterRestart.Started());
  EXPECT_EQ(afterRestart.WaitForExit(), 0u);
  EXPECT_FALSE(test::Exists(m_installation.Folder()));
}

TEST_F(UninstallerProgramTest, AnsweredNoRemovesNothing) {
  Program uninstaller(Quoted(Uninstaller()));
  const HWND question = WaitForBox(uninstaller);
  ASSERT_NE(question, nullptr);
  Answer(question, IDNO);
  EXPECT_EQ(uninstaller.WaitForExit(), 1602u);
  EXPECT_TRUE(SimulatedInstallation::PrinterExists(test::kDemoPrinter));
  EXPECT_EQ(test::ServiceState(test::kDemoService), static_cast<DWORD>(SERVICE_RUNNING));
  EXPECT_TRUE(test::KeyExists(L"SOFTWARE\\Demo80", KEY_WOW64_64KEY));
  EXPECT_TRUE(test::Exists(m_installation.InFolder(L"Uninstall.ini")));
}

TEST_F(UninstallerProgramTest, QuietRunAsksNothingAndRemovesAll) {
  Program uninstaller(Quoted(Uninstaller()) + L" /quiet");
  EXPECT_EQ(uninstaller.WaitForExit(), 0u);
  EXPECT_FALSE(SimulatedInstallation::PrinterExists(test::kDemoPrinter));
  EXPECT_FALSE(test::ServiceState(test::kDemoService).has_value());
  EXPECT_FALSE(test::Exists(m_installation.InFolder(L"Uninstall.ini")));
}

TEST_F(UninstallerProgramTest, FolderWithoutARecordEndsWithItsOwnExitCode) {
  Program uninstaller(Quoted(Uninstaller()) + L" /quiet \"C:\\Nowhere\"");
  EXPECT_EQ(uninstaller.WaitForExit(), 1603u);
  EXPECT_TRUE(SimulatedInstallation::PrinterExists(test::kDemoPrinter));
}

TEST_F(UninstallerProgramTest, AnotherInstallationRunningRemovesNothing) {
  const platform::InstallationLock installation;
  ASSERT_TRUE(installation.Acquired());
  Program uninstaller(Quoted(Uninstaller()) + L" /quiet");
  EXPECT_EQ(uninstaller.WaitForExit(), 1618u);
  EXPECT_TRUE(SimulatedInstallation::PrinterExists(test::kDemoPrinter));
  EXPECT_TRUE(test::Exists(m_installation.InFolder(L"Uninstall.ini")));
}

TEST(UninstallerExitCode, OnlyWhatIsNotItsOwnWaitingForARestartAsksForOne) {
  const std::wstring own = L"C:\\Tills\\Demo80\\Uninstaller.exe";
  const std::wstring folder = L"C:\\Tills\\Demo80";
  uninstaller::RemovalReport report;
  EXPECT_EQ(uninstaller::ExitCodeOfRemoval(report, own, folder), 0);
  report.afterRestart = {L"c:\\tills\\demo80\\UNINSTALLER.EXE", folder};
  EXPECT_EQ(uninstaller::ExitCodeOfRemoval(report, own, folder), 0);
  report.afterRestart.push_back(folder + L"\\MerrowPrinterService.exe");
  EXPECT_EQ(uninstaller::ExitCodeOfRemoval(report, own, folder), 3010);
  report.Fail(uninstaller::ItemKind::kPrinter, L"Demo80", ERROR_ACCESS_DENIED);
  EXPECT_EQ(uninstaller::ExitCodeOfRemoval(report, own, folder), 1603);
}

}  // namespace
