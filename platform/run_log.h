// The log of one run that an administrator asks for on the command line (/LOG=path): UTF-8,
// appended to and never truncated, one line per event, each starting with the local time to the
// millisecond. Any thread may write; a line that cannot be written is dropped.
#pragma once

#include <windows.h>

#include <mutex>
#include <string>
#include <string_view>

#include "platform/handle.h"

namespace platform {

class RunLog {
 public:
  // Opens (creating when missing) the file for appending; false when it cannot be opened.
  bool Open(const std::wstring& path);
  bool IsOpen() const { return m_file.IsValid(); }
  void Write(std::wstring_view line);

 private:
  std::mutex m_mutex;
  UniqueFileHandle m_file;
};

// The run's log, when there is one: start-up names it once, before any other thread starts.
void SetRunLog(RunLog* log);
// Writes the line to the run's log; nothing when there is none.
void WriteRunLog(std::wstring_view line);

}  // namespace platform
