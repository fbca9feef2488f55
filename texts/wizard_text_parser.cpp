#include "texts/wizard_text_parser.h"

#include <algorithm>
#include <optional>

namespace texts {

namespace {

constexpr size_t kLineCapacity = 256;  // 255 characters with the line end
constexpr AsciiText kSeparatorMark("====================");
constexpr AsciiText kCrLf("\r\n");
constexpr AsciiText kLf("\n");

using Line = Utf16Unit[kLineCapacity];

std::optional<Utf16View> ReadLine(Utf16Reader& reader, Line& line) {
  const std::optional<LineRead> read = reader.ReadLine(line, kLineCapacity);
  if (!read) return std::nullopt;
  if (!read->cut) return Utf16View(line, read->length);
  // Lines of the format end in CR LF; a cut one keeps that ending so it stays one line.
  line[kLineCapacity - 3] = '\r';
  line[kLineCapacity - 2] = '\n';
  line[kLineCapacity - 1] = 0;
  return Utf16View(line, kLineCapacity - 1);
}

bool CutCrLf(Utf16View& line) {
  if (!line.ends_with(kCrLf.View())) return false;
  line.remove_suffix(2);
  return true;
}

// Appends to a page text as AppendBounded does, but keeps the length: a page of many short
// lines is then not searched for its end once per line. A NUL in a line ends the text there, so
// the next line is written over it, as before.
class PageWriter {
 public:
  explicit PageWriter(Utf16Unit (&page)[kPageTextCapacity]) : m_page(page) {}
  void Append(Utf16View text) {
    const size_t count = std::min(text.size(), kPageTextCapacity - 1 - m_length);
    Utf16Unit* const start = m_page + m_length;
    std::copy_n(text.data(), count, start);
    start[count] = 0;
    m_length += static_cast<size_t>(std::find(start, start + count, Utf16Unit(0)) - start);
  }

 private:
  Utf16Unit* m_page;
  size_t m_length = 0;
};

// True once the sixth separator has been passed; false when the file ends first.
bool ReadPageSections(Utf16Reader& reader, WizardConfigTable& table) {
  Line line;
  size_t page = 0;
  PageWriter writer(table.PageText[page]);
  while (std::optional<Utf16View> text = ReadLine(reader, line)) {
    if (IsPageSeparator(*text)) {
      if (++page == kPageCount) return true;
      writer = PageWriter(table.PageText[page]);
      continue;
    }
    const bool endedInCrLf = CutCrLf(*text);
    writer.Append(*text);
    if (endedInCrLf) writer.Append(kLf.View());
  }
  return false;
}

void ReadValues(Utf16Reader& reader, WizardConfigTable& table) {
  Utf16Unit* const fields[] = {table.Title,    table.PrinterName, table.DriverName, table.MonitorName,
                               table.PortName, table.FolderName,  table.LanguageDll};
  Line line;
  while (std::optional<Utf16View> text = ReadLine(reader, line)) {
    if (IsPageSeparator(*text)) continue;
    CutCrLf(*text);
    for (Utf16Unit* field : fields) {
      if (field[0] != 0) continue;
      // An empty line leaves the field empty, so blank lines take no field.
      CopyBounded(field, kConfigValueCapacity, *text);
      break;
    }
  }
}

}  // namespace

bool IsPageSeparator(Utf16View line) { return line.find(kSeparatorMark.View()) != Utf16View::npos; }

void ParseWizardTexts(WizardConfigTable& table, std::span<const uint8_t> fileBytes) {
  table = {};
  Utf16Reader reader(fileBytes);
  reader.SkipByteOrderMark();
  if (ReadPageSections(reader, table)) ReadValues(reader, table);
}

}  // namespace texts
