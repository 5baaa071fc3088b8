#include "ui/win32/skinned_dialog.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

#include "base/win32/text.h"
#include "ui/win32/form_shadow.h"
#include "ui/win32/frame_decoration.h"
#include "ui/win32/testing/gdi_census.h"
#include "ui/win32/testing/test_window.h"
#include "ui/win32/ui_globals.h"

namespace kalvoro::win {
namespace {

using testing::LiveGdiObjectCount;
using testing::PumpMessages;
using testing::RectOf;
using testing::ScheduledSteps;
using testing::TestWindow;
using testing::TestWindowOptions;

constexpr int kNameEdit = 101;

// What a mark dialog looks like: a label, an edit, OK and cancel.
class NameDialog : public SkinnedDialog {
public:
    NameDialog() : SkinnedDialog("标记", 300, 200) {}

    std::string name;
    int ok_calls = 0;
    int refuse_ok_times = 0;
    std::function<void(NameDialog&)> after_controls;  // runs once the controls exist

protected:
    void OnCreateControls() override {
        AddLabel("名称：", 20, 50, 60, 16);
        AddEdit("春节", 80, 46, 180, 22, kNameEdit);
        AddButton("确定", 120, 160, 70, 24, IDOK, true);
        AddButton("取消", 200, 160, 70, 24, IDCANCEL);
        if (after_controls) after_controls(*this);
    }
    bool OnOk() override {
        ++ok_calls;
        if (refuse_ok_times-- > 0) return false;
        name = ItemText(kNameEdit);
        return true;
    }
};

HWND DialogWindow() {
    return ::FindWindowW(L"KalvoroSkinnedDialog", nullptr);
}

void PressKey(HWND target, WPARAM key) {
    ::PostMessageW(target, WM_KEYDOWN, key, 1);
    ::PostMessageW(target, WM_KEYUP, key, 0xC0000001);
}

// Presses a key on the dialog's focused control (its first one when focus went elsewhere).
void PressKeyInDialog(WPARAM key) {
    const HWND dialog = DialogWindow();
    HWND focus = ::GetFocus();
    if (!focus || !::IsChild(dialog, focus)) focus = ::GetDlgItem(dialog, kNameEdit);
    PressKey(focus, key);
}

class SkinnedDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        ShadowsOnFlag() = true;
        TestWindowOptions options;
        options.rect = {100, 100, 432, 134};
        owner = std::make_unique<TestWindow>(options);
    }
    void TearDown() override { ShadowsOnFlag() = false; }

    std::unique_ptr<TestWindow> owner;
};

TEST_F(SkinnedDialogTest, EnterEndsWithOkAndEscapeWithCancel) {
    NameDialog accepted;
    bool owner_disabled_after_controls = false;
    ScheduledSteps enter({[&] { owner_disabled_after_controls = !::IsWindowEnabled(owner->hwnd()); },
                          [] { PressKeyInDialog(VK_RETURN); }});
    EXPECT_TRUE(accepted.RunModal(owner->hwnd()));
    EXPECT_EQ(accepted.name, "春节");
    EXPECT_TRUE(owner_disabled_after_controls);
    EXPECT_TRUE(::IsWindowEnabled(owner->hwnd()));
    EXPECT_EQ(accepted.hwnd(), nullptr);
    EXPECT_EQ(DialogWindow(), nullptr);

    NameDialog cancelled;
    ScheduledSteps escape({[] { PressKeyInDialog(VK_ESCAPE); }});
    EXPECT_FALSE(cancelled.RunModal(owner->hwnd()));
    EXPECT_EQ(cancelled.ok_calls, 0);
    EXPECT_TRUE(::IsWindowEnabled(owner->hwnd()));
}

TEST_F(SkinnedDialogTest, TabMovesFromTheEditToTheButtons) {
    NameDialog dialog;
    HWND focus_after_tab = nullptr;
    ScheduledSteps steps({[] { PressKey(::GetDlgItem(DialogWindow(), kNameEdit), VK_TAB); },
                          [&] {
                              focus_after_tab = ::GetFocus();
                              PressKeyInDialog(VK_ESCAPE);
                          }});
    HWND ok_button = nullptr;
    dialog.after_controls = [&](NameDialog& opened) { ok_button = ::GetDlgItem(opened.hwnd(), IDOK); };
    EXPECT_FALSE(dialog.RunModal(owner->hwnd()));
    EXPECT_EQ(focus_after_tab, ok_button);
}

TEST_F(SkinnedDialogTest, ControlsThatCannotBeMadeMeanNoDialog) {
    NameDialog dialog;
    dialog.after_controls = [](NameDialog&) { throw std::runtime_error("no controls"); };
    EXPECT_FALSE(dialog.RunModal(owner->hwnd()));
    EXPECT_EQ(DialogWindow(), nullptr);
    EXPECT_TRUE(::IsWindowEnabled(owner->hwnd()));
}

TEST_F(SkinnedDialogTest, ButtonsAndTheCloseButtonEndIt) {
    NameDialog by_ok_button;
    ScheduledSteps ok_click({[] {
        ::PostMessageW(DialogWindow(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(DialogWindow(), IDOK)));
    }});
    EXPECT_TRUE(by_ok_button.RunModal(owner->hwnd()));

    NameDialog by_close_button;
    ScheduledSteps close_click({[] {
        const Rect button = FrameDecoration::Of(DialogWindow())->Layout().closeButton;
        const LPARAM at = MAKELPARAM(button.left + 3, button.top + 3);
        ::PostMessageW(DialogWindow(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        ::PostMessageW(DialogWindow(), WM_LBUTTONUP, 0, at);
    }});
    EXPECT_FALSE(by_close_button.RunModal(owner->hwnd()));
}

TEST_F(SkinnedDialogTest, OkThatIsRefusedKeepsTheDialogOpen) {
    NameDialog dialog;
    dialog.refuse_ok_times = 1;
    ScheduledSteps steps({[] { PressKeyInDialog(VK_RETURN); },
                          [] {
                              ::SetWindowTextW(::GetDlgItem(DialogWindow(), kNameEdit), L"中秋");
                              PressKeyInDialog(VK_RETURN);
                          }});
    EXPECT_TRUE(dialog.RunModal(owner->hwnd()));
    EXPECT_EQ(dialog.ok_calls, 2);
    EXPECT_EQ(dialog.name, "中秋");
}

TEST_F(SkinnedDialogTest, IsFramedShadowedCentredAndInTheDialogFont) {
    NameDialog dialog;
    RECT placed{};
    bool framed = false;
    bool shadow_shows = false;
    LOGFONTW font{};
    ScheduledSteps steps({[&] {
        const HWND hwnd = DialogWindow();
        placed = RectOf(hwnd);
        framed = FrameDecoration::Of(hwnd) != nullptr;
        shadow_shows = dialog.Shadow() && ::IsWindowVisible(dialog.Shadow()->hwnd());
        ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(::GetDlgItem(hwnd, kNameEdit), WM_GETFONT, 0, 0)),
                     sizeof(font), &font);
        ::PostMessageW(hwnd, WM_CLOSE, 0, 0);
    }});
    EXPECT_FALSE(dialog.RunModal(owner->hwnd()));

    EXPECT_TRUE(framed);
    EXPECT_TRUE(shadow_shows);
    EXPECT_EQ(placed.right - placed.left, 300);
    EXPECT_EQ(placed.bottom - placed.top, 200);
    const int screen_width = ::GetSystemMetrics(SM_CXSCREEN);
    const int screen_height = ::GetSystemMetrics(SM_CYSCREEN);
    EXPECT_NEAR(placed.left + 150, screen_width / 2, 1);
    EXPECT_NEAR(placed.top + 100, screen_height / 2, 1);
    EXPECT_EQ(Narrow(font.lfFaceName), "宋体");
    EXPECT_EQ(font.lfHeight, -12);  // 9 pt at 96 dpi
}

TEST_F(SkinnedDialogTest, WithoutShadowsOnItHasNoShadow) {
    ShadowsOnFlag() = false;
    NameDialog dialog;
    bool has_shadow = true;
    ScheduledSteps steps({[&] {
        has_shadow = dialog.Shadow() != nullptr;
        PressKeyInDialog(VK_ESCAPE);
    }});
    dialog.RunModal(owner->hwnd());
    EXPECT_FALSE(has_shadow);
}

TEST_F(SkinnedDialogTest, QuitWhileOpenCancelsAndReachesTheOuterLoop) {
    NameDialog dialog;
    ScheduledSteps steps({[] { ::PostQuitMessage(7); }});
    EXPECT_FALSE(dialog.RunModal(owner->hwnd()));
    EXPECT_TRUE(::IsWindowEnabled(owner->hwnd()));
    MSG message{};
    ASSERT_TRUE(::PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 7u);
}

TEST_F(SkinnedDialogTest, OwnerDestroyedWhileOpenEndsTheDialog) {
    NameDialog dialog;
    ScheduledSteps steps({[&] { owner.reset(); }});
    EXPECT_FALSE(dialog.RunModal(owner->hwnd()));
    EXPECT_EQ(DialogWindow(), nullptr);
}

TEST_F(SkinnedDialogTest, OpeningAndClosingLeavesTheGdiObjectCountFlat) {
    const auto run_once = [this] {
        NameDialog dialog;
        ScheduledSteps steps({[] { PressKeyInDialog(VK_ESCAPE); }}, 10);
        dialog.RunModal(owner->hwnd());
        PumpMessages();
    };
    run_once();  // the frame's shared pictures are made on first use
    const DWORD before = LiveGdiObjectCount();
    {
        // The count must see a single object come and go, or comparing it proves nothing.
        Brush probe(::CreateSolidBrush(RGB(1, 2, 3)));
        ASSERT_EQ(LiveGdiObjectCount(), before + 1);
    }
    ASSERT_EQ(LiveGdiObjectCount(), before);
    for (int i = 0; i < 20; ++i) run_once();
    EXPECT_EQ(LiveGdiObjectCount(), before);
}

}  // namespace
}  // namespace kalvoro::win
