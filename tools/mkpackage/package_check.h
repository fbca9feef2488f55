// `mkpackage check FOLDER`: a vendor's package folder read as the installer will read it, with
// the installer's own parsers and limits, and every finding reported with its file and line.
#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "texts/utf16_text.h"
#include "ui/page_text_room.h"

namespace mkpackage {

enum class Severity { Error, Warning };

struct Finding {
  std::string file;  // the entry name; for a missing file, the name it should have
  int line;          // 1-based; 0 for the whole file
  Severity severity;
  std::string what;
};

using Findings = std::vector<Finding>;

// How wide a page-text line is, against the room the page gives it: in character columns where
// there is no screen, in pixels of the page's own font on Windows.
class PageLineMeasure {
 public:
  virtual ~PageLineMeasure() = default;
  // True when `line` of a text in the LanguageId's wizard text file fits the page `room`;
  // `heading`: it is drawn in the heading font.
  virtual bool Fits(texts::Utf16View line, const ui::PageTextRoom& room, int languageId, bool heading) const = 0;
};

// The measure of this build: columns on the host, the page fonts on Windows.
const PageLineMeasure& DefaultPageLineMeasure();

// Every finding on the folder's files, in the order: folder, wizard texts, catalogue, logo.
Findings CheckPackageFolder(const std::filesystem::path& folder, const PageLineMeasure& measure);

// "FOLDER/FILE:LINE: error: what" lines, then the summary; returns the exit status (1 when
// there is an error).
int ReportFindings(const std::filesystem::path& folder, const Findings& findings, std::ostream& out);

}  // namespace mkpackage
