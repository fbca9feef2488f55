// Without a screen: a line's width in character columns, a full-width character taking two.
#include "tools/mkpackage/package_check.h"

namespace mkpackage {

namespace {

bool IsFullWidth(texts::Utf16Unit unit, bool chineseFont) {
  const char16_t code = static_cast<char16_t>(unit);
  // In the Chinese fonts punctuation such as quotation marks is full width too.
  if (chineseFont && code >= 0x2000) return true;
  return (code >= 0x1100 && code <= 0x115F) || (code >= 0x2E80 && code <= 0xA4CF) ||
         (code >= 0xAC00 && code <= 0xD7A3) || (code >= 0xF900 && code <= 0xFAFF) ||
         (code >= 0xFE30 && code <= 0xFE4F) || (code >= 0xFF00 && code <= 0xFF60) || (code >= 0xFFE0 && code <= 0xFFE6);
}

class ColumnMeasure : public PageLineMeasure {
 public:
  bool Fits(texts::Utf16View line, const ui::PageTextRoom& room, int languageId, bool heading) const override {
    const int index = ui::RoomIndex(languageId);
    int columns = 0;
    for (texts::Utf16Unit unit : line) columns += IsFullWidth(unit, index == 1) ? 2 : 1;
    return columns <= (heading ? room.firstLineColumns[index] : room.lineColumns[index]);
  }
};

}  // namespace

const PageLineMeasure& DefaultPageLineMeasure() {
  static const ColumnMeasure measure;
  return measure;
}

}  // namespace mkpackage
