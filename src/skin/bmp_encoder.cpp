#include "skin/bmp_encoder.h"

#include <cstdint>

namespace kalvoro {
namespace {

void PutLittleEndian(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

}  // namespace

std::string EncodeBmp24(const SkinImage& image) {
    const int width = image.empty() ? 0 : image.width;
    const int height = image.empty() ? 0 : image.height;
    const std::uint32_t stride = (static_cast<std::uint32_t>(width) * 3 + 3) / 4 * 4;
    const std::uint32_t pixel_bytes = stride * static_cast<std::uint32_t>(height);
    const std::uint32_t header_bytes = 14 + 40;

    std::string out;
    out.reserve(header_bytes + pixel_bytes);
    out += "BM";
    PutLittleEndian(out, header_bytes + pixel_bytes, 4);
    PutLittleEndian(out, 0, 4);
    PutLittleEndian(out, header_bytes, 4);
    PutLittleEndian(out, 40, 4);
    PutLittleEndian(out, static_cast<std::uint32_t>(width), 4);
    PutLittleEndian(out, static_cast<std::uint32_t>(height), 4);
    PutLittleEndian(out, 1, 2);   // planes
    PutLittleEndian(out, 24, 2);  // bits per pixel
    PutLittleEndian(out, 0, 4);   // uncompressed
    PutLittleEndian(out, pixel_bytes, 4);
    PutLittleEndian(out, 2835, 4);  // 72 dots per inch
    PutLittleEndian(out, 2835, 4);
    PutLittleEndian(out, 0, 4);
    PutLittleEndian(out, 0, 4);
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) PutLittleEndian(out, image.At(x, y), 3);
        for (std::uint32_t pad = static_cast<std::uint32_t>(width) * 3; pad < stride; ++pad) out.push_back('\0');
    }
    return out;
}

}  // namespace kalvoro
