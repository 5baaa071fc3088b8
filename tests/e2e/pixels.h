#pragma once
// Pixels of a window as the program paints it, and BMP snapshots for people to look at.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace kalvoro::e2e {

struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> argb;  // 0x00RRGGBB, top-down

    COLORREF At(int x, int y) const;  // as a COLORREF (0x00BBGGRR); 0xFFFFFFFF outside
};

// What the screen shows where the window is. (A DC cannot be handed to another process, so asking
// the window to print itself works only inside one program.)
Pixels CaptureWindow(HWND hwnd);
// What the screen shows in a rectangle.
Pixels CaptureScreen(const RECT& area);

// Writes a 24-bit BMP into the snapshot folder (build/win64/screenshots) and returns its path.
std::wstring SaveSnapshot(const Pixels& pixels, const std::wstring& name);

}  // namespace kalvoro::e2e
