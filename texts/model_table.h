// The printer model table: records parsed from the bytes of the model catalogue
// "PrinterName.txt" (one model per line, nine comma-separated columns), and the two lookups
// the wizard makes in it. Portable: the installer and the fuzz targets run the same code.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "texts/utf16_text.h"

namespace texts {

using texts::Utf16Unit;

struct ModelRecord {
  Utf16Unit Name[64];
  int32_t CutterFlag;
  Utf16Unit ModelFamily[32];  // POS58, POS72, POS80 or POS110
  Utf16Unit GpdFile[256];
  Utf16Unit VidPid[64];  // vid_XXXX&pid_YYYY
  int32_t Resolution;    // dots per inch
  Utf16Unit HardwareId[32];
  int32_t PaperWidth;   // tenths of a millimetre
  int32_t PaperHeight;  // tenths of a millimetre
};

// Slot 0 stands for the combo's placeholder item and is never filled: at most 31 models.
inline constexpr int kModelSlotCount = 32;
using ModelSlots = std::array<ModelRecord, kModelSlotCount>;

// Replaces `table` with the models of a UTF-16LE catalogue file, from slot 1 on, and returns
// the model combo's item texts in slot order (the first column as written, with its leading
// spaces). A byte-order mark FF FE is skipped when present. Lines holding "//" are comments; a
// blank line is a model without name. Parsing stops when the table is full. A line longer than
// 254 characters keeps its first 254; a text column longer than its field is cut. A final line
// end adds no model.
std::vector<texts::Utf16String> ParseModelCatalogue(ModelSlots& table, std::span<const uint8_t> fileBytes);

// A line holding "//" anywhere: it adds no model.
bool IsCatalogueComment(texts::Utf16View line);

// The first slot 1..31 whose vid&pid equals `vidPid` ignoring the case of ASCII letters (as
// _wcsicmp does in the C runtime's "C" locale).
std::optional<int> FindModelByUsbId(const ModelSlots& table, const Utf16Unit* vidPid);

// Returns 1 when the model's USB printer was found, writing its spooler port into portName.
using UsbPortLookup = std::function<int(Utf16Unit* portName, size_t portCapacity, const Utf16Unit* vidPid,
                                        const Utf16Unit* hardwareId)>;

// The first slot 0..31 whose name equals `printerName` exactly and whose USB printer
// `findUsbPrinterPort` finds; each name match is tried with `portName` as its output.
std::optional<int> FindModelByNameAndPort(const ModelSlots& table, const Utf16Unit* printerName, Utf16Unit* portName,
                                          size_t portCapacity, const UsbPortLookup& findUsbPrinterPort);

}  // namespace texts
