#include "app/win32/owner_menu.h"

#include "base/win32/text.h"
#include "ui/win32/menu_painter.h"

namespace kalvoro::win {

MenuColors DefaultMenuColours() {
    MenuColors colours;
    colours.selection_start = 16113325;
    colours.selection_stop = 14989919;
    colours.selection_frame = 12937777;
    colours.icon_bar_start = 16113325;
    colours.icon_bar_stop = 14989919;
    return colours;
}

OwnerMenu::OwnerMenu(std::span<const MenuRow> items, int first_id, HBITMAP images, const DisplayScale& scale)
    : menu_(::CreatePopupMenu()), first_id_(first_id), images_(images), scale_(scale) {
    font_.reset(::CreateFontW(-scale.Px(12), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET,
                              OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"宋体"));
    int id = first_id;
    for (const MenuRow& item : items) {
        auto row = std::make_unique<Row>(Row{&item, Widen(item.caption), id++, nullptr});
        if (!item.visible) {
            rows_.push_back(std::move(row));
            continue;
        }
        HMENU parent = item.in_submenu && submenu_ ? submenu_ : menu_.get();
        row->parent = parent;
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_DATA;
        info.fType = MFT_OWNERDRAW;
        if (item.command == MenuCommand::kSeparator) info.fType |= MFT_SEPARATOR;
        if (item.radio) info.fType |= MFT_RADIOCHECK;
        info.wID = static_cast<UINT>(row->id);
        info.dwItemData = reinterpret_cast<ULONG_PTR>(row.get());
        if (item.command == MenuCommand::kOptionsSubmenu) {
            submenu_ = ::CreatePopupMenu();
            info.fMask |= MIIM_SUBMENU;
            info.hSubMenu = submenu_;
        }
        ::InsertMenuItemW(parent, ::GetMenuItemCount(parent), TRUE, &info);
        rows_.push_back(std::move(row));
    }
}

const MenuRow* OwnerMenu::RowOf(int command_id) const {
    const int index = command_id - first_id_;
    if (index < 0 || index >= static_cast<int>(rows_.size())) return nullptr;
    return rows_[static_cast<std::size_t>(index)]->item;
}

void OwnerMenu::CheckRadio(MenuCommand command) {
    for (const auto& row : rows_) {
        if (!row->item->radio || !row->parent) continue;
        ::CheckMenuItem(row->parent, static_cast<UINT>(row->id),
                        MF_BYCOMMAND | (row->item->command == command ? MF_CHECKED : MF_UNCHECKED));
    }
}

bool OwnerMenu::IsChecked(int row_index) const {
    if (row_index < 0 || row_index >= static_cast<int>(rows_.size())) return false;
    const Row& row = *rows_[static_cast<std::size_t>(row_index)];
    if (!row.parent) return false;
    return (::GetMenuState(row.parent, static_cast<UINT>(row.id), MF_BYCOMMAND) & MF_CHECKED) != 0;
}

bool OwnerMenu::Owns(const DRAWITEMSTRUCT& draw) const {
    if (draw.CtlType != ODT_MENU) return false;
    for (const auto& row : rows_) {
        if (reinterpret_cast<ULONG_PTR>(row.get()) == draw.itemData) return true;
    }
    return false;
}

bool OwnerMenu::OnMeasureItem(MEASUREITEMSTRUCT& measure) const {
    if (measure.CtlType != ODT_MENU) return false;
    for (const auto& row : rows_) {
        if (reinterpret_cast<ULONG_PTR>(row.get()) != measure.itemData) continue;
        MeasureMenuItem(measure, font_.get(), LookOf(*row), scale_);
        return true;
    }
    return false;
}

bool OwnerMenu::OnDrawItem(const DRAWITEMSTRUCT& draw) const {
    if (!Owns(draw)) return false;
    PaintMenuItem(draw, font_.get(), colours_, LookOf(*reinterpret_cast<const Row*>(draw.itemData)), scale_);
    return true;
}

MenuItemLook OwnerMenu::LookOf(const Row& row) const {
    return MenuItemLook{row.caption, row.item->command == MenuCommand::kSeparator, images_,
                        static_cast<int>(row.item->image)};
}

int OwnerMenu::Track(HWND owner, int x, int y) const {
    // A pop-up menu needs its owner in the foreground or it will not close on a click elsewhere.
    ::SetForegroundWindow(owner);
    const int chosen = static_cast<int>(::TrackPopupMenuEx(
        menu_.get(), TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, x, y, owner, nullptr));
    ::PostMessageW(owner, WM_NULL, 0, 0);
    return chosen;
}

}  // namespace kalvoro::win
