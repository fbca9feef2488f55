// The wizard text file parser the installer runs on the file of the chosen language.
#include <algorithm>
#include <memory>

#include "tests/fuzz/targets/fuzz_check.h"
#include "texts/wizard_text_parser.h"

namespace {

template <size_t Capacity>
bool IsTerminated(const texts::Utf16Unit (&field)[Capacity]) {
  return std::find(field, field + Capacity, texts::Utf16Unit(0)) != field + Capacity;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // On the heap, so that AddressSanitizer sees a write past the table.
  const auto table = std::make_unique<texts::WizardConfigTable>();
  texts::ParseWizardTexts(*table, {data, size});
  for (const auto& page : table->PageText) fuzz::Require(IsTerminated(page), "page text terminated");
  const texts::Utf16Unit* const values[] = {table->Title,    table->PrinterName, table->DriverName,
                                          table->MonitorName, table->PortName, table->FolderName,
                                          table->LanguageDll};
  bool emptySeen = false;
  for (const auto* value : values) {
    fuzz::Require(std::find(value, value + texts::kConfigValueCapacity, texts::Utf16Unit(0)) !=
                      value + texts::kConfigValueCapacity,
                  "value terminated");
    fuzz::Require(!emptySeen || value[0] == 0, "values fill the fields in order");
    emptySeen = emptySeen || value[0] == 0;
  }
  return 0;
}
