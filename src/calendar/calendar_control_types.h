#pragma once
// Plain values of the month-grid control: colours, rectangles, font descriptions and the places a
// cell's lunar or festival text can go.

#include <cstdint>
#include <string>

#include "base/colour.h"
#include "base/geometry.h"

namespace kalvoro {

inline constexpr Colour kClActiveCaption = 0xFF000002;
inline constexpr Colour kClWindow = 0xFF000005;
inline constexpr Colour kClWindowText = 0xFF000008;
inline constexpr Colour kClInactiveCaptionText = 0xFF000013;
inline constexpr Colour kClInfoText = 0xFF000017;
inline constexpr Colour kClInfoBk = 0xFF000018;
inline constexpr Colour kClWhite = 0xFFFFFF;
inline constexpr Colour kClRed = 0x0000FF;
inline constexpr Colour kClFuchsia = 0xFF00FF;

struct CalSize {
    int cx = 0;
    int cy = 0;
    friend bool operator==(const CalSize&, const CalSize&) = default;
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
    Colour Color = kClWindowText;
    int Size = 9;  // points
    unsigned Style = 0;

    friend bool operator==(const CalFont&, const CalFont&) = default;
};

// Fonts given in pixels (the calendar window's form data does) as points at 96 dots per inch,
// rounded as a pixel height is turned back into points.
int PointsFromPixels(int pixels);

}  // namespace kalvoro
