#include "ui/win32/frame_skin.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "base/file_store.h"
#include "skin/skin_files.h"
#include "ui/win32/fallback_window_skin.h"
#include "ui/win32/frame_decoration.h"
#include "ui/win32/testing/test_window.h"

namespace kalvoro::win {
namespace {

using testing::PumpMessages;
using testing::TestWindow;
using testing::TestWindowOptions;

constexpr std::uint32_t kSeeThroughPixel = 0xFF00FF;

// A 100 x 50 frame picture whose nine pieces each have their own colour (0x00RRGGBB).
const std::map<FramePart, std::uint32_t> kPieceColours = {
    {FramePart::kTopLeft, 0xC00000},    {FramePart::kTopRight, 0x00C000},    {FramePart::kTop, 0x0000C0},
    {FramePart::kBottomLeft, 0xC0C000}, {FramePart::kBottomRight, 0x00C0C0}, {FramePart::kLeft, 0xC000C0},
    {FramePart::kRight, 0x604020},      {FramePart::kBottom, 0x206040},      {FramePart::kCentre, 0xF0F0F0},
};

std::uint32_t PieceColourAt(int x, int y) {
    if (y < 28)
        return x < 21   ? kPieceColours.at(FramePart::kTopLeft)
               : x < 80 ? kPieceColours.at(FramePart::kTop)
                        : kPieceColours.at(FramePart::kTopRight);
    if (y < 40)
        return x < 10   ? kPieceColours.at(FramePart::kLeft)
               : x < 90 ? kPieceColours.at(FramePart::kCentre)
                        : kPieceColours.at(FramePart::kRight);
    return x < 10   ? kPieceColours.at(FramePart::kBottomLeft)
           : x < 90 ? kPieceColours.at(FramePart::kBottom)
                    : kPieceColours.at(FramePart::kBottomRight);
}

WindowSkin PiecewiseSkin() {
    WindowSkin skin;
    skin.caption = RGB(255, 255, 0);
    skin.frame = SkinImage::Filled(100, 50, 0);
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 100; ++x) skin.frame.At(x, y) = PieceColourAt(x, y);
    skin.close_up = SkinImage::Filled(43, 17, 0x808080);
    skin.close_hot = SkinImage::Filled(43, 17, 0xE04030);
    return skin;
}

// A client-sized 32-bit picture to paint into and read back.
class Canvas {
public:
    Canvas(int width, int height) : dib_(width, height), select_(dc_.get(), dib_.get()) {}
    HDC dc() const { return dc_.get(); }
    std::uint32_t At(int x, int y) const {
        ::GdiFlush();
        return dib_.pixels()[static_cast<std::size_t>(y) * dib_.width() + x] & 0xFFFFFF;
    }
    int CountOf(std::uint32_t pixel, const RECT& area) const {
        int count = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x) count += At(x, y) == pixel;
        return count;
    }

private:
    MemoryDC dc_;
    DibSection dib_;
    SelectObjectScope select_;
};

TEST(FramePaintTest, PiecesLandWhereTheLayoutPutsThem) {
    const TMyWindow frame(PiecewiseSkin());
    ASSERT_TRUE(frame.IsSkinned());
    const FrameLayout layout = frame.LayOut({300, 200}, {300, 200}, 14);
    Canvas canvas(300, 200);
    frame.PaintFrame(canvas.dc(), layout);

    for (const FramePiece& piece : layout.pieces) {
        ASSERT_TRUE(piece.IsDrawn());
        const Rect& d = piece.destination;
        const std::uint32_t wanted = kPieceColours.at(piece.part);
        // The top edge's source reaches one column into the top-right corner's, which its last
        // stretched pixels show.
        const int right = piece.part == FramePart::kTop ? d.right - 4 : d.right - 1;
        // Its middle and its four inner corners.
        for (const auto& [x, y] :
             {std::pair{(d.left + d.right) / 2, (d.top + d.bottom) / 2}, std::pair{d.left, d.top},
              std::pair{right, d.top}, std::pair{d.left, d.bottom - 1}, std::pair{right, d.bottom - 1}}) {
            EXPECT_EQ(canvas.At(x, y), wanted) << "part " << static_cast<int>(piece.part) << " at " << x << "," << y;
        }
    }
    // The one-pixel outer border stays see-through.
    for (const auto& [x, y] : {std::pair{0, 0}, std::pair{150, 0}, std::pair{299, 100}, std::pair{150, 199},
                               std::pair{0, 100}, std::pair{299, 199}}) {
        EXPECT_EQ(canvas.At(x, y), kSeeThroughPixel) << x << "," << y;
    }
}

TEST(FramePaintTest, WithoutAWindowSkinTheFrameHasTheProgramsOwnLook) {
    for (const TMyWindow& frame : {TMyWindow(), TMyWindow(WindowSkin{})}) {
        EXPECT_FALSE(frame.IsSkinned());
        EXPECT_EQ(frame.FrameBitmapSize(), (Size{kFallbackFrameWidth, kFallbackFrameHeight}));
        EXPECT_EQ(frame.CloseButtonSize(), (Size{kFallbackCloseWidth, kFallbackCloseHeight}));
        const FrameLayout layout = frame.LayOut({240, 160}, {240, 160}, 14);
        Canvas canvas(240, 160);
        frame.PaintFrame(canvas.dc(), layout);
        EXPECT_EQ(canvas.At(120, 100), ColorRefToPixel(kFallbackFaceColour));
        EXPECT_NE(canvas.At(120, 12), canvas.At(120, 100));  // a caption band
        EXPECT_EQ(canvas.At(0, 0), kSeeThroughPixel);
    }
}

TEST(FramePaintTest, SkinWithoutCloseButtonsKeepsItsFrameAndGetsTheOwnButton) {
    WindowSkin skin = PiecewiseSkin();
    skin.close_hot = {};
    const TMyWindow frame(skin);
    EXPECT_TRUE(frame.IsSkinned());
    EXPECT_EQ(frame.CloseButtonSize(), (Size{kFallbackCloseWidth, kFallbackCloseHeight}));
}

TEST(FramePaintTest, ShippedWindowSkinMakesASkinnedFrame) {
    const std::string path = std::string(KALVORO_SOURCE_DIR) + "/resources/skins/Skin/Frame/Window.sk";
    const auto bytes = ReadSkinPackageFile(DiskFileStore(), path);
    ASSERT_TRUE(bytes);
    const auto skin = LoadWindowSkinData(*bytes);
    ASSERT_TRUE(skin);
    const TMyWindow frame(*skin);
    EXPECT_TRUE(frame.IsSkinned());
    EXPECT_EQ(frame.FrameBitmapSize(), (Size{100, 50}));
    EXPECT_EQ(frame.CloseButtonSize(), (Size{43, 17}));
    EXPECT_EQ(frame.CaptionColor(), 0xFAF5F2u);
}

class AppliedFrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestWindowOptions options;
        options.rect = {200, 150, 500, 350};  // 300 x 200
        // Records the drag requests instead of starting the system's move loop.
        options.before_default = [this](HWND, UINT message, WPARAM wparam, LPARAM) -> std::optional<LRESULT> {
            if (message != WM_SYSCOMMAND) return std::nullopt;
            system_commands.push_back(wparam);
            return 0;
        };
        form = std::make_unique<TestWindow>(options);
        ASSERT_TRUE(frame.Apply(form->hwnd(), "日历标记", true));
        PumpMessages();
    }

    // A press and release at a client point, as the mouse makes them.
    void Click(UINT down, UINT up, int x, int y) {
        ::SendMessageW(form->hwnd(), down, 0, MAKELPARAM(x, y));
        if (up) ::SendMessageW(form->hwnd(), up, 0, MAKELPARAM(x, y));
    }

    bool ClosePosted() {
        MSG message{};
        return ::PeekMessageW(&message, form->hwnd(), WM_CLOSE, WM_CLOSE, PM_REMOVE) != FALSE;
    }

    const TMyWindow frame{PiecewiseSkin()};
    std::unique_ptr<TestWindow> form;
    std::vector<WPARAM> system_commands;
};

TEST_F(AppliedFrameTest, CloseButtonStandsTenPixelsFromTheRightEdgeAndCloses) {
    const FrameDecoration* decoration = FrameDecoration::Of(form->hwnd());
    ASSERT_NE(decoration, nullptr);
    EXPECT_EQ(decoration->Layout().closeButton, (Rect{247, 1, 290, 18}));

    Click(WM_LBUTTONDOWN, WM_LBUTTONUP, 289, 5);
    EXPECT_TRUE(ClosePosted());
    // Pressed on the button but released beside it: no click.
    Click(WM_LBUTTONDOWN, 0, 250, 5);
    ::SendMessageW(form->hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(200, 5));
    EXPECT_FALSE(ClosePosted());
    EXPECT_TRUE(system_commands.empty());
}

TEST_F(AppliedFrameTest, CloseButtonTurnsHotUnderTheMouse) {
    ::SendMessageW(form->hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(260, 8));
    EXPECT_TRUE(FrameDecoration::Of(form->hwnd())->IsCloseHot());
    ::SendMessageW(form->hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(100, 100));
    EXPECT_FALSE(FrameDecoration::Of(form->hwnd())->IsCloseHot());
}

TEST_F(AppliedFrameTest, AnyButtonOnTheTopBandDragsTheForm) {
    Click(WM_LBUTTONDOWN, WM_LBUTTONUP, 100, 27);
    Click(WM_RBUTTONDOWN, WM_RBUTTONUP, 295, 3);  // right of the close button
    Click(WM_MBUTTONDOWN, WM_MBUTTONUP, 5, 0);
    Click(WM_LBUTTONDOWN, WM_LBUTTONUP, 100, 28);  // below the band
    EXPECT_EQ(system_commands, (std::vector<WPARAM>{0xF012, 0xF012, 0xF012}));
    EXPECT_FALSE(ClosePosted());
}

TEST_F(AppliedFrameTest, FormGetsRoundedCornersAndNoBorder) {
    EXPECT_EQ(::GetWindowLongPtrW(form->hwnd(), GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME), 0);
    Region region(::CreateRectRgn(0, 0, 0, 0));
    ASSERT_EQ(::GetWindowRgn(form->hwnd(), region.get()), COMPLEXREGION);
    RECT box{};
    ::GetRgnBox(region.get(), &box);
    EXPECT_EQ(box.left, 1);
    EXPECT_EQ(box.top, 1);
    EXPECT_FALSE(::PtInRegion(region.get(), 1, 1));  // the corner is cut
    EXPECT_FALSE(::PtInRegion(region.get(), 298, 198));
    EXPECT_TRUE(::PtInRegion(region.get(), 7, 7));
    EXPECT_TRUE(::PtInRegion(region.get(), 150, 1));
    EXPECT_TRUE(::PtInRegion(region.get(), 1, 100));
}

TEST_F(AppliedFrameTest, BackgroundIsTheFrameWithCaptionAndCloseButton) {
    Canvas canvas(300, 200);
    ::SendMessageW(form->hwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT | PRF_ERASEBKGND);
    EXPECT_EQ(canvas.At(150, 100), kPieceColours.at(FramePart::kCentre));
    EXPECT_EQ(canvas.At(260, 10), 0x808080u);  // the close button
    // The caption, in its colour, in the band from x = 10.
    EXPECT_GT(canvas.CountOf(0xFFFF00, RECT{10, 2, 120, 27}), 20);
    EXPECT_EQ(canvas.CountOf(0xFFFF00, RECT{0, 2, 9, 27}), 0);

    // Resizing lays the frame out again.
    ::SetWindowPos(form->hwnd(), nullptr, 0, 0, 400, 260, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(FrameDecoration::Of(form->hwnd())->Layout().closeButton, (Rect{347, 1, 390, 18}));
}

}  // namespace
}  // namespace kalvoro::win
