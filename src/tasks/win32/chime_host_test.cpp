// The chime as the bar hosts it: start-up with the CLOCK settings, the tick, the hot key and the
// settings dialog's changes, over the shipped recordings and a recording MCI.

#include "tasks/win32/chime_host.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace kalvoro::win {
namespace {

namespace fs = std::filesystem;

class RecordingMci final : public IMciCommands {
public:
    unsigned long Send(const std::wstring& command, HWND) override {
        commands.push_back(Narrow(command));
        return 0;
    }
    std::vector<std::string> commands;
};

class RecordingPopup final : public IPopupSender {
public:
    bool ShowText(std::string_view text) override {
        texts.emplace_back(text);
        return true;
    }
    std::vector<std::string> texts;
};

class BarWindow final : public Window {
public:
    BarWindow() {
        RegisterWindowClass(L"KalvoroChimeHostBar");
        CreateHandle(0, L"KalvoroChimeHostBar", L"", WS_POPUP, 0, 0, 10, 10, nullptr);
    }
};

// The file a "play" command names, by its long name.
std::string PlayedFile(const std::string& command) {
    const std::string name = command.substr(5, command.size() - 5 - std::string(" from 0 notify").size());
    wchar_t long_path[MAX_PATH] = {};
    if (::GetLongPathNameW(Widen(name).c_str(), long_path, MAX_PATH) == 0) return {};
    return fs::path(long_path).filename().string();
}

class ChimeHostTest : public ::testing::Test {
protected:
    void SetUp() override {
        app_dir_ = "C:\\kvh" + std::to_string(::GetCurrentProcessId() % 100000);
        fs::remove_all(app_dir_);
        fs::create_directories(app_dir_ / "Sound");
        for (const auto& entry :
             fs::directory_iterator(std::string("Z:") + KALVORO_SOURCE_DIR + "/resources/sounds/Sound")) {
            fs::copy_file(entry.path(), app_dir_ / "Sound" / entry.path().filename());
        }
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(app_dir_, ec);
    }
    std::string AppDir() const { return app_dir_.string() + "\\"; }
    static DateTime At(int hour, int minute, int second) {
        return EncodeDate(2026, 12, 10) + EncodeTime(hour, minute, second);
    }

    fs::path app_dir_;
    BarWindow bar_;
    RecordingMci mci_;
    RecordingPopup popup_;
};

TEST_F(ChimeHostTest, StartTickHotKeySettingsAndClosing) {
    ChimeHost host(bar_.hwnd(), popup_, AppDir(), mci_);
    host.Start({true, false, kChimeSingleBell, true, "ctrl + shift", "r"});
    ASSERT_TRUE(host.hot_key().IsRegistered());

    host.OnTick(At(15, 30, 0));  // the half hour is off
    EXPECT_TRUE(mci_.commands.empty());
    host.OnTick(At(16, 0, 0));
    ASSERT_EQ(mci_.commands.size(), 3u);
    EXPECT_EQ(PlayedFile(mci_.commands[2]), "Z2.wav");

    const WPARAM id = static_cast<WPARAM>(host.hot_key().id());
    EXPECT_FALSE(host.OnHotKey(id, MAKELPARAM(MOD_CONTROL, 'R'), At(16, 0, 5)));
    EXPECT_TRUE(host.OnHotKey(id, MAKELPARAM(MOD_CONTROL | MOD_SHIFT, 'R'), At(16, 0, 5)));
    ASSERT_EQ(mci_.commands.size(), 6u);  // the bell was the last file: the spoken time may start
    EXPECT_EQ(PlayedFile(mci_.commands[5]), "T1.wav");

    // The settings dialog: message chime on the half hour, another key, then the hot key off.
    host.ApplySettings({false, true, kChimeMessage, true, "Alt", "R"});
    EXPECT_TRUE(host.OnHotKey(static_cast<WPARAM>(host.hot_key().id()), MAKELPARAM(MOD_ALT, 'R'), At(16, 1, 0)));
    host.OnTick(At(16, 30, 0));
    EXPECT_EQ(popup_.texts,
              std::vector<std::string>{kChimeMessagePrefix + FormatDateTime("tt", At(16, 30, 0), SystemDateLocale())});
    EXPECT_NE(popup_.texts.front().find("30:00"), std::string::npos) << popup_.texts.front();

    host.ApplySettings({false, true, kChimeMessage, false, "Alt", "R"});
    EXPECT_FALSE(host.hot_key().IsRegistered());
    host.ApplySettings({false, true, kChimeMessage, true, "Alt", "R"});
    EXPECT_TRUE(host.hot_key().IsRegistered());
    host.Close();
    EXPECT_FALSE(host.hot_key().IsRegistered());
    EXPECT_EQ(::GlobalFindAtomA(kChimeHotKeyAtomName), 0);
}

TEST_F(ChimeHostTest, HotKeyOffOrUnknownRegistersNothing) {
    ChimeHost off(bar_.hwnd(), popup_, AppDir(), mci_);
    off.Start({true, true, kChimeVoice, false, "Ctrl", "R"});
    EXPECT_FALSE(off.hot_key().IsRegistered());
    ChimeHost unknown(bar_.hwnd(), popup_, AppDir(), mci_);
    unknown.Start({true, true, kChimeVoice, true, "Win", "R"});
    EXPECT_FALSE(unknown.hot_key().IsRegistered());
    // The scheduler's sounds share the chime's player.
    unknown.player().PlayFiles(AppDir() + "Sound\\M.wav");
    ASSERT_EQ(mci_.commands.size(), 3u);
    EXPECT_EQ(PlayedFile(mci_.commands[2]), "M.wav");
}

}  // namespace
}  // namespace kalvoro::win
