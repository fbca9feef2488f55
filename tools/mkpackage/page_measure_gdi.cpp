// On Windows: a line measured in pixels in the page window's own fonts.
#include "tools/mkpackage/package_check.h"
#include "ui/page_text_measure.h"

namespace mkpackage {

namespace {

class FontMeasure : public PageLineMeasure {
 public:
  bool Fits(texts::Utf16View line, const ui::PageTextRoom& room, int languageId, bool heading) const override {
    return ui::PageLineWidth(line, languageId, heading) <= room.widthPixels[ui::RoomIndex(languageId)];
  }
};

}  // namespace

const PageLineMeasure& DefaultPageLineMeasure() {
  static const FontMeasure measure;
  return measure;
}

}  // namespace mkpackage
