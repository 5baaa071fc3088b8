#include "ui/win32/magnetic_service.h"

#include <gtest/gtest.h>

#include <memory>

#include "ui/win32/testing/test_window.h"
#include "ui/win32/win32_geometry.h"
#include "ui/win32/win32_magnetic_host.h"

namespace kalvoro::win {
namespace {

using testing::RectOf;
using testing::TestWindow;
using testing::TestWindowOptions;

// The live desktop, except that the cursor is where the test says: the drag is made of messages.
class ScriptedCursorHost : public Win32MagneticHost {
public:
    Point CursorPosition() const override { return cursor; }
    Point cursor;
};

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

class MagneticServiceTest : public ::testing::Test {
protected:
    MagneticServiceTest() {
        auto host_owned = std::make_unique<ScriptedCursorHost>();
        host = host_owned.get();
        service = std::make_unique<MagneticService>(std::move(host_owned));
        service->SetSnapDistance(MagneticService::kBarSnapDistance);
    }

    // A window that hands its messages to the service the way the bar does.
    std::unique_ptr<TestWindow> MakeBar(RECT rect) {
        TestWindowOptions options;
        options.rect = rect;
        options.after_default = [this](HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
            return service->OnBarMessage(hwnd, message, wparam, lparam);
        };
        return std::make_unique<TestWindow>(options);
    }

    static std::unique_ptr<TestWindow> MakePlain(RECT rect) {
        TestWindowOptions options;
        options.rect = rect;
        return std::make_unique<TestWindow>(options);
    }

    // One drag step as the system makes it: enter, the cursor moves by (dx, dy), WM_MOVING with the
    // proposed place, the window goes where WM_MOVING left the rectangle, exit.
    RECT Drag(HWND hwnd, int dx, int dy) {
        const RECT start = RectOf(hwnd);
        host->cursor = {start.left + 9, start.top + 6};
        ::SendMessageW(hwnd, WM_ENTERSIZEMOVE, 0, 0);
        host->cursor = {host->cursor.x + dx, host->cursor.y + dy};
        RECT proposed{start.left + dx, start.top + dy, start.right + dx, start.bottom + dy};
        const LRESULT result = ::SendMessageW(hwnd, WM_MOVING, WMSZ_TOP, reinterpret_cast<LPARAM>(&proposed));
        EXPECT_EQ(result, 1);
        ::SetWindowPos(hwnd, nullptr, proposed.left, proposed.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        ::SendMessageW(hwnd, WM_EXITSIZEMOVE, 0, 0);
        return proposed;
    }

    Rect WorkArea(HWND hwnd) const { return host->WorkArea(ToWindowId(hwnd)); }

    ScriptedCursorHost* host = nullptr;
    std::unique_ptr<MagneticService> service;
};

TEST_F(MagneticServiceTest, IsTheProcessInstanceWhileItLives) {
    EXPECT_EQ(MagneticService::Current(), service.get());
    service.reset();
    EXPECT_EQ(MagneticService::Current(), nullptr);
}

TEST_F(MagneticServiceTest, RightEdgeSnapsToTheWorkAreaOnlyWithinTheSnapDistance) {
    struct Case {
        int gap;
        bool snaps;
    };
    for (const Case& c : {Case{14, true}, Case{1, true}, Case{15, false}, Case{16, false}, Case{-14, true}}) {
        auto bar = MakeBar({200, 300, 532, 334});
        ASSERT_TRUE(service->AddWindow(bar->hwnd()));
        const Rect work = WorkArea(bar->hwnd());
        const RECT start = RectOf(bar->hwnd());
        // Dragged so that its right edge ends `gap` pixels left of the work area's right edge.
        const int dx = (work.right - c.gap) - start.right;
        const RECT placed = Drag(bar->hwnd(), dx, 0);
        EXPECT_EQ(placed.right, c.snaps ? work.right : work.right - c.gap) << "gap " << c.gap;
        EXPECT_EQ(placed.right - placed.left, 332);
        EXPECT_EQ(placed.top, 300) << "gap " << c.gap;
        EXPECT_TRUE(service->RemoveWindow(bar->hwnd()));
    }
}

TEST_F(MagneticServiceTest, SizingSnapsTheDraggedEdge) {
    auto bar = MakeBar({200, 300, 532, 334});
    ASSERT_TRUE(service->AddWindow(bar->hwnd()));
    auto other = MakePlain({600, 100, 700, 500});
    ASSERT_TRUE(service->AddWindow(other->hwnd()));
    ::SendMessageW(bar->hwnd(), WM_ENTERSIZEMOVE, 0, 0);
    RECT proposed{200, 300, 590, 334};  // right edge 10 pixels short of the other window
    EXPECT_EQ(::SendMessageW(bar->hwnd(), WM_SIZING, WMSZ_RIGHT, reinterpret_cast<LPARAM>(&proposed)), 1);
    EXPECT_TRUE(SameRect(proposed, RECT{200, 300, 600, 334}));
}

TEST_F(MagneticServiceTest, GluedChildTravelsWithItsParentAndALooseOneStays) {
    auto bar = MakeBar({200, 200, 532, 234});
    ASSERT_TRUE(service->AddWindow(bar->hwnd()));
    auto calendar = MakePlain({200, 234, 532, 624});  // directly below the bar
    auto clock = MakePlain({532, 234, 732, 434});     // beside the calendar, touching it only
    auto loose = MakePlain({600, 100, 700, 150});     // a gap away from the bar
    ASSERT_TRUE(service->AddChildWindow(calendar->hwnd(), bar->hwnd()));
    ASSERT_TRUE(service->AddChildWindow(clock->hwnd(), bar->hwnd()));
    ASSERT_TRUE(service->AddChildWindow(loose->hwnd(), bar->hwnd()));
    EXPECT_TRUE(service->IsGlued(calendar->hwnd()));
    EXPECT_TRUE(service->IsGlued(clock->hwnd()));
    EXPECT_FALSE(service->IsGlued(loose->hwnd()));

    Drag(bar->hwnd(), 50, 30);
    EXPECT_TRUE(SameRect(RectOf(calendar->hwnd()), RECT{250, 264, 582, 654}));
    EXPECT_TRUE(SameRect(RectOf(clock->hwnd()), RECT{582, 264, 782, 464}));
    EXPECT_TRUE(SameRect(RectOf(loose->hwnd()), RECT{600, 100, 700, 150}));
}

TEST_F(MagneticServiceTest, ChildDraggedAwayIsNoLongerCarried) {
    auto bar = MakeBar({200, 200, 532, 234});
    ASSERT_TRUE(service->AddWindow(bar->hwnd()));
    auto calendar = MakePlain({200, 234, 532, 624});
    ASSERT_TRUE(service->AddChildWindow(calendar->hwnd(), bar->hwnd()));
    ASSERT_TRUE(service->IsGlued(calendar->hwnd()));

    // Its own drag goes through the hooked procedure, and its exit recomputes the glue.
    Drag(calendar->hwnd(), 0, 60);
    EXPECT_FALSE(service->IsGlued(calendar->hwnd()));
    const RECT left_behind = RectOf(calendar->hwnd());
    Drag(bar->hwnd(), 40, 0);
    EXPECT_TRUE(SameRect(RectOf(calendar->hwnd()), left_behind));
}

TEST_F(MagneticServiceTest, HookedChildSnapsToItsParentWhileDragged) {
    auto bar = MakeBar({200, 200, 532, 234});
    ASSERT_TRUE(service->AddWindow(bar->hwnd()));
    auto calendar = MakePlain({200, 300, 532, 690});
    ASSERT_TRUE(service->AddChildWindow(calendar->hwnd(), bar->hwnd()));
    const RECT placed = Drag(calendar->hwnd(), 3, -56);  // top ends 10 pixels under the bar
    EXPECT_EQ(placed.top, 234);
    EXPECT_EQ(placed.left, 200);
    EXPECT_TRUE(service->IsGlued(calendar->hwnd()));
}

TEST_F(MagneticServiceTest, HidingAndShowingAChildRecomputesTheGlue) {
    auto bar = MakeBar({200, 200, 532, 234});
    ASSERT_TRUE(service->AddWindow(bar->hwnd()));
    auto calendar = MakePlain({200, 234, 532, 624});
    ASSERT_TRUE(service->AddChildWindow(calendar->hwnd(), bar->hwnd()));
    ::ShowWindow(calendar->hwnd(), SW_HIDE);
    EXPECT_FALSE(service->IsGlued(calendar->hwnd()));
    ::ShowWindow(calendar->hwnd(), SW_SHOWNOACTIVATE);
    EXPECT_TRUE(service->IsGlued(calendar->hwnd()));
}

TEST_F(MagneticServiceTest, DestroyedChildLeavesTheServiceAndItsParentNoLongerCarriesIt) {
    auto bar = MakeBar({200, 200, 532, 234});
    ASSERT_TRUE(service->AddWindow(bar->hwnd()));
    auto calendar = MakePlain({200, 234, 532, 624});
    const HWND calendar_hwnd = calendar->hwnd();
    ASSERT_TRUE(service->AddChildWindow(calendar_hwnd, bar->hwnd()));
    calendar.reset();
    EXPECT_FALSE(service->IsRegistered(calendar_hwnd));
    EXPECT_FALSE(service->IsHooked(calendar_hwnd));
    Drag(bar->hwnd(), 10, 10);  // nothing left to carry
    EXPECT_TRUE(SameRect(RectOf(bar->hwnd()), RECT{210, 210, 542, 244}));
}

TEST_F(MagneticServiceTest, RegistrationRefusesDuplicatesAndNonWindows) {
    auto bar = MakeBar({200, 200, 532, 234});
    auto child = MakePlain({200, 234, 532, 624});
    EXPECT_TRUE(service->AddWindow(bar->hwnd()));
    EXPECT_FALSE(service->AddWindow(bar->hwnd()));
    EXPECT_FALSE(service->AddWindow(nullptr));
    EXPECT_FALSE(service->AddChildWindow(child->hwnd(), reinterpret_cast<HWND>(0x7FFF0)));
    EXPECT_FALSE(service->IsHooked(child->hwnd()));
    EXPECT_FALSE(service->RemoveWindow(child->hwnd()));
    // A failed registration leaves the others snapping.
    const Rect work = WorkArea(bar->hwnd());
    EXPECT_EQ(Drag(bar->hwnd(), work.right - 5 - 532, 0).right, work.right);
}

TEST_F(MagneticServiceTest, ChildrenOutliveTheServiceUnhooked) {
    auto bar = MakeBar({200, 200, 532, 234});
    ASSERT_TRUE(service->AddWindow(bar->hwnd()));
    auto calendar = MakePlain({200, 234, 532, 624});
    ASSERT_TRUE(service->AddChildWindow(calendar->hwnd(), bar->hwnd()));
    service.reset();
    RECT proposed{0, 0, 332, 390};
    ::SendMessageW(calendar->hwnd(), WM_MOVING, 0, reinterpret_cast<LPARAM>(&proposed));
    EXPECT_TRUE(SameRect(proposed, RECT{0, 0, 332, 390}));
}

}  // namespace
}  // namespace kalvoro::win
