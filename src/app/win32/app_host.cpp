#include "app/win32/app_host.h"

#include "app/win32/census_log.h"
#include "app/win32/heading_font.h"
#include "base/file_store.h"
#include "base/win32/text.h"
#include "calendar/mark_texts.h"
#include "skin/skin_files.h"
#include "skin/window_skin.h"
#include "ui/win32/frame_skin.h"
#include "ui/win32/ui_globals.h"

namespace kalvoro::win {

namespace {

constexpr wchar_t kProductTitle[] = L"Kalvoro 3.7.8";
constexpr int kTickDelayMs = 15;
// A tick that comes this soon after its second began leaves the one-second timer as it runs.
constexpr int kTickEarliestMs = 5;
constexpr int kTickLatestMs = 80;
constexpr UINT kOneSecondMs = 1000;

}  // namespace

AppHost::AppHost(AppCore& core, std::wstring command_line_parameter)
    : core_(core),
      parameter_(std::move(command_line_parameter)),
      popup_(nullptr, Widen(core.app_dir() + kPopupProgramName)),
      bar_(core, *this) {}

AppHost::~AppHost() = default;

bool AppHost::Create() {
    if (!bar_.Create()) return false;
    popup_.set_bar(bar_.hwnd());
    Guarded([&] { LoadWindowSkin(); });
    const RECT placed = bar_.WindowRect();
    saved_bar_left_ = placed.left;
    saved_bar_top_ = placed.top;

    CreateChildren();
    display_ = std::make_unique<ClockDisplay>(*this, core_.date_texts(), SystemDateLocale());
    // The stored cycling choice holds from the start: with it off the date line never leaves its
    // first line, and announcement lines would stay unseen until the settings dialog is opened.
    display_->date_loop_on = core_.settings().values().date_loop;
    core_.tick().Attach(TickStage::kDisplay, display_.get());
    services_ = std::make_unique<AppServices>(core_, bar_.hwnd(), popup_);
    services_->Start();
    online_ = std::make_unique<OnlineExtras>(core_, bar_, popup_);
    Guarded([&] {
        online_->Start();
        children_->SetWeatherPage(online_->addresses().weather_page);
    });
    // Said once, at start, rather than losing every change silently.
    Guarded([&] {
        if (!core_.FolderWritable()) popup_.ShowText(core_.FolderNotWritableNotice());
    });
    // The first tick, like every later one, comes just after a second begins.
    UINT first_tick_ms = 1000;
    Guarded([&] {
        const DateTime now = core_.clock().Now();
        first_tick_ms = static_cast<UINT>(1000 - DecodeTime(now).millisecond + kTickDelayMs);
        display_->Update(now, false);
    });
    clock_interval_ms_ = first_tick_ms;
    SetTimer(kTimerClock, first_tick_ms);
    start_hidden_ = core_.settings().values().start_hidden && IsHideSwitch(Narrow(parameter_));
    SetTimer(kTimerMsg, 1000);
    return true;
}

void AppHost::CreateChildren() {
    // The calendar is prepared here and its window made when it first shows; the clock and weather
    // windows come with their modes.
    children_ = std::make_unique<ChildWindows>(core_, popup_);
    children_->OnSwitchMode = [this](DisplayMode mode) { SwitchMode(mode); };
    children_->OnCommand = [this](MenuCommand command, int tag) { RunCommand(command, tag); };
    children_->SetMenuColours(bar_.menu_colours());
    Guarded([&] { children_->Create(bar_.hwnd(), bar_.magnetic(), ChooseHeadingFont(), bar_.menu_images()); });
    // Another skin applied later (the settings dialog): the bar reloads its own look first.
    core_.settings().Subscribe([this](SettingsChange change) {
        if (change != SettingsChange::kSkins || !children_) return;
        Guarded([&] {
            children_->SetMenuColours(bar_.menu_colours());
            children_->ApplySkinFile(core_.settings().values().skin_file);
            children_->ApplyClockFile();
        });
    });
}

void AppHost::LoadWindowSkin() {
    const std::string& win_file = core_.settings().values().win_file;
    if (win_file.empty()) return;
    const auto bytes = DiskFileStore().ReadAll(core_.app_dir() + win_file);
    if (!bytes) return;
    const auto skin = LoadWindowSkinData(*bytes);
    if (!skin) return;
    SetDialogFrameSkin(std::make_shared<const TMyWindow>(*skin));
}

void AppHost::Show() {
    bar_.Show();
    if (first_show_) {
        first_show_ = false;
        SetTimer(kTimerChild, 300);
    }
}

void AppHost::SetTimer(UINT_PTR id, UINT interval_ms) {
    ::SetTimer(bar_.hwnd(), id, interval_ms, nullptr);
}

void AppHost::KillTimer(UINT_PTR id) {
    ::KillTimer(bar_.hwnd(), id);
}

// --- what the bar hands on -----------------------------------------------------------------------

DisplayMode AppHost::CurrentMode() const {
    return children_ ? children_->CurrentMode() : DisplayMode::kCompact;
}

void AppHost::BarHidden() {
    if (children_) children_->HideWithBar();
}

void AppHost::BarRestored(BYTE alpha) {
    if (children_) children_->ShowWithBar(alpha);
}

void AppHost::BarAlphaChanged(BYTE alpha) {
    if (children_) children_->SetAlpha(alpha);
}

void AppHost::BarScaleChanged(const DisplayScale& scale) {
    if (children_) children_->SetScale(scale);
}

void AppHost::UpdateClockHands(DateTime now, bool force) {
    if (children_) children_->UpdateClockHands(now, force);
}

bool AppHost::HandleProgramMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
    if (online_ && online_->HandleMessage(message, wparam, lparam, result)) return true;
    switch (message) {
        case WM_TIMER:
            Guarded([&] { OnTimer(wparam); });
            result = 0;
            return true;
        case kMsgPopupRegister:
            popup_.OnRegister(reinterpret_cast<HWND>(lparam));
            result = 0;
            return true;
        case WM_HOTKEY:
            if (services_) services_->OnHotKey(wparam, lparam);
            result = 0;
            return true;
        case WM_TIMECHANGE:
            // The user or a time sync set the clock: show the new time now, not at the next tick.
            Guarded([&] { RunTick(); });
            result = 0;
            return true;
        case WM_POWERBROADCAST:
            if (wparam == PBT_APMRESUMEAUTOMATIC || wparam == PBT_APMRESUMESUSPEND) Guarded([&] { RunTick(); });
            return false;  // the system's default answer stands
        default:
            return false;
    }
}

// --- timers --------------------------------------------------------------------------------------

void AppHost::OnTimer(UINT_PTR id) {
    switch (id) {
        case kTimerClock:
            RunTick();
            TickCensusLog();
            break;
        case kTimerChild:
            ShowStartChild();
            break;
        case kTimerMsg:
            StartUpMessage();
            break;
        case kTimerStartHide:
            HideAtStart();
            break;
        case kTimerWarStep:
            RepeatMarkReminder();
            break;
        default:
            break;
    }
}

void AppHost::RunTick() {
    if (!display_) return;  // closing
    const DateTime now = core_.tick().Run();
    // The next tick comes just after the next second begins, so the time shown is never up to a
    // second late (a plain 1000 ms timer keeps the phase of whenever the program started). A
    // one-second timer already in that phase is left alone: setting it again each second would
    // cost a round trip to the window system for nothing.
    const int milliseconds = DecodeTime(now).millisecond;
    const bool in_phase = milliseconds >= kTickEarliestMs && milliseconds <= kTickLatestMs;
    const UINT interval = in_phase ? kOneSecondMs : static_cast<UINT>(1000 - milliseconds + kTickDelayMs);
    if (interval != clock_interval_ms_) {
        clock_interval_ms_ = interval;
        SetTimer(kTimerClock, interval);
    }
    // The places are saved every other second, on the tick's wake-up rather than a timer of their own.
    save_place_due_ = !save_place_due_;
    if (save_place_due_) Guarded([&] { SavePlaces(); });
}

void AppHost::ShowStartChild() {
    KillTimer(kTimerChild);
    const DisplayMode start_child = core_.settings().values().default_child;
    if (start_child != DisplayMode::kCompact) SwitchMode(start_child);
    // The start child settles for a second before the bar hides itself to the tray; a timed step
    // keeps the message loop running meanwhile.
    if (start_hidden_) SetTimer(kTimerStartHide, 1000);
}

void AppHost::StartUpMessage() {
    KillTimer(kTimerMsg);
    const AppSettings& values = core_.settings().values();
    if (values.mark_reminder_mode > 0) {
        const MarkReminderSchedule schedule =
            MarkReminderScheduleFor(values.mark_reminder_mode, values.mark_reminder_step);
        if (schedule.repeat_ms > 0) SetTimer(kTimerWarStep, schedule.repeat_ms);
        RunMarkReminder();
        return;
    }
    if (start_hidden_) {
        balloon_after_hide_ = true;  // the bar hides itself in a moment
        return;
    }
    if (!bar_.IsVisible()) ShowStartBalloon();
}

void AppHost::HideAtStart() {
    KillTimer(kTimerStartHide);
    if (start_hidden_) bar_.MinimiseToTray();
    start_hidden_ = false;
    // The start-up balloon is for a bar that is not showing: it waited for this moment.
    if (balloon_after_hide_ && !bar_.IsVisible()) ShowStartBalloon();
    balloon_after_hide_ = false;
}

void AppHost::RepeatMarkReminder() {
    if (core_.settings().values().mark_reminder_mode < 2) {
        KillTimer(kTimerWarStep);
    } else {
        RunMarkReminder();
    }
}

void AppHost::RunMarkReminder() {
    if (TFrmCalendar* calendar = children_ ? children_->calendar() : nullptr) {
        calendar->RunMarkReminder(core_.clock().Now());
    }
}

void AppHost::ShowStartBalloon() {
    const std::string text = BuildBalloonText(core_.clock().Now(), core_.date_texts(), SystemDateLocale());
    bar_.ShowBalloon(kProductTitle, Widen(text));
}

void AppHost::SavePlaces() {
    const RECT r = bar_.WindowRect();
    int clock_left = 0;
    int clock_top = 0;
    const bool clock_visible = children_ && children_->ClockPlace(clock_left, clock_top);
    const bool clock_moved = clock_visible && (clock_left != saved_child_left_ || clock_top != saved_child_top_);
    if (r.left == saved_bar_left_ && r.top == saved_bar_top_ && !clock_moved) return;
    // A failed save (disk full, file locked) is tried again at the next tick.
    if (!core_.settings().SavePositions(r.left, r.top, clock_visible, clock_left, clock_top)) return;
    saved_bar_left_ = r.left;
    saved_bar_top_ = r.top;
    if (clock_visible) {
        saved_child_left_ = clock_left;
        saved_child_top_ = clock_top;
    }
}

// --- closing -------------------------------------------------------------------------------------

void AppHost::BarClosing() {
    for (UINT_PTR id :
         {kTimerChild, kTimerMsg, kTimerWarStep, kTimerClock, kTimerStartHide, OnlineExtras::kTimerAnnouncements}) {
        KillTimer(id);
    }
    Guarded([&] {
        ExitState state;
        state.showing = children_->CurrentMode();
        state.clock_visible = children_->ClockPlace(state.clock_left, state.clock_top);
        const RECT r = bar_.WindowRect();
        state.bar_left = r.left;
        state.bar_top = r.top;
        state.transparency = bar_.transparency();
        core_.settings().SaveExitState(state);
    });
    core_.tick().Attach(TickStage::kDisplay, nullptr);
    display_.reset();
    if (services_) services_->Stop();
    if (children_) children_->DestroyAll();
}

void AppHost::BarDestroyed() {
    popup_.Notify(kPopupBarClosing);
    DiskFileStore().Remove(core_.app_dir() + std::string(kSkinDoneTempName));
}

}  // namespace kalvoro::win
