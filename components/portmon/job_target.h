// Where a job's bytes go between StartDocPort and EndDocPort.
#pragma once

#include <windows.h>

#include <memory>

#include "components/portmon/printer_settings.h"

namespace portmon {

class JobTarget {
 public:
  virtual ~JobTarget() = default;
  // Sends all `size` bytes or returns the error; `written` counts what was sent.
  virtual DWORD Write(const BYTE* data, DWORD size, DWORD& written) = 0;
  // Ends the job cleanly (the target is released afterwards in any case).
  virtual DWORD Finish() = 0;
};

// The TCP address of a network printer or the present USB printer of its USB id.
// ERROR_INVALID_DATA when the settings do not name one; ERROR_DEV_NOT_EXIST when no such USB
// printer is present; otherwise the error of connecting or opening.
DWORD OpenJobTarget(const PrinterSettings& settings, std::unique_ptr<JobTarget>& target);

}  // namespace portmon
