#include "ui/page_text_measure.h"

#include <windows.h>

#include "platform/framework/gdi.h"
#include "ui/page_texts.h"
#include "ui/paint_tools.h"

namespace ui {

int PageLineWidth(std::wstring_view line, int languageId, bool heading) {
  const PageFontSpecs& fonts = PageFontsFor(languageId);
  const framework::UniqueFont font = CreateFontFromSpec(heading ? fonts.heading : fonts.body);
  const framework::UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
  const framework::ScopedSelection selectFont(dc.Get(), font.Get());
  SIZE extent{};
  ::GetTextExtentPoint32W(dc.Get(), line.data(), static_cast<int>(line.size()), &extent);
  return extent.cx;
}

}  // namespace ui
