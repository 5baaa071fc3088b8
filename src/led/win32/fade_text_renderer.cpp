#include "led/win32/fade_text_renderer.h"

#include <algorithm>
#include <cstring>

#include "base/win32/text.h"
#include "base/win32/colour.h"

namespace kalvoro::win {
namespace {

constexpr std::uint32_t kKeyPixel = 0xFF00FF;
constexpr COLORREF kShadowCoverageInk = RGB(255, 0, 0);  // lands in the red channel
constexpr COLORREF kTextCoverageInk = RGB(0, 255, 0);    // lands in the green channel

std::uint32_t ToPixel(COLORREF colour) {
    return (std::uint32_t{GetRValue(colour)} << 16) | (std::uint32_t{GetGValue(colour)} << 8) | GetBValue(colour);
}

std::size_t FontSlot(FadeTextFont font) {
    return font == FadeTextFont::kFontAD ? 1 : 0;
}

std::uint32_t Channel(std::uint32_t pixel, int shift) {
    return (pixel >> shift) & 0xFFu;
}

}  // namespace

FadeTextFontStyle DefaultFontCN() {
    FadeTextFontStyle style;
    style.face = L"宋体";
    style.shadow = true;
    return style;
}

FadeTextFontStyle DefaultFontAD() {
    FadeTextFontStyle style;
    style.face = L"宋体";
    style.underline = true;
    return style;
}

struct FadeTextRenderer::Canvases {
    Canvases(int width, int height) : background(width, height), coverage(width, height), output(width, height) {}
    DibCanvas background;
    DibCanvas coverage;
    DibCanvas output;
};

FadeTextRenderer::FadeTextRenderer() : styles_{DefaultFontCN(), DefaultFontAD()} {}

FadeTextRenderer::~FadeTextRenderer() = default;

void FadeTextRenderer::SetSize(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == width_ && height == height_) return;
    width_ = width;
    height_ = height;
    canvases_.reset();
    coverage_valid_ = false;
}

void FadeTextRenderer::SetFontStyle(FadeTextFont font, const FadeTextFontStyle& style) {
    styles_[FontSlot(font)] = style;
    fonts_[FontSlot(font)].reset();
    coverage_valid_ = false;
}

const FadeTextFontStyle& FadeTextRenderer::FontStyle(FadeTextFont font) const {
    return styles_[FontSlot(font)];
}

void FadeTextRenderer::SetFontColour(COLORREF colour) {
    // Only the mix uses the colour; the coverage stays valid.
    for (FadeTextFontStyle& style : styles_) style.colour = colour;
}

void FadeTextRenderer::SetSmoothing(bool smoothing) {
    if (smoothing == smoothing_) return;
    smoothing_ = smoothing;
    for (Font& font : fonts_) font.reset();
    coverage_valid_ = false;
}

bool FadeTextRenderer::EnsureCanvases() {
    if (canvases_) return true;
    if (width_ <= 0 || height_ <= 0) return false;
    auto canvases = std::make_unique<Canvases>(width_, height_);
    if (!canvases->background || !canvases->coverage || !canvases->output) return false;
    canvases_ = std::move(canvases);
    coverage_valid_ = false;
    std::fill_n(canvases_->background.pixels(), canvases_->background.pixel_count(), ToPixel(background_colour_));
    return true;
}

void FadeTextRenderer::SetBackground(HDC source, int x, int y) {
    if (!source || !EnsureCanvases()) return;
    ::BitBlt(canvases_->background.dc(), 0, 0, width_, height_, source, x, y, SRCCOPY);
    ::GdiFlush();
}

void FadeTextRenderer::SetBackgroundColour(COLORREF colour) {
    background_colour_ = ResolveColour(colour);
    if (canvases_) {
        std::fill_n(canvases_->background.pixels(), canvases_->background.pixel_count(), ToPixel(background_colour_));
    }
}

HFONT FadeTextRenderer::FontFor(FadeTextFont font) {
    Font& slot = fonts_[FontSlot(font)];
    if (!slot) {
        const FadeTextFontStyle& style = styles_[FontSlot(font)];
        slot.reset(::CreateFontW(-style.pixel_height, 0, 0, 0, FW_NORMAL, FALSE, style.underline ? TRUE : FALSE, FALSE,
                                 GB2312_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                 smoothing_ ? ANTIALIASED_QUALITY : NONANTIALIASED_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                                 style.face.c_str()));
    }
    return slot.get();
}

bool FadeTextRenderer::LayOutFromGlyphBitmaps(HDC dc, int* x, int* y) {
    // Hard-edged glyphs come from the font's bitmap strike where it has one. Asking for the text's
    // extent instead (as DrawText does) makes the rasterizer load every glyph's outline and the
    // parts a CJK glyph is composed of: megabytes of font pages that drawing them never touches.
    const int length = static_cast<int>(wide_text_.size());
    if (length == 0) return false;
    glyph_indices_.resize(wide_text_.size());
    advances_.resize(wide_text_.size());
    // A character the font lacks is drawn by another font: DrawText knows how.
    if (::GetGlyphIndicesW(dc, wide_text_.c_str(), length, glyph_indices_.data(), GGI_MARK_NONEXISTING_GLYPHS) ==
        GDI_ERROR) {
        return false;
    }
    if (std::find(glyph_indices_.begin(), glyph_indices_.end(), WORD{0xFFFF}) != glyph_indices_.end()) return false;
    constexpr MAT2 kIdentity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
    int line_width = 0;
    for (std::size_t i = 0; i < wide_text_.size(); ++i) {
        GLYPHMETRICS metrics{};
        if (::GetGlyphOutlineW(dc, glyph_indices_[i], GGO_BITMAP | GGO_GLYPH_INDEX, &metrics, 0, nullptr, &kIdentity) ==
            GDI_ERROR) {
            return false;
        }
        advances_[i] = metrics.gmCellIncX;
        line_width += metrics.gmCellIncX;
    }
    // A line wider than the box is cut with an ellipsis: DrawText again.
    if (line_width > width_) return false;
    TEXTMETRICW text_metrics{};
    if (!::GetTextMetricsW(dc, &text_metrics)) return false;
    // Where DrawText centres a single line.
    *x = (width_ - line_width) / 2;
    *y = height_ / 2 - text_metrics.tmHeight / 2;
    return true;
}

void FadeTextRenderer::RenderCoverage(const FadeTextLineView& line) {
    DibCanvas& coverage = canvases_->coverage;
    std::fill_n(coverage.pixels(), coverage.pixel_count(), 0u);
    wide_text_ = Widen(line.text);
    const FadeTextFontStyle& style = styles_[FontSlot(line.font)];
    {
        HDC dc = coverage.dc();
        SaveDCScope saved(dc);
        SelectObjectScope font(dc, FontFor(line.font));
        ::SetBkMode(dc, TRANSPARENT);
        const int length = static_cast<int>(wide_text_.size());
        int x = 0;
        int y = 0;
        if (!smoothing_ && LayOutFromGlyphBitmaps(dc, &x, &y)) {
            const auto draw = [&](int left, int top) {
                ::ExtTextOutW(dc, left, top, ETO_GLYPH_INDEX, nullptr, reinterpret_cast<LPCWSTR>(glyph_indices_.data()),
                              static_cast<UINT>(length), advances_.data());
            };
            if (style.shadow) {
                ::SetTextColor(dc, kShadowCoverageInk);
                draw(x + style.shadow_offset.x, y + style.shadow_offset.y);
            }
            ::SetTextColor(dc, kTextCoverageInk);
            draw(x, y);
        } else {
            constexpr UINT kFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;
            if (style.shadow) {
                RECT shadow_box{style.shadow_offset.x, style.shadow_offset.y, width_ + style.shadow_offset.x,
                                height_ + style.shadow_offset.y};
                ::SetTextColor(dc, kShadowCoverageInk);
                ::DrawTextW(dc, wide_text_.c_str(), length, &shadow_box, kFormat);
            }
            RECT box{0, 0, width_, height_};
            ::SetTextColor(dc, kTextCoverageInk);
            ::DrawTextW(dc, wide_text_.c_str(), length, &box, kFormat);
        }
    }
    ::GdiFlush();
    coverage_font_ = line.font;
    coverage_text_.assign(line.text);
    coverage_valid_ = true;
}

void FadeTextRenderer::Mix(int opacity, const FadeTextFontStyle& style) {
    const std::uint32_t* background = canvases_->background.pixels();
    const std::uint32_t* coverage = canvases_->coverage.pixels();
    std::uint32_t* output = canvases_->output.pixels();
    const std::uint32_t text = ToPixel(ResolveColour(style.colour));
    const std::uint32_t shadow = ToPixel(ResolveColour(style.shadow_colour));
    const auto alpha = static_cast<std::uint32_t>(std::clamp(opacity, 0, 255));
    const std::size_t count = canvases_->output.pixel_count();
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint32_t back = background[i] & 0xFFFFFFu;
        // The text was drawn over the shadow, so the red channel already holds only the shadow
        // that still shows: background, shadow and text weights add up to one.
        std::uint32_t shadow_weight = Channel(coverage[i], 16) * alpha / 255;
        const std::uint32_t text_weight = Channel(coverage[i], 8) * alpha / 255;
        shadow_weight = std::min(shadow_weight, 255 - text_weight);
        if (back == kKeyPixel) {
            if (shadow_weight + text_weight >= 128) {
                output[i] = text_weight >= shadow_weight ? text : shadow;
            } else {
                output[i] = kKeyPixel;
            }
            continue;
        }
        const std::uint32_t back_weight = 255 - shadow_weight - text_weight;
        std::uint32_t mixed = 0;
        for (int shift = 0; shift <= 16; shift += 8) {
            const std::uint32_t value = (Channel(back, shift) * back_weight + Channel(shadow, shift) * shadow_weight +
                                         Channel(text, shift) * text_weight + 127) /
                                        255;
            mixed |= value << shift;
        }
        // Only the background may make a pixel see-through.
        output[i] = mixed == kKeyPixel ? kKeyPixel ^ 1u : mixed;
    }
}

void FadeTextRenderer::Paint(HDC target, int x, int y, const FadeText& text) {
    if (!target || !EnsureCanvases()) return;
    const FadeTextFrame frame = text.Frame();
    if (frame.line >= 0 && frame.opacity > 0) {
        const FadeTextLineView line = ParseFadeTextLine(text.Line(frame.line));
        if (!coverage_valid_ || line.font != coverage_font_ || line.text != coverage_text_) RenderCoverage(line);
        Mix(frame.opacity, styles_[FontSlot(line.font)]);
    } else {
        std::memcpy(canvases_->output.pixels(), canvases_->background.pixels(),
                    canvases_->output.pixel_count() * sizeof(std::uint32_t));
    }
    ::BitBlt(target, x, y, width_, height_, canvases_->output.dc(), 0, 0, SRCCOPY);
}

}  // namespace kalvoro::win
