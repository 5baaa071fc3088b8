#include "led/led_font_num.h"

#include <algorithm>

namespace kalvoro {
namespace {

constexpr int kMaxControlSize = 32767;

bool IsMark(char c) {
    return c == '.' || c == ':';
}

// Byte length of the UTF-8 character starting at `pos`; a stray byte counts as one character.
std::size_t CharacterLength(std::string_view text, std::size_t pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    std::size_t expected = 1;
    if (lead >= 0xF0 && lead <= 0xF7) {
        expected = 4;
    } else if (lead >= 0xE0) {
        expected = 3;
    } else if (lead >= 0xC0) {
        expected = 2;
    }
    std::size_t length = 1;
    while (length < expected && pos + length < text.size() &&
           (static_cast<unsigned char>(text[pos + length]) & 0xC0) == 0x80) {
        ++length;
    }
    return length;
}

std::string_view CutToCharacters(std::string_view text, std::size_t max_bytes) {
    if (text.size() <= max_bytes) return text;
    std::size_t end = 0;
    while (end < text.size()) {
        const std::size_t next = end + CharacterLength(text, end);
        if (next > max_bytes) break;
        end = next;
    }
    return text.substr(0, end);
}

int ClampCoordinate(int value) {
    return std::clamp(value, -LEDFontNum::kMaxCoordinate, LEDFontNum::kMaxCoordinate);
}

// Appends fills while there is room, counting them all.
class FillWriter {
public:
    explicit FillWriter(std::span<LedFill> out) : out_(out) {}
    void Add(Colour colour, const LedPolygon& polygon) {
        if (count_ < out_.size()) out_[count_] = LedFill{colour, polygon};
        ++count_;
    }
    void AddAll(Colour colour, const LedCellPolygons& polygons, std::string_view indices) {
        for (char index : indices) Add(colour, polygons[static_cast<std::size_t>(index - '0')]);
    }
    std::size_t count() const { return count_; }

private:
    std::span<LedFill> out_;
    std::size_t count_ = 0;
};

}  // namespace

LEDFontNum::LEDFontNum() = default;

bool LEDFontNum::Changed(bool size_may_change) {
    if (size_may_change) ApplyAutoSize();
    return true;
}

bool LEDFontNum::SetOffSetX(int value) {
    value = ClampCoordinate(value);
    if (value == off_set_x_) return false;
    off_set_x_ = value;
    return Changed(true);
}

bool LEDFontNum::SetOffSetY(int value) {
    value = ClampCoordinate(value);
    if (value == off_set_y_) return false;
    off_set_y_ = value;
    return Changed(true);
}

bool LEDFontNum::SetWordWidth(int value) {
    value = ClampCoordinate(value);
    if (value == metrics_.word_width || value <= 2 * metrics_.thick) return false;
    metrics_.word_width = value;
    return Changed(true);
}

bool LEDFontNum::SetWordHeight(int value) {
    value = ClampCoordinate(value);
    if (value < 4 * metrics_.thick) return false;
    if (value % 2 == 0) ++value;
    if (value == metrics_.word_height) return false;
    metrics_.word_height = value;
    return Changed(true);
}

bool LEDFontNum::SetThick(int value) {
    value = ClampCoordinate(value);
    // Below one pixel a segment has no body; the other rules keep it inside the cell.
    if (value == metrics_.thick || value < 1) return false;
    if (2 * value >= metrics_.word_width || 4 * value - 1 >= metrics_.word_height) return false;
    if ((metrics_.word_height - 4 * value + 1) % 2 != 0) return false;
    metrics_.thick = value;
    return Changed(false);
}

bool LEDFontNum::SetSpace(int value) {
    value = ClampCoordinate(value);
    if (value == space_) return false;
    space_ = value;
    return Changed(true);
}

bool LEDFontNum::SetText(std::string_view text) {
    text = CutToCharacters(text, kMaxTextBytes);
    if (text == text_) return false;
    text_.assign(text);  // the capacity stays, so a clock text of the same length never allocates
    return Changed(true);
}

bool LEDFontNum::SetBGColor(Colour colour) {
    if (colour == bg_color_) return false;
    bg_color_ = colour;
    return Changed(false);
}

bool LEDFontNum::SetLightColor(Colour colour) {
    if (colour == light_color_) return false;
    light_color_ = colour;
    return Changed(false);
}

bool LEDFontNum::SetDarkColor(Colour colour) {
    if (colour == dark_color_) return false;
    dark_color_ = colour;
    return Changed(false);
}

bool LEDFontNum::SetAutoSize(bool value) {
    if (value == auto_size_) return false;
    auto_size_ = value;
    return value && ApplyAutoSize();
}

bool LEDFontNum::SetDrawDarkColor(bool value) {
    if (value == draw_dark_color_) return false;
    draw_dark_color_ = value;
    return Changed(false);
}

bool LEDFontNum::SetVisible(bool value) {
    if (value == visible_) return false;
    visible_ = value;
    return true;
}

bool LEDFontNum::SetSize(int width, int height) {
    width = std::clamp(width, 0, kMaxControlSize);
    height = std::clamp(height, 0, kMaxControlSize);
    const bool changed = width != width_ || height != height_;
    width_ = width;
    height_ = height;
    return ApplyAutoSize() || changed;
}

std::size_t LEDFontNum::CellCount() const {
    std::size_t cells = 0;
    for (std::size_t pos = 0; pos < text_.size(); pos += CharacterLength(text_, pos)) {
        if (!IsMark(text_[pos])) ++cells;
    }
    return cells;
}

int LEDFontNum::AutoWidth() const {
    const int cells = static_cast<int>(CellCount());
    const int width = cells * metrics_.word_width + (cells - 1) * space_ + 2 * off_set_x_;
    return std::clamp(width, 0, kMaxControlSize);
}

int LEDFontNum::AutoHeight() const {
    return std::clamp(2 * off_set_y_ + metrics_.word_height, 0, kMaxControlSize);
}

// Both sides are compared: a new WordHeight or OffSetY must resize the control even when the width
// stays, or the digits would be cut off.
bool LEDFontNum::ApplyAutoSize() {
    if (!auto_size_) return false;
    const int width = AutoWidth();
    const int height = AutoHeight();
    if (width == width_ && height == height_) return false;
    width_ = width;
    height_ = height;
    return true;
}

std::size_t LEDFontNum::Layout(std::span<LedFill> out) const {
    FillWriter writer(out);
    const bool draw_dark = dark_color_ != bg_color_ && draw_dark_color_;
    const bool draw_light = light_color_ != bg_color_;
    int cell = 0;
    std::size_t pos = 0;
    // Marks before the first character belong to no cell.
    while (pos < text_.size() && IsMark(text_[pos])) ++pos;
    while (pos < text_.size()) {
        const std::size_t length = CharacterLength(text_, pos);
        const char character = length == 1 ? text_[pos] : '\0';
        pos += length;
        bool has_point = false;
        bool has_colon = false;
        for (; pos < text_.size() && IsMark(text_[pos]); ++pos) {
            (text_[pos] == '.' ? has_point : has_colon) = true;
        }

        const int x0 = off_set_x_ + cell * (metrics_.word_width + space_);
        ++cell;
        const LedCellPolygons polygons = ComputeCellPolygons(x0, off_set_y_, metrics_);
        if (draw_dark) {
            writer.AddAll(dark_color_, polygons, "0123456789");
        }
        if (!draw_light || character == ' ') continue;
        if (character == '-') {
            writer.Add(light_color_, polygons[kSegmentMiddle]);
        } else if (character >= '0' && character <= '9') {
            writer.AddAll(light_color_, polygons, LitPolygonsOf(character));
            if (has_point) writer.AddAll(light_color_, polygons, LitPolygonsOf('.'));
            if (has_colon) writer.AddAll(light_color_, polygons, LitPolygonsOf(':'));
        }
    }
    return writer.count();
}

std::span<const LedFill> LedDrawList::Build(const LEDFontNum& led) {
    std::size_t count = led.Layout(storage_);
    if (count > storage_.size()) {
        storage_.resize(count);
        count = led.Layout(storage_);
    }
    return std::span<const LedFill>(storage_).first(count);
}

}  // namespace kalvoro
