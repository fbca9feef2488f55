// The rule a printer name must keep to be added, shared, shown and typed on a command line: the
// wizard text file's names are checked against it before a vendor ships them. Portable.
#pragma once

#include <optional>

#include "texts/utf16_text.h"

namespace texts {

inline constexpr size_t kMaxPrinterNameLength = 100;

enum class NameProblem {
  Empty,
  TooLong,             // more than kMaxPrinterNameLength characters
  ForbiddenCharacter,  // \ / : * ? " < > | or a comma
  ControlCharacter,
  SpaceOrDotAtAnEnd,
  ReservedDeviceName,  // CON, PRN, AUX, NUL, COM1-9, LPT1-9, alone or before a dot
};

std::optional<NameProblem> CheckPrinterName(Utf16View name);

// A port name may end in the colon that spooler port names carry ("COM1:"); the rest keeps the
// printer-name rule.
std::optional<NameProblem> CheckPortName(Utf16View name);

// English, for messages: "holds a character Windows refuses (\ / : * ? \" < > | ,)" and so on.
const char* DescribeNameProblem(NameProblem problem);

}  // namespace texts
