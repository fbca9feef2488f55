// The model catalogue: nine columns a line, numbers that are numbers, USB ids the look-up can
// match, families the installer has paper forms for, and no model twice.
#include <map>
#include <memory>

#include "package/entry_names.h"
#include "spooler/family_forms.h"
#include "texts/model_table.h"
#include "tools/mkpackage/check_parts.h"
#include "tools/mkpackage/check_text.h"

namespace mkpackage {

namespace {

using texts::Utf16View;

constexpr size_t kColumnCount = 9;
constexpr const char* kColumnNames[kColumnCount] = {"name",        "cutter flag", "model family",
                                                    "GPD file",    "vid&pid",     "resolution",
                                                    "hardware id", "paper width", "paper height"};
constexpr size_t kNumberColumns[] = {1, 5, 7, 8};

std::vector<Utf16View> SplitAtCommas(Utf16View line) {
  std::vector<Utf16View> columns;
  for (;;) {
    const size_t comma = line.find(texts::Utf16Unit(','));
    columns.push_back(line.substr(0, comma));
    if (comma == Utf16View::npos) return columns;
    line.remove_prefix(comma + 1);
  }
}

bool IsDigit(texts::Utf16Unit unit) { return unit >= '0' && unit <= '9'; }
bool IsHexDigit(texts::Utf16Unit unit) {
  return IsDigit(unit) || (unit >= 'a' && unit <= 'f') || (unit >= 'A' && unit <= 'F');
}

// Digits with an optional sign; spaces may stand before the sign and after the digits.
bool IsDecimalNumber(Utf16View column) {
  column = WithoutLeadingSpaces(column);
  while (column.ends_with(texts::Utf16Unit(' '))) column.remove_suffix(1);
  if (column.starts_with(texts::Utf16Unit('+')) || column.starts_with(texts::Utf16Unit('-'))) column.remove_prefix(1);
  if (column.empty()) return false;
  for (texts::Utf16Unit unit : column) {
    if (!IsDigit(unit)) return false;
  }
  return true;
}

// "vid_" four hex digits "&pid_" four hex digits: the 17 characters the USB look-up compares.
bool IsUsbId(Utf16View id) {
  const std::string text = ToUtf8(id);
  if (id.size() != 17 || text.size() != 17) return false;
  for (size_t i : {4u, 5u, 6u, 7u, 13u, 14u, 15u, 16u}) {
    if (!IsHexDigit(id[i])) return false;
  }
  return package::EqualsIgnoringAsciiCase(text.substr(0, 4), "vid_") &&
         package::EqualsIgnoringAsciiCase(text.substr(8, 5), "&pid_");
}

// Problems of the line's layout that the installer would read as wrong values; empty when none.
std::string LayoutProblem(Utf16View line) {
  if (line.empty()) return "a blank line: the model list gets an empty entry";
  const std::vector<Utf16View> columns = SplitAtCommas(line);
  if (columns.size() != kColumnCount) {
    return std::to_string(columns.size()) +
           " columns; a model line has nine (name, cutter flag, family, GPD file, "
           "vid&pid, resolution, hardware id, paper width, paper height)";
  }
  for (size_t i = 0; i < kColumnCount; ++i) {
    if (columns[i].empty()) {
      return std::string("the ") + kColumnNames[i] + " column is empty: the installer stops reading the line there";
    }
  }
  for (size_t i : kNumberColumns) {
    if (!IsDecimalNumber(columns[i])) {
      return std::string("the ") + kColumnNames[i] + " " + Quote(WithoutLeadingSpaces(columns[i])) +
             " is not a whole number: the installer reads 0";
    }
  }
  return {};
}

std::string LowerAscii(std::string text) {
  for (char& c : text) c = package::AsciiLower(c);
  return text;
}

class CatalogueChecker {
 public:
  CatalogueChecker(const std::string& file, Findings& findings) : m_file(file), m_findings(findings) {}

  void CheckModel(int line, Utf16View text, const texts::ModelRecord& model) {
    if (const std::string problem = LayoutProblem(text); !problem.empty()) {
      AddError(m_findings, m_file, line, problem);
      return;
    }
    if (!IsUsbId(model.VidPid)) {
      AddError(m_findings, m_file, line,
               "vid&pid " + Quote(model.VidPid) +
                   " is not vid_xxxx&pid_xxxx (x a hex digit): the USB look-up never matches it");
    }
    if (spooler::RollFormsOf(model.ModelFamily).empty()) {
      AddWarning(m_findings, m_file, line,
                 "model family " + Quote(model.ModelFamily) +
                     " has no paper forms in the installer (POS58, POS72, POS80 and POS110 have)");
    }
    WarnOnRepeat(m_names, ToUtf8(model.Name), line, "model name");
    WarnOnRepeat(m_usbIds, LowerAscii(ToUtf8(model.VidPid)), line, "USB id");
  }

 private:
  void WarnOnRepeat(std::map<std::string, int>& seen, const std::string& key, int line, const char* what) {
    const auto [first, added] = seen.emplace(key, line);
    if (!added) {
      AddWarning(m_findings, m_file, line,
                 std::string(what) + " \"" + key + "\" is also on line " + std::to_string(first->second) +
                     ": the first one wins");
    }
  }

  const std::string& m_file;
  Findings& m_findings;
  std::map<std::string, int> m_names;
  std::map<std::string, int> m_usbIds;
};

}  // namespace

void CheckCatalogue(const CheckedFile& file, Findings& findings) {
  if (!StartsWithUtf16ByteOrderMark(file.bytes)) {
    AddError(findings, file.name, 0, kNotUtf16);
    return;
  }
  const auto table = std::make_unique<texts::ModelSlots>();
  const size_t modelCount = texts::ParseModelCatalogue(*table, file.bytes).size();
  if (modelCount == 0) AddError(findings, file.name, 0, "holds no model: the model list would be empty");
  CatalogueChecker checker(file.name, findings);
  size_t slot = 1;
  for (const NumberedLine& line : Utf16Lines(file.bytes)) {
    if (texts::IsCatalogueComment(line.text)) continue;
    if (slot > modelCount) {
      AddWarning(findings, file.name, line.number,
                 "the installer loads " + std::to_string(texts::kModelSlotCount - 1) +
                     " models; this one and those after it are left out");
      break;
    }
    checker.CheckModel(line.number, line.text, (*table)[slot++]);
  }
}

}  // namespace mkpackage
