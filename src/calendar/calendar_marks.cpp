#include "calendar/calendar_marks.h"

#include <algorithm>
#include <functional>
#include <vector>

#include "calendar/mark_keys.h"

namespace kalvoro {

CalendarMarks::CalendarMarks(IFileStore& files, std::string path, TFestivalList& calendar_lists)
    : files_(files), path_(std::move(path)), lists_(calendar_lists) {}

void CalendarMarks::Load() {
    const std::optional<std::string> bytes = files_.ReadAll(path_);
    read_only_ = !bytes && files_.Exists(path_);
    lines_ = bytes ? MarkLines::Parse(*bytes) : MarkLines();
    for (const std::string& line : lines_.lines()) ApplyMark(SplitMarkLine(line).name);
    // Saving sorts the lines: an unsorted file the user did not change stays as it is.
    MarkLines sorted = lines_;
    sorted.Sort();
    saved_bytes_ = sorted.Serialize();
}

bool CalendarMarks::Save() {
    if (read_only_) return false;
    lines_.Sort();
    std::string bytes = lines_.Serialize();
    if (bytes == saved_bytes_) return true;
    if (!files_.WriteAtomic(path_, bytes)) return false;
    saved_bytes_ = std::move(bytes);
    return true;
}

void CalendarMarks::ApplyMark(std::string_view name) {
    const MarkName mark = ParseMarkName(name);
    lists_.AddMark(mark.kind, mark.key, mark_color_);
}

void CalendarMarks::RemoveMark(std::string_view name) {
    if (lines_.IndexOfName(name)) return;
    const MarkName mark = ParseMarkName(name);
    lists_.DeleteMark(mark.kind, mark.key);
}

bool CalendarMarks::SetMark(std::string_view name, std::string_view note) {
    lines_.Put(name, note);
    ApplyMark(name);
    return Save();
}

bool CalendarMarks::DeleteMarks(std::string_view solar_key, std::string_view lunar_key, bool delete_solar,
                                bool delete_lunar) {
    if (delete_solar) {
        const std::string name = MakeMarkName(0, solar_key);
        RemoveLineNamed(name);
        RemoveMark(name);
    }
    if (delete_lunar) {
        const std::string name = MakeMarkName(1, lunar_key);
        RemoveLineNamed(name);
        RemoveMark(name);
    }
    return Save();
}

bool CalendarMarks::IsMarked(std::string_view solar_key, std::string_view lunar_key) const {
    return lists_.SolarMarks().IndexOf(solar_key).has_value() || lists_.LunarMarks().IndexOf(lunar_key).has_value();
}

void CalendarMarks::ChangeMark(std::string_view old_name, std::string_view new_name, std::string_view note) {
    const std::optional<std::size_t> index = lines_.IndexOfName(old_name);
    if (!index) return;
    lines_.Replace(*index, new_name, note);
    for (std::size_t i = lines_.size(); i-- > 0;) {
        if (i != *index && SplitMarkLine(lines_[i]).name == new_name) lines_.RemoveAt(i);
    }
    RemoveMark(old_name);
    ApplyMark(new_name);
}

void CalendarMarks::AddMark(std::string_view name, std::string_view note) {
    lines_.Put(name, note);
    ApplyMark(name);
}

void CalendarMarks::DeleteLines(std::span<const std::size_t> indices) {
    std::vector<std::size_t> order(indices.begin(), indices.end());
    std::sort(order.begin(), order.end(), std::greater<>());
    order.erase(std::unique(order.begin(), order.end()), order.end());
    for (const std::size_t index : order) {
        if (index >= lines_.size()) continue;
        const std::string name(SplitMarkLine(lines_[index]).name);
        lines_.RemoveAt(index);
        RemoveMark(name);
    }
}

void CalendarMarks::RemoveLineNamed(std::string_view name) {
    while (const std::optional<std::size_t> index = lines_.IndexOfName(name)) lines_.RemoveAt(*index);
}

std::string MarkListRow(std::string_view line) {
    const MarkLineParts parts = SplitMarkLine(line);
    const std::string_view name = parts.name;
    std::string row = !name.empty() && name[0] == '0' ? "公历" : "农历";
    row += '\t';
    row += name.substr(std::min<std::size_t>(1, name.size()), 2);
    row += "月";
    row += name.substr(std::min<std::size_t>(3, name.size()), 2);
    row += "日";
    row += '\t';
    row += parts.note;
    return row;
}

std::string DeleteMarksQuestion(std::string_view solar_key, std::string_view lunar_key) {
    const auto month = [](std::string_view key) {
        return std::string(key.substr(0, std::min<std::size_t>(2, key.size())));
    };
    const auto day = [](std::string_view key) {
        return std::string(key.substr(std::min<std::size_t>(2, key.size()), 2));
    };
    return "公历：" + month(solar_key) + "月" + day(solar_key) + "日   农历：" + month(lunar_key) + "月" +
           day(lunar_key) + "日";
}

}  // namespace kalvoro
