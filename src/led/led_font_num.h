#pragma once
// TLEDFontNum: a short text (the bar's "hh:mm:ss") as seven-segment LED digits. This is the
// window-less model: its properties with their setter rules, its size, and the layout that turns
// the text into the list of polygons to fill, in drawing order. The Win32 painter draws that list.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "led/led_geometry.h"

#include "base/colour.h"

namespace kalvoro {

struct LedFill {
    Colour colour = 0;
    LedPolygon polygon{};
};

class LEDFontNum {
public:
    // Geometry properties are kept inside +-kMaxCoordinate so that no cell position can overflow.
    static constexpr int kMaxCoordinate = 10000;
    // Longer texts are cut (on a character boundary); the control shows a few characters.
    static constexpr std::size_t kMaxTextBytes = 255;
    // Ten dark polygons and at most ten lit ones per cell: a repeated mark paints the same pixels.
    static constexpr std::size_t kMaxFillsPerCell = 20;

    LEDFontNum();

    // Every setter returns true when what the control shows changed, i.e. it needs a repaint.
    int OffSetX() const { return off_set_x_; }
    bool SetOffSetX(int value);
    int OffSetY() const { return off_set_y_; }
    bool SetOffSetY(int value);
    int WordWidth() const { return metrics_.word_width; }
    bool SetWordWidth(int value);  // only when greater than 2 x Thick
    int WordHeight() const { return metrics_.word_height; }
    bool SetWordHeight(int value);  // only when at least 4 x Thick; an even value is stored as value + 1
    int Thick() const { return metrics_.thick; }
    bool SetThick(int value);  // only when at least 1 and the cell still fits it
    int Space() const { return space_; }
    bool SetSpace(int value);

    const std::string& Text() const { return text_; }
    bool SetText(std::string_view text);

    Colour BGColor() const { return bg_color_; }
    bool SetBGColor(Colour colour);
    Colour LightColor() const { return light_color_; }
    bool SetLightColor(Colour colour);
    Colour DarkColor() const { return dark_color_; }
    bool SetDarkColor(Colour colour);

    bool AutoSize() const { return auto_size_; }
    bool SetAutoSize(bool value);
    bool DrawDarkColor() const { return draw_dark_color_; }
    bool SetDrawDarkColor(bool value);
    bool Visible() const { return visible_; }
    bool SetVisible(bool value);

    // The control's area; with AutoSize on it follows the text and the geometry.
    int Width() const { return width_; }
    int Height() const { return height_; }
    bool SetSize(int width, int height);

    // Cells are the characters other than "." and ":".
    std::size_t CellCount() const;
    // n x WordWidth + (n - 1) x Space + 2 x OffSetX, never below 0.
    int AutoWidth() const;
    int AutoHeight() const;

    // Takes the automatic size when AutoSize is on and the size differs; true when it changed.
    // The setters apply it themselves; the painter calls it before drawing, as the size follows the text.
    bool ApplyAutoSize();

    // Writes the fills for the current text into `out` in drawing order and returns how many
    // there are; when `out` is shorter, only its room is written and the caller grows it.
    std::size_t Layout(std::span<LedFill> out) const;
    LedCellMetrics Metrics() const { return metrics_; }

private:
    bool Changed(bool size_may_change);

    int off_set_x_ = 4;
    int off_set_y_ = 4;
    LedCellMetrics metrics_{17, 29, 3};
    int space_ = 4;
    std::string text_ = "00";
    Colour bg_color_ = 0x4A424A;
    Colour light_color_ = 0x00FFF7;
    Colour dark_color_ = 0x636363;
    bool auto_size_ = true;
    bool draw_dark_color_ = false;
    bool visible_ = true;
    int width_ = 47;
    int height_ = 38;
};

// Storage for a layout that lives between paints: it grows only when a longer text needs more
// room, so the once-a-second paint allocates nothing.
class LedDrawList {
public:
    std::span<const LedFill> Build(const LEDFontNum& led);

private:
    std::vector<LedFill> storage_;
};

}  // namespace kalvoro
