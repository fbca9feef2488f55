// How much of each page text the page window shows at 96 DPI, worked out from its layout
// (wizard_wnd.cpp) in a dialog of 523 x 365 pixels: a page window about 515 x 280 pixels.
// Portable, so that a vendor's texts are checked without a screen too: there a line is
// measured in character columns, a full-width (CJK) character taking two, against limits from
// the page fonts' average character widths (English and Russian 15 px: 7 px, their 20 px
// heading: 10.5 px; Chinese 12 px: 6 px a column, its 14 px heading: 7 px). With a screen the
// page fonts measure the line in pixels.
#pragma once

#include "texts/language.h"

namespace ui {

// Index of the arrays below for a LanguageId: Chinese has fonts of its own, Russian's measure
// as English.
inline constexpr texts::ByLanguage<int> kRoomIndexes{0, 1, 0};
constexpr int RoomIndex(int languageId) { return texts::Pick(kRoomIndexes, languageId); }

struct PageTextRoom {
  const char* page;
  int maxLines;
  bool headingFirst;  // the first line is drawn in the heading font (the welcome page)
  int firstLineColumns[2];
  int lineColumns[2];
  int widthPixels[2];
};

// By wizard text section: welcome, folder, installing, completed, cancelled, failed.
//  - welcome: lines from y = 20 (then 50, stepping 16) to the foot, 15 lines; text from x = 180
//    (192 in Chinese) to the right edge, 335 (323) pixels;
//  - folder and installing: lines from y = 70 stepping 13 until the folder frame's label
//    (y = 161) or the status line (y = 160): 6 lines of 15 pixels; 459 pixels wide (W - 56),
//    where a longer line breaks between any two characters;
//  - completed, cancelled, failed: y = 70 stepping 103: the third line is cut at the foot.
inline constexpr PageTextRoom kPageTextRoom[] = {
    {"welcome", 15, true, {32, 46}, {47, 53}, {335, 323}},
    {"folder", 6, false, {65, 76}, {65, 76}, {459, 459}},
    {"installing", 6, false, {65, 76}, {65, 76}, {459, 459}},
    {"completed", 2, false, {65, 76}, {65, 76}, {459, 459}},
    {"cancelled", 2, false, {65, 76}, {65, 76}, {459, 459}},
    {"failed", 2, false, {65, 76}, {65, 76}, {459, 459}},
};

}  // namespace ui
