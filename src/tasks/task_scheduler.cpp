#include "tasks/task_scheduler.h"

namespace kalvoro {
namespace {

bool ComponentMatches(int pattern, int value) {
    return pattern == kAnyValue || pattern == value;
}

std::int64_t SecondKey(const DateParts& date, const TimeParts& time) {
    const std::int64_t day = (std::int64_t{date.year} * 13 + date.month) * 32 + date.day;
    return day * 86400 + time.hour * 3600 + time.minute * 60 + time.second;
}

}  // namespace

bool TaskMatches(const TTaskRec& task, const DateParts& date, const TimeParts& time) {
    if (!task.Enabled) return false;
    if (task.Hour == kAnyValue && task.Minute == kAnyValue && task.Second == kAnyValue) return false;
    return ComponentMatches(task.Year, date.year) && ComponentMatches(task.Month, date.month) &&
           ComponentMatches(task.Day, date.day) && ComponentMatches(task.Hour, time.hour) &&
           ComponentMatches(task.Minute, time.minute) && ComponentMatches(task.Second, time.second);
}

void TaskScheduler::CheckTasks(DateTime now) {
    const DateParts date = DecodeDate(now);
    const TimeParts time = DecodeTime(now);
    for (const TaskList::TaskPtr& task : tasks_.Tasks()) {
        if (!TaskMatches(*task, date, time)) continue;
        const std::int64_t second = SecondKey(date, time);
        if (last_started_ && second == last_started_second_ && (task == last_started_ || *task == *last_started_)) {
            return;
        }
        // Holding the task keeps it alive while its actions run, whatever a reload does meanwhile.
        const TaskList::TaskPtr running = task;
        last_started_ = running;
        last_started_second_ = second;
        RunActions(*running);
        return;
    }
}

void TaskScheduler::RunActions(const TTaskRec& task) {
    std::string sounds;
    for (const TActRec& action : task.Actions) {
        switch (action.Kind) {
            case kActionSound:
                sounds += action.Text;
                sounds += '*';
                break;
            case kActionMessage:
                popup_.ShowText(action.Text);
                break;
            case kActionCommand:
                if (action.Text == kShutDownCommand) {
                    if (prompt_.ConfirmShutDown()) power_.ShutDownComputer();
                } else if (shell_.FileExists(action.Text)) {
                    shell_.OpenFile(action.Text);
                }
                break;
            default:
                break;
        }
    }
    if (!sounds.empty()) player_.PlayFiles(sounds);
}

}  // namespace kalvoro
