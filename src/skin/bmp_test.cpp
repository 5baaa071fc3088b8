#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "skin/bmp_decoder.h"
#include "skin/bmp_encoder.h"
#include "skin/testing/skin_test_support.h"

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

TEST(BmpDecoder, RefusesWhatItCannotDecode) {
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
    variant("RLE8 at 24 bits", [](TestBmp& b) { b.compression = 1; });
    variant("RLE4 at 8 bits", [](TestBmp& b) { b.bits = 8, b.compression = 2; });
    variant("run-length stored top-down", [](TestBmp& b) { b.bits = 8, b.compression = 1, b.height = -2; });
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

constexpr std::uint32_t kBlack = 0x000000, kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF;

TEST(BmpDecoder, DecodesRle8RunsAbsoluteRunsDeltasAndLineEnds) {
    // A 4 x 3 RLE8 file written out byte by byte.
    const std::string file = Bytes({
        'B', 'M', 92, 0, 0, 0, 0,   0, 0,  0,   70, 0, 0,   0,        // file header: size 92, pixels at 70
        40,  0,   0,  0, 4, 0, 0,   0, 3,  0,   0,  0,                // info header: 4 x 3, bottom-up
        1,   0,   8,  0, 1, 0, 0,   0, 22, 0,   0,  0,                // one plane, 8 bits, RLE8, 22 bytes
        0,   0,   0,  0, 0, 0, 0,   0, 4,  0,   0,  0, 0,   0, 0, 0,  // resolution, four colours used
        0,   0,   0,  0, 0, 0, 255, 0, 0,  255, 0,  0, 255, 0, 0, 0,  // black, red, green, blue (B G R x)
        3,   1,   1,  3, 0, 0,                                        // bottom row: 3 red, 1 blue, end of line
        0,   3,   2,  3, 2, 0, 0,   0,  // absolute green blue green, pad byte; end of line
        0,   2,   2,  0, 2, 2, 0,   1,  // move right 2, 2 green, end of picture
    });
    ASSERT_EQ(file.size(), 92u);
    auto image = DecodeBmp(file);
    ASSERT_TRUE(image);
    ASSERT_EQ(image->width, 4);
    ASSERT_EQ(image->height, 3);
    EXPECT_EQ(image->pixels, (std::vector<std::uint32_t>{kBlack, kBlack, kGreen, kGreen,  // top row
                                                         kGreen, kBlue, kGreen, kBlack,   //
                                                         kRed, kRed, kRed, kBlue}));      // bottom row
}

TEST(BmpDecoder, DecodesRle4NibblePairsAndPaddedAbsoluteRuns) {
    TestBmp bmp = Bmp(4, 7, 2, Bytes({0, 0, 0, 0, 0, 0, 255, 0, 0, 255, 0, 0}),
                      Bytes({
                          0, 3, 0x12, 0x10, 4, 0x22, 0, 0,           // absolute red green red; 4 green
                          0, 5, 0x21, 0x21, 0x20, 0, 2, 0x11, 0, 1,  // absolute 5 and its pad byte; 2 red
                      }));
    bmp.compression = 2;
    bmp.colours_used = 3;
    auto image = DecodeBmp(bmp.Build());
    ASSERT_TRUE(image);
    EXPECT_EQ(image->pixels, (std::vector<std::uint32_t>{kGreen, kRed, kGreen, kRed, kGreen, kRed, kRed,  //
                                                         kRed, kGreen, kRed, kGreen, kGreen, kGreen, kGreen}));
}

TEST(BmpDecoder, MalformedRunsStayInsideThePictureAndTheData) {
    // 3 x 2 RLE8; colour 0 (what no run reaches) is blue, 1 is red, indices beyond the palette black.
    const struct {
        const char* name;
        std::vector<int> data;
        std::vector<std::uint32_t> pixels;  // top-down
    } cases[] = {
        {"run longer than the row", {255, 1, 0, 1}, {kBlue, kBlue, kBlue, kRed, kRed, kRed}},
        {"absolute run longer than the row",
         {0, 5, 1, 1, 1, 1, 1, 0, 1, 1, 0, 1},
         {kBlue, kBlue, kBlue, kRed, kRed, kRed}},
        {"delta beyond the picture", {0, 2, 255, 255, 3, 1, 0, 1}, {kBlue, kBlue, kBlue, kBlue, kBlue, kBlue}},
        {"delta past the right edge",
         {0, 2, 200, 0, 3, 1, 0, 0, 1, 1, 0, 1},
         {kRed, kBlue, kBlue, kBlue, kBlue, kBlue}},
        {"more line ends than rows", {0, 0, 0, 0, 0, 0, 0, 0, 3, 1}, {kBlue, kBlue, kBlue, kBlue, kBlue, kBlue}},
        {"absolute run cut off by the end of the file", {1, 1, 0, 5, 1, 1}, {kBlue, kBlue, kBlue, kRed, kBlue, kBlue}},
        {"delta cut off by the end of the file", {1, 1, 0, 2, 1}, {kBlue, kBlue, kBlue, kRed, kBlue, kBlue}},
        {"no end of picture", {2, 1}, {kBlue, kBlue, kBlue, kRed, kRed, kBlue}},
        {"odd byte at the end", {1, 1, 0}, {kBlue, kBlue, kBlue, kRed, kBlue, kBlue}},
        {"index beyond the palette", {1, 9, 0, 1}, {kBlue, kBlue, kBlue, kBlack, kBlue, kBlue}},
    };
    for (const auto& test : cases) {
        std::vector<unsigned char> bytes(test.data.begin(), test.data.end());
        TestBmp bmp = Bmp(8, 3, 2, Bytes({255, 0, 0, 0, 0, 0, 255, 0}), std::string(bytes.begin(), bytes.end()));
        bmp.compression = 1;
        bmp.colours_used = 2;
        auto image = DecodeBmp(bmp.Build());
        ASSERT_TRUE(image) << test.name;
        EXPECT_EQ(image->pixels, test.pixels) << test.name;
    }
}

}  // namespace
}  // namespace kalvoro
