// The wizard text files: six page sections and their separators, the caption and the names,
// each name against the rule the installer and Windows apply, and each page text against the
// room its page gives it.
#include <memory>

#include "package/entry_names.h"
#include "package/name_rules.h"
#include "texts/wizard_text_parser.h"
#include "tools/mkpackage/check_parts.h"
#include "tools/mkpackage/check_text.h"

namespace mkpackage {

namespace {

using texts::Utf16View;

constexpr size_t kValueCount = 7;
// The shipped files close with a version line that nothing reads.
constexpr size_t kReadableValueLines = kValueCount + 1;

Utf16View FieldText(const texts::WizardConfigTable& table, size_t index) {
  const texts::Utf16Unit* const fields[kValueCount] = {table.Title,       table.PrinterName, table.DriverName,
                                                       table.MonitorName, table.PortName,    table.FolderName,
                                                       table.LanguageDll};
  return fields[index];
}

constexpr const char* kValueNames[kValueCount] = {"window caption", "printer name", "driver name", "monitor name",
                                                  "port name",      "folder name",  "language DLL"};

struct FileLayout {
  std::vector<NumberedLine> lines;
  std::vector<int> separators;  // line numbers of the first six separators
  std::vector<int> valueLines;  // line numbers of the non-blank lines after them
};

FileLayout ReadLayout(std::span<const uint8_t> bytes) {
  FileLayout layout{Utf16Lines(bytes), {}, {}};
  for (const NumberedLine& line : layout.lines) {
    const bool separator = texts::IsPageSeparator(line.text);
    if (layout.separators.size() < texts::kPageCount) {
      if (separator) layout.separators.push_back(line.number);
    } else if (!separator && !line.text.empty()) {
      layout.valueLines.push_back(line.number);
    }
  }
  return layout;
}

// The page text as the installer holds it, one entry a line (the text's line feeds removed).
std::vector<Utf16View> PageLines(Utf16View text) {
  std::vector<Utf16View> lines;
  while (!text.empty()) {
    const size_t end = text.find(texts::Utf16Unit('\n'));
    lines.push_back(text.substr(0, end));
    text.remove_prefix(end == Utf16View::npos ? text.size() : end + 1);
  }
  return lines;
}

void CheckPageText(const CheckedFile& file, size_t page, Utf16View text, int firstLine, const TextContext& context,
                   Findings& findings) {
  const ui::PageTextRoom& room = ui::kPageTextRoom[page];
  if (text.empty()) {
    AddError(findings, file.name, firstLine,
             std::string("the ") + room.page + " page's text is empty: the page shows the installer's built-in text");
    return;
  }
  const std::vector<Utf16View> lines = PageLines(text);
  for (size_t i = 0; i < lines.size(); ++i) {
    if (!context.measure.Fits(lines[i], room, context.languageId, room.headingFirst && i == 0)) {
      AddWarning(findings, file.name, firstLine + static_cast<int>(i),
                 std::string("line is wider than the ") + room.page + " page; its end is cut or broken off");
    }
  }
  if (lines.size() > static_cast<size_t>(room.maxLines)) {
    AddWarning(findings, file.name, firstLine + room.maxLines,
               std::string("the ") + room.page + " page shows " + std::to_string(room.maxLines) +
                   " lines; this text has " + std::to_string(lines.size()));
  }
}

// Printer, driver and monitor names keep the printer-name rule; a port name too, but it may end
// in the colon that spooler port names carry ("COM1:").
std::optional<package::NameProblem> NameRuleProblem(size_t index, Utf16View value) {
  switch (index) {
    case 1:
    case 2:
    case 3:
      return package::CheckPrinterName(value);
    case 4:
      if (value.ends_with(texts::Utf16Unit(':'))) value.remove_suffix(1);
      return package::CheckPrinterName(value);
    default:
      return std::nullopt;
  }
}

const char* DescribeNameProblem(package::NameProblem problem) {
  switch (problem) {
    case package::NameProblem::Empty:
      return "is empty";
    case package::NameProblem::TooLong:
      return "is longer than 100 characters";
    case package::NameProblem::ForbiddenCharacter:
      return "holds a character Windows refuses (\\ / : * ? \" < > | , or a control character)";
    case package::NameProblem::EdgeSpaceOrDot:
      return "begins or ends with a space or a dot";
    case package::NameProblem::DeviceName:
      return "is a device name Windows reserves (CON, PRN, AUX, NUL, COM1-9, LPT1-9)";
  }
  return "is refused";
}

bool EndsWithDll(Utf16View name) {
  return name.size() >= 4 && package::EqualsIgnoringAsciiCase(ToUtf8(name.substr(name.size() - 4)), ".dll");
}

void CheckLanguageDll(const CheckedFile& file, Utf16View dll, int line, const TextContext& context,
                      Findings& findings) {
  if (!EndsWithDll(dll)) {
    AddError(findings, file.name, line,
             "language DLL " + Quote(dll) + " is no DLL name: the caption or a name is missing or out of place");
    return;
  }
  for (const std::string suffix : {"", ".x64"}) {
    if (!context.folder.Find(ToUtf8(dll) + suffix)) {
      AddError(findings, file.name, line, "language DLL \"" + ToUtf8(dll) + suffix + "\" is not in the package");
    }
  }
}

void CheckValues(const CheckedFile& file, const texts::WizardConfigTable& table, const FileLayout& layout,
                 const TextContext& context, Findings& findings) {
  for (size_t i = 0; i < kValueCount; ++i) {
    const Utf16View value = FieldText(table, i);
    if (value.empty()) {
      AddError(findings, file.name, 0,
               std::string("no ") + kValueNames[i] + " after the six pages (value line " + std::to_string(i + 1) + ")");
      continue;
    }
    const int line = layout.valueLines[i];
    if (const auto problem = NameRuleProblem(i, value)) {
      AddError(findings, file.name, line,
               std::string(kValueNames[i]) + " " + Quote(value) + " " + DescribeNameProblem(*problem));
    }
    if (i == kValueCount - 1) CheckLanguageDll(file, value, line, context, findings);
  }
  for (size_t i = kReadableValueLines; i < layout.valueLines.size(); ++i) {
    AddError(findings, file.name, layout.valueLines[i],
             "the installer reads nothing from this line: a page or a value is out of place");
  }
}

}  // namespace

void CheckWizardTexts(const CheckedFile& file, const TextContext& context, Findings& findings) {
  if (!StartsWithUtf16ByteOrderMark(file.bytes)) {
    AddError(findings, file.name, 0, kNotUtf16);
    return;
  }
  const auto table = std::make_unique<texts::WizardConfigTable>();
  texts::ParseWizardTexts(*table, file.bytes);
  const FileLayout layout = ReadLayout(file.bytes);
  if (layout.separators.size() < texts::kPageCount) {
    AddError(findings, file.name, layout.lines.empty() ? 0 : layout.lines.back().number,
             "the file ends after " + std::to_string(layout.separators.size()) +
                 " of the six page separators (a line of twenty '='): pages, caption and names are missing");
    return;
  }
  for (size_t page = 0; page < texts::kPageCount; ++page) {
    const int firstLine = page == 0 ? 1 : layout.separators[page - 1] + 1;
    CheckPageText(file, page, table->PageText[page], firstLine, context, findings);
  }
  CheckValues(file, *table, layout, context, findings);
}

}  // namespace mkpackage
