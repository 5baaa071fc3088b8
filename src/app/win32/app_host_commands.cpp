// The menu commands of the bar and the child windows, carried out by the host.

#include "app/win32/app_host.h"

#include <shellapi.h>

#include "app/win32/frm_options.h"
#include "base/win32/text.h"
#include "calendar/mark_texts.h"
#include "online/win32/frm_about.h"
#include "online/win32/shell_actions.h"
#include "tasks/win32/frm_warn_options.h"
#include "timesvc/win32/frm_world_time.h"
#include "timesvc/win32/time_sync_service.h"

namespace kalvoro::win {

namespace {

constexpr char kHelpFileName[] = "KalvoroHelp.chm";

}  // namespace

void AppHost::RunCommand(MenuCommand command, int tag) {
    switch (command) {
        case MenuCommand::kModeCompact:
        case MenuCommand::kModeClock:
        case MenuCommand::kModeCalendar:
        case MenuCommand::kModeWeather:
            // A radio item acts when it is ticked after the click, which a click always leaves it.
            SwitchMode(DisplayModeFromNumber(tag));
            break;
        case MenuCommand::kOpen:
            bar_.RestoreFromTray();
            break;
        case MenuCommand::kHide:
            bar_.MinimiseToTray();
            break;
        case MenuCommand::kHelp:
            ShowHelp();
            break;
        case MenuCommand::kOptionsPage:
            ShowOptionsPage(tag);
            break;
        case MenuCommand::kMarks:
            if (TFrmCalendar* calendar = children_->calendar()) calendar->OpenMarkList();
            break;
        case MenuCommand::kTasks:
            OpenTaskList();
            break;
        case MenuCommand::kWorldTime:
            OpenWorldTime();
            break;
        case MenuCommand::kHomePage:
            if (online_) OpenAddressWithShell(online_->addresses().web_site);
            break;
        case MenuCommand::kAbout:
            ShowAbout(bar_.hwnd());
            break;
        case MenuCommand::kExit:
            ::PostMessageW(bar_.hwnd(), WM_CLOSE, 0, 0);
            break;
        default:
            break;
    }
}

void AppHost::SwitchMode(DisplayMode mode) {
    Guarded([&] {
        children_->SwitchMode(mode, bar_.alpha());
        if (mode != DisplayMode::kClock) return;
        // The place just shown counts as saved; then the hands and the time at once.
        children_->ClockPlace(saved_child_left_, saved_child_top_);
        display_->Update(core_.clock().Now(), true);
    });
}

void AppHost::ShowOptionsPage(int page) {
    wchar_t exe[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, exe, MAX_PATH);
    OptionsContext context{core_.settings(), core_.app_dir(), Narrow(exe)};
    context.bar.alpha = bar_.alpha();
    context.bar.led = core_.settings().values().led;
    context.bar.set_transparency = [this](int alpha) { bar_.SetTransparency(alpha); };
    context.bar.set_on_top = [this](bool on_top) { bar_.SetAlwaysOnTop(on_top); };
    context.bar.set_date_loop = [this](bool on) {
        if (display_) display_->date_loop_on = on;
    };
    context.bar.apply_led_font = [this](const LedFontSettings& led) { bar_.ApplyLedFont(led); };
    const std::string app_dir = core_.app_dir();
    context.sync_now = [app_dir] { return SyncTimeNow(app_dir); };
    context.notify_popup = [this] { popup_.Notify(kPopupSettingsRewritten); };
    ShowOptions(bar_.hwnd(), context, page);

    // What takes effect once the dialog has gone: the repeated mark reminder's interval. The
    // chime, its hot key and the time sync follow the settings notices kChime and kTimeSync.
    const AppSettings& values = core_.settings().values();
    if (values.mark_reminder_mode == 2) {
        const MarkReminderSchedule schedule =
            MarkReminderScheduleFor(values.mark_reminder_mode, values.mark_reminder_step);
        if (schedule.repeat_ms > 0) SetTimer(kTimerWarStep, schedule.repeat_ms);
    } else {
        KillTimer(kTimerWarStep);
    }
}

void AppHost::ShowHelp() {
    const std::wstring path = Widen(core_.app_dir() + kHelpFileName);
    if (::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
        ::ShellExecuteW(bar_.hwnd(), nullptr, path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
        return;
    }
    ::MessageBoxW(bar_.hwnd(), (L"\"" + Widen(kHelpFileName) + L"\" 文件不存在。").c_str(), L"警告",
                  MB_ICONEXCLAMATION | MB_OK);
}

void AppHost::OpenTaskList() {
    if (ShowTaskList(bar_.hwnd(), core_.app_dir())) core_.ReloadTasks();
}

void AppHost::OpenWorldTime() {
    ShowWorldTime(bar_.hwnd(), {core_.app_dir(), nullptr, 0});
}

}  // namespace kalvoro::win
