#include "app/wizard_config.h"

#include <cwchar>
#include <optional>
#include <string_view>

#include "app/utf16_text.h"
#include "platform/files.h"
#include "platform/handle.h"

namespace app {

WizardConfigTable WizardConfig{};

namespace {

constexpr size_t kLineCapacity = 256;  // 255 characters with the line end
constexpr wchar_t kSeparatorMark[] = L"====================";

using Line = wchar_t[kLineCapacity];

std::optional<std::wstring_view> ReadLine(FILE* file, Line& line) {
  const std::optional<LineRead> read = ReadUtf16Line(file, line, kLineCapacity);
  if (!read) return std::nullopt;
  if (!read->cut) return std::wstring_view(line, read->length);
  // Lines of the format end in CR LF; a cut one keeps that ending so it stays one line.
  line[kLineCapacity - 3] = L'\r';
  line[kLineCapacity - 2] = L'\n';
  line[kLineCapacity - 1] = L'\0';
  return std::wstring_view(line, kLineCapacity - 1);
}

bool IsSeparator(std::wstring_view line) { return line.find(kSeparatorMark) != std::wstring_view::npos; }

bool CutCrLf(std::wstring_view& line) {
  if (!line.ends_with(L"\r\n")) return false;
  line.remove_suffix(2);
  return true;
}

// True once the sixth separator has been passed; false when the file ends first.
bool ReadPageSections(FILE* file, WizardConfigTable& table) {
  Line line;
  size_t page = 0;
  while (std::optional<std::wstring_view> text = ReadLine(file, line)) {
    if (IsSeparator(*text)) {
      if (++page == kPageCount) return true;
      continue;
    }
    const bool endedInCrLf = CutCrLf(*text);
    AppendBounded(table.PageText[page], *text);
    if (endedInCrLf) AppendBounded(table.PageText[page], L"\n");
  }
  return false;
}

void ReadValues(FILE* file, WizardConfigTable& table) {
  wchar_t* const fields[] = {table.Title,    table.PrinterName, table.DriverName, table.MonitorName,
                             table.PortName, table.FolderName,  table.LanguageDll};
  Line line;
  while (std::optional<std::wstring_view> text = ReadLine(file, line)) {
    if (IsSeparator(*text)) continue;
    CutCrLf(*text);
    for (wchar_t* field : fields) {
      if (field[0] != L'\0') continue;
      // An empty line leaves the field empty, so blank lines take no field.
      CopyBounded(field, kConfigValueCapacity, *text);
      break;
    }
  }
}

void StoreDefaultNames(WizardConfigTable& table) {
  CopyBounded(table.PrinterName, L"USB Printer");
  CopyBounded(table.DriverName, L"USB Printer Driver");
  CopyBounded(table.MonitorName, L"USB Printer Monitor");
  CopyBounded(table.PortName, L"USB PRINTER PORT:");
}

}  // namespace

void LoadWizardTexts(WizardConfigTable& table, const wchar_t* path) {
  table = {};
  platform::UniqueCrtFile file(path == nullptr ? nullptr : platform::files::_wfopen(path, L"rb"));
  if (!file) {
    StoreDefaultNames(table);
    return;
  }
  SkipByteOrderMark(file.Get());
  if (ReadPageSections(file.Get(), table)) ReadValues(file.Get(), table);
  file.Close();
  platform::files::DeleteFileW(path);
}

void LoadWizardTexts(const wchar_t* path) { LoadWizardTexts(WizardConfig, path); }

}  // namespace app
