#pragma once
// A layered window's transparent colour and alpha, as set by SetLayeredWindowAttributes.

#include <windows.h>

#include <optional>

namespace kalvoro::win {

struct LayeredAttributes {
    bool layered = false;
    std::optional<COLORREF> key_colour;
    std::optional<BYTE> alpha;  // when the window blends
};

LayeredAttributes ReadLayeredAttributes(HWND hwnd);

// Sets the alpha and switches blending on, keeping the transparent colour. False for a window that
// is not layered.
bool SetLayeredAlpha(HWND hwnd, BYTE alpha);

}  // namespace kalvoro::win
