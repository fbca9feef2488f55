// The driver's reader of the characterization file the installer writes for a model; both
// driver DLLs take their forms and resolution from what it accepts.
#include <cstring>

#include "components/driver/common/characterization.h"
#include "tests/fuzz/targets/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const plotter::ParseResult result = plotter::ParseCharacterization({data, size});
  if (!result.ok()) return 0;
  const plotter::Characterization& device = result.data;
  fuzz::Require(size >= plotter::kFixedHeaderSize && std::memcmp(data, "Plot", 4) == 0, "a whole header of its kind");
  fuzz::Require(device.dpiX > 0 && device.dpiY > 0, "a resolution on both axes");
  fuzz::Require(!device.forms.empty(), "at least one form");
  fuzz::Require(device.forms.size() * plotter::kFormRecordSize <= size, "the form records inside the file");
  for (const plotter::Form& form : device.forms) {
    fuzz::Require(!form.name.empty() && form.name.size() <= plotter::kFormNameSize, "a form name from its field");
    fuzz::Require(form.name.find('\0') == std::string::npos, "a form name ends at its NUL");
    fuzz::Require(form.width > 0 && form.height > 0, "a form has a size");
  }
  return 0;
}
