#include "ui/paint_tools.h"

#include "platform/framework/wnd.h"

namespace ui {

framework::UniqueFont CreateFontFromSpec(const FontSpec& spec) {
  return framework::UniqueFont(::CreateFontW(spec.height, 0, 0, 0, spec.weight, FALSE, FALSE, FALSE, spec.charset,
                                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                             DEFAULT_PITCH | FF_DONTCARE, spec.face));
}

framework::UniqueFont CreateFontFromSpec(const FontSpec& spec, const DpiScale& scale) {
  return CreateFontFromSpec({spec.face, scale(spec.height), spec.weight, spec.charset});
}

const std::wstring& WhiteWindowClass() {
  static const std::wstring name = framework::CWnd::RegisterWndClass(
      CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW), static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)), nullptr);
  return name;
}

}  // namespace ui
