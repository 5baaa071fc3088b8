#pragma once
// Plain values of the month-grid control: colours, rectangles, font descriptions and the places a
// cell's lunar or festival text can go.

#include <cstdint>
#include <string>

namespace kalvoro {

// 0x00BBGGRR; a high byte of 0xFF names the system colour whose index is in the low byte.
using CalColor = std::uint32_t;

inline constexpr CalColor kClActiveCaption = 0xFF000002;
inline constexpr CalColor kClWindow = 0xFF000005;
inline constexpr CalColor kClWindowText = 0xFF000008;
inline constexpr CalColor kClInactiveCaptionText = 0xFF000013;
inline constexpr CalColor kClInfoText = 0xFF000017;
inline constexpr CalColor kClInfoBk = 0xFF000018;
inline constexpr CalColor kClWhite = 0xFFFFFF;
inline constexpr CalColor kClRed = 0x0000FF;
inline constexpr CalColor kClFuchsia = 0xFF00FF;

struct CalSize {
    int cx = 0;
    int cy = 0;
    friend bool operator==(const CalSize&, const CalSize&) = default;
};

// Right and bottom are exclusive.
struct CalRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    static constexpr CalRect FromSize(int x, int y, int width, int height) { return {x, y, x + width, y + height}; }
    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    constexpr bool IsEmpty() const { return right <= left || bottom <= top; }
    constexpr bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    constexpr bool Intersects(const CalRect& other) const {
        return !IsEmpty() && !other.IsEmpty() && left < other.right && other.left < right && top < other.bottom &&
               other.top < bottom;
    }
    constexpr CalRect Offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    friend bool operator==(const CalRect&, const CalRect&) = default;
};

// Where a cell's lunar or festival text goes: below the day number, to its right, or nowhere.
enum class TLssCalStyle { csBottom = 0, csRight = 1, csNone = 2 };

enum CalFontStyle : unsigned {
    fsBold = 1,
    fsItalic = 2,
    fsUnderline = 4,
    fsStrikeOut = 8,
};

inline constexpr int kDefaultCharset = 1;
inline constexpr int kGb2312Charset = 134;

// A font as a description; the Win32 side creates the GDI font from it.
struct CalFont {
    std::string Name;  // face name, UTF-8
    int Charset = kDefaultCharset;
    CalColor Color = kClWindowText;
    int Size = 9;  // points
    unsigned Style = 0;

    friend bool operator==(const CalFont&, const CalFont&) = default;
};

// Fonts given in pixels (the calendar window's form data does) as points at 96 dots per inch,
// rounded as a pixel height is turned back into points.
int PointsFromPixels(int pixels);

}  // namespace kalvoro
