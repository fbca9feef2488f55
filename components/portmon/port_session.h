// An open port: one job at a time, from StartDocPort to EndDocPort.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "components/portmon/job_target.h"
#include "components/portmon/printer_settings.h"

namespace portmon {

class PortSession {
 public:
  // The printer's data values choose the target; ERROR_NOT_READY for writes outside a job.
  DWORD StartDoc(const wchar_t* printerName, DWORD jobId);
  DWORD Write(const BYTE* data, DWORD size, DWORD* written);
  DWORD EndDoc();

 private:
  std::unique_ptr<JobTarget> m_target;
  UniquePrinter m_printer;
  DWORD m_jobId = 0;
};

}  // namespace portmon
