#pragma once
// Small pictures written as letters, one letter a pixel, so rotation tables read like the rows
// they stand for. '.' is the background.

#include <cstdint>
#include <string>
#include <vector>

#include "skin/skin_image.h"

namespace kalvoro::testing {

inline constexpr std::uint32_t kLetterBackground = '.';

inline SkinImage LetterPicture(const std::vector<std::string>& rows) {
    SkinImage image;
    image.height = static_cast<int>(rows.size());
    image.width = rows.empty() ? 0 : static_cast<int>(rows[0].size());
    for (const auto& row : rows) {
        for (char letter : row) image.pixels.push_back(static_cast<unsigned char>(letter));
    }
    return image;
}

inline std::vector<std::string> LetterRows(const SkinImage& image) {
    std::vector<std::string> rows;
    for (int y = 0; y < image.height; ++y) {
        std::string row;
        for (int x = 0; x < image.width; ++x) {
            const std::uint32_t pixel = image.At(x, y);
            row.push_back(pixel < 128 ? static_cast<char>(pixel) : '?');
        }
        rows.push_back(row);
    }
    return rows;
}

// Every pixel different and far from the background, as a hand's pixels might be.
inline SkinImage NumberedPicture(int width, int height) {
    SkinImage image = SkinImage::Filled(width, height, 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) image.At(x, y) = 0x100000u + static_cast<std::uint32_t>(y * width + x);
    }
    return image;
}

}  // namespace kalvoro::testing
