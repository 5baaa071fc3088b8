#pragma once
// The heading font of the calendar and weather windows, chosen once at start.

#include <string>

namespace kalvoro::win {

// The first of 楷体_GB2312, 楷体 installed, else 宋体.
std::wstring ChooseHeadingFont();

}  // namespace kalvoro::win
