#include "calendar/win32/skinned_popup_menu.h"

#include <algorithm>

#include "base/win32/handles.h"
#include "base/win32/text.h"
#include "ui/win32/ui_fonts.h"

namespace kalvoro::win {
namespace {

constexpr int kIconBarWidth = 24;
constexpr int kItemHeight = 22;
constexpr int kSeparatorHeight = 7;
constexpr COLORREF kMenuText = RGB(0, 0, 0);
constexpr COLORREF kMenuBackground = RGB(255, 255, 255);

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
    if (IsSeparator(item)) {
        measure.itemWidth = 60;
        measure.itemHeight = kSeparatorHeight;
        return true;
    }
    const std::wstring caption = Widen(item.caption);
    SIZE extent{};
    {
        const WindowDC screen(nullptr);
        const SelectObjectScope select(screen.get(), font_.get());
        ::GetTextExtentPoint32W(screen.get(), caption.c_str(), static_cast<int>(caption.size()), &extent);
    }
    measure.itemWidth = static_cast<UINT>(kIconBarWidth + 8 + extent.cx + 24);
    measure.itemHeight = kItemHeight;
    return true;
}

bool SkinnedPopupMenu::OnDrawItem(const DRAWITEMSTRUCT& draw) const {
    if (draw.CtlType != ODT_MENU || !Owns(draw.itemData)) return false;
    const auto& item = *reinterpret_cast<const PopupMenuItem*>(draw.itemData);
    const HDC dc = draw.hDC;
    const RECT& r = draw.rcItem;
    const SaveDCScope saved(dc);

    FillSolid(dc, r, kMenuBackground);
    const RECT bar{r.left, r.top, r.left + kIconBarWidth, r.bottom};
    FillGradient(dc, bar, colours_.icon_bar_start, colours_.icon_bar_stop, false);

    if (IsSeparator(item)) {
        const int y = (r.top + r.bottom) / 2;
        const Pen pen(::CreatePen(PS_SOLID, 1, colours_.selection_frame));
        const SelectObjectScope select(dc, pen.get());
        ::MoveToEx(dc, r.left + kIconBarWidth + 4, y, nullptr);
        ::LineTo(dc, r.right, y);
        return true;
    }

    const bool selected = (draw.itemState & ODS_SELECTED) != 0;
    const bool disabled = (draw.itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
    if (selected && !disabled) {
        const RECT selection{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
        FillGradient(dc, selection, colours_.selection_start, colours_.selection_stop, true);
        const Brush frame(::CreateSolidBrush(colours_.selection_frame));
        ::FrameRect(dc, &selection, frame.get());
    }
    if (draw.itemState & ODS_CHECKED) {
        const Brush dot(::CreateSolidBrush(kMenuText));
        const SelectObjectScope select_brush(dc, dot.get());
        const SelectObjectScope select_pen(dc, ::GetStockObject(NULL_PEN));
        const int cx = r.left + kIconBarWidth / 2;
        const int cy = (r.top + r.bottom) / 2;
        ::Ellipse(dc, cx - 4, cy - 4, cx + 4, cy + 4);
    }

    const SelectObjectScope select_font(dc, font_.get());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, disabled ? ::GetSysColor(COLOR_GRAYTEXT) : kMenuText);
    const std::wstring caption = Widen(item.caption);
    // Room on the right for the system's submenu arrow.
    RECT text{r.left + kIconBarWidth + 8, r.top, r.right - 16, r.bottom};
    ::DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
                DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
    return true;
}

}  // namespace kalvoro::win
