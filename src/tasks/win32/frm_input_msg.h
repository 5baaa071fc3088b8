#pragma once
// TFrmInputMsg (添加消息 / 编辑消息): a task's message, at most 200 characters, with a byte counter.

#include <windows.h>

#include <string>

namespace kalvoro::win {

inline constexpr int kInputMsgMemoId = 411;
inline constexpr int kInputMsgCounterId = 412;
inline constexpr int kInputMsgMaxChars = 200;

// On OK `text` becomes the memo's lines run together (no line break survives).
bool EditMessage(HWND owner, bool add_mode, std::string& text);

}  // namespace kalvoro::win
