// The printer a driver entry point works on: the handle its caller gave, or, where the caller
// gave only a name (Wine's spooler does), the printer opened by name for the call.
#pragma once

#include <windows.h>
#include <winspool.h>

#include "platform/handle.h"

namespace plotter {

class PrinterAccess {
 public:
  PrinterAccess(HANDLE given, const wchar_t* name) : m_given(given) {
    HANDLE opened = nullptr;
    if (!given && name && OpenPrinterW(const_cast<LPWSTR>(name), &opened, nullptr)) m_opened.Attach(opened);
  }

  HANDLE Get() const { return m_opened ? m_opened.Get() : m_given; }

 private:
  HANDLE m_given = nullptr;  // the caller's: not ours to close
  platform::UniquePrinter m_opened;
};

}  // namespace plotter
