#pragma once
// The 17 x 17 picture the calendar draws on marked days (ImageMark): a narrow red bookmark ribbon
// on a magenta, see-through ground. The calendar puts its top-left corner 3 pixels into a cell and
// 14 pixels above its bottom, where the centred lunar text runs: the ribbon keeps to the picture's
// left edge and top 13 rows so it stays clear of that text.

#include "base/win32/gdi.h"

namespace kalvoro::win {

inline constexpr int kMarkPictureSize = 17;

Bitmap MakeMarkPicture();

}  // namespace kalvoro::win
