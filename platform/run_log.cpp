#include "platform/run_log.h"

#include <cstdio>

#include "platform/files.h"

namespace platform {
namespace {

RunLog* g_runLog = nullptr;

std::string ToUtf8(std::wstring_view text) {
  if (text.empty()) return {};
  const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
  std::string utf8(static_cast<size_t>(size > 0 ? size : 0), '\0');
  if (size > 0) {
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), size, nullptr,
                          nullptr);
  }
  return utf8;
}

std::string TimeStamp() {
  SYSTEMTIME now{};
  ::GetLocalTime(&now);
  char stamp[32] = {};
  std::snprintf(stamp, sizeof stamp, "%04u-%02u-%02u %02u:%02u:%02u.%03u ", now.wYear, now.wMonth, now.wDay,
                now.wHour, now.wMinute, now.wSecond, now.wMilliseconds);
  return stamp;
}

}  // namespace

bool RunLog::Open(const std::wstring& path) {
  m_file.Attach(files::CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL));
  return m_file.IsValid();
}

void RunLog::Write(std::wstring_view line) {
  const std::string record = TimeStamp() + ToUtf8(line) + "\r\n";
  const std::lock_guard<std::mutex> lock(m_mutex);
  if (!m_file.IsValid()) return;
  DWORD written = 0;
  files::WriteFile(m_file.Get(), record.data(), static_cast<DWORD>(record.size()), &written);
}

void SetRunLog(RunLog* log) { g_runLog = log; }

void WriteRunLog(std::wstring_view line) {
  if (g_runLog != nullptr) g_runLog->Write(line);
}

}  // namespace platform
