#include "components/driver/common/characterization_file.h"

#include <winspool.h>

#include <vector>

namespace plotter {
namespace {

std::vector<uint8_t> ReadWholeFile(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::vector<uint8_t> bytes;
  LARGE_INTEGER size{};
  if (GetFileSizeEx(file, &size) && size.QuadPart <= kMaxCharacterizationFileSize) {
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    if (!ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) read = 0;
    bytes.resize(read);
  }
  CloseHandle(file);
  return bytes;
}

}  // namespace

std::wstring DataFileOfPrinter(HANDLE printer) {
  DWORD needed = 0;
  GetPrinterDriverW(printer, nullptr, 2, nullptr, 0, &needed);
  if (needed < sizeof(DRIVER_INFO_2W)) return {};
  std::vector<BYTE> buffer(needed);
  if (!GetPrinterDriverW(printer, nullptr, 2, buffer.data(), needed, &needed)) return {};
  const auto* info = reinterpret_cast<const DRIVER_INFO_2W*>(buffer.data());
  return info->pDataFile ? info->pDataFile : L"";
}

ParseResult LoadCharacterization(const std::wstring& path) {
  if (path.empty()) return {ParseError::kTooShort, {}};
  return ParseCharacterization(ReadWholeFile(path));
}

ParseResult LoadPrinterCharacterization(HANDLE printer) {
  return LoadCharacterization(DataFileOfPrinter(printer));
}

}  // namespace plotter
