#pragma once
// TFrmWarnOptions (定时任务): every task of "War.lst" as a tree with its actions. "确定(&O)" writes
// the file; any other way of closing discards every change.

#include <windows.h>

#include <string>

#include "base/file_store.h"
#include "tasks/win32/task_dialog_context.h"

namespace kalvoro::win {

inline constexpr int kWarnOptionsAddId = 451;
inline constexpr int kWarnOptionsEditId = 452;
inline constexpr int kWarnOptionsDeleteId = 453;

// Loads the tree from the file, shows the window modally and, when it was closed with OK, writes the
// file (atomically, only when it changed, never over a file that could not be read). True when the
// file may have changed: the host then reloads the bar's task list.
bool ShowTaskList(HWND owner, IFileStore& store, const std::string& path, const TaskDialogContext& context);

// The same for the program: War.lst and MySound\ in the application folder, the disk, the system's
// file dialogs and message boxes.
bool ShowTaskList(HWND owner, const std::string& app_dir);

}  // namespace kalvoro::win
