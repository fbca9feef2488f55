// The append-only plain-text trace of spooler and device-registry steps, C:\InstallPrinter.txt.
#pragma once

namespace package {

inline constexpr char kInstallLogPath[] = "C:\\InstallPrinter.txt";
constexpr int kInstallLogRecordCapacity = 1024;  // a record holds at most 1023 bytes

// printf-style, 8-bit text in the ANSI code page; every format ends in "\r\n", which the
// text-mode stream writes as CR CR LF. A record that cannot be written is dropped silently.
void WriteInstallLog(const char* format, ...) __attribute__((format(gnu_printf, 1, 2)));

}  // namespace package
