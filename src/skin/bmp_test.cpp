#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "skin/bmp_decoder.h"
#include "skin/bmp_encoder.h"
#include "skin/skin_test_support.h"

namespace kalvoro {
namespace {

using testing::Bytes;
using testing::TestBmp;

TEST(BmpEncoder, DecodesBackToTheSamePictureForEveryRowPadding) {
    for (auto [width, height] : {std::pair{1, 1}, {2, 3}, {3, 2}, {4, 1}, {5, 5}, {7, 1}}) {
        const SkinImage image = testing::CoordinateImage(width, height);
        auto decoded = DecodeBmp(EncodeBmp24(image));
        ASSERT_TRUE(decoded) << width << "x" << height;
        EXPECT_EQ(*decoded, image) << width << "x" << height;
    }
}

struct DecodeCase {
    const char* name;
    TestBmp bmp;
    int width;
    int height;
    std::vector<std::uint32_t> pixels;  // top-down
};

TestBmp Bmp(std::uint16_t bits, std::int32_t width, std::int32_t height, std::string palette, std::string data) {
    TestBmp bmp;
    bmp.bits = bits;
    bmp.width = width;
    bmp.height = height;
    bmp.palette = std::move(palette);
    bmp.pixel_data = std::move(data);
    return bmp;
}

std::vector<DecodeCase> DecodeCases() {
    std::vector<DecodeCase> cases;
    // Palette: index 0 blue, 1 red. Stored bottom row 1 0 1, top row 0 1 0.
    cases.push_back({"1 bit bottom-up",
                     Bmp(1, 3, 2, Bytes({255, 0, 0, 0, 0, 0, 255, 0}), Bytes({0xA0, 0, 0, 0, 0x40, 0, 0, 0})),
                     3,
                     2,
                     {0x0000FF, 0xFF0000, 0x0000FF, 0xFF0000, 0x0000FF, 0xFF0000}});
    cases.push_back(
        {"2 bit",
         Bmp(2, 3, 1, Bytes({0, 0, 0, 0, 255, 255, 255, 0, 0, 255, 0, 0, 1, 2, 3, 0}), Bytes({0x1B, 0, 0, 0})),
         3,
         1,
         {0x000000, 0xFFFFFF, 0x00FF00}});
    {
        // Four colours only; index 15 lies beyond them and reads black.
        TestBmp bmp = Bmp(4, 3, -2, Bytes({0, 0, 0, 0, 255, 255, 255, 0, 0, 255, 0, 0, 255, 0, 255, 0}),
                          Bytes({0x12, 0x30, 0, 0, 0xF0, 0x10, 0, 0}));
        bmp.colours_used = 4;
        cases.push_back({"4 bit top-down, short palette", bmp, 3, 2, {0xFFFFFF, 0x00FF00, 0xFF00FF, 0, 0, 0xFFFFFF}});
    }
    {
        TestBmp bmp = Bmp(8, 2, 1, Bytes({0, 0, 0x80, 0, 0x10, 0x20, 0x30, 0}), Bytes({1, 0, 0, 0}));
        bmp.colours_used = 2;
        cases.push_back({"8 bit", bmp, 2, 1, {0x302010, 0x800000}});
    }
    cases.push_back({"16 bit 5-5-5", Bmp(16, 2, 1, "", Bytes({0x1F, 0x7C, 0xE0, 0x03})), 2, 1, {0xFF00FF, 0x00FF00}});
    {
        TestBmp bmp = Bmp(16, 2, 1, "", Bytes({0x1F, 0xF8, 0x10, 0x04}));
        bmp.compression = 3;
        bmp.masks = {0xF800, 0x07E0, 0x001F};
        // Green 32 of 63 and blue 16 of 31, scaled to 0..255 with rounding.
        cases.push_back({"16 bit 5-6-5 bit fields", bmp, 2, 1, {0xFF00FF, 0x008284}});
    }
    cases.push_back({"24 bit bottom-up with row padding",
                     Bmp(24, 1, 2, "", Bytes({1, 2, 3, 0, 10, 11, 12, 0})),
                     1,
                     2,
                     {0x0C0B0A, 0x030201}});
    cases.push_back({"24 bit, last row without padding",
                     Bmp(24, 1, 2, "", Bytes({1, 2, 3, 0, 10, 11, 12})),
                     1,
                     2,
                     {0x0C0B0A, 0x030201}});
    cases.push_back(
        {"32 bit ignores the fourth byte", Bmp(32, 1, 1, "", Bytes({0x30, 0x20, 0x10, 0xAB})), 1, 1, {0x102030}});
    {
        TestBmp bmp = Bmp(32, 1, 1, "", Bytes({0x00, 0x11, 0x22, 0x33}));
        bmp.header_size = 124;
        bmp.compression = 3;
        bmp.masks = {0x0000FF00, 0x00FF0000, 0xFF000000};
        cases.push_back({"32 bit bit fields in a version 5 header", bmp, 1, 1, {0x112233}});
    }
    {
        TestBmp bmp = Bmp(24, 1, 1, "", Bytes({3, 2, 1, 0}));
        bmp.header_size = 12;
        cases.push_back({"core header, 24 bit", bmp, 1, 1, {0x010203}});
    }
    {
        std::string palette(256 * 3, '\0');
        palette[5 * 3 + 0] = 0x11;
        palette[5 * 3 + 1] = 0x22;
        palette[5 * 3 + 2] = 0x33;
        TestBmp bmp = Bmp(8, 1, 1, palette, Bytes({5, 0, 0, 0}));
        bmp.header_size = 12;
        cases.push_back({"core header, 8 bit with three-byte palette entries", bmp, 1, 1, {0x332211}});
    }
    {
        TestBmp bmp = Bmp(24, 1, 1, "", Bytes({3, 2, 1, 0}));
        bmp.pixel_offset = 0;
        cases.push_back({"pixel offset pointing into the headers", bmp, 1, 1, {0x010203}});
    }
    {
        TestBmp bmp = Bmp(24, 1, 1, "", Bytes({3, 2, 1, 0}));
        bmp.pixel_offset = 100000;
        cases.push_back({"pixel offset beyond the file", bmp, 1, 1, {0x010203}});
    }
    return cases;
}

TEST(BmpDecoder, DecodesEveryLayoutSkinAuthorsUse) {
    for (const auto& test : DecodeCases()) {
        auto image = DecodeBmp(test.bmp.Build());
        ASSERT_TRUE(image) << test.name;
        EXPECT_EQ(image->width, test.width) << test.name;
        EXPECT_EQ(image->height, test.height) << test.name;
        EXPECT_EQ(image->pixels, test.pixels) << test.name;
    }
}

TEST(BmpDecoder, RefusesWhatIsNotAnUncompressedBmp) {
    const TestBmp valid = Bmp(24, 2, 2, "", std::string(16, '\x7F'));
    ASSERT_TRUE(DecodeBmp(valid.Build()));

    std::vector<std::pair<const char*, std::string>> cases;
    const auto variant = [&](const char* name, auto change) {
        TestBmp bmp = valid;
        change(bmp);
        cases.emplace_back(name, bmp.Build());
    };
    cases.emplace_back("empty", "");
    cases.emplace_back("signature only", "BM");
    cases.emplace_back("wrong signature", "BA" + valid.Build().substr(2));
    cases.emplace_back("header cut short", valid.Build().substr(0, 30));
    variant("unknown header size", [](TestBmp& b) { b.header_size = 20; });
    variant("two planes", [](TestBmp& b) { b.planes = 2; });
    variant("3 bits per pixel", [](TestBmp& b) { b.bits = 3; });
    variant("run-length encoded", [](TestBmp& b) { b.bits = 8, b.compression = 1; });
    variant("embedded JPEG", [](TestBmp& b) { b.compression = 4; });
    variant("bit fields at 24 bits", [](TestBmp& b) { b.compression = 3, b.masks = {0xFF0000, 0xFF00, 0xFF}; });
    variant("bit fields without their masks", [](TestBmp& b) { b.bits = 32, b.compression = 3, b.pixel_data.clear(); });
    variant("zero width", [](TestBmp& b) { b.width = 0; });
    variant("negative width", [](TestBmp& b) { b.width = -2; });
    variant("zero height", [](TestBmp& b) { b.height = 0; });
    variant("pixel rows missing", [](TestBmp& b) { b.pixel_data.resize(8); });
    variant("wider than any skin", [](TestBmp& b) { b.width = kMaxBmpSide + 1, b.height = 1; });
    variant("more pixels than any skin", [](TestBmp& b) { b.width = 5000, b.height = 5000; });
    variant("most negative height", [](TestBmp& b) { b.height = INT32_MIN; });
    variant("palette cut short", [](TestBmp& b) { b.bits = 8, b.palette = std::string(40, '\0'); });
    for (const auto& [name, bytes] : cases) EXPECT_FALSE(DecodeBmp(bytes)) << name;
}

}  // namespace
}  // namespace kalvoro
