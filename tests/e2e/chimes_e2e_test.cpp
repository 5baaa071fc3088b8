// Chimes in the real program: the spoken-time hot key pressed on the keyboard makes the player go
// through the words of the time, and a second copy of the program leaves the key with the first;
// the message chime of a half hour reaches the popup program. The program's clock starts at a
// chosen moment (KALVORO_FAKE_NOW) and its player logs what it sends to MCI (KALVORO_SOUND_LOG).

#include <gtest/gtest.h>

#include <cctype>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "base/gbk.h"
#include "e2e/app_under_test.h"
#include "e2e/dialog_driver.h"

namespace kalvoro::e2e {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

constexpr char kCommonSettings[] = "[BAR]\r\nDefWin=0\r\n[MSG]\r\nCalendarLX=0\r\n";

void PressControlAnd(WORD key) {
    INPUT keys[4] = {};
    for (INPUT& input : keys) input.type = INPUT_KEYBOARD;
    keys[0].ki.wVk = VK_CONTROL;
    keys[1].ki.wVk = key;
    keys[2].ki.wVk = key;
    keys[2].ki.dwFlags = KEYEVENTF_KEYUP;
    keys[3].ki.wVk = VK_CONTROL;
    keys[3].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(4, keys, sizeof(INPUT));
}

// The files the player opened, in order, each as its name without folder and extension.
std::vector<std::string> OpenedSounds(const std::wstring& log) {
    std::vector<std::string> names;
    for (const std::string& line : ReadLogLines(log)) {
        if (line.rfind("open ", 0) != 0) continue;
        std::string path = line.substr(5, line.find('\t') - 5);
        if (!path.empty() && path.front() == '"') path = path.substr(1, path.size() - 2);
        std::string name = path.substr(path.find_last_of('\\') + 1);
        const std::size_t dot = name.rfind('.');
        if (dot != std::string::npos) name.erase(dot);
        for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        names.push_back(name);
    }
    return names;
}

// True when another program holds Ctrl+K (this process may not register it).
bool ControlKIsTaken() {
    constexpr int kProbeId = 0xB0B0;
    if (!::RegisterHotKey(nullptr, kProbeId, MOD_CONTROL, 'K')) return true;
    ::UnregisterHotKey(nullptr, kProbeId);
    return false;
}

TEST(ChimesTest, HotKeySpeaksTheTimeAndASecondCopyCannotTakeIt) {
    AppUnderTest app;
    app.WriteSettings(std::string(kCommonSettings) + "[CLOCK]\r\nHotKey=1\r\nHotKey1=ctrl\r\nHotKey2=k\r\n");
    const std::wstring log = app.PathOf(L"sound.log");
    ScopedEnvironment fake_now(L"KALVORO_FAKE_NOW", L"2026-12-10 14:22:05");
    ScopedEnvironment sound_log(L"KALVORO_SOUND_LOG", log);
    ASSERT_FALSE(ControlKIsTaken());
    ASSERT_TRUE(app.Start());
    EXPECT_TRUE(ControlKIsTaken());
    EXPECT_FALSE(fs::exists(fs::path(log)));

    // 14:22 is 现在时刻 下午 两 点 二 十 二 分.
    const std::vector<std::string> spoken = {"T1", "TO3", "2", "H", "2A", "10", "2A", "M"};
    PressControlAnd('K');
    ASSERT_TRUE(WaitFor([&] { return OpenedSounds(log).size() >= spoken.size(); }, 20s));
    EXPECT_EQ(OpenedSounds(log), spoken);
    EXPECT_EQ(ReadLogLines(log).front().rfind("close all", 0), 0u);

    // The second copy hands over to the first and ends; the key stays where it was.
    EXPECT_EQ(app.StartSecondCopy(), 0u);
    EXPECT_TRUE(ControlKIsTaken());
    PressControlAnd('K');
    ASSERT_TRUE(WaitFor([&] { return OpenedSounds(log).size() >= 2 * spoken.size(); }, 20s));
    std::vector<std::string> twice = spoken;
    twice.insert(twice.end(), spoken.begin(), spoken.end());
    EXPECT_EQ(OpenedSounds(log), twice);

    // Closing gives the key back.
    EXPECT_TRUE(app.Close());
    EXPECT_FALSE(ControlKIsTaken());
}

TEST(ChimesTest, MessageChimeOfAHalfHourReachesThePopupProgram) {
    AppUnderTest app;
    app.UsePopupDouble();
    app.WriteSettings(std::string(kCommonSettings) + "[CLOCK]\r\nAlarm=0\r\nHalfAlarm=1\r\nAlarmType=3\r\n");
    const std::wstring log = app.PathOf(L"sound.log");
    ScopedEnvironment fake_now(L"KALVORO_FAKE_NOW", L"2026-12-10 14:29:52");
    ScopedEnvironment sound_log(L"KALVORO_SOUND_LOG", log);
    ASSERT_TRUE(app.Start());

    // The system's long time of 14:30:00 in the Chinese locale.
    const std::string wanted = Utf8ToGbk("时钟报时：14:30:00");
    EXPECT_TRUE(WaitFor(
        [&] { return ReadFileBytes(app.PathOf(L"popup_received.bin")).find(wanted) != std::string::npos; }, 30s));
    // A message chime plays nothing.
    EXPECT_TRUE(ReadLogLines(log).empty());
    EXPECT_TRUE(app.Close());
}

}  // namespace
}  // namespace kalvoro::e2e
