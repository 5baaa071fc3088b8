// What a hostile or buggy program on the same desktop can send the bar and the popup program:
// malformed WM_COPYDATA blocks, the protocol's messages with random parameters, a registration from
// a window that is not the popup program, and storms of system messages. Both programs keep running
// and answering, read nothing through a foreign pointer, and write nothing the user did not ask for.
// Then the position save under repeated kills: "skin.ini" is always a whole, readable file.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "base/gbk.h"
#include "base/ini_file.h"
#include "base/popup_protocol.h"
#include "base/win32/text.h"
#include "base/win32/window.h"
#include "e2e/app_under_test.h"
#include "online/update_notice.h"

namespace kalvoro::e2e {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr wchar_t kPopupHostClass[] = L"KalvoroSablewin";
constexpr wchar_t kPopupWindowClass[] = L"KalvoroSablewinPopup";

// A window answers a message sent with a time limit: it is alive and its thread is not stuck.
bool Answers(HWND hwnd) {
    DWORD_PTR result = 0;
    return ::SendMessageTimeoutW(hwnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 10000, &result) != 0;
}

// Sends a block; the window's answer, or -1 when the send failed.
LRESULT SendCopyData(HWND target, ULONG_PTR id, const std::string& bytes, DWORD size) {
    COPYDATASTRUCT data{};
    data.dwData = id;
    data.cbData = size;
    data.lpData = size == 0 ? nullptr : const_cast<char*>(bytes.data());
    DWORD_PTR result = 0;
    if (!::SendMessageTimeoutW(target, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, 30000,
                               &result)) {
        return -1;
    }
    return static_cast<LRESULT>(result);
}

// Posted messages are handled in order: once a mode switch posted after a storm has shown the
// calendar, the whole storm has been handled. (A sent message would overtake the storm.)
constexpr int kCompactItem = 1000 + 0;
constexpr int kCalendarItem = 1000 + 2;

bool StormHandled(const AppUnderTest& app) {
    ::PostMessageW(app.bar(), WM_COMMAND, kCalendarItem, 0);
    if (!WaitFor([&] { return !app.WindowsOfClass(L"TFrmCalendar").empty(); }, 120s)) return false;
    ::PostMessageW(app.bar(), WM_COMMAND, kCompactItem, 0);
    return WaitFor([&] { return app.WindowsOfClass(L"TFrmCalendar").empty(); }, 60s) && Answers(app.bar());
}

// The exit code of a process once it ended by itself; a crash ends with an exception code.
DWORD ExitCodeAfterEnd(HANDLE process) {
    if (::WaitForSingleObject(process, 60000) != WAIT_OBJECT_0) return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    ::GetExitCodeProcess(process, &code);
    return code;
}

// Every file of the application folder, by relative path.
std::map<std::wstring, std::string> FolderSnapshot(const std::wstring& dir) {
    std::map<std::wstring, std::string> files;
    std::error_code ec;
    for (const auto& entry : fs::recursive_directory_iterator(dir, ec)) {
        if (!entry.is_regular_file()) continue;
        files[fs::relative(entry.path(), dir).wstring()] = ReadFileBytes(entry.path().wstring());
    }
    return files;
}

// Lists what differs between two snapshots, for a readable failure.
std::string ChangedFiles(const std::map<std::wstring, std::string>& before,
                         const std::map<std::wstring, std::string>& after) {
    std::string changed;
    for (const auto& [name, bytes] : after) {
        const auto found = before.find(name);
        if (found == before.end()) {
            changed += "new " + fs::path(name).string() + "; ";
        } else if (found->second != bytes) {
            changed += "changed " + fs::path(name).string() + "; ";
        }
    }
    for (const auto& [name, bytes] : before) {
        if (!after.count(name)) changed += "removed " + fs::path(name).string() + "; ";
    }
    return changed;
}

HWND PopupHostOf(const AppUnderTest& app) {
    const std::wstring title = L"Sablewin " + std::to_wstring(reinterpret_cast<std::uintptr_t>(app.bar()));
    return ::FindWindowW(kPopupHostClass, title.c_str());
}

DWORD ProcessOf(HWND hwnd) {
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    return pid;
}

struct PopupWindowFinder {
    DWORD pid;
    std::vector<std::wstring> titles;
};

BOOL CALLBACK CollectPopupTitle(HWND hwnd, LPARAM lparam) {
    auto& finder = *reinterpret_cast<PopupWindowFinder*>(lparam);
    if (ProcessOf(hwnd) != finder.pid) return TRUE;
    wchar_t name[64] = {};
    ::GetClassNameW(hwnd, name, 64);
    if (std::wstring(name) != kPopupWindowClass) return TRUE;
    wchar_t title[512] = {};
    ::GetWindowTextW(hwnd, title, 512);
    finder.titles.emplace_back(title);
    return TRUE;
}

std::vector<std::wstring> PopupTitles(DWORD popup_pid) {
    PopupWindowFinder finder{popup_pid, {}};
    ::EnumWindows(CollectPopupTitle, reinterpret_cast<LPARAM>(&finder));
    return finder.titles;
}

bool AnyTitleHas(const std::vector<std::wstring>& titles, const std::wstring& part) {
    for (const auto& title : titles) {
        if (title.find(part) != std::wstring::npos) return true;
    }
    return false;
}

std::string TodaysMarkKey() {
    SYSTEMTIME st;
    ::GetLocalTime(&st);
    char key[8];
    std::snprintf(key, sizeof(key), "0%02u%02u", st.wMonth, st.wDay);
    return key;
}

// Starts the bar with today's date mark so that it starts the real popup program at once.
HWND StartWithRealPopup(AppUnderTest& app) {
    WriteFileBytes(app.PathOf(L"Marks.rec"), Utf8ToGbk(TodaysMarkKey() + "=交房租\r\n"));
    app.WriteSettings("[BAR]\r\nDefWin=0\r\n[MSG]\r\nCalendarLX=1\r\n");
    if (!app.Start()) return nullptr;
    HWND host = nullptr;
    WaitFor([&] { return (host = PopupHostOf(app)) != nullptr; }, 20s);
    return host;
}

TEST(HostileMessagesTest, PopupProgramRefusesBadBlocksAndShowsTheRest) {
    AppUnderTest app;
    HWND host = StartWithRealPopup(app);
    ASSERT_NE(host, nullptr);
    const DWORD popup_pid = ProcessOf(host);
    ASSERT_NE(popup_pid, app.process_id());
    // The reminder itself is the first window.
    ASSERT_TRUE(WaitFor([&] { return AnyTitleHas(PopupTitles(popup_pid), Widen("交房租")); }, 20s));
    const auto before = FolderSnapshot(app.dir());

    const std::string huge(kMaxCopyDataBytes + 1, 'a');
    EXPECT_EQ(SendCopyData(host, 0, "", 0), FALSE) << "an empty block";
    EXPECT_EQ(SendCopyData(host, 0, huge, static_cast<DWORD>(huge.size())), FALSE) << "64 KB + 1";
    // A block without its NUL is taken up to its end, and nothing past it is read.
    EXPECT_EQ(SendCopyData(host, 0, "Qa", 1), TRUE) << "one byte";
    const std::string unterminated = "NoNul" + std::string(32, 'X');
    EXPECT_EQ(SendCopyData(host, 0, unterminated, 5), TRUE) << "a length without its NUL";
    // 0x81 0x20 and a lone 0xFF are no GBK: they show as replacement characters.
    EXPECT_EQ(SendCopyData(host, 0, std::string("Bad\x81 GBK\xFFz", 11) + '\0', 12), TRUE) << "invalid GBK";
    // 64 KB exactly is still accepted.
    std::string full(kMaxCopyDataBytes - 1, 'F');
    full += '\0';
    EXPECT_EQ(SendCopyData(host, 0, full, static_cast<DWORD>(full.size())), TRUE) << "64 KB";

    EXPECT_TRUE(WaitFor(
        [&] {
            const auto titles = PopupTitles(popup_pid);
            return AnyTitleHas(titles, L"Q") && AnyTitleHas(titles, L"NoNul") && AnyTitleHas(titles, L"\uFFFD");
        },
        20s));
    const auto titles = PopupTitles(popup_pid);
    EXPECT_FALSE(AnyTitleHas(titles, L"Qa")) << "read past the block";
    EXPECT_FALSE(AnyTitleHas(titles, L"NoNulX")) << "read past the block";
    EXPECT_FALSE(AnyTitleHas(titles, L"aaaa")) << "the refused block was shown";

    // The bar's notice with random parameters: only 1 (reload) and 2 (quit) mean anything.
    std::mt19937 random(17);
    for (int i = 0; i < 500; ++i) {
        LPARAM what = static_cast<LPARAM>(random());
        if (what == kPopupSettingsRewritten || what == kPopupBarClosing) what = 3;
        ::PostMessageW(host, kMsgPopupNotify, static_cast<WPARAM>(random()), what);
    }
    for (int i = 0; i < 2000; ++i) ::PostMessageW(host, WM_DISPLAYCHANGE, random() & 0xFF, random());
    EXPECT_TRUE(Answers(host));
    EXPECT_TRUE(Answers(app.bar()));
    EXPECT_EQ(ProcessOf(host), popup_pid);
    // A close posted behind the storms ends the program only once it has handled all of them; a
    // crash on the way would end it with an exception code.
    const win::KernelHandle popup_process(
        ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, popup_pid));
    ASSERT_TRUE(popup_process);
    ::PostMessageW(host, WM_CLOSE, 0, 0);
    EXPECT_EQ(ExitCodeAfterEnd(popup_process.get()), 0u);
    EXPECT_EQ(ChangedFiles(before, FolderSnapshot(app.dir())), "");
    EXPECT_TRUE(Answers(app.bar()));
    EXPECT_TRUE(app.Close());
}

// A window in this process that records every block it is handed.
class Eavesdropper final : public win::Window {
public:
    Eavesdropper() {
        win::RegisterWindowClass(L"KalvoroEavesdropper");
        CreateHandle(0, L"KalvoroEavesdropper", L"", WS_POPUP, 0, 0, 10, 10, nullptr);
    }
    int blocks_received = 0;

private:
    LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override {
        if (message == WM_COPYDATA) {
            ++blocks_received;
            return TRUE;
        }
        return DefaultHandling(message, wparam, lparam);
    }
};

// Records: 4-byte size, then the bytes (see the popup test double).
int RecordCount(const std::string& bytes) {
    int count = 0;
    std::size_t at = 0;
    while (at + 4 <= bytes.size()) {
        std::uint32_t size = 0;
        std::memcpy(&size, bytes.data() + at, 4);
        at += 4 + (size == 0xFFFFFFFFu ? 4 : size);
        if (at <= bytes.size() && size != 0xFFFFFFFFu) ++count;
    }
    return count;
}

// A new-version notice as an outside update checker hands it over: more than two lines.
LRESULT SendNewVersionNotice(HWND bar) {
    const std::string notice = std::string("version 9\r\nline 2\r\nline 3") + '\0';
    return SendCopyData(bar, kUpdateNoticeCopyDataId, notice, static_cast<DWORD>(notice.size()));
}

TEST(HostileMessagesTest, BarHandsTextsOnlyToThePopupProgramItStarted) {
    AppUnderTest app;
    app.UsePopupDouble();
    ASSERT_TRUE(app.Start());
    Eavesdropper eavesdropper;
    ASSERT_NE(eavesdropper.hwnd(), nullptr);

    // Before the popup program runs: a foreign registration must not become the popup window.
    ::PostMessageW(app.bar(), kMsgPopupRegister, 0, reinterpret_cast<LPARAM>(eavesdropper.hwnd()));
    ::PostMessageW(app.bar(), kMsgPopupRegister, 0, static_cast<LPARAM>(0xDEADBEEF));
    ::PostMessageW(app.bar(), kMsgPopupRegister, 0, 0);
    ASSERT_TRUE(Answers(app.bar()));
    EXPECT_EQ(SendNewVersionNotice(app.bar()), TRUE);
    const std::wstring received = app.PathOf(L"popup_received.bin");
    ASSERT_TRUE(WaitFor([&] { return RecordCount(ReadFileBytes(received)) == 1; }, 20s));

    // After it registered: a foreign registration must not replace it.
    ::SendMessageW(app.bar(), kMsgPopupRegister, 0, reinterpret_cast<LPARAM>(eavesdropper.hwnd()));
    ::SendMessageW(app.bar(), kMsgPopupRegister, 0, reinterpret_cast<LPARAM>(app.bar()));
    EXPECT_EQ(SendNewVersionNotice(app.bar()), TRUE);
    EXPECT_TRUE(WaitFor([&] { return RecordCount(ReadFileBytes(received)) == 2; }, 20s));
    PumpFor(200ms);
    EXPECT_EQ(eavesdropper.blocks_received, 0);
    EXPECT_TRUE(app.Close());
}

TEST(HostileMessagesTest, BarSurvivesBadBlocksRandomParametersAndStorms) {
    AppUnderTest app;
    // The hot key is on so that its storm reaches the handler.
    app.WriteSettings("[BAR]\r\nDefWin=0\r\n[CLOCK]\r\nHotKey=1\r\n");
    ASSERT_TRUE(app.Start());
    HWND bar = app.bar();
    const win::KernelHandle bar_process(
        ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, app.process_id()));
    ASSERT_TRUE(bar_process);
    RECT start_place{};
    ::GetWindowRect(bar, &start_place);
    // 0x0402 from anyone records an update check in "Upgrade.his": that file is the protocol's.
    auto before = FolderSnapshot(app.dir());

    struct Block {
        const char* what;
        ULONG_PTR id;
        std::string bytes;
        DWORD size;
        LRESULT expected;
    };
    const std::string huge(kMaxCopyDataBytes + 1, 'a');
    const Block blocks[] = {
        {"empty notice", kUpdateNoticeCopyDataId, "", 0, FALSE},
        {"one byte", kUpdateNoticeCopyDataId, "x", 1, TRUE},
        {"64 KB + 1", kUpdateNoticeCopyDataId, huge, static_cast<DWORD>(huge.size()), FALSE},
        {"length without NUL", kUpdateNoticeCopyDataId, "one line only, and more", 13, TRUE},
        {"invalid GBK", kUpdateNoticeCopyDataId, std::string("\x81\x20\xFF\xFE", 4) + '\0', 5, TRUE},
        {"another id", 0, std::string("a\r\nb\r\nc") + '\0', 8, FALSE},
        {"another id, empty", 0x1234, "", 0, FALSE},
    };
    for (const Block& block : blocks) {
        EXPECT_EQ(SendCopyData(bar, block.id, block.bytes, block.size), block.expected) << block.what;
    }

    std::mt19937 random(4);
    const auto random_lparam = [&] {
        return static_cast<LPARAM>((static_cast<std::uint64_t>(random()) << 32) | random());
    };
    // 0x0401's lParam is a ticket, never an address: random values find nothing.
    for (int i = 0; i < 1000; ++i) ::PostMessageW(bar, kMsgUpdateNotice, random(), random_lparam());
    for (int i = 0; i < 200; ++i) ::PostMessageW(bar, kMsgAnnouncementsReady, random(), random_lparam());
    for (int i = 0; i < 500; ++i) ::PostMessageW(bar, kMsgPopupNotify, random(), random_lparam());
    for (int i = 0; i < 500; ++i) ::PostMessageW(bar, kMsgPopupRegister, random(), random_lparam());
    ASSERT_TRUE(StormHandled(app)) << "after the protocol's messages with random parameters";
    for (int i = 0; i < 200; ++i) ::PostMessageW(bar, kMsgUpdateCheckDone, random(), random_lparam());
    ASSERT_TRUE(StormHandled(app));
    auto after_protocol = FolderSnapshot(app.dir());
    EXPECT_EQ(after_protocol.count(L"Upgrade.his"), 1u);
    after_protocol.erase(L"Upgrade.his");
    before.erase(L"Upgrade.his");
    EXPECT_EQ(ChangedFiles(before, after_protocol), "");
    before = FolderSnapshot(app.dir());

    for (int i = 0; i < 3000; ++i) {
        // Ids in the atom range, where a registered hot key lives, and any others.
        const WPARAM id = (i % 2) ? 0xC000 + (random() & 0x3FFF) : random();
        ::PostMessageW(bar, WM_HOTKEY, id, random_lparam());
    }
    ASSERT_TRUE(StormHandled(app)) << "after the hot key storm";
    for (int i = 0; i < 3000; ++i) ::PostMessageW(bar, WM_TIMECHANGE, random(), random_lparam());
    ASSERT_TRUE(StormHandled(app)) << "after the time change storm";
    for (int i = 0; i < 3000; ++i) ::PostMessageW(bar, WM_DISPLAYCHANGE, random() & 0xFF, random_lparam());
    ASSERT_TRUE(StormHandled(app)) << "after the display change storm";

    EXPECT_TRUE(app.Running());
    RECT end_place{};
    ::GetWindowRect(bar, &end_place);
    const bool moved = end_place.left != start_place.left || end_place.top != start_place.top;
    // Let a pending position save happen before the comparison.
    PumpFor(2500ms);
    const auto after = FolderSnapshot(app.dir());
    if (moved) {
        auto without_settings = after;
        auto before_without_settings = before;
        without_settings.erase(L"skin.ini");
        before_without_settings.erase(L"skin.ini");
        EXPECT_EQ(ChangedFiles(before_without_settings, without_settings), "");
    } else {
        EXPECT_EQ(ChangedFiles(before, after), "");
    }
    // The close is handled after everything posted before it; a clean end has exit code 0.
    ::PostMessageW(bar, WM_CLOSE, 0, 0);
    EXPECT_EQ(ExitCodeAfterEnd(bar_process.get()), 0u);
}

// --- the position save under kills ----------------------------------------------------------------

// Kills per series; a longer run: KALVORO_KILL_ROUNDS=<n> kalvoro_e2e.exe --gtest_filter=KillDuringSave*
int KillRounds() {
    if (const char* rounds = std::getenv("KALVORO_KILL_ROUNDS")) {
        const int value = std::atoi(rounds);
        if (value > 0) return value;
    }
    return 10;
}

std::string SettingsWithPlace(int left, int top) {
    // Lines the position save must keep byte for byte, a private note in GBK among them.
    return Utf8ToGbk("; 我的设置\r\n[BAR]\r\nDefWin=0\r\nLeft=" + std::to_string(left) +
                     "\r\nTop=" + std::to_string(top) + "\r\n[NOTE]\r\nText=今天要记得买菜\r\n");
}

// Three series of kills (each its own test, each with its own random moves and kill moments).
class KillDuringSaveTest : public ::testing::TestWithParam<unsigned> {};

TEST_P(KillDuringSaveTest, SettingsAreAlwaysTheOldOrTheNewPosition) {
    AppUnderTest app;
    const int rounds = KillRounds();
    int old_left = 200;
    int old_top = 100;
    app.WriteSettings(SettingsWithPlace(old_left, old_top));
    std::mt19937 random(GetParam());
    int torn = 0;
    int mixed = 0;
    int saved = 0;
    for (int round = 0; round < rounds; ++round) {
        ASSERT_TRUE(app.Start()) << "round " << round;
        const int new_left = 50 + static_cast<int>(random() % 600);
        const int new_top = 20 + static_cast<int>(random() % 400);
        ::SetWindowPos(app.bar(), nullptr, new_left, new_top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        RECT place{};
        ::GetWindowRect(app.bar(), &place);
        // Anywhere in the two-second save period, and sometimes past it.
        PumpFor(std::chrono::milliseconds(random() % 2600));
        app.Kill();

        const std::string bytes = app.ReadSettings();
        const IniDocument settings = IniDocument::Parse(bytes);
        const int left = settings.ReadInteger("BAR", "Left", -1);
        const int top = settings.ReadInteger("BAR", "Top", -1);
        const bool whole = !bytes.empty() && bytes == SettingsWithPlace(left, top);
        const bool left_known = left == old_left || left == place.left;
        const bool top_known = top == old_top || top == place.top;
        const bool old_place = left == old_left && top == old_top;
        const bool new_place = left == place.left && top == place.top;
        if (!whole || !left_known || !top_known) {
            ++torn;
            ADD_FAILURE() << "round " << round << ": torn settings (new place " << place.left << "," << place.top
                          << "):\n"
                          << bytes;
        } else if (!old_place && !new_place) {
            ++mixed;
        }
        if (new_place && !old_place) ++saved;
        if (whole) {
            old_left = left;
            old_top = top;
        } else {
            app.WriteSettings(SettingsWithPlace(old_left, old_top));
        }
    }
    EXPECT_EQ(torn, 0);
    // Left and Top are saved together: never the one from one save beside the other from another.
    EXPECT_EQ(mixed, 0);
    // Kills late in the period find the new position saved: the save really ran under the kills.
    EXPECT_GT(saved, 0);
    std::printf("kills: %d, torn: %d, new position saved: %d, left and top from different saves: %d\n", rounds, torn,
                saved, mixed);
}

INSTANTIATE_TEST_SUITE_P(ThreeSeries, KillDuringSaveTest, ::testing::Values(2026u, 17u, 4u));

}  // namespace
}  // namespace kalvoro::e2e
