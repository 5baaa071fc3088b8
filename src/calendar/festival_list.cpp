#include "calendar/festival_list.h"

#include <array>
#include <string>

#include "calendar/calendar_date_range.h"
#include "calendar/festival_defaults.h"

namespace kalvoro {
namespace {

using Key = std::array<char, 4>;

std::string_view View(const Key& key) {
    return {key.data(), key.size()};
}

char DigitChar(int value) {
    return static_cast<char>('0' + value);
}

Key TwoPairKey(int first, int second) {
    return {DigitChar(first / 10 % 10), DigitChar(first % 10), DigitChar(second / 10 % 10), DigitChar(second % 10)};
}

Key WeekKey(int month, int nth, int weekday) {
    return {DigitChar(month / 10 % 10), DigitChar(month % 10), DigitChar(nth), DigitChar(weekday)};
}

int NthFromStart(const FestivalDay& day) {
    return (day.day - 1) / 7 + 1;
}
int NthFromEnd(const FestivalDay& day) {
    return (day.days_in_month - day.day) / 7 + 1;
}

bool IsLunarKeyable(int month, int day) {
    return month >= 1 && month <= 12 && day >= 0 && day <= 30;
}

bool IsKnownKind(int kind) {
    return kind >= kSolarKind && kind <= kWeekKind;
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') text.remove_prefix(1);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.remove_suffix(1);
    return text;
}

void AddRows(TFestivalList& list, int kind, std::span<const std::string_view> rows, std::int32_t color) {
    for (std::string_view row : rows) {
        if (row.size() < 5) continue;
        list.AddFestival(kind, row.substr(0, 4), color, row.substr(5));
    }
}

}  // namespace

FestivalDay MakeFestivalDay(DateTime date) {
    FestivalDay result;
    if (!IsCalendarDateTime(date)) return result;
    const DateTime day = DateOf(date);
    const DateParts parts = DecodeDate(day);
    result.valid = true;
    result.month = parts.month;
    result.day = parts.day;
    result.weekday = DayOfWeek(day) - 1;
    result.days_in_month = DaysInMonth(parts.year, parts.month);
    return result;
}

TFestivalList::TFestivalList() {
    AddRows(*this, kSolarKind, DefaultSolarFestivals(), kSolarFestivalColor);
    AddRows(*this, kLunarKind, DefaultLunarFestivals(), kLunarFestivalColor);
    AddRows(*this, kWeekKind, DefaultWeekFestivals(), kWeekFestivalColor);
}

TFestivalList TFestivalList::WithoutDefaults() {
    return TFestivalList(NoDefaults{});
}

bool TFestivalList::AddFestival(int kind, std::string_view key, std::int32_t color, std::string_view text) {
    text = Trim(text);
    if (!IsKnownKind(kind) || key.empty() || key.find('=') != std::string_view::npos || text.empty()) return false;
    SortedStringList& list = Festivals(kind);
    if (const auto existing = list.IndexOfName(key)) list.Delete(*existing);
    std::string entry(key);
    entry += '=';
    entry += text;
    list.Add(entry, color);
    return true;
}

bool TFestivalList::AddMark(int kind, std::string_view key, std::int32_t color) {
    if (!IsKnownKind(kind) || key.empty()) return false;
    SortedStringList& list = Marks(kind);
    if (const auto existing = list.IndexOf(key)) list.Delete(*existing);
    list.Add(key, color);
    return true;
}

void TFestivalList::DeleteMark(int kind, std::string_view key) {
    if (!IsKnownKind(kind)) return;
    SortedStringList& list = Marks(kind);
    if (const auto existing = list.IndexOf(key)) list.Delete(*existing);
}

FestivalMatch TFestivalList::FindFestival(int kind, std::string_view key) const {
    const SortedStringList& list = lists_[kind];
    const auto index = list.IndexOfName(key);
    if (!index) return {};
    const StringEntry& entry = list[*index];
    return {std::string_view(entry.text).substr(key.size() + 1), entry.value, true};
}

std::int32_t TFestivalList::FindMark(int kind, std::string_view key) const {
    const SortedStringList& list = lists_[3 + kind];
    const auto index = list.IndexOf(key);
    return index ? list[*index].value : kNoColor;
}

FestivalMatch TFestivalList::FindSolarFestival(const FestivalDay& day) const {
    if (!day.valid) return {};
    return FindFestival(kSolarKind, View(TwoPairKey(day.month, day.day)));
}

FestivalMatch TFestivalList::FindWeekFestival(const FestivalDay& day) const {
    if (!day.valid) return {};
    FestivalMatch match = FindFestival(kWeekKind, View(WeekKey(day.month, NthFromStart(day), day.weekday)));
    const FestivalMatch from_end = FindFestival(kWeekKind, View(WeekKey(day.month, NthFromEnd(day) + 4, day.weekday)));
    if (from_end.found) match = from_end;
    return match;
}

FestivalMatch TFestivalList::FindLunarFestival(int month, int day) const {
    if (!IsLunarKeyable(month, day)) return {};
    return FindFestival(kLunarKind, View(TwoPairKey(month, day)));
}

FestivalMatch TFestivalList::GetLunarFestival(const TLunarDate& date) const {
    // The all-zero record is no lunar date at all.
    if (date.Day == 0) return {};
    return FindLunarFestival(date.Month, date.Day);
}

std::int32_t TFestivalList::FindSolarMark(const FestivalDay& day) const {
    if (!day.valid) return kNoColor;
    return FindMark(kSolarKind, View(TwoPairKey(day.month, day.day)));
}

std::int32_t TFestivalList::FindWeekMark(const FestivalDay& day) const {
    if (!day.valid) return kNoColor;
    std::int32_t color = FindMark(kWeekKind, View(WeekKey(day.month, NthFromStart(day), day.weekday)));
    const std::int32_t from_end = FindMark(kWeekKind, View(WeekKey(day.month, NthFromEnd(day) + 4, day.weekday)));
    if (from_end != kNoColor) color = from_end;
    return color;
}

std::int32_t TFestivalList::GetLunarMark(const TLunarDate& date) const {
    if (date.Day == 0 || !IsLunarKeyable(date.Month, date.Day)) return kNoColor;
    return FindMark(kLunarKind, View(TwoPairKey(date.Month, date.Day)));
}

int TFestivalList::GetWeekFromEnd(DateTime date) {
    const FestivalDay day = MakeFestivalDay(date);
    return day.valid ? NthFromEnd(day) : 0;
}

}  // namespace kalvoro
