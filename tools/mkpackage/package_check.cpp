#include "tools/mkpackage/package_check.h"

#include <algorithm>

#include "package/entry_names.h"
#include "tools/mkpackage/check_parts.h"
#include "tools/mkpackage/check_text.h"
#include "tools/mkpackage/entry_names.h"
#include "tools/mkpackage/host_files.h"

namespace mkpackage {

namespace {

struct WizardTextFile {
  const char* name;
  int languageId;
  bool required;  // the Russian interface is the only one that reads its file
};

constexpr WizardTextFile kWizardTextFiles[] = {
    {"InstallConfig_en.txt", 0, true},
    {"InstallConfig_cn.txt", 1, true},
    {"InstallConfig_rs.txt", 2, false},
};
constexpr char kCatalogue[] = "PrinterName.txt";
constexpr char kCaptions[] = "Text.ini";
constexpr char kLogo[] = "Logo.bmp";

// The programs each installation lays down, as 32-bit files and as their ".x64" twins.
constexpr const char* kComponents[] = {"Tillvane.dll", "TillvaneUI.dll",           "plotter.dll",
                                       "plotui.dll",   "MerrowPrinterService.exe", "Uninstaller.exe"};

std::string EntryName(const std::filesystem::path& relative) {
  std::string name;
  for (const std::filesystem::path& part : relative) {
    if (!name.empty()) name += '\\';
    name += Utf8Of(part);
  }
  return name;
}

// mkpackage's rule holds the installer's (package::IsUnsafeEntryName: a name that leaves its
// folder or names a device), so one check serves both.
void CheckEntryNames(const PackageFolder& folder, Findings& findings) {
  for (const std::string& name : folder.Names()) {
    if (const auto problem = EntryNameProblem(name)) {
      AddError(findings, PrintableName(name), 0,
               "the package format and the installer refuse this entry name: it " + *problem);
    }
  }
  if (const auto clash = FindNameClash(folder.Names())) AddError(findings, ".", 0, *clash);
}

void CheckComponents(const PackageFolder& folder, Findings& findings) {
  for (const char* component : kComponents) {
    for (const char* suffix : {"", ".x64"}) {
      const std::string name = std::string(component) + suffix;
      if (!folder.Find(name)) {
        AddError(findings, name, 0,
                 std::string("missing: the ") + (*suffix ? "64" : "32") + "-bit installation needs it");
      }
    }
  }
}

std::optional<CheckedFile> Load(const PackageFolder& folder, std::string_view name) {
  const std::optional<std::string> found = folder.Find(name);
  if (!found) return std::nullopt;
  return CheckedFile{*found, folder.Read(*found)};
}

void CheckTextFiles(const PackageFolder& folder, const PageLineMeasure& measure, Findings& findings) {
  for (const WizardTextFile& text : kWizardTextFiles) {
    if (const auto file = Load(folder, text.name)) {
      CheckWizardTexts(*file, {folder, text.languageId, measure}, findings);
    } else if (text.required) {
      AddError(findings, text.name, 0, "missing: the installer needs its wizard texts in English and Chinese");
    }
  }
  if (const auto file = Load(folder, kCatalogue)) {
    CheckCatalogue(*file, findings);
  } else {
    AddError(findings, kCatalogue, 0, "missing: the model list would be empty");
  }
  if (const auto file = Load(folder, kCaptions)) {
    if (!StartsWithUtf16ByteOrderMark(file->bytes)) AddError(findings, file->name, 0, kNotUtf16);
  } else {
    AddWarning(findings, kCaptions, 0, "missing: the Russian interface shows its English captions");
  }
}

}  // namespace

PackageFolder::PackageFolder(std::filesystem::path root) : m_root(std::move(root)) {
  std::error_code error;
  if (!std::filesystem::is_directory(m_root, error)) throw CommandError(Utf8Of(m_root) + " is not a folder");
  for (const auto& item : std::filesystem::recursive_directory_iterator(m_root)) {
    if (item.is_regular_file()) m_names.push_back(EntryName(std::filesystem::relative(item.path(), m_root)));
  }
  std::sort(m_names.begin(), m_names.end());
}

std::optional<std::string> PackageFolder::Find(std::string_view name) const {
  for (const std::string& candidate : m_names) {
    if (package::EqualsIgnoringAsciiCase(candidate, name)) return candidate;
  }
  return std::nullopt;
}

std::vector<uint8_t> PackageFolder::Read(const std::string& name) const {
  std::filesystem::path path = m_root;
  for (std::string_view part : EntryNameParts(name)) path /= PathFromUtf8(part);
  return ReadWholeFile(path);
}

Findings CheckPackageFolder(const std::filesystem::path& root, const PageLineMeasure& measure) {
  const PackageFolder folder(root);
  Findings findings;
  CheckEntryNames(folder, findings);
  CheckComponents(folder, findings);
  CheckTextFiles(folder, measure, findings);
  if (const auto logo = Load(folder, kLogo)) {
    CheckLogo(*logo, findings);
  } else {
    AddWarning(findings, kLogo, 0, "missing: the logo area stays white");
  }
  return findings;
}

int ReportFindings(const std::filesystem::path& folder, const Findings& findings, std::ostream& out) {
  size_t errors = 0;
  for (const Finding& finding : findings) {
    const bool error = finding.severity == Severity::Error;
    errors += error ? 1 : 0;
    out << Utf8Of(folder / PathFromUtf8(finding.file)) << ':' << finding.line << ": " << (error ? "error" : "warning")
        << ": " << finding.what << '\n';
  }
  const size_t warnings = findings.size() - errors;
  out << Utf8Of(folder) << ": " << errors << (errors == 1 ? " error, " : " errors, ") << warnings
      << (warnings == 1 ? " warning\n" : " warnings\n");
  return errors == 0 ? 0 : 1;
}

}  // namespace mkpackage
