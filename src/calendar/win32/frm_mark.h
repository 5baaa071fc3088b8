#pragma once
// TFrmMark (日历标记): the list of all date marks, with 添加, 修改 and 删除.

#include <windows.h>

#include "base/date_time.h"
#include "calendar/calendar_marks.h"

namespace kalvoro::win {

inline constexpr int kMarkListId = 331;
inline constexpr int kMarkListAddId = 332;
inline constexpr int kMarkListEditId = 333;
inline constexpr int kMarkListDeleteId = 334;
inline constexpr int kMarkListNoticeId = 335;  // shown only while "Marks.rec" could not be read

inline constexpr char kDeleteMarksQuestion[] = "确实要删除选择的标记吗？";
inline constexpr char kDeleteMarksCaption[] = "确认";

// Sorts the marks and shows them; every change goes to the lines and the calendar's mark lists at
// once. The caller writes the file afterwards. True when something was changed.
bool ShowMarkList(HWND owner, CalendarMarks& marks, DateTime today);

}  // namespace kalvoro::win
