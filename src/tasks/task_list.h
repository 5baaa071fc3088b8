#pragma once
// The scheduled tasks of "War.lst" as the bar keeps them: TTaskRec with its TActRec actions, the
// time text rule shared with the task editor, and TaskList, which the application core owns and
// the scheduler walks on every tick.
//
// War.lst is GBK with CR LF. "*" + state digit ("0" running) + time text starts a task; a line
// starting with a digit is an action of the task above it: 2 sound, 3 message, 4 command, its text
// "播放 (path)", "消息 (text)" or "执行 (关机 or path)". Other lines are ignored.

#include <array>
#include <cstddef>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/file_store.h"

namespace kalvoro {

inline constexpr char kTaskListFileName[] = "War.lst";
inline constexpr int kAnyValue = -1;

enum TaskActionKind : int { kActionSound = 0, kActionMessage = 1, kActionCommand = 2 };

// The command action that shuts the computer down.
inline constexpr char kShutDownCommand[] = "关机";

struct TActRec {
    int Kind = kActionSound;  // digit - 2; other values are ignored by the scheduler
    std::string Text;         // UTF-8: sound path, message, or 关机 / file path
    friend bool operator==(const TActRec&, const TActRec&) = default;
};

struct TTaskRec {
    bool Enabled = false;
    int Year = kAnyValue;
    int Month = kAnyValue;
    int Day = kAnyValue;
    int Hour = kAnyValue;
    int Minute = kAnyValue;
    int Second = kAnyValue;
    std::vector<TActRec> Actions;
    friend bool operator==(const TTaskRec&, const TTaskRec&) = default;
};

// Units of the time text in their fixed order: year, month, day, hour, minute, second.
inline constexpr std::array<std::string_view, 6> kTimeUnits = {"年", "月", "日", "时", "分", "秒"};

// The time text rule: for each unit in order, the first occurrence of the unit character in the
// remaining text; the characters before it are that component's text (kept as written), the rest
// goes on after it. A unit that is not found leaves its component absent and the text unchanged.
// Works on UTF-8 characters, so a unit never matches half of another character.
using TimeTextParts = std::array<std::optional<std::string>, 6>;
TimeTextParts SplitTimeText(std::string_view utf8_text);

// A component's number: an optional sign and decimal digits that fit 32 bits; anything else
// (empty, blanks, letters, overflow) is kAnyValue.
int ComponentValue(const std::optional<std::string>& text);

// The six components of a time text, then normalised: a fixed hour with minute and second any
// becomes hh:00:00; then a fixed minute with second any gets second 0.
void ReadTimeText(std::string_view utf8_text, TTaskRec& task);
void NormaliseTask(TTaskRec& task);

// An action line's text: the characters after the first "(" up to, not including, the last
// character; empty when there is no "(".
std::string InnerActionText(std::string_view utf8_line);

// The first UTF-8 character of the text and the rest after it.
std::string_view FirstCharacter(std::string_view utf8);
std::string_view AfterCharacters(std::string_view utf8, std::size_t count);

// Splits GBK file bytes into lines at CR LF, CR or LF; empty lines are dropped.
std::vector<std::string_view> SplitFileLines(std::string_view bytes);

// Reads War.lst bytes as the bar does.
std::vector<TTaskRec> ParseTaskList(std::string_view gbk_bytes);

// The bar's list. Tasks are shared so that the one whose actions are being carried out outlives a
// reload requested from a nested message loop (the countdown window, the popup program's start).
class TaskList {
public:
    using TaskPtr = std::shared_ptr<const TTaskRec>;

    // LoadTaskList: empties the list, then reads the file; a missing or unreadable file leaves it empty.
    void Load(IFileStore& store, const std::string& path);
    void LoadFromBytes(std::string_view gbk_bytes);
    // ClearTaskList.
    void Clear() { tasks_.clear(); }

    std::span<const TaskPtr> Tasks() const { return tasks_; }
    std::size_t size() const { return tasks_.size(); }
    bool empty() const { return tasks_.empty(); }

private:
    std::vector<TaskPtr> tasks_;
};

}  // namespace kalvoro
