#pragma once
// TRotateImage: a windowless picture control that shows its picture turned about the picture's
// centre. The analog clock holds one per hand, each drawn pointing at 12, and sets a new angle
// every second. This is the whole control without a window: properties, their change rules, the
// rebuild of the rotated picture and the painting into a parent's pixel surface; a window draws
// the surface.
//
// Setters of Angle, Center, Stretch, Transparent and UniqueSize store only a different value and
// then run the picture-changed step (rebuild, auto-size, invalidate). Rebuilding reuses the
// rotated picture's buffer, so turning a hand allocates nothing once its size has been reached.

#include <cstdint>
#include <functional>

#include "skin/rotate_bitmap.h"
#include "skin/skin_image.h"

namespace kalvoro {

enum class ControlAlign { None, Top, Bottom, Left, Right, Client };

struct ControlBounds {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const ControlBounds&, const ControlBounds&) = default;
};

// The square side that holds a W x H picture at every angle: round(sqrt((W + 2)^2 + (H + 2)^2)).
int UniqueSquareSide(int width, int height);

class TRotateImage {
public:
    TRotateImage();

    // The unrotated picture (a bitmap: its bottom-left pixel is its background and, with
    // Transparent, its see-through colour).
    const SkinImage& Picture() const { return picture_; }
    void SetPicture(const SkinImage& picture);

    long double Angle() const { return angle_; }
    void SetAngle(long double degrees);
    bool Center() const { return center_; }
    void SetCenter(bool value);
    bool Stretch() const { return stretch_; }
    void SetStretch(bool value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    bool UniqueSize() const { return unique_size_; }
    void SetUniqueSize(bool value);
    bool AutoSize() const { return auto_size_; }
    void SetAutoSize(bool value);
    // Pictures decode at once here, so there is no progress to show; the value is kept.
    bool IncrementalDisplay() const { return incremental_display_; }
    void SetIncrementalDisplay(bool value) { incremental_display_ = value; }
    // Background of pictures that are not bitmaps; every picture here is a bitmap, which brings
    // its own, but a change rebuilds as the control always did.
    std::uint32_t Color() const { return color_; }
    void SetColor(std::uint32_t pixel);

    ControlAlign Align() const { return align_; }
    void SetAlign(ControlAlign align) { align_ = align; }
    const ControlBounds& Bounds() const { return bounds_; }
    void SetBounds(ControlBounds bounds);
    void SetPosition(int left, int top);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);

    // Property loading as from a form description: no rebuild until the end, then one.
    void BeginLoading() { loading_ = true; }
    void EndLoading();

    // The rotated picture and how it is drawn.
    const SkinImage& Rotated() const { return rotated_; }
    std::uint32_t TransparentColor() const { return background_; }
    bool RotatedIsTransparent() const { return transparent_ && !rotated_.empty(); }
    // The control paints every pixel of its area (the parent need not paint behind it).
    bool Opaque() const { return opaque_; }
    int RebuildCount() const { return rebuild_count_; }

    // Where Paint puts the rotated picture, relative to the control.
    ControlBounds DestinationRect() const;
    // Draws into the parent's surface, the control sitting at its bounds there, clipped to them.
    void Paint(PixelRows parent) const;

    // Called when the control needs repainting (a parent invalidates the control's area).
    std::function<void(const TRotateImage&)> on_invalidate;

private:
    void PictureChanged();
    void Rebuild();
    void AdjustSize();

    SkinImage picture_;
    SkinImage rotated_;
    long double angle_ = 0;
    bool center_ = false;
    bool stretch_ = false;
    bool transparent_ = false;
    bool unique_size_ = true;
    bool auto_size_ = false;
    bool incremental_display_ = false;
    std::uint32_t color_ = 0xFFFFFF;  // the window colour
    std::uint32_t background_ = 0;
    ControlAlign align_ = ControlAlign::None;
    ControlBounds bounds_{0, 0, 105, 105};
    bool visible_ = true;
    bool loading_ = false;
    bool opaque_ = false;
    int rebuild_count_ = 0;
};

// Draws a picture at (left, top) of the target, leaving out pixels of the key colour when keyed.
void DrawPicture(PixelRows target, const SkinImage& picture, int left, int top, bool keyed, std::uint32_t key);

}  // namespace kalvoro
