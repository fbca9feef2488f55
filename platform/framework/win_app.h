// The application object: one per process, reached through CurrentApp().
#pragma once

#include <windows.h>

namespace framework {

class CWnd;

class CWinApp {
 public:
  CWinApp();
  virtual ~CWinApp();
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;

  // The start routine; false ends the application without a message loop of its own.
  virtual BOOL InitInstance() = 0;

  HINSTANCE m_hInstance = nullptr;
  CWnd* m_pMainWnd = nullptr;
  int m_nExitCode = 0;  // the process's exit code once InitInstance has returned
};

CWinApp* CurrentApp();

// Called by the program's entry point.
int RunApplication(HINSTANCE instance);

}  // namespace framework
