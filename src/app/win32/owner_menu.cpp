#include "app/win32/owner_menu.h"

#include "base/win32/text.h"

namespace kalvoro::win {

namespace {

constexpr int kIconBarWidth = 24;
constexpr int kItemHeight = 22;
constexpr int kSeparatorHeight = 7;
constexpr int kImageSize = 16;
constexpr COLORREF kImageKey = RGB(255, 0, 255);

}  // namespace

OwnerMenu::OwnerMenu(std::span<const MenuItemSpec> items, int first_id, HBITMAP images)
    : menu_(::CreatePopupMenu()), first_id_(first_id), images_(images) {
    font_.reset(::CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS,
                              CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"宋体"));
    int id = first_id;
    for (const MenuItemSpec& spec : items) {
        auto row = std::make_unique<Row>(Row{&spec, Widen(spec.caption), id++, nullptr});
        if (!spec.visible) {
            rows_.push_back(std::move(row));
            continue;
        }
        HMENU parent = spec.in_submenu && submenu_ ? submenu_ : menu_.get();
        row->parent = parent;
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_DATA;
        info.fType = MFT_OWNERDRAW;
        if (spec.command == MenuCommand::kSeparator) info.fType |= MFT_SEPARATOR;
        if (spec.radio) info.fType |= MFT_RADIOCHECK;
        info.wID = static_cast<UINT>(row->id);
        info.dwItemData = reinterpret_cast<ULONG_PTR>(row.get());
        if (spec.command == MenuCommand::kOptionsSubmenu) {
            submenu_ = ::CreatePopupMenu();
            info.fMask |= MIIM_SUBMENU;
            info.hSubMenu = submenu_;
        }
        ::InsertMenuItemW(parent, ::GetMenuItemCount(parent), TRUE, &info);
        rows_.push_back(std::move(row));
    }
}

const MenuItemSpec* OwnerMenu::RowOf(int command_id) const {
    const int index = command_id - first_id_;
    if (index < 0 || index >= static_cast<int>(rows_.size())) return nullptr;
    return rows_[static_cast<std::size_t>(index)]->spec;
}

void OwnerMenu::CheckRadio(MenuCommand command) {
    for (const auto& row : rows_) {
        if (!row->spec->radio || !row->parent) continue;
        ::CheckMenuItem(row->parent, static_cast<UINT>(row->id),
                        MF_BYCOMMAND | (row->spec->command == command ? MF_CHECKED : MF_UNCHECKED));
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
    const Row* found = nullptr;
    for (const auto& row : rows_) {
        if (reinterpret_cast<ULONG_PTR>(row.get()) == measure.itemData) found = row.get();
    }
    if (!found) return false;
    if (found->spec->command == MenuCommand::kSeparator) {
        measure.itemWidth = 60;
        measure.itemHeight = kSeparatorHeight;
        return true;
    }
    SIZE extent{};
    {
        WindowDC screen(nullptr);
        SelectObjectScope select(screen.get(), font_.get());
        ::GetTextExtentPoint32W(screen.get(), found->caption.c_str(), static_cast<int>(found->caption.size()),
                                &extent);
    }
    measure.itemWidth = static_cast<UINT>(kIconBarWidth + 8 + extent.cx + 24);
    measure.itemHeight = kItemHeight;
    return true;
}

bool OwnerMenu::OnDrawItem(const DRAWITEMSTRUCT& draw) const {
    if (!Owns(draw)) return false;
    const Row& row = *reinterpret_cast<const Row*>(draw.itemData);
    HDC dc = draw.hDC;
    const RECT& r = draw.rcItem;
    SaveDCScope saved(dc);

    FillSolid(dc, r, colours_.background);
    RECT bar{r.left, r.top, r.left + kIconBarWidth, r.bottom};
    FillGradient(dc, bar, colours_.icon_bar_from, colours_.icon_bar_to, false);

    if (row.spec->command == MenuCommand::kSeparator) {
        const int y = (r.top + r.bottom) / 2;
        Pen pen(::CreatePen(PS_SOLID, 1, colours_.frame));
        SelectObjectScope select(dc, pen.get());
        ::MoveToEx(dc, r.left + kIconBarWidth + 4, y, nullptr);
        ::LineTo(dc, r.right, y);
        return true;
    }

    const bool selected = (draw.itemState & ODS_SELECTED) != 0;
    const bool disabled = (draw.itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
    if (selected && !disabled) {
        RECT sel{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
        FillGradient(dc, sel, colours_.selection_from, colours_.selection_to, true);
        Brush frame(::CreateSolidBrush(colours_.frame));
        ::FrameRect(dc, &sel, frame.get());
    }

    const int image_top = r.top + (r.bottom - r.top - kImageSize) / 2;
    if (row.spec->image != MenuImage::kNone && images_) {
        MemoryDC source(dc);
        SelectObjectScope select(source.get(), images_);
        ::TransparentBlt(dc, r.left + 4, image_top, kImageSize, kImageSize, source.get(),
                         static_cast<int>(row.spec->image) * kImageSize, 0, kImageSize, kImageSize, kImageKey);
    }
    if (row.spec->radio && (draw.itemState & ODS_CHECKED)) {
        Brush dot(::CreateSolidBrush(colours_.text));
        SelectObjectScope select_brush(dc, dot.get());
        SelectObjectScope select_pen(dc, ::GetStockObject(NULL_PEN));
        const int cx = r.left + kIconBarWidth / 2;
        const int cy = (r.top + r.bottom) / 2;
        ::Ellipse(dc, cx - 4, cy - 4, cx + 4, cy + 4);
    }

    SelectObjectScope select_font(dc, font_.get());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, disabled ? ::GetSysColor(COLOR_GRAYTEXT) : colours_.text);
    RECT text{r.left + kIconBarWidth + 8, r.top, r.right - 16, r.bottom};
    ::DrawTextW(dc, row.caption.c_str(), static_cast<int>(row.caption.size()), &text,
                DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
    return true;
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
