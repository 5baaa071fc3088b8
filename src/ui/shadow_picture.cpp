#include "ui/shadow_picture.h"

#include <algorithm>

#include "ui/shadow_blur.h"

namespace kalvoro {
namespace {

constexpr std::uint8_t kWhite = 255;
constexpr std::uint8_t kBlack = 0;
constexpr int kBorderLimit = 1024;

// Drawing on the grey plane, clipped to the window's region when it has a complex one.
class ClippedCanvas {
public:
    ClippedCanvas(int width, int height) : plane_(width, height) {}

    GreyPlane& Plane() { return plane_; }
    Rect Bounds() const { return {0, 0, plane_.width, plane_.height}; }

    void ClipTo(const std::vector<Rect>& rects) {
        clip_.assign(plane_.values.size(), 0);
        for (const Rect& rect : rects) {
            const Rect inside = Intersection(rect, Bounds());
            for (int y = inside.top; y < inside.bottom; ++y) {
                for (int x = inside.left; x < inside.right; ++x) clip_[Index(x, y)] = 1;
            }
        }
    }

    bool Drawable(int x, int y) const { return clip_.empty() || clip_[Index(x, y)] != 0; }

    void Fill(const Rect& rect, std::uint8_t value) {
        const Rect inside = Intersection(rect, Bounds());
        for (int y = inside.top; y < inside.bottom; ++y) {
            for (int x = inside.left; x < inside.right; ++x) {
                if (Drawable(x, y)) plane_.At(x, y) = value;
            }
        }
    }

    // Visits every canvas pixel the mask covers when placed at origin.
    template <typename Visit>
    void ForMask(const ShapeMask& mask, Point origin, Visit visit) {
        const Rect placed{origin.x, origin.y, origin.x + mask.width, origin.y + mask.height};
        const Rect inside = Intersection(placed, Bounds());
        for (int y = inside.top; y < inside.bottom; ++y) {
            for (int x = inside.left; x < inside.right; ++x) {
                if (!Drawable(x, y)) continue;
                const std::size_t m =
                    static_cast<std::size_t>(y - origin.y) * static_cast<std::size_t>(mask.width) + (x - origin.x);
                visit(plane_.At(x, y), mask.opaque[m] != 0);
            }
        }
    }

private:
    std::size_t Index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(plane_.width) + x;
    }

    GreyPlane plane_;
    std::vector<std::uint8_t> clip_;  // empty: no clipping
};

bool IsUsableMask(const ShapeMask* mask) {
    if (mask == nullptr || mask->width <= 0 || mask->height <= 0) return false;
    if (mask->width > kShadowMaxWindowSide || mask->height > kShadowMaxWindowSide) return false;
    return mask->opaque.size() == static_cast<std::size_t>(mask->width) * static_cast<std::size_t>(mask->height);
}

// The area the window covers on the canvas; clips the canvas to the window's region when it has one.
Rect ShapeBounds(const ShadowSource& source, ClippedCanvas& canvas) {
    if (!source.complexRegion.empty()) {
        std::vector<Rect> placed;
        Rect bounds;
        for (const Rect& rect : source.complexRegion) {
            const Rect moved = ClampRect(rect).Moved(kShadowMargin, kShadowMargin);
            if (moved.IsEmpty()) continue;
            bounds = placed.empty() ? moved : BoundingBox(bounds, moved);
            placed.push_back(moved);
        }
        canvas.ClipTo(placed);
        return bounds;
    }
    Rect bounds{kShadowMargin, kShadowMargin, kShadowMargin + source.window.width,
                kShadowMargin + source.window.height};
    const int grow_x = std::clamp(source.border.width, 0, kBorderLimit) / 3;
    const int grow_y = std::clamp(source.border.height, 0, kBorderLimit) / 3;
    return {bounds.left - grow_x, bounds.top - grow_y, bounds.right + grow_x, bounds.bottom + grow_y};
}

std::uint32_t ShadowPixel(Colour colour, std::uint8_t alpha) {
    const auto scaled = [alpha](std::uint8_t component) -> std::uint32_t { return component * alpha / 255u; };
    return (std::uint32_t{alpha} << 24) | (scaled(RedOf(colour)) << 16) | (scaled(GreenOf(colour)) << 8) |
           scaled(BlueOf(colour));
}

}  // namespace

ShapeMask MakeColourKeyMask(std::span<const std::uint32_t> pixels, int width, int height, Colour keyColour) {
    if (width <= 0 || height <= 0 || width > kShadowMaxWindowSide || height > kShadowMaxWindowSide) return {};
    const std::uint32_t key_rgb =
        (std::uint32_t{RedOf(keyColour)} << 16) | (std::uint32_t{GreenOf(keyColour)} << 8) | BlueOf(keyColour);
    ShapeMask mask{width, height, std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height, 1)};
    const std::size_t known = std::min(pixels.size(), mask.opaque.size());
    for (std::size_t i = 0; i < known; ++i) {
        if ((pixels[i] & 0xFFFFFF) == key_rgb) mask.opaque[i] = 0;
    }
    return mask;
}

ShadowPicture BuildShadowPicture(const ShadowSource& source) {
    const Size window = source.window;
    if (window.width < 0 || window.height < 0) return {};
    if (window.width > kShadowMaxWindowSide || window.height > kShadowMaxWindowSide) return {};

    ClippedCanvas canvas(window.width + 2 * kShadowMargin, window.height + 2 * kShadowMargin);
    const Rect shape = ShapeBounds(source, canvas);
    canvas.Fill(shape, kWhite);

    const ShapeMask* mask = IsUsableMask(source.colourKeyMask) ? source.colourKeyMask : nullptr;
    const Point mask_origin{ClampCoordinate(source.clientOrigin.x) + kShadowMargin,
                            ClampCoordinate(source.clientOrigin.y) + kShadowMargin};
    if (mask != nullptr) {
        canvas.ForMask(*mask, mask_origin, [](std::uint8_t& value, bool opaque) { value = opaque ? kWhite : kBlack; });
    }

    BlurShadow(canvas.Plane());

    // The window hides whatever lies under its opaque parts; see-through parts keep the halo.
    if (mask != nullptr) {
        canvas.ForMask(*mask, mask_origin, [](std::uint8_t& value, bool opaque) {
            if (opaque) value = kBlack;
        });
    } else {
        canvas.Fill(shape, kBlack);
    }

    const GreyPlane& plane = canvas.Plane();
    ShadowPicture picture{plane.width, plane.height, std::vector<std::uint32_t>(plane.values.size()),
                          source.windowAlpha.value_or(255)};
    for (std::size_t i = 0; i < plane.values.size(); ++i)
        picture.pixels[i] = ShadowPixel(source.shadowColour, plane.values[i]);
    return picture;
}

}  // namespace kalvoro
