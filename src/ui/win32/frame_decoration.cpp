#include "ui/win32/frame_decoration.h"

#include <commctrl.h>

#include "base/win32/dpi.h"
#include "base/win32/text.h"
#include "base/win32/window.h"
#include "skin/win32/skin_bitmap.h"
#include "ui/win32/ui_fonts.h"
#include "ui/win32/win32_geometry.h"

namespace kalvoro::win {
namespace {

constexpr UINT_PTR kSubclassId = 0x46524D45;
// Finds a window's decoration again; the subclass data is not readable through every comctl32.
constexpr wchar_t kDecorationProperty[] = L"KalvoroFrameDecoration";
constexpr UINT_PTR kCloseToolId = 1;
constexpr WPARAM kMoveByCaption = 0xF012;  // SC_MOVE | HTCAPTION: the system drags the window with the mouse
constexpr COLORREF kSeeThrough = RGB(255, 0, 255);

Point PointOf(LPARAM lparam) {
    return {static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
}

// The client area's top-left in window coordinates; the frame's geometry is partly in each.
POINT ClientOriginInWindow(HWND hwnd) {
    RECT window{};
    ::GetWindowRect(hwnd, &window);
    POINT origin{0, 0};
    ::ClientToScreen(hwnd, &origin);
    return {origin.x - window.left, origin.y - window.top};
}

int CaptionTextHeight(HDC dc, const std::wstring& caption) {
    SIZE extent{};
    const std::wstring measured = caption.empty() ? std::wstring(L"国") : caption;
    ::GetTextExtentPoint32W(dc, measured.c_str(), static_cast<int>(measured.size()), &extent);
    return extent.cy;
}

}  // namespace

FrameDecoration::FrameDecoration(HWND form, std::shared_ptr<const FrameArt> art) : form_(form), art_(std::move(art)) {}

bool FrameDecoration::Install(HWND form, std::shared_ptr<const FrameArt> art, std::string_view caption,
                              bool draggable) {
    if (!::IsWindow(form) || !art) return false;
    auto* decoration = const_cast<FrameDecoration*>(Of(form));
    if (!decoration) {
        auto fresh = std::unique_ptr<FrameDecoration>(new FrameDecoration(form, art));
        if (!::SetWindowSubclass(form, &FrameDecoration::SubclassProc, kSubclassId,
                                 reinterpret_cast<DWORD_PTR>(fresh.get()))) {
            return false;
        }
        ::SetPropW(form, kDecorationProperty, fresh.get());
        decoration = fresh.release();  // freed on WM_NCDESTROY
    }
    decoration->art_ = std::move(art);
    decoration->caption_ = Widen(caption);
    decoration->draggable_ = draggable;
    ::SetWindowTextW(form, decoration->caption_.c_str());
    decoration->MakeBorderless();
    decoration->Rebuild();
    return true;
}

const FrameDecoration* FrameDecoration::Of(HWND form) {
    if (!::IsWindow(form)) return nullptr;
    return static_cast<const FrameDecoration*>(::GetPropW(form, kDecorationProperty));
}

void FrameDecoration::MakeBorderless() const {
    const LONG_PTR style = ::GetWindowLongPtrW(form_, GWL_STYLE);
    const LONG_PTR ex_style = ::GetWindowLongPtrW(form_, GWL_EXSTYLE);
    const LONG_PTR bare_style = style & ~static_cast<LONG_PTR>(WS_CAPTION | WS_THICKFRAME);
    const LONG_PTR bare_ex_style =
        ex_style & ~static_cast<LONG_PTR>(WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE | WS_EX_STATICEDGE);
    if (bare_style == style && bare_ex_style == ex_style) return;
    ::SetWindowLongPtrW(form_, GWL_STYLE, bare_style);
    ::SetWindowLongPtrW(form_, GWL_EXSTYLE, bare_ex_style);
    ::SetWindowPos(form_, nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void FrameDecoration::Rebuild() {
    RECT window_rect{};
    RECT client_rect{};
    ::GetWindowRect(form_, &window_rect);
    ::GetClientRect(form_, &client_rect);
    const Size window{window_rect.right - window_rect.left, window_rect.bottom - window_rect.top};
    const Size client{client_rect.right, client_rect.bottom};

    // The frame is laid out and drawn at 96 DPI, exactly as the skin's pieces are cut, and the
    // finished picture is scaled once to the window's resolution; only the caption is written
    // at full resolution. Sizes and places below are the window's own pixels.
    const DisplayScale scale = ScaleOfWindow(form_);
    WindowDC screen(nullptr);
    Font caption_font = CreateFrameCaptionFont(scale);
    int text_height = 0;
    {
        SelectObjectScope select(screen.get(), caption_font.get());
        text_height = CaptionTextHeight(screen.get(), caption_);
    }
    const Size design_window{scale.Design(window.width), scale.Design(window.height)};
    const Size design_client{scale.Design(client.width), scale.Design(client.height)};
    const FrameLayout design =
        LayOutFrame({design_window, design_client, art_->frame_size, art_->close_size, scale.Design(text_height)});
    layout_ = design;
    if (!scale.IsDesign()) {
        for (FramePiece& piece : layout_.pieces) piece.destination = scale.Px(piece.destination);
        layout_.closeButton = scale.Px(design.closeButton);
        layout_.caption = scale.Px(design.caption);
        layout_.dragBand = scale.Px(design.dragBand);
        layout_.region.bounds = scale.Px(design.region.bounds);
        layout_.region.ellipseWidth = scale.Px(design.region.ellipseWidth);
        layout_.region.ellipseHeight = scale.Px(design.region.ellipseHeight);
    }

    Bitmap design_picture(
        ::CreateCompatibleBitmap(screen.get(), std::max(design_client.width, 1), std::max(design_client.height, 1)));
    if (design_picture) {
        MemoryDC picture_dc(screen.get());
        SelectObjectScope select_picture(picture_dc.get(), design_picture.get());
        const RECT design_rect{0, 0, design_client.width, design_client.height};
        FillSolid(picture_dc.get(), design_rect, kSeeThrough);
        MemoryDC frame_dc(screen.get());
        SelectObjectScope select_frame(frame_dc.get(), art_->frame.get());
        PaintFramePieces(picture_dc.get(), frame_dc.get(), design);
    }
    picture_ = scale.IsDesign() || !design_picture
                   ? std::move(design_picture)
                   : ScaledPicture(design_picture.get(), std::max(client.width, 1), std::max(client.height, 1));
    picture_size_ = client;
    if (picture_ && !caption_.empty()) {
        MemoryDC picture_dc(screen.get());
        SelectObjectScope select_picture(picture_dc.get(), picture_.get());
        SelectObjectScope select_font(picture_dc.get(), caption_font.get());
        ::SetBkMode(picture_dc.get(), TRANSPARENT);
        ::SetTextColor(picture_dc.get(), art_->caption_colour);
        ::TextOutW(picture_dc.get(), layout_.caption.x, layout_.caption.y, caption_.c_str(),
                   static_cast<int>(caption_.size()));
    }

    const POINT origin = ClientOriginInWindow(form_);
    const Rect& bounds = layout_.region.bounds;
    Region region(::CreateRoundRectRgn(bounds.left + origin.x, bounds.top + origin.y, bounds.right + origin.x,
                                       bounds.bottom + origin.y, layout_.region.ellipseWidth,
                                       layout_.region.ellipseHeight));
    // The window owns its region from here on.
    if (region && ::SetWindowRgn(form_, region.get(), TRUE)) region.release();

    UpdateTooltip();
    ::InvalidateRect(form_, nullptr, TRUE);
}

void FrameDecoration::UpdateTooltip() {
    TOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.uFlags = TTF_SUBCLASS;
    info.hwnd = form_;
    info.uId = kCloseToolId;
    // The close button's place is given in window coordinates; mouse messages come in client ones.
    const POINT origin = ClientOriginInWindow(form_);
    info.rect = ToRECT(layout_.closeButton.Moved(-origin.x, -origin.y));
    if (!tooltip_) {
        tooltip_.reset(::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                         WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                                         CW_USEDEFAULT, CW_USEDEFAULT, form_, nullptr, ModuleInstance(), nullptr));
        if (!tooltip_) return;
        static wchar_t close_hint[] = L"关闭";
        info.lpszText = close_hint;
        ::SendMessageW(tooltip_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
        return;
    }
    ::SendMessageW(tooltip_.get(), TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&info));
}

void FrameDecoration::PaintBackground(HDC dc) const {
    if (!picture_) return;
    const POINT origin = ClientOriginInWindow(form_);
    {
        MemoryDC picture_dc(dc);
        SelectObjectScope select(picture_dc.get(), picture_.get());
        ::BitBlt(dc, 0, 0, picture_size_.width, picture_size_.height, picture_dc.get(), 0, 0, SRCCOPY);
    }
    const Rect button = layout_.closeButton.Moved(-origin.x, -origin.y);
    if (button.IsEmpty()) return;
    MemoryDC button_dc(dc);
    SelectObjectScope select(button_dc.get(), (close_hot_ ? art_->close_hot : art_->close_up).get());
    ::TransparentBlt(dc, button.left, button.top, button.Width(), button.Height(), button_dc.get(), 0, 0,
                     art_->close_size.width, art_->close_size.height, kSeeThrough);
}

void FrameDecoration::SetCloseHot(bool hot) {
    if (hot == close_hot_) return;
    close_hot_ = hot;
    const POINT origin = ClientOriginInWindow(form_);
    const RECT button = ToRECT(layout_.closeButton.Moved(-origin.x, -origin.y));
    ::InvalidateRect(form_, &button, TRUE);
}

bool FrameDecoration::OnButtonDown(UINT message, Point point) {
    const POINT origin = ClientOriginInWindow(form_);
    const FrameHit hit = HitTestFrame(layout_, {point.x + origin.x, point.y + origin.y});
    if (hit == FrameHit::kCloseButton) {
        if (message != WM_LBUTTONDOWN && message != WM_LBUTTONDBLCLK) return true;
        close_pressed_ = true;
        ::SetCapture(form_);
        return true;
    }
    if (hit == FrameHit::kDragBand && draggable_) {
        ::ReleaseCapture();
        ::SendMessageW(form_, WM_SYSCOMMAND, kMoveByCaption, 0);
        return true;
    }
    return false;
}

void FrameDecoration::OnButtonUp(Point point) {
    close_pressed_ = false;
    ::ReleaseCapture();
    const POINT origin = ClientOriginInWindow(form_);
    if (HitTestFrame(layout_, {point.x + origin.x, point.y + origin.y}) == FrameHit::kCloseButton) {
        ::PostMessageW(form_, WM_CLOSE, 0, 0);
    }
}

bool FrameDecoration::OnMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
    switch (message) {
        case WM_ERASEBKGND:
            PaintBackground(reinterpret_cast<HDC>(wparam));
            result = 1;
            return true;
        case WM_PRINTCLIENT:
            if (lparam & PRF_ERASEBKGND) PaintBackground(reinterpret_cast<HDC>(wparam));
            return false;
        case WM_SIZE:
            result = ::DefSubclassProc(form_, message, wparam, lparam);
            Rebuild();
            return true;
        case WM_MOUSEMOVE: {
            const POINT origin = ClientOriginInWindow(form_);
            const Point point = PointOf(lparam);
            SetCloseHot(HitTestFrame(layout_, {point.x + origin.x, point.y + origin.y}) == FrameHit::kCloseButton);
            if (close_hot_ && !tracking_leave_) {
                TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, form_, 0};
                tracking_leave_ = ::TrackMouseEvent(&track) != FALSE;
            }
            return false;
        }
        case WM_MOUSELEAVE:
            tracking_leave_ = false;
            SetCloseHot(false);
            return false;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK:
            if (!OnButtonDown(message, PointOf(lparam))) return false;
            result = 0;
            return true;
        case WM_LBUTTONUP:
            if (!close_pressed_) return false;
            OnButtonUp(PointOf(lparam));
            result = 0;
            return true;
        case WM_CAPTURECHANGED:
            close_pressed_ = false;
            return false;
        default:
            return false;
    }
}

LRESULT CALLBACK FrameDecoration::SubclassProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                               DWORD_PTR self_ref) noexcept {
    auto* self = reinterpret_cast<FrameDecoration*>(self_ref);
    if (message == WM_NCDESTROY) {
        ::RemoveWindowSubclass(hwnd, &FrameDecoration::SubclassProc, kSubclassId);
        ::RemovePropW(hwnd, kDecorationProperty);
        // The tooltip is owned by the window and already gone with it.
        if (self->tooltip_ && !::IsWindow(self->tooltip_.get())) self->tooltip_.release();
        delete self;
        return ::DefSubclassProc(hwnd, message, wparam, lparam);
    }
    LRESULT result = 0;
    bool handled = false;
    Guarded([&] { handled = self->OnMessage(message, wparam, lparam, result); });
    return handled ? result : ::DefSubclassProc(hwnd, message, wparam, lparam);
}

}  // namespace kalvoro::win
