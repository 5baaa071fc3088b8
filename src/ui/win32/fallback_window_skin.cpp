#include "ui/win32/fallback_window_skin.h"

#include <cmath>

#include "ui/frame_layout.h"

namespace kalvoro {
namespace {

// Pixels, 0x00RRGGBB.
constexpr std::uint32_t kBorder = 0x3E5F8A;
constexpr std::uint32_t kCaptionTop = 0x5B8FD0;
constexpr std::uint32_t kCaptionBottom = 0x2F66AD;
constexpr std::uint32_t kCaptionGlint = 0x86AEE0;
constexpr std::uint32_t kCaptionRule = 0x1F4E8C;
constexpr std::uint32_t kFaceEdge = 0xD5DCE6;
constexpr std::uint32_t kCloseGlyph = 0xE8EEF6;
constexpr std::uint32_t kCloseHotTop = 0xE0564A;
constexpr std::uint32_t kCloseHotBottom = 0xB0281E;
constexpr std::uint32_t kCloseHotGlyph = 0xFFFFFF;

std::uint32_t Blend(std::uint32_t from, std::uint32_t to, int step, int steps) {
    if (steps <= 0) return from;
    const auto channel = [&](int shift) {
        const int a = static_cast<int>((from >> shift) & 0xFF);
        const int b = static_cast<int>((to >> shift) & 0xFF);
        return static_cast<std::uint32_t>(a + (b - a) * step / steps) << shift;
    };
    return channel(16) | channel(8) | channel(0);
}

// Distance of the pixel centre from the nearest rounded corner's centre, or 0 outside the corners.
double CornerDistance(int x, int y, int width, int height, double radius) {
    const double px = x + 0.5;
    const double py = y + 0.5;
    const double cx = px < radius ? radius : (px > width - radius ? width - radius : px);
    const double cy = py < radius ? radius : (py > height - radius ? height - radius : py);
    if (cx == px || cy == py) return 0;
    return std::hypot(px - cx, py - cy);
}

// The region cuts the corners with a 13 x 13 ellipse; the border follows the same curve.
void RoundCorners(SkinImage& image, std::uint32_t border) {
    const double radius = kFrameCornerEllipse / 2.0;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const double distance = CornerDistance(x, y, image.width, image.height, radius);
            if (distance > radius) {
                image.At(x, y) = kSeeThroughPixel;
            } else if (distance > radius - 1.0) {
                image.At(x, y) = border;
            }
        }
    }
}

SkinImage Frame() {
    const int w = kFallbackFrameWidth;
    const int h = kFallbackFrameHeight;
    const int band = kFrameCaptionBandHeight;
    SkinImage image = SkinImage::Filled(w, h, ColorRefToPixel(kFallbackFaceColour));
    for (int y = 0; y < band; ++y) {
        const std::uint32_t row = Blend(kCaptionTop, kCaptionBottom, y, band - 1);
        for (int x = 0; x < w; ++x) image.At(x, y) = row;
    }
    for (int x = 0; x < w; ++x) {
        image.At(x, 1) = kCaptionGlint;
        image.At(x, band - 1) = kCaptionRule;
        image.At(x, h - 2) = kFaceEdge;
    }
    for (int y = band; y < h - 1; ++y) {
        image.At(1, y) = kFaceEdge;
        image.At(w - 2, y) = kFaceEdge;
    }
    for (int x = 0; x < w; ++x) {
        image.At(x, 0) = kBorder;
        image.At(x, h - 1) = kBorder;
    }
    for (int y = 0; y < h; ++y) {
        image.At(0, y) = kBorder;
        image.At(w - 1, y) = kBorder;
    }
    RoundCorners(image, kBorder);
    return image;
}

// The frame's rows behind the button: it stands one row below the frame picture's top, where the
// frame's own first row lands, so it covers the border line too.
SkinImage CaptionPatch(int width, int height) {
    SkinImage image = SkinImage::Filled(width, height, 0);
    for (int y = 0; y < height; ++y) {
        const std::uint32_t row = y == 0   ? kBorder
                                  : y == 1 ? kCaptionGlint
                                           : Blend(kCaptionTop, kCaptionBottom, y, kFrameCaptionBandHeight - 1);
        for (int x = 0; x < width; ++x) image.At(x, y) = row;
    }
    return image;
}

void DrawCross(SkinImage& image, std::uint32_t colour) {
    const int size = 8;
    const int left = (image.width - size) / 2;
    const int top = (image.height - size) / 2;
    for (int i = 0; i < size; ++i) {
        for (int thick = 0; thick < 2; ++thick) {
            const int x = left + i + thick;
            if (x >= image.width) continue;
            image.At(x, top + i) = colour;
            image.At(x, top + size - 1 - i) = colour;
        }
    }
}

SkinImage CloseButton(bool hot) {
    SkinImage image = CaptionPatch(kFallbackCloseWidth, kFallbackCloseHeight);
    if (hot) {
        const std::uint32_t behind = image.At(0, image.height - 1);
        for (int y = 0; y < image.height; ++y) {
            const std::uint32_t row = Blend(kCloseHotTop, kCloseHotBottom, y, image.height - 1);
            for (int x = 0; x < image.width; ++x) image.At(x, y) = row;
        }
        // Softened lower corners; the top runs into the caption's edge.
        image.At(0, image.height - 1) = behind;
        image.At(image.width - 1, image.height - 1) = behind;
    }
    DrawCross(image, hot ? kCloseHotGlyph : kCloseGlyph);
    return image;
}

}  // namespace

WindowSkin FallbackWindowSkin() {
    WindowSkin skin;
    skin.caption = kFallbackCaptionColour;
    skin.frame = Frame();
    skin.close_up = CloseButton(false);
    skin.close_hot = CloseButton(true);
    return skin;
}

}  // namespace kalvoro
