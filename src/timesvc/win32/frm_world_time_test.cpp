#include "timesvc/win32/frm_world_time.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "base/file_store.h"
#include "base/gbk.h"
#include "base/win32/text.h"
#include "e2e/pixels.h"
#include "timesvc/time_zone_list.h"
#include "timesvc/win32/time_sync_service.h"
#include "timesvc/zone_rules_by_hand.h"
#include "ui/win32/testing/test_window.h"

namespace kalvoro::win {
namespace {

namespace fs = std::filesystem;
using namespace kalvoro::testing;
using testing::ScheduledSteps;
using testing::TestWindow;
using testing::TestWindowOptions;

void ClickButton(HWND dialog, int id) {
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

std::wstring TextOf(HWND hwnd) {
    wchar_t text[256] = {};
    ::GetWindowTextW(hwnd, text, 256);
    return text;
}

std::string Utf8TextOf(HWND hwnd) {
    return Narrow(TextOf(hwnd));
}

HWND Dialog() {
    return ::FindWindowW(L"KalvoroSkinnedDialog", L"城市时间查询");
}

HWND PanelItem(HWND dialog, int id) {
    return ::GetDlgItem(::GetDlgItem(dialog, kWorldPanelId), id);
}

bool ChooseCountry(HWND dialog, const std::wstring& name) {
    const HWND combo = ::GetDlgItem(dialog, kWorldCountryComboId);
    const int index = static_cast<int>(
        ::SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(name.c_str())));
    if (index < 0) return false;
    ::SendMessageW(combo, CB_SETCURSEL, index, 0);
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(kWorldCountryComboId, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(combo));
    return true;
}

bool ChooseCity(HWND dialog, const std::wstring& alt_name) {
    const HWND list = ::GetDlgItem(dialog, kWorldCityListId);
    for (int row = 0; row < ListView_GetItemCount(list); ++row) {
        wchar_t text[128] = {};
        ListView_GetItemText(list, row, 1, text, 128);
        if (alt_name == text) {
            ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
            return true;
        }
    }
    return false;
}

// "2026年12月10日 20:00:01 (夏时制)" as a date-time; -1 when it is not that.
DateTime ParseTimeLine(const std::string& text) {
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
    if (std::sscanf(text.c_str(), "%d年%d月%d日 %d:%d:%d", &y, &mo, &d, &h, &mi, &s) != 6) return -1;
    if (!IsValidDate(y, mo, d)) return -1;
    return EncodeDate(y, mo, d) + EncodeTime(h, mi, s);
}

// What the window shows for a city now, as hours ahead of UTC (to the quarter hour).
double ShownOffset(HWND dialog) {
    const DateTime shown = ParseTimeLine(Utf8TextOf(PanelItem(dialog, kWorldTimeId)));
    if (shown < 0) return NAN;
    return std::round((shown - SystemUtcNow()) * 24 * 4) / 4;
}

struct Shown {
    bool panel = false;
    std::string heading, time, zone, place, dst_start, dst_end;
    bool dst_visible = false;
    double offset = NAN;
};

Shown Read(HWND dialog) {
    Shown shown;
    shown.panel = ::IsWindowVisible(::GetDlgItem(dialog, kWorldPanelId)) != FALSE;
    shown.heading = Utf8TextOf(PanelItem(dialog, kWorldHeadingId));
    shown.time = Utf8TextOf(PanelItem(dialog, kWorldTimeId));
    shown.zone = Utf8TextOf(PanelItem(dialog, kWorldZoneId));
    shown.place = Utf8TextOf(PanelItem(dialog, kWorldPlaceId));
    shown.dst_start = Utf8TextOf(PanelItem(dialog, kWorldDstStartId));
    shown.dst_end = Utf8TextOf(PanelItem(dialog, kWorldDstEndId));
    shown.dst_visible =
        ::IsWindowVisible(PanelItem(dialog, kWorldDstStartId)) && ::IsWindowVisible(PanelItem(dialog, kWorldDstEndId));
    shown.offset = ShownOffset(dialog);
    return shown;
}

class WorldTimeWindow : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH];
        ::GetTempPathW(MAX_PATH, temp);
        dir_ = fs::path(temp) / ("kalvoro-worldtime-" + std::to_string(::GetCurrentProcessId()));
        fs::create_directories(dir_);
        TestWindowOptions options;
        options.rect = {100, 100, 432, 134};
        owner = std::make_unique<TestWindow>(options);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
    }
    std::string AppDir() const { return Narrow(dir_.wstring()) + "\\"; }
    void ShipCityList() const {
        const auto shipped =
            DiskFileStore().ReadAll(std::string(KALVORO_SOURCE_DIR) + "/resources/timesvc/TimeZone.lst");
        ASSERT_TRUE(shipped);
        DiskFileStore().WriteAtomic(AppDir() + kTimeZoneFileName, *shipped);
    }

    std::unique_ptr<TestWindow> owner;
    fs::path dir_;
};

TEST_F(WorldTimeWindow, OpensOnTheFirstCountryAndShowsTheSelectedCitysTime) {
    ShipCityList();
    int countries = 0;
    std::wstring first_country;
    int first_rows = 0;
    Shown beijing, new_york, london, sydney, after_without_rules;
    bool closed_by_button = false;
    ScheduledSteps steps({[&] {
                              const HWND dialog = Dialog();
                              ASSERT_NE(dialog, nullptr);
                              const HWND combo = ::GetDlgItem(dialog, kWorldCountryComboId);
                              countries = static_cast<int>(::SendMessageW(combo, CB_GETCOUNT, 0, 0));
                              first_country = TextOf(combo);
                              first_rows = ListView_GetItemCount(::GetDlgItem(dialog, kWorldCityListId));
                              beijing = Read(dialog);
                              e2e::SaveSnapshot(e2e::CaptureWindow(dialog), L"world_time_beijing");
                          },
                          [&] {
                              const HWND dialog = Dialog();
                              ChooseCountry(dialog, L"美国");
                              ChooseCity(dialog, L"New York");
                              new_york = Read(dialog);
                              ChooseCountry(dialog, L"英国");
                              ChooseCity(dialog, L"London");
                              london = Read(dialog);
                              ChooseCountry(dialog, L"澳大利亚");
                              ChooseCity(dialog, L"Sydney");
                              sydney = Read(dialog);
                          },
                          [&] { e2e::SaveSnapshot(e2e::CaptureWindow(Dialog()), L"world_time_sydney"); },
                          [&] {
                              const HWND dialog = Dialog();
                              ChooseCity(dialog, L"Brisbane");  // same country, no daylight-saving time
                              after_without_rules = Read(dialog);
                              closed_by_button = true;
                              ClickButton(dialog, IDCANCEL);
                          }},
                         150);
    ShowWorldTime(owner->hwnd(), {AppDir(), nullptr, 0});
    EXPECT_TRUE(closed_by_button);
    EXPECT_EQ(Dialog(), nullptr);

    EXPECT_GE(countries, 100);
    EXPECT_EQ(first_country, L"中国");
    EXPECT_GE(first_rows, 5);

    EXPECT_TRUE(beijing.panel);
    EXPECT_EQ(beijing.heading, "中国 - 北京 Beijing");
    EXPECT_EQ(beijing.zone, "时区: 北京时间 UTC+08:00");
    EXPECT_EQ(beijing.place, "位置: 北纬39°54′ 东经116°23′");
    EXPECT_FALSE(beijing.dst_visible);
    EXPECT_EQ(beijing.offset, 8);

    // The offsets the countries' laws give right now.
    const DateTime now = SystemUtcNow();
    const int year = DecodeDate(now).year;
    EXPECT_EQ(new_york.heading, "美国 - 纽约 New York");
    EXPECT_TRUE(new_york.dst_visible);
    EXPECT_EQ(new_york.offset, NewYorkOffset(now, year)) << new_york.time;
    EXPECT_EQ(new_york.time.find("(夏时制)") != std::string::npos, NewYorkOffset(now, year) == -4) << new_york.time;
    EXPECT_EQ(london.offset, LondonOffset(now, year)) << london.time;
    EXPECT_EQ(sydney.offset, SydneyOffset(now, year)) << sydney.time;
    EXPECT_EQ(sydney.time.find("(夏时制)") != std::string::npos, SydneyOffset(now, year) == 11) << sydney.time;
    EXPECT_EQ(sydney.dst_start.rfind("夏时制开始日期: ", 0), 0u) << sydney.dst_start;

    EXPECT_TRUE(after_without_rules.panel);
    EXPECT_FALSE(after_without_rules.dst_visible);
    EXPECT_EQ(after_without_rules.time.find("(夏时制)"), std::string::npos);
    EXPECT_EQ(after_without_rules.offset, 10);
}

TEST_F(WorldTimeWindow, AnotherYearTakesTheSystemsRules) {
    ShipCityList();
    // The file names its year; a window opened in the next year works the dates out from the
    // system's rules for "Eastern Standard Time": 14 March and 7 November 2027.
    const int data_year = ReadTimeZoneList(*DiskFileStore().ReadAll(AppDir() + kTimeZoneFileName), 2026).DataYear;
    const int next_year = data_year + 1;
    Shown new_york;
    ScheduledSteps steps({[&] {
        const HWND dialog = Dialog();
        ChooseCountry(dialog, L"美国");
        ChooseCity(dialog, L"New York");
        new_york = Read(dialog);
        ClickButton(dialog, IDCANCEL);
    }});
    ShowWorldTime(owner->hwnd(),
                  {AppDir(), [=] { return EncodeDate(next_year, 7, 1) + EncodeTime(12, 0, 0); }, next_year});
    const DateTime start = EncodeDate(next_year, 3, SundayOf(next_year, 3, 2));
    const DateTime end = EncodeDate(next_year, 11, SundayOf(next_year, 11, 1));
    EXPECT_EQ(new_york.dst_start, "夏时制开始日期: " + FormatDateTime("yyyy年mm月dd日", start) + " 02:00");
    EXPECT_EQ(new_york.dst_end, "夏时制结束日期: " + FormatDateTime("yyyy年mm月dd日", end) + " 02:00");
    EXPECT_NE(new_york.time.find("(夏时制)"), std::string::npos);
}

TEST_F(WorldTimeWindow, MissingOrBrokenListsOpenEmpty) {
    for (const char* content :
         {static_cast<const char*>(nullptr), "8|中国|Beijing|北京\r\n1|法国|Paris|巴黎|||2/30 2:00|"}) {
        if (content) DiskFileStore().WriteAtomic(AppDir() + kTimeZoneFileName, Utf8ToGbk(content));
        int countries = -1, rows = -1;
        bool panel = true;
        ScheduledSteps steps({[&] {
            const HWND dialog = Dialog();
            countries = static_cast<int>(::SendDlgItemMessageW(dialog, kWorldCountryComboId, CB_GETCOUNT, 0, 0));
            rows = ListView_GetItemCount(::GetDlgItem(dialog, kWorldCityListId));
            panel = ::IsWindowVisible(::GetDlgItem(dialog, kWorldPanelId)) != FALSE;
            ClickButton(dialog, IDCANCEL);
        }});
        ShowWorldTime(owner->hwnd(), {AppDir(), nullptr, 0});
        EXPECT_EQ(countries, 0);
        EXPECT_EQ(rows, 0);
        EXPECT_FALSE(panel);
    }
}

}  // namespace
}  // namespace kalvoro::win
