#pragma once
// GDI objects and device contexts, each freed by the call that matches how it was obtained:
// GetDC -> ReleaseDC, CreateCompatibleDC -> DeleteDC, BeginPaint -> EndPaint, SelectObject undone
// at scope exit. A tick that paints must leave the process's GDI object count where it found it.

#include <windows.h>

#include <cstdint>
#include <utility>

#include "base/win32/handles.h"

namespace kalvoro::win {

template <typename T>
struct GdiObjectTraits {
    static T Invalid() { return nullptr; }
    static void Close(T h) { ::DeleteObject(h); }
};
using Bitmap = UniqueHandle<HBITMAP, GdiObjectTraits<HBITMAP>>;
using Brush = UniqueHandle<HBRUSH, GdiObjectTraits<HBRUSH>>;
using Pen = UniqueHandle<HPEN, GdiObjectTraits<HPEN>>;
using Font = UniqueHandle<HFONT, GdiObjectTraits<HFONT>>;
using Region = UniqueHandle<HRGN, GdiObjectTraits<HRGN>>;

// A DC from GetDC, released to the same window.
class WindowDC {
public:
    explicit WindowDC(HWND hwnd) : hwnd_(hwnd), dc_(::GetDC(hwnd)) {}
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    ~WindowDC() {
        if (dc_) ::ReleaseDC(hwnd_, dc_);
    }
    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND hwnd_;
    HDC dc_;
};

// A memory DC from CreateCompatibleDC.
class MemoryDC {
public:
    explicit MemoryDC(HDC compatible_with = nullptr) : dc_(::CreateCompatibleDC(compatible_with)) {}
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    ~MemoryDC() {
        if (dc_) ::DeleteDC(dc_);
    }
    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HDC dc_;
};

class PaintDC {
public:
    explicit PaintDC(HWND hwnd) : hwnd_(hwnd) { ::BeginPaint(hwnd_, &ps_); }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    ~PaintDC() { ::EndPaint(hwnd_, &ps_); }
    HDC get() const { return ps_.hdc; }
    const RECT& dirty() const { return ps_.rcPaint; }

private:
    HWND hwnd_;
    PAINTSTRUCT ps_{};
};

// Selects an object into a DC and puts the previous one back at scope exit.
class SelectObjectScope {
public:
    SelectObjectScope(HDC dc, HGDIOBJ object) : dc_(dc), previous_(object ? ::SelectObject(dc, object) : nullptr) {}
    SelectObjectScope(const SelectObjectScope&) = delete;
    SelectObjectScope& operator=(const SelectObjectScope&) = delete;
    ~SelectObjectScope() {
        if (previous_) ::SelectObject(dc_, previous_);
    }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// Saves the DC state (colours, modes, clip) and restores it at scope exit.
class SaveDCScope {
public:
    explicit SaveDCScope(HDC dc) : dc_(dc), saved_(::SaveDC(dc)) {}
    SaveDCScope(const SaveDCScope&) = delete;
    SaveDCScope& operator=(const SaveDCScope&) = delete;
    ~SaveDCScope() {
        if (saved_) ::RestoreDC(dc_, saved_);
    }

private:
    HDC dc_;
    int saved_;
};

// A 32-bit top-down DIB section with direct access to its pixels (0xAARRGGBB in memory order B,G,R,A).
class DibSection {
public:
    DibSection() = default;
    DibSection(int width, int height);
    HBITMAP get() const { return bitmap_.get(); }
    std::uint32_t* pixels() const { return pixels_; }
    int width() const { return width_; }
    int height() const { return height_; }
    explicit operator bool() const { return static_cast<bool>(bitmap_); }
    // Hands the bitmap over; the pixels stay valid as long as the bitmap lives.
    HBITMAP Release() { return bitmap_.release(); }

private:
    Bitmap bitmap_;
    std::uint32_t* pixels_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

// An off-screen surface of a given size: paint into dc(), then copy in one BitBlt.
class OffscreenSurface {
public:
    OffscreenSurface(HDC compatible_with, int width, int height);
    HDC dc() const { return dc_.get(); }
    explicit operator bool() const { return dc_ && bitmap_; }
    void CopyTo(HDC target, int x, int y) const;
    int width() const { return width_; }
    int height() const { return height_; }

private:
    MemoryDC dc_;
    Bitmap bitmap_;
    SelectObjectScope select_;
    int width_;
    int height_;
};

void FillSolid(HDC dc, const RECT& rect, COLORREF colour);

// Vertical or horizontal two-colour gradient (menus, panels).
void FillGradient(HDC dc, const RECT& rect, COLORREF from, COLORREF to, bool vertical);

}  // namespace kalvoro::win
