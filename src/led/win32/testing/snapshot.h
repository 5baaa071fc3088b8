#pragma once
// Test helper: when KALVORO_SNAPSHOT_DIR is set, pictures the tests draw are saved there as BMP
// files so a person can look at them.

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "led/win32/dib_canvas.h"

namespace kalvoro::win::testing {

inline void SaveSnapshot(const DibCanvas& canvas, const char* name) {
    const char* folder = std::getenv("KALVORO_SNAPSHOT_DIR");
    if (!folder || !*folder) return;
    const std::string path = std::string(folder) + "\\" + name + ".bmp";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return;
    const DWORD pixel_bytes = static_cast<DWORD>(canvas.pixel_count() * 4);
    BITMAPFILEHEADER header{};
    header.bfType = 0x4D42;
    header.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    header.bfSize = header.bfOffBits + pixel_bytes;
    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = canvas.width();
    info.biHeight = -canvas.height();
    info.biPlanes = 1;
    info.biBitCount = 32;
    info.biCompression = BI_RGB;
    std::fwrite(&header, sizeof(header), 1, file);
    std::fwrite(&info, sizeof(info), 1, file);
    std::fwrite(canvas.pixels(), 1, pixel_bytes, file);
    std::fclose(file);
}

}  // namespace kalvoro::win::testing
