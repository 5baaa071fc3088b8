#pragma once
// The task list window's working copy of "War.lst": tasks as root nodes, their actions as
// children, each node with the image index that is its digit in the file and the text that
// follows the digit. The window and the task editor only show this model and call its operations.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tasks/task_list.h"

namespace kalvoro {

enum TaskImage : int {
    kImageRunningTask = 0,
    kImageStoppedTask = 1,
    kImageSound = 2,
    kImageMessage = 3,
    kImageCommand = 4,
    kImageAddTask = 5,
};
inline constexpr int kTaskImageCount = 6;

struct TaskTreeNode {
    int image = kImageRunningTask;
    std::string text;  // UTF-8
    // The text's bytes as read from the file, written back unchanged while the text is not edited,
    // so bytes GBK cannot decode survive a save.
    std::optional<std::string> file_text;

    void SetText(std::string utf8) {
        text = std::move(utf8);
        file_text.reset();
    }
    friend bool operator==(const TaskTreeNode&, const TaskTreeNode&) = default;
};

struct TaskTreeTask {
    TaskTreeNode node;
    std::vector<TaskTreeNode> actions;
    bool expanded = false;
    friend bool operator==(const TaskTreeTask&, const TaskTreeTask&) = default;
};

// A node: a task, or one of its actions.
struct TaskNodeRef {
    std::size_t task = 0;
    int action = -1;  // -1: the task itself
    bool IsTask() const { return action < 0; }
    friend bool operator==(const TaskNodeRef&, const TaskNodeRef&) = default;
};

// "播放 (path)", "消息 (text)", "执行 (关机 or path)" for images 2, 3 and 4.
std::string ActionNodeText(int image, std::string_view inner);

class TaskTree {
public:
    // Loads War.lst bytes: "*" lines are tasks (image = character 2 as a digit, 0 otherwise; text
    // from character 3 on), digit lines are actions of the last task (text from character 2 on).
    // Running tasks are expanded, stopped ones collapsed.
    static TaskTree Parse(std::string_view gbk_bytes);
    // The file: "*" + image + text for a task, image + text for an action, GBK, each line ending in CR LF.
    std::string Save() const;
    // The tasks the bar reads from what Save writes.
    std::vector<TTaskRec> ToTasks() const;

    std::vector<TaskTreeTask>& Tasks() { return tasks_; }
    const std::vector<TaskTreeTask>& Tasks() const { return tasks_; }
    bool Contains(TaskNodeRef ref) const;
    const TaskTreeNode* Node(TaskNodeRef ref) const;
    TaskTreeNode* Node(TaskNodeRef ref);

    TaskNodeRef AppendTask(TaskTreeTask task);
    // Replaces a task's text, image and actions with the edited copy and expands it.
    void ReplaceTask(std::size_t task, const TaskTreeTask& edited);
    // Adds the action after the task's last one and expands the task.
    TaskNodeRef AddAction(std::size_t task, int image, std::string text);
    // A running task stops, any other starts.
    void ToggleStop(std::size_t task);
    bool Delete(TaskNodeRef ref);
    // Only an action can be dragged, and only onto another action.
    bool CanDrop(TaskNodeRef dragged, TaskNodeRef target) const;
    // Moves the dragged action to just before the target, under the target's task; returns where
    // it is now, or nothing when the drop is not allowed.
    std::optional<TaskNodeRef> MoveAction(TaskNodeRef dragged, TaskNodeRef target);

    friend bool operator==(const TaskTree&, const TaskTree&) = default;

private:
    std::vector<TaskTreeTask> tasks_;
};

}  // namespace kalvoro
