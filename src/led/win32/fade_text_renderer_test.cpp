#include "led/win32/fade_text_renderer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "base/win32/gdi.h"
#include "base/win32/text.h"
#include "led/win32/dib_canvas.h"
#include "led/win32/testing/gdi_leak_check.h"
#include "led/win32/testing/snapshot.h"

namespace kalvoro::win {
namespace {

constexpr std::uint32_t kMagenta = 0xFF00FF;
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kBlack = 0x000000;
constexpr int kWidth = FadeTextRenderer::kDefaultWidth;
constexpr int kHeight = FadeTextRenderer::kDefaultHeight;

// A picture standing in for the bar's background: a blue-grey gradient, and magenta (the colour
// key) where `magenta_columns` says so.
void PaintBackground(DibCanvas& picture, int magenta_from_column) {
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const std::uint32_t shade = static_cast<std::uint32_t>(40 + x / 2);
            picture.pixels()[y * picture.width() + x] =
                x >= magenta_from_column ? kMagenta : (shade << 16) | (shade << 8) | std::min(255u, shade + 60);
        }
    }
}

class DateLinePaintTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(background);
        ASSERT_TRUE(target);
        text.AddLine("<FontCN>2024年05月06日 星期一");
        text.AddLine("<FontAD>新版本 3.7.8 发布");
        text.ShowLine(0);
    }

    void PaintOver(int magenta_from_column) {
        PaintBackground(background, magenta_from_column);
        renderer.SetBackground(background.dc(), 0, 0);
        renderer.Paint(target.dc(), 0, 0, text);
        ::GdiFlush();
    }

    std::uint32_t At(int x, int y) const { return target.pixels()[y * kWidth + x] & 0xFFFFFFu; }
    std::uint32_t BackgroundAt(int x, int y) const { return background.pixels()[y * kWidth + x] & 0xFFFFFFu; }

    DibCanvas background{kWidth, kHeight};
    DibCanvas target{kWidth, kHeight};
    FadeTextRenderer renderer;
    FadeText text;
};

TEST_F(DateLinePaintTest, TextAndShadowOverThePictureWithoutMagenta) {
    PaintOver(kWidth);
    testing::SaveSnapshot(target, "date-line");
    int text_pixels = 0;
    int shadow_pixels = 0;
    int left = kWidth, right = -1;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const std::uint32_t pixel = At(x, y);
            EXPECT_NE(pixel, kMagenta) << x << "," << y;
            // The picture has no red above 116 and no blue below 100: brighter is text, bluer-dark shadow.
            text_pixels += ((pixel >> 16) & 0xFF) >= 200;
            shadow_pixels += (pixel & 0xFF) < 60;
            if (pixel != BackgroundAt(x, y)) left = std::min(left, x), right = std::max(right, x);
        }
    }
    EXPECT_GT(text_pixels, 40);
    EXPECT_GT(shadow_pixels, 10);
    // Centred: the margins differ by the shadow's pixel and rounding at most.
    EXPECT_LE(std::abs(left - (kWidth - 1 - right)), 2) << left << " .. " << right;
}

TEST_F(DateLinePaintTest, NoFringeOnTheColourKey) {
    PaintOver(kWidth / 2);  // the right half is see-through
    testing::SaveSnapshot(target, "date-line-half-key");
    int text_on_key = 0;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const std::uint32_t pixel = At(x, y);
            if (BackgroundAt(x, y) == kMagenta) {
                EXPECT_TRUE(pixel == kMagenta || pixel == kWhite || pixel == kBlack) << std::hex << pixel;
                text_on_key += pixel == kWhite;
            } else {
                EXPECT_NE(pixel, kMagenta) << x << "," << y;
            }
        }
    }
    EXPECT_GT(text_on_key, 20) << "the text still shows over the key";

    // Mid-fade too: partial opacity must not blend into the key either.
    text.SetActive(true);
    text.Advance(150);
    renderer.Paint(target.dc(), 0, 0, text);
    ::GdiFlush();
    for (int y = 0; y < kHeight; ++y) {
        for (int x = kWidth / 2; x < kWidth; ++x) {
            const std::uint32_t pixel = At(x, y);
            EXPECT_TRUE(pixel == kMagenta || pixel == kWhite || pixel == kBlack) << std::hex << pixel;
        }
    }
}

TEST_F(DateLinePaintTest, FadeBlendsBetweenBackgroundAndText) {
    PaintOver(kWidth);
    const std::uint32_t full_sum = [&] {
        std::uint32_t sum = 0;
        for (int i = 0; i < kWidth * kHeight; ++i) sum += target.pixels()[i] & 0xFF;
        return sum;
    }();
    text.SetActive(true);
    text.Advance(150);  // half way out
    renderer.Paint(target.dc(), 0, 0, text);
    ::GdiFlush();
    testing::SaveSnapshot(target, "date-line-half-faded");
    bool differs_from_full = false;
    std::uint32_t half_sum = 0;
    for (int i = 0; i < kWidth * kHeight; ++i) half_sum += target.pixels()[i] & 0xFF;
    differs_from_full = half_sum != full_sum;
    EXPECT_TRUE(differs_from_full);

    text.Advance(149);  // out completely: only the background
    renderer.Paint(target.dc(), 0, 0, text);
    ::GdiFlush();
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) ASSERT_EQ(At(x, y), BackgroundAt(x, y)) << x << "," << y;
    }
}

TEST_F(DateLinePaintTest, AnnouncementLineIsUnderlinedWithoutShadow) {
    text.ShowLine(1);
    PaintOver(kWidth);
    testing::SaveSnapshot(target, "date-line-announcement");
    int shadow_pixels = 0;
    int widest_white_row = 0;
    for (int y = 0; y < kHeight; ++y) {
        int white = 0;
        for (int x = 0; x < kWidth; ++x) {
            shadow_pixels += At(x, y) == kBlack;
            white += At(x, y) == kWhite;
        }
        widest_white_row = std::max(widest_white_row, white);
    }
    EXPECT_EQ(shadow_pixels, 0);
    EXPECT_GT(widest_white_row, 60) << "the underline is one long white row";
}

// The date line is drawn without smoothing, laid out from its glyph bitmaps. DrawText with the same
// hard-edged font is the second opinion: every pixel of text and shadow must match, for CJK, Latin,
// digits, and a line too wide for the box (cut with "..."). The whole line may sit one column
// apart: DrawText centres Latin text by the outlines' advances, which can differ from the bitmaps'.
TEST(DateLineLayoutTest, HardEdgedLinesMatchDrawTextPixelForPixel) {
    constexpr std::uint32_t kGrey = 0x404040;
    struct Case {
        const char* line;
        bool shadow;
        int width;
        int height;
    } const cases[] = {
        {"2024年05月06日 星期一", true, kWidth, kHeight},
        {"2026年12月11日 星期五", true, kWidth, kHeight},
        {"Kalvoro 3.7.8 版本 ok", false, kWidth, kHeight},
        {"2026年12月11日 星期五", true, 141, 21},                         // odd sizes, the line still fits
        {"2026年12月11日 星期五 农历十一月初三", true, kWidth, kHeight},  // too wide: ellipsis
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        FadeTextRenderer renderer;
        renderer.SetSize(c.width, c.height);
        renderer.SetBackgroundColour(kGrey);
        FadeTextFontStyle style = DefaultFontCN();
        style.shadow = c.shadow;
        renderer.SetFontStyle(FadeTextFont::kFontCN, style);
        FadeText text;
        text.AddLine(std::string("<FontCN>") + c.line);
        text.ShowLine(0);
        DibCanvas drawn(c.width, c.height);
        ASSERT_TRUE(drawn);
        renderer.Paint(drawn.dc(), 0, 0, text);
        ::GdiFlush();

        DibCanvas expected(c.width, c.height);
        ASSERT_TRUE(expected);
        std::fill_n(expected.pixels(), expected.pixel_count(), kGrey);
        Font font(::CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS,
                                CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"宋体"));
        const std::wstring wide = Widen(c.line);
        {
            SelectObjectScope selected(expected.dc(), font.get());
            ::SetBkMode(expected.dc(), TRANSPARENT);
            constexpr UINT kFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;
            if (c.shadow) {
                RECT shadow_box{1, 1, c.width + 1, c.height + 1};
                ::SetTextColor(expected.dc(), RGB(0, 0, 0));
                ::DrawTextW(expected.dc(), wide.c_str(), -1, &shadow_box, kFormat);
            }
            RECT box{0, 0, c.width, c.height};
            ::SetTextColor(expected.dc(), RGB(255, 255, 255));
            ::DrawTextW(expected.dc(), wide.c_str(), -1, &box, kFormat);
        }
        ::GdiFlush();

        int text_pixels = 0;
        for (int i = 0; i < c.width * c.height; ++i) {
            const std::uint32_t pixel = drawn.pixels()[i] & 0xFFFFFFu;
            EXPECT_TRUE(pixel == kWhite || pixel == kBlack || pixel == kGrey) << "smoothed: " << std::hex << pixel;
            text_pixels += pixel == kWhite;
        }
        EXPECT_GT(text_pixels, 100);
        // Pixels that differ when the drawn line is moved by `shift` columns; the best shift wins.
        const auto differing_at = [&](int shift) {
            int count = 0;
            for (int y = 0; y < c.height; ++y) {
                for (int x = 0; x < c.width; ++x) {
                    const int from = x - shift;
                    const std::uint32_t moved =
                        from >= 0 && from < c.width ? drawn.pixels()[y * c.width + from] & 0xFFFFFFu : kGrey;
                    count += moved != (expected.pixels()[y * c.width + x] & 0xFFFFFFu);
                }
            }
            return count;
        };
        const int differing = std::min({differing_at(0), differing_at(-1), differing_at(1)});
        EXPECT_EQ(differing, 0);
        if (differing) {
            testing::SaveSnapshot(drawn, "date-line-layout");
            testing::SaveSnapshot(expected, "date-line-layout-drawtext");
        }
    }
}

TEST_F(DateLinePaintTest, RepeatedPaintsLeaveTheGdiObjectCountFlat) {
    PaintOver(kWidth);
    text.SetActive(true);
    EXPECT_TRUE(testing::PaintsLeaveGdiFlat([&](int frame) {
        text.Advance(97);
        if (frame % 50 == 0) renderer.SetFontColour(frame % 100 ? RGB(255, 255, 0) : RGB(255, 255, 255));
        if (frame % 300 == 0) renderer.SetSmoothing(frame % 600 != 0);
        renderer.Paint(target.dc(), 0, 0, text);
    }));
}

}  // namespace
}  // namespace kalvoro::win
