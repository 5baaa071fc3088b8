// The sound player under Wine: the command strings it sends for a list (through a recording MCI),
// skipping missing files, refusing a list while files wait, the notifications that move a list on,
// and lists played through the real MCI, paths with blanks and Chinese characters among them.

#include "tasks/win32/back_sound.h"

#include <gtest/gtest.h>
#include <mmsystem.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "base/win32/text.h"
#include "tasks/chime_clock_alarm.h"

namespace kalvoro::win {
namespace {

namespace fs = std::filesystem;

// Records every command with the window it names; "play" of a name in failing_plays fails.
class RecordingMci final : public IMciCommands {
public:
    explicit RecordingMci(IMciCommands* forward = nullptr) : forward_(forward) {}
    unsigned long Send(const std::wstring& command, HWND notify_window) override {
        commands.push_back(Narrow(command));
        windows.push_back(notify_window);
        unsigned long result = forward_ ? forward_->Send(command, notify_window) : 0;
        for (const std::string& name : failing_plays) {
            if (Narrow(command) == "play " + name + " from 0 notify") result = MCIERR_INVALID_FILE;
        }
        results.push_back(result);
        return result;
    }
    std::vector<std::string> commands;
    std::vector<HWND> windows;
    std::vector<unsigned long> results;
    std::vector<std::string> failing_plays;

private:
    IMciCommands* forward_;
};

// A mono 16-bit PCM WAV of a sine tone.
void WriteWav(const fs::path& path, int milliseconds, double frequency) {
    constexpr std::uint32_t kRate = 22050;
    const std::uint32_t samples = kRate * static_cast<std::uint32_t>(milliseconds) / 1000;
    std::ofstream out(path, std::ios::binary);
    const auto u32 = [&](std::uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
    const auto u16 = [&](std::uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
    out.write("RIFF", 4);
    u32(36 + samples * 2);
    out.write("WAVEfmt ", 8);
    u32(16);
    u16(1);
    u16(1);
    u32(kRate);
    u32(kRate * 2);
    u16(2);
    u16(16);
    out.write("data", 4);
    u32(samples * 2);
    for (std::uint32_t i = 0; i < samples; ++i) {
        const double t = static_cast<double>(i) / kRate;
        u16(static_cast<std::uint16_t>(
            static_cast<std::int16_t>(6000 * std::sin(2 * 3.14159265358979 * frequency * t))));
    }
}

// Runs the message loop until the condition holds or ten seconds passed.
template <typename Condition>
bool PumpUntil(Condition condition) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    return true;
}

class BackSoundTest : public ::testing::Test {
protected:
    void SetUp() override {
        // A folder whose name is its own short form, so the expected command strings can be
        // written out; the folder with blanks and Chinese characters has a short form MCI reads.
        dir_ = "C:\\kvs" + std::to_string(::GetCurrentProcessId() % 100000);
        fs::remove_all(dir_);
        fs::create_directories(dir_ / L"声音 文件");
        WriteWav(dir_ / "a.wav", 200, 440);
        WriteWav(dir_ / "b.wav", 300, 660);
        WriteWav(dir_ / L"声音 文件" / L"报时 一.wav", 250, 550);
        previous_dir_ = fs::current_path();
        fs::current_path(dir_);
    }
    void TearDown() override {
        ::mciSendStringW(L"close all", nullptr, 0, nullptr);
        fs::current_path(previous_dir_);
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }
    std::string File(const char* name) const { return dir_.string() + "\\" + name; }
    std::string Chinese() const { return Narrow((dir_ / L"声音 文件" / L"报时 一.wav").wstring()); }
    static void Notify(BackSound& sound, WPARAM code = MCI_NOTIFY_SUCCESSFUL) {
        ::SendMessageW(sound.hwnd(), MM_MCINOTIFY, code, 1);
    }

    fs::path dir_;
    fs::path previous_dir_;
};

TEST_F(BackSoundTest, TwoFileListClosesAllThenPlaysFileAfterFile) {
    RecordingMci mci;
    BackSound sound(mci);
    ASSERT_TRUE(sound.Create());
    const std::string a = File("a.wav");
    const std::string b = File("b.wav");

    sound.Play(a + "*" + b);
    EXPECT_EQ(mci.commands, (std::vector<std::string>{"close all", "open " + a, "play " + a + " from 0 notify"}));
    EXPECT_TRUE(sound.HasPending());

    Notify(sound);
    EXPECT_EQ(mci.commands, (std::vector<std::string>{"close all", "open " + a, "play " + a + " from 0 notify",
                                                      "open " + b, "play " + b + " from 0 notify"}));
    EXPECT_FALSE(sound.HasPending());
    for (HWND window : mci.windows) EXPECT_EQ(window, sound.hwnd());

    Notify(sound);
    EXPECT_EQ(mci.commands.size(), 5u);
}

TEST_F(BackSoundTest, MissingAndEmptyEntriesAreSkipped) {
    RecordingMci mci;
    BackSound sound(mci);
    ASSERT_TRUE(sound.Create());
    const std::string a = File("a.wav");
    const std::string b = File("b.wav");

    sound.Play(File("none.wav") + "*" + a + "**" + File("gone.wav") + "*" + b + "*" + File("none2.wav"));
    EXPECT_EQ(mci.commands, (std::vector<std::string>{"close all", "open " + a, "play " + a + " from 0 notify"}));
    Notify(sound);
    EXPECT_EQ(mci.commands.back(), "play " + b + " from 0 notify");
    EXPECT_TRUE(sound.HasPending());  // the missing last name is still to come
    Notify(sound);
    EXPECT_EQ(mci.commands.size(), 5u);
    EXPECT_FALSE(sound.HasPending());

    // A list none of whose files exists plays nothing and leaves the player idle; so does an
    // empty list, and a file named "0" in the working folder (the test's folder) is never taken
    // for a missing name.
    mci.commands.clear();
    std::ofstream("0").put('x');
    sound.Play(File("none.wav") + "*" + File("gone.wav"));
    sound.Play("");
    sound.Play("*");
    EXPECT_TRUE(mci.commands.empty());
    EXPECT_FALSE(sound.HasPending());
    fs::remove("0");
    sound.Play(a);
    EXPECT_EQ(mci.commands.size(), 3u);
}

TEST_F(BackSoundTest, RefusesANewListWhileFilesWaitAndTakesOneWhileTheLastPlays) {
    RecordingMci mci;
    BackSound sound(mci);
    ASSERT_TRUE(sound.Create());
    const std::string a = File("a.wav");
    const std::string b = File("b.wav");

    sound.Play(a + "*" + b);
    sound.Play(b);
    sound.PlayFiles(b + "*" + a);
    EXPECT_EQ(mci.commands.size(), 3u);

    Notify(sound);  // b, the last file, now plays
    ASSERT_FALSE(sound.HasPending());
    sound.Play(b + "*" + a);
    EXPECT_EQ(mci.commands, (std::vector<std::string>{"close all", "open " + a, "play " + a + " from 0 notify",
                                                      "open " + b, "play " + b + " from 0 notify", "close all",
                                                      "open " + b, "play " + b + " from 0 notify"}));
}

TEST_F(BackSoundTest, EveryNotificationMovesTheListOn) {
    const std::string a = File("a.wav");
    const std::string b = File("b.wav");
    for (WPARAM code : {MCI_NOTIFY_SUCCESSFUL, MCI_NOTIFY_SUPERSEDED, MCI_NOTIFY_ABORTED, MCI_NOTIFY_FAILURE}) {
        RecordingMci mci;
        BackSound sound(mci);
        ASSERT_TRUE(sound.Create());
        sound.Play(a + "*" + b);
        Notify(sound, code);
        EXPECT_EQ(mci.commands.back(), "play " + b + " from 0 notify") << code;
    }
}

TEST_F(BackSoundTest, AbortOfTheListBeforeDoesNotSkipTheNewListsFile) {
    RecordingMci mci;
    BackSound sound(mci);
    ASSERT_TRUE(sound.Create());
    const std::string a = File("a.wav");
    const std::string b = File("b.wav");

    sound.Play(b);            // a task's single sound, still playing
    sound.Play(a + "*" + b);  // the chime: its "close all" aborts the task's sound
    ASSERT_EQ(mci.commands.size(), 6u);
    Notify(sound, MCI_NOTIFY_ABORTED);  // from the device "close all" stopped
    EXPECT_EQ(mci.commands.size(), 6u);
    EXPECT_TRUE(sound.HasPending());
    Notify(sound);  // the chime's first file ended
    EXPECT_EQ(mci.commands.back(), "play " + b + " from 0 notify");
    EXPECT_FALSE(sound.HasPending());
}

TEST_F(BackSoundTest, EndOfTheListBeforeQueuedAsTheNewListStartsIsDropped) {
    RecordingMci mci;
    BackSound sound(mci);
    ASSERT_TRUE(sound.Create());
    const std::string a = File("a.wav");
    const std::string b = File("b.wav");

    sound.Play(b);
    // The task's sound ends; its notification waits in the queue while the tick starts the chime.
    ::PostMessageW(sound.hwnd(), MM_MCINOTIFY, MCI_NOTIFY_SUCCESSFUL, 1);
    sound.Play(a + "*" + b);
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
    EXPECT_EQ(mci.commands.size(), 6u);
    EXPECT_TRUE(sound.HasPending());
    Notify(sound);
    EXPECT_EQ(mci.commands.back(), "play " + b + " from 0 notify");
}

TEST_F(BackSoundTest, AFileMciCannotPlayPassesToTheNext) {
    RecordingMci mci;
    const std::string a = File("a.wav");
    const std::string b = File("b.wav");
    mci.failing_plays = {a};
    BackSound sound(mci);
    ASSERT_TRUE(sound.Create());

    sound.Play(a + "*" + b);
    EXPECT_EQ(mci.commands, (std::vector<std::string>{"close all", "open " + a, "play " + a + " from 0 notify",
                                                      "open " + b, "play " + b + " from 0 notify"}));
    EXPECT_FALSE(sound.HasPending());

    // When no file of a list plays, the player is idle again, not waiting for a notification.
    mci.failing_plays = {a, b};
    Notify(sound);
    sound.Play(a + "*" + b);
    EXPECT_FALSE(sound.HasPending());
    sound.Play(b);
    EXPECT_EQ(mci.commands.back(), "play " + b + " from 0 notify");
}

TEST_F(BackSoundTest, PathWithBlanksAndChineseCharactersGoesByItsShortForm) {
    RecordingMci mci;
    BackSound sound(mci);
    ASSERT_TRUE(sound.Create());
    sound.Play(Chinese());
    ASSERT_EQ(mci.commands.size(), 3u);
    const std::string opened = mci.commands[1].substr(5);
    EXPECT_EQ(mci.commands[1], "open " + opened);
    EXPECT_EQ(mci.commands[2], "play " + opened + " from 0 notify");
    EXPECT_EQ(opened.find(' '), std::string::npos);
    for (unsigned char c : opened) EXPECT_LT(c, 0x80u) << opened;
    // The short form names the same file.
    wchar_t long_path[MAX_PATH] = {};
    ASSERT_NE(::GetLongPathNameW(Widen(opened).c_str(), long_path, MAX_PATH), 0u);
    EXPECT_EQ(Narrow(long_path), Chinese());
}

TEST_F(BackSoundTest, PathThatKeepsItsBlanksIsQuoted) {
    EXPECT_EQ(BackSound::CommandName(L"C:\\Sound\\T1.wav"), L"C:\\Sound\\T1.wav");
    EXPECT_EQ(BackSound::CommandName(L"C:\\报时 声音\\T1.wav"), L"\"C:\\报时 声音\\T1.wav\"");
    EXPECT_EQ(BackSound::ShortPath(Widen(File("none.wav"))), L"0");
    EXPECT_EQ(BackSound::ShortPath(Widen(File("a.wav"))), Widen(File("a.wav")));
}

// What the real MCI does with a quoted long path: it opens that very file (its length is the
// file's), so a volume without short names still plays.
TEST_F(BackSoundTest, RealMciOpensAQuotedLongPath) {
    const std::wstring name = L"\"" + Widen(Chinese()) + L"\"";
    ASSERT_EQ(::mciSendStringW((L"open " + name).c_str(), nullptr, 0, nullptr), 0u);
    wchar_t length[64] = {};
    ASSERT_EQ(::mciSendStringW((L"status " + name + L" length").c_str(), length, 64, nullptr), 0u);
    EXPECT_EQ(std::wstring(length), L"250");
    EXPECT_EQ(::mciSendStringW((L"close " + name).c_str(), nullptr, 0, nullptr), 0u);
}

// Each "play ... notify" the real MCI accepts is answered by one notification: at the end of the
// file, or at once with MCI_NOTIFY_FAILURE where there is no sound device (Wine without a sound
// card). Either way the list runs to its end and the player is idle again.
TEST_F(BackSoundTest, RealMciPlaysAListToItsEnd) {
    RecordingMci mci(&SystemMci());
    BackSound sound(mci);
    ASSERT_TRUE(sound.Create());
    sound.Play(File("a.wav") + "*" + Chinese() + "*" + File("b.wav"));
    ASSERT_TRUE(PumpUntil([&] { return mci.commands.size() == 7 && !sound.HasPending(); })) << mci.commands.size();
    for (std::size_t i = 0; i < mci.results.size(); ++i) EXPECT_EQ(mci.results[i], 0u) << mci.commands[i];
    EXPECT_EQ(mci.commands[6], "play " + File("b.wav") + " from 0 notify");

    // The next list starts once the last file has been answered for.
    sound.Play(File("a.wav"));
    EXPECT_EQ(mci.commands.size(), 10u);
}

class NoPopup final : public IPopupSender {
public:
    bool ShowText(std::string_view) override { return false; }
};

// The shipped recordings in an application folder whose path holds blanks and Chinese characters:
// the hot key's spoken time at 14:22 opens and plays each of its eight files through the real MCI.
TEST_F(BackSoundTest, ShippedRecordingsSpeakTheTimeFromAFolderWithBlanksAndChinese) {
    const fs::path sound_dir = dir_ / L"报时 程序" / L"Sound";
    fs::create_directories(sound_dir);
    for (const auto& entry :
         fs::directory_iterator(std::string("Z:") + KALVORO_SOURCE_DIR + "/resources/sounds/Sound")) {
        fs::copy_file(entry.path(), sound_dir / entry.path().filename());
    }
    RecordingMci mci(&SystemMci());
    BackSound sound(mci);
    ASSERT_TRUE(sound.Create());
    NoPopup popup;
    ClockAlarm alarm(sound, popup, Narrow(sound_dir.wstring()) + "\\");
    alarm.SayTime(EncodeDate(2026, 12, 10) + EncodeTime(14, 22, 0));

    ASSERT_TRUE(PumpUntil([&] { return mci.commands.size() == 17 && !sound.HasPending(); })) << mci.commands.size();
    std::vector<std::string> played;
    for (std::size_t i = 0; i < mci.commands.size(); ++i) {
        const std::string& command = mci.commands[i];
        // The second "2A" finds its device still open from the first; playing it again works.
        if (command.rfind("play ", 0) != 0) continue;
        EXPECT_EQ(mci.results[i], 0u) << command;
        const std::string name = command.substr(5, command.size() - 5 - std::string(" from 0 notify").size());
        EXPECT_EQ(name.find(' '), std::string::npos);
        wchar_t long_path[MAX_PATH] = {};
        ASSERT_NE(::GetLongPathNameW(Widen(name).c_str(), long_path, MAX_PATH), 0u) << name;
        played.push_back(fs::path(long_path).filename().string());
    }
    EXPECT_EQ(played,
              (std::vector<std::string>{"T1.wav", "To3.wav", "2.wav", "H.wav", "2A.wav", "10.wav", "2A.wav", "M.wav"}));
}

class NotifyRecorder final : public Window {
public:
    NotifyRecorder() {
        RegisterWindowClass(L"KalvoroNotifyRecorder");
        CreateHandle(0, L"KalvoroNotifyRecorder", L"", 0, 0, 0, 0, 0, HWND_MESSAGE);
    }
    std::vector<WPARAM> codes;

private:
    LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override {
        if (message == MM_MCINOTIFY) codes.push_back(wparam);
        return DefaultHandling(message, wparam, lparam);
    }
};

TEST_F(BackSoundTest, RealMciAnswersEachPlayWithOneNotification) {
    NotifyRecorder recorder;
    const std::wstring a = Widen(File("a.wav"));
    ASSERT_EQ(SystemMci().Send(L"open " + a, recorder.hwnd()), 0u);
    ASSERT_EQ(SystemMci().Send(L"play " + a + L" from 0 notify", recorder.hwnd()), 0u);
    ASSERT_TRUE(PumpUntil([&] { return !recorder.codes.empty(); }));
    const WPARAM code = recorder.codes.front();
    EXPECT_TRUE(code == MCI_NOTIFY_SUCCESSFUL || code == MCI_NOTIFY_FAILURE) << code;
    // No second notification follows for the same play.
    ASSERT_EQ(SystemMci().Send(L"close all", recorder.hwnd()), 0u);
    ASSERT_TRUE(PumpUntil([&] {
        MSG msg;
        return !::PeekMessageW(&msg, recorder.hwnd(), 0, 0, PM_NOREMOVE);
    }));
    EXPECT_EQ(recorder.codes.size(), 1u);
}

}  // namespace
}  // namespace kalvoro::win
