#include "calendar/win32/frm_calendar.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "base/ini_file.h"
#include "base/win32/text.h"
#include "calendar/calendar_window_festivals.h"
#include "calendar/date_texts.h"
#include "calendar/mark_keys.h"
#include "calendar/mark_texts.h"
#include "calendar/win32/frm_edit_mark.h"
#include "calendar/win32/frm_input_year.h"
#include "calendar/win32/frm_mark.h"
#include "calendar/win32/frm_msg_del_mark.h"
#include "calendar/win32/mark_picture.h"
#include "skin/calendar_skin.h"
#include "skin/scale_image.h"
#include "skin/skin_files.h"
#include "skin/win32/skin_bitmap.h"
#include "base/win32/dpi.h"
#include "base/win32/rect.h"
#include "ui/win32/docked_child.h"
#include "ui/win32/fade_out_window.h"
#include "ui/win32/layered_attributes.h"
#include "ui/win32/ui_fonts.h"
#include "ui/win32/ui_globals.h"

namespace kalvoro::win {
namespace {

constexpr COLORREF kSeeThrough = RGB(255, 0, 255);
constexpr COLORREF kHeadingShadow = 14129764;
constexpr int kHeadingFontPixels = 19;
constexpr int kControlId = 1;
constexpr UINT kSysCommandDragMove = 0xF012;  // SC_MOVE by the caption

// Without a skin package the window keeps a plain look of its own.
constexpr COLORREF kBuiltInFace = RGB(0xDA, 0xF1, 0xFC);
constexpr COLORREF kBuiltInFrame = RGB(0x5F, 0xBA, 0xE4);
constexpr COLORREF kTeal = RGB(0, 128, 128);

bool Contains(const RECT& rect, POINT point) {
    return ::PtInRect(&rect, point) != FALSE;
}

RECT InfoLineRect(int line) {
    const int top = TFrmCalendar::kInfoLineTop + line * TFrmCalendar::kInfoLineHeight;
    return {TFrmCalendar::kInfoLineLeft, top, TFrmCalendar::kInfoLineLeft + TFrmCalendar::kInfoLineWidth,
            top + TFrmCalendar::kInfoLineHeight};
}

void DrawLabel(HDC dc, const std::string& text, RECT rect, UINT align) {
    const std::wstring wide = Widen(text);
    ::DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &rect,
                DT_SINGLELINE | DT_NOPREFIX | DT_TOP | DT_END_ELLIPSIS | align);
}

// A heading label: text with a shadow two (design) pixels down and right.
void DrawHeading(HDC dc, const std::string& text, const RECT& rect, UINT align, COLORREF colour, int shadow) {
    ::SetTextColor(dc, kHeadingShadow);
    DrawLabel(dc, text, {rect.left + shadow, rect.top + shadow, rect.right + shadow, rect.bottom + shadow}, align);
    ::SetTextColor(dc, colour);
    DrawLabel(dc, text, rect, align);
}

// An 11 x 11 button glyph (scaled with the window), magenta see-through; without a skin a small
// arrow pointing down.
void DrawGlyph(HDC dc, HBITMAP glyph, const RECT& place, const DisplayScale& scale) {
    const int width = place.right - place.left;
    const int height = place.bottom - place.top;
    BITMAP info{};
    if (glyph && ::GetObjectW(glyph, sizeof(info), &info)) {
        const MemoryDC source(dc);
        const SelectObjectScope select(source.get(), glyph);
        ::TransparentBlt(dc, place.left, place.top, std::min<int>(width, info.bmWidth),
                         std::min<int>(height, info.bmHeight), source.get(), 0, 0, std::min<int>(width, info.bmWidth),
                         std::min<int>(height, info.bmHeight), kSeeThrough);
        return;
    }
    const int side = scale.Px(2);
    const int rise = scale.Px(3);
    const POINT arrow[] = {{place.left + side, place.top + rise},
                           {place.right - side, place.top + rise},
                           {(place.left + place.right) / 2, place.bottom - rise}};
    const Brush brush(::CreateSolidBrush(kBuiltInFrame));
    const SelectObjectScope select_brush(dc, brush.get());
    const SelectObjectScope select_pen(dc, ::GetStockObject(NULL_PEN));
    ::Polygon(dc, arrow, 3);
}

Font CreatePixelFont(const std::string& face, int pixels, bool bold) {
    return Font(::CreateFontW(-pixels, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET,
                              OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                              Widen(face).c_str()));
}

}  // namespace

TFrmCalendar::TFrmCalendar(IClock& clock, CalendarStores& stores)
    : clock_(clock), files_(DiskFileStore()), control_(clock), stores_(&stores) {
    control_.Calendar().ShareFtvList(stores.festivals);
}

TFrmCalendar::TFrmCalendar(IClock& clock, IFileStore& files)
    : clock_(clock),
      files_(files),
      control_(clock),
      own_stores_(std::make_unique<CalendarStores>(files, std::string(kMarksFileName))),
      stores_(own_stores_.get()) {
    control_.Calendar().ShareFtvList(stores_->festivals);
}

TFrmCalendar::~TFrmCalendar() {
    if (shadow_) shadow_->Destroy();
    Destroy();
}

bool TFrmCalendar::Create(HWND bar, std::string app_dir, IPopupSender& popup, std::string skin_file,
                          std::string heading_font) {
    if (hwnd()) return true;
    Prepare(bar, std::move(app_dir), popup, std::move(skin_file), std::move(heading_font));
    return MakeWindow();
}

void TFrmCalendar::Prepare(HWND bar, std::string app_dir, IPopupSender& popup, std::string skin_file,
                           std::string heading_font) {
    bar_ = bar;
    app_dir_ = std::move(app_dir);
    popup_ = &popup;
    skin_file_ = std::move(skin_file);
    heading_font_name_ = std::move(heading_font);
    if (own_stores_) {
        own_stores_ = std::make_unique<CalendarStores>(files_, app_dir_ + std::string(kMarksFileName));
        stores_ = own_stores_.get();
        control_.Calendar().ShareFtvList(stores_->festivals);
        stores_->marks.Load();
    }
}

bool TFrmCalendar::MakeWindow() {
    if (hwnd()) return true;
    if (!RegisterWindowClass(kClassName, {CS_DBLCLKS})) return false;
    SetScale(ScaleOfWindow(bar_));
    if (!CreateHandle(WS_EX_LAYERED | WS_EX_TOOLWINDOW, kClassName, L"日历", WS_POPUP | WS_CLIPCHILDREN, 0, 0,
                      Px(kWidth), Px(kHeight), bar_)) {
        return false;
    }
    ::SetLayeredWindowAttributes(hwnd(), kSeeThrough, 255, LWA_COLORKEY | LWA_ALPHA);
    label_font_ = CreateDialogFont(Scale());
    heading_font_ = CreatePixelFont(heading_font_name_, Px(kHeadingFontPixels), true);
    if (ShadowsOnFlag()) {
        shadow_ = std::make_unique<TFormShadow>();
        if (shadow_->Create(bar_)) {
            shadow_->Attach(hwnd());
        } else {
            shadow_.reset();
        }
    }
    const RECT grid = At(kCalendarRect);
    control_.SetScale(Scale(), grid.left, grid.top, grid.right - grid.left, grid.bottom - grid.top);
    if (!control_.Create(hwnd(), grid.left, grid.top, grid.right - grid.left, grid.bottom - grid.top, kControlId)) {
        return false;
    }
    mark_picture_ = ScaledPicture(MakeMarkPicture().get(), Scale());
    SetUpCalendar();
    ReloadCalendarSkin();
    control_.Repaint();
    CreateHints();
    control_.Calendar().SetDate(DateOf(clock_.Now()));
    UpdateInformation();
    return true;
}

void TFrmCalendar::SetUpCalendar() {
    TLssCalendar& calendar = control_.Calendar();
    calendar.SetLunarCalStyle(TLssCalStyle::csBottom);
    calendar.SetFtvCalStyle(TLssCalStyle::csNone);
    calendar.SetShowHint(false);
    calendar.SetShowArrow(false);
    calendar.SetAutoFontSize(false);
    calendar.SetSmoothText(true);
    calendar.SetShadowFont(true);
    calendar.SetVerticalScale(2.5);
    calendar.SetHorizonScale(2.5);
    calendar.SetFont({"宋体", kGb2312Charset, kClWindowText, PointsFromPixels(12), fsBold});

    TLssCalColors colors = calendar.CalColors();
    colors.TitleBackColor = kTeal;
    colors.WeekBackColor = kClWhite;
    colors.DayBackColor = kClWhite;
    colors.TrailingTextColor = 13158600;
    colors.LunarTermColor = kClRed;
    colors.SaturdayColor = kClRed;
    colors.HightlightBackColor = 14989919;
    colors.TitleTextFont = {"楷体_GB2312", kGb2312Charset, kClFuchsia, PointsFromPixels(5), 0};
    colors.WeekTextFont = {"宋体", kGb2312Charset, kClActiveCaption, 10, 0};
    colors.DayTextFont = {"Arial", kDefaultCharset, 3223857, 16, fsBold};
    colors.LunarTextFont = {"宋体", kGb2312Charset, kClWindowText, 8, 0};
    colors.FtvTextFont = {"宋体", kGb2312Charset, 0x008000, 8, 0};
    colors.BackMonthTextFont = {"Times New Roman", kDefaultCharset, 15132390, PointsFromPixels(211), fsBold | fsItalic};
    calendar.SetCalColors(colors);
    control_.SetMarkImage(mark_picture_.get());

    calendar.OnChange = [this] { UpdateInformation(); };
    control_.OnMouseDown = [this](CalendarMouseButton button, int x, int y) { OnCalendarMouseDown(button, x, y); };
}

void TFrmCalendar::CreateHints() {
    const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&classes);
    hints_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0,
                               0, 0, hwnd(), nullptr, ModuleInstance(), nullptr);
    if (!hints_) return;
    const auto add = [this](UINT id, const RECT& rect, std::string_view text) {
        std::wstring wide = Widen(text);
        TTTOOLINFOW tool{};
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        tool.uFlags = TTF_SUBCLASS;
        tool.hwnd = hwnd();
        tool.uId = id;
        tool.rect = rect;
        tool.lpszText = wide.data();
        ::SendMessageW(hints_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    };
    add(1, At(kYearLabelRect), "选择年");
    add(2, At(kYearButtonRect), "选择年");
    add(3, At(kMonthLabelRect), "选择月");
    add(4, At(kMonthButtonRect), "选择月");
    add(5, At(kCellTextButtonRect), CellTextCaption(cell_text_));
}

RECT TFrmCalendar::At(const RECT& design) const {
    return ScaledRECT(Scale(), design);
}

void TFrmCalendar::ApplyScale(const DisplayScale& scale) {
    if (scale == Scale()) return;
    SetScale(scale);
    LayOut();
}

void TFrmCalendar::OnDpiChanged(const RECT& suggested) {
    LayOut();
    ::SetWindowPos(hwnd(), nullptr, suggested.left, suggested.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TFrmCalendar::LayOut() {
    if (!hwnd()) return;
    ::SetWindowPos(hwnd(), nullptr, 0, 0, Px(kWidth), Px(kHeight), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    label_font_ = CreateDialogFont(Scale());
    heading_font_ = CreatePixelFont(heading_font_name_, Px(kHeadingFontPixels), true);
    const RECT grid = At(kCalendarRect);
    control_.SetScale(Scale(), grid.left, grid.top, grid.right - grid.left, grid.bottom - grid.top);
    mark_picture_ = ScaledPicture(MakeMarkPicture().get(), Scale());
    control_.SetMarkImage(mark_picture_.get());
    ReloadCalendarSkin();
    if (hints_) {
        const RECT rects[] = {At(kYearLabelRect), At(kYearButtonRect), At(kMonthLabelRect), At(kMonthButtonRect),
                              At(kCellTextButtonRect)};
        for (UINT id = 1; id <= 5; ++id) {
            TTTOOLINFOW tool{};
            tool.cbSize = TTTOOLINFOW_V2_SIZE;
            tool.hwnd = hwnd();
            tool.uId = id;
            tool.rect = rects[id - 1];
            ::SendMessageW(hints_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
        }
    }
    if (shadow_) shadow_->Refresh();
    Invalidate();
    control_.Repaint();
}

// ---- Showing and hiding ------------------------------------------------------------------------

void TFrmCalendar::ShowAt(int left, int top, int alpha) {
    ShowDockedChild(hwnd(), shadow_.get(), left, top, alpha);
}

void TFrmCalendar::HideWindow() {
    HideDockedChild(hwnd(), shadow_.get());
}

void TFrmCalendar::SetWindowAlpha(int alpha) {
    SetDockedChildAlpha(hwnd(), shadow_.get(), alpha);
}

// ---- Skin ----------------------------------------------------------------------------------------

void TFrmCalendar::LoadCalendarSkin(const std::string& path) {
    const std::optional<std::string> bytes = ReadSkinPackageFile(files_, path);
    if (!bytes) return;
    const std::optional<CalendarSkin> skin = LoadCalendarSkinData(*bytes);
    if (!skin) return;
    const auto scaled = [this](const SkinImage& picture) {
        return BitmapFromSkinImage(ScaleSkinImage(picture, Px(picture.width), Px(picture.height)));
    };
    background_ = scaled(skin->background);
    year_glyph_ = scaled(skin->year_button_up);
    month_glyph_ = scaled(skin->month_button_up);
    menu_.SetColours(skin->menu);
    font_colour_ = static_cast<std::int32_t>(skin->font);
    TLssCalColors colors = control_.Calendar().CalColors();
    colors.DayBackColor = skin->day_back;
    colors.WeekBackColor = skin->week_back;
    colors.HightlightBackColor = skin->highlight_back;
    control_.Calendar().SetCalColors(colors);
    stores_->marks.SetMarkColor(static_cast<std::int32_t>(skin->mark));
    if (hwnd()) {
        Invalidate();
        if (shadow_) shadow_->Refresh();
    }
}

void TFrmCalendar::SetSkinFile(std::string skin_file) {
    skin_file_ = std::move(skin_file);
    if (hwnd()) ReloadCalendarSkin();
}

void TFrmCalendar::ReloadCalendarSkin() {
    Guarded([this] {
        if (const std::optional<std::string> path = BarSkinPath(app_dir_, skin_file_)) LoadCalendarSkin(*path);
    });
}

// ---- Texts ---------------------------------------------------------------------------------------

const TFestivalList& TFrmCalendar::Festivals() const {
    return control_.Calendar().FtvList();
}

// ---- Marks ---------------------------------------------------------------------------------------

bool TFrmCalendar::RunMarkReminder(DateTime now) {
    if (!popup_) return false;
    const std::optional<std::string> text = MarkReminderText(stores_->marks.Lines(), now, SystemDateLocale());
    return text && popup_->ShowText(*text);
}

bool TFrmCalendar::OpenMarkList() {
    if (!hwnd() && !bar_) return false;
    ShowMarkList(DialogOwner(), stores_->marks, clock_.Now());
    const bool saved = stores_->marks.Save();
    control_.Repaint();
    UpdateInformation();
    return saved;
}

bool TFrmCalendar::MarkSelectedDay() {
    if (!hwnd()) return false;
    std::string key = MakeMarkName(0, SolarKeyOf(SelectedDate()));
    std::string note;
    if (!EditMark(DialogOwner(), stores_->marks.Lines(), clock_.Now(), key, note)) return false;
    stores_->marks.SetMark(key, note);
    control_.Repaint();
    UpdateInformation();
    return true;
}

bool TFrmCalendar::UnmarkSelectedDay() {
    if (!hwnd()) return false;
    const std::string solar = SolarKeyOf(SelectedDate());
    const std::string lunar = LunarKeyOf(SelectedDate());
    DeleteMarksChoice choice;
    if (!AskDeleteMarks(DialogOwner(), DeleteMarksQuestion(solar, lunar), choice)) return false;
    stores_->marks.DeleteMarks(solar, lunar, choice.solar, choice.lunar);
    control_.Repaint();
    UpdateInformation();
    return true;
}

HWND TFrmCalendar::DialogOwner() const {
    // While hidden, the dialog keeps the bar from being used meanwhile.
    if (!hwnd()) return bar_;
    if (IsVisible()) return hwnd();
    const HWND owner = hwnd() ? ::GetWindow(hwnd(), GW_OWNER) : nullptr;
    return owner ? owner : hwnd();
}

// ---- Date and cell text --------------------------------------------------------------------------

DateTime TFrmCalendar::SelectedDate() const {
    return control_.Calendar().Date();
}

void TFrmCalendar::SetDate(DateTime date) {
    control_.Calendar().SetDate(date);
    control_.Repaint();
}

void TFrmCalendar::SetYear(int year) {
    control_.Calendar().SetYear(year);
    control_.Repaint();
}

void TFrmCalendar::SetMonth(int month) {
    control_.Calendar().SetMonth(month);
    control_.Repaint();
}

void TFrmCalendar::SelectCellText(CellTextKind kind) {
    cell_text_ = kind;
    const CellTextSettings settings = CellTextSettingsFor(kind);
    TLssCalendar& calendar = control_.Calendar();
    if (settings.change_chinese_ear) calendar.SetChineseEar(settings.chinese_ear);
    calendar.SetFtvCalStyle(settings.festivals_below ? TLssCalStyle::csBottom : TLssCalStyle::csNone);
    calendar.SetLunarCalStyle(settings.lunar_below ? TLssCalStyle::csBottom : TLssCalStyle::csNone);
    control_.Repaint();
    if (hints_) {
        std::wstring caption = Widen(CellTextCaption(kind));
        TTTOOLINFOW tool{};
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        tool.hwnd = hwnd();
        tool.uId = 5;
        tool.lpszText = caption.data();
        ::SendMessageW(hints_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    if (hwnd()) {
        const RECT label = At(kCellTextLabelRect);
        ::InvalidateRect(hwnd(), &label, FALSE);
    }
}

// ---- Information lines ---------------------------------------------------------------------------

void TFrmCalendar::UpdateInformation() {
    CalendarInfoLines lines = MakeCalendarInfoLines(SelectedDate(), Festivals(), stores_->marks.Lines());
    if (lines.year == info_.year && lines.month == info_.month && lines.lunar == info_.lunar &&
        lines.ganzhi == info_.ganzhi && lines.festival == info_.festival && lines.mark == info_.mark) {
        return;
    }
    info_ = std::move(lines);
    if (!hwnd()) return;
    const RECT year = At(kYearLabelRect);
    const RECT month = At(kMonthLabelRect);
    ::InvalidateRect(hwnd(), &year, FALSE);
    ::InvalidateRect(hwnd(), &month, FALSE);
    for (int line = 0; line < 4; ++line) {
        const RECT rect = At(InfoLineRect(line));
        ::InvalidateRect(hwnd(), &rect, FALSE);
    }
}

// ---- Menus ---------------------------------------------------------------------------------------

std::vector<PopupMenuItem> TFrmCalendar::MarkMenuItems(bool opened_from_grid) const {
    const MarkMenuState state = MarkMenuStateFor(opened_from_grid, SelectedDate(), stores_->marks);
    std::vector<PopupMenuItem> items;
    if (state.mark_items_visible) {
        items.push_back({"标记当日", kMarkDayId});
        items.push_back({"取消标记", kDeleteMarkId, state.delete_enabled});
    }
    items.push_back({"所有日历标记", kAllMarksId});
    items.push_back(PopupMenuItem::Separator());
    items.push_back({"城市时间查询", kWorldTimeId});
    items.push_back(PopupMenuItem::Separator());
    PopupMenuItem switch_to{"切换到", 0};
    switch_to.submenu = {{"时钟", kClockModeId}, {"天气", kWeatherModeId}};
    items.push_back(std::move(switch_to));
    items.push_back({"关闭窗口", kCloseId});
    return items;
}

std::vector<PopupMenuItem> TFrmCalendar::YearMenuItems() const {
    std::vector<PopupMenuItem> items;
    for (const DateMenuItem& year : kalvoro::YearMenuItems(control_.Calendar().Year())) {
        items.push_back({year.caption, kYearFirstId + year.tag});
    }
    items.push_back(PopupMenuItem::Separator());
    items.push_back({std::string(kOtherYearCaption), kOtherYearId});
    return items;
}

std::vector<PopupMenuItem> TFrmCalendar::MonthMenuItems() const {
    std::vector<PopupMenuItem> items;
    for (const DateMenuItem& month : kalvoro::MonthMenuItems()) {
        items.push_back({month.caption, kMonthFirstId + month.tag});
    }
    return items;
}

std::vector<PopupMenuItem> TFrmCalendar::CellTextMenuItems() const {
    std::vector<PopupMenuItem> items;
    for (const CellTextMenuItem& item : kalvoro::CellTextMenuItems()) {
        PopupMenuItem entry{std::string(item.caption), kCellTextFirstId + static_cast<int>(item.kind)};
        entry.radio = true;
        entry.checked = item.kind == cell_text_;
        items.push_back(std::move(entry));
    }
    return items;
}

void TFrmCalendar::OpenMenuOf(HotSpot spot) {
    std::vector<PopupMenuItem> items;
    RECT under{};
    switch (spot) {
        case HotSpot::kYear:
            items = YearMenuItems();
            under = At(kYearLabelRect);
            break;
        case HotSpot::kMonth:
            items = MonthMenuItems();
            under = At(kMonthLabelRect);
            break;
        case HotSpot::kCellText:
            items = CellTextMenuItems();
            under = At(kCellTextLabelRect);
            break;
        case HotSpot::kNone:
            return;
    }
    RunMenuCommand(menu_.Track(hwnd(), ScreenPoint(under.left, under.bottom), items));
}

void TFrmCalendar::OpenMarkMenu(bool opened_from_grid, POINT screen_point) {
    const std::vector<PopupMenuItem> items = MarkMenuItems(opened_from_grid);
    RunMenuCommand(menu_.Track(hwnd(), screen_point, items));
}

void TFrmCalendar::RunMenuCommand(int id) {
    if (id >= kYearFirstId) {
        SetYear(id - kYearFirstId);
    } else if (id >= kMonthFirstId) {
        SetMonth(id - kMonthFirstId);
    } else if (id >= kCellTextFirstId) {
        SelectCellText(static_cast<CellTextKind>(std::clamp(id - kCellTextFirstId, 0, 2)));
    } else {
        switch (id) {
            case kMarkDayId:
                MarkSelectedDay();
                break;
            case kDeleteMarkId:
                UnmarkSelectedDay();
                break;
            case kAllMarksId:
                OpenMarkList();
                break;
            case kWorldTimeId:
                if (OnWorldTime) OnWorldTime();
                break;
            case kClockModeId:
                if (OnSwitchMode) OnSwitchMode(2);
                break;
            case kWeatherModeId:
                if (OnSwitchMode) OnSwitchMode(3);
                break;
            case kCloseId:
                HideWindow();
                break;
            case kOtherYearId: {
                int year = DecodeDate(clock_.Now()).year;
                if (AskYear(DialogOwner(), year)) SetYear(year);
                break;
            }
            default:
                break;
        }
    }
}

// ---- Mouse ---------------------------------------------------------------------------------------

void TFrmCalendar::OnCalendarMouseDown(CalendarMouseButton button, int x, int y) {
    if (button != CalendarMouseButton::Right) return;
    if (control_.Calendar().SelectInMonthAt(x, y)) control_.Repaint();
    POINT at{x, y};
    ::ClientToScreen(control_.hwnd(), &at);
    OpenMarkMenu(true, at);
}

TFrmCalendar::HotSpot TFrmCalendar::HotSpotAt(POINT point) const {
    if (Contains(At(kYearLabelRect), point) || Contains(At(kYearButtonRect), point)) return HotSpot::kYear;
    if (Contains(At(kMonthLabelRect), point) || Contains(At(kMonthButtonRect), point)) return HotSpot::kMonth;
    if (Contains(At(kCellTextLabelRect), point) || Contains(At(kCellTextButtonRect), point)) return HotSpot::kCellText;
    return HotSpot::kNone;
}

void TFrmCalendar::DragWindow() {
    ::ReleaseCapture();
    ::SendMessageW(hwnd(), WM_SYSCOMMAND, kSysCommandDragMove, 0);
}

POINT TFrmCalendar::ScreenPoint(int x, int y) const {
    POINT point{x, y};
    ::ClientToScreen(hwnd(), &point);
    return point;
}

// ---- Painting ------------------------------------------------------------------------------------

void TFrmCalendar::PaintWindow(HDC dc) const {
    const RECT client{0, 0, Px(kWidth), Px(kHeight)};
    BITMAP picture{};
    if (background_ && ::GetObjectW(background_.get(), sizeof(picture), &picture)) {
        FillSolid(dc, client, kSeeThrough);
        const MemoryDC source(dc);
        const SelectObjectScope select(source.get(), background_.get());
        ::BitBlt(dc, 0, 0, picture.bmWidth, picture.bmHeight, source.get(), 0, 0, SRCCOPY);
    } else {
        FillSolid(dc, client, kBuiltInFace);
        const Brush frame(::CreateSolidBrush(kBuiltInFrame));
        ::FrameRect(dc, &client, frame.get());
    }
    DrawGlyph(dc, year_glyph_.get(), At(kYearButtonRect), Scale());
    DrawGlyph(dc, year_glyph_.get(), At(kCellTextButtonRect), Scale());
    DrawGlyph(dc, month_glyph_.get(), At(kMonthButtonRect), Scale());

    ::SetBkMode(dc, TRANSPARENT);
    const COLORREF colour = static_cast<COLORREF>(font_colour_) & 0xFFFFFF;
    {
        const SelectObjectScope select(dc, heading_font_.get());
        const int shadow = Px(2);
        DrawHeading(dc, info_.year, At(kYearLabelRect), DT_RIGHT, colour, shadow);
        DrawHeading(dc, info_.month, At(kMonthLabelRect), DT_RIGHT, colour, shadow);
        DrawHeading(dc, std::string(CellTextCaption(cell_text_)), At(kCellTextLabelRect), DT_LEFT, colour, shadow);
    }
    const SelectObjectScope select(dc, label_font_.get());
    ::SetTextColor(dc, colour);
    const std::string* lines[] = {&info_.lunar, &info_.ganzhi, &info_.festival, &info_.mark};
    for (int line = 0; line < 4; ++line) DrawLabel(dc, *lines[line], At(InfoLineRect(line)), DT_LEFT);
}

void TFrmCalendar::OnPaint() {
    const PaintDC dc(hwnd());
    const OffscreenSurface surface(dc.get(), Px(kWidth), Px(kHeight));
    if (!surface) {
        PaintWindow(dc.get());
        return;
    }
    PaintWindow(surface.dc());
    const RECT& dirty = dc.dirty();
    ::BitBlt(dc.get(), dirty.left, dirty.top, dirty.right - dirty.left, dirty.bottom - dirty.top, surface.dc(),
             dirty.left, dirty.top, SRCCOPY);
}

// ---- Messages ------------------------------------------------------------------------------------

LRESULT TFrmCalendar::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_PRINTCLIENT:
            PaintWindow(reinterpret_cast<HDC>(wparam));
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_LBUTTONDOWN: {
            const POINT point{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
            pressed_ = HotSpotAt(point);
            if (pressed_ == HotSpot::kNone) DragWindow();
            return 0;
        }
        case WM_LBUTTONUP: {
            const HotSpot pressed = std::exchange(pressed_, HotSpot::kNone);
            const POINT point{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
            if (pressed != HotSpot::kNone && HotSpotAt(point) == pressed) OpenMenuOf(pressed);
            return 0;
        }
        case WM_CONTEXTMENU: {
            // The calendar grid opens its own menu when the button goes down.
            if (reinterpret_cast<HWND>(wparam) != hwnd()) return 0;
            POINT at{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
            if (lparam == -1) at = ScreenPoint(Px(kInfoLineLeft), Px(kInfoLineTop));
            OpenMarkMenu(false, at);
            return 0;
        }
        case WM_MEASUREITEM:
            if (menu_.OnMeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lparam))) return TRUE;
            break;
        case WM_DRAWITEM:
            if (menu_.OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam))) return TRUE;
            break;
        case WM_SHOWWINDOW:
            if (shadow_) shadow_->Show(wparam != FALSE);
            break;
        case WM_CLOSE:
            HideWindow();
            return 0;
        default:
            break;
    }
    return DefaultHandling(message, wparam, lparam);
}

}  // namespace kalvoro::win
