#include "ui/win32/frame_skin.h"

#include <algorithm>
#include <optional>

#include "skin/win32/skin_bitmap.h"
#include "ui/win32/fallback_window_skin.h"
#include "ui/win32/frame_decoration.h"
#include "ui/win32/win32_geometry.h"

namespace kalvoro::win {
namespace {

Size SizeOf(const SkinImage& image) {
    return image.empty() ? Size{} : Size{image.width, image.height};
}

COLORREF FaceColourOf(const SkinImage& frame) {
    if (frame.empty()) return kFallbackFaceColour;
    // The middle of the stretched centre piece.
    const int x = frame.width / 2;
    const int y = std::min(frame.height - 1, std::max(0, (kFrameCaptionBandHeight + frame.height - 10) / 2));
    return PixelToColorRef(frame.At(x, y)) & 0xFFFFFF;
}

// The pictures are made in the order frame, normal, hot; whatever the skin cannot give after a
// failure comes from the program's own look, so a dialog never ends up see-through or unclosable.
std::shared_ptr<const FrameArt> MakeArt(const WindowSkin* skin) {
    const WindowSkin fallback = FallbackWindowSkin();
    auto art = std::make_shared<FrameArt>();

    if (skin) art->frame = BitmapFromSkinImage(skin->frame);
    art->skinned = static_cast<bool>(art->frame);
    const WindowSkin& frame_source = art->skinned ? *skin : fallback;
    if (!art->skinned) art->frame = BitmapFromSkinImage(fallback.frame);
    art->frame_size = SizeOf(frame_source.frame);
    art->face_colour = FaceColourOf(frame_source.frame);
    art->caption_colour = ResolveColour(frame_source.caption);

    if (art->skinned) art->close_up = BitmapFromSkinImage(skin->close_up);
    if (art->close_up) art->close_hot = BitmapFromSkinImage(skin->close_hot);
    const WindowSkin& close_source = art->close_up && art->close_hot ? *skin : fallback;
    if (&close_source == &fallback) {
        art->close_up = BitmapFromSkinImage(fallback.close_up);
        art->close_hot = BitmapFromSkinImage(fallback.close_hot);
    }
    art->close_size = SizeOf(close_source.close_up);
    return art;
}

}  // namespace

TMyWindow::TMyWindow() : art_(MakeArt(nullptr)) {}

TMyWindow::TMyWindow(const WindowSkin& skin) : art_(MakeArt(&skin)) {}

bool TMyWindow::Apply(HWND form, std::string_view caption, bool draggable) const {
    return FrameDecoration::Install(form, art_, caption, draggable);
}

FrameLayout TMyWindow::LayOut(Size window, Size client, int caption_text_height) const {
    return LayOutFrame({window, client, art_->frame_size, art_->close_size, caption_text_height});
}

void TMyWindow::PaintFrame(HDC dc, const FrameLayout& layout) const {
    const Rect bounds{0, 0, layout.region.bounds.right, layout.region.bounds.bottom};
    FillSolid(dc, ToRECT(bounds), ResolveColour(kFrameBackground));
    MemoryDC frame_dc(dc);
    SelectObjectScope select(frame_dc.get(), art_->frame.get());
    PaintFramePieces(dc, frame_dc.get(), layout);
}

void PaintFramePieces(HDC target, HDC frame_dc, const FrameLayout& layout) {
    SaveDCScope saved(target);
    ::SetStretchBltMode(target, COLORONCOLOR);
    for (const FramePiece& piece : layout.pieces) {
        if (!piece.IsDrawn()) continue;
        const Rect& s = piece.source;
        const Rect& d = piece.destination;
        HDC from = frame_dc;
        Rect from_rect = s;
        // Some pieces are first brought to a fixed size and then stretched to their place.
        MemoryDC step_dc(target);
        Bitmap step_bitmap;
        std::optional<SelectObjectScope> step_select;
        if (piece.intermediate.width > 0 && piece.intermediate.height > 0) {
            step_bitmap.reset(::CreateCompatibleBitmap(target, piece.intermediate.width, piece.intermediate.height));
            if (step_dc && step_bitmap) {
                step_select.emplace(step_dc.get(), step_bitmap.get());
                ::SetStretchBltMode(step_dc.get(), COLORONCOLOR);
                ::StretchBlt(step_dc.get(), 0, 0, piece.intermediate.width, piece.intermediate.height, frame_dc, s.left,
                             s.top, s.Width(), s.Height(), SRCCOPY);
                from = step_dc.get();
                from_rect = {0, 0, piece.intermediate.width, piece.intermediate.height};
            }
        }
        ::StretchBlt(target, d.left, d.top, d.Width(), d.Height(), from, from_rect.left, from_rect.top,
                     from_rect.Width(), from_rect.Height(), SRCCOPY);
    }
}

}  // namespace kalvoro::win
