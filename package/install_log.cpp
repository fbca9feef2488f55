#include "package/install_log.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "platform/files.h"
#include "platform/handle.h"

namespace package {

void WriteInstallLog(const char* format, ...) {
  char record[kInstallLogRecordCapacity] = {};
  va_list arguments;
  va_start(arguments, format);
  // Cuts a longer record at 1023 bytes and always terminates it.
  std::vsnprintf(record, sizeof record, format, arguments);
  va_end(arguments);

  platform::UniqueCrtFile log(platform::files::fopen(kInstallLogPath, "a+t"));
  if (!log) return;
  platform::files::fwrite(record, std::strlen(record), log.Get());
}

}  // namespace package
