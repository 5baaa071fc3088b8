#pragma once
// The per-second scheduler: the first enabled task whose pattern matches the tick's second carries
// out its actions in order. Sounds are collected and handed to the player after the last action,
// messages go to the popup program, files are opened through the shell, and "关机" asks with the
// ten-second countdown before it powers the computer off.

#include <cstdint>
#include <string>

#include "base/date_time.h"
#include "base/popup_protocol.h"
#include "tasks/sound_player.h"
#include "tasks/task_list.h"

namespace kalvoro {

// Opening the files of command actions.
class ITaskShell {
public:
    virtual ~ITaskShell() = default;
    virtual bool FileExists(const std::string& utf8_path) = 0;
    // Opens or runs the file with its associated program; the result is not examined.
    virtual void OpenFile(const std::string& utf8_path) = 0;
};

// The countdown window: true when it ended with "立即关机" or ran out, false when cancelled.
class IShutdownPrompt {
public:
    virtual ~IShutdownPrompt() = default;
    virtual bool ConfirmShutDown() = 0;
};

// Powering the computer off. Tests always use a fake.
class ISystemPower {
public:
    virtual ~ISystemPower() = default;
    virtual void ShutDownComputer() = 0;
};

// True when the task takes part in this second: enabled, every component any or equal, and at
// least one of hour, minute and second fixed (a date alone never fires).
bool TaskMatches(const TTaskRec& task, const DateParts& date, const TimeParts& time);

class TaskScheduler {
public:
    TaskScheduler(const TaskList& tasks, ISoundPlayer& player, IPopupSender& popup, ITaskShell& shell,
                  IShutdownPrompt& prompt, ISystemPower& power)
        : tasks_(tasks), player_(player), popup_(popup), shell_(shell), prompt_(prompt), power_(power) {}

    // Once per tick, after the display update and before the chime. A tick that arrives while the
    // same task is still being carried out for the same second (from the countdown window's loop,
    // say) or that falls into a second the task already ran in does not start it again.
    // Allocates nothing unless a task fires.
    void CheckTasks(DateTime now);

private:
    void RunActions(const TTaskRec& task);

    const TaskList& tasks_;
    ISoundPlayer& player_;
    IPopupSender& popup_;
    ITaskShell& shell_;
    IShutdownPrompt& prompt_;
    ISystemPower& power_;
    // The last task started and the second it started in.
    TaskList::TaskPtr last_started_;
    std::int64_t last_started_second_ = -1;
};

}  // namespace kalvoro
