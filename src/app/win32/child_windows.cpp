#include "app/win32/child_windows.h"

#include "base/win32/text.h"
#include "base/win32/window.h"
#include "skin/skin_files.h"
#include "ui/win32/ui_globals.h"

namespace kalvoro::win {

ChildWindows::~ChildWindows() {
    DestroyAll();
}

void ChildWindows::Create(HWND bar, MagneticService* magnetic, const std::wstring& heading_font, HBITMAP menu_images) {
    bar_ = bar;
    magnetic_ = magnetic;
    menu_images_ = menu_images;
    heading_font_ = heading_font;
    auto calendar = std::make_unique<TFrmCalendar>(core_.clock(), core_.calendar());
    calendar->Prepare(bar, core_.app_dir(), popup_, core_.settings().values().skin_file, Narrow(heading_font));
    calendar->OnSwitchMode = [this](int mode) {
        if (OnSwitchMode) OnSwitchMode(DisplayModeFromNumber(mode));
    };
    calendar_ = std::move(calendar);
}

TFrmCalendar* ChildWindows::CalendarWindow() {
    if (!calendar_) return nullptr;
    if (calendar_->hwnd()) return calendar_.get();
    if (!calendar_->MakeWindow()) return nullptr;
    if (bar_scale_) calendar_->ApplyScale(*bar_scale_);
    if (magnetic_) magnetic_->AddChildWindow(calendar_->hwnd(), bar_);
    return calendar_.get();
}

DisplayMode ChildWindows::CurrentMode() const {
    if (calendar_ && calendar_->IsShown()) return DisplayMode::kCalendar;
    if (clock_ && clock_->IsVisible()) return DisplayMode::kClock;
    if (weather_ && weather_->IsVisible()) return DisplayMode::kWeather;
    return DisplayMode::kCompact;
}

void ChildWindows::HideAll() {
    CloseClock();
    if (calendar_ && calendar_->IsShown()) {
        calendar_->SetWindowAlpha(255);
        calendar_->HideWindow();
    }
    if (weather_ && weather_->IsVisible()) {
        weather_->SetWindowAlpha(255);
        weather_->HideWindow();
    }
}

int ChildWindows::ChildTop(int child_height) const {
    RECT bar{};
    ::GetWindowRect(bar_, &bar);
    const int screen_height = ::GetSystemMetrics(SM_CYSCREEN);
    return bar.top > screen_height / 2 ? bar.top - child_height : bar.bottom;
}

void ChildWindows::ShowWeather(BYTE alpha) {
    if (!bar_) return;
    if (!weather_) {
        auto weather = std::make_unique<TFrmWeather>(core_.clock(), core_.files());
        if (!weather->Create(bar_, core_.app_dir(), Narrow(heading_font_), weather_page_,
                             core_.settings().values().skin_file)) {
            return;
        }
        if (magnetic_) magnetic_->AddChildWindow(weather->hwnd(), bar_);
        weather->OnSwitchMode = [this](int mode) {
            if (OnSwitchMode) OnSwitchMode(DisplayModeFromNumber(mode));
        };
        weather->OnWorldTime = [this] {
            if (OnCommand) OnCommand(MenuCommand::kWorldTime, 0);
        };
        weather_ = std::move(weather);
    }
    RECT bar{};
    ::GetWindowRect(bar_, &bar);
    const RECT own = weather_->WindowRect();
    weather_->ShowAt(bar.left, ChildTop(own.bottom - own.top), alpha);
}

void ChildWindows::SwitchMode(DisplayMode mode, BYTE alpha) {
    HideAll();
    if (mode == DisplayMode::kCalendar) ShowCalendar(alpha);
    if (mode == DisplayMode::kClock) ShowClock(alpha);
    if (mode == DisplayMode::kWeather) ShowWeather(alpha);
}

void ChildWindows::ShowClock(BYTE alpha) {
    if (!bar_) return;
    if (!clock_) {
        ClockWindowHost host;
        host.owner = bar_;
        host.shadows_on = ShadowsOnFlag();
        host.menu_images = menu_images_;
        host.menu_image_index = {
            static_cast<int>(MenuImage::kTasks), static_cast<int>(MenuImage::kWorldTime), -1, -1, -1, -1, -1};
        host.on_menu_command = [this](ClockMenuCommand command) { OnClockMenu(command); };
        host.on_closed = [this] { clock_.reset(); };
        auto clock = std::make_unique<TFrmClock>(std::move(host));
        if (!clock->Create()) return;
        if (magnetic_) magnetic_->AddChildWindow(clock->hwnd(), bar_);
        clock_ = std::move(clock);
    }
    RECT bar{};
    ::GetWindowRect(bar_, &bar);
    const int screen_height = ::GetSystemMetrics(SM_CYSCREEN);
    // Above the bar when it sits in the lower half (-1 until the window's height is known).
    const int default_top = bar.top > screen_height / 2 ? -1 : bar.bottom;
    const Settings& settings = core_.settings();
    const int left = settings.ChildLeft(::GetSystemMetrics(SM_CXSCREEN));
    int top = settings.ChildTop(default_top);
    if (const auto path = ClockSkinPath(core_.app_dir(), settings.values().clock_file)) {
        clock_->LoadClockSkin(*path, false, menu_colours_);
    }
    if (top < 0) top = bar.top - clock_->Height();
    clock_->ShowAt(left, top, alpha, core_.clock().Now());
}

void ChildWindows::CloseClock() {
    // Closing destroys the window; on_closed frees the object.
    if (clock_) clock_->CloseFromModeSwitch();
    clock_.reset();
}

void ChildWindows::OnClockMenu(ClockMenuCommand command) {
    const auto switch_to = [this](DisplayMode mode) {
        if (OnSwitchMode) OnSwitchMode(mode);
    };
    const auto command_of = [this](MenuCommand menu_command, int tag) {
        if (OnCommand) OnCommand(menu_command, tag);
    };
    switch (command) {
        case ClockMenuCommand::kTasks:
            command_of(MenuCommand::kTasks, 0);
            break;
        case ClockMenuCommand::kWorldTime:
            command_of(MenuCommand::kWorldTime, 0);
            break;
        case ClockMenuCommand::kClockStyle:
            command_of(MenuCommand::kOptionsPage, 3);
            break;
        case ClockMenuCommand::kTimeCorrection:
            command_of(MenuCommand::kOptionsPage, 5);
            break;
        case ClockMenuCommand::kSwitchToCalendar:
            switch_to(DisplayMode::kCalendar);
            break;
        case ClockMenuCommand::kSwitchToWeather:
            switch_to(DisplayMode::kWeather);
            break;
        case ClockMenuCommand::kCloseWindow:
            break;  // the window closes itself
    }
}

void ChildWindows::UpdateClockHands(DateTime now, bool force) {
    if (clock_ && (force || clock_->IsVisible())) clock_->UpdateClockHands(now);
}

bool ChildWindows::ClockPlace(int& left, int& top) const {
    if (!clock_ || !clock_->IsVisible()) return false;
    const RECT place = clock_->WindowRect();
    left = place.left;
    top = place.top;
    return true;
}

void ChildWindows::ApplyClockFile() {
    if (clock_) clock_->ReloadClockSkin(core_.app_dir(), core_.settings().values().clock_file, false, menu_colours_);
}

void ChildWindows::ShowCalendar(BYTE alpha) {
    if (!bar_ || !CalendarWindow()) return;
    // Below the bar, or above it when the bar sits in the lower half of the screen.
    RECT bar{};
    ::GetWindowRect(bar_, &bar);
    const RECT own = calendar_->WindowRect();
    calendar_->ShowAt(bar.left, ChildTop(own.bottom - own.top), alpha);
}

void ChildWindows::SetScale(const DisplayScale& scale) {
    bar_scale_ = scale;
    if (clock_) clock_->ApplyScale(scale);
    if (weather_) weather_->ApplyScale(scale);
    if (!calendar_ || !calendar_->hwnd() || !bar_) return;  // a window made later takes bar_scale_
    calendar_->ApplyScale(scale);
    if (!calendar_->IsVisible()) return;
    // Docked under (or over) the bar at its new size.
    RECT bar{};
    ::GetWindowRect(bar_, &bar);
    const RECT own = calendar_->WindowRect();
    ::SetWindowPos(calendar_->hwnd(), nullptr, bar.left, ChildTop(own.bottom - own.top), 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ChildWindows::HideWithBar() {
    // Owned windows stay on screen when their owner is merely hidden: hide the child and its shadow.
    hidden_with_bar_ = CurrentMode();
    if (hidden_with_bar_ == DisplayMode::kCalendar) calendar_->HideWindow();
    if (hidden_with_bar_ == DisplayMode::kWeather) weather_->HideWindow();
    if (hidden_with_bar_ == DisplayMode::kClock) {
        if (const TFormShadow* shadow = clock_->Shadow()) ::ShowWindow(shadow->hwnd(), SW_HIDE);
        ::ShowWindow(clock_->hwnd(), SW_HIDE);
    }
}

void ChildWindows::ShowWithBar(BYTE alpha) {
    const DisplayMode mode = hidden_with_bar_;
    hidden_with_bar_ = DisplayMode::kCompact;
    if (mode == DisplayMode::kCalendar && calendar_) {
        const RECT place = calendar_->WindowRect();
        calendar_->ShowAt(place.left, place.top, alpha);
    }
    if (mode == DisplayMode::kWeather && weather_) {
        const RECT place = weather_->WindowRect();
        weather_->ShowAt(place.left, place.top, alpha);
    }
    if (mode == DisplayMode::kClock && clock_) {
        const RECT place = clock_->WindowRect();
        clock_->ShowAt(place.left, place.top, alpha, core_.clock().Now());
    }
}

void ChildWindows::SetAlpha(BYTE alpha) {
    if (calendar_ && calendar_->IsShown()) calendar_->SetWindowAlpha(alpha);
    if (clock_ && clock_->IsVisible()) clock_->SetOpacity(alpha);
    if (weather_ && weather_->IsVisible()) weather_->SetWindowAlpha(alpha);
}

void ChildWindows::ApplySkinFile(const std::string& skin_file) {
    if (calendar_) calendar_->SetSkinFile(skin_file);
    if (weather_) weather_->SetSkinFile(skin_file);
    if (clock_) clock_->ReloadClockSkin(core_.app_dir(), core_.settings().values().clock_file, true, menu_colours_);
}

void ChildWindows::DestroyAll() {
    Guarded([&] { CloseClock(); });
    if (weather_) {
        Guarded([&] {
            if (weather_->IsVisible()) weather_->HideWindow();
        });
        weather_.reset();
    }
    if (calendar_) {
        Guarded([&] {
            if (calendar_->IsShown()) calendar_->HideWindow();
        });
        calendar_.reset();
    }
}

}  // namespace kalvoro::win
