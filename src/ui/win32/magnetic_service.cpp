#include "ui/win32/magnetic_service.h"

#include <commctrl.h>

#include <algorithm>

#include "ui/magnetic_message.h"
#include "ui/win32/win32_geometry.h"
#include "ui/win32/win32_magnetic_host.h"

namespace kalvoro::win {
namespace {

MagneticService* g_current = nullptr;

constexpr UINT_PTR kHookId = 0x4D41474E;  // one hook per window, whichever service installed it

}  // namespace

MagneticService::MagneticService(std::unique_ptr<MagneticHost> host)
    : host_(host ? std::move(host) : std::make_unique<Win32MagneticHost>()), magnetic_(*host_) {
    g_current = this;
}

MagneticService::~MagneticService() {
    for (HWND wnd : hooked_) {
        if (::IsWindow(wnd)) ::RemoveWindowSubclass(wnd, &MagneticService::HookedChildProc, kHookId);
    }
    if (g_current == this) g_current = nullptr;
}

MagneticService* MagneticService::Current() {
    return g_current;
}

bool MagneticService::AddWindow(HWND wnd, HWND parent) {
    return magnetic_.AddWindow(ToWindowId(wnd), ToWindowId(parent));
}

bool MagneticService::AddChildWindow(HWND child, HWND parent) {
    if (!AddWindow(child, parent)) return false;
    if (IsHooked(child)) return true;
    if (!::SetWindowSubclass(child, &MagneticService::HookedChildProc, kHookId, reinterpret_cast<DWORD_PTR>(this))) {
        // A child that cannot report its moves would snap against stale rectangles.
        magnetic_.RemoveWindow(ToWindowId(child));
        return false;
    }
    hooked_.push_back(child);
    return true;
}

bool MagneticService::RemoveWindow(HWND wnd) {
    Unhook(wnd);
    return magnetic_.RemoveWindow(ToWindowId(wnd));
}

bool MagneticService::IsRegistered(HWND wnd) const {
    return magnetic_.IsRegistered(ToWindowId(wnd));
}

bool MagneticService::IsGlued(HWND wnd) const {
    return magnetic_.IsGlued(ToWindowId(wnd));
}

bool MagneticService::IsHooked(HWND wnd) const {
    return std::find(hooked_.begin(), hooked_.end(), wnd) != hooked_.end();
}

void MagneticService::Unhook(HWND wnd) {
    const auto it = std::find(hooked_.begin(), hooked_.end(), wnd);
    if (it == hooked_.end()) return;
    hooked_.erase(it);
    if (::IsWindow(wnd)) ::RemoveWindowSubclass(wnd, &MagneticService::HookedChildProc, kHookId);
}

std::optional<LRESULT> MagneticService::OnBarMessage(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    MagneticMessage request{ToWindowId(hwnd), message, wparam, nullptr, 0};
    Rect proposed;
    RECT* proposed_out = nullptr;
    if ((message == WM_MOVING || message == WM_SIZING) && lparam != 0) {
        proposed_out = reinterpret_cast<RECT*>(lparam);
        proposed = ToRect(*proposed_out);
        request.proposed = &proposed;
    } else if (message == WM_WINDOWPOSCHANGED && lparam != 0) {
        request.windowPosFlags = reinterpret_cast<const WINDOWPOS*>(lparam)->flags;
    }

    MagneticOutcome outcome = HandleMagneticMessage(magnetic_, request);
    if (!outcome.handled) return std::nullopt;
    if (proposed_out) *proposed_out = ToRECT(proposed);
    MoveCarriedWindows(outcome.carried);
    return static_cast<LRESULT>(outcome.result);
}

LRESULT CALLBACK MagneticService::HookedChildProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                                  DWORD_PTR service_ref) noexcept {
    auto* service = reinterpret_cast<MagneticService*>(service_ref);
    try {
        switch (message) {
            case WM_MOVING:
            case WM_SIZING:
                if (auto snapped = service->OnBarMessage(hwnd, message, wparam, lparam)) return *snapped;
                break;
            case WM_SYSCOMMAND:
            case WM_ENTERSIZEMOVE:
            case WM_EXITSIZEMOVE:
            case WM_WINDOWPOSCHANGED:
            case WM_COMMAND: {
                const LRESULT result = ::DefSubclassProc(hwnd, message, wparam, lparam);
                service->OnBarMessage(hwnd, message, wparam, lparam);
                return result;
            }
            case WM_DESTROY:
            case WM_NCDESTROY:
                service->RemoveWindow(hwnd);
                break;
            default:
                break;
        }
    } catch (...) {
        // Snapping is a nicety: the window goes on with its own handling.
    }
    return ::DefSubclassProc(hwnd, message, wparam, lparam);
}

void MoveCarriedWindows(const std::vector<CarriedWindow>& carried) {
    if (carried.empty()) return;
    constexpr UINT kFlags = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
    HDWP batch = ::BeginDeferWindowPos(static_cast<int>(carried.size()));
    for (const CarriedWindow& window : carried) {
        const HWND hwnd = ToHwnd(window.wnd);
        if (!::IsWindow(hwnd)) continue;
        if (batch) batch = ::DeferWindowPos(batch, hwnd, nullptr, window.rect.left, window.rect.top, 0, 0, kFlags);
        // A failed batch is already freed by the system; the rest move one by one.
        if (!batch) ::SetWindowPos(hwnd, nullptr, window.rect.left, window.rect.top, 0, 0, kFlags);
    }
    if (batch) ::EndDeferWindowPos(batch);
}

}  // namespace kalvoro::win
