#pragma once
// What the bar draws and where: the background picture, the time panel with its LED digits or
// plain-text time, the date line, and the menu and minimise buttons with their hot pictures.
// Everything is painted off-screen and copied in one piece, so the bar never flickers.

#include <windows.h>

#include <memory>
#include <string>

#include "app/settings.h"
#include "app/clock_display.h"
#include "base/win32/gdi.h"
#include "led/fade_text.h"
#include "led/win32/fade_text_control.h"
#include "led/win32/led_control.h"

namespace kalvoro::win {

enum class BarPart { kNone, kBackground, kPanel, kDateLine, kMenuButton, kMinButton };

// The skin's pictures and colours for the bar; empty pictures keep the built-in look.
struct BarLook {
    Bitmap background;
    Bitmap menu_up, menu_hot;
    Bitmap min_up, min_hot;
    COLORREF panel_colour = RGB(0, 0, 0);
    COLORREF panel_border = RGB(90, 96, 110);
    COLORREF date_colour = RGB(255, 255, 255);
};

class BarView final : public IDateLine {
public:
    // The bar's parts are designed at 96 DPI; Attach lays them out for the bar's scale.
    void Attach(HWND bar, const DisplayScale& scale);
    // The bar moved to a display of another resolution: every part, font and picture follows.
    void SetScale(const DisplayScale& scale);
    const DisplayScale& Scale() const { return scale_; }
    Size BarSize() const { return {width_, height_}; }
    void AttachToolTips(HWND tooltip);

    BarPart HitTest(int x, int y) const;
    RECT PartRect(BarPart part) const;
    void Paint(HDC target);
    // Paints only what lies in dirty: the once-a-second time panel redraws and copies the panel alone.
    void Paint(HDC target, const RECT& dirty);

    void SetTime(const char* hhmmss);
    void SetHint(const std::wstring& hint);
    void SetHot(BarPart part);
    void SetPressed(BarPart part);
    void ApplyLedFont(const LedFontSettings& font);
    void ApplyLook(BarLook look);
    LedControl& led() { return led_; }
    FadeTextControl& date_line() { return date_line_; }
    // Paints the whole bar, the date line included, into a DC (WM_PRINTCLIENT, screenshots).
    void PrintTo(HDC target);

    // IDateLine
    int LineCount() const override { return date_line_.LineCount(); }
    const std::string& Line(int index) const override { return date_line_.Line(index); }
    void SetFirstLine(const std::string& line) override;
    bool Active() const override { return date_line_.Active(); }
    void SetActive(bool active) override;
    int CurrentLine() const override { return date_line_.CurrentLine(); }
    void ShowLine(int index) override;

private:
    void PaintBackground(HDC dc);
    void PaintPanel(HDC dc);
    void PaintButtons(HDC dc);
    void InvalidatePart(BarPart part) const;
    void MakeTimeFont();
    void ScalePictures();
    void UpdateToolRects();
    // The date line draws itself over a copy of the background under it.
    void HandBackgroundToDateLine();

    HWND bar_ = nullptr;
    DisplayScale scale_;
    int width_ = kBarWidth;
    int height_ = kBarHeight;
    RECT panel_rect_{};
    RECT led_rect_{};
    RECT date_line_rect_{};
    RECT menu_rect_{};
    RECT min_rect_{};
    HWND tooltip_ = nullptr;
    LedControl led_;
    FadeTextControl date_line_;
    char time_text_[9] = "00:00:00";
    std::wstring time_wide_ = L"00:00:00";
    bool led_digits_ = true;
    LedFontSettings time_font_settings_;
    bool has_time_font_ = false;
    Font time_font_;
    COLORREF time_colour_ = RGB(255, 255, 255);
    BarLook look_;   // as the skin has them, at 96 DPI
    BarLook shown_;  // the same pictures at the bar's scale
    std::unique_ptr<OffscreenSurface> surface_;
    BarPart hot_ = BarPart::kNone;
    BarPart pressed_ = BarPart::kNone;
};

}  // namespace kalvoro::win
