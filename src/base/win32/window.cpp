#include "base/win32/window.h"

namespace kalvoro::win {

HINSTANCE ModuleInstance() {
    return ::GetModuleHandleW(nullptr);
}

bool RegisterWindowClass(const wchar_t* class_name, const WindowClassOptions& options) {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    if (::GetClassInfoExW(ModuleInstance(), class_name, &existing)) return true;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = options.style;
    wc.lpfnWndProc = &Window::StaticWindowProc;
    wc.hInstance = ModuleInstance();
    wc.hIcon = options.icon;
    wc.hIconSm = options.small_icon;
    wc.hCursor = options.cursor ? options.cursor : ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = options.background;
    wc.lpszClassName = class_name;
    return ::RegisterClassExW(&wc) != 0;
}

Window::~Window() {
    Destroy();
}

void Window::Destroy() {
    if (hwnd_ && ::IsWindow(hwnd_)) ::DestroyWindow(hwnd_);
    hwnd_ = nullptr;
}

RECT Window::WindowRect() const {
    RECT rect{};
    if (hwnd_) ::GetWindowRect(hwnd_, &rect);
    return rect;
}

RECT Window::ClientRect() const {
    RECT rect{};
    if (hwnd_) ::GetClientRect(hwnd_, &rect);
    return rect;
}

void Window::Invalidate(bool erase) const {
    if (hwnd_) ::InvalidateRect(hwnd_, nullptr, erase ? TRUE : FALSE);
}

bool Window::CreateHandle(DWORD ex_style, const wchar_t* class_name, const wchar_t* title, DWORD style, int x, int y,
                          int width, int height, HWND parent) {
    if (hwnd_) return false;
    ::CreateWindowExW(ex_style, class_name, title, style, x, y, width, height, parent, nullptr, ModuleInstance(), this);
    return hwnd_ != nullptr;
}

LRESULT Window::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    return DefaultHandling(message, wparam, lparam);
}

LRESULT Window::DefaultHandling(UINT message, WPARAM wparam, LPARAM lparam) {
    return ::DefWindowProcW(hwnd_, message, wparam, lparam);
}

LRESULT CALLBACK Window::StaticWindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) noexcept {
    Window* self = nullptr;
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
        self = static_cast<Window*>(create->lpCreateParams);
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        if (self) self->hwnd_ = hwnd;
    } else {
        self = reinterpret_cast<Window*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }
    if (!self) return ::DefWindowProcW(hwnd, message, wparam, lparam);

    LRESULT result = 0;
    try {
        result = self->HandleMessage(message, wparam, lparam);
    } catch (...) {
        result = ::DefWindowProcW(hwnd, message, wparam, lparam);
    }
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        Guarded([self] { self->OnDestroyed(); });
    }
    return result;
}

}  // namespace kalvoro::win
