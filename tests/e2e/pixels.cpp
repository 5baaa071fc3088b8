#include "e2e/pixels.h"

#include <filesystem>
#include <fstream>

#include "base/win32/gdi.h"

namespace kalvoro::e2e {

COLORREF Pixels::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return 0xFFFFFFFF;
    const std::uint32_t p =
        argb[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

namespace {

Pixels FromDib(const win::DibSection& dib) {
    Pixels out;
    out.width = dib.width();
    out.height = dib.height();
    out.argb.assign(dib.pixels(), dib.pixels() + static_cast<std::size_t>(dib.width()) * dib.height());
    for (auto& p : out.argb) p &= 0x00FFFFFF;
    return out;
}

}  // namespace

Pixels CaptureWindow(HWND hwnd) {
    RECT r{};
    ::GetWindowRect(hwnd, &r);
    return CaptureScreen(r);
}

Pixels CaptureScreen(const RECT& area) {
    win::DibSection dib(area.right - area.left, area.bottom - area.top);
    if (!dib) return {};
    win::WindowDC screen(nullptr);
    win::MemoryDC dc(screen.get());
    win::SelectObjectScope select(dc.get(), dib.get());
    ::BitBlt(dc.get(), 0, 0, dib.width(), dib.height(), screen.get(), area.left, area.top, SRCCOPY);
    ::GdiFlush();
    return FromDib(dib);
}

std::wstring SaveSnapshot(const Pixels& pixels, const std::wstring& name) {
    const std::filesystem::path dir = std::filesystem::path(KALVORO_BIN_DIR) / "screenshots";
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    const std::filesystem::path path = dir / (name + L".bmp");
    const int row = (pixels.width * 3 + 3) & ~3;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = pixels.width;
    info.biHeight = pixels.height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biSizeImage = static_cast<DWORD>(row * pixels.height);
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + info.biSizeImage;
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof(file));
    out.write(reinterpret_cast<const char*>(&info), sizeof(info));
    std::vector<char> line(static_cast<std::size_t>(row), 0);
    for (int y = pixels.height - 1; y >= 0; --y) {
        for (int x = 0; x < pixels.width; ++x) {
            const std::uint32_t p = pixels.argb[static_cast<std::size_t>(y * pixels.width + x)];
            line[static_cast<std::size_t>(x * 3)] = static_cast<char>(p & 0xFF);
            line[static_cast<std::size_t>(x * 3 + 1)] = static_cast<char>((p >> 8) & 0xFF);
            line[static_cast<std::size_t>(x * 3 + 2)] = static_cast<char>((p >> 16) & 0xFF);
        }
        out.write(line.data(), row);
    }
    return path.wstring();
}

}  // namespace kalvoro::e2e
