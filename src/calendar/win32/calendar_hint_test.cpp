#include "calendar/win32/calendar_hint.h"

#include <gtest/gtest.h>

#include "calendar/win32/testing/calendar_control_test_window.h"

namespace kalvoro::win {
namespace {

using testing::Picture;

class CalendarHintTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(hint.Create(nullptr)); }
    TCalendarHint hint;
};

TEST_F(CalendarHintTest, RedLabelsBesideTheTexts) {
    hint.SetText("公元= 2026年12月15日 星期二  第51周\n农历= 二零二六年十月廿七\n干支= 丙午(马)年庚子月癸亥日");
    const HintLayout& layout = hint.Layout();
    ASSERT_TRUE(layout.visible);
    ASSERT_EQ(layout.lines.size(), 3u);
    EXPECT_GT(layout.label_width, 0);
    const RECT window = hint.WindowRect();
    EXPECT_EQ(window.right - window.left, layout.width);
    EXPECT_EQ(window.bottom - window.top, layout.height);

    const RECT client = hint.ClientRect();
    Picture picture(client.right, client.bottom);
    ::SendMessageW(hint.hwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(picture.dc()), PRF_CLIENT);
    picture.Save("calendar_hint");
    const Rect labels{0, 0, layout.TextX(), client.bottom};
    const Rect texts{layout.TextX(), 0, client.right, client.bottom};
    EXPECT_GT(picture.CountWhere(labels, testing::IsReddish), 20);
    EXPECT_EQ(picture.CountWhere(texts, testing::IsReddish), 0);
    EXPECT_GT(picture.CountWhere(texts, testing::IsDark), 20);
}

TEST_F(CalendarHintTest, ShownWithoutTakingTheFocusAndHiddenForNoText) {
    hint.SetText("下一月");
    hint.ShowAt({100, 100});
    EXPECT_TRUE(hint.IsVisible());
    EXPECT_NE(::GetForegroundWindow(), hint.hwnd());
    EXPECT_EQ(::SendMessageW(hint.hwnd(), WM_NCHITTEST, 0, MAKELPARAM(120, 120)), HTTRANSPARENT);
    EXPECT_TRUE(::GetWindowLongPtrW(hint.hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    hint.SetText("");
    EXPECT_FALSE(hint.IsVisible());
}

TEST_F(CalendarHintTest, PlacedBesideThePointerWithinTheScreen) {
    const RECT screen{0, 0, 1280, 800};
    const struct {
        POINT pointer;
        POINT expected;
    } cases[] = {
        {{100, 100}, {116, 116}},
        {{1250, 100}, {1080, 116}},  // moved left
        {{100, 790}, {116, 700}},    // moved up
        {{1279, 799}, {1080, 700}},
    };
    for (const auto& c : cases) {
        const POINT place = TCalendarHint::PlaceNear(c.pointer, {200, 100}, screen);
        EXPECT_EQ(place.x, c.expected.x);
        EXPECT_EQ(place.y, c.expected.y);
    }
}

TEST_F(CalendarHintTest, AlphaInRangeMakesTheWindowLayered) {
    EXPECT_EQ(hint.Alpha(), 255);
    hint.SetAlpha(300);
    EXPECT_EQ(hint.Alpha(), 255);
    EXPECT_FALSE(::GetWindowLongPtrW(hint.hwnd(), GWL_EXSTYLE) & WS_EX_LAYERED);
    hint.SetAlpha(200);
    EXPECT_EQ(hint.Alpha(), 200);
    EXPECT_TRUE(::GetWindowLongPtrW(hint.hwnd(), GWL_EXSTYLE) & WS_EX_LAYERED);
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(::GetLayeredWindowAttributes(hint.hwnd(), nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 200);
}

}  // namespace
}  // namespace kalvoro::win
