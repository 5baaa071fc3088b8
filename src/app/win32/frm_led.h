#pragma once
// The bar: the program's main window. It hangs from the application core (settings, stores, the
// tick), shows the time, date line and tray icon, takes the user's input, and hands the child
// windows to ChildWindows. It is the window the popup program talks to.

#include <windows.h>

#include <memory>
#include <string>

#include "app/app_core.h"
#include "app/clock_display.h"
#include "app/win32/child_windows.h"
#include "app/win32/bar_view.h"
#include "app/win32/owner_menu.h"
#include "app/win32/popup_link.h"
#include "app/win32/tray_icon.h"
#include "base/win32/gdi.h"
#include "base/win32/handles.h"
#include "base/win32/window.h"
#include "online/announcements.h"
#include "online/online_settings.h"
#include "online/update_notice.h"
#include "tasks/task_scheduler.h"
#include "tasks/win32/chime_host.h"
#include "tasks/win32/frm_shut_down.h"
#include "tasks/win32/win_task_system.h"
#include "timesvc/win32/time_sync_service.h"
#include "ui/win32/form_shadow.h"
#include "ui/win32/magnetic_service.h"

namespace kalvoro::win {

class SingleInstance;

class TFrmLED final : public Window, public IBarDisplay {
public:
    static constexpr wchar_t kClassName[] = L"TFrmLED";

    TFrmLED(AppCore& core, std::wstring command_line_parameter);
    ~TFrmLED() override;

    bool Create();  // FormCreate: builds the window and runs the start-up sequence
    void Show();    // FormShow

    // Operations other parts of the program call.
    void SetTransparency(int alpha);
    void SetAlwaysOnTop(bool on_top);
    void SetDateLoop(bool on);
    void MinimiseToTray();
    void KeepOnScreen();
    void RestoreFromTray();
    IPopupSender& popup() { return popup_; }

    static constexpr UINT_PTR kTimerClock = 1;
    static constexpr UINT_PTR kTimerChild = 2;
    static constexpr UINT_PTR kTimerMsg = 3;
    static constexpr UINT_PTR kTimerWarStep = 4;
    static constexpr UINT_PTR kTimerHintClose = 5;
    static constexpr UINT_PTR kTimerSavePos = 6;
    static constexpr UINT_PTR kTimerStartHide = 7;
    static constexpr UINT_PTR kTimerAD = 8;

private:
    LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
    LRESULT HandleMessageNow(UINT message, WPARAM wparam, LPARAM lparam);
    void OnDestroyed() override;

    // IBarDisplay
    void ShowTime(const char* hhmmss) override;
    void SetHint(const std::string& hint) override;
    IDateLine& DateLine() override;
    void UpdateClockHands(DateTime now, bool force) override;

    void ApplySettings();
    void StartServices();
    void StartOnlineExtras();
    void TimerADTimer();
    void OnAnnouncementsReady();
    void OnDateLineClick();
    void OpenWorldTime();
    void OpenTaskList();
    void LoadBarSkin(const std::string& path);
    void LoadWindowSkin(const std::string& path);
    void OnTimer(UINT_PTR id);
    void TimerClockTimer();
    void TimerChildTimer();
    void TimerMsgTimer();
    void TimerSavePosTimer();
    void TimerHintCloseTimer();
    void OnMenuCommand(const OwnerMenu& menu, int id);
    void RunCommand(MenuCommand command, int tag);
    void OnTrayNotify(LPARAM event);
    void OnMouseDown(int x, int y);
    void OnMouseMove(int x, int y);
    void OnPaint();
    void BtnMenuClick();
    void ShowHelp();
    void ShowOptionsPage(int page);
    void ShowTrayBalloon();
    void FormClose();
    void FormDestroy();
    void SwitchMode(DisplayMode mode);
    void RunMarkReminder();
    void TickRadioItems();
    void DragBar();

    AppCore& core_;
    std::wstring parameter_;
    BarView view_;
    std::unique_ptr<ChildWindows> children_;
    std::unique_ptr<ClockDisplay> display_;
    std::unique_ptr<ChimeHost> chime_;
    std::unique_ptr<TickForwarder<ChimeHost>> chime_tick_;
    WinTaskShell task_shell_;
    ShutdownPrompt shutdown_prompt_;
    WinSystemPower system_power_;
    std::unique_ptr<TaskScheduler> scheduler_;
    std::unique_ptr<TickCall<TaskScheduler, &TaskScheduler::CheckTasks>> scheduler_tick_;
    std::unique_ptr<TimeSyncService> time_sync_;
    OnlineAddresses addresses_;
    std::unique_ptr<UpdateNotice> update_notice_;
    std::vector<TADRec> ad_list_;
    std::unique_ptr<OwnerMenu> main_menu_;
    std::unique_ptr<OwnerMenu> tray_menu_;
    Bitmap menu_images_;
    TrayIcon tray_;
    PopupLink popup_;
    HICON tray_icons_[2] = {};
    WindowHandle tooltip_;
    std::unique_ptr<MagneticService> magnetic_;
    TFormShadow shadow_;
    std::wstring hint_;

    bool first_show_ = true;
    bool start_hidden_ = false;
    bool balloon_after_hide_ = false;
    bool closing_ = false;
    // Messages being handled right now; a close that arrives inside one of them (from a nested
    // message loop) waits until the outermost has finished.
    int handling_depth_ = 0;
    bool close_deferred_ = false;
    int saved_bar_left_ = 0;
    int saved_bar_top_ = 0;
    int saved_child_left_ = 0;
    int saved_child_top_ = 0;
    MenuColors menu_colours_;
    int transparency_ = 200;
};

}  // namespace kalvoro::win
