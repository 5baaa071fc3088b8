#pragma once
// What the mark editor (TFrmEditMark) does with its lists: a kind (公历, 农历), a month "01".."12",
// a day "01".."31" and the note. Changing the kind converts the shown month and day to the other
// calendar; choosing a date that already has a note shows that note.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "base/date_time.h"
#include "calendar/mark_lines.h"

namespace kalvoro {

// The characters of a note that "Marks.rec" (GBK) cannot hold (emoji, rare CJK), each once and in
// the order typed; empty when the whole note can be saved.
std::string CharactersGbkLacks(std::string_view utf8_note);
// What the editor says instead of saving such a note.
std::string UnsavableNoteMessage(std::string_view characters);

class MarkEditor {
public:
    static constexpr int kNoSelection = -1;
    static constexpr int kMonthCount = 12;
    static constexpr int kDayCount = 31;

    // today tells the current year and lunar year the conversions work in.
    MarkEditor(const MarkLines& lines, DateTime today) : lines_(lines), today_(today) {}

    static std::array<std::string_view, 2> KindItems() { return {"公历", "农历"}; }
    static std::string MonthItem(int index) { return IntToZeroStr(index + 1, 2); }
    static std::string DayItem(int index) { return IntToZeroStr(index + 1, 2); }

    // Selects the kind numbered by the key's first character and the month and day items equal to
    // its next two pairs of characters (no selection where no item matches), then shows the note
    // of the date when it has one, else the given note.
    void Open(std::string_view key, std::string_view note);
    // A kind change converts the month and day; when they cannot be converted they stay.
    void SelectKind(int index);
    void SelectMonth(int index);
    void SelectDay(int index);
    // The note field as the user typed it.
    void SetNote(std::string_view note) { note_ = note; }

    int Kind() const { return kind_; }
    int Month() const { return month_; }
    int Day() const { return day_; }
    const std::string& Note() const { return note_; }

    // Kind digit, month and day; nothing while one of them is not chosen.
    std::optional<std::string> Key() const;

private:
    void ShowNoteOfDate();
    static int ItemIndex(std::string_view text, int count);

    const MarkLines& lines_;
    DateTime today_;
    int kind_ = kNoSelection;
    int month_ = kNoSelection;
    int day_ = kNoSelection;
    std::string note_;
};

}  // namespace kalvoro
