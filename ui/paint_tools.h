// What the page window and the flat edit share for drawing: fonts by description and the
// plain white window class.
#pragma once

#include <windows.h>

#include <string>

#include "platform/framework/gdi.h"
#include "ui/dpi_scale.h"

namespace ui {

struct FontSpec {
  const wchar_t* face;
  int height;  // cell height in pixels
  int weight;
  BYTE charset;
};

// The flat edit's font, also the frame label's when no font is given.
inline constexpr FontSpec kFieldFont{L"Arial", 14, FW_NORMAL, ANSI_CHARSET};

// CreateFontW with the spec and defaults for everything else (not italic, no underline).
framework::UniqueFont CreateFontFromSpec(const FontSpec& spec);
// The same with the height, given for 96 DPI, scaled.
framework::UniqueFont CreateFontFromSpec(const FontSpec& spec, const DpiScale& scale);

// Registered once: double clicks, arrow cursor, white background, no icon.
const std::wstring& WhiteWindowClass();

}  // namespace ui
