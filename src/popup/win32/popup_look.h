#pragma once
// How a popup message looks: sizes at the screen's DPI, the fonts shared by all popups, text
// measuring and painting. A title strip with the program's name and the arrival time, a close
// cross, and the text on a soft gradient panel inside a thin border.

#include <windows.h>

#include <string>
#include <string_view>

#include "base/win32/gdi.h"
#include "base/win32/handles.h"

namespace kalvoro::win {

struct PopupMetrics {
    int width = 0;
    int border = 0;
    int title_height = 0;
    int padding_x = 0;
    int padding_y = 0;
    int close_size = 0;
    int scroll_bar_width = 0;
    int min_text_height = 0;
    int max_text_height = 0;  // taller text scrolls

    static PopupMetrics ForDpi(int dpi);
};

struct PopupPaintState {
    std::wstring_view text;
    std::wstring_view arrival_time;  // "hh:mm"
    int text_height = 0;             // the whole wrapped text
    int scroll = 0;                  // pixels of text scrolled out at the top
    bool close_hot = false;
};

class PopupLook {
public:
    PopupLook();

    const PopupMetrics& metrics() const { return metrics_; }
    int line_height() const { return line_height_; }

    // Height of the wrapped text at the popup's width, and the window height that shows it.
    int MeasureText(std::wstring_view text) const;
    int WindowHeight(int text_height) const;

    RECT TextBox(const RECT& client) const;
    RECT CloseBox(const RECT& client) const;
    int MaxScroll(const RECT& client, int text_height) const;

    void Paint(HDC dc, const RECT& client, const PopupPaintState& state) const;

private:
    void PaintTitle(HDC dc, const RECT& client, const PopupPaintState& state) const;
    void PaintText(HDC dc, const RECT& client, const PopupPaintState& state) const;

    PopupMetrics metrics_;
    Font title_font_;
    Font text_font_;
    Font time_font_;
    IconHandle icon_;
    int line_height_ = 16;
};

}  // namespace kalvoro::win
