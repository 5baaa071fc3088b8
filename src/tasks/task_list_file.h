#pragma once
// Opening and saving "War.lst" for the task list window. A file that exists but cannot be read is
// opened read-only and never overwritten, so a passing lock or a permissions problem cannot cost the
// user the tasks.

#include <string>

#include "base/file_store.h"
#include "tasks/task_tree.h"

namespace kalvoro {

inline constexpr char kTaskListReadOnlyMessage[] = "无法读取定时任务文件 War.lst，本次修改将不会保存。";
inline constexpr char kTaskListNotSavedMessage[] = "无法保存定时任务文件 War.lst，本次修改没有保存。";

struct TaskListDocument {
    TaskTree tree;
    bool read_only = false;
    std::string loaded_bytes;  // what the file held when it was opened
};

TaskListDocument OpenTaskListDocument(IFileStore& store, const std::string& path);

// Writes the tree atomically when the document may be written and its bytes differ from the file's.
// False when a write was needed and failed (swallowed by the window) or the document is read-only.
bool SaveTaskListDocument(IFileStore& store, const std::string& path, const TaskListDocument& document);

}  // namespace kalvoro
