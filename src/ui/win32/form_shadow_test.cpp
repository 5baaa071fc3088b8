#include "ui/win32/form_shadow.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>

#include "ui/win32/fade_out_window.h"
#include "ui/win32/testing/gdi_census.h"
#include "ui/win32/layered_attributes.h"
#include "ui/win32/testing/test_window.h"

namespace kalvoro::win {
namespace {

using testing::LiveGdiObjectCount;
using testing::PumpMessages;
using testing::RectOf;
using testing::TestWindow;
using testing::TestWindowOptions;

constexpr COLORREF kMagenta = RGB(255, 0, 255);

std::unique_ptr<TestWindow> MakeForm(RECT rect, BYTE alpha, std::function<void(HDC, const RECT&)> paint = {}) {
    TestWindowOptions options;
    options.rect = rect;
    options.ex_style = WS_EX_TOOLWINDOW | WS_EX_LAYERED;
    options.paint = std::move(paint);
    options.visible = false;
    auto form = std::make_unique<TestWindow>(options);
    ::SetLayeredWindowAttributes(form->hwnd(), 0, alpha, LWA_ALPHA);
    ::ShowWindow(form->hwnd(), SW_SHOWNOACTIVATE);
    ::UpdateWindow(form->hwnd());
    return form;
}

RECT Inflated(RECT rect, int by) {
    return {rect.left - by, rect.top - by, rect.right + by, rect.bottom + by};
}

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

class FormShadowTest : public ::testing::Test {
protected:
    void Attach(HWND form) {
        ASSERT_TRUE(shadow.Create(nullptr));
        shadow.Attach(form);
        shadow.Show(true);
        PumpMessages();
    }

    bool ShadowShows() const { return ::IsWindowVisible(shadow.hwnd()) != FALSE; }

    TFormShadow shadow;
};

TEST_F(FormShadowTest, IsAClickThroughNonActivatingLayeredToolWindow) {
    ASSERT_TRUE(shadow.Create(nullptr));
    const auto ex_style = static_cast<DWORD>(::GetWindowLongPtrW(shadow.hwnd(), GWL_EXSTYLE));
    const DWORD wanted = WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
    EXPECT_EQ(ex_style & wanted, wanted);
    EXPECT_EQ(::GetWindowLongPtrW(shadow.hwnd(), GWL_STYLE) & WS_POPUP, WS_POPUP);
    EXPECT_EQ(::SendMessageW(shadow.hwnd(), WM_NCHITTEST, 0, MAKELPARAM(10, 10)), HTTRANSPARENT);
}

TEST_F(FormShadowTest, Is32PixelsLargerAndFollowsTheFormsMoves) {
    auto form = MakeForm({300, 200, 500, 300}, 200);
    Attach(form->hwnd());
    EXPECT_TRUE(ShadowShows());
    EXPECT_TRUE(SameRect(RectOf(shadow.hwnd()), Inflated(RectOf(form->hwnd()), 16)));
    EXPECT_EQ(shadow.PictureSize(), (Size{232, 132}));

    ::SetWindowPos(form->hwnd(), nullptr, 420, 260, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(SameRect(RectOf(shadow.hwnd()), RECT{404, 244, 636, 376}));
    ::SetWindowPos(form->hwnd(), nullptr, 0, 0, 300, 150, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(SameRect(RectOf(shadow.hwnd()), RECT{404, 244, 736, 426}));
    EXPECT_EQ(shadow.PictureSize(), (Size{332, 182}));
}

TEST_F(FormShadowTest, ConstantAlphaFollowsTheFormsAlpha) {
    auto form = MakeForm({300, 200, 500, 300}, 200);
    Attach(form->hwnd());
    EXPECT_EQ(shadow.ConstantAlpha(), 200);
    ::SetLayeredWindowAttributes(form->hwnd(), 0, 128, LWA_ALPHA);
    shadow.Refresh();
    EXPECT_EQ(shadow.ConstantAlpha(), 128);
    // A move alone is enough for the shadow to notice.
    ::SetLayeredWindowAttributes(form->hwnd(), 0, 60, LWA_ALPHA);
    ::SetWindowPos(form->hwnd(), nullptr, 310, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(shadow.ConstantAlpha(), 60);
}

TEST_F(FormShadowTest, HidesWithTheFormAndWhenMinimisedOrMaximised) {
    auto form = MakeForm({300, 200, 500, 300}, 255);
    Attach(form->hwnd());
    ASSERT_TRUE(ShadowShows());

    ::ShowWindow(form->hwnd(), SW_HIDE);
    EXPECT_FALSE(ShadowShows());
    ::ShowWindow(form->hwnd(), SW_SHOWNOACTIVATE);
    EXPECT_TRUE(ShadowShows());

    ::ShowWindow(form->hwnd(), SW_MINIMIZE);
    EXPECT_FALSE(ShadowShows());
    ::ShowWindow(form->hwnd(), SW_RESTORE);
    EXPECT_TRUE(ShadowShows());
    ::ShowWindow(form->hwnd(), SW_MAXIMIZE);
    EXPECT_FALSE(ShadowShows());
    ::ShowWindow(form->hwnd(), SW_RESTORE);
    EXPECT_TRUE(ShadowShows());
    EXPECT_TRUE(SameRect(RectOf(shadow.hwnd()), Inflated(RectOf(form->hwnd()), 16)));

    shadow.Show(false);
    EXPECT_FALSE(ShadowShows());
}

TEST_F(FormShadowTest, RectangularFormCastsAHaloAndNothingUnderItself) {
    auto form = MakeForm({300, 200, 400, 260}, 255);
    Attach(form->hwnd());
    EXPECT_GT(shadow.PictureAlphaAt(14, 16 + 30), 0);       // just left of the form
    EXPECT_GT(shadow.PictureAlphaAt(16 + 50, 16 + 62), 0);  // just below it
    EXPECT_EQ(shadow.PictureAlphaAt(16 + 50, 16 + 30), 0);  // under it
    EXPECT_EQ(shadow.PictureAlphaAt(0, 0), 0);              // beyond the soft edge
}

TEST_F(FormShadowTest, ColourKeyedFormCastsTheShadowOfItsVisibleShapeOnly) {
    // Only the left half of the form shows; the right half is see-through.
    auto form = MakeForm({300, 200, 420, 320}, 255, [](HDC dc, const RECT& client) {
        FillSolid(dc, client, kMagenta);
        FillSolid(dc, RECT{0, 0, 60, client.bottom}, RGB(90, 120, 160));
    });
    ::SetLayeredWindowAttributes(form->hwnd(), kMagenta, 255, LWA_COLORKEY | LWA_ALPHA);
    ::InvalidateRect(form->hwnd(), nullptr, TRUE);
    Attach(form->hwnd());
    shadow.Refresh();
    const int mid = 16 + 60;
    EXPECT_GT(shadow.PictureAlphaAt(16 + 62, mid), 0);   // in the see-through half, next to the shape
    EXPECT_EQ(shadow.PictureAlphaAt(16 + 100, mid), 0);  // far into the see-through half
    EXPECT_EQ(shadow.PictureAlphaAt(16 + 30, mid), 0);   // under the shape
    EXPECT_GT(shadow.PictureAlphaAt(14, mid), 0);        // left of the shape
}

TEST_F(FormShadowTest, DetachesWhenTheFormIsDestroyedAndCanBeMovedToAnother) {
    auto first = MakeForm({300, 200, 400, 260}, 255);
    Attach(first->hwnd());
    first.reset();
    EXPECT_EQ(shadow.Form(), nullptr);
    EXPECT_FALSE(ShadowShows());

    auto second = MakeForm({500, 300, 600, 400}, 255);
    shadow.Attach(second->hwnd());
    EXPECT_TRUE(ShadowShows());
    EXPECT_TRUE(SameRect(RectOf(shadow.hwnd()), RECT{484, 284, 616, 416}));
    shadow.Attach(nullptr);
    EXPECT_FALSE(ShadowShows());
    ::SetWindowPos(second->hwnd(), nullptr, 10, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_FALSE(ShadowShows());
}

TEST_F(FormShadowTest, RedrawingLeavesTheGdiObjectCountFlat) {
    auto form = MakeForm({300, 200, 400, 260}, 200);
    Attach(form->hwnd());
    const DWORD before = LiveGdiObjectCount();
    for (int i = 0; i < 30; ++i) {
        ::SetWindowPos(form->hwnd(), nullptr, 300 + i, 200, 100 + i, 60, SWP_NOZORDER | SWP_NOACTIVATE);
        ::SetLayeredWindowAttributes(form->hwnd(), 0, static_cast<BYTE>(100 + i), LWA_ALPHA);
        shadow.Refresh();
    }
    EXPECT_EQ(LiveGdiObjectCount(), before);
}

TEST_F(FormShadowTest, FadeOutHidesTheShadowAndStepsTheAlphaDown) {
    auto form = MakeForm({300, 200, 400, 260}, 200);
    Attach(form->hwnd());
    const auto start = std::chrono::steady_clock::now();
    FadeOut(form->hwnd(), &shadow);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_FALSE(ShadowShows());
    EXPECT_EQ(ReadLayeredAttributes(form->hwnd()).alpha, 20);  // 170 140 110 80 50 20
    EXPECT_GE(elapsed, std::chrono::milliseconds(6 * 30 - 10));
}

TEST_F(FormShadowTest, FadeOutAtThirtyOrBelowReturnsAtOnce) {
    auto form = MakeForm({300, 200, 400, 260}, 30);
    const auto start = std::chrono::steady_clock::now();
    FadeOut(form->hwnd(), nullptr);
    // No step ran: the alpha is untouched. The time limit is far above anything but a fade's
    // steps of 30 ms each, so a loaded machine cannot fail it.
    EXPECT_EQ(ReadLayeredAttributes(form->hwnd()).alpha, 30);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

}  // namespace
}  // namespace kalvoro::win
