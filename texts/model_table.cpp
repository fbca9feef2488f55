#include "texts/model_table.h"

#include <algorithm>
#include <climits>
#include <cwchar>
#include <string>

namespace texts {

namespace {

constexpr size_t kLineCapacity = 255;  // 254 characters and the terminator
constexpr size_t kColumnCount = 9;
using Columns = std::array<texts::Utf16View, kColumnCount>;
constexpr texts::AsciiText kCommentMark("//");

// The line without its CR LF. A cut line has no line end to remove.
std::optional<texts::Utf16View> ReadLine(texts::Utf16Reader& reader, Utf16Unit (&line)[kLineCapacity]) {
  const std::optional<texts::LineRead> read = reader.ReadLine(line, kLineCapacity);
  if (!read) return std::nullopt;
  size_t length = read->length;
  if (!read->cut && length >= 2 && (line[length - 2] == '\r' || line[length - 2] == '\n')) length -= 2;
  return texts::Utf16View(line, length);
}

// As swscanf with "%[^,]," nine times: a column is a non-empty run up to the next comma, and
// the scan stops at an empty column or where no comma follows; unreached columns stay empty.
Columns SplitColumns(texts::Utf16View line) {
  Columns columns{};
  for (texts::Utf16View& column : columns) {
    const size_t end = std::min(line.find(','), line.size());
    if (end == 0) break;
    column = line.substr(0, end);
    if (end == line.size()) break;
    line.remove_prefix(end + 1);
  }
  return columns;
}

// Only U+0020 counts; a column of spaces alone stays as it is.
texts::Utf16View TrimLeadingSpaces(texts::Utf16View column) {
  const size_t first = column.find_first_not_of(' ');
  return first == texts::Utf16View::npos ? column : column.substr(first);
}

// Decimal as the C runtime's wcstol reads it: white space, a sign, digits; no digits give 0,
// overflow clamps.
int32_t ParseNumber(texts::Utf16View column) {
  // A column is part of one line, so it fits; a buffer on the stack spares a string per column.
  wchar_t text[kLineCapacity];
  *std::copy_n(column.begin(), std::min(column.size(), kLineCapacity - 1), text) = L'\0';
  const long long value = std::wcstoll(text, nullptr, 10);
  return static_cast<int32_t>(std::clamp<long long>(value, INT32_MIN, INT32_MAX));
}

// Sets every field, in place: a record built aside and copied in cost a clear and a copy per line.
void FillRecord(ModelRecord& record, const Columns& columns) {
  Columns trimmed;
  std::transform(columns.begin(), columns.end(), trimmed.begin(), TrimLeadingSpaces);
  texts::CopyBounded(record.Name, trimmed[0]);
  record.CutterFlag = ParseNumber(trimmed[1]);
  texts::CopyBounded(record.ModelFamily, trimmed[2]);
  texts::CopyBounded(record.GpdFile, trimmed[3]);
  texts::CopyBounded(record.VidPid, trimmed[4]);
  record.Resolution = ParseNumber(trimmed[5]);
  texts::CopyBounded(record.HardwareId, trimmed[6]);
  record.PaperWidth = ParseNumber(trimmed[7]);
  record.PaperHeight = ParseNumber(trimmed[8]);
}

Utf16Unit FoldAscii(Utf16Unit unit) { return unit >= 'A' && unit <= 'Z' ? Utf16Unit(unit - 'A' + 'a') : unit; }

bool EqualsIgnoringAsciiCase(const Utf16Unit* a, const Utf16Unit* b) {
  for (; FoldAscii(*a) == FoldAscii(*b); ++a, ++b) {
    if (*a == 0) return true;
  }
  return false;
}

}  // namespace

bool IsCatalogueComment(texts::Utf16View line) { return line.find(kCommentMark.View()) != texts::Utf16View::npos; }

std::vector<texts::Utf16String> ParseModelCatalogue(ModelSlots& table, std::span<const uint8_t> fileBytes) {
  table = {};
  std::vector<texts::Utf16String> comboItems;
  texts::Utf16Reader reader(fileBytes);
  reader.SkipByteOrderMarkIfPresent();
  Utf16Unit line[kLineCapacity];
  size_t slot = 1;
  while (slot < table.size()) {
    const std::optional<texts::Utf16View> text = ReadLine(reader, line);
    if (!text) break;
    if (IsCatalogueComment(*text)) continue;
    const Columns columns = SplitColumns(*text);
    // The combo shows the name as written; the record gets it trimmed.
    comboItems.emplace_back(columns[0]);
    FillRecord(table[slot++], columns);
  }
  return comboItems;
}

std::optional<int> FindModelByUsbId(const ModelSlots& table, const Utf16Unit* vidPid) {
  for (int slot = 1; slot < kModelSlotCount; ++slot) {
    if (EqualsIgnoringAsciiCase(table[slot].VidPid, vidPid)) return slot;
  }
  return std::nullopt;
}

std::optional<int> FindModelByNameAndPort(const ModelSlots& table, const Utf16Unit* printerName, Utf16Unit* portName,
                                          size_t portCapacity, const UsbPortLookup& findUsbPrinterPort) {
  for (int slot = 0; slot < kModelSlotCount; ++slot) {
    const ModelRecord& model = table[slot];
    if (texts::Utf16View(model.Name) != printerName) continue;
    if (findUsbPrinterPort(portName, portCapacity, model.VidPid, model.HardwareId) == 1) return slot;
  }
  return std::nullopt;
}

}  // namespace texts
