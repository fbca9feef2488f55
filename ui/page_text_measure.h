// A page text line measured as the page window draws it: in its font for the language.
#pragma once

#include <string_view>

namespace ui {

// Width in pixels of `line` in the page's body font, or its heading font when `heading`.
int PageLineWidth(std::wstring_view line, int languageId, bool heading);

}  // namespace ui
