#include "package/install_log.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "platform/code_page.h"
#include "platform/files.h"
#include "platform/handle.h"
#include "platform/run_log.h"

namespace package {
namespace {

// The administrator's log of this run, when asked for, gets every trace record as one line.
void ForwardToRunLog(const char* record) {
  std::string_view text(record);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.remove_suffix(1);
  std::wstring wide;
  platform::AnsiToWide(std::string(text), wide);
  platform::WriteRunLog(L"trace: " + wide);
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
  platform::UniqueCrtFile log(platform::files::fopen(kInstallLogPath, "a+t"));
  if (!log) return;
  platform::files::fwrite(record, std::strlen(record), log.Get());
}

}  // namespace package
