#pragma once
// The pop-up menus of the task list window and the task editor, built from the node they act on
// each time they open: which items show, which are enabled, and the caption of 启用/停止.

#include <string>
#include <vector>

namespace kalvoro {

enum TaskCommand : int {
    kCmdNewTask = 501,  // PM_NewTask, PM_AddTask
    kCmdNewSound,       // PM_NewSound, PM_AddSound
    kCmdNewMessage,     // PM_NewMsg, PM_AddMsg
    kCmdNewCommand,     // PM_NewAct, PM_AddAct
    kCmdStartStop,      // PM_ActStop
    kCmdEdit,           // PM_Edit
    kCmdDelete,         // PM_Del
};

struct TaskMenuEntry {
    std::string caption;  // "-" is a separator
    int id = 0;
    int image = -1;  // node image shown beside the caption, -1 for none
    bool enabled = true;
    friend bool operator==(const TaskMenuEntry&, const TaskMenuEntry&) = default;
};

enum class TaskMenuNode { kNone, kTask, kAction };

// "启用" for a task that is not running, "停止" for a running one.
std::string StartStopCaption(int task_image);

// The task list window's 添加 button menu; sound, message and command need a selected node.
std::vector<TaskMenuEntry> ListAddMenu(bool node_selected);
// The task list window's right-click menu over a node (or over empty space).
std::vector<TaskMenuEntry> ListContextMenu(TaskMenuNode node, int task_image);
// The task editor's 添加 button menu.
std::vector<TaskMenuEntry> EditorAddMenu();
// The task editor's right-click menu over its task or one of its actions.
std::vector<TaskMenuEntry> EditorContextMenu(TaskMenuNode node, int task_image);

}  // namespace kalvoro
