#include "calendar/win32/frm_calendar.h"

#include <gtest/gtest.h>

#include <memory>

#include "base/win32/handles.h"
#include "base/win32/text.h"
#include "calendar/calendar_stores.h"
#include "calendar/date_texts.h"
#include "calendar/mark_texts.h"
#include "calendar/win32/testing/calendar_window_test_support.h"
#include "calendar/win32/frm_edit_mark.h"
#include "calendar/win32/frm_mark.h"
#include "calendar/win32/frm_msg_del_mark.h"
#include "calendar/win32/mark_picture.h"
#include "skin/calendar_skin.h"
#include "ui/win32/testing/gdi_census.h"
#include "ui/win32/layered_attributes.h"
#include "ui/win32/testing/test_window.h"
#include "ui/win32/ui_globals.h"

namespace kalvoro::win {
namespace {

using testing::ChooseItem;
using testing::Click;
using testing::FindDialog;
using testing::FindMessageBox;
using testing::ItemText;
using testing::LiveGdiObjectCount;
using testing::PumpMessages;
using testing::RecordingPopup;
using testing::ScheduledSteps;
using testing::SetItemText;
using testing::TempAppFolder;
using testing::TestWindow;
using testing::TestWindowOptions;

constexpr std::uint32_t kRibbonRed = 0xE02020;

// The window's own client area or the calendar control's, drawn through WM_PRINTCLIENT.
class Print {
public:
    Print(HWND hwnd, int width, int height) : dib_(width, height) {
        if (dib_ && dc_) {
            const SelectObjectScope select(dc_.get(), dib_.get());
            ::SendMessageW(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_.get()), PRF_CLIENT);
        }
    }
    std::uint32_t At(int x, int y) const {
        return dib_.pixels()[static_cast<std::size_t>(y) * static_cast<std::size_t>(dib_.width()) +
                             static_cast<std::size_t>(x)] &
               0xFFFFFF;
    }
    int Count(const Rect& area, std::uint32_t pixel) const {
        int count = 0;
        for (int y = std::max(area.top, 0); y < std::min(area.bottom, dib_.height()); ++y) {
            for (int x = std::max(area.left, 0); x < std::min(area.right, dib_.width()); ++x)
                count += At(x, y) == pixel;
        }
        return count;
    }

private:
    DibSection dib_;
    MemoryDC dc_;
};

class FrmCalendarTest : public ::testing::Test {
protected:
    void SetUp() override {
        ShadowsOnFlag() = true;
        TestWindowOptions options;
        options.rect = {100, 100, 432, 134};
        bar = std::make_unique<TestWindow>(options);
    }
    void TearDown() override { ShadowsOnFlag() = false; }

    std::unique_ptr<TFrmCalendar> Open() {
        auto window = std::make_unique<TFrmCalendar>(clock);
        EXPECT_TRUE(window->Create(bar->hwnd(), app.AppDir(), popup, "Default.sk"));
        PumpMessages();
        return window;
    }

    int RibbonPixelsOn(TFrmCalendar& window, DateTime day) {
        LssCalendarControl& control = window.CalendarControl();
        const RECT client = control.ClientRect();
        const Print picture(control.hwnd(), client.right, client.bottom);
        return picture.Count(control.Calendar().GetCellRect(day), kRibbonRed);
    }

    TempAppFolder app;
    FakeClock clock{EncodeDate(2008, 9, 14) + 10.0 / 24};
    RecordingPopup popup;
    std::unique_ptr<TestWindow> bar;
};

TEST_F(FrmCalendarTest, IsCreatedHiddenOnTodayWithTheSkinAndTheFormsFestivalRows) {
    const auto window = Open();
    ASSERT_NE(window->hwnd(), nullptr);
    EXPECT_FALSE(window->IsShown());
    EXPECT_EQ(::GetWindow(window->hwnd(), GW_OWNER), bar->hwnd());
    const RECT rect = window->WindowRect();
    EXPECT_EQ(rect.right - rect.left, 332);
    EXPECT_EQ(rect.bottom - rect.top, 390);
    EXPECT_EQ(ReadLayeredAttributes(window->hwnd()).key_colour, RGB(255, 0, 255));

    EXPECT_EQ(window->SelectedDate(), EncodeDate(2008, 9, 14));
    const CalendarInfoLines& info = window->InfoLines();
    EXPECT_EQ(info.year, "2008年");
    EXPECT_EQ(info.month, "09月");
    EXPECT_EQ(info.lunar, "农历： 二零零八年八月十五");
    EXPECT_EQ(info.festival, "节日： 中秋节 世界清洁地球日");
    EXPECT_EQ(info.mark, "标记： ");

    const auto skin = LoadCalendarSkinData(*DiskFileStore().ReadAll(TempAppFolder::SkinSource()));
    ASSERT_TRUE(skin);
    // The shipped skin's [CALENDAR] colours, as its description writes them.
    EXPECT_EQ(window->FontColour(), 0x00F8F1EC);
    EXPECT_EQ(window->CalendarControl().Calendar().CalColors().DayBackColor, 0x00FCFAF8u);
    EXPECT_EQ(window->CalendarControl().Calendar().CalColors().WeekBackColor, 0x00F2E9E2u);
    EXPECT_EQ(window->Marks().MarkColor(), 0x0080FFFF);
    const Print picture(window->hwnd(), 332, 390);
    for (const POINT point : {POINT{0, 0}, POINT{166, 5}, POINT{2, 200}, POINT{330, 388}}) {
        EXPECT_EQ(picture.At(point.x, point.y), skin->background.At(point.x, point.y)) << point.x << "," << point.y;
    }

    const FestivalMatch mothers_day = window->Festivals().GetWeekFestival(EncodeDate(2008, 5, 11));
    EXPECT_EQ(mothers_day.text, "母亲节");
    EXPECT_EQ(mothers_day.color, 0);
    EXPECT_EQ(GetLunarText(EncodeDate(2008, 2, 4)), "二零零七年腊月廿八 立春");
    EXPECT_EQ(GetLunarText(EncodeDate(2008, 2, 4) + 10.0 / 24), "二零零七年腊月廿八 ");
    EXPECT_EQ(GetGanZhiText(EncodeDate(2008, 2, 4) + 20.0 / 24).rfind("戊子(鼠)年", 0), 0u);
    EXPECT_EQ(GetGanZhiText(EncodeDate(2008, 2, 4) + 10.0 / 24).rfind("丁亥(猪)年", 0), 0u);
    EXPECT_EQ(GetTermText(EncodeDate(2008, 2, 4) + 0.5), "立春");
    EXPECT_EQ(GetFtvText(window->Festivals(), EncodeDate(2008, 2, 7)), "春节 国际声援南非日");
}

// The core owns the festival lists and the marks; the bar's date texts read them after the window
// that showed them is gone.
TEST_F(FrmCalendarTest, StoresOutliveTheWindow) {
    CalendarStores stores(DiskFileStore(), app.Path("Marks.rec"));
    app.WriteMarksFile("00914=生日\r\n");
    stores.marks.Load();
    {
        TFrmCalendar window(clock, stores);
        ASSERT_TRUE(window.Create(bar->hwnd(), app.AppDir(), popup, "Default.sk"));
        EXPECT_EQ(&window.Festivals(), &stores.festivals);
        EXPECT_EQ(window.InfoLines().mark, "标记： 生日");
    }
    EXPECT_NE(GetFtvText(stores.festivals, EncodeDate(2008, 2, 7)).find("春节"), std::string::npos);
    EXPECT_EQ(GetMarkText(stores.marks.Lines(), 0, "0914"), "生日");
}

TEST_F(FrmCalendarTest, WithoutASkinPackageItKeepsItsBuiltInLook) {
    TempAppFolder bare(false);
    TFrmCalendar window(clock);
    ASSERT_TRUE(window.Create(bar->hwnd(), bare.AppDir(), popup, "Default.sk"));
    EXPECT_EQ(window.FontColour(), 0);
    EXPECT_EQ(window.CalendarControl().Calendar().CalColors().DayBackColor, kClWhite);
    EXPECT_EQ(window.Marks().MarkColor(), kDefaultMarkColor);
    EXPECT_EQ(window.InfoLines().lunar, "农历： 二零零八年八月十五");
}

TEST_F(FrmCalendarTest, DateMenusAndTheInformationFollowTheSelection) {
    const auto window = Open();
    window->SetDate(EncodeDate(2020, 5, 23));
    EXPECT_EQ(window->InfoLines().lunar, "农历： 二零二零年闰四月初一");
    EXPECT_EQ(window->InfoLines().year, "2020年");

    window->SetYear(2100);
    std::vector<PopupMenuItem> years = window->YearMenuItems();
    ASSERT_EQ(years.size(), 15u);
    EXPECT_EQ(years.front().caption, "2088年");
    EXPECT_EQ(years[12].caption, "2100年");
    EXPECT_EQ(years[13].caption, "-");
    EXPECT_EQ(years[14].caption, "其他...");
    window->SetYear(1900);
    EXPECT_EQ(window->YearMenuItems().front().caption, "1900年");

    const std::vector<PopupMenuItem> months = window->MonthMenuItems();
    ASSERT_EQ(months.size(), 12u);
    window->RunMenuCommand(months[1].id);
    EXPECT_EQ(window->InfoLines().month, "02月");
    window->RunMenuCommand(window->YearMenuItems()[3].id);
    EXPECT_EQ(window->InfoLines().year, "1903年");
}

TEST_F(FrmCalendarTest, ClickingTheYearOpensItsMenuAndTheChosenYearIsSelected) {
    const auto window = Open();
    window->ShowAt(200, 150, 255);
    int items_shown = 0;
    ScheduledSteps steps({[&] {
        const HWND menu = ::FindWindowW(L"#32768", nullptr);
        const auto popup_menu = reinterpret_cast<HMENU>(::SendMessageW(menu, MN_GETHMENU, 0, 0));
        items_shown = ::GetMenuItemCount(popup_menu);
        ::PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
        ::PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
    }});
    const LPARAM on_year = MAKELPARAM(220, 28);
    ::SendMessageW(window->hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, on_year);
    ::SendMessageW(window->hwnd(), WM_LBUTTONUP, 0, on_year);
    EXPECT_EQ(items_shown, 15);
    EXPECT_EQ(window->InfoLines().year, "2002年");
    window->HideWindow();
}

TEST_F(FrmCalendarTest, TheCellTextMenuSwitchesWhatTheCellsShow) {
    const auto window = Open();
    const TLssCalendar& calendar = window->CalendarControl().Calendar();
    EXPECT_EQ(window->CellText(), CellTextKind::kLunar);
    EXPECT_EQ(calendar.LunarCalStyle(), TLssCalStyle::csBottom);
    EXPECT_EQ(calendar.FtvCalStyle(), TLssCalStyle::csNone);

    window->SelectCellText(CellTextKind::kGanZhi);
    EXPECT_TRUE(calendar.ChineseEar());
    EXPECT_EQ(calendar.LunarCalStyle(), TLssCalStyle::csBottom);
    EXPECT_TRUE(window->CellTextMenuItems()[1].checked);
    EXPECT_FALSE(window->CellTextMenuItems()[0].checked);

    window->RunMenuCommand(window->CellTextMenuItems()[2].id);
    EXPECT_EQ(window->CellText(), CellTextKind::kFestival);
    EXPECT_EQ(calendar.LunarCalStyle(), TLssCalStyle::csNone);
    EXPECT_EQ(calendar.FtvCalStyle(), TLssCalStyle::csBottom);

    window->SelectCellText(CellTextKind::kLunar);
    EXPECT_FALSE(calendar.ChineseEar());
    EXPECT_EQ(calendar.FtvCalStyle(), TLssCalStyle::csNone);
}

TEST_F(FrmCalendarTest, AMarkAddedThroughTheEditorIsWrittenAndDrawn) {
    const auto window = Open();
    const DateTime day = EncodeDate(2008, 9, 14);
    EXPECT_EQ(RibbonPixelsOn(*window, day), 0);

    int kind = -2, month = -2, chosen_day = -2;
    ScheduledSteps steps({[&] {
        const HWND dialog = FindDialog(L"标记");
        kind = testing::ChosenItem(dialog, kEditMarkKindId);
        month = testing::ChosenItem(dialog, kEditMarkMonthId);
        chosen_day = testing::ChosenItem(dialog, kEditMarkDayId);
        SetItemText(dialog, kEditMarkNoteId, "生日");
        Click(dialog, IDOK);
    }});
    ASSERT_TRUE(window->MarkSelectedDay());
    EXPECT_EQ(kind, 0);
    EXPECT_EQ(month, 8);
    EXPECT_EQ(chosen_day, 13);

    EXPECT_EQ(app.MarksFile(), "00914=生日\r\n");
    EXPECT_EQ(window->InfoLines().mark, "标记： 生日");
    EXPECT_EQ(GetMarkText(window->Marks().Lines(), 0, "0914"), "生日");
    EXPECT_NE(window->CalendarControl().Calendar().GetMarkColor(day), kNoColor);
    EXPECT_GT(RibbonPixelsOn(*window, day), 10);
    EXPECT_EQ(RibbonPixelsOn(*window, day + 1), 0);
}

TEST_F(FrmCalendarTest, CancellingTheEditorChangesNothing) {
    const auto window = Open();
    ScheduledSteps steps({[] { Click(FindDialog(L"标记"), IDCANCEL); }});
    EXPECT_FALSE(window->MarkSelectedDay());
    EXPECT_FALSE(DiskFileStore().Exists(app.Path("Marks.rec")));
}

TEST_F(FrmCalendarTest, DeletingWithOnlyTheGregorianBoxTickedKeepsTheLunarMark) {
    app.WriteMarksFile("00914=生日\r\n10815=中秋\r\n");
    const auto window = Open();
    EXPECT_EQ(window->InfoLines().mark, "标记： 生日  *中秋");

    std::string message;
    ScheduledSteps steps({[&] {
        const HWND dialog = FindDialog(L"清除标记");
        message = ItemText(dialog, kDeleteMarksMessageId);
        ::CheckDlgButton(dialog, kDeleteLunarMarkId, BST_UNCHECKED);
        Click(dialog, IDOK);
    }});
    ASSERT_TRUE(window->UnmarkSelectedDay());
    EXPECT_EQ(message, "公历：09月14日   农历：08月15日");
    EXPECT_EQ(app.MarksFile(), "10815=中秋\r\n");
    EXPECT_EQ(window->InfoLines().mark, "标记： *中秋");
    EXPECT_NE(window->CalendarControl().Calendar().GetMarkColor(EncodeDate(2008, 9, 14)), kNoColor);
    EXPECT_TRUE(window->MarkMenuItems(true)[1].enabled);  // 取消标记: the lunar mark is still there
}

TEST_F(FrmCalendarTest, RightClicksOpenTheMarkMenuWithTheMarkItemsOnlyOverTheGrid) {
    const auto window = Open();
    window->ShowAt(200, 150, 255);
    std::vector<int> counts;
    const auto count_and_close = [&] {
        const HWND menu = ::FindWindowW(L"#32768", nullptr);
        counts.push_back(::GetMenuItemCount(reinterpret_cast<HMENU>(::SendMessageW(menu, MN_GETHMENU, 0, 0))));
        ::EndMenu();
    };
    ScheduledSteps steps({count_and_close, count_and_close});

    const DateTime target = EncodeDate(2008, 9, 20);
    const Rect cell = window->CalendarControl().Calendar().GetCellRect(target);
    ::SendMessageW(window->CalendarControl().hwnd(), WM_RBUTTONDOWN, MK_RBUTTON,
                   MAKELPARAM(cell.left + 5, cell.top + 5));
    EXPECT_EQ(window->SelectedDate(), target);

    POINT on_background{100, 330};
    ::ClientToScreen(window->hwnd(), &on_background);
    ::SendMessageW(window->hwnd(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window->hwnd()),
                   MAKELPARAM(on_background.x, on_background.y));
    EXPECT_EQ(counts, (std::vector<int>{8, 6}));
    window->HideWindow();
}

TEST_F(FrmCalendarTest, MenuItemsAskForModesAndCloseHides) {
    const auto window = Open();
    std::vector<int> modes;
    window->OnSwitchMode = [&](int mode) { modes.push_back(mode); };
    int world_time = 0;
    window->OnWorldTime = [&] { ++world_time; };
    window->RunMenuCommand(TFrmCalendar::kClockModeId);
    window->RunMenuCommand(TFrmCalendar::kWeatherModeId);
    window->RunMenuCommand(TFrmCalendar::kWorldTimeId);
    EXPECT_EQ(modes, (std::vector<int>{2, 3}));
    EXPECT_EQ(world_time, 1);

    window->ShowAt(10, 10, 255);
    window->RunMenuCommand(TFrmCalendar::kCloseId);
    EXPECT_FALSE(window->IsShown());
    window->ShowAt(10, 10, 255);
    ::SendMessageW(window->hwnd(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(window->IsShown());
    EXPECT_TRUE(window->IsAlive());
}

TEST_F(FrmCalendarTest, TheMarkListAddsChangesAndDeletesAndTheFileFollows) {
    app.WriteMarksFile("01225=圣诞\r\n00914=生日\r\n");
    const auto window = Open();
    int rows_at_start = -1;
    int rows_after_add = -1;
    std::string shown_note;
    const auto list_dialog = [] { return FindDialog(L"日历标记"); };
    const auto select_row = [&](int row) {
        const HWND list = ::GetDlgItem(list_dialog(), kMarkListId);
        ::SendMessageW(list, LB_SETSEL, FALSE, -1);
        ::SendMessageW(list, LB_SETSEL, TRUE, row);
        ::SendMessageW(list, LB_SETCARETINDEX, static_cast<WPARAM>(row), FALSE);
        ::SendMessageW(list_dialog(), WM_COMMAND, MAKEWPARAM(kMarkListId, LBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(list));
    };
    ScheduledSteps steps({
        [&] {
            rows_at_start = static_cast<int>(::SendDlgItemMessageW(list_dialog(), kMarkListId, LB_GETCOUNT, 0, 0));
            Click(list_dialog(), kMarkListAddId);
        },
        [&] {  // the editor for a new mark: lunar 01-15
            const HWND editor = FindDialog(L"标记");
            ChooseItem(editor, kEditMarkKindId, 1);
            ChooseItem(editor, kEditMarkMonthId, 0);
            ChooseItem(editor, kEditMarkDayId, 14);
            SetItemText(editor, kEditMarkNoteId, "元宵");
            Click(editor, IDOK);
        },
        [&] {
            rows_after_add = static_cast<int>(::SendDlgItemMessageW(list_dialog(), kMarkListId, LB_GETCOUNT, 0, 0));
            select_row(0);  // 00914=生日
            Click(list_dialog(), kMarkListEditId);
        },
        [&] {
            const HWND editor = FindDialog(L"标记");
            shown_note = ItemText(editor, kEditMarkNoteId);
            SetItemText(editor, kEditMarkNoteId, "生日快乐");
            Click(editor, IDOK);
        },
        [&] {
            select_row(1);  // 01225=圣诞
            Click(list_dialog(), kMarkListDeleteId);
        },
        [&] { ::PostMessageW(FindMessageBox(list_dialog()), WM_COMMAND, IDYES, 0); },
        [&] { Click(list_dialog(), IDCANCEL); },
    });
    EXPECT_TRUE(window->OpenMarkList());
    EXPECT_TRUE(steps.Done());
    EXPECT_EQ(rows_at_start, 2);
    EXPECT_EQ(rows_after_add, 3);
    EXPECT_EQ(shown_note, "生日");
    EXPECT_EQ(app.MarksFile(), "00914=生日快乐\r\n10115=元宵\r\n");
    const TFestivalList& lists = window->Festivals();
    EXPECT_TRUE(lists.SolarMarks().IndexOf("0914"));
    EXPECT_FALSE(lists.SolarMarks().IndexOf("1225"));
    EXPECT_TRUE(lists.LunarMarks().IndexOf("0115"));
    EXPECT_EQ(window->InfoLines().mark, "标记： 生日快乐");
}

TEST_F(FrmCalendarTest, AMarksFileThatCannotBeReadIsNamedInTheListAndNeverOverwritten) {
    app.WriteMarksFile("00914=生日\r\n");
    std::unique_ptr<TFrmCalendar> window;
    {
        // Another program holds the file without sharing while the calendar starts.
        const FileHandle lock(::CreateFileW(Widen(app.Path("Marks.rec")).c_str(), GENERIC_READ, 0, nullptr,
                                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(lock);
        window = Open();
    }
    std::string notice;
    ScheduledSteps steps({[&] {
        const HWND list = FindDialog(L"日历标记");
        notice = ItemText(list, kMarkListNoticeId);
        Click(list, IDCANCEL);
    }});
    EXPECT_FALSE(window->OpenMarkList());
    EXPECT_TRUE(steps.Done());
    EXPECT_EQ(notice, kMarksReadOnlyNotice);
    EXPECT_EQ(app.MarksFile(), "00914=生日\r\n");
}

TEST_F(FrmCalendarTest, TheReminderSendsTodaysGregorianNoteOnly) {
    app.WriteMarksFile("00914=生日\r\n10815=中秋\r\n");
    const auto window = Open();
    ASSERT_TRUE(window->RunMarkReminder(EncodeDate(2008, 9, 14) + 10.0 / 24));
    ASSERT_EQ(popup.texts.size(), 1u);
    const std::string sunday = SystemDateLocale().long_day_names[0];
    EXPECT_EQ(popup.texts[0], "日历标记：\r\n2008年09月14日 " + sunday + "\r\n\r\n生日");

    // 2009-10-03 is lunar 08-15: a lunar mark only.
    EXPECT_FALSE(window->RunMarkReminder(EncodeDate(2009, 10, 3)));
    EXPECT_EQ(popup.texts.size(), 1u);

    popup.available = false;
    EXPECT_FALSE(window->RunMarkReminder(EncodeDate(2008, 9, 14)));
}

TEST_F(FrmCalendarTest, ShowingPlacesBlendsAndShadowsAndHidingFadesItAway) {
    const auto window = Open();
    window->ShowAt(50, 60, 180);
    PumpMessages();
    EXPECT_TRUE(window->IsShown());
    const RECT rect = window->WindowRect();
    EXPECT_EQ(rect.left, 50);
    EXPECT_EQ(rect.top, 60);
    EXPECT_EQ(ReadLayeredAttributes(window->hwnd()).alpha, 180);
    ASSERT_NE(window->Shadow(), nullptr);
    EXPECT_TRUE(::IsWindowVisible(window->Shadow()->hwnd()));

    window->SetWindowAlpha(120);
    EXPECT_EQ(ReadLayeredAttributes(window->hwnd()).alpha, 120);
    EXPECT_EQ(window->Shadow()->ConstantAlpha(), 120);

    window->HideWindow();
    PumpMessages();
    EXPECT_FALSE(window->IsShown());
    EXPECT_FALSE(::IsWindowVisible(window->Shadow()->hwnd()));
    EXPECT_EQ(ReadLayeredAttributes(window->hwnd()).alpha, 120);
}

TEST_F(FrmCalendarTest, ShowingAndHidingTwentyTimesKeepsTheGdiObjectsFlat) {
    const auto window = Open();
    window->ShowAt(50, 60, 200);
    PumpMessages();
    window->HideWindow();
    PumpMessages();
    const DWORD before = LiveGdiObjectCount();
    for (int i = 0; i < 20; ++i) {
        window->ShowAt(50 + i, 60, 200);
        PumpMessages();
        window->HideWindow();
        PumpMessages();
    }
    EXPECT_GT(before, 0u);
    EXPECT_EQ(LiveGdiObjectCount(), before);
}

}  // namespace
}  // namespace kalvoro::win
