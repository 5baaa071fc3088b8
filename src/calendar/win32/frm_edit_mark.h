#pragma once
// TFrmEditMark (标记): one date mark, its kind, month, day and note.

#include <windows.h>

#include <string>

#include "base/date_time.h"
#include "calendar/mark_lines.h"

namespace kalvoro::win {

// Control ids, for whoever drives the dialog.
inline constexpr int kEditMarkKindId = 301;   // RzComboBox3: 公历, 农历
inline constexpr int kEditMarkMonthId = 302;  // RzComboBox1: 01 .. 12
inline constexpr int kEditMarkDayId = 303;    // RzComboBox2: 01 .. 31
inline constexpr int kEditMarkNoteId = 304;   // RzEdit1, at most 50 characters
inline constexpr int kMarkNoteMaxLength = 50;

// Runs the editor on a key (kind digit and "mmdd") and a note; on 确定 both are replaced by what
// the user chose and true is returned. 确定 does nothing until kind, month and day are chosen.
// The lines give the notes of dates that already have one; today the year for the conversions.
bool EditMark(HWND owner, const MarkLines& lines, DateTime today, std::string& key, std::string& note);

}  // namespace kalvoro::win
