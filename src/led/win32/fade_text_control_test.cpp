#include "led/win32/fade_text_control.h"

#include <gtest/gtest.h>

#include <set>

#include "base/win32/gdi.h"
#include "ui/win32/testing/gdi_census.h"

namespace kalvoro::win {
namespace {

// A plain top-level window to host the control, as the bar does.
class HostWindow final : public Window {
public:
    bool Create() {
        if (!RegisterWindowClass(L"KalvoroFadeTextTestHost")) return false;
        return CreateHandle(0, L"KalvoroFadeTextTestHost", L"host", WS_POPUP | WS_VISIBLE, 0, 0, 332, 34, nullptr);
    }
};

// Runs the message loop for a while, calling `each` after every message.
template <typename F>
void PumpFor(DWORD milliseconds, F&& each) {
    const ULONGLONG end = ::GetTickCount64() + milliseconds;
    while (::GetTickCount64() < end) {
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
            each();
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

class FadeTextControlTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(host.Create());
        control.AddLine("<FontCN>2024年05月06日 星期一");
        control.AddLine("<FontAD>one");
        control.AddLine("<FontAD>two");
        control.SetBackgroundColour(RGB(40, 40, 90));
        ASSERT_TRUE(control.Create(host.hwnd(), 173, 12));
        control.ShowLine(0);
    }

    HostWindow host;
    FadeTextControl control;
};

TEST_F(FadeTextControlTest, ItsOwnTimerCyclesTheLinesWhileActive) {
    control.SetLineDelay(60);
    control.SetFadeDuration(40);
    control.SetActive(true);
    std::set<int> seen;
    PumpFor(1500, [&] { seen.insert(control.CurrentLine()); });
    EXPECT_EQ(seen, (std::set<int>{0, 1, 2}));

    control.SetActive(false);
    const int held = control.CurrentLine();
    PumpFor(300, [] {});
    EXPECT_EQ(control.CurrentLine(), held);
}

TEST_F(FadeTextControlTest, ClickReportsTheLineOnDisplay) {
    int clicked_line = -2;
    control.SetOnClick([&] { clicked_line = control.CurrentLine(); });
    control.ShowLine(2);
    ::SendMessageW(control.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    ::SendMessageW(control.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    EXPECT_EQ(clicked_line, 2);

    clicked_line = -2;
    ::SendMessageW(control.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    ::SendMessageW(control.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(500, 10));
    EXPECT_EQ(clicked_line, -2) << "released outside";
}

TEST_F(FadeTextControlTest, PaintingWhileCyclingLeavesTheGdiObjectCountFlat) {
    control.SetLineDelay(30);
    control.SetFadeDuration(60);
    control.SetActive(true);
    PumpFor(300, [] {});  // every line and font painted once
    // Counted in the handle table where the system reports no count (Wine).
    const DWORD before = testing::LiveGdiObjectCount();
    ASSERT_GT(before, 0u) << "the GDI objects cannot be counted here";
    PumpFor(1000, [] {});
    EXPECT_EQ(testing::LiveGdiObjectCount(), before);
}

}  // namespace
}  // namespace kalvoro::win
