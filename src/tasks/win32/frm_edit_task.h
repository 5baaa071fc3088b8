#pragma once
// TFrmEditTask (添加任务 / 编辑任务): one task's time pattern in six combo boxes and its actions.

#include <windows.h>

#include <cstddef>
#include <optional>

#include "tasks/task_tree.h"
#include "tasks/win32/task_dialog_context.h"

namespace kalvoro::win {

inline constexpr int kEditTaskYearId = 431;  // then month, day, hour, minute, second: 432..436
inline constexpr int kEditTaskAddId = 441;
inline constexpr int kEditTaskEditId = 442;
inline constexpr int kEditTaskDeleteId = 443;

inline constexpr char kEditTaskNoTimeMessage[] = "请选择时间。";
inline constexpr char kEditTaskNoActionMessage[] = "请添加声音、消息或命令。";
inline constexpr char kEditTaskDeleteQuestion[] = "确实要删除选择的项目？";

// Add mode (no task given): on OK a new task is appended to the list's tree. Edit mode: on OK the
// task's text, image and actions are replaced by the edited ones. Cancel changes nothing.
bool EditTask(HWND owner, std::optional<std::size_t> task, TaskTree& list_tree, const TaskDialogContext& context);

}  // namespace kalvoro::win
