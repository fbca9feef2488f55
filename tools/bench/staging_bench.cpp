// Times the installer's staging of a package against plain zlib loops over the same streams.
// Staging runs on a worker thread and reports to a real progress bar and a status window on a
// user-interface thread that pumps messages, the way the wizard's installation does.
//
//   staging_bench.exe compare PACKAGE INSTALLER FOLDER RUNS
//       RUNS rounds of: (a) inflate into memory, (b) inflate and WriteFile, staging from the
//       package copy in memory (resource form), staging from INSTALLER (appended form).
//       Prints "time NAME SECONDS" per measurement, "messages NAME COUNT" (progress positions
//       sent to the bar) and "stepback NAME POINTS" (the largest step back of the bar) per staging.
//   staging_bench.exe stage-resource PACKAGE FOLDER
//   staging_bench.exe stage-appended INSTALLER FOLDER
//       One staging, as a whole process; prints "start_working_set BYTES" (with the window up, before
//       a byte of the package is read) and "peak_working_set BYTES".
// PACKAGE is a resource-form package file; INSTALLER a program with an appended package.
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "package/install_package.h"
#include "package/package_walk.h"
#include "package/staging.h"
#include "tools/bench/zlib_baseline.h"
#include "wizard/installation_mailbox.h"

namespace {

constexpr wchar_t kWindowClass[] = L"StagingBenchWindow";
constexpr wchar_t kStatusClass[] = L"StagingBenchStatus";

double Now() {
  LARGE_INTEGER count{}, frequency{};
  ::QueryPerformanceCounter(&count);
  ::QueryPerformanceFrequency(&frequency);
  return double(count.QuadPart) / double(frequency.QuadPart);
}

std::wstring Wide(const std::string& text) { return {text.begin(), text.end()}; }

void EmptyFolder(const std::string& folder) {
  std::error_code ignored;
  std::filesystem::remove_all(Wide(folder), ignored);
  ::CreateDirectoryA(folder.c_str(), nullptr);
}

// The package file mapped read-only for the life of the process, as the installer's resource is
// mapped with its module.
package::InstallPackage MapPackage(const std::string& path) {
  const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  LARGE_INTEGER size{};
  ::GetFileSizeEx(file, &size);
  const HANDLE mapping = ::CreateFileMappingW(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
  const void* view = mapping != nullptr ? ::MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0) : nullptr;
  ::CloseHandle(file);
  if (view == nullptr) return {};
  return {static_cast<const uint8_t*>(view), static_cast<uint32_t>(size.QuadPart)};
}

// The status line, repainted at once when its text is set, as the wizard's page window does.
LRESULT CALLBACK StatusProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_PAINT) return ::DefWindowProcW(window, message, wParam, lParam);
  wchar_t text[512] = {};
  ::GetWindowTextW(window, text, 512);
  PAINTSTRUCT paint;
  const HDC dc = ::BeginPaint(window, &paint);
  RECT client;
  ::GetClientRect(window, &client);
  ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_WINDOW));
  ::DrawTextW(dc, text, -1, &client, DT_LEFT | DT_SINGLELINE);
  ::EndPaint(window, &paint);
  return 0;
}

LRESULT CALLBACK PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

void RegisterClasses() {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_PROGRESS_CLASS};
  ::InitCommonControlsEx(&controls);
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = PageProc;
  windowClass.hInstance = ::GetModuleHandleW(nullptr);
  windowClass.hbrBackground = ::GetSysColorBrush(COLOR_BTNFACE);
  windowClass.lpszClassName = kWindowClass;
  ::RegisterClassW(&windowClass);
  windowClass.lpfnWndProc = StatusProc;
  windowClass.lpszClassName = kStatusClass;
  ::RegisterClassW(&windowClass);
}

// The installing page: a window with a status line and a progress bar of range 0 to 100, to
// which staging reports through the wizard's own mailbox.
class BenchWindow : public package::StagingView {
 public:
  explicit BenchWindow(std::string folder) : m_folder(std::move(folder)) {
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    m_page.m_hWnd = ::CreateWindowExW(0, kWindowClass, L"Staging bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                      520, 200, nullptr, nullptr, instance, nullptr);
    ::SetWindowLongPtrW(m_page.m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    m_status = ::CreateWindowExW(0, kStatusClass, L"", WS_CHILD | WS_VISIBLE, 20, 20, 460, 24, m_page.m_hWnd,
                                 nullptr, instance, nullptr);
    m_bar = ::CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_CHILD | WS_VISIBLE, 20, 60, 460, 20, m_page.m_hWnd, nullptr,
                              instance, nullptr);
    ::SendMessageW(m_bar, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
    ::UpdateWindow(m_page.m_hWnd);
  }
  // The window stays until the process ends: on a screen without a window manager Wine waits
  // 2 s for a destroyed or hidden top-level window to be withdrawn, which no installer does
  // during its installation. The next window of a comparison covers it.
  ~BenchWindow() override { ::SetWindowLongPtrW(m_page.m_hWnd, GWLP_USERDATA, 0); }

  std::wstring InstallFolderText() override { return Wide(m_folder); }
  void ShowStatus(const std::wstring& text) override { m_mailbox.OnStatus(text); }
  void ShowProgressPosition(int32_t position) override {
    ++m_messages;
    m_largestStepBack = std::max(m_largestStepBack, m_lastPosition - position);
    m_lastPosition = position;
    m_mailbox.OnProgress(position);
  }
  long Messages() const { return m_messages; }
  int32_t LargestStepBack() const { return m_largestStepBack; }

  // On the page's thread, as the wizard's dialog takes its mail.
  void OnMail() {
    while (const std::optional<wizard::InstallationEvent> event = m_mailbox.Take()) {
      if (event->kind == wizard::InstallationEvent::Kind::Progress) {
        ::SendMessageW(m_bar, PBM_SETPOS, event->position, 0);
      } else if (event->kind == wizard::InstallationEvent::Kind::Status) {
        ::SetWindowTextW(m_status, event->text.c_str());
        ::InvalidateRect(m_status, nullptr, FALSE);
        ::UpdateWindow(m_status);
      }
    }
  }

 private:
  std::string m_folder;
  framework::CWnd m_page;
  wizard::InstallationMailbox m_mailbox{m_page};
  HWND m_status = nullptr;
  HWND m_bar = nullptr;
  long m_messages = 0;
  int32_t m_lastPosition = 0;
  int32_t m_largestStepBack = 0;
};

LRESULT CALLBACK PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* page = reinterpret_cast<BenchWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == wizard::kInstallationMail && page != nullptr) {
    page->OnMail();
    return 0;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

DWORD WINAPI RunWork(void* work) {
  (*static_cast<std::function<void()>*>(work))();
  return 0;
}

void DispatchWaiting() {
  MSG message;
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
}

// Runs work on a worker thread while this thread pumps messages; returns the seconds it took.
double TimeOnWorker(std::function<void()> work) {
  const double start = Now();
  const HANDLE worker = ::CreateThread(nullptr, 0, RunWork, &work, 0, nullptr);
  while (::MsgWaitForMultipleObjects(1, &worker, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) DispatchWaiting();
  // What the worker posted is shown before the run counts as done, as the wizard shows its finish
  // page only after the progress and status posted before.
  DispatchWaiting();
  const double seconds = Now() - start;
  ::CloseHandle(worker);
  return seconds;
}

PROCESS_MEMORY_COUNTERS MemoryCounters() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (!::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters)) counters = {};
  return counters;
}

struct StagingRun {
  // What the process holds when staging starts: under Wine mostly Wine itself and the window; the
  // peak over it is what staging adds.
  SIZE_T workingSetAtStart = 0;
  double seconds = 0;
  long messages = 0;
  int32_t largestStepBack = 0;
  int32_t result = 0;
};

StagingRun StageResourceForm(const package::InstallPackage& installPackage, const std::string& folder) {
  EmptyFolder(folder);
  BenchWindow view(folder);
  StagingRun run;
  run.workingSetAtStart = MemoryCounters().WorkingSetSize;
  run.seconds = TimeOnWorker([&] { run.result = package::StageFromPackage(view, installPackage); });
  run.messages = view.Messages();
  run.largestStepBack = view.LargestStepBack();
  return run;
}

StagingRun StageAppendedForm(const std::string& installer, const std::string& folder) {
  EmptyFolder(folder);
  BenchWindow view(folder);
  StagingRun run;
  run.workingSetAtStart = MemoryCounters().WorkingSetSize;
  run.seconds = TimeOnWorker([&] {
    package::InstallerFile file;
    run.result = file.Open(Wide(installer).c_str()) ? package::StageFromInstallerFile(view, L"", file)
                                                    : package::kStagingNoInstallerFile;
  });
  run.messages = view.Messages();
  run.largestStepBack = view.LargestStepBack();
  return run;
}

// Baseline (a): every stream inflated into a buffer that is overwritten.
double InflateIntoMemory(const package::InstallPackage& installPackage) {
  const double start = Now();
  package::ResourcePackageReader reader(installPackage.Bytes());
  package::MemoryEntry entry;
  while (reader.Next(entry)) bench::InflateStream(entry.storedBytes, entry.storedSize, [](const uint8_t*, uint32_t) { return true; });
  return Now() - start;
}

// Baseline (b): the same, each chunk written to the entry's file with plain WriteFile.
double InflateIntoFiles(const package::InstallPackage& installPackage, const std::string& folder) {
  EmptyFolder(folder);
  const double start = Now();
  package::ResourcePackageReader reader(installPackage.Bytes());
  package::MemoryEntry entry;
  while (reader.Next(entry)) {
    const std::string path = folder + "\\" + entry.name.text;
    const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    bench::InflateStream(entry.storedBytes, entry.storedSize, [file](const uint8_t* bytes, uint32_t size) {
      DWORD written = 0;
      return ::WriteFile(file, bytes, size, &written, nullptr) && written == size;
    });
    ::CloseHandle(file);
  }
  return Now() - start;
}

void PrintStaging(const char* name, const StagingRun& run) {
  std::printf("time %s %.6f\nmessages %s %ld\nstepback %s %d\n", name, run.seconds, name, run.messages, name,
              static_cast<int>(run.largestStepBack));
  if (run.result != 0) std::printf("error %s staging returned %d\n", name, static_cast<int>(run.result));
}

int Compare(const std::string& packagePath, const std::string& installer, const std::string& folder, int runs) {
  const package::InstallPackage installPackage = MapPackage(packagePath);
  for (int run = 0; run < runs; ++run) {
    std::printf("time inflate_memory %.6f\n", InflateIntoMemory(installPackage));
    std::printf("time inflate_writefile %.6f\n", InflateIntoFiles(installPackage, folder));
    PrintStaging("stage_resource", StageResourceForm(installPackage, folder));
    PrintStaging("stage_appended", StageAppendedForm(installer, folder));
    std::fflush(stdout);
  }
  EmptyFolder(folder);
  return 0;
}

int StageOnce(const std::string& mode, const std::string& source, const std::string& folder) {
  const StagingRun run = mode == "stage-resource" ? StageResourceForm(MapPackage(source), folder)
                                                  : StageAppendedForm(source, folder);
  PrintStaging(mode.c_str(), run);
  std::printf("start_working_set %llu\n", static_cast<unsigned long long>(run.workingSetAtStart));
  std::printf("peak_working_set %llu\n", static_cast<unsigned long long>(MemoryCounters().PeakWorkingSetSize));
  return run.result == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  RegisterClasses();
  if (args.size() == 5 && args[0] == "compare") return Compare(args[1], args[2], args[3], std::stoi(args[4]));
  if (args.size() == 3 && (args[0] == "stage-resource" || args[0] == "stage-appended")) {
    return StageOnce(args[0], args[1], args[2]);
  }
  std::fprintf(stderr, "usage: staging_bench.exe compare PACKAGE INSTALLER FOLDER RUNS\n"
                       "       staging_bench.exe stage-resource PACKAGE FOLDER | stage-appended INSTALLER FOLDER\n");
  return 2;
}
