// Rules for entry names: every name must land inside the folder it is extracted to,
// and be a name Windows can create.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mkpackage {

// Folder parts of a name; backslash and slash both separate them, as on Windows.
std::vector<std::string_view> EntryNameParts(std::string_view name);

// Why a name is refused, or nothing when it is acceptable.
std::optional<std::string> EntryNameProblem(std::string_view name);

// Why a set of names cannot be extracted together (the same file twice, ignoring ASCII case
// as Windows does, or a file where another name needs a folder), or nothing.
std::optional<std::string> FindNameClash(const std::vector<std::string>& names);

// The name with control bytes shown as '?', so that it always prints on one line.
std::string PrintableName(std::string_view name);

}  // namespace mkpackage
