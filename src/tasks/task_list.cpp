#include "tasks/task_list.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "base/gbk.h"

namespace kalvoro {
namespace {

std::size_t CharacterLength(std::string_view utf8, std::size_t pos) {
    const auto lead = static_cast<unsigned char>(utf8[pos]);
    std::size_t length = 1;
    if (lead >= 0xF0) {
        length = 4;
    } else if (lead >= 0xE0) {
        length = 3;
    } else if (lead >= 0xC0) {
        length = 2;
    }
    return std::min(length, utf8.size() - pos);
}

}  // namespace

std::string_view FirstCharacter(std::string_view utf8) {
    if (utf8.empty()) return {};
    return utf8.substr(0, CharacterLength(utf8, 0));
}

std::string_view AfterCharacters(std::string_view utf8, std::size_t count) {
    std::size_t pos = 0;
    for (std::size_t i = 0; i < count && pos < utf8.size(); ++i) pos += CharacterLength(utf8, pos);
    return utf8.substr(pos);
}

TimeTextParts SplitTimeText(std::string_view utf8_text) {
    TimeTextParts parts;
    std::string_view rest = utf8_text;
    for (std::size_t unit = 0; unit < kTimeUnits.size(); ++unit) {
        // UTF-8 is self-synchronising: a whole character's bytes are found only at a character start.
        const std::size_t found = rest.find(kTimeUnits[unit]);
        if (found == std::string_view::npos) continue;
        parts[unit] = std::string(rest.substr(0, found));
        rest.remove_prefix(found + kTimeUnits[unit].size());
    }
    return parts;
}

int ComponentValue(const std::optional<std::string>& text) {
    if (!text || text->empty()) return kAnyValue;
    std::string_view digits = *text;
    bool negative = false;
    if (digits.front() == '+' || digits.front() == '-') {
        negative = digits.front() == '-';
        digits.remove_prefix(1);
    }
    if (digits.empty()) return kAnyValue;
    std::int64_t value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') return kAnyValue;
        value = value * 10 + (c - '0');
        if (value > std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1) return kAnyValue;
    }
    if (negative) value = -value;
    if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max()) {
        return kAnyValue;
    }
    return static_cast<int>(value);
}

void NormaliseTask(TTaskRec& task) {
    if (task.Hour != kAnyValue && task.Minute == kAnyValue && task.Second == kAnyValue) {
        task.Minute = 0;
        task.Second = 0;
    }
    if (task.Minute != kAnyValue && task.Second == kAnyValue) task.Second = 0;
}

void ReadTimeText(std::string_view utf8_text, TTaskRec& task) {
    const TimeTextParts parts = SplitTimeText(utf8_text);
    task.Year = ComponentValue(parts[0]);
    task.Month = ComponentValue(parts[1]);
    task.Day = ComponentValue(parts[2]);
    task.Hour = ComponentValue(parts[3]);
    task.Minute = ComponentValue(parts[4]);
    task.Second = ComponentValue(parts[5]);
    NormaliseTask(task);
}

std::string InnerActionText(std::string_view utf8_line) {
    const std::size_t open = utf8_line.find('(');
    if (open == std::string_view::npos || utf8_line.empty()) return {};
    // The last character may be several bytes long; find where it starts.
    std::size_t last = utf8_line.size() - 1;
    while (last > 0 && (static_cast<unsigned char>(utf8_line[last]) & 0xC0) == 0x80) --last;
    if (open + 1 >= last) return {};
    return std::string(utf8_line.substr(open + 1, last - open - 1));
}

std::vector<std::string_view> SplitFileLines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find_first_of("\r\n", start);
        const std::size_t stop = end == std::string_view::npos ? bytes.size() : end;
        if (stop > start) lines.push_back(bytes.substr(start, stop - start));
        if (end == std::string_view::npos) break;
        start = end + 1;
        if (bytes[end] == '\r' && start < bytes.size() && bytes[start] == '\n') ++start;
    }
    return lines;
}

std::vector<TTaskRec> ParseTaskList(std::string_view gbk_bytes) {
    std::vector<TTaskRec> tasks;
    for (const std::string_view raw : SplitFileLines(gbk_bytes)) {
        const std::string line = GbkToUtf8(raw);
        if (line.front() == '*') {
            TTaskRec& task = tasks.emplace_back();
            task.Enabled = FirstCharacter(AfterCharacters(line, 1)) == "0";
            ReadTimeText(AfterCharacters(line, 2), task);
            continue;
        }
        if (tasks.empty()) continue;
        const char digit = line.front();
        if (digit < '0' || digit > '9') continue;
        tasks.back().Actions.push_back(TActRec{digit - '0' - 2, InnerActionText(line)});
    }
    return tasks;
}

void TaskList::LoadFromBytes(std::string_view gbk_bytes) {
    Clear();
    for (TTaskRec& task : ParseTaskList(gbk_bytes)) tasks_.push_back(std::make_shared<const TTaskRec>(std::move(task)));
}

void TaskList::Load(IFileStore& store, const std::string& path) {
    Clear();
    if (const std::optional<std::string> bytes = store.ReadAll(path)) LoadFromBytes(*bytes);
}

}  // namespace kalvoro
