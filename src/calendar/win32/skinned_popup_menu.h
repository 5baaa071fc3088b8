#pragma once
// The calendar window's pop-up menus, owner-drawn in the skin's MENU colours: a gradient icon bar
// on the left, a gradient selection with a frame, radio dots. A menu is built from a list of items
// each time it opens, so its content always matches the window's state.

#include <windows.h>

#include <string>
#include <vector>

#include "base/display_scale.h"
#include "base/win32/gdi.h"
#include "skin/menu_colors.h"

namespace kalvoro::win {

struct PopupMenuItem {
    static PopupMenuItem Separator() { return {"-", 0}; }

    std::string caption;  // "-" is a separator
    int id = 0;
    bool enabled = true;
    bool radio = false;
    bool checked = false;
    std::vector<PopupMenuItem> submenu;
};

class SkinnedPopupMenu {
public:
    SkinnedPopupMenu();

    void SetColours(const MenuColors& colours) { colours_ = colours; }
    const MenuColors& Colours() const { return colours_; }

    // Opens the items at a screen point and returns the chosen id, 0 for none. The owner must hand
    // WM_MEASUREITEM and WM_DRAWITEM to this object meanwhile.
    int Track(HWND owner, POINT at, const std::vector<PopupMenuItem>& items);
    bool IsOpen() const { return open_ != nullptr; }

    bool OnMeasureItem(MEASUREITEMSTRUCT& measure) const;
    bool OnDrawItem(const DRAWITEMSTRUCT& draw) const;

private:
    bool Owns(ULONG_PTR item_data) const;

    MenuColors colours_;
    DisplayScale scale_;
    Font font_;
    // The items being shown, and their UTF-16 captions in the same order (flattened).
    const std::vector<PopupMenuItem>* open_ = nullptr;
    std::vector<const PopupMenuItem*> shown_;
};

}  // namespace kalvoro::win
