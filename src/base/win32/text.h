#pragma once
// Text at the Win32 boundary: the core speaks UTF-8, the W functions UTF-16.

#include <string>
#include <string_view>

#include "base/date_time.h"

namespace kalvoro {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

// Day and month names and the short date and long time formats of the user's locale, read once and
// turned into FormatDateTime's pattern letters. Falls back to ChineseDateLocale piece by piece.
const DateLocale& SystemDateLocale();

// Converts a Windows date or time picture ("yyyy/M/d", "H:mm:ss", "tt hh:mm") to FormatDateTime's
// pattern letters.
std::string ConvertWindowsDateFormat(std::wstring_view picture);

// The folder of the executable with a trailing "\", in UTF-8.
std::string AppDirectory();

}  // namespace kalvoro
