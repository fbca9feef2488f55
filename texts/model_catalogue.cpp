#include "texts/model_catalogue.h"

#include "texts/file_bytes.h"

namespace texts {

ModelSlots ModelTable{};

const ModelRecord& ModelAt(int32_t index) {
  const bool inRange = index >= 0 && index < kModelSlotCount;
  return ModelTable[inRange ? index : 0];
}

std::vector<std::wstring> LoadModelCatalogue(ModelSlots& table, std::wstring_view documentsFolder) {
  const std::wstring path = std::wstring(documentsFolder) + L"\\PrinterName.txt";
  const std::optional<std::vector<uint8_t>> bytes = texts::ReadFileBytes(path.c_str());
  if (!bytes) {
    table = {};
    return {};
  }
  return ParseModelCatalogue(table, *bytes);
}

std::vector<std::wstring> LoadModelCatalogue(std::wstring_view documentsFolder) {
  return LoadModelCatalogue(ModelTable, documentsFolder);
}

}  // namespace texts
