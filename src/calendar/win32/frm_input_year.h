#pragma once
// TFrmInputYear (其他): a year of 1900 to 2100 for the year menu's 其他... item.

#include <windows.h>

namespace kalvoro::win {

inline constexpr int kInputYearEditId = 321;

// Starts at the given year; true on 确定 with the year entered (a number outside 1900..2100 is
// taken as the nearest end; 确定 does nothing while the field holds no number).
bool AskYear(HWND owner, int& year);

}  // namespace kalvoro::win
