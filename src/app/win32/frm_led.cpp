#include "app/win32/frm_led.h"

#include "base/win32/dpi.h"

#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>

#include "app/bar_menus.h"
#include "app/win32/census_log.h"
#include "app/win32/frm_options.h"
#include "app/win32/heading_font.h"
#include "calendar/mark_texts.h"
#include "base/clock.h"
#include "base/file_store.h"
#include "base/win32/text.h"
#include "resource_ids.h"
#include "skin/bar_skin.h"
#include "skin/skin_files.h"
#include "skin/window_skin.h"
#include "ui/win32/fade_out_window.h"
#include "ui/win32/frame_skin.h"
#include "online/win32/ad_thread.h"
#include "online/win32/frm_about.h"
#include "online/win32/shell_actions.h"
#include "online/win32/update_notice_messages.h"
#include "tasks/win32/frm_warn_options.h"
#include "timesvc/win32/frm_world_time.h"
#include "ui/win32/ui_globals.h"
#include "skin/win32/skin_bitmap.h"

namespace kalvoro::win {

namespace {

constexpr UINT kMsgTaskbarIcon = TrayIcon::kCallbackMessage;
constexpr wchar_t kProductTitle[] = L"Kalvoro 3.7.8";
constexpr int kMinimumAlpha = 55;
constexpr int kTickDelayMs = 15;
// A tick that comes this soon after its second began leaves the one-second timer as it runs.
constexpr int kTickEarliestMs = 5;
constexpr int kTickLatestMs = 80;
constexpr UINT kOneSecondMs = 1000;
constexpr char kHelpFileName[] = "KalvoroHelp.chm";

BYTE BarAlpha(int transparency) {
    // The bar takes the value modulo 256; a result too faint to see would leave the user no bar to
    // click, so it never goes below the settings dialog's own minimum.
    const int alpha = transparency & 0xFF;
    return static_cast<BYTE>(alpha < kMinimumAlpha ? kMinimumAlpha : alpha);
}

}  // namespace

TFrmLED::TFrmLED(AppCore& core, std::wstring command_line_parameter)
    : core_(core),
      parameter_(std::move(command_line_parameter)),
      popup_(nullptr, Widen(core.app_dir() + kPopupProgramName)) {}

TFrmLED::~TFrmLED() = default;

bool TFrmLED::Create() {
    WindowClassOptions options;
    options.icon = ::LoadIconW(ModuleInstance(), MAKEINTRESOURCEW(IDI_KALVORO));
    options.small_icon = options.icon;
    if (!RegisterWindowClass(kClassName, options)) return false;

    const int screen_width = ::GetSystemMetrics(SM_CXSCREEN);
    SetScale(ScaleAt(POINT{screen_width - 1, 0}));
    const Size size = Scale().Px(Size{kBarWidth, kBarHeight});
    if (!CreateHandle(WS_EX_LAYERED | WS_EX_TOOLWINDOW, kClassName, L"Kalvoro", WS_POPUP, screen_width - size.width, 0,
                      size.width, size.height, nullptr)) {
        return false;
    }
    popup_.set_bar(hwnd());
    view_.Attach(hwnd(), Scale());

    menu_images_.reset(static_cast<HBITMAP>(
        ::LoadImageW(ModuleInstance(), MAKEINTRESOURCEW(IDB_MENU_IMAGES), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    main_menu_ = std::make_unique<OwnerMenu>(MainMenuItems(), kMainMenuFirstId, menu_images_.get(), Scale());
    tray_menu_ = std::make_unique<OwnerMenu>(TrayMenuItems(), kTrayMenuFirstId, menu_images_.get(), Scale());

    tray_icons_[0] =
        static_cast<HICON>(::LoadImageW(ModuleInstance(), MAKEINTRESOURCEW(IDI_TRAY0), IMAGE_ICON, 16, 16, LR_SHARED));
    tray_icons_[1] =
        static_cast<HICON>(::LoadImageW(ModuleInstance(), MAKEINTRESOURCEW(IDI_TRAY1), IMAGE_ICON, 16, 16, LR_SHARED));
    tray_.Attach(hwnd(), tray_icons_[0], tray_icons_[1]);
    tray_.SetToolTip(L"Kalvoro");
    tray_.Add();

    tooltip_.reset(::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                                     CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd(), nullptr,
                                     ModuleInstance(), nullptr));
    view_.AttachToolTips(tooltip_.get());

    // Start-up, in its fixed order.
    ApplySettings();
    RECT placed = WindowRect();
    saved_bar_left_ = placed.left;
    saved_bar_top_ = placed.top;
    if (ShadowsOnFlag() && shadow_.Create(nullptr)) {
        shadow_.Attach(hwnd());
    }
    magnetic_ = std::make_unique<MagneticService>();
    magnetic_->SetSnapDistance(Px(MagneticService::kBarSnapDistance));
    magnetic_->AddWindow(hwnd());

    // The calendar window lives from here to the end: the bar's date texts come from it.
    children_ = std::make_unique<ChildWindows>(core_, popup_);
    children_->OnSwitchMode = [this](DisplayMode mode) { SwitchMode(mode); };
    children_->OnCommand = [this](MenuCommand command, int tag) { RunCommand(command, tag); };
    children_->SetMenuColours(menu_colours_);
    Guarded([&] { children_->Create(hwnd(), magnetic_.get(), ChooseHeadingFont(), menu_images_.get()); });
    display_ = std::make_unique<ClockDisplay>(*this, core_.date_texts(), SystemDateLocale());
    // The stored cycling choice holds from the start: with it off the date line never leaves its
    // first line, and announcement lines would stay unseen until the settings dialog is opened.
    display_->date_loop_on = core_.settings().values().date_loop;
    core_.tick().Attach(TickStage::kDisplay, display_.get());
    StartServices();
    StartOnlineExtras();
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
    ::SetTimer(hwnd(), kTimerClock, first_tick_ms, nullptr);
    start_hidden_ = core_.settings().values().start_hidden && IsHideSwitch(Narrow(parameter_));
    ::SetTimer(hwnd(), kTimerMsg, 1000, nullptr);
    return true;
}

void TFrmLED::StartServices() {
    services_ = std::make_unique<AppServices>(core_, hwnd(), popup_);
    services_->Start();
}

void TFrmLED::StartOnlineExtras() {
    Guarded([&] {
        addresses_ = ReadOnlineAddresses(core_.settings().file());
        children_->SetWeatherPage(addresses_.weather_page);
        update_notice_ = std::make_unique<UpdateNotice>(core_.files(), core_.app_dir(), core_.clock(),
                                                        SystemDateLocale(), popup_, addresses_.web_site);
        view_.date_line().SetOnClick([this] { Guarded([&] { OnDateLineClick(); }); });
        // Without a server to ask, no announcement request is ever made.
        if (!addresses_.announcements.empty()) ::SetTimer(hwnd(), kTimerAD, FirstAnnouncementCheckDelayMs(), nullptr);
    });
}

void TFrmLED::TimerADTimer() {
    ::KillTimer(hwnd(), kTimerAD);
    const DateTime now = core_.clock().Now();
    if (auto request =
            CheckAnnouncements(core_.files(), core_.app_dir(), addresses_.announcements, now, SystemDateLocale())) {
        StartAnnouncementThread(*request, hwnd());
    }
    ::SetTimer(hwnd(), kTimerAD, NextAnnouncementCheckMs(core_.files(), core_.app_dir(), now, SystemDateLocale()),
               nullptr);
}

void TFrmLED::OnAnnouncementsReady() {
    LoadedAnnouncements loaded = LoadAnnouncements(core_.files(), core_.app_dir());
    ad_list_ = std::move(loaded.list);
    if (!loaded.file_found) return;
    FadeTextControl& line = view_.date_line();
    const std::string first = line.LineCount() > 0 ? line.Line(0) : std::string();
    line.BeginUpdate();
    line.ClearLines();
    for (const std::string& text : DateLineWithAnnouncements({first}, ad_list_)) line.AddLine(text);
    line.EndUpdate();
}

void TFrmLED::OnDateLineClick() {
    RunDateLineClickFromBar(hwnd(), view_.CurrentLine(), ad_list_);
}

void TFrmLED::OpenTaskList() {
    if (ShowTaskList(hwnd(), core_.app_dir())) core_.ReloadTasks();
}

void TFrmLED::OpenWorldTime() {
    ShowWorldTime(hwnd(), {core_.app_dir(), nullptr, 0});
}

void TFrmLED::ApplySettings() {
    Guarded([&] {
        const AppSettings& values = core_.settings().values();
        LoadBarSkin(core_.app_dir() + "Skin\\" + values.skin_file);
        view_.ApplyLedFont(values.led);
        if (!values.win_file.empty()) LoadWindowSkin(core_.app_dir() + values.win_file);
        ::SetWindowPos(hwnd(), values.on_top ? HWND_TOPMOST : HWND_NOTOPMOST, values.left, values.top, 0, 0,
                       SWP_NOSIZE | SWP_NOACTIVATE);
        SetTransparency(values.transparency);
    });
    // Another skin applied later (the settings dialog) reloads the bar's and the children's look.
    core_.settings().Subscribe([this](SettingsChange change) {
        if (change != SettingsChange::kSkins) return;
        Guarded([&] {
            const std::string& skin_file = core_.settings().values().skin_file;
            LoadBarSkin(core_.app_dir() + "Skin\\" + skin_file);
            if (children_) {
                children_->ApplySkinFile(skin_file);
                children_->ApplyClockFile();
            }
            ::InvalidateRect(hwnd(), nullptr, FALSE);
        });
    });
}

void TFrmLED::LoadBarSkin(const std::string& path) {
    if (path.empty() || path.back() == '\\') return;
    const auto bytes = DiskFileStore().ReadAll(path);
    if (!bytes) return;
    const auto skin = LoadBarSkinData(*bytes);
    if (!skin) return;  // a damaged package or another version changes nothing
    BarLook look;
    look.background = BitmapFromSkinImage(skin->background);
    look.menu_up = BitmapFromSkinImage(skin->menu_button_up);
    look.menu_hot = BitmapFromSkinImage(skin->menu_button_hot);
    look.min_up = BitmapFromSkinImage(skin->min_button_up);
    look.min_hot = BitmapFromSkinImage(skin->min_button_hot);
    look.panel_colour = skin->led_background;
    look.panel_border = skin->led_border;
    look.date_colour = skin->date_font;
    LedControl& led = view_.led();
    led.SetBGColor(skin->led_background);
    led.SetLightColor(skin->led_light);
    led.SetDarkColor(skin->led_dark);
    view_.ApplyLook(std::move(look));
    main_menu_->set_colours(skin->menu);
    tray_menu_->set_colours(skin->menu);
    menu_colours_ = skin->menu;
    if (children_) children_->SetMenuColours(skin->menu);
}

void TFrmLED::LoadWindowSkin(const std::string& path) {
    const auto bytes = DiskFileStore().ReadAll(path);
    if (!bytes) return;
    const auto skin = LoadWindowSkinData(*bytes);
    if (!skin) return;
    SetDialogFrameSkin(std::make_shared<const TMyWindow>(*skin));
}

void TFrmLED::Show() {
    ::ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
    if (first_show_) {
        first_show_ = false;
        ::SetTimer(hwnd(), kTimerChild, 300, nullptr);
    }
}

void TFrmLED::SetTransparency(int alpha) {
    transparency_ = alpha;
    ::SetLayeredWindowAttributes(hwnd(), RGB(255, 0, 255), BarAlpha(alpha), LWA_COLORKEY | LWA_ALPHA);
    if (ShadowsOnFlag()) shadow_.Refresh();
    if (children_) children_->SetAlpha(BarAlpha(alpha));
}

void TFrmLED::SetAlwaysOnTop(bool on_top) {
    ::SetWindowPos(hwnd(), on_top ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TFrmLED::SetDateLoop(bool on) {
    display_->date_loop_on = on;
}

void TFrmLED::KeepOnScreen() {
    // A bar left outside every screen after a display change comes back to the nearest one.
    const RECT bar = WindowRect();
    if (::MonitorFromRect(&bar, MONITOR_DEFAULTTONULL)) return;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (!::GetMonitorInfoW(::MonitorFromRect(&bar, MONITOR_DEFAULTTONEAREST), &monitor)) return;
    const RECT& work = monitor.rcWork;
    const int left =
        std::clamp<int>(bar.left, work.left, std::max<int>(work.left, work.right - (bar.right - bar.left)));
    const int top = std::clamp<int>(bar.top, work.top, std::max<int>(work.top, work.bottom - (bar.bottom - bar.top)));
    ::SetWindowPos(hwnd(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TFrmLED::OnDpiChanged(const RECT& suggested) {
    // Another monitor, or the user changed the scale: the bar keeps the suggested place and takes
    // its size at the new scale; the docked children and the shadows follow.
    view_.SetScale(Scale());
    const Size size = view_.BarSize();
    ::SetWindowPos(hwnd(), nullptr, suggested.left, suggested.top, size.width, size.height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    if (magnetic_) magnetic_->SetSnapDistance(Px(MagneticService::kBarSnapDistance));
    if (children_) children_->SetScale(Scale());
    if (ShadowsOnFlag()) shadow_.Refresh();
    Invalidate();
}

void TFrmLED::MinimiseToTray() {
    if (children_) children_->HideWithBar();
    ::ShowWindow(hwnd(), SW_HIDE);
}

void TFrmLED::RestoreFromTray() {
    const bool was_hidden = !IsVisible();
    ::ShowWindow(hwnd(), SW_SHOW);
    ::SetForegroundWindow(hwnd());
    if (was_hidden && children_) children_->ShowWithBar(BarAlpha(transparency_));
}

// --- the tick and the display -------------------------------------------------------------------

void TFrmLED::TimerClockTimer() {
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
        ::SetTimer(hwnd(), kTimerClock, interval, nullptr);
    }
    // The places are saved every other second, on the tick's wake-up rather than a timer of their own.
    save_place_due_ = !save_place_due_;
    if (save_place_due_) Guarded([&] { TimerSavePosTimer(); });
}

void TFrmLED::ShowTime(const char* hhmmss) {
    view_.SetTime(hhmmss);
}

void TFrmLED::SetHint(const std::string& hint) {
    hint_ = Widen(hint);
    view_.SetHint(hint_);
    tray_.SetToolTip(hint_);
}

IDateLine& TFrmLED::DateLine() {
    return view_;
}

void TFrmLED::UpdateClockHands(DateTime now, bool force) {
    if (children_) children_->UpdateClockHands(now, force);
}

// --- timers --------------------------------------------------------------------------------------

void TFrmLED::OnTimer(UINT_PTR id) {
    if (tray_.OnTimer(id)) return;
    switch (id) {
        case kTimerClock:
            TimerClockTimer();
            TickCensusLog();
            break;
        case kTimerChild:
            TimerChildTimer();
            break;
        case kTimerMsg:
            TimerMsgTimer();
            break;
        case kTimerHintClose:
            TimerHintCloseTimer();
            break;
        case kTimerAD:
            TimerADTimer();
            break;
        case kTimerStartHide:
            ::KillTimer(hwnd(), kTimerStartHide);
            if (start_hidden_) MinimiseToTray();
            start_hidden_ = false;
            // The start-up balloon is for a bar that is not showing: it waited for this moment.
            if (balloon_after_hide_ && !IsVisible()) ShowTrayBalloon();
            balloon_after_hide_ = false;
            break;
        case kTimerWarStep:
            if (core_.settings().values().mark_reminder_mode < 2) {
                ::KillTimer(hwnd(), kTimerWarStep);
            } else {
                RunMarkReminder();
            }
            break;
        default:
            break;
    }
}

void TFrmLED::TimerChildTimer() {
    ::KillTimer(hwnd(), kTimerChild);
    const DisplayMode start_child = core_.settings().values().default_child;
    if (start_child != DisplayMode::kCompact) SwitchMode(start_child);
    // The start child settles for a second before the bar hides itself to the tray; a timed step
    // keeps the message loop running meanwhile.
    if (start_hidden_) {
        ::SetTimer(hwnd(), kTimerStartHide, 1000, nullptr);
    }
}

void TFrmLED::TimerMsgTimer() {
    ::KillTimer(hwnd(), kTimerMsg);
    const AppSettings& values = core_.settings().values();
    if (values.mark_reminder_mode > 0) {
        const MarkReminderSchedule schedule =
            MarkReminderScheduleFor(values.mark_reminder_mode, values.mark_reminder_step);
        if (schedule.repeat_ms > 0) ::SetTimer(hwnd(), kTimerWarStep, schedule.repeat_ms, nullptr);
        RunMarkReminder();
        return;
    }
    if (start_hidden_) {
        balloon_after_hide_ = true;  // the bar hides itself in a moment
        return;
    }
    if (!IsVisible()) ShowTrayBalloon();
}

void TFrmLED::ShowTrayBalloon() {
    const std::string text = BuildBalloonText(core_.clock().Now(), core_.date_texts(), SystemDateLocale());
    tray_.ShowBalloon(kProductTitle, Widen(text), 10000);
    ::SetTimer(hwnd(), kTimerHintClose, 10000, nullptr);
}

void TFrmLED::TimerHintCloseTimer() {
    ::KillTimer(hwnd(), kTimerHintClose);
    tray_.HideBalloon();
}

void TFrmLED::TimerSavePosTimer() {
    const RECT r = WindowRect();
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

// --- modes ---------------------------------------------------------------------------------------

void TFrmLED::SwitchMode(DisplayMode mode) {
    Guarded([&] {
        children_->SwitchMode(mode, BarAlpha(transparency_));
        if (mode != DisplayMode::kClock) return;
        // The place just shown counts as saved; then the hands and the time at once.
        children_->ClockPlace(saved_child_left_, saved_child_top_);
        display_->Update(core_.clock().Now(), true);
    });
}

void TFrmLED::RunMarkReminder() {
    if (TFrmCalendar* calendar = children_->calendar()) calendar->RunMarkReminder(core_.clock().Now());
}

void TFrmLED::TickRadioItems() {
    const MenuCommand mode[] = {MenuCommand::kModeCompact, MenuCommand::kModeCalendar, MenuCommand::kModeClock,
                                MenuCommand::kModeWeather};
    const int current = DisplayModeNumber(children_->CurrentMode());
    main_menu_->CheckRadio(mode[current]);
    tray_menu_->CheckRadio(mode[current]);
}

// --- menus ---------------------------------------------------------------------------------------

void TFrmLED::BtnMenuClick() {
    TickRadioItems();
    const RECT button = view_.PartRect(BarPart::kMenuButton);
    POINT corner{button.left, button.bottom};
    ::ClientToScreen(hwnd(), &corner);
    const int id = main_menu_->Track(hwnd(), corner.x, corner.y);
    if (id) OnMenuCommand(*main_menu_, id);
}

void TFrmLED::OnTrayNotify(LPARAM event) {
    switch (LOWORD(event)) {
        case WM_LBUTTONUP:
            RestoreFromTray();
            break;
        case WM_RBUTTONUP: {
            TickRadioItems();
            POINT at;
            ::GetCursorPos(&at);
            const int id = tray_menu_->Track(hwnd(), at.x, at.y);
            if (id) OnMenuCommand(*tray_menu_, id);
            break;
        }
        default:
            break;
    }
}

void TFrmLED::OnMenuCommand(const OwnerMenu& menu, int id) {
    if (const MenuRow* item = menu.RowOf(id)) RunCommand(item->command, item->tag);
}

void TFrmLED::RunCommand(MenuCommand command, int tag) {
    switch (command) {
        case MenuCommand::kModeCompact:
        case MenuCommand::kModeClock:
        case MenuCommand::kModeCalendar:
        case MenuCommand::kModeWeather:
            // A radio item acts when it is ticked after the click, which a click always leaves it.
            SwitchMode(DisplayModeFromNumber(tag));
            break;
        case MenuCommand::kOpen:
            RestoreFromTray();
            break;
        case MenuCommand::kHide:
            MinimiseToTray();
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
            OpenAddressWithShell(addresses_.web_site);
            break;
        case MenuCommand::kAbout:
            ShowAbout(hwnd());
            break;
        case MenuCommand::kExit:
            ::PostMessageW(hwnd(), WM_CLOSE, 0, 0);
            break;
        default:
            break;  // the windows of these items come with their own parts of the program
    }
}

void TFrmLED::ShowOptionsPage(int page) {
    wchar_t exe[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, exe, MAX_PATH);
    OptionsContext context{core_.settings(), core_.app_dir(), Narrow(exe)};
    context.bar.alpha = BarAlpha(transparency_);
    context.bar.led = core_.settings().values().led;
    context.bar.set_transparency = [this](int alpha) { SetTransparency(alpha); };
    context.bar.set_on_top = [this](bool on_top) { SetAlwaysOnTop(on_top); };
    context.bar.set_date_loop = [this](bool on) { SetDateLoop(on); };
    context.bar.apply_led_font = [this](const LedFontSettings& led) {
        view_.ApplyLedFont(led);
        ::InvalidateRect(hwnd(), nullptr, FALSE);
    };
    const std::string app_dir = core_.app_dir();
    context.sync_now = [app_dir] { return SyncTimeNow(app_dir); };
    context.notify_popup = [this] { popup_.Notify(kPopupSettingsRewritten); };
    ShowOptions(hwnd(), context, page);

    // What takes effect once the dialog has gone: the repeated mark reminder's interval. The
    // chime, its hot key and the time sync follow the settings notices kChime and kTimeSync.
    const AppSettings& values = core_.settings().values();
    if (values.mark_reminder_mode == 2) {
        const MarkReminderSchedule schedule =
            MarkReminderScheduleFor(values.mark_reminder_mode, values.mark_reminder_step);
        if (schedule.repeat_ms > 0) ::SetTimer(hwnd(), kTimerWarStep, schedule.repeat_ms, nullptr);
    } else {
        ::KillTimer(hwnd(), kTimerWarStep);
    }
}

void TFrmLED::ShowHelp() {
    const std::wstring path = Widen(core_.app_dir() + kHelpFileName);
    if (::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
        ::ShellExecuteW(hwnd(), nullptr, path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
        return;
    }
    ::MessageBoxW(hwnd(), (L"\"" + Widen(kHelpFileName) + L"\" 文件不存在。").c_str(), L"警告",
                  MB_ICONEXCLAMATION | MB_OK);
}

// --- mouse ---------------------------------------------------------------------------------------

void TFrmLED::DragBar() {
    ::ReleaseCapture();
    ::SendMessageW(hwnd(), WM_SYSCOMMAND, 0xF012, 0);
}

void TFrmLED::OnMouseDown(int x, int y) {
    switch (view_.HitTest(x, y)) {
        case BarPart::kBackground:
        case BarPart::kPanel:
            DragBar();
            break;
        case BarPart::kMenuButton:
            view_.SetPressed(BarPart::kMenuButton);
            BtnMenuClick();
            view_.SetPressed(BarPart::kNone);
            break;
        case BarPart::kMinButton:
            MinimiseToTray();
            break;
        case BarPart::kDateLine:
            break;  // announcement links come with the announcements
        default:
            break;
    }
}

void TFrmLED::OnMouseMove(int x, int y) {
    view_.SetHot(view_.HitTest(x, y));
    TRACKMOUSEEVENT track{};
    track.cbSize = sizeof(track);
    track.dwFlags = TME_LEAVE;
    track.hwndTrack = hwnd();
    ::TrackMouseEvent(&track);
}

void TFrmLED::OnPaint() {
    PaintDC paint(hwnd());
    view_.Paint(paint.get(), paint.dirty());
}

// --- closing -------------------------------------------------------------------------------------

void TFrmLED::FormClose() {
    if (closing_) return;
    closing_ = true;
    Guarded([&] {
        for (UINT_PTR id : {kTimerChild, kTimerMsg, kTimerWarStep, kTimerClock}) {
            ::KillTimer(hwnd(), id);
        }
        ExitState state;
        state.showing = children_->CurrentMode();
        state.clock_visible = children_->ClockPlace(state.clock_left, state.clock_top);
        const RECT r = WindowRect();
        state.bar_left = r.left;
        state.bar_top = r.top;
        state.transparency = transparency_;
        core_.settings().SaveExitState(state);
        core_.tick().Attach(TickStage::kDisplay, nullptr);
        if (services_) services_->Stop();
        children_->DestroyAll();
        if (ShadowsOnFlag()) {
            if (IsVisible()) FadeOut(hwnd(), &shadow_);
            shadow_.Destroy();
        }
    });
}

void TFrmLED::FormDestroy() {
    Guarded([&] {
        magnetic_.reset();
        tray_.Remove();
        popup_.Notify(kPopupBarClosing);
        DiskFileStore().Remove(core_.app_dir() + std::string(kSkinDoneTempName));
    });
}

void TFrmLED::OnDestroyed() {
    ::PostQuitMessage(0);
}

// --- messages ------------------------------------------------------------------------------------

LRESULT TFrmLED::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_CLOSE && handling_depth_ > 0) {
        close_deferred_ = true;  // the handler on the stack may still use the windows closing frees
        return 0;
    }
    ++handling_depth_;
    const LRESULT result = HandleMessageNow(message, wparam, lparam);
    if (--handling_depth_ == 0 && close_deferred_ && hwnd()) {
        close_deferred_ = false;
        ::PostMessageW(hwnd(), WM_CLOSE, 0, 0);
    }
    return result;
}

LRESULT TFrmLED::HandleMessageNow(UINT message, WPARAM wparam, LPARAM lparam) {
    if (tray_.OnTaskbarCreated(message)) return 0;
    switch (message) {
        case WM_MOVING:
        case WM_SIZING:
        case WM_ENTERSIZEMOVE:
        case WM_EXITSIZEMOVE:
        case WM_WINDOWPOSCHANGED: {
            const LRESULT result = DefaultHandling(message, wparam, lparam);
            if (magnetic_) {
                if (auto snapped = magnetic_->OnBarMessage(hwnd(), message, wparam, lparam)) return *snapped;
            }
            return result;
        }
        case WM_SHOWWINDOW:
            if (ShadowsOnFlag()) shadow_.Show(wparam != FALSE);
            break;
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_PRINTCLIENT:
        case WM_PRINT:
            view_.PrintTo(reinterpret_cast<HDC>(wparam));
            return 0;
        case WM_COMMAND:
            // The snapping service recomputes the glue after commands too.
            if (magnetic_) magnetic_->OnBarMessage(hwnd(), message, wparam, lparam);
            if (HIWORD(wparam) == 0 && lparam == 0) {
                const int id = LOWORD(wparam);
                Guarded([&] { OnMenuCommand(id >= kTrayMenuFirstId ? *tray_menu_ : *main_menu_, id); });
                return 0;
            }
            break;
        case WM_TIMER:
            Guarded([&] { OnTimer(wparam); });
            return 0;
        case WM_LBUTTONDOWN:
            Guarded([&] { OnMouseDown(GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)); });
            return 0;
        case WM_MOUSEMOVE:
            OnMouseMove(GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam));
            return 0;
        case WM_MOUSELEAVE:
            view_.SetHot(BarPart::kNone);
            return 0;
        case WM_MEASUREITEM: {
            auto& measure = *reinterpret_cast<MEASUREITEMSTRUCT*>(lparam);
            if (main_menu_->OnMeasureItem(measure) || tray_menu_->OnMeasureItem(measure)) return TRUE;
            break;
        }
        case WM_DRAWITEM: {
            const auto& draw = *reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
            if (main_menu_->OnDrawItem(draw) || tray_menu_->OnDrawItem(draw)) return TRUE;
            break;
        }
        case kMsgTaskbarIcon:
            Guarded([&] { OnTrayNotify(lparam); });
            return 0;
        case WM_SYSCOMMAND: {
            if ((wparam & 0xFFF0) == SC_RESTORE) {
                Guarded([&] { RestoreFromTray(); });
                if (magnetic_) magnetic_->OnBarMessage(hwnd(), message, wparam, lparam);
                return 0;
            }
            const LRESULT result = DefaultHandling(message, wparam, lparam);
            if (magnetic_) magnetic_->OnBarMessage(hwnd(), message, wparam, lparam);
            return result;
        }
        case kMsgPopupRegister:
            popup_.OnRegister(reinterpret_cast<HWND>(lparam));
            return 0;
        case kMsgTrayAnimateOn:
            tray_.StartAnimation();
            return 0;
        case kMsgTrayAnimateOff:
            tray_.StopAnimation();
            return 0;
        case kMsgUpdateNotice:
            if (update_notice_) Guarded([&] { OnUpdateNoticeMessage(*update_notice_, lparam); });
            return 0;
        case kMsgUpdateCheckDone:
            if (update_notice_) Guarded([&] { update_notice_->OnUpdateCheckDone(); });
            return 0;
        case kMsgAnnouncementsReady:
            Guarded([&] { OnAnnouncementsReady(); });
            return 0;
        case WM_COPYDATA: {
            bool taken = false;
            if (update_notice_) Guarded([&] { taken = OnUpdateNoticeCopyData(*update_notice_, lparam); });
            return taken ? TRUE : FALSE;
        }
        case WM_HOTKEY:
            if (services_) services_->OnHotKey(wparam, lparam);
            return 0;
        case WM_TIMECHANGE:
            // The user or a time sync set the clock: show the new time now, not at the next tick.
            Guarded([&] { TimerClockTimer(); });
            return 0;
        case WM_POWERBROADCAST:
            if (wparam == PBT_APMRESUMEAUTOMATIC || wparam == PBT_APMRESUMESUSPEND) {
                Guarded([&] { TimerClockTimer(); });
            }
            break;
        case WM_DISPLAYCHANGE:
            Guarded([&] { KeepOnScreen(); });
            break;
        case WM_CLOSE:
            FormClose();
            ::DestroyWindow(hwnd());
            return 0;
        case WM_DESTROY:
            FormDestroy();
            return 0;
        default:
            break;
    }
    return DefaultHandling(message, wparam, lparam);
}

}  // namespace kalvoro::win
