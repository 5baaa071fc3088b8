#include "ui/win32/form_shadow.h"

#include <commctrl.h>

#include <algorithm>

#include "ui/shadow_picture.h"
#include "ui/win32/layered_attributes.h"
#include "ui/win32/shadow_source.h"

namespace kalvoro::win {
namespace {

constexpr wchar_t kShadowClass[] = L"KalvoroFormShadow";

// Not activatable, off the taskbar, and transparent to the mouse even where the halo is opaque.
constexpr DWORD kShadowExStyle = WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_TRANSPARENT;

}  // namespace

TFormShadow::~TFormShadow() {
    Detach();
}

bool TFormShadow::Create(HWND owner) {
    if (hwnd()) return true;
    if (!RegisterWindowClass(kShadowClass, {CS_OWNDC | CS_DBLCLKS})) return false;
    return CreateHandle(kShadowExStyle, kShadowClass, L"", WS_POPUP, 0, 0, 0, 0, owner);
}

void TFormShadow::Attach(HWND form) {
    if (form == form_) return;
    Detach();
    if (!form || !::IsWindow(form) || form == hwnd()) return;
    if (!::SetWindowSubclass(form, &TFormShadow::FormProc, reinterpret_cast<UINT_PTR>(this),
                             reinterpret_cast<DWORD_PTR>(this))) {
        return;
    }
    form_ = form;
    redraw_.Invalidate();
    Nudge();
}

void TFormShadow::Detach() {
    if (!form_) return;
    if (::IsWindow(form_)) ::RemoveWindowSubclass(form_, &TFormShadow::FormProc, reinterpret_cast<UINT_PTR>(this));
    form_ = nullptr;
    HideShadowWindow();
}

void TFormShadow::Show(bool visible) {
    if (visible == shadow_visible_) return;
    shadow_visible_ = visible;
    if (!visible) HideShadowWindow();
    Nudge();
}

void TFormShadow::Refresh() {
    redraw_.Invalidate();
    Nudge();
}

void TFormShadow::Destroy() {
    Detach();
    Window::Destroy();
}

void TFormShadow::SetOffset(int offset) {
    offset_ = std::clamp(offset, -kShadowMargin, kShadowMargin);
    Nudge();
}

void TFormShadow::SetShadowColor(Colour colour) {
    shadow_colour_ = colour & 0xFFFFFF;
    Refresh();
}

std::uint8_t TFormShadow::PictureAlphaAt(int x, int y) const {
    if (!image_ || x < 0 || y < 0 || x >= image_.width() || y >= image_.height()) return 0;
    return static_cast<std::uint8_t>(image_.pixels()[static_cast<std::size_t>(y) * image_.width() + x] >> 24);
}

// Runs both placement steps through the form's own position handling.
void TFormShadow::Nudge() const {
    if (!form_ || !::IsWindow(form_)) return;
    ::SetWindowPos(form_, nullptr, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TFormShadow::HideShadowWindow() const {
    if (!hwnd() || !::IsWindowVisible(hwnd())) return;
    ::SetWindowPos(hwnd(), nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
}

void TFormShadow::OnFormPositionChanging(const WINDOWPOS& position) const {
    if (::IsIconic(form_) || ::IsZoomed(form_) || (position.flags & SWP_HIDEWINDOW)) HideShadowWindow();
}

void TFormShadow::OnFormPositionChanged() {
    if (!hwnd()) return;
    RECT form_rect{};
    ::GetWindowRect(form_, &form_rect);
    const Point origin = ShadowWindowOrigin({form_rect.left, form_rect.top}, offset_);
    const bool zoomed = ::IsZoomed(form_) != FALSE;
    const bool normal = !zoomed && !::IsIconic(form_);
    if (!zoomed) UpdatePicture(origin);

    const bool show = shadow_visible_ && normal && ::IsWindowVisible(form_) && image_;
    if (!show) {
        HideShadowWindow();
        return;
    }
    ::SetWindowPos(hwnd(), form_, origin.x, origin.y, image_.width(), image_.height(), SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void TFormShadow::UpdatePicture(Point origin) {
    if (!shadow_visible_ || !form_ || !::IsWindowVisible(form_)) return;
    RECT form_rect{};
    ::GetWindowRect(form_, &form_rect);
    const Size form_size{form_rect.right - form_rect.left, form_rect.bottom - form_rect.top};
    const LayeredAttributes attributes = ReadLayeredAttributes(form_);
    const std::uint8_t alpha = attributes.alpha.value_or(255);

    if (redraw_.TakeRedraw(form_size, attributes.key_colour)) {
        CapturedShadowSource captured;
        CaptureShadowSource(form_, shadow_colour_, captured);
        const ShadowPicture picture = BuildShadowPicture(captured.source);
        image_ = DibSection(picture.width, picture.height);
        if (image_ && !picture.pixels.empty()) {
            std::copy(picture.pixels.begin(), picture.pixels.end(), image_.pixels());
            ::GdiFlush();
        } else {
            image_ = DibSection();
        }
    } else if (alpha == constant_alpha_) {
        return;
    }
    constant_alpha_ = alpha;
    PushToWindow(origin);
}

void TFormShadow::PushToWindow(Point origin) const {
    if (!image_) return;
    MemoryDC image_dc(nullptr);
    SelectObjectScope select(image_dc.get(), image_.get());
    POINT destination{origin.x, origin.y};
    SIZE size{image_.width(), image_.height()};
    POINT source{0, 0};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, constant_alpha_, AC_SRC_ALPHA};
    ::UpdateLayeredWindow(hwnd(), nullptr, &destination, &size, image_dc.get(), &source, 0, &blend, ULW_ALPHA);
}

LRESULT TFormShadow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_NCHITTEST:
            return HTTRANSPARENT;
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            ::ValidateRect(hwnd(), nullptr);
            return 0;
        default:
            return DefaultHandling(message, wparam, lparam);
    }
}

LRESULT CALLBACK TFormShadow::FormProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                       DWORD_PTR self_ref) noexcept {
    auto* self = reinterpret_cast<TFormShadow*>(self_ref);
    switch (message) {
        case WM_WINDOWPOSCHANGING: {
            const LRESULT result = ::DefSubclassProc(hwnd, message, wparam, lparam);
            if (lparam) Guarded([&] { self->OnFormPositionChanging(*reinterpret_cast<const WINDOWPOS*>(lparam)); });
            return result;
        }
        case WM_WINDOWPOSCHANGED: {
            const LRESULT result = ::DefSubclassProc(hwnd, message, wparam, lparam);
            Guarded([&] { self->OnFormPositionChanged(); });
            return result;
        }
        case WM_SHOWWINDOW:
            if (!wparam) self->HideShadowWindow();
            break;
        case WM_DESTROY:
            self->Detach();
            break;
        default:
            break;
    }
    return ::DefSubclassProc(hwnd, message, wparam, lparam);
}

}  // namespace kalvoro::win
