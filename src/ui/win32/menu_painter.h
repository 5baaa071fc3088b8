#pragma once
// How the program's owner-drawn pop-up menus look, shared by every menu: an icon bar with a
// gradient on the left, a gradient selection with a frame, 16 x 16 images, radio dots, 宋体 text.

#include <windows.h>

#include <string_view>

#include "base/display_scale.h"
#include "skin/menu_colors.h"

namespace kalvoro::win {

struct MenuItemLook {
    std::wstring_view caption;
    bool separator = false;
    HBITMAP images = nullptr;  // a strip of 16 x 16 images, magenta see-through
    int image_index = -1;      // -1: no image
};

// Sets the item's size in a WM_MEASUREITEM answer. Sizes are designed at 96 DPI; the font is
// already at the menu's resolution.
void MeasureMenuItem(MEASUREITEMSTRUCT& measure, HFONT font, const MenuItemLook& item, const DisplayScale& scale);
// Paints the item for a WM_DRAWITEM; radio ticks come from the item state (ODS_CHECKED).
void PaintMenuItem(const DRAWITEMSTRUCT& draw, HFONT font, const MenuColors& colours, const MenuItemLook& item,
                   const DisplayScale& scale);

}  // namespace kalvoro::win
