// The model catalogue parser, then the wizard's two look-ups in the table it fills: by USB id
// (each model's own, in upper case) and by name with a port search.
#include <algorithm>
#include <cstring>
#include <memory>

#include "tests/fuzz/targets/fuzz_check.h"
#include "texts/model_table.h"

namespace {

template <size_t Capacity>
bool IsTerminated(const texts::Utf16Unit (&field)[Capacity]) {
  return std::find(field, field + Capacity, texts::Utf16Unit(0)) != field + Capacity;
}

bool IsEmpty(const texts::ModelRecord& record) {
  static const texts::ModelRecord empty{};
  return std::memcmp(&record, &empty, sizeof record) == 0;
}

texts::Utf16String UpperAscii(const texts::Utf16Unit* text) {
  texts::Utf16String upper(text);
  for (texts::Utf16Unit& unit : upper) {
    if (unit >= 'a' && unit <= 'z') unit = texts::Utf16Unit(unit - 'a' + 'A');
  }
  return upper;
}

void LookUp(const texts::ModelSlots& table, int slot) {
  const texts::ModelRecord& model = table[slot];
  const std::optional<int> byId = texts::FindModelByUsbId(table, UpperAscii(model.VidPid).c_str());
  fuzz::Require(byId.has_value() && *byId <= slot, "a model's own USB id finds it or an earlier one");

  // The port search succeeds for this model's USB id only, and fills the port to its capacity.
  constexpr size_t kPortCapacity = 256;
  const auto port = std::make_unique<texts::Utf16Unit[]>(kPortCapacity);
  const auto findPort = [&model](texts::Utf16Unit* portName, size_t capacity, const texts::Utf16Unit* vidPid,
                                 const texts::Utf16Unit*) {
    std::fill_n(portName, capacity - 1, texts::Utf16Unit('P'));
    portName[capacity - 1] = 0;
    return texts::Utf16View(vidPid) == model.VidPid ? 1 : 0;
  };
  const std::optional<int> byName =
      texts::FindModelByNameAndPort(table, model.Name, port.get(), kPortCapacity, findPort);
  fuzz::Require(byName.has_value() && *byName <= slot, "a model's name and port find it or an earlier one");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // On the heap, so that AddressSanitizer sees a write past the table.
  const auto table = std::make_unique<texts::ModelSlots>();
  const std::vector<texts::Utf16String> items = texts::ParseModelCatalogue(*table, {data, size});
  fuzz::Require(items.size() < texts::kModelSlotCount, "at most 31 models");
  fuzz::Require(IsEmpty((*table)[0]), "slot 0 stays empty");
  for (size_t slot = 1; slot < table->size(); ++slot) {
    const texts::ModelRecord& model = (*table)[slot];
    if (slot > items.size()) {
      fuzz::Require(IsEmpty(model), "slots past the models stay empty");
      continue;
    }
    fuzz::Require(items[slot - 1].size() < 255, "a combo item comes from one line");
    fuzz::Require(IsTerminated(model.Name) && IsTerminated(model.ModelFamily) && IsTerminated(model.GpdFile) &&
                      IsTerminated(model.VidPid) && IsTerminated(model.HardwareId),
                  "text fields terminated");
    LookUp(*table, static_cast<int>(slot));
  }
  return 0;
}
