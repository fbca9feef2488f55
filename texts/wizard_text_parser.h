// The wizard text file's format: six page sections, each closed by a line holding twenty '=',
// then the value lines. Portable: bytes in, table out, the same code in the installer and in
// the fuzz targets.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "texts/utf16_text.h"

namespace texts {

inline constexpr size_t kPageCount = 6;
inline constexpr size_t kPageTextCapacity = 512;  // 511 characters and the terminator
inline constexpr size_t kConfigValueCapacity = 256;

struct WizardConfigTable {
  Utf16Unit PageText[kPageCount][kPageTextCapacity];  // welcome, folder, installing, completed,
                                                      // cancelled, failed
  Utf16Unit Title[kConfigValueCapacity];
  Utf16Unit PrinterName[kConfigValueCapacity];
  Utf16Unit DriverName[kConfigValueCapacity];
  Utf16Unit MonitorName[kConfigValueCapacity];
  Utf16Unit PortName[kConfigValueCapacity];
  Utf16Unit FolderName[kConfigValueCapacity];
  Utf16Unit LanguageDll[kConfigValueCapacity];
};

// Replaces `table` with the texts of a UTF-16LE wizard text file whose first two bytes are its
// byte-order mark. Lines longer than 255 characters (with their line end) keep their first 253
// characters and count as ending in CR LF; page texts and values are cut at their capacity.
// Values come only after the sixth separator; a blank line takes no value.
void ParseWizardTexts(WizardConfigTable& table, std::span<const uint8_t> fileBytes);

// A line holding twenty '=' in a row, wherever they stand.
bool IsPageSeparator(Utf16View line);

}  // namespace texts
