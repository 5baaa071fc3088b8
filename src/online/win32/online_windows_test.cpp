#include <gtest/gtest.h>

#include <memory>

#include "calendar/win32/testing/calendar_window_test_support.h"
#include "e2e/pixels.h"
#include "online/weather_page.h"
#include "online/win32/frm_about.h"
#include "online/win32/frm_home_page.h"
#include "online/win32/frm_weather.h"
#include "online/win32/shell_actions.h"
#include "ui/win32/testing/test_window.h"
#include "ui/win32/ui_globals.h"

namespace kalvoro::win {
namespace {

using testing::Click;
using testing::FindDialog;
using testing::ItemText;
using testing::PumpMessages;
using testing::ScheduledSteps;
using testing::TempAppFolder;
using testing::TestWindow;
using testing::TestWindowOptions;

class OnlineWindowsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ShadowsOnFlag() = true;
        TestWindowOptions options;
        options.rect = {100, 100, 432, 134};
        owner = std::make_unique<TestWindow>(options);
    }
    void TearDown() override { ShadowsOnFlag() = false; }
    std::unique_ptr<TestWindow> owner;
};

void Snapshot(HWND window, const wchar_t* name) {
    PumpMessages();
    // Only what is still pending: a fresh invalidation would be captured half composed.
    ::RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    e2e::SaveSnapshot(e2e::CaptureWindow(window), name);
}

TEST_F(OnlineWindowsTest, AboutShowsTheBuildVersionTheLogoAndTheMailLink) {
    EXPECT_EQ(AboutVersionText(), "V3.7.8");
    std::string version;
    std::string mail;
    bool has_logo = false;
    RECT rect{};
    ScheduledSteps steps({[&] {
        const HWND dialog = FindDialog(L"关于");
        version = ItemText(dialog, kAboutVersionId);
        mail = ItemText(dialog, kAboutMailId);
        has_logo = ::SendDlgItemMessageW(dialog, kAboutLogoId, STM_GETIMAGE, IMAGE_BITMAP, 0) != 0;
        ::GetWindowRect(dialog, &rect);
        Snapshot(dialog, L"online_about");
        Click(dialog, IDOK);
    }});
    ShowAbout(owner->hwnd());
    EXPECT_EQ(version, "V3.7.8");
    EXPECT_NE(mail.find('@'), std::string::npos);
    EXPECT_TRUE(has_logo);
    EXPECT_EQ(rect.right - rect.left, 332);
    EXPECT_EQ(rect.bottom - rect.top, 246);
    EXPECT_EQ(FindDialog(L"关于"), nullptr);
}

TEST_F(OnlineWindowsTest, HomePageOfferShowsBothAddressesAndAnswersOkOrCancel) {
    std::string current;
    std::string proposed;
    ScheduledSteps accept({[&] {
        const HWND dialog = FindDialog(L"赞助软件作者");
        current = ItemText(dialog, kHomePageCurrentLinkId);
        proposed = ItemText(dialog, kHomePageNewLinkId);
        Snapshot(dialog, L"online_home_page");
        Click(dialog, IDOK);
    }});
    EXPECT_TRUE(ShowHomePageOffer(owner->hwnd(), "http://old.example.org/", "http://new.example.org/"));
    EXPECT_EQ(current, "当前主页: http://old.example.org/");
    EXPECT_EQ(proposed, "修改为: http://new.example.org/");

    ScheduledSteps cancel({[] { Click(FindDialog(L"赞助软件作者"), IDCANCEL); }});
    EXPECT_FALSE(ShowHomePageOffer(owner->hwnd(), "", "http://new.example.org/"));
}

TEST_F(OnlineWindowsTest, StartPageRoundTripsThroughTheRegistry) {
    const std::wstring key = L"Software\\KalvoroTest\\StartPage" + std::to_wstring(::GetCurrentProcessId());
    RegistryStartPage page(key);
    EXPECT_EQ(page.Read(), "");
    ASSERT_TRUE(page.Write("http://主页.example.org/"));
    EXPECT_EQ(page.Read(), "http://主页.example.org/");
    ::RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
}

class WeatherWindowTest : public OnlineWindowsTest {
protected:
    FakeClock clock{EncodeDate(2026, 12, 10) + EncodeTime(23, 59, 0)};
    TempAppFolder folder;
};

TEST_F(WeatherWindowTest, WithoutABrowserControlThePanelSaysSoAndOffersRefresh) {
    TFrmWeather weather(clock);
    ASSERT_TRUE(
        weather.Create(owner->hwnd(), folder.AppDir(), "宋体", "http://127.0.0.1:9/Weather_Kalvoro.htm", "Default.sk"));
    // The test prefix runs without the HTML engine.
    EXPECT_FALSE(weather.BrowserAvailable());
    EXPECT_EQ(weather.PanelMessage(), kWeatherUnavailableText);
    EXPECT_EQ(weather.PageLoads(), 1);
    weather.ShowAt(200, 200, 255);
    EXPECT_TRUE(weather.IsVisible());
    const RECT rect = weather.WindowRect();
    EXPECT_EQ(rect.right - rect.left, 332);
    EXPECT_EQ(rect.bottom - rect.top, 160);
    RECT panel{};
    ::GetClientRect(weather.Panel(), &panel);
    EXPECT_EQ(panel.right, 320);
    EXPECT_EQ(panel.bottom, 109);
    // The panel's line is drawn: dark text pixels in its middle band on white.
    const auto dark_pixels = [&] {
        const e2e::Pixels pixels = e2e::CaptureWindow(weather.Panel());
        int dark = 0;
        for (int y = 30; y < 80 && y < pixels.height; ++y) {
            for (int x = 0; x < pixels.width; ++x) dark += (pixels.At(x, y) & 0xFF) < 0xC0;
        }
        return dark;
    };
    const ULONGLONG started = ::GetTickCount64();
    while (dark_pixels() <= 20 && ::GetTickCount64() - started < 10000) {
        PumpMessages();
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
    EXPECT_GT(dark_pixels(), 20);
    Snapshot(weather.hwnd(), L"online_weather");

    // The same day: no second load. After midnight: loaded again on show.
    weather.HideWindow();
    weather.ShowAt(200, 200, 255);
    EXPECT_EQ(weather.PageLoads(), 1);
    weather.HideWindow();
    EXPECT_FALSE(weather.IsVisible());
    clock.AdvanceSeconds(120);
    weather.ShowAt(200, 200, 255);
    EXPECT_EQ(weather.PageLoads(), 2);
    EXPECT_EQ(weather.LoadedDate(), EncodeDate(2026, 12, 11));

    weather.RunMenuCommand(TFrmWeather::kRefreshId);
    EXPECT_EQ(weather.PageLoads(), 3);
    EXPECT_EQ(weather.PanelMessage(), kWeatherUnavailableText);

    std::vector<int> modes;
    int world_time = 0;
    weather.OnSwitchMode = [&](int mode) { modes.push_back(mode); };
    weather.OnWorldTime = [&] { ++world_time; };
    weather.RunMenuCommand(TFrmWeather::kClockModeId);
    weather.RunMenuCommand(TFrmWeather::kCalendarModeId);
    weather.RunMenuCommand(TFrmWeather::kWorldTimeId);
    EXPECT_EQ(modes, (std::vector<int>{2, 1}));
    EXPECT_EQ(world_time, 1);
    weather.RunMenuCommand(TFrmWeather::kCloseId);
    EXPECT_FALSE(weather.IsVisible());
    EXPECT_TRUE(weather.IsAlive());
}

TEST_F(WeatherWindowTest, WithoutAnAddressNothingIsFetched) {
    TFrmWeather weather(clock);
    ASSERT_TRUE(weather.Create(owner->hwnd(), folder.AppDir(), "宋体", "", "Default.sk"));
    EXPECT_EQ(weather.PanelMessage(), kWeatherNoAddressText);
    EXPECT_FALSE(weather.BrowserAvailable());
}

TEST_F(WeatherWindowTest, WithoutASkinTheWindowKeepsItsOwnLook) {
    TempAppFolder bare(false);
    TFrmWeather weather(clock);
    ASSERT_TRUE(weather.Create(owner->hwnd(), bare.AppDir(), "宋体", "", "Default.sk"));
    weather.ShowAt(200, 200, 255);
    const RECT rect = weather.WindowRect();
    EXPECT_EQ(rect.right - rect.left, 332);
    EXPECT_EQ(rect.bottom - rect.top, 160);
    Snapshot(weather.hwnd(), L"online_weather_unskinned");
}

}  // namespace
}  // namespace kalvoro::win
