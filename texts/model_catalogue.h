// The printer model catalogue, "PrinterName.txt" in the Documents folder. Its table is indexed
// like the model combo box.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "texts/model_table.h"

namespace texts {

// Process-wide; filled once on the user-interface thread, read-only afterwards.
extern ModelSlots ModelTable;

// The ModelTable record at `index`; slot 0 (empty) when the index is out of range.
const ModelRecord& ModelAt(int32_t index);

// Replaces `table` with the models of "<documentsFolder>\PrinterName.txt" (ParseModelCatalogue)
// and returns the model combo's item texts. A missing file loads nothing.
std::vector<std::wstring> LoadModelCatalogue(ModelSlots& table, std::wstring_view documentsFolder);
// The same into ModelTable.
std::vector<std::wstring> LoadModelCatalogue(std::wstring_view documentsFolder);

}  // namespace texts
