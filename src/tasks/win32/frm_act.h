#pragma once
// TFrmAct (添加执行命令 / 编辑执行命令): a task's command, either 关机 or a file to run or open.

#include <windows.h>

#include <string>

#include "tasks/win32/task_dialog_context.h"

namespace kalvoro::win {

inline constexpr int kActShutDownId = 421;
inline constexpr int kActRunFileId = 422;
inline constexpr int kActFileEditId = 423;
inline constexpr int kActBrowseId = 424;

inline constexpr char kActNoChoiceMessage[] = "请选择一个执行项目";
inline constexpr char kActHintCaption[] = "提示";

// "\"" + name + "\"\r\n文件不存在": the refusal of a file that does not exist.
std::string MissingFileMessage(const std::string& name);

// On OK `text` becomes "关机" or the file's path.
bool EditCommand(HWND owner, bool add_mode, std::string& text, const TaskDialogContext& context);

}  // namespace kalvoro::win
