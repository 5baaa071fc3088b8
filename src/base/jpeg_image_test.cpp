#include "base/jpeg_image.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include <jpeglib.h>

namespace kalvoro {
namespace {

// Encodes pixels (rows top-down, `components` bytes each) with libjpeg into memory.
std::string EncodeJpeg(int width, int height, int components, J_COLOR_SPACE color_space,
                       const std::vector<std::uint8_t>& pixels) {
    jpeg_compress_struct info{};
    jpeg_error_mgr error{};
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = components;
    info.in_color_space = color_space;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<std::uint8_t*>(pixels.data()) +
                       static_cast<std::size_t>(info.next_scanline) * width * components;
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    std::string bytes(reinterpret_cast<const char*>(buffer), size);
    std::free(buffer);
    jpeg_destroy_compress(&info);
    return bytes;
}

// 32 x 16: red on the left half, blue on the right.
std::string RedBlueJpeg() {
    std::vector<std::uint8_t> pixels;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 32; ++x) {
            pixels.insert(pixels.end(), {static_cast<std::uint8_t>(x < 16 ? 255 : 0), 0,
                                         static_cast<std::uint8_t>(x < 16 ? 0 : 255)});
        }
    }
    return EncodeJpeg(32, 16, 3, JCS_RGB, pixels);
}

void ExpectPixelNear(const RgbImage& image, int x, int y, int red, int green, int blue) {
    const std::size_t at = (static_cast<std::size_t>(y) * image.width + x) * 3;
    EXPECT_NEAR(image.rgb[at], red, 12) << x << "," << y;
    EXPECT_NEAR(image.rgb[at + 1], green, 12) << x << "," << y;
    EXPECT_NEAR(image.rgb[at + 2], blue, 12) << x << "," << y;
}

TEST(JpegImageTest, DecodesColourPictures) {
    const std::optional<RgbImage> image = DecodeJpeg(RedBlueJpeg());
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 32);
    EXPECT_EQ(image->height, 16);
    ASSERT_EQ(image->rgb.size(), 32u * 16u * 3u);
    ExpectPixelNear(*image, 4, 2, 255, 0, 0);
    ExpectPixelNear(*image, 27, 13, 0, 0, 255);
}

TEST(JpegImageTest, DecodesGrayscalePicturesAsRgb) {
    std::vector<std::uint8_t> pixels;
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) pixels.push_back(static_cast<std::uint8_t>(y < 4 ? 40 : 200));
    }
    const std::optional<RgbImage> image = DecodeJpeg(EncodeJpeg(8, 8, 1, JCS_GRAYSCALE, pixels));
    ASSERT_TRUE(image);
    ASSERT_EQ(image->rgb.size(), 8u * 8u * 3u);
    ExpectPixelNear(*image, 3, 1, 40, 40, 40);
    ExpectPixelNear(*image, 3, 6, 200, 200, 200);
}

TEST(JpegImageTest, DecodesCmykPictures) {
    // Inverted ink values as Adobe writes them: full cyan ink is 0, no ink 255.
    std::vector<std::uint8_t> pixels;
    for (int i = 0; i < 16 * 16; ++i) pixels.insert(pixels.end(), {255, 0, 0, 255});
    const std::optional<RgbImage> image = DecodeJpeg(EncodeJpeg(16, 16, 4, JCS_CMYK, pixels));
    ASSERT_TRUE(image);
    ExpectPixelNear(*image, 8, 8, 255, 0, 0);
}

TEST(JpegImageTest, AcceptsSidesUpTo16384) {
    const std::vector<std::uint8_t> wide_row(kMaxJpegSide + 1, 128);
    const std::optional<RgbImage> widest = DecodeJpeg(EncodeJpeg(kMaxJpegSide, 1, 1, JCS_GRAYSCALE, wide_row));
    ASSERT_TRUE(widest);
    EXPECT_EQ(widest->width, kMaxJpegSide);
    EXPECT_EQ(DecodeJpeg(EncodeJpeg(kMaxJpegSide + 1, 1, 1, JCS_GRAYSCALE, wide_row)), std::nullopt);
    EXPECT_EQ(DecodeJpeg(EncodeJpeg(1, kMaxJpegSide + 1, 1, JCS_GRAYSCALE, wide_row)), std::nullopt);
}

TEST(JpegImageTest, RejectsIncompletePictures) {
    const std::string jpeg = RedBlueJpeg();
    EXPECT_EQ(DecodeJpeg(jpeg.substr(0, jpeg.size() / 2)), std::nullopt);
    EXPECT_EQ(DecodeJpeg(jpeg.substr(0, 20)), std::nullopt);
    EXPECT_EQ(DecodeJpeg(""), std::nullopt);
    // Only the end marker missing: every row is there.
    EXPECT_TRUE(DecodeJpeg(jpeg.substr(0, jpeg.size() - 2)));
}

TEST(JpegImageTest, SurvivesRandomAndDamagedBytes) {
    std::mt19937 random(1234);
    for (int round = 0; round < 200; ++round) {
        std::string junk(1 + random() % 4096, '\0');
        for (char& c : junk) c = static_cast<char>(random());
        if (round % 2 == 0) junk.replace(0, 2, "\xFF\xD8");
        EXPECT_EQ(DecodeJpeg(junk), std::nullopt);
    }
    const std::string jpeg = RedBlueJpeg();
    for (int round = 0; round < 300; ++round) {
        std::string damaged = jpeg;
        for (int flips = 0; flips < 4; ++flips) damaged[random() % damaged.size()] = static_cast<char>(random());
        const std::optional<RgbImage> image = DecodeJpeg(damaged);
        if (image) {
            EXPECT_EQ(image->rgb.size(), static_cast<std::size_t>(image->width) * image->height * 3);
        }
    }
}

}  // namespace
}  // namespace kalvoro
