// The chime hot key under Wine: registration under the global atom, a key already taken, the
// texts that register nothing, the settings dialog's re-registration, and a pressed key that
// speaks the time.

#include "tasks/win32/hot_key_chime.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "base/win32/window.h"
#include "tasks/chime_clock_alarm.h"

namespace kalvoro::win {
namespace {

class HotKeyWindow final : public Window {
public:
    HotKeyWindow() {
        RegisterWindowClass(L"KalvoroHotKeyTest");
        CreateHandle(0, L"KalvoroHotKeyTest", L"", WS_POPUP, 0, 0, 10, 10, nullptr);
    }
    std::vector<std::pair<WPARAM, LPARAM>> hot_keys;

private:
    LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override {
        if (message == WM_HOTKEY) hot_keys.emplace_back(wparam, lparam);
        return DefaultHandling(message, wparam, lparam);
    }
};

class RecordingPlayer final : public ISoundPlayer {
public:
    void PlayFiles(std::string_view list) override { lists.emplace_back(list); }
    std::vector<std::string> lists;
};

class NoPopup final : public IPopupSender {
public:
    bool ShowText(std::string_view) override { return false; }
};

ATOM FindAtom() {
    return ::GlobalFindAtomA(kChimeHotKeyAtomName);
}

void PressKeys(std::initializer_list<WORD> keys) {
    std::vector<INPUT> inputs;
    for (WORD key : keys) {
        INPUT down{};
        down.type = INPUT_KEYBOARD;
        down.ki.wVk = key;
        inputs.push_back(down);
    }
    for (auto it = std::rbegin(keys); it != std::rend(keys); ++it) {
        INPUT up{};
        up.type = INPUT_KEYBOARD;
        up.ki.wVk = *it;
        up.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(up);
    }
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

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

TEST(ChimeHotKey, RegistersUnderTheGlobalAtomAndGivesItBack) {
    ASSERT_EQ(FindAtom(), 0);
    HotKeyWindow window;
    ChimeHotKey hot_key(window.hwnd());
    ASSERT_TRUE(hot_key.Register("Ctrl", "K"));
    const ATOM atom = FindAtom();
    ASSERT_NE(atom, 0);
    EXPECT_EQ(hot_key.id(), atom - 0xC000);
    EXPECT_TRUE(hot_key.IsRegistered());

    // The same key for another window is taken: that registration fails and gives its atom back.
    HotKeyWindow other;
    ChimeHotKey second(other.hwnd());
    EXPECT_FALSE(second.Register("ctrl", "k"));
    EXPECT_FALSE(second.IsRegistered());
    EXPECT_EQ(second.modifier_text(), "ctrl");
    EXPECT_EQ(second.key_text(), "k");

    hot_key.Unregister();
    EXPECT_FALSE(hot_key.IsRegistered());
    EXPECT_EQ(FindAtom(), 0);  // no reference left behind by the failed registration

    // Free again, the key registers for the other window.
    EXPECT_TRUE(second.Register("Ctrl", "K"));
    second.Unregister();
    EXPECT_EQ(FindAtom(), 0);
}

TEST(ChimeHotKey, UnknownModifiersOrNoKeyRegisterNothing) {
    HotKeyWindow window;
    ChimeHotKey hot_key(window.hwnd());
    EXPECT_FALSE(hot_key.Register("Win", "K"));
    EXPECT_FALSE(hot_key.Register("Ctrl", ""));
    EXPECT_FALSE(hot_key.IsRegistered());
    EXPECT_EQ(FindAtom(), 0);
    EXPECT_EQ(hot_key.modifier_text(), "Ctrl");
    EXPECT_EQ(hot_key.key_text(), "");
}

TEST(ChimeHotKey, MatchesOnlyItsIdKeyAndModifiers) {
    HotKeyWindow window;
    ChimeHotKey hot_key(window.hwnd());
    EXPECT_FALSE(hot_key.Matches(0, MAKELPARAM(MOD_CONTROL | MOD_SHIFT, 'J')));
    ASSERT_TRUE(hot_key.Register("Ctrl + Shift", "J"));
    const WPARAM id = static_cast<WPARAM>(hot_key.id());
    EXPECT_TRUE(hot_key.Matches(id, MAKELPARAM(MOD_CONTROL | MOD_SHIFT, 'J')));
    EXPECT_FALSE(hot_key.Matches(id + 1, MAKELPARAM(MOD_CONTROL | MOD_SHIFT, 'J')));
    EXPECT_FALSE(hot_key.Matches(id, MAKELPARAM(MOD_CONTROL, 'J')));
    EXPECT_FALSE(hot_key.Matches(id, MAKELPARAM(MOD_CONTROL | MOD_SHIFT, 'K')));
    hot_key.Unregister();
    EXPECT_FALSE(hot_key.Matches(id, MAKELPARAM(MOD_CONTROL | MOD_SHIFT, 'J')));
}

TEST(ChimeHotKey, SettingsDialogRegistersAnewOnlyWhenSomethingChanged) {
    HotKeyWindow window;
    ChimeHotKey hot_key(window.hwnd());
    hot_key.Apply(true, "Alt + Ctrl", "L");
    ASSERT_TRUE(hot_key.IsRegistered());
    EXPECT_TRUE(hot_key.Matches(hot_key.id(), MAKELPARAM(MOD_ALT | MOD_CONTROL, 'L')));

    hot_key.Apply(true, "Alt + Ctrl", "L");
    EXPECT_TRUE(hot_key.IsRegistered());

    hot_key.Apply(true, "Alt + Ctrl", "M");
    EXPECT_TRUE(hot_key.Matches(hot_key.id(), MAKELPARAM(MOD_ALT | MOD_CONTROL, 'M')));
    EXPECT_FALSE(hot_key.Matches(hot_key.id(), MAKELPARAM(MOD_ALT | MOD_CONTROL, 'L')));
    // The old key is free again.
    HotKeyWindow other;
    ChimeHotKey old_key(other.hwnd());
    EXPECT_TRUE(old_key.Register("Alt + Ctrl", "L"));
    old_key.Unregister();

    hot_key.Apply(false, "Alt + Ctrl", "M");
    EXPECT_FALSE(hot_key.IsRegistered());
    EXPECT_EQ(FindAtom(), 0);
}

TEST(ChimeHotKey, PressedKeySpeaksTheTime) {
    HotKeyWindow window;
    ChimeHotKey hot_key(window.hwnd());
    ASSERT_TRUE(hot_key.Register("Ctrl", "Q"));
    PressKeys({VK_CONTROL, 'Q'});
    ASSERT_TRUE(PumpUntil([&] { return !window.hot_keys.empty(); }));
    const auto [wparam, lparam] = window.hot_keys.front();

    RecordingPlayer player;
    NoPopup popup;
    ClockAlarm alarm(player, popup, "C:\\K\\Sound");
    alarm.SetOptions(false, false, kChimeMessage);
    EXPECT_TRUE(SayTimeOnHotKey(hot_key, wparam, lparam, alarm, EncodeDate(2026, 12, 10) + EncodeTime(8, 0, 0)));
    EXPECT_EQ(player.lists, std::vector<std::string>{"C:\\K\\Sound\\T1.wav*C:\\K\\Sound\\To2.wav*C:\\K\\Sound\\8.wav*"
                                                     "C:\\K\\Sound\\H.wav*C:\\K\\Sound\\0.wav*C:\\K\\Sound\\0.wav*"
                                                     "C:\\K\\Sound\\M.wav"});
    EXPECT_FALSE(SayTimeOnHotKey(hot_key, wparam + 1, lparam, alarm, 0));
    EXPECT_EQ(player.lists.size(), 1u);
}

}  // namespace
}  // namespace kalvoro::win
