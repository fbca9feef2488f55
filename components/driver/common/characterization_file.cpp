#include "components/driver/common/characterization_file.h"

#include <winspool.h>

#include <vector>

#include "platform/handle.h"
#include "platform/two_call.h"

namespace plotter {
namespace {

std::vector<uint8_t> ReadWholeFile(const std::wstring& path) {
  const platform::UniqueFileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return {};
  std::vector<uint8_t> bytes;
  LARGE_INTEGER size{};
  if (GetFileSizeEx(file.Get(), &size) && size.QuadPart <= kMaxCharacterizationFileSize) {
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    if (!ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) read = 0;
    bytes.resize(read);
  }
  return bytes;
}

}  // namespace

std::wstring DataFileOfPrinter(HANDLE printer) {
  const platform::TwoCallBuffer read = platform::ReadByTwoCalls([printer](BYTE* buffer, DWORD size, DWORD* needed) {
    return GetPrinterDriverW(printer, nullptr, 2, buffer, size, needed);
  });
  if (read.bytes.size() < sizeof(DRIVER_INFO_2W)) return {};
  const auto* info = reinterpret_cast<const DRIVER_INFO_2W*>(read.bytes.data());
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
