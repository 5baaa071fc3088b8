#pragma once
// TMyWindow: the skinned dialog frame, built once from the window skin (or the program's own look
// when no window skin is loaded) and applied to every dialog while it is created.

#include <windows.h>

#include <memory>
#include <string_view>

#include "base/win32/gdi.h"
#include "skin/window_skin.h"
#include "ui/frame_layout.h"

namespace kalvoro::win {

// The frame's pictures as GDI bitmaps. Windows the frame was applied to share them, so they stay
// valid however long those windows outlive the frame object.
struct FrameArt {
    COLORREF caption_colour = 0;
    COLORREF face_colour = 0;  // the frame's centre: what controls on the dialog stand on
    bool skinned = false;
    Bitmap frame;
    Size frame_size;
    Bitmap close_up;
    Bitmap close_hot;
    Size close_size;
};

class TMyWindow {
public:
    // The program's own look.
    TMyWindow();
    // From a window skin. Pictures that cannot be made fall back to the program's own: a frame
    // without its picture would be see-through.
    explicit TMyWindow(const WindowSkin& skin);

    bool IsSkinned() const { return art_->skinned; }
    COLORREF CaptionColor() const { return art_->caption_colour; }
    COLORREF FaceColor() const { return art_->face_colour; }
    Size FrameBitmapSize() const { return art_->frame_size; }
    Size CloseButtonSize() const { return art_->close_size; }

    // Makes the form borderless and paints the frame and caption as its background, with a close
    // button (hint "关闭") that closes it, a 28-pixel band that drags it when draggable, and rounded
    // corners. Applying again replaces the caption. False when form is not a window.
    bool Apply(HWND form, std::string_view caption, bool draggable = true) const;

    // Where everything goes for a window of this size (client area: the frame picture).
    FrameLayout LayOut(Size window, Size client, int caption_text_height) const;
    // Fills the client-sized picture with the see-through colour and draws the nine pieces on it.
    void PaintFrame(HDC dc, const FrameLayout& layout) const;

    const std::shared_ptr<const FrameArt>& Art() const { return art_; }

private:
    std::shared_ptr<const FrameArt> art_;
};

// Stretches the pieces of the frame picture (selected in frame_dc) onto target as the layout says.
void PaintFramePieces(HDC target, HDC frame_dc, const FrameLayout& layout);

}  // namespace kalvoro::win
