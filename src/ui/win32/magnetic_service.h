#pragma once
// The process's snapping service over real windows. The bar registers itself with AddWindow and
// hands its window messages to OnBarMessage; child windows are registered with AddChildWindow,
// which hooks their window procedure so that their moves reach the service by themselves.
//
//   bar window procedure:  LRESULT r = own handling (DefWindowProc for the messages below);
//                          if (auto snapped = service->OnBarMessage(hwnd, msg, wp, lp)) return *snapped;
//                          return r;
//
// WM_MOVING and WM_SIZING come back with 1 and the proposed rectangle corrected (the default
// handling leaves that rectangle alone, so calling the service before or after it is the same);
// WM_ENTERSIZEMOVE, WM_EXITSIZEMOVE, WM_SYSCOMMAND, WM_COMMAND and WM_WINDOWPOSCHANGED come back
// empty and must reach the service after the window has handled them.

#include <windows.h>

#include <memory>
#include <optional>
#include <vector>

#include "ui/magnetic.h"
#include "ui/magnetic_host.h"

namespace kalvoro::win {

class MagneticService {
public:
    static constexpr int kBarSnapDistance = 15;

    // Without a host the service watches the live desktop.
    explicit MagneticService(std::unique_ptr<MagneticHost> host = nullptr);
    MagneticService(const MagneticService&) = delete;
    MagneticService& operator=(const MagneticService&) = delete;
    // Unhooks every child it hooked and clears the process-wide reference.
    ~MagneticService();

    // The instance alive in this process; nullptr before the bar creates it and after it is gone.
    static MagneticService* Current();

    int SnapDistance() const { return magnetic_.SnapDistance(); }
    void SetSnapDistance(int pixels) { magnetic_.SetSnapDistance(pixels); }

    // False when the window is already registered or is not a window, or the parent is given and is
    // not a window. Register a parent before its children.
    bool AddWindow(HWND wnd, HWND parent = nullptr);
    // AddWindow, then hooks the child's window procedure; the hook removes the child from the
    // service when the child is destroyed.
    bool AddChildWindow(HWND child, HWND parent);
    // Its children lose their parent. False when it was not registered.
    bool RemoveWindow(HWND wnd);

    bool IsRegistered(HWND wnd) const;
    bool IsGlued(HWND wnd) const;
    bool IsHooked(HWND wnd) const;

    std::optional<LRESULT> OnBarMessage(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

private:
    static LRESULT CALLBACK HookedChildProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR subclass_id,
                                            DWORD_PTR service) noexcept;
    void Unhook(HWND wnd);

    std::unique_ptr<MagneticHost> host_;
    TMagnetic magnetic_;
    std::vector<HWND> hooked_;
};

// Moves the windows in one deferred batch, keeping their size, z-order and activation.
void MoveCarriedWindows(const std::vector<CarriedWindow>& carried);

}  // namespace kalvoro::win
