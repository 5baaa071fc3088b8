#pragma once
// TFrmMsgDelMark (清除标记): which of a day's marks to delete.

#include <windows.h>

#include <string_view>

namespace kalvoro::win {

inline constexpr int kDeleteSolarMarkId = 311;  // 删除公历标记
inline constexpr int kDeleteLunarMarkId = 312;  // 删除农历标记
inline constexpr int kDeleteMarksMessageId = 313;

struct DeleteMarksChoice {
    bool solar = true;
    bool lunar = true;
};

// Shows the message (the day's Gregorian and lunar dates) with both boxes ticked; true on 确定,
// with the boxes as the user left them.
bool AskDeleteMarks(HWND owner, std::string_view message, DeleteMarksChoice& choice);

}  // namespace kalvoro::win
