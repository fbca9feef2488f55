// The append-only plain-text trace of spooler and device-registry steps, C:\InstallPrinter.txt.
#pragma once

namespace platform {

inline constexpr char kInstallLogPath[] = "C:\\InstallPrinter.txt";
inline constexpr wchar_t kInstallLogPathWide[] = L"C:\\InstallPrinter.txt";
constexpr int kInstallLogRecordCapacity = 1024;  // a record holds at most 1023 bytes

// printf-style, 8-bit text in the ANSI code page; every format ends in "\r\n", which is written
// as a text-mode stream writes it: CR CR LF. A record that cannot be written is dropped (the
// run's log says why); a link planted under the trace's name is replaced by a new file, never
// written through.
void WriteInstallLog(const char* format, ...) __attribute__((format(gnu_printf, 1, 2)));

}  // namespace platform
