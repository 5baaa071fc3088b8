#pragma once
// Pop-up menus drawn by the program: an icon bar with a gradient on the left, a gradient selection
// with a frame, the 16 x 16 menu images, and radio ticks. Built from a table of item descriptions.

#include <windows.h>

#include <memory>
#include <span>
#include <string>
#include <vector>

#include "app/bar_menus.h"
#include "skin/menu_colors.h"
#include "base/display_scale.h"
#include "base/win32/gdi.h"
#include "base/win32/handles.h"
#include "ui/win32/menu_painter.h"

namespace kalvoro::win {

// MenuController's colours before a skin gives its own: selection and icon bar 16113325 to
// 14989919, frame 12937777.
MenuColors DefaultMenuColours();

class OwnerMenu {
public:
    // first_id + row index is the command id of each row.
    // Item sizes and the 宋体 12-pixel font are designed at 96 DPI and shown at the scale given.
    OwnerMenu(std::span<const MenuRow> items, int first_id, HBITMAP images, const DisplayScale& scale);

    HMENU handle() const { return menu_.get(); }
    void set_colours(const MenuColors& colours) { colours_ = colours; }
    const MenuColors& colours() const { return colours_; }

    // Ticks the radio row whose command is given and clears the other radio rows.
    void CheckRadio(MenuCommand command);
    bool IsChecked(int row) const;
    // The row a command id names, or nullptr.
    const MenuRow* RowOf(int command_id) const;

    // Forwarded from the owner window; true when the message was for this menu.
    bool OnMeasureItem(MEASUREITEMSTRUCT& measure) const;
    bool OnDrawItem(const DRAWITEMSTRUCT& draw) const;

    // Opens the menu at a screen point and returns the chosen command id (0 for none).
    int Track(HWND owner, int x, int y) const;

private:
    struct Row {
        const MenuRow* item;
        std::wstring caption;
        int id;
        HMENU parent;
    };
    bool Owns(const DRAWITEMSTRUCT& draw) const;
    MenuItemLook LookOf(const Row& row) const;

    std::vector<std::unique_ptr<Row>> rows_;
    MenuHandle menu_;
    HMENU submenu_ = nullptr;  // owned by menu_
    int first_id_;
    HBITMAP images_;
    MenuColors colours_ = DefaultMenuColours();
    DisplayScale scale_;
    Font font_;
};

}  // namespace kalvoro::win
