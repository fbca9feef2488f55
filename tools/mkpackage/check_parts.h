// The parts of `mkpackage check`, one a kind of file, and what they share.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/mkpackage/package_check.h"

namespace mkpackage {

inline constexpr char kNotUtf16[] =
    "not UTF-16 LE with a byte-order mark (FF FE): the installer would read garbled text";

// The folder's files by entry name ('\' between folders), found without regard to ASCII case
// as Windows finds them.
class PackageFolder {
 public:
  explicit PackageFolder(std::filesystem::path root);

  const std::filesystem::path& Root() const { return m_root; }
  const std::vector<std::string>& Names() const { return m_names; }
  // The entry name as it is spelled in the folder.
  std::optional<std::string> Find(std::string_view name) const;
  std::vector<uint8_t> Read(const std::string& name) const;

 private:
  std::filesystem::path m_root;
  std::vector<std::string> m_names;
};

struct CheckedFile {
  std::string name;
  std::vector<uint8_t> bytes;
};

struct TextContext {
  const PackageFolder& folder;
  int languageId;  // whose fonts draw the texts: 0 English, 1 Chinese, 2 Russian
  const PageLineMeasure& measure;
};

void CheckWizardTexts(const CheckedFile& file, const TextContext& context, Findings& findings);
void CheckCatalogue(const CheckedFile& file, Findings& findings);
void CheckLogo(const CheckedFile& file, Findings& findings);

}  // namespace mkpackage
