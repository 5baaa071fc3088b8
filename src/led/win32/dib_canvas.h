#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

#include "base/win32/gdi.h"

namespace kalvoro::win {

// A 32-bit top-down DIB selected into a memory DC of its own: GDI draws into dc(), the code reads
// and writes pixels() (0x00RRGGBB). Members are declared so that the DIB is unselected before the
// DC and then the bitmap go.
class DibCanvas {
public:
    DibCanvas(int width, int height) : dib_(width, height) {
        if (dib_ && dc_) selection_.emplace(dc_.get(), dib_.get());
    }
    explicit operator bool() const { return dib_ && dc_ && selection_.has_value(); }
    HDC dc() const { return dc_.get(); }
    std::uint32_t* pixels() const { return dib_.pixels(); }
    int width() const { return dib_.width(); }
    int height() const { return dib_.height(); }
    std::size_t pixel_count() const { return static_cast<std::size_t>(width()) * static_cast<std::size_t>(height()); }

private:
    DibSection dib_;
    MemoryDC dc_;
    std::optional<SelectObjectScope> selection_;
};

}  // namespace kalvoro::win
