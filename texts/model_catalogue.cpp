#include "wizard/model_catalogue.h"

#include "app/file_bytes.h"

namespace wizard {

ModelSlots ModelTable{};
int32_t SelectedModelIndex = 0;

const ModelRecord& SelectedModel() {
  const bool inRange = SelectedModelIndex >= 0 && SelectedModelIndex < kModelSlotCount;
  return ModelTable[inRange ? SelectedModelIndex : 0];
}

std::vector<std::wstring> LoadModelCatalogue(ModelSlots& table, std::wstring_view documentsFolder) {
  const std::wstring path = std::wstring(documentsFolder) + L"\\PrinterName.txt";
  const std::optional<std::vector<uint8_t>> bytes = app::ReadFileBytes(path.c_str());
  if (!bytes) {
    table = {};
    return {};
  }
  return ParseModelCatalogue(table, *bytes);
}

std::vector<std::wstring> LoadModelCatalogue(std::wstring_view documentsFolder) {
  return LoadModelCatalogue(ModelTable, documentsFolder);
}

}  // namespace wizard
