#include "app/win32/child_windows.h"

#include "base/win32/text.h"
#include "base/win32/window.h"

namespace kalvoro::win {

ChildWindows::~ChildWindows() { DestroyAll(); }

void ChildWindows::Create(HWND bar, MagneticService* magnetic, const std::wstring& heading_font) {
    bar_ = bar;
    magnetic_ = magnetic;
    auto calendar = std::make_unique<TFrmCalendar>(core_.clock(), core_.calendar());
    if (!calendar->Create(bar, core_.app_dir(), popup_, core_.settings().values().skin_file, Narrow(heading_font))) {
        return;
    }
    if (magnetic_) magnetic_->AddChildWindow(calendar->hwnd(), bar);
    calendar->OnSwitchMode = [this](int mode) {
        if (OnSwitchMode) OnSwitchMode(DisplayModeFromNumber(mode));
    };
    calendar_ = std::move(calendar);
}

DisplayMode ChildWindows::CurrentMode() const {
    if (calendar_ && calendar_->IsShown()) return DisplayMode::kCalendar;
    return DisplayMode::kCompact;
}

void ChildWindows::HideAll() {
    if (calendar_ && calendar_->IsShown()) {
        calendar_->SetWindowAlpha(255);
        calendar_->HideWindow();
    }
}

void ChildWindows::SwitchMode(DisplayMode mode, BYTE alpha) {
    HideAll();
    if (mode == DisplayMode::kCalendar) ShowCalendar(alpha);
}

void ChildWindows::ShowCalendar(BYTE alpha) {
    if (!calendar_ || !bar_) return;
    // Below the bar, or above it when the bar sits in the lower half of the screen.
    RECT bar{};
    ::GetWindowRect(bar_, &bar);
    const int screen_height = ::GetSystemMetrics(SM_CYSCREEN);
    const int top = bar.top > screen_height / 2 ? bar.top - TFrmCalendar::kHeight : bar.bottom;
    calendar_->ShowAt(bar.left, top, alpha);
}

void ChildWindows::HideWithBar() {
    // Owned windows stay on screen when their owner is merely hidden: hide the child and its shadow.
    hidden_with_bar_ = CurrentMode();
    if (hidden_with_bar_ == DisplayMode::kCalendar) calendar_->HideWindow();
}

void ChildWindows::ShowWithBar(BYTE alpha) {
    const DisplayMode mode = hidden_with_bar_;
    hidden_with_bar_ = DisplayMode::kCompact;
    if (mode == DisplayMode::kCalendar && calendar_) {
        const RECT place = calendar_->WindowRect();
        calendar_->ShowAt(place.left, place.top, alpha);
    }
}

void ChildWindows::SetAlpha(BYTE alpha) {
    if (calendar_ && calendar_->IsShown()) calendar_->SetWindowAlpha(alpha);
}

void ChildWindows::ApplySkinFile(const std::string& skin_file) {
    if (calendar_) calendar_->SetSkinFile(skin_file);
}

void ChildWindows::DestroyAll() {
    if (calendar_) {
        Guarded([&] {
            if (calendar_->IsShown()) calendar_->HideWindow();
        });
        calendar_.reset();
    }
}

}  // namespace kalvoro::win
