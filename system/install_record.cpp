#include "system/install_record.h"

#include <windows.h>

namespace sys {

std::wstring FitRecordText(std::wstring text) {
  if (text.size() >= kRecordTextCapacity) text.resize(kRecordTextCapacity - 1);
  return text;
}

std::wstring ProductKeyPath(std::wstring_view configuredPrinterName) {
  return FitRecordText(std::wstring(kProductKeyPrefix).append(configuredPrinterName));
}

std::wstring UninstallEntryPath(std::wstring_view printerName) {
  return FitRecordText(std::wstring(kUninstallKeyPrefix).append(printerName));
}

std::wstring PathInFolder(std::wstring_view folder, std::wstring_view name) {
  return FitRecordText(JoinPath(folder, name));
}

std::wstring JoinPath(std::wstring_view folder, std::wstring_view name) {
  return std::wstring(folder).append(L"\\").append(name);
}

bool SameFileName(std::wstring_view first, std::wstring_view second) {
  return ::CompareStringOrdinal(first.data(), static_cast<int>(first.size()), second.data(),
                                static_cast<int>(second.size()), TRUE) == CSTR_EQUAL;
}

}  // namespace sys
