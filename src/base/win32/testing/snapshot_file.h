#pragma once
// Test helper: when KALVORO_SNAPSHOT_DIR is set, a picture a test drew is saved there as a
// top-down 32-bit BMP file, so a person can look at it.

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace kalvoro::win::testing {

inline void SaveSnapshotFile(const char* name, int width, int height, const std::uint32_t* pixels) {
    const char* folder = std::getenv("KALVORO_SNAPSHOT_DIR");
    if (!folder || !*folder || !pixels || width <= 0 || height <= 0) return;
    const std::string path = std::string(folder) + "\\" + name + ".bmp";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return;
    const DWORD pixel_bytes = static_cast<DWORD>(width) * static_cast<DWORD>(height) * 4;
    BITMAPFILEHEADER header{};
    header.bfType = 0x4D42;
    header.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    header.bfSize = header.bfOffBits + pixel_bytes;
    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = -height;
    info.biPlanes = 1;
    info.biBitCount = 32;
    info.biCompression = BI_RGB;
    std::fwrite(&header, sizeof(header), 1, file);
    std::fwrite(&info, sizeof(info), 1, file);
    std::fwrite(pixels, 1, pixel_bytes, file);
    std::fclose(file);
}

}  // namespace kalvoro::win::testing
