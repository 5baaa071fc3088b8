#include "calendar/win32/skinned_popup_menu.h"

#include <algorithm>

#include "base/win32/handles.h"
#include "base/win32/text.h"
#include "ui/win32/menu_painter.h"
#include "ui/win32/ui_fonts.h"

namespace kalvoro::win {
namespace {

bool IsSeparator(const PopupMenuItem& item) {
    return item.caption == "-";
}

}  // namespace

SkinnedPopupMenu::SkinnedPopupMenu() : font_(CreateDialogFont()) {}

int SkinnedPopupMenu::Track(HWND owner, POINT at, const std::vector<PopupMenuItem>& items) {
    if (open_) return 0;
    shown_.clear();
    std::vector<MenuHandle> menus;
    const auto build = [&](const auto& self, const std::vector<PopupMenuItem>& list) -> HMENU {
        menus.emplace_back(::CreatePopupMenu());
        const HMENU menu = menus.back().get();
        if (!menu) return nullptr;
        for (const PopupMenuItem& item : list) {
            shown_.push_back(&item);
            MENUITEMINFOW info{};
            info.cbSize = sizeof(info);
            info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_DATA | MIIM_STATE;
            info.fType = MFT_OWNERDRAW | (IsSeparator(item) ? MFT_SEPARATOR : 0) | (item.radio ? MFT_RADIOCHECK : 0);
            info.fState = (item.enabled ? MFS_ENABLED : MFS_DISABLED) | (item.checked ? MFS_CHECKED : 0);
            info.wID = static_cast<UINT>(item.id);
            info.dwItemData = reinterpret_cast<ULONG_PTR>(&item);
            if (!item.submenu.empty()) {
                info.fMask |= MIIM_SUBMENU;
                info.hSubMenu = self(self, item.submenu);
            }
            ::InsertMenuItemW(menu, ::GetMenuItemCount(menu), TRUE, &info);
        }
        return menu;
    };
    const HMENU menu = build(build, items);
    if (!menu) return 0;
    // Submenus belong to their parent menu once inserted; only the top one is destroyed here.
    for (std::size_t i = 1; i < menus.size(); ++i) menus[i].release();

    open_ = &items;
    // A pop-up menu needs its owner in the foreground or it will not close on a click elsewhere.
    ::SetForegroundWindow(owner);
    const int chosen = static_cast<int>(::TrackPopupMenuEx(
        menu, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, at.x, at.y, owner, nullptr));
    ::PostMessageW(owner, WM_NULL, 0, 0);
    open_ = nullptr;
    shown_.clear();
    return chosen;
}

bool SkinnedPopupMenu::Owns(ULONG_PTR item_data) const {
    return open_ &&
           std::find(shown_.begin(), shown_.end(), reinterpret_cast<const PopupMenuItem*>(item_data)) != shown_.end();
}

bool SkinnedPopupMenu::OnMeasureItem(MEASUREITEMSTRUCT& measure) const {
    if (measure.CtlType != ODT_MENU || !Owns(measure.itemData)) return false;
    const auto& item = *reinterpret_cast<const PopupMenuItem*>(measure.itemData);
    const std::wstring caption = Widen(item.caption);
    MeasureMenuItem(measure, font_.get(), MenuItemLook{caption, IsSeparator(item)});
    return true;
}

bool SkinnedPopupMenu::OnDrawItem(const DRAWITEMSTRUCT& draw) const {
    if (draw.CtlType != ODT_MENU || !Owns(draw.itemData)) return false;
    const auto& item = *reinterpret_cast<const PopupMenuItem*>(draw.itemData);
    const std::wstring caption = Widen(item.caption);
    PaintMenuItem(draw, font_.get(), colours_, MenuItemLook{caption, IsSeparator(item)});
    return true;
}

}  // namespace kalvoro::win
