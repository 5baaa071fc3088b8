#pragma once
// The frame applied to one window: it hooks the window's procedure to paint the frame picture as
// the background, run the close button and the drag band, and follow size changes. It lives until
// the window is destroyed.

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>

#include "base/win32/gdi.h"
#include "base/win32/handles.h"
#include "ui/frame_layout.h"
#include "ui/win32/frame_skin.h"

namespace kalvoro::win {

class FrameDecoration {
public:
    // Applying again to the same window replaces its caption and look.
    static bool Install(HWND form, std::shared_ptr<const FrameArt> art, std::string_view caption, bool draggable);
    // The decoration of a window, or nullptr when none was applied.
    static const FrameDecoration* Of(HWND form);

    FrameDecoration(const FrameDecoration&) = delete;
    FrameDecoration& operator=(const FrameDecoration&) = delete;

    const FrameLayout& Layout() const { return layout_; }
    bool IsCloseHot() const { return close_hot_; }
    // Draws the frame picture with the close button, as the window's background.
    void PaintBackground(HDC dc) const;

private:
    FrameDecoration(HWND form, std::shared_ptr<const FrameArt> art);
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                         DWORD_PTR self) noexcept;
    bool OnMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result);
    bool OnButtonDown(UINT message, Point point);
    void OnButtonUp(Point point);
    void SetCloseHot(bool hot);
    void MakeBorderless() const;
    void Rebuild();
    void UpdateTooltip();

    HWND form_;
    std::shared_ptr<const FrameArt> art_;
    std::wstring caption_;
    bool draggable_ = true;
    FrameLayout layout_;
    Bitmap picture_;
    Size picture_size_;
    bool close_hot_ = false;
    bool close_pressed_ = false;
    bool tracking_leave_ = false;
    WindowHandle tooltip_;
};

}  // namespace kalvoro::win
