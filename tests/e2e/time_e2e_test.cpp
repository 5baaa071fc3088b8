// Network time and world time in the real program: TIME/AutoChcek against a Time Protocol server
// on 127.0.0.1 (the clock is never set: KALVORO_DRY_SET_TIME makes the program log the time it
// would set), the settings dialog ending the synchronisation thread, and 城市时间查询 showing the
// time of cities as the Linux time-zone database has it right now.

#include <winsock2.h>
#include <ws2tcpip.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "app/win32/frm_options.h"
#include "base/gbk.h"
#include "base/win32/text.h"
#include "e2e/app_under_test.h"
#include "e2e/pixels.h"
#include "e2e/process_threads.h"
#include "e2e/unix_side.h"
#include "timesvc/win32/frm_world_time.h"

namespace kalvoro::e2e {
namespace {

using namespace std::chrono_literals;

constexpr int kWorldTimeItem = 1000 + 7;     // 城市时间查询 in the main menu
constexpr int kTimeOptionsItem = 1000 + 14;  // 系统设置 - 时间校正
constexpr const wchar_t* kDialogClass = L"KalvoroSkinnedDialog";
constexpr std::uint16_t kTimeProtocolPort = 37;
constexpr std::int64_t kSecondsFrom1900To1970 = 2208988800LL;

// Seconds since 1970 of the system's UTC clock.
std::int64_t UnixNow() {
    FILETIME now{};
    ::GetSystemTimeAsFileTime(&now);
    const std::uint64_t ticks = (static_cast<std::uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    return static_cast<std::int64_t>(ticks / 10000000ULL) - 11644473600LL;
}

// Seconds since 1970 of a calendar date and time, read as UTC; -1 when it is no date.
std::int64_t SecondsOf(int year, int month, int day, int hour, int minute, int second) {
    SYSTEMTIME time{};
    time.wYear = static_cast<WORD>(year);
    time.wMonth = static_cast<WORD>(month);
    time.wDay = static_cast<WORD>(day);
    time.wHour = static_cast<WORD>(hour);
    time.wMinute = static_cast<WORD>(minute);
    time.wSecond = static_cast<WORD>(second);
    FILETIME file{};
    if (!::SystemTimeToFileTime(&time, &file)) return -1;
    const std::uint64_t ticks = (static_cast<std::uint64_t>(file.dwHighDateTime) << 32) | file.dwLowDateTime;
    return static_cast<std::int64_t>(ticks / 10000000ULL) - 11644473600LL;
}

// "yyyy-mm-dd hh:mm:ss" at the start of the text; -1 when it is not there.
std::int64_t ParseDashedTime(const std::string& text) {
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
    if (std::sscanf(text.c_str(), "%4d-%2d-%2d %2d:%2d:%2d", &y, &mo, &d, &h, &mi, &s) != 6) return -1;
    return SecondsOf(y, mo, d, h, mi, s);
}

// The local wall clock as if it were UTC: seconds since 1970 of what a wall clock here shows.
std::int64_t LocalWallNow() {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    return SecondsOf(now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond);
}

// A Time Protocol (RFC 868) server on 127.0.0.1:37 in the test: each connection gets the current
// time as four big-endian bytes, seconds since 1900, and is closed.
class CurrentTimeServer {
public:
    CurrentTimeServer() {
        WSADATA data{};
        ::WSAStartup(MAKEWORD(2, 2), &data);
        listener_ = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(kTimeProtocolPort);
        listening_ = ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0 &&
                     ::listen(listener_, 4) == 0;
        if (listening_) thread_ = std::thread([this] { Serve(); });
    }
    ~CurrentTimeServer() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
        ::closesocket(listener_);
        ::WSACleanup();
    }
    CurrentTimeServer(const CurrentTimeServer&) = delete;
    CurrentTimeServer& operator=(const CurrentTimeServer&) = delete;

    bool listening() const { return listening_; }
    int answered() const { return answered_; }

private:
    void Serve() {
        while (!stop_) {
            fd_set set;
            FD_ZERO(&set);
            FD_SET(listener_, &set);
            timeval limit{0, 20000};
            if (::select(0, &set, nullptr, nullptr, &limit) <= 0) continue;
            const SOCKET client = ::accept(listener_, nullptr, nullptr);
            if (client == INVALID_SOCKET) continue;
            const auto seconds = static_cast<std::uint32_t>(UnixNow() + kSecondsFrom1900To1970);
            const char reply[4] = {static_cast<char>(seconds >> 24), static_cast<char>(seconds >> 16),
                                   static_cast<char>(seconds >> 8), static_cast<char>(seconds)};
            if (::send(client, reply, 4, 0) == 4) ++answered_;
            ::shutdown(client, SD_BOTH);
            ::closesocket(client);
        }
    }

    SOCKET listener_ = INVALID_SOCKET;
    bool listening_ = false;
    std::atomic<bool> stop_{false};
    std::atomic<int> answered_{0};
    std::thread thread_;
};

// KALVORO_DRY_SET_TIME for the programs this test starts.
class DrySetTime {
public:
    explicit DrySetTime(const std::wstring& log) { ::SetEnvironmentVariableW(L"KALVORO_DRY_SET_TIME", log.c_str()); }
    ~DrySetTime() { ::SetEnvironmentVariableW(L"KALVORO_DRY_SET_TIME", nullptr); }
    DrySetTime(const DrySetTime&) = delete;
    DrySetTime& operator=(const DrySetTime&) = delete;
};

HWND OpenDialog(AppUnderTest& app, int command) {
    ::PostMessageW(app.bar(), WM_COMMAND, static_cast<WPARAM>(command), 0);
    HWND dialog = nullptr;
    WaitFor([&] {
        const auto found = app.WindowsOfClass(kDialogClass);
        dialog = found.empty() ? nullptr : found.front();
        return dialog != nullptr;
    });
    return dialog;
}

std::string FirstLine(const std::string& text) {
    return text.substr(0, text.find("\r\n"));
}

// TIME/AutoChcek on, "TimeHost.lst" naming 127.0.0.1: the first attempt at start sets the time the
// server answers (logged, not set) and writes "TimeCheck.lst"; the thread then waits StepHour
// hours. Switching AutoChcek off in the settings dialog ends that wait at once.
TEST(TimeServicesTest, AutoCheckSyncsFromTheLocalServerAndSwitchingItOffEndsTheThread) {
    CurrentTimeServer server;
    ASSERT_TRUE(server.listening()) << "cannot listen on 127.0.0.1:37";
    AppUnderTest app;
    app.WriteSettings(
        "[BAR]\r\nDefWin=0\r\nLeft=300\r\nTop=40\r\n[MSG]\r\nCalendarLX=0\r\n[TIME]\r\nAutoChcek=1\r\nStepHour=1\r\n");
    WriteFileBytes(app.PathOf(L"TimeHost.lst"), "127.0.0.1\r\n");
    ::DeleteFileW(app.PathOf(L"TimeCheck.lst").c_str());
    const DrySetTime dry_run(app.PathOf(L"dry-set-time.log"));
    ASSERT_TRUE(app.Start());

    std::string history;
    ASSERT_TRUE(WaitFor([&] { return !(history = ReadFileBytes(app.PathOf(L"TimeCheck.lst"))).empty(); }, 60s));
    EXPECT_GE(server.answered(), 1);
    EXPECT_EQ(history.size(), 21u) << history;  // "yyyy-mm-dd hh:mm:ss" CR LF
    EXPECT_EQ(history.substr(history.size() - 2), "\r\n");
    const std::int64_t synced_at = ParseDashedTime(history);
    ASSERT_GE(synced_at, 0) << history;
    EXPECT_LE(std::llabs(synced_at - LocalWallNow()), 30) << history;
    // The time the program would have set: the server's, in UTC; the clock itself is untouched.
    const std::string logged = ReadFileBytes(app.PathOf(L"dry-set-time.log"));
    ASSERT_EQ(logged.size(), 25u) << logged;  // one line "yyyy-mm-dd hh:mm:ss UTC" CR LF
    EXPECT_EQ(FirstLine(logged).substr(19), " UTC");
    EXPECT_LE(std::llabs(ParseDashedTime(logged) - UnixNow()), 30) << logged;

    // The synchronisation thread now waits its hour; no other thread of the program's own runs.
    ASSERT_TRUE(WaitFor([&] { return RuntimeStartedThreads(app.process_id()) == 1; }, 20s))
        << RuntimeStartedThreads(app.process_id());

    const HWND dialog = OpenDialog(app, kTimeOptionsItem);
    ASSERT_NE(dialog, nullptr);
    const HWND auto_check = ::GetDlgItem(dialog, win::kOptAutoSync);
    ASSERT_EQ(::SendMessageW(auto_check, BM_GETCHECK, 0, 0), BST_CHECKED);
    ::SendMessageW(auto_check, BM_SETCHECK, BST_UNCHECKED, 0);
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(win::kOptAutoSync, BN_CLICKED), reinterpret_cast<LPARAM>(auto_check));
    ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(dialog); }));
    // An hour's wait ended within seconds.
    EXPECT_TRUE(WaitFor([&] { return RuntimeStartedThreads(app.process_id()) == 0; }, 5s))
        << RuntimeStartedThreads(app.process_id());
    EXPECT_NE(app.ReadSettings().find("AutoChcek=0"), std::string::npos) << app.ReadSettings();
    EXPECT_TRUE(app.Running());
    EXPECT_EQ(ReadFileBytes(app.PathOf(L"TimeCheck.lst")), history);
    EXPECT_TRUE(app.Close());
}

// What the Linux time-zone database says of a zone right now.
struct ZoneNow {
    int offset_minutes = 0;  // east of UTC
    bool daylight = false;   // later than the zone's standard offset of this year
};

int MinutesOf(const std::string& offset) {  // "+hhmm" / "-hhmm"
    if (offset.size() != 5 || (offset[0] != '+' && offset[0] != '-')) return 100000;
    const int minutes = std::stoi(offset.substr(1, 2)) * 60 + std::stoi(offset.substr(3, 2));
    return offset[0] == '-' ? -minutes : minutes;
}

// Asks date(1) with TZ set: the offset now and in mid-January and mid-July of this year (the smaller
// of those two is the standard offset, in the north and in the south alike).
std::map<std::string, ZoneNow> ZonesFromTzdata(const std::vector<std::string>& zones) {
    const std::wstring windows_out =
        std::wstring(L"Z:\\tmp\\kalvoro-e2e-zones-") + std::to_wstring(::GetCurrentProcessId()) + L".txt";
    const std::string out = UnixPathOf(windows_out);
    std::string script = "y=$(date -u +%Y)\n: > '" + out + "'\n";
    for (const std::string& zone : zones) {
        script += "echo " + zone + " $(TZ=" + zone + " date +%z) $(TZ=" + zone +
                  " date -d \"$y-01-15 12:00 UTC\" +%z) $(TZ=" + zone + " date -d \"$y-07-15 12:00 UTC\" +%z) >> '" +
                  out + "'\n";
    }
    std::map<std::string, ZoneNow> result;
    if (!RunUnixScript(script)) return result;
    std::istringstream lines(ReadFileBytes(windows_out));
    ::DeleteFileW(windows_out.c_str());
    std::string zone, now, january, july;
    while (lines >> zone >> now >> january >> july) {
        const int standard = std::min(MinutesOf(january), MinutesOf(july));
        result[zone] = {MinutesOf(now), MinutesOf(now) > standard};
    }
    return result;
}

std::wstring TextOf(HWND window) {
    wchar_t text[256] = {};
    ::GetWindowTextW(window, text, 256);
    return text;
}

// Chooses the country in the combo box as the user would, then walks the city list with the arrow
// key until the panel's heading names the city.
bool SelectCity(HWND dialog, const std::wstring& country, const std::wstring& city_english) {
    const HWND combo = ::GetDlgItem(dialog, win::kWorldCountryComboId);
    const LRESULT index =
        ::SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(country.c_str()));
    if (index == CB_ERR) return false;
    ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(win::kWorldCountryComboId, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(combo));
    const HWND list = ::GetDlgItem(dialog, win::kWorldCityListId);
    const HWND heading = ::GetDlgItem(::GetDlgItem(dialog, win::kWorldPanelId), win::kWorldHeadingId);
    const auto heading_names_city = [&] {
        const std::wstring text = TextOf(heading);
        return text.size() > city_english.size() + 1 &&
               text.compare(text.size() - city_english.size() - 1, std::wstring::npos, L" " + city_english) == 0;
    };
    for (int step = 0; step < 120; ++step) {
        if (WaitFor(heading_names_city, 300ms)) return true;
        ::SendMessageW(list, WM_KEYDOWN, VK_DOWN, 0);
        ::SendMessageW(list, WM_KEYUP, VK_DOWN, 0);
    }
    return false;
}

// "yyyy年mm月dd日 hh:nn:ss" at the start of the city's time line, as seconds; -1 when not there.
std::int64_t ParseCityTime(const std::wstring& line) {
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
    if (std::swscanf(line.c_str(), L"%4d年%2d月%2d日 %2d:%2d:%2d", &y, &mo, &d, &h, &mi, &s) != 6) return -1;
    return SecondsOf(y, mo, d, h, mi, s);
}

TEST(TimeServicesTest, WorldTimeShowsCitiesAsTheTimeZoneDatabaseHasThemNow) {
    struct City {
        const wchar_t* country;
        const wchar_t* english;
        const char* zone;
        const wchar_t* snapshot;
    } const cities[] = {
        {L"美国", L"New York", "America/New_York", nullptr},
        {L"英国", L"London", "Europe/London", nullptr},
        {L"澳大利亚", L"Sydney", "Australia/Sydney", L"world-time-sydney"},
        {L"中国", L"Beijing", "Asia/Shanghai", L"world-time-beijing"},
    };
    std::vector<std::string> zone_names;
    for (const City& city : cities) zone_names.push_back(city.zone);
    const std::map<std::string, ZoneNow> zones = ZonesFromTzdata(zone_names);
    ASSERT_EQ(zones.size(), 4u);

    AppUnderTest app;
    app.WriteSettings("[BAR]\r\nDefWin=0\r\nLeft=300\r\nTop=20\r\n[MSG]\r\nCalendarLX=0\r\n");
    ASSERT_TRUE(app.Start());
    const HWND dialog = OpenDialog(app, kWorldTimeItem);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(TextOf(dialog), L"城市时间查询");
    const HWND panel = ::GetDlgItem(dialog, win::kWorldPanelId);
    const HWND time_label = ::GetDlgItem(panel, win::kWorldTimeId);
    for (const City& city : cities) {
        SCOPED_TRACE(city.zone);
        ASSERT_TRUE(SelectCity(dialog, city.country, city.english));
        const ZoneNow expected = zones.at(city.zone);
        std::wstring shown;
        std::int64_t difference = 0;
        // The line is refreshed every second; it agrees within a few.
        EXPECT_TRUE(WaitFor([&] {
            shown = TextOf(time_label);
            const std::int64_t city_time = ParseCityTime(shown);
            difference = city_time - (UnixNow() + expected.offset_minutes * 60);
            return city_time >= 0 && std::llabs(difference) <= 5;
        })) << Narrow(shown)
            << " differs by " << difference << " s from UTC" << (expected.offset_minutes >= 0 ? "+" : "")
            << expected.offset_minutes << " min";
        EXPECT_EQ(shown.find(L"(夏时制)") != std::wstring::npos, expected.daylight) << Narrow(shown);
        const bool has_rules = std::wstring(city.english) != L"Beijing";
        EXPECT_EQ(::IsWindowVisible(::GetDlgItem(panel, win::kWorldDstStartId)) != FALSE, has_rules);
        EXPECT_EQ(::IsWindowVisible(::GetDlgItem(panel, win::kWorldDstEndId)) != FALSE, has_rules);
        if (city.snapshot) {
            PumpFor(300ms);
            SaveSnapshot(CaptureWindow(dialog), city.snapshot);
        }
    }
    ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitFor([&] { return !::IsWindow(dialog); }));
    EXPECT_TRUE(app.Close());
}

}  // namespace
}  // namespace kalvoro::e2e
