// The printer model catalogue, "PrinterName.txt" in the Documents folder: one model per line,
// nine comma-separated columns. Its table is indexed like the model combo box.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wizard {

struct ModelRecord {
  wchar_t Name[64];
  int32_t CutterFlag;
  wchar_t ModelFamily[32];  // POS58, POS72, POS80 or POS110
  wchar_t GpdFile[256];
  wchar_t VidPid[64];  // vid_XXXX&pid_YYYY
  int32_t Resolution;  // dots per inch
  wchar_t HardwareId[32];
  int32_t PaperWidth;   // tenths of a millimetre
  int32_t PaperHeight;  // tenths of a millimetre
};

// Slot 0 stands for the combo's placeholder item and is never filled: at most 31 models.
inline constexpr int kModelSlotCount = 32;
using ModelSlots = std::array<ModelRecord, kModelSlotCount>;

// Process-wide; filled once on the user-interface thread, read-only afterwards.
extern ModelSlots ModelTable;
extern int32_t SelectedModelIndex;

// The ModelTable record at SelectedModelIndex; slot 0 (empty) when the index is out of range.
const ModelRecord& SelectedModel();

// Replaces `table` with the models of "<documentsFolder>\PrinterName.txt", from slot 1 on, and
// returns the model combo's item texts in slot order (the first column as written, with its
// leading spaces). A missing file loads nothing. Lines holding "//" are comments; a blank line
// is a model without name. Reading stops when the table is full. A line longer than 254
// characters keeps its first 254; a text column longer than its field is cut. A final line end
// adds no model.
std::vector<std::wstring> LoadModelCatalogue(ModelSlots& table, std::wstring_view documentsFolder);
// The same into ModelTable.
std::vector<std::wstring> LoadModelCatalogue(std::wstring_view documentsFolder);

// The first slot 1..31 whose vid&pid equals `vidPid` without regard to case.
std::optional<int> FindModelByUsbId(const ModelSlots& table, const wchar_t* vidPid);

// Returns 1 when the model's USB printer was found, writing its spooler port into portName.
using UsbPortLookup = std::function<int(wchar_t* portName, size_t portCapacity, const wchar_t* vidPid,
                                        const wchar_t* hardwareId)>;

// The first slot 0..31 whose name equals `printerName` exactly and whose USB printer
// `findUsbPrinterPort` finds; each name match is tried with `portName` as its output.
std::optional<int> FindModelByNameAndPort(const ModelSlots& table, const wchar_t* printerName, wchar_t* portName,
                                          size_t portCapacity, const UsbPortLookup& findUsbPrinterPort);

}  // namespace wizard
