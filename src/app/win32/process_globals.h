#pragma once
// Values set once at start and read by many windows.

#include <string>

namespace kalvoro::win {

// The executable's folder with a trailing "\"; every data file name is relative to it.
extern std::string AppDir;
// Heading font of the calendar and weather windows: the first of 楷体_GB2312, 楷体, 宋体 installed.
extern std::wstring HeadingFont;

std::wstring ChooseHeadingFont();

}  // namespace kalvoro::win
