#include "skin/rotate_image.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace kalvoro {
namespace {

struct Box {
    int left, top, right, bottom;
};

Box Intersect(Box a, Box b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
}

// Draws the picture into dest (target coordinates), scaled by nearest neighbour when the sizes
// differ, only where it lies inside clip.
void DrawScaled(PixelRows target, Box clip, const SkinImage& picture, Box dest, bool keyed, std::uint32_t key) {
    const int dest_width = dest.right - dest.left;
    const int dest_height = dest.bottom - dest.top;
    if (picture.empty() || dest_width <= 0 || dest_height <= 0) return;
    const Box area = Intersect(Intersect(clip, dest), {0, 0, target.width, target.height});
    if (area.left >= area.right || area.top >= area.bottom) return;
    const bool scaled = dest_width != picture.width || dest_height != picture.height;
    for (int y = area.top; y < area.bottom; ++y) {
        const int source_y =
            scaled ? static_cast<int>(static_cast<std::int64_t>(y - dest.top) * picture.height / dest_height)
                   : y - dest.top;
        const std::uint32_t* in = picture.pixels.data() + static_cast<std::size_t>(source_y) * picture.width;
        std::uint32_t* out = target.Row(y);
        if (!scaled && !keyed) {
            std::memcpy(out + area.left, in + (area.left - dest.left),
                        static_cast<std::size_t>(area.right - area.left) * sizeof(std::uint32_t));
            continue;
        }
        for (int x = area.left; x < area.right; ++x) {
            const int source_x =
                scaled ? static_cast<int>(static_cast<std::int64_t>(x - dest.left) * picture.width / dest_width)
                       : x - dest.left;
            const std::uint32_t pixel = in[source_x];
            if (!keyed || pixel != key) out[x] = pixel;
        }
    }
}

bool IsWholeTurn(long double degrees) {
    const long double turns = degrees / 360;
    return std::floor(turns) == turns;
}

// Resizes without giving the buffer back, so the next rebuild of the same size allocates nothing.
void Resize(SkinImage& image, int width, int height) {
    image.width = width;
    image.height = height;
    image.pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
}

// Fills everything outside the box, which the rotation or the copy writes in full.
void FillAround(SkinImage& image, int left, int top, int width, int height, std::uint32_t pixel) {
    const int right = std::min(image.width, left + width);
    const int bottom = std::min(image.height, top + height);
    for (int y = 0; y < image.height; ++y) {
        std::uint32_t* row = image.pixels.data() + static_cast<std::size_t>(y) * image.width;
        if (y < top || y >= bottom) {
            std::fill_n(row, image.width, pixel);
            continue;
        }
        std::fill(row, row + std::max(0, left), pixel);
        std::fill(row + std::max(0, right), row + image.width, pixel);
    }
}

}  // namespace

int UniqueSquareSide(int width, int height) {
    const double w = width + 2.0;
    const double h = height + 2.0;
    // The square root of a whole number never ends in exactly one half, so the halves-to-even
    // rule of the rounding never has to decide.
    return static_cast<int>(std::nearbyint(std::sqrt(w * w + h * h)));
}

void DrawPicture(PixelRows target, const SkinImage& picture, int left, int top, bool keyed, std::uint32_t key) {
    DrawScaled(target, {0, 0, target.width, target.height}, picture,
               {left, top, left + picture.width, top + picture.height}, keyed, key);
}

TRotateImage::TRotateImage() = default;

void TRotateImage::SetPicture(const SkinImage& picture) {
    picture_ = picture;
    PictureChanged();
}

void TRotateImage::SetAngle(long double degrees) {
    if (!std::isfinite(degrees)) degrees = 0;
    if (degrees == angle_) return;
    angle_ = degrees;
    PictureChanged();
}

void TRotateImage::SetCenter(bool value) {
    if (value == center_) return;
    center_ = value;
    PictureChanged();
}

void TRotateImage::SetStretch(bool value) {
    if (value == stretch_) return;
    stretch_ = value;
    PictureChanged();
}

void TRotateImage::SetTransparent(bool value) {
    if (value == transparent_) return;
    transparent_ = value;
    PictureChanged();
}

void TRotateImage::SetUniqueSize(bool value) {
    if (value == unique_size_) return;
    unique_size_ = value;
    PictureChanged();
}

void TRotateImage::SetAutoSize(bool value) {
    if (value == auto_size_) return;
    auto_size_ = value;
    if (auto_size_ && !loading_) AdjustSize();
}

void TRotateImage::SetColor(std::uint32_t pixel) {
    if (pixel == color_) return;
    color_ = pixel;
    if (loading_) return;
    Rebuild();
    if (on_invalidate) on_invalidate(*this);
}

void TRotateImage::SetBounds(ControlBounds bounds) {
    if (bounds == bounds_) return;
    if (on_invalidate) on_invalidate(*this);  // the old area
    bounds_ = bounds;
    if (on_invalidate) on_invalidate(*this);
}

void TRotateImage::SetPosition(int left, int top) {
    SetBounds({left, top, bounds_.width, bounds_.height});
}

void TRotateImage::SetVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    if (on_invalidate) on_invalidate(*this);
}

void TRotateImage::EndLoading() {
    if (!loading_) return;
    loading_ = false;
    PictureChanged();
}

void TRotateImage::PictureChanged() {
    if (loading_) return;
    Rebuild();
    // Opaque is judged on the picture now shown, so a parent never skips painting behind a
    // picture that has just become smaller than the control.
    opaque_ = !picture_.empty() && !transparent_ &&
              (stretch_ || (rotated_.width >= bounds_.width && rotated_.height >= bounds_.height));
    // The size follows the turned picture (a side the alignment gives is left to it).
    if (auto_size_ && !picture_.empty()) AdjustSize();
    if (on_invalidate) on_invalidate(*this);
}

void TRotateImage::Rebuild() {
    ++rebuild_count_;
    if (picture_.empty()) {
        Resize(rotated_, 0, 0);
        if (auto_size_) AdjustSize();
        return;
    }
    const int w = picture_.width;
    const int h = picture_.height;
    background_ = picture_.At(0, h - 1);
    const bool whole_turn = IsWholeTurn(angle_);
    const RotationGeometry geometry = whole_turn ? RotationGeometry{} : RotationFor(w, h, angle_);
    const int turned_width = whole_turn ? w : geometry.width;
    const int turned_height = whole_turn ? h : geometry.height;
    int left = 0;
    int top = 0;
    if (unique_size_) {
        const int side = UniqueSquareSide(w, h);
        Resize(rotated_, side, side);
        if (center_) {
            left = (side - turned_width) / 2;
            top = (side - turned_height) / 2;
        }
    } else {
        Resize(rotated_, turned_width, turned_height);
    }
    FillAround(rotated_, left, top, turned_width, turned_height, background_);
    if (whole_turn) {
        // Whole turns are copies, never resampled.
        DrawPicture(PixelRows::Of(rotated_), picture_, left, top, false, 0);
    } else {
        RotateOnto(picture_, background_, geometry, PixelRows::Of(rotated_), left, top);
    }
    if (auto_size_) AdjustSize();
}

void TRotateImage::AdjustSize() {
    ControlBounds bounds = bounds_;
    if (align_ == ControlAlign::None || align_ == ControlAlign::Left || align_ == ControlAlign::Right) {
        bounds.width = rotated_.width;
    }
    if (align_ == ControlAlign::None || align_ == ControlAlign::Top || align_ == ControlAlign::Bottom) {
        bounds.height = rotated_.height;
    }
    SetBounds(bounds);
}

ControlBounds TRotateImage::DestinationRect() const {
    if (stretch_) return {0, 0, bounds_.width, bounds_.height};
    if (center_) {
        return {(bounds_.width - rotated_.width) / 2, (bounds_.height - rotated_.height) / 2, rotated_.width,
                rotated_.height};
    }
    return {0, 0, rotated_.width, rotated_.height};
}

void TRotateImage::Paint(PixelRows parent) const {
    if (!visible_ || rotated_.empty()) return;
    const ControlBounds dest = DestinationRect();
    const int left = bounds_.left + dest.left;
    const int top = bounds_.top + dest.top;
    DrawScaled(parent, {bounds_.left, bounds_.top, bounds_.left + bounds_.width, bounds_.top + bounds_.height},
               rotated_, {left, top, left + dest.width, top + dest.height}, RotatedIsTransparent(), background_);
}

}  // namespace kalvoro
