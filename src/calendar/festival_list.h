#pragma once
// The festivals and the user's date marks the calendar shows: three festival lists and three mark
// lists, one each for Gregorian month-day keys, lunar month-day keys and weekday-rule keys.
//
// Keys are four ASCII digits. Solar "mmdd"; lunar "MMDD", where day 00 is the last day of the
// lunar month before MM and a leap month shares its ordinary month's key; week "mmNW" with N 1..5
// counted from the start of the month, 5..9 from the end (5 the last), W the weekday (0 Sunday).
// A festival entry is "key=text" with its colour as value, a mark entry the bare key.

#include <cstdint>
#include <span>
#include <string_view>

#include "base/date_time.h"
#include "calendar/lunar_types.h"
#include "calendar/sorted_string_list.h"

namespace kalvoro {

inline constexpr int kSolarKind = 0;
inline constexpr int kLunarKind = 1;
inline constexpr int kWeekKind = 2;

inline constexpr std::int32_t kNoColor = -1;

// A festival found in a list. The text views the list's entry and lives until the list changes.
struct FestivalMatch {
    std::string_view text;
    std::int32_t color = kNoColor;
    bool found = false;
};

// A Gregorian day broken into what the solar and week keys are built from.
struct FestivalDay {
    bool valid = false;  // false for a value that is no date of the years 1..9999
    int month = 0;
    int day = 0;
    int weekday = 0;  // 0 = Sunday
    int days_in_month = 0;
};
FestivalDay MakeFestivalDay(DateTime date);

class TFestivalList {
public:
    // Filled from the default tables.
    TFestivalList();
    static TFestivalList WithoutDefaults();

    // False (and nothing changed) for a kind outside 0..2, an empty key or one holding "=", or a
    // text that is empty once trimmed. A key holds one festival: the one added last.
    bool AddFestival(int kind, std::string_view key, std::int32_t color, std::string_view text);
    // False for a kind outside 0..2 or an empty key. Marking a marked key replaces its colour.
    bool AddMark(int kind, std::string_view key, std::int32_t color);
    void DeleteMark(int kind, std::string_view key);

    FestivalMatch GetSolarFestival(DateTime date) const { return FindSolarFestival(MakeFestivalDay(date)); }
    FestivalMatch GetLunarFestival(const TLunarDate& date) const;
    // The count from the end replaces the count from the start when both match.
    FestivalMatch GetWeekFestival(DateTime date) const { return FindWeekFestival(MakeFestivalDay(date)); }
    std::int32_t GetSolarMark(DateTime date) const { return FindSolarMark(MakeFestivalDay(date)); }
    std::int32_t GetLunarMark(const TLunarDate& date) const;
    std::int32_t GetWeekMark(DateTime date) const { return FindWeekMark(MakeFestivalDay(date)); }

    // How often the date's weekday occurs from the date to the end of its month (1 = the last).
    static int GetWeekFromEnd(DateTime date);

    // The lookups on a day already broken up, for loops over many days.
    FestivalMatch FindSolarFestival(const FestivalDay& day) const;
    FestivalMatch FindWeekFestival(const FestivalDay& day) const;
    // Lunar month 1..12 and day 0..30; other values never match.
    FestivalMatch FindLunarFestival(int month, int day) const;
    std::int32_t FindSolarMark(const FestivalDay& day) const;
    std::int32_t FindWeekMark(const FestivalDay& day) const;

    const SortedStringList& SolarFestivals() const { return lists_[0]; }
    const SortedStringList& LunarFestivals() const { return lists_[1]; }
    const SortedStringList& WeekFestivals() const { return lists_[2]; }
    const SortedStringList& SolarMarks() const { return lists_[3]; }
    const SortedStringList& LunarMarks() const { return lists_[4]; }
    const SortedStringList& WeekMarks() const { return lists_[5]; }

    // Each setter replaces the whole list with the given entries, sorted and without duplicates.
    void SetSolarFestivals(std::span<const StringEntry> entries) { lists_[0] = SortedStringList(entries); }
    void SetLunarFestivals(std::span<const StringEntry> entries) { lists_[1] = SortedStringList(entries); }
    void SetWeekFestivals(std::span<const StringEntry> entries) { lists_[2] = SortedStringList(entries); }
    void SetSolarMarks(std::span<const StringEntry> entries) { lists_[3] = SortedStringList(entries); }
    void SetLunarMarks(std::span<const StringEntry> entries) { lists_[4] = SortedStringList(entries); }
    void SetWeekMarks(std::span<const StringEntry> entries) { lists_[5] = SortedStringList(entries); }

private:
    struct NoDefaults {};
    explicit TFestivalList(NoDefaults) {}

    SortedStringList& Festivals(int kind) { return lists_[kind]; }
    SortedStringList& Marks(int kind) { return lists_[3 + kind]; }
    FestivalMatch FindFestival(int kind, std::string_view key) const;
    std::int32_t FindMark(int kind, std::string_view key) const;

    SortedStringList lists_[6];
};

}  // namespace kalvoro
