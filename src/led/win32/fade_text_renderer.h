#pragma once
// Draws one frame of the fading date line: the line's text, hard-edged (or anti-aliased when asked)
// and with an optional shadow, blended at the frame's opacity over a copy of the bar's background
// picture.
//
// The text is first rendered as coverage (shadow in the red channel, text in the green one) and
// then mixed with the background by hand. Pixels where the background is the bar's colour key
// (magenta, see-through) are never blended: they become solid text or shadow, or stay the key, so no
// pink fringe can appear around the glyphs. Everything else is kept between paints; a paint that
// shows the same line again only mixes and copies.

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "base/win32/gdi.h"
#include "led/fade_text.h"
#include "led/win32/dib_canvas.h"

namespace kalvoro::win {

struct FadeTextFontStyle {
    std::wstring face;
    int pixel_height = 12;
    COLORREF colour = RGB(255, 255, 255);
    bool underline = false;
    bool shadow = false;
    POINT shadow_offset{1, 1};
    COLORREF shadow_colour = RGB(0, 0, 0);
};

// "FontCN": white 宋体 12 px with a one-pixel shadow to the lower right.
FadeTextFontStyle DefaultFontCN();
// "FontAD": white 宋体 12 px, underlined.
FadeTextFontStyle DefaultFontAD();

class FadeTextRenderer {
public:
    static constexpr COLORREF kColourKey = RGB(255, 0, 255);
    static constexpr int kDefaultWidth = 154;
    static constexpr int kDefaultHeight = 20;

    FadeTextRenderer();
    FadeTextRenderer(const FadeTextRenderer&) = delete;
    FadeTextRenderer& operator=(const FadeTextRenderer&) = delete;
    ~FadeTextRenderer();

    // A new size drops the background copy (back to the background colour): set it again.
    void SetSize(int width, int height);
    int width() const { return width_; }
    int height() const { return height_; }

    void SetFontStyle(FadeTextFont font, const FadeTextFontStyle& style);
    const FadeTextFontStyle& FontStyle(FadeTextFont font) const;
    // The skin's text colour goes to both fonts.
    void SetFontColour(COLORREF colour);
    // Hard-edged glyphs (the default: the date line is drawn without smoothing) or anti-aliased text.
    void SetSmoothing(bool smoothing);

    // Copies the box's part of the bar's background picture: width() x height() from (x, y).
    void SetBackground(HDC source, int x, int y);
    // A plain background, used until a picture is given.
    void SetBackgroundColour(COLORREF colour);

    void Paint(HDC target, int x, int y, const FadeText& text);

private:
    struct Canvases;
    bool EnsureCanvases();
    void RenderCoverage(const FadeTextLineView& line);
    // Places wide_text_ centred in the box from its glyph bitmaps' advances (into glyph_indices_
    // and advances_); false when DrawText must do it.
    bool LayOutFromGlyphBitmaps(HDC dc, int* x, int* y);
    void Mix(int opacity, const FadeTextFontStyle& style);
    HFONT FontFor(FadeTextFont font);

    int width_ = kDefaultWidth;
    int height_ = kDefaultHeight;
    FadeTextFontStyle styles_[2];
    Font fonts_[2];
    bool smoothing_ = false;
    COLORREF background_colour_ = RGB(0, 0, 0);
    std::unique_ptr<Canvases> canvases_;

    // What the coverage canvas holds, so the same line is not rendered twice.
    bool coverage_valid_ = false;
    FadeTextFont coverage_font_ = FadeTextFont::kFontCN;
    std::string coverage_text_;
    std::wstring wide_text_;
    std::vector<WORD> glyph_indices_;
    std::vector<INT> advances_;
};

}  // namespace kalvoro::win
