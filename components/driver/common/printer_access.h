// The printer a driver entry point works on: the handle its caller gave, or, where the caller
// gave only a name (Wine's spooler does), the printer opened by name for the call.
#pragma once

#include <windows.h>
#include <winspool.h>

namespace plotter {

class PrinterAccess {
 public:
  PrinterAccess(HANDLE given, const wchar_t* name) : handle_(given) {
    if (!handle_ && name && OpenPrinterW(const_cast<LPWSTR>(name), &handle_, nullptr)) owned_ = true;
  }
  ~PrinterAccess() {
    if (owned_) ClosePrinter(handle_);
  }
  PrinterAccess(const PrinterAccess&) = delete;
  PrinterAccess& operator=(const PrinterAccess&) = delete;

  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_ = nullptr;
  bool owned_ = false;
};

}  // namespace plotter
