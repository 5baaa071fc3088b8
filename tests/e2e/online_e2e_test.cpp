// The online extras as the bar offers them: the weather window in display mode 3, the about
// window, and the update notice from other programs.

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base/gbk.h"
#include "e2e/app_under_test.h"

namespace kalvoro::e2e {
namespace {

using namespace std::chrono_literals;

constexpr int kCompactItem = 1000 + 0;  // 精简 in the main menu
constexpr int kWeatherItem = 1000 + 3;  // 天气
constexpr int kAboutItem = 2000 + 16;   // 关于 in the tray menu

HWND VisibleWindow(const AppUnderTest& app, const wchar_t* class_name) {
    const auto found = app.WindowsOfClass(class_name);
    return found.empty() ? nullptr : found.front();
}

RECT RectOf(HWND window) {
    RECT r{};
    ::GetWindowRect(window, &r);
    return r;
}

TEST(OnlineTest, WeatherModeDocksTheWeatherWindowUnderTheBar) {
    AppUnderTest app;
    app.WriteSettings(
        "[SKIN]\r\nSkinFile=Default.sk\r\n[BAR]\r\nDefWin=0\r\nLeft=300\r\nTop=40\r\n[MSG]\r\n"
        "CalendarLX=0\r\n");
    ASSERT_TRUE(app.Start());
    ::PostMessageW(app.bar(), WM_COMMAND, kWeatherItem, 0);
    HWND weather = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (weather = VisibleWindow(app, L"TFrmWeather")) != nullptr; }));
    const RECT bar = RectOf(app.bar());
    EXPECT_EQ(RectOf(weather).left, bar.left);
    EXPECT_EQ(RectOf(weather).top, bar.bottom);
    ::PostMessageW(app.bar(), WM_COMMAND, kCompactItem, 0);
    EXPECT_TRUE(WaitFor([&] { return VisibleWindow(app, L"TFrmWeather") == nullptr; }));
    ::PostMessageW(app.bar(), WM_COMMAND, kWeatherItem, 0);
    ASSERT_TRUE(WaitFor([&] { return VisibleWindow(app, L"TFrmWeather") != nullptr; }));
    ASSERT_TRUE(app.Close());
    EXPECT_NE(app.ReadSettings().find("Index=3"), std::string::npos);
}

BOOL CALLBACK FindText(HWND hwnd, LPARAM lparam) {
    wchar_t text[64] = {};
    ::GetWindowTextW(hwnd, text, 64);
    if (std::wstring(text) == L"V3.7.8") {
        *reinterpret_cast<bool*>(lparam) = true;
        return FALSE;
    }
    return TRUE;
}

TEST(OnlineTest, AboutShowsTheVersion) {
    AppUnderTest app;
    app.WriteSettings("[BAR]\r\nDefWin=0\r\n[MSG]\r\nCalendarLX=0\r\n");
    ASSERT_TRUE(app.Start());
    ::PostMessageW(app.bar(), WM_COMMAND, kAboutItem, 0);
    HWND about = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (about = ::FindWindowW(L"KalvoroSkinnedDialog", L"关于")) != nullptr; }));
    bool found = false;
    ::EnumChildWindows(about, FindText, reinterpret_cast<LPARAM>(&found));
    EXPECT_TRUE(found);
    ::PostMessageW(about, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitFor([&] { return ::FindWindowW(L"KalvoroSkinnedDialog", L"关于") == nullptr; }));
    EXPECT_TRUE(app.Close());
}

// 0x0401 from another program carries a pointer into that program's memory: it is ignored, and the
// bar goes on. The same notice over WM_COPYDATA (three lines: a new version) has the popup program
// announce the new version, and "Upgrade.his" records when.
TEST(OnlineTest, UpdateNoticeOnlyThroughCopyData) {
    AppUnderTest app;
    app.UsePopupDouble();
    app.WriteSettings("[BAR]\r\nDefWin=0\r\n[MSG]\r\nCalendarLX=0\r\n");
    ASSERT_TRUE(app.Start());
    for (const LPARAM garbage : {LPARAM{0}, LPARAM{1}, LPARAM{0x12345678}, static_cast<LPARAM>(-1)}) {
        ::PostMessageW(app.bar(), 0x0401, 0, garbage);
    }
    PumpFor(1s);
    EXPECT_TRUE(app.Running());
    EXPECT_TRUE(ReadFileBytes(app.PathOf(L"Upgrade.his")).empty());

    std::string text = Utf8ToGbk("Kalvoro 3.8.0\r\n新版本已发布\r\n请到主页下载");
    text.push_back('\0');
    COPYDATASTRUCT data{0x0401, static_cast<DWORD>(text.size()), text.data()};
    DWORD_PTR result = 0;
    ::SendMessageTimeoutW(app.bar(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, 10000, &result);
    EXPECT_TRUE(WaitFor([&] { return !ReadFileBytes(app.PathOf(L"Upgrade.his")).empty(); }));
    EXPECT_TRUE(WaitFor([&] {
        return ReadFileBytes(app.PathOf(L"popup_received.bin")).find(Utf8ToGbk("Kalvoro有新版本啦，快来升级吧!")) !=
               std::string::npos;
    }));
    EXPECT_TRUE(app.Close());
}

}  // namespace
}  // namespace kalvoro::e2e
