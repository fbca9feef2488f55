// Finding a resource in a Windows executable by reading its resource directory, so that
// mkpackage reads the package an installer carries. Every offset and size is checked against
// the file: a malformed file yields a problem, never a read outside it.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace mkpackage {

enum class PeProblem {
  None,
  NotPe,                 // no MZ header or no PE signature
  BadHeaders,            // headers or section table past the end of the file, unknown format
  NoResources,           // the resource data directory is absent or empty
  BadResourceDirectory,  // a directory, entry or data entry outside the resource data
  NotFound,
  BadDataEntry,          // the resource's bytes are not in the file
};

const char* DescribePeProblem(PeProblem problem);

struct PeResourceLookup {
  PeProblem problem = PeProblem::None;
  std::span<const uint8_t> data;  // inside the file, when found
};

// A resource with a named type (ASCII case ignored, as Windows does) and a numeric id,
// in whichever language comes first.
PeResourceLookup LookUpPeResource(std::span<const uint8_t> file, std::u16string_view type,
                                  uint16_t id);

std::optional<std::span<const uint8_t>> FindPeResource(std::span<const uint8_t> file,
                                                       std::u16string_view type, uint16_t id);

}  // namespace mkpackage
