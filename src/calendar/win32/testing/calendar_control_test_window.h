#pragma once
// Test helpers: a parent window holding a calendar control set up as the calendar window sets it
// up, pictures of the control in a 32-bit DIB, and BMP snapshots for people to look at (written
// when KALVORO_SNAPSHOT_DIR is set).

#include <windows.h>

#include "ui/win32/testing/gdi_census.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>

#include "base/clock.h"
#include "base/win32/gdi.h"
#include "base/win32/handles.h"
#include "base/win32/testing/snapshot_file.h"
#include "calendar/win32/calendar_control_painter.h"
#include "calendar/win32/lss_calendar_control.h"

namespace kalvoro::win::testing {

// 0x00RRGGBB as a DIB pixel holds it.
constexpr std::uint32_t PixelOf(COLORREF colour) {
    return (std::uint32_t{GetRValue(colour)} << 16) | (std::uint32_t{GetGValue(colour)} << 8) | GetBValue(colour);
}

// The process's GDI objects: the one census every leak test uses.
inline DWORD LiveGdiObjects() {
    return LiveGdiObjectCount();
}

// A 32-bit DIB selected into a DC of its own; movable, so tests can return pictures.
// Small anti-aliased text has few pixels of its exact colour: these tell the hue.
inline bool IsReddish(std::uint32_t pixel) {
    const int r = static_cast<int>((pixel >> 16) & 0xFF);
    const int g = static_cast<int>((pixel >> 8) & 0xFF);
    const int b = static_cast<int>(pixel & 0xFF);
    return r - std::max(g, b) >= 80;
}
inline bool IsDark(std::uint32_t pixel) {
    return ((pixel >> 16) & 0xFF) < 110 && ((pixel >> 8) & 0xFF) < 110 && (pixel & 0xFF) < 110;
}
// Grey or black text on a light background (lighter than the calendar's back month number).
inline bool IsInk(std::uint32_t pixel) {
    return ((pixel >> 16) & 0xFF) < 200 && ((pixel >> 8) & 0xFF) < 200 && (pixel & 0xFF) < 200;
}

class Picture {
public:
    Picture(int width, int height) : state_(std::make_unique<State>(width, height)) {}
    HDC dc() const { return state_->dc.get(); }
    int width() const { return state_->dib.width(); }
    int height() const { return state_->dib.height(); }
    std::uint32_t At(int x, int y) const {
        return state_->dib.pixels()[static_cast<std::size_t>(y) * static_cast<std::size_t>(width()) +
                                    static_cast<std::size_t>(x)] &
               0xFFFFFFu;
    }
    int Count(const Rect& area, COLORREF colour) const {
        const std::uint32_t wanted = PixelOf(colour);
        int count = 0;
        for (int y = std::max(area.top, 0); y < std::min(area.bottom, height()); ++y) {
            for (int x = std::max(area.left, 0); x < std::min(area.right, width()); ++x) count += At(x, y) == wanted;
        }
        return count;
    }
    template <typename Predicate>
    int CountWhere(const Rect& area, Predicate wanted) const {
        int count = 0;
        for (int y = std::max(area.top, 0); y < std::min(area.bottom, height()); ++y) {
            for (int x = std::max(area.left, 0); x < std::min(area.right, width()); ++x) count += wanted(At(x, y));
        }
        return count;
    }
    void Save(const char* name) const { SaveSnapshotFile(name, width(), height(), state_->dib.pixels()); }

private:
    struct State {
        State(int width, int height) : dib(width, height) {
            if (dib && dc) select.emplace(dc.get(), dib.get());
        }
        DibSection dib;
        MemoryDC dc;
        std::optional<SelectObjectScope> select;
    };
    std::unique_ptr<State> state_;
};

// The calendar window's settings: lunar text below the day number, no festivals, fixed font sizes,
// smooth text with shadows, a white day area.
inline void ConfigureLikeTheCalendarWindow(TLssCalendar& calendar) {
    calendar.SetShowHint(false);
    calendar.SetShowArrow(false);
    calendar.SetAutoFontSize(false);
    calendar.SetLunarCalStyle(TLssCalStyle::csBottom);
    calendar.SetFtvCalStyle(TLssCalStyle::csNone);
    calendar.SetVerticalScale(2.5);
    calendar.SetHorizonScale(2.5);
    calendar.SetSmoothText(true);
    calendar.SetShadowFont(true);
    TLssCalColors colors = calendar.CalColors();
    colors.WeekBackColor = 0xFFFFFF;
    colors.DayBackColor = 0xFFFFFF;
    colors.TrailingTextColor = 13158600;
    colors.LunarTermColor = 0x0000FF;
    colors.SaturdayColor = 0x0000FF;
    colors.WeekTextFont = {"宋体", kGb2312Charset, kClActiveCaption, 10, 0};
    colors.DayTextFont = {"Arial", kDefaultCharset, 3223857, 16, fsBold};
    colors.LunarTextFont = {"宋体", kGb2312Charset, kClWindowText, 8, 0};
    colors.FtvTextFont = {"宋体", kGb2312Charset, 0x008000, 8, 0};
    colors.BackMonthTextFont = {"Times New Roman", kDefaultCharset, 15132390, PointsFromPixels(211), fsBold | fsItalic};
    calendar.SetCalColors(colors);
}

// A top-level window with the control at (0, 0), 326 x 272 as in the calendar window.
class CalendarHost {
public:
    static constexpr int kWidth = 326;
    static constexpr int kHeight = 272;

    explicit CalendarHost(IClock& clock, bool visible = true) : control_(clock) {
        parent_.reset(::CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP | (visible ? WS_VISIBLE : 0), 40, 40,
                                        kWidth, kHeight, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr));
        if (parent_) control_.Create(parent_.get(), 0, 0, kWidth, kHeight);
    }
    LssCalendarControl& control() { return control_; }
    TLssCalendar& calendar() { return control_.Calendar(); }
    HWND hwnd() const { return control_.hwnd(); }

    // A full paint of the control through WM_PRINTCLIENT.
    Picture Print() {
        Picture picture(kWidth, kHeight);
        ::SendMessageW(hwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(picture.dc()), PRF_CLIENT);
        return picture;
    }
    // What the window shows after its pending (partial) paints.
    Picture Shown() {
        ::UpdateWindow(hwnd());
        Picture picture(kWidth, kHeight);
        const WindowDC dc(hwnd());
        ::BitBlt(picture.dc(), 0, 0, kWidth, kHeight, dc.get(), 0, 0, SRCCOPY);
        return picture;
    }

private:
    WindowHandle parent_;
    LssCalendarControl control_;
};

}  // namespace kalvoro::win::testing
