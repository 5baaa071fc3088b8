#pragma once
// The Chinese (and English weekday) text forms of the engine's numbers. All texts are UTF-8.

#include <string>
#include <string_view>

namespace kalvoro {

// Indices are taken modulo the table size, negative ones included.
std::string GetGanZhiName(int index);                 // stem then branch: 戊子
std::string_view GetAnimalName(int index);            // 鼠 .. 猪
std::string GetLunarMonthName(int month, bool leap);  // 正月, 闰四月, 十一月, 腊月
std::string GetLunarDayName(int day);                 // 初一 .. 三十, empty outside 1..30
std::string GetLunarYearName(int year);               // 二零零八年; empty outside 0..9999
std::string GetChineseWeekName(int weekday);          // 0 = 星期日 .. 6 = 星期六
// style 0 short ("Sun"), 1 long ("Sunday"); another style gives empty text.
std::string_view GetEnglishWeekName(int weekday, int style);

}  // namespace kalvoro
