#pragma once
// The date marks as the calendar window keeps them: the lines of "Marks.rec" and, for each line,
// its key in the calendar's mark list of its kind (what the calendar draws). Every change goes to
// both; the flows of the mark menu and the mark list then write the file.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "base/file_store.h"
#include "calendar/festival_list.h"
#include "calendar/mark_lines.h"

namespace kalvoro {

inline constexpr std::int32_t kDefaultMarkColor = 8454143;

class CalendarMarks {
public:
    // The calendar's lists outlive this object.
    CalendarMarks(IFileStore& files, std::string path, TFestivalList& calendar_lists);

    // Reads the file and marks every line's day in the calendar's lists (a line of another kind
    // than 0 to 2, or without a key, marks nothing). A file that exists but cannot be read gives
    // no marks and is never written in this session: the user's marks in it must not be lost.
    void Load();
    // Sorts the lines and writes the file when its content changed; false when writing failed or
    // the file is read-only (the marks stay in memory).
    bool Save();
    // The file exists but could not be read: changes are kept in memory only.
    bool ReadOnly() const { return read_only_; }

    const MarkLines& Lines() const { return lines_; }
    MarkLines& Lines() { return lines_; }
    const std::string& Path() const { return path_; }

    std::int32_t MarkColor() const { return mark_color_; }
    // For marks added from now on.
    void SetMarkColor(std::int32_t color) { mark_color_ = color; }

    // Marks the named day in the calendar's lists.
    void ApplyMark(std::string_view name);
    // Unmarks it, unless a line of that name is still there.
    void RemoveMark(std::string_view name);

    // 标记当日 after the editor: the mark gets this note (replacing the line of that name or
    // adding one), is drawn, and the file is written.
    bool SetMark(std::string_view name, std::string_view note);
    // 取消标记: deletes the Gregorian mark of solar_key and/or the lunar mark of lunar_key, then
    // writes the file.
    bool DeleteMarks(std::string_view solar_key, std::string_view lunar_key, bool delete_solar, bool delete_lunar);
    // Whether either key is marked in the calendar (取消标记 is enabled then).
    bool IsMarked(std::string_view solar_key, std::string_view lunar_key) const;

    // The mark list's edit flows; the file is written when the list closes.
    // A change of the line named old_name; nothing when there is none. Another line that already
    // had the new name goes, so one name keeps one line.
    void ChangeMark(std::string_view old_name, std::string_view new_name, std::string_view note);
    // A new mark, replacing the line of that name when there is one.
    void AddMark(std::string_view name, std::string_view note);
    // The lines at these indices (any order, duplicates ignored).
    void DeleteLines(std::span<const std::size_t> indices);

private:
    void RemoveLineNamed(std::string_view name);

    IFileStore& files_;
    std::string path_;
    TFestivalList& lists_;
    MarkLines lines_;
    std::int32_t mark_color_ = kDefaultMarkColor;
    bool read_only_ = false;
    std::string saved_bytes_;  // the file as the lines were when read or last written
};

// What the mark list says while ReadOnly().
inline constexpr char kMarksReadOnlyNotice[] = "标记文件无法读取，本次修改不会保存。";

// A row of the mark list: "公历" or "农历", a tab, "05月05日", a tab, the note.
std::string MarkListRow(std::string_view line);

// 取消标记's question: "公历：05月05日   农历：04月11日".
std::string DeleteMarksQuestion(std::string_view solar_key, std::string_view lunar_key);

}  // namespace kalvoro
