#include "platform/install_log.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "platform/code_page.h"
#include "platform/files.h"
#include "platform/handle.h"
#include "platform/link_safe_files.h"
#include "platform/run_log.h"

namespace platform {
namespace {

// The administrator's log of this run, when asked for, gets every trace record as one line.
void ForwardToRunLog(const char* record) {
  std::string_view text(record);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.remove_suffix(1);
  std::wstring wide;
  AnsiToWide(std::string(text), wide);
  WriteRunLog(L"trace: " + wide);
}

// As a text-mode stream writes it: every LF goes out as CR LF, so a record's "\r\n" is CR CR LF.
std::string AsTextMode(std::string_view record) {
  std::string bytes;
  for (const char c : record) {
    if (c == '\n') bytes += '\r';
    bytes += c;
  }
  return bytes;
}

}  // namespace

void WriteInstallLog(const char* format, ...) {
  char record[kInstallLogRecordCapacity] = {};
  va_list arguments;
  va_start(arguments, format);
  // Cuts a longer record at 1023 bytes and always terminates it.
  std::vsnprintf(record, sizeof record, format, arguments);
  va_end(arguments);

  ForwardToRunLog(record);
  // Anyone may create files at the root of C: a link planted under the trace's name must not
  // aim this elevated append elsewhere.
  std::wstring refusal;
  const UniqueFileHandle log =
      files::OpenForWriteWithoutLinks(kInstallLogPathWide, files::WriteMode::Append, &refusal);
  if (!log) {
    WriteRunLog(L"Trace record dropped: " + std::wstring(kInstallLogPathWide) + L" " + refusal);
    return;
  }
  const std::string bytes = AsTextMode(record);
  files::WriteAll(log.Get(), bytes.data(), bytes.size());
}

}  // namespace platform
