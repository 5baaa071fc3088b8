#include "ui/frame_layout.h"

#include <algorithm>

namespace kalvoro {
namespace {

constexpr int kSizeLimit = 1 << 16;

Size ClampSize(Size size) {
    return {std::clamp(size.width, 0, kSizeLimit), std::clamp(size.height, 0, kSizeLimit)};
}

// A stretch with an inverted extent would mirror the piece over its neighbours; such pieces are skipped.
Rect DrawableOrEmpty(const Rect& rect) {
    return rect.IsEmpty() ? Rect{} : rect;
}

FramePiece Piece(FramePart part, const Rect& source, Size intermediate, const Rect& destination, Size bitmap) {
    return {part, Intersection(source, Rect{0, 0, bitmap.width, bitmap.height}), intermediate,
            DrawableOrEmpty(destination)};
}

}  // namespace

FrameLayout LayOutFrame(const FrameGeometry& geometry) {
    const Size bitmap = ClampSize(geometry.frameBitmap);
    const Size client = ClampSize(geometry.client);
    const Size window = ClampSize(geometry.window);
    const Size button = ClampSize(geometry.closeButton);
    const int sw = bitmap.width;
    const int sh = bitmap.height;
    const int gw = client.width;
    const int gh = client.height;

    FrameLayout layout;
    layout.pieces = {
        Piece(FramePart::kTopLeft, {0, 0, 20, 28}, {}, {1, 1, 21, 29}, bitmap),
        Piece(FramePart::kTopRight, {sw - 20, 0, sw, 28}, {}, {gw - 21, 1, gw - 1, 29}, bitmap),
        Piece(FramePart::kTop, {21, 0, 81, 28}, {80, 28}, {21, 1, gw - 21, 29}, bitmap),
        Piece(FramePart::kBottomLeft, {0, sh - 10, 10, sh}, {}, {1, gh - 11, 11, gh - 1}, bitmap),
        Piece(FramePart::kBottomRight, {sw - 10, sh - 10, sw, sh}, {}, {gw - 11, gh - 11, gw - 1, gh - 1}, bitmap),
        Piece(FramePart::kLeft, {0, 28, 10, 40}, {}, {1, 29, 11, gh - 11}, bitmap),
        Piece(FramePart::kRight, {sw - 10, 28, sw, 40}, {}, {gw - 11, 29, gw - 1, gh - 11}, bitmap),
        Piece(FramePart::kBottom, {10, sh - 10, sw - 10, sh}, {}, {11, gh - 11, gw - 11, gh - 1}, bitmap),
        Piece(FramePart::kCentre, {10, 28, sw - 10, sh - 10}, {sw - 20, 12}, {11, 29, gw - 11, gh - 11}, bitmap),
    };

    const int button_left = window.width - button.width - kFrameCloseButtonRightMargin;
    layout.closeButton = {button_left, kFrameCloseButtonTop, button_left + button.width,
                          kFrameCloseButtonTop + button.height};
    const int text_height = std::clamp(geometry.captionTextHeight, 0, kSizeLimit);
    layout.caption = {kFrameCaptionLeft, (27 - text_height) / 2 + 2};
    layout.dragBand = {0, 0, window.width, kFrameCaptionBandHeight};
    layout.region.bounds = {1, 1, gw, gh};
    return layout;
}

FrameHit HitTestFrame(const FrameLayout& layout, Point point) {
    if (layout.closeButton.Contains(point)) return FrameHit::kCloseButton;
    if (layout.dragBand.Contains(point)) return FrameHit::kDragBand;
    return FrameHit::kClient;
}

}  // namespace kalvoro
