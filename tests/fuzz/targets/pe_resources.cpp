// mkpackage's look-up of resource INSTALL/142 in a Windows executable.
#include "tests/fuzz/targets/fuzz_check.h"
#include "tools/mkpackage/pe_resources.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> file(data, size);
  const mkpackage::PeResourceLookup lookup = mkpackage::LookUpPeResource(file, u"INSTALL", 142);
  if (lookup.problem == mkpackage::PeProblem::None) {
    fuzz::Require(fuzz::IsInside(lookup.data, file), "resource bytes inside the file");
    fuzz::Touch(lookup.data);
  } else {
    fuzz::Require(lookup.data.empty(), "no bytes with a problem");
  }
  fuzz::Require(mkpackage::FindPeResource(file, u"install", 142).has_value() ==
                    (lookup.problem == mkpackage::PeProblem::None),
                "the type name matches without regard to ASCII case");
  return 0;
}
