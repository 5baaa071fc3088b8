#pragma once
// Fixtures for the skin tests: pictures whose every pixel tells where it came from, packages built
// around them, and hand-made BMP files of every layout.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "skin/bmp_encoder.h"
#include "skin/skin_image.h"
#include "skin/skin_package_format.h"

namespace kalvoro::testing {

// Pixel (x, y) is (x << 12) | y, never magenta, so a cut piece shows which pixels it copied.
inline std::uint32_t SourcePixel(int x, int y) {
    return (static_cast<std::uint32_t>(x) << 12) | static_cast<std::uint32_t>(y);
}

inline SkinImage CoordinateImage(int width, int height) {
    SkinImage image = SkinImage::Filled(width, height, 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) image.At(x, y) = SourcePixel(x, y) & 0xFFFFFF;
    }
    return image;
}

inline std::string PackageWith(const std::string& description, const SkinImage& bitmap) {
    return BuildSkinPackage(description, EncodeBmp24(bitmap));
}

// value's low bytes, at most 4.
inline void PutLE(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// A BMP file assembled field by field, so tests can write any layout, valid or not.
struct TestBmp {
    std::uint32_t header_size = 40;
    std::int32_t width = 1;
    std::int32_t height = 1;
    std::uint16_t planes = 1;
    std::uint16_t bits = 24;
    std::uint32_t compression = 0;
    std::uint32_t colours_used = 0;
    std::vector<std::uint32_t> masks;           // inside the header when it is 52 bytes or more, else after it
    std::string palette;                        // raw entries
    std::string pixel_data;                     // raw rows as stored
    std::optional<std::uint32_t> pixel_offset;  // default: right after the palette

    std::string Build() const {
        std::string header;
        if (header_size == 12) {
            PutLE(header, 12, 4);
            PutLE(header, static_cast<std::uint32_t>(width), 2);
            PutLE(header, static_cast<std::uint32_t>(height), 2);
            PutLE(header, planes, 2);
            PutLE(header, bits, 2);
        } else {
            PutLE(header, header_size, 4);
            PutLE(header, static_cast<std::uint32_t>(width), 4);
            PutLE(header, static_cast<std::uint32_t>(height), 4);
            PutLE(header, planes, 2);
            PutLE(header, bits, 2);
            PutLE(header, compression, 4);
            header.append(12, '\0');  // image size and resolution
            PutLE(header, colours_used, 4);
            PutLE(header, 0, 4);
            std::string mask_bytes;
            for (auto mask : masks) PutLE(mask_bytes, mask, 4);
            if (header_size >= 52) {
                header += mask_bytes;
                header.resize(header_size, '\0');
            } else {
                header.resize(header_size, '\0');
                header += mask_bytes;
            }
        }
        const std::uint32_t offset = 14 + static_cast<std::uint32_t>(header.size() + palette.size());
        std::string file = "BM";
        PutLE(file, offset + static_cast<std::uint32_t>(pixel_data.size()), 4);
        PutLE(file, 0, 4);
        PutLE(file, pixel_offset.value_or(offset), 4);
        return file + header + palette + pixel_data;
    }
};

inline std::string Bytes(std::initializer_list<int> values) {
    std::string out;
    for (int value : values) out.push_back(static_cast<char>(value));
    return out;
}

}  // namespace kalvoro::testing
