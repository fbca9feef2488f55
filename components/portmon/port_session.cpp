#include "components/portmon/port_session.h"

namespace portmon {

DWORD PortSession::StartDoc(const wchar_t* printerName, DWORD jobId) {
  UniquePrinter printer;
  if (DWORD error = OpenPrinterByName(printerName, printer)) return error;
  std::unique_ptr<JobTarget> target;
  if (DWORD error = OpenJobTarget(ReadPrinterSettings(printer.Get()), target)) return error;
  m_target = std::move(target);
  m_printer = std::move(printer);
  m_jobId = jobId;
  return ERROR_SUCCESS;
}

DWORD PortSession::Write(const BYTE* data, DWORD size, DWORD* written) {
  if (!written || (!data && size)) return ERROR_INVALID_PARAMETER;
  *written = 0;
  if (!m_target) return ERROR_NOT_READY;
  return m_target->Write(data, size, *written);
}

DWORD PortSession::EndDoc() {
  if (!m_target) return ERROR_NOT_READY;
  const DWORD error = m_target->Finish();
  m_target.reset();
  // Tells the spooler the job has left, so that it can remove it; a job id it does not know is harmless.
  SetJobW(m_printer.Get(), m_jobId, 0, nullptr, JOB_CONTROL_SENT_TO_PRINTER);
  m_printer.Close();
  return error;
}

}  // namespace portmon
