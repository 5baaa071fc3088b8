#include "timesvc/win32/frm_world_time.h"

#include <commctrl.h>

#include <memory>

#include "base/file_store.h"
#include "base/win32/gdi.h"
#include "base/win32/text.h"
#include "base/win32/window.h"
#include "timesvc/win32/registry_zone_rules.h"
#include "timesvc/win32/time_sync_service.h"
#include "timesvc/world_time.h"
#include "ui/win32/skinned_dialog.h"

namespace kalvoro::win {
namespace {

constexpr UINT_PTR kRefreshTimer = 1;
constexpr wchar_t kPanelClass[] = L"KalvoroWorldTimePanel";

// The white detail panel; its labels draw on white.
class WhitePanel final : public Window {
public:
    bool Create(HWND parent, int x, int y, int width, int height) {
        RegisterWindowClass(kPanelClass,
                            {0, nullptr, nullptr, nullptr, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH))});
        if (!CreateHandle(0, kPanelClass, L"", WS_CHILD, x, y, width, height, parent)) return false;
        ::SetWindowLongPtrW(hwnd(), GWLP_ID, kWorldPanelId);
        return true;
    }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override {
        if (message == WM_CTLCOLORSTATIC) {
            const HDC dc = reinterpret_cast<HDC>(wparam);
            ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
            ::SetBkColor(dc, RGB(255, 255, 255));
            return reinterpret_cast<LRESULT>(::GetStockObject(WHITE_BRUSH));
        }
        return DefaultHandling(message, wparam, lparam);
    }
};

class TFrmWorldTime final : public SkinnedDialog {
public:
    TFrmWorldTime(const WorldTimeOptions& options, int year)
        : SkinnedDialog(kWorldTimeCaption, 372, 386),
          options_(options),
          rules_(),
          model_(ReadList(options, year), year, &rules_) {}

protected:
    void OnCreateControls() override {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES};
        ::InitCommonControlsEx(&controls);

        AddControl(WC_STATICW, "国家", SS_RIGHT | SS_NOPREFIX, 0, 5, 41, 48, 14, kNoId);
        AddControl(WC_STATICW, "城市", SS_RIGHT | SS_NOPREFIX, 0, 5, 67, 48, 14, kNoId);
        const HWND combo = AddComboBox(58, 38, 145, 22 + 30 * 16, kWorldCountryComboId);
        ::SendMessageW(combo, CB_SETMINVISIBLE, 30, 0);

        const HWND list =
            AddControl(WC_LISTVIEWW, "",
                       WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL | LVS_SHOWSELALWAYS, 0,
                       58, 64, 281, 129, kWorldCityListId);
        ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
        AddColumn(list, 0, 140);
        AddColumn(list, 1, 120);
        ListView_SetColumnWidth(list, 1, LVSCW_AUTOSIZE_USEHEADER);

        panel_.Create(hwnd(), 58, 196, 281, 145);
        time_font_.reset(::CreateFontW(-Px(13), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, GB2312_CHARSET,
                                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                                       L"宋体"));
        AddPanelLabel(kWorldHeadingId, 11, 16);
        AddPanelLine(31);
        AddPanelLabel(kWorldTimeId, 37, 16);
        ::SendMessageW(PanelItem(kWorldTimeId), WM_SETFONT, reinterpret_cast<WPARAM>(time_font_.get()), FALSE);
        AddPanelLine(60);
        AddPanelLabel(kWorldZoneId, 68, 14);
        AddPanelLabel(kWorldPlaceId, 86, 14);
        AddPanelLabel(kWorldDstStartId, 104, 14);
        AddPanelLabel(kWorldDstEndId, 122, 14);

        AddButton("关闭(&C)", 266, 346, 75, 25, IDCANCEL);

        for (const TCountryData& country : model_.Countries()) AddItem(kWorldCountryComboId, country.Name);
        if (!model_.Countries().empty()) {
            SelectIndex(kWorldCountryComboId, 0);
            CountryChanged();
        }
        ::SetTimer(hwnd(), kRefreshTimer, 1000, nullptr);
    }

    void OnCommand(int id, int code) override {
        if (id == kWorldCountryComboId && code == CBN_SELCHANGE) CountryChanged();
    }

    LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override {
        switch (message) {
            case WM_TIMER:
                if (wparam == kRefreshTimer) {
                    Guarded([this] { Timer1Timer(); });
                    return 0;
                }
                break;
            case WM_NOTIFY: {
                const auto* header = reinterpret_cast<const NMHDR*>(lparam);
                if (header && header->idFrom == kWorldCityListId && header->code == LVN_ITEMCHANGED) {
                    const auto* change = reinterpret_cast<const NMLISTVIEW*>(lparam);
                    Guarded([this, change] { CityItemChanged(*change); });
                    return 0;
                }
                break;
            }
            case WM_DESTROY:
                ::KillTimer(hwnd(), kRefreshTimer);
                break;
            default:
                break;
        }
        return SkinnedDialog::HandleMessage(message, wparam, lparam);
    }

private:
    static TimeZoneList ReadList(const WorldTimeOptions& options, int year) {
        const std::optional<std::string> bytes = DiskFileStore().ReadAll(options.app_dir + kTimeZoneFileName);
        return bytes ? ReadTimeZoneList(*bytes, year) : TimeZoneList{};
    }

    DateTime UtcNow() const { return options_.utc_now ? options_.utc_now() : SystemUtcNow(); }

    static void AddColumn(HWND list, int index, int width) {
        LVCOLUMNW column{};
        column.mask = LVCF_WIDTH;
        column.cx = width;
        ListView_InsertColumn(list, index, &column);
    }

    void AddPanelLabel(int id, int top, int height) {
        const HWND label = ::CreateWindowExW(
            0, WC_STATICW, L"", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 12, top, 281 - 24, height, panel_.hwnd(),
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ModuleInstance(), nullptr);
        if (label) ::SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(DialogFont()), FALSE);
    }

    void AddPanelLine(int top) {
        ::CreateWindowExW(0, WC_STATICW, L"", WS_CHILD | WS_VISIBLE | SS_ETCHEDHORZ, 8, top, 281 - 16, 2, panel_.hwnd(),
                          nullptr, ModuleInstance(), nullptr);
    }

    HWND PanelItem(int id) const { return ::GetDlgItem(panel_.hwnd(), id); }
    void SetPanelText(int id, const std::string& text) { ::SetWindowTextW(PanelItem(id), Widen(text).c_str()); }

    void CountryChanged() {
        const HWND list = Item(kWorldCityListId);
        model_.SelectCountry(SelectedIndex(kWorldCountryComboId));
        ShowPanel(false);
        ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
        filling_ = true;
        ListView_DeleteAllItems(list);
        if (const TCountryData* country = model_.Country()) {
            int row = 0;
            for (const TCityData& city : country->Cities) {
                std::wstring name = Widen(city.CityName);
                LVITEMW item{};
                item.mask = LVIF_TEXT;
                item.iItem = row;
                item.pszText = name.data();
                const int index = ListView_InsertItem(list, &item);
                std::wstring alt = Widen(city.AltName);
                ListView_SetItemText(list, index, 1, alt.data());
                ++row;
            }
        }
        filling_ = false;
        ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
        ::InvalidateRect(list, nullptr, TRUE);
        if (ListView_GetItemCount(list) > 0) {
            ListView_SetItemState(list, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        }
    }

    void CityItemChanged(const NMLISTVIEW& change) {
        if (filling_ || !(change.uChanged & LVIF_STATE)) return;
        const bool now_selected = (change.uNewState & LVIS_SELECTED) != 0;
        const bool was_selected = (change.uOldState & LVIS_SELECTED) != 0;
        if (now_selected == was_selected) return;
        if (!now_selected) {
            model_.Deselect();
            ShowPanel(false);
            return;
        }
        if (!model_.SelectCity(change.iItem, UtcNow())) return;
        SetPanelText(kWorldHeadingId, model_.Heading());
        SetPanelText(kWorldZoneId, model_.ZoneLine());
        SetPanelText(kWorldPlaceId, model_.PlaceLine());
        const bool dst_lines = model_.DstLinesVisible();
        SetPanelText(kWorldDstStartId, model_.DstStartLine());
        SetPanelText(kWorldDstEndId, model_.DstEndLine());
        ::ShowWindow(PanelItem(kWorldDstStartId), dst_lines ? SW_SHOW : SW_HIDE);
        ::ShowWindow(PanelItem(kWorldDstEndId), dst_lines ? SW_SHOW : SW_HIDE);
        ShowPanel(true);
        Timer1Timer();
    }

    void ShowPanel(bool show) { ::ShowWindow(panel_.hwnd(), show ? SW_SHOW : SW_HIDE); }

    void Timer1Timer() {
        // The panel shows exactly while a city is selected (the dialog itself may not show yet).
        if (!model_.PanelVisible()) return;
        SetPanelText(kWorldTimeId, model_.TimeLine(UtcNow()));
    }

    WorldTimeOptions options_;
    RegistryZoneRules rules_;
    WorldTimeModel model_;
    WhitePanel panel_;
    Font time_font_;
    bool filling_ = false;
};

int LocalYear() {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    return now.wYear;
}

}  // namespace

void ShowWorldTime(HWND owner, const WorldTimeOptions& options) {
    Guarded([&] {
        TFrmWorldTime window(options, options.local_year != 0 ? options.local_year : LocalYear());
        window.RunModal(owner);
    });
}

}  // namespace kalvoro::win
