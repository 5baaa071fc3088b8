#pragma once
// TFrmShutDown (定时任务：自动关机): the ten-second countdown before a task powers the computer off.

#include <windows.h>

#include "tasks/task_scheduler.h"

namespace kalvoro::win {

inline constexpr char kShutDownCaption[] = "定时任务：自动关机";

// Shows the countdown modally without an owner, on top of every window; true when it ended with
// "立即关机" or ran out, false for "取消(&C)", Esc or the close button.
bool ConfirmShutDown();

class ShutdownPrompt final : public IShutdownPrompt {
public:
    bool ConfirmShutDown() override { return win::ConfirmShutDown(); }
};

}  // namespace kalvoro::win
