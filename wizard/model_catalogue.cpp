#include "wizard/model_catalogue.h"

#include <algorithm>
#include <climits>
#include <cwchar>
#include <string_view>

#include "app/utf16_text.h"
#include "platform/files.h"
#include "platform/handle.h"

namespace wizard {

ModelSlots ModelTable{};
int32_t SelectedModelIndex = 0;

namespace {

constexpr size_t kLineCapacity = 255;  // 254 characters and the terminator
constexpr size_t kColumnCount = 9;
using Columns = std::array<std::wstring_view, kColumnCount>;

// Only a UTF-16 byte-order mark is skipped; a file without one is read from its first byte.
void SkipByteOrderMarkIfPresent(FILE* file) {
  const int first = std::getc(file);
  const int second = std::getc(file);
  if (first != 0xFF || second != 0xFE) std::fseek(file, 0, SEEK_SET);
}

// The line without its CR LF. A cut line has no line end to remove.
std::optional<std::wstring_view> ReadLine(FILE* file, wchar_t (&line)[kLineCapacity]) {
  const std::optional<app::LineRead> read = app::ReadUtf16Line(file, line, kLineCapacity);
  if (!read) return std::nullopt;
  size_t length = read->length;
  if (!read->cut && length >= 2 && (line[length - 2] == L'\r' || line[length - 2] == L'\n')) length -= 2;
  return std::wstring_view(line, length);
}

bool IsComment(std::wstring_view line) { return line.find(L"//") != std::wstring_view::npos; }

// As swscanf with "%[^,]," nine times: a column is a non-empty run up to the next comma, and
// the scan stops at an empty column or where no comma follows; unreached columns stay empty.
Columns SplitColumns(std::wstring_view line) {
  Columns columns{};
  for (std::wstring_view& column : columns) {
    const size_t end = std::min(line.find(L','), line.size());
    if (end == 0) break;
    column = line.substr(0, end);
    if (end == line.size()) break;
    line.remove_prefix(end + 1);
  }
  return columns;
}

// Only U+0020 counts; a column of spaces alone stays as it is.
std::wstring_view TrimLeadingSpaces(std::wstring_view column) {
  const size_t first = column.find_first_not_of(L' ');
  return first == std::wstring_view::npos ? column : column.substr(first);
}

// Decimal as wcstol reads it: white space, a sign, digits; no digits give 0, overflow clamps.
int32_t ParseNumber(std::wstring_view column) {
  const std::wstring text(column);
  const long long value = std::wcstoll(text.c_str(), nullptr, 10);
  return static_cast<int32_t>(std::clamp<long long>(value, INT32_MIN, INT32_MAX));
}

ModelRecord ToRecord(const Columns& columns) {
  Columns trimmed;
  std::transform(columns.begin(), columns.end(), trimmed.begin(), TrimLeadingSpaces);
  ModelRecord record{};
  app::CopyBounded(record.Name, trimmed[0]);
  record.CutterFlag = ParseNumber(trimmed[1]);
  app::CopyBounded(record.ModelFamily, trimmed[2]);
  app::CopyBounded(record.GpdFile, trimmed[3]);
  app::CopyBounded(record.VidPid, trimmed[4]);
  record.Resolution = ParseNumber(trimmed[5]);
  app::CopyBounded(record.HardwareId, trimmed[6]);
  record.PaperWidth = ParseNumber(trimmed[7]);
  record.PaperHeight = ParseNumber(trimmed[8]);
  return record;
}

}  // namespace

const ModelRecord& SelectedModel() {
  const bool inRange = SelectedModelIndex >= 0 && SelectedModelIndex < kModelSlotCount;
  return ModelTable[inRange ? SelectedModelIndex : 0];
}

std::vector<std::wstring> LoadModelCatalogue(ModelSlots& table, std::wstring_view documentsFolder) {
  table = {};
  std::vector<std::wstring> comboItems;
  const std::wstring path = std::wstring(documentsFolder) + L"\\PrinterName.txt";
  platform::UniqueCrtFile file(platform::files::_wfopen(path.c_str(), L"rb"));
  if (!file) return comboItems;
  SkipByteOrderMarkIfPresent(file.Get());

  wchar_t line[kLineCapacity];
  size_t slot = 1;
  while (slot < table.size()) {
    const std::optional<std::wstring_view> text = ReadLine(file.Get(), line);
    if (!text) break;
    if (IsComment(*text)) continue;
    const Columns columns = SplitColumns(*text);
    // The combo shows the name as written; the record gets it trimmed.
    comboItems.emplace_back(columns[0]);
    table[slot++] = ToRecord(columns);
  }
  return comboItems;
}

std::vector<std::wstring> LoadModelCatalogue(std::wstring_view documentsFolder) {
  return LoadModelCatalogue(ModelTable, documentsFolder);
}

std::optional<int> FindModelByUsbId(const ModelSlots& table, const wchar_t* vidPid) {
  for (int slot = 1; slot < kModelSlotCount; ++slot) {
    if (_wcsicmp(table[slot].VidPid, vidPid) == 0) return slot;
  }
  return std::nullopt;
}

std::optional<int> FindModelByNameAndPort(const ModelSlots& table, const wchar_t* printerName, wchar_t* portName,
                                          size_t portCapacity, const UsbPortLookup& findUsbPrinterPort) {
  for (int slot = 0; slot < kModelSlotCount; ++slot) {
    const ModelRecord& model = table[slot];
    if (std::wcscmp(model.Name, printerName) != 0) continue;
    if (findUsbPrinterPort(portName, portCapacity, model.VidPid, model.HardwareId) == 1) return slot;
  }
  return std::nullopt;
}

}  // namespace wizard
