#pragma once
// The skinned dialog frame as data: where the nine pieces of the frame picture go, where the caption
// and the close button sit, which points drag the dialog, and the rounded window region. The window
// side only blits and creates what this describes.

#include <array>

#include "base/colour.h"
#include "base/geometry.h"

namespace kalvoro {

inline constexpr int kFrameCaptionBandHeight = 28;
inline constexpr int kFrameCaptionLeft = 10;
inline constexpr int kFrameCloseButtonRightMargin = 10;
inline constexpr int kFrameCloseButtonTop = 1;
inline constexpr int kFrameCornerEllipse = 13;
// The frame picture is first filled with this, so its one-pixel outer border stays see-through.
inline constexpr Colour kFrameBackground = kColourKeyMagenta;

enum class FramePart { kTopLeft, kTopRight, kTop, kBottomLeft, kBottomRight, kLeft, kRight, kBottom, kCentre };

struct FramePiece {
    FramePart part = FramePart::kTopLeft;
    Rect source;        // in the skin's frame bitmap, clipped to it
    Size intermediate;  // when not 0 x 0: stretch the source to this size first, then to the destination
    Rect destination;   // in the frame picture (client coordinates)

    bool IsDrawn() const { return !source.IsEmpty() && !destination.IsEmpty(); }
};

struct FrameGeometry {
    Size window;                // the whole dialog
    Size client;                // the frame picture covers the client area
    Size frameBitmap;           // the skin's frame piece
    Size closeButton;           // the close button's picture
    int captionTextHeight = 0;  // of the caption in 宋体 10 pt bold
};

// Arguments of CreateRoundRectRgn, in window coordinates.
struct RoundRectRegion {
    Rect bounds;
    int ellipseWidth = kFrameCornerEllipse;
    int ellipseHeight = kFrameCornerEllipse;
    friend bool operator==(const RoundRectRegion&, const RoundRectRegion&) = default;
};

struct FrameLayout {
    std::array<FramePiece, 9> pieces;  // in drawing order; skip those that are not drawn
    Rect closeButton;
    Point caption;  // top-left of the caption text
    Rect dragBand;  // pressing a mouse button here drags the dialog
    RoundRectRegion region;
};

FrameLayout LayOutFrame(const FrameGeometry& geometry);

enum class FrameHit { kClient, kDragBand, kCloseButton };

// In client coordinates. The close button lies inside the drag band and wins over it.
FrameHit HitTestFrame(const FrameLayout& layout, Point point);

}  // namespace kalvoro
