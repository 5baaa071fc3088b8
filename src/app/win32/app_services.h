#pragma once
// The services that run beside the bar for the whole session: the chimes and the spoken-time hot
// key, the task scheduler with its shell, shutdown prompt and power, and the network time thread.
// The host creates it once the bar's window exists (the chime's player and hot key need a window)
// and hands it the hot-key message; the settings' change notice reaches each service here.

#include <windows.h>

#include <memory>

#include "app/app_core.h"
#include "base/popup_protocol.h"
#include "tasks/task_scheduler.h"
#include "tasks/win32/chime_host.h"
#include "tasks/win32/frm_shut_down.h"
#include "tasks/win32/win_task_system.h"
#include "timesvc/win32/time_sync_service.h"

namespace kalvoro::win {

class AppServices {
public:
    AppServices(AppCore& core, HWND bar, IPopupSender& popup);
    ~AppServices();
    AppServices(const AppServices&) = delete;
    AppServices& operator=(const AppServices&) = delete;

    // Starts every service and hangs the chime and the scheduler on the tick. A service that
    // cannot start is left out; the others run.
    void Start();
    // WM_HOTKEY of the bar.
    void OnHotKey(WPARAM id, LPARAM keys);
    // Closing: off the tick, the chime's player closed, the time thread ended.
    void Stop();

private:
    void OnSettingsChanged(SettingsChange change);

    AppCore& core_;
    HWND bar_;
    IPopupSender& popup_;
    std::unique_ptr<ChimeHost> chime_;
    std::unique_ptr<TickForwarder<ChimeHost>> chime_tick_;
    WinTaskShell task_shell_;
    ShutdownPrompt shutdown_prompt_;
    WinSystemPower system_power_;
    std::unique_ptr<TaskScheduler> scheduler_;
    std::unique_ptr<TickCall<TaskScheduler, &TaskScheduler::CheckTasks>> scheduler_tick_;
    std::unique_ptr<TimeSyncService> time_sync_;
    int subscription_ = -1;
    bool stopped_ = false;
};

}  // namespace kalvoro::win
