#pragma once
// How the program's owner-drawn pop-up menus look, shared by every menu: an icon bar with a
// gradient on the left, a gradient selection with a frame, 16 x 16 images, radio dots, 宋体 text.

#include <windows.h>

#include <string_view>

#include "skin/menu_colors.h"

namespace kalvoro::win {

struct MenuItemLook {
    std::wstring_view caption;
    bool separator = false;
    HBITMAP images = nullptr;  // a strip of 16 x 16 images, magenta see-through
    int image_index = -1;      // -1: no image
};

// Sets the item's size in a WM_MEASUREITEM answer.
void MeasureMenuItem(MEASUREITEMSTRUCT& measure, HFONT font, const MenuItemLook& item);
// Paints the item for a WM_DRAWITEM; radio ticks come from the item state (ODS_CHECKED).
void PaintMenuItem(const DRAWITEMSTRUCT& draw, HFONT font, const MenuColors& colours, const MenuItemLook& item);

}  // namespace kalvoro::win
