#include "tasks/win32/frm_shut_down.h"

#include "base/win32/gdi.h"
#include "base/win32/window.h"
#include "led/win32/led_control.h"
#include "tasks/shutdown_countdown.h"
#include "tasks/win32/task_pictures.h"
#include "ui/win32/skinned_dialog.h"

namespace kalvoro::win {
namespace {

constexpr wchar_t kLedViewClass[] = L"KalvoroCountdownLed";
constexpr UINT_PTR kCountdownTimer = 1;

// The seconds left in LED digits, on a child window of its own so the frame paints around it.
class CountdownLed final : public Window {
public:
    bool Create(HWND parent, int x, int y) {
        led_.SetAutoSize(false);
        led_.SetWordWidth(23);
        led_.SetWordHeight(31);
        led_.SetThick(5);
        led_.SetSpace(4);
        led_.SetBGColor(0xFFFFFF);
        led_.SetLightColor(2592233);
        led_.SetDarkColor(0xFFFFFF);
        led_.SetDrawDarkColor(false);
        led_.SetText("10");
        led_.SetSize(58, 39);
        if (!RegisterWindowClass(kLedViewClass)) return false;
        return CreateHandle(0, kLedViewClass, L"", WS_CHILD | WS_VISIBLE, x, y, 58, 39, parent);
    }
    void SetText(const std::string& text) {
        if (led_.SetText(text)) Invalidate();
    }
    const std::string& Text() const { return led_.Text(); }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override {
        if (message == WM_PAINT) {
            PaintDC paint(hwnd());
            led_.Paint(paint.get(), 0, 0);
            return 0;
        }
        if (message == WM_ERASEBKGND) return 1;
        return DefaultHandling(message, wparam, lparam);
    }

private:
    LedControl led_;
};

class TFrmShutDown final : public SkinnedDialog {
public:
    TFrmShutDown() : SkinnedDialog(kShutDownCaption, 312, 156) {}

protected:
    void OnCreateControls() override {
        led_.Create(hwnd(), 96, 46);
        AddLabel("秒后关闭计算机...", 160, 67, 130, 14);
        int width = 0;
        int height = 0;
        picture_ = CreateShutDownPicture(width, height);
        if (const HWND image = AddControl(L"STATIC", "", SS_BITMAP, 0, 22, 40, 50, 50, kNoId)) {
            ::SendMessageW(image, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture_.get()));
        }
        AddButton("立即关机", 96, 112, 75, 25, IDOK);
        AddButton("取消(&C)", 184, 112, 75, 25, IDCANCEL, true);
        // A stray key press must not power the computer off: the focus starts on cancelling.
        SetInitialFocus(IDCANCEL);
        ::SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        ::SetTimer(hwnd(), kCountdownTimer, 1000, nullptr);
    }

    LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override {
        if (message == WM_TIMER && wparam == kCountdownTimer) {
            Guarded([this] { Timer1Timer(); });
            return 0;
        }
        if (message == WM_DESTROY) ::KillTimer(hwnd(), kCountdownTimer);
        return SkinnedDialog::HandleMessage(message, wparam, lparam);
    }

private:
    void Timer1Timer() {
        if (countdown_.Tick()) {
            ::KillTimer(hwnd(), kCountdownTimer);
            EndModal(kModalOk);
            return;
        }
        led_.SetText(countdown_.Text());
    }

    CountdownLed led_;
    ShutdownCountdown countdown_;
    Bitmap picture_;
};

}  // namespace

bool ConfirmShutDown() {
    TFrmShutDown dialog;
    return dialog.RunModal(nullptr);
}

}  // namespace kalvoro::win
