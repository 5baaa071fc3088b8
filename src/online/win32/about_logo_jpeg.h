#pragma once
// The about window's logo, a 260 x 75 JPEG stored in the program.

#include <string_view>

namespace kalvoro::win {

std::string_view AboutLogoJpeg();

}  // namespace kalvoro::win
