#pragma once
// TFrmCalendar: the month-calendar child window that docks under the bar. A borderless 332 x 390
// window shaped by its skin picture (magenta is see-through), holding the calendar control, a
// heading with the year, the month and the kind of cell text, four information lines about the
// selected date, and the menus for year, month, cell text and date marks.
//
// The bar prepares it at start-up and keeps it until the program ends; its window (hidden, owned
// by the bar) is made when it first shows. Reminding of today's marks and the mark list need no
// window:
//
//   TFrmCalendar calendar(clock, stores);   // the core's festival lists and marks
//   calendar.Prepare(bar, app_dir, popup, skin_file, heading_font);
//   calendar.MakeWindow();                  // before the first ShowAt (Create does both)
//   calendar.OnSwitchMode = [&](int mode) { SwitchMode(mode); };   // 时钟 -> 2, 天气 -> 3
//   calendar.ShowAt(left, top, transparency);  ...  calendar.HideWindow();
//   calendar.RunMarkReminder(now);   // TimerMsg / TimerWarStep
//   calendar.OpenMarkList();         // the bar's 日历标记 item

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/popup_protocol.h"
#include "base/clock.h"
#include "base/file_store.h"
#include "base/win32/gdi.h"
#include "base/win32/window.h"
#include "calendar/calendar_info_lines.h"
#include "calendar/calendar_marks.h"
#include "calendar/calendar_stores.h"
#include "calendar/calendar_window_menus.h"
#include "calendar/win32/lss_calendar_control.h"
#include "calendar/win32/skinned_popup_menu.h"
#include "ui/win32/form_shadow.h"

namespace kalvoro::win {

class TFrmCalendar final : public Window {
public:
    static constexpr wchar_t kClassName[] = L"TFrmCalendar";
    static constexpr int kWidth = 332;
    static constexpr int kHeight = 390;

    // Places of the components in client pixels.
    static constexpr RECT kCalendarRect{3, 43, 329, 315};
    static constexpr RECT kYearLabelRect{189, 19, 254, 38};       // RzLabel1
    static constexpr RECT kMonthLabelRect{267, 19, 310, 38};      // RzLabel2
    static constexpr RECT kCellTextLabelRect{15, 19, 110, 38};    // RzLabel3
    static constexpr RECT kYearButtonRect{254, 27, 265, 38};      // BtnYear
    static constexpr RECT kMonthButtonRect{308, 27, 319, 38};     // BtnMonth
    static constexpr RECT kCellTextButtonRect{111, 27, 122, 38};  // BtnGNG
    static constexpr int kInfoLineLeft = 12;
    static constexpr int kInfoLineTop = 321;  // Label1; the others follow 17 pixels apart
    static constexpr int kInfoLineWidth = 309;
    static constexpr int kInfoLineHeight = 17;

    // Menu item ids.
    enum MenuId : int {
        kMarkDayId = 100,  // PM_Mark 标记当日
        kDeleteMarkId,     // PM_DelMark 取消标记
        kAllMarksId,       // PM_AllMark 所有日历标记
        kWorldTimeId,      // PM_CSSJ 城市时间查询
        kClockModeId,      // PM_ShiZhong 时钟
        kWeatherModeId,    // PM_TianQi 天气
        kCloseId,          // PM_Close 关闭窗口
        kOtherYearId,      // PM_YOther 其他...
        kCellTextFirstId = 150,
        kMonthFirstId = 200,  // + month
        kYearFirstId = 1000,  // + year
    };

    // The clock tells today; the stores (festival lists and marks) belong to the caller and
    // outlive the window.
    TFrmCalendar(IClock& clock, CalendarStores& stores);
    // A window with stores of its own, "Marks.rec" read from the folder given to Create.
    explicit TFrmCalendar(IClock& clock, IFileStore& files = DiskFileStore());
    ~TFrmCalendar() override;

    // FormCreate: Prepare, then MakeWindow.
    bool Create(HWND bar, std::string app_dir, IPopupSender& popup, std::string skin_file,
                std::string heading_font = "宋体");
    // What the window is made with: the bar that owns it, the bar skin package skin_file of
    // "Skin\", the popup program for reminders. app_dir ends in "\".
    void Prepare(HWND bar, std::string app_dir, IPopupSender& popup, std::string skin_file,
                 std::string heading_font = "宋体");
    // The window, hidden, owned by the bar; its shadow when shadows are on; today selected. Made
    // once; true when it is there.
    bool MakeWindow();

    // Shows the window at a place with an alpha (0..255), its shadow with it.
    void ShowAt(int left, int top, int alpha);
    // Closing: fades out (when shadows are on) and hides; the window lives on.
    void HideWindow();
    bool IsShown() const { return IsVisible(); }
    void SetWindowAlpha(int alpha);
    // The bar's display changed resolution: the window, its grid, fonts and pictures follow.
    void ApplyScale(const DisplayScale& scale);

    // Applies a bar skin package; a missing, damaged or other-version package changes nothing.
    void LoadCalendarSkin(const std::string& path);
    // Another bar skin was applied: the calendar takes its look from the same package (at once, or
    // when its window is made).
    void SetSkinFile(std::string skin_file);

    const TFestivalList& Festivals() const;

    // Sends today's Gregorian mark note to the popup program; false when there was nothing to send
    // or it could not be shown.
    bool RunMarkReminder(DateTime now);
    // The bar's 日历标记 item and 所有日历标记: the mark list, then "Marks.rec" is written. Before
    // the window is made, the list is owned by the bar.
    bool OpenMarkList();

    // 时钟 asks for mode 2, 天气 for mode 3.
    std::function<void(int mode)> OnSwitchMode;
    // 城市时间查询.
    std::function<void()> OnWorldTime;

    // The selected date and what the menu items do.
    DateTime SelectedDate() const;
    void SetDate(DateTime date);
    void SetYear(int year);
    void SetMonth(int month);
    CellTextKind CellText() const { return cell_text_; }
    void SelectCellText(CellTextKind kind);  // PM_GNClick
    bool MarkSelectedDay();                  // PM_MarkClick: the editor, then the mark
    bool UnmarkSelectedDay();                // PM_DelMarkClick: the question, then the deletion
    // What choosing a menu item does (MenuId; 0 does nothing).
    void RunMenuCommand(int id);

    // What the menus hold when they open.
    std::vector<PopupMenuItem> MarkMenuItems(bool opened_from_grid) const;
    std::vector<PopupMenuItem> YearMenuItems() const;
    std::vector<PopupMenuItem> MonthMenuItems() const;
    std::vector<PopupMenuItem> CellTextMenuItems() const;

    const CalendarInfoLines& InfoLines() const { return info_; }
    LssCalendarControl& CalendarControl() { return control_; }
    const CalendarMarks& Marks() const { return stores_->marks; }
    const TFormShadow* Shadow() const { return shadow_ ? shadow_.get() : nullptr; }
    std::int32_t FontColour() const { return font_colour_; }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
    void OnDpiChanged(const RECT& suggested) override;

private:
    enum class HotSpot { kNone, kYear, kMonth, kCellText };

    // A rectangle of the 96-DPI layout at the window's scale.
    RECT At(const RECT& design) const;
    void LayOut();

    void SetUpCalendar();
    void ReloadCalendarSkin();
    void CreateHints();
    void UpdateInformation();
    void OnPaint();
    void PaintWindow(HDC dc) const;
    HotSpot HotSpotAt(POINT point) const;
    void OpenMenuOf(HotSpot spot);
    void OpenMarkMenu(bool opened_from_grid, POINT screen_point);
    void OnCalendarMouseDown(CalendarMouseButton button, int x, int y);
    void DragWindow();
    POINT ScreenPoint(int x, int y) const;
    HWND DialogOwner() const;

    IClock& clock_;
    IFileStore& files_;
    HWND bar_ = nullptr;  // the owner, set by Prepare
    std::string app_dir_;
    IPopupSender* popup_ = nullptr;
    std::string heading_font_name_;
    LssCalendarControl control_;
    std::unique_ptr<CalendarStores> own_stores_;
    CalendarStores* stores_ = nullptr;
    std::string skin_file_;
    std::unique_ptr<TFormShadow> shadow_;
    SkinnedPopupMenu menu_;
    HWND hints_ = nullptr;  // the tooltip window, destroyed with this window

    Bitmap background_;
    Bitmap year_glyph_;
    Bitmap month_glyph_;
    Bitmap mark_picture_;
    Font label_font_;
    Font heading_font_;
    std::int32_t font_colour_ = 0;

    CalendarInfoLines info_;
    CellTextKind cell_text_ = CellTextKind::kLunar;
    HotSpot pressed_ = HotSpot::kNone;
};

}  // namespace kalvoro::win
