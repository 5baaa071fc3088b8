// The bar as a user meets it: start, second start, "/hide", placement from "skin.ini", position
// saving, closing, help, menus.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "e2e/app_under_test.h"
#include "e2e/dialog_driver.h"
#include "e2e/pixels.h"

namespace kalvoro::e2e {
namespace {

using namespace std::chrono_literals;

int ScreenWidth() {
    return ::GetSystemMetrics(SM_CXSCREEN);
}

RECT BarRect(HWND bar) {
    RECT r{};
    ::GetWindowRect(bar, &r);
    return r;
}

BYTE BarAlpha(HWND bar) {
    BYTE alpha = 0;
    COLORREF key = 0;
    DWORD flags = 0;
    ::GetLayeredWindowAttributes(bar, &key, &alpha, &flags);
    return alpha;
}

TEST(BarTest, StartsAsBorderlessBarAndClosesSavingItsState) {
    AppUnderTest app;
    app.WriteSettings("[BAR]\r\nLeft=100\r\nTop=50\r\nTr=230\r\nDefWin=0\r\n");
    ASSERT_TRUE(app.Start());
    ASSERT_TRUE(WaitFor([&] { return ::IsWindowVisible(app.bar()); }));
    const RECT r = BarRect(app.bar());
    EXPECT_EQ(r.right - r.left, 332);
    EXPECT_EQ(r.bottom - r.top, 34);
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.top, 50);
    const LONG style = ::GetWindowLongW(app.bar(), GWL_STYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_THICKFRAME), 0);
    EXPECT_NE(::GetWindowLongW(app.bar(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);
    EXPECT_EQ(BarAlpha(app.bar()), 230);

    PumpFor(1500ms);
    const Pixels shot = CaptureWindow(app.bar());
    ASSERT_EQ(shot.width, 332);
    SaveSnapshot(shot, L"bar");

    ::SetWindowPos(app.bar(), nullptr, 140, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(app.Close());
    const std::string ini = app.ReadSettings();
    EXPECT_NE(ini.find("Index=0"), std::string::npos) << ini;
    EXPECT_NE(ini.find("Left=140"), std::string::npos) << ini;
    EXPECT_NE(ini.find("Top=60"), std::string::npos) << ini;
    EXPECT_NE(ini.find("Tr=230"), std::string::npos) << ini;
}

TEST(BarTest, PlacementAndAlphaFromSettings) {
    struct Case {
        const char* settings;
        int left;  // INT_MIN: flush with the right edge
        int top;
        int alpha;
    } const cases[] = {
        {"[BAR]\r\nLeft=99999\r\n", INT_MIN, 0, 200},
        {"[BAR]\r\nLeft=-50\r\nTop=-10\r\n", -50, 0, 200},
        {"[bar]\r\nleft=20\r\ntop=30\r\ntr=0x80\r\n", 20, 30, 128},
        {"\x01\x02garbage\xff\xfe[[[\r\n=\r\n", INT_MIN, 0, 200},
    };
    for (const Case& c : cases) {
        AppUnderTest app;
        app.WriteSettings(c.settings);
        ASSERT_TRUE(app.Start()) << c.settings;
        const RECT r = BarRect(app.bar());
        EXPECT_EQ(r.left, c.left == INT_MIN ? ScreenWidth() - 332 : c.left) << c.settings;
        EXPECT_EQ(r.top, c.top) << c.settings;
        EXPECT_EQ(BarAlpha(app.bar()), c.alpha) << c.settings;
        EXPECT_TRUE(app.Close());
    }
}

TEST(BarTest, MovedBarHasItsPositionSavedWithinTwoSeconds) {
    AppUnderTest app;
    ASSERT_TRUE(app.Start());
    ::SetWindowPos(app.bar(), nullptr, 222, 111, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(WaitFor(
        [&] {
            const std::string ini = app.ReadSettings();
            return ini.find("Left=222") != std::string::npos && ini.find("Top=111") != std::string::npos;
        },
        5s));
    app.Kill();  // the position is on disk even when the program never closes
    const std::string ini = app.ReadSettings();
    EXPECT_NE(ini.find("Left=222"), std::string::npos);
}

TEST(BarTest, HideSwitchAgainstOnStartHide) {
    struct Case {
        const wchar_t* arguments;
        int on_start_hide;
        bool hidden;
    } const cases[] = {
        {L"/hide", 1, true},
        {L"\"  /HIDE \"", 1, true},
        {L"/hide", 0, false},
        {L"", 1, false},
    };
    for (const Case& c : cases) {
        AppUnderTest app;
        app.WriteSettings("[BAR]\r\nDefWin=0\r\nOnStartHide=" + std::to_string(c.on_start_hide) + "\r\n");
        ASSERT_TRUE(app.Start(c.arguments));
        PumpFor(2500ms);  // the start child, then a second's pause, then the hide
        EXPECT_EQ(::IsWindowVisible(app.bar()) == FALSE, c.hidden) << static_cast<int>(c.hidden);
        EXPECT_TRUE(app.Close());
    }
}

// Started hidden, the bar goes to the tray and then says so in the tray's balloon: the balloon
// waits for the hide, or it would be skipped for a bar that was still showing. The program logs
// the balloons it asks for (KALVORO_BALLOON_LOG).
TEST(BarTest, HiddenStartShowsTheStartBalloonOnceTheBarIsHidden) {
    AppUnderTest app;
    const std::wstring log = app.PathOf(L"balloons.log");
    ScopedEnvironment balloon_log(L"KALVORO_BALLOON_LOG", log);
    // No mark reminder at start: the start-up message is the balloon.
    app.WriteSettings("[BAR]\r\nDefWin=0\r\nOnStartHide=1\r\n[MSG]\r\nCalendarLX=0\r\n");
    ASSERT_TRUE(app.Start(L"/hide"));
    ASSERT_TRUE(WaitFor([&] { return !ReadFileBytes(log).empty(); }, 20s));
    EXPECT_FALSE(::IsWindowVisible(app.bar())) << "the balloon came while the bar was still showing";
    const std::string line = ReadFileBytes(log);
    EXPECT_EQ(line.rfind("Kalvoro ", 0), 0u) << line;  // the title, with the version
    EXPECT_NE(line.find("\t公历: "), std::string::npos) << line;
    EXPECT_EQ(line.find('\t'), line.rfind('\t')) << "one balloon: " << line;
    EXPECT_TRUE(app.Close());
}

TEST(BarTest, DisplayChangeBringsABarLeftOffScreenBack) {
    AppUnderTest app;
    ASSERT_TRUE(app.Start());
    ::SetWindowPos(app.bar(), nullptr, 5000, 4000, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::SendMessageW(app.bar(), WM_DISPLAYCHANGE, 32, MAKELPARAM(ScreenWidth(), ::GetSystemMetrics(SM_CYSCREEN)));
    const RECT r = BarRect(app.bar());
    EXPECT_LE(r.right, ScreenWidth());
    EXPECT_LE(r.bottom, ::GetSystemMetrics(SM_CYSCREEN));
    EXPECT_GE(r.left, 0);
    EXPECT_TRUE(app.Close());
}

TEST(BarTest, SecondStartRestoresTheFirstAndLeavesNoWindow) {
    AppUnderTest app;
    // No mark reminder at start: the start-up message is the balloon.
    app.WriteSettings("[BAR]\r\nDefWin=0\r\nOnStartHide=1\r\n[MSG]\r\nCalendarLX=0\r\n");
    ASSERT_TRUE(app.Start(L"/hide"));
    ASSERT_TRUE(WaitFor([&] { return !::IsWindowVisible(app.bar()); }, 5s));
    EXPECT_EQ(app.StartSecondCopy(), 0u);
    EXPECT_TRUE(WaitFor([&] { return ::IsWindowVisible(app.bar()) != FALSE; }, 5s));
    EXPECT_EQ(::FindWindowW(L"TFrmLED", nullptr), app.bar());
    EXPECT_TRUE(app.Close());
}

TEST(BarTest, StaleInstanceBlockDoesNotKeepTheProgramFromStarting) {
    // A block naming a window that no longer exists, as a crashed first copy leaves it.
    HANDLE block = ::CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 4,
                                        L"{890B9BDE-EEE5-41EC-A4B8-F217ABDC0D17}");
    ASSERT_NE(block, nullptr);
    auto* view = static_cast<volatile DWORD*>(::MapViewOfFile(block, FILE_MAP_ALL_ACCESS, 0, 0, 4));
    ASSERT_NE(view, nullptr);
    *view = 0x00BADBAD;
    AppUnderTest app;
    EXPECT_TRUE(app.Start());
    EXPECT_TRUE(app.Close());
    ::UnmapViewOfFile(const_cast<DWORD*>(view));
    ::CloseHandle(block);
}

// After a crash the block can name a window of another program; a new start must neither restore
// that window nor refuse to start.
TEST(BarTest, InstanceBlockNamingAForeignWindowIsNotRestored) {
    const HWND foreign =
        ::CreateWindowExW(0, L"STATIC", L"foreign", WS_POPUP, 10, 10, 50, 20, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(foreign, nullptr);
    HANDLE block = ::CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 4,
                                        L"{890B9BDE-EEE5-41EC-A4B8-F217ABDC0D17}");
    ASSERT_NE(block, nullptr);
    auto* view = static_cast<volatile DWORD*>(::MapViewOfFile(block, FILE_MAP_ALL_ACCESS, 0, 0, 4));
    ASSERT_NE(view, nullptr);
    *view = static_cast<DWORD>(reinterpret_cast<std::uintptr_t>(foreign));
    AppUnderTest app;
    EXPECT_TRUE(app.Start());
    EXPECT_FALSE(::IsWindowVisible(foreign));
    EXPECT_TRUE(app.Close());
    ::UnmapViewOfFile(const_cast<DWORD*>(view));
    ::CloseHandle(block);
    ::DestroyWindow(foreign);
}

// Two starts at once (the second while the first is still starting up) give one bar.
int VisibleBars() {
    int count = 0;
    HWND window = nullptr;
    while ((window = ::FindWindowExW(nullptr, window, L"TFrmLED", nullptr)) != nullptr) {
        if (::IsWindowVisible(window)) ++count;
    }
    return count;
}

TEST(BarTest, TwoStartsAtOnceGiveOneBar) {
    AppUnderTest app;
    app.WriteSettings("[BAR]\r\nDefWin=0\r\n");
    win::KernelHandle first(app.LaunchOnly());
    win::KernelHandle second(app.LaunchOnly());
    ASSERT_TRUE(first && second);
    const auto ended = [](const win::KernelHandle& p) { return ::WaitForSingleObject(p.get(), 0) == WAIT_OBJECT_0; };
    ASSERT_TRUE(WaitFor([&] { return ended(first) || ended(second); }, 30s));
    ASSERT_TRUE(WaitFor([&] { return VisibleBars() == 1; }, 30s));
    PumpFor(1s);
    EXPECT_EQ(VisibleBars(), 1);
    EXPECT_FALSE(ended(first) && ended(second));
    ::PostMessageW(::FindWindowW(L"TFrmLED", nullptr), WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitFor([&] { return ended(first) && ended(second); }, 30s));
}

// A position save that fails (the file locked) is tried again until it succeeds.
TEST(BarTest, FailedPositionSaveIsRetried) {
    AppUnderTest app;
    app.WriteSettings("[BAR]\r\nDefWin=0\r\nLeft=100\r\nTop=100\r\n");
    ASSERT_TRUE(app.Start());
    HANDLE lock = ::CreateFileW(app.PathOf(L"skin.ini").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    ::SetWindowPos(app.bar(), nullptr, 200, 300, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    PumpFor(std::chrono::milliseconds(4500));  // two save ticks pass while the file is locked
    ::CloseHandle(lock);
    EXPECT_TRUE(WaitFor([&] {
        const std::string text = app.ReadSettings();
        return text.find("Left=200") != std::string::npos && text.find("Top=300") != std::string::npos;
    }));
    app.Kill();
}

struct DialogSearch {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK FindWarning(HWND hwnd, LPARAM lparam) {
    auto& search = *reinterpret_cast<DialogSearch*>(lparam);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    wchar_t title[64] = {};
    ::GetWindowTextW(hwnd, title, 64);
    if (pid == search.pid && std::wstring(title) == L"警告" && ::IsWindowVisible(hwnd)) {
        search.found = hwnd;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK FindStaticText(HWND hwnd, LPARAM lparam) {
    wchar_t text[128] = {};
    ::GetWindowTextW(hwnd, text, 128);
    if (std::wstring(text).find(L"文件不存在") != std::wstring::npos) {
        *reinterpret_cast<std::wstring*>(lparam) = text;
        return FALSE;
    }
    return TRUE;
}

TEST(BarTest, HelpWithoutItsFileShowsTheWarning) {
    AppUnderTest app;
    ::DeleteFileW(app.PathOf(L"KalvoroHelp.chm").c_str());
    ASSERT_TRUE(app.Start());
    // 帮助 of the tray menu: command ids number the rows of the menu table.
    ::PostMessageW(app.bar(), WM_COMMAND, MAKEWPARAM(2000 + 15, 0), 0);
    DialogSearch search{app.process_id(), nullptr};
    ASSERT_TRUE(WaitFor([&] {
        search.found = nullptr;
        ::EnumWindows(FindWarning, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
    }));
    std::wstring text;
    ::EnumChildWindows(search.found, FindStaticText, reinterpret_cast<LPARAM>(&text));
    EXPECT_EQ(text, L"\"KalvoroHelp.chm\" 文件不存在。");
    PumpFor(500ms);
    SaveSnapshot(CaptureScreen(RECT{0, 0, ScreenWidth(), ::GetSystemMetrics(SM_CYSCREEN)}), L"help-warning");
    ::PostMessageW(search.found, WM_CLOSE, 0, 0);
    EXPECT_TRUE(app.Close());
}

}  // namespace
}  // namespace kalvoro::e2e
