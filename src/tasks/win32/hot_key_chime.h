#pragma once
// The global hot key that speaks the time (CLOCK/HotKey, HotKey1, HotKey2), registered on the
// bar's window under an id taken from the global atom "KalvoroDefineHotKey".

#include <windows.h>

#include <string>
#include <string_view>

#include "base/date_time.h"
#include "tasks/hot_key_text.h"

namespace kalvoro {
class ClockAlarm;
}

namespace kalvoro::win {

inline constexpr char kChimeHotKeyAtomName[] = "KalvoroDefineHotKey";

class ChimeHotKey {
public:
    explicit ChimeHotKey(HWND window) : window_(window) {}
    ChimeHotKey(const ChimeHotKey&) = delete;
    ChimeHotKey& operator=(const ChimeHotKey&) = delete;
    ~ChimeHotKey() { Unregister(); }

    // RegisterChimeHotKey: remembers both texts, then registers the key they name. False, with
    // nothing registered, for an unknown modifier text, an empty key or a key another program
    // holds. A key registered before is given back first.
    bool Register(std::string_view modifier_text, std::string_view key_text);
    // UnregisterChimeHotKey: gives the key and its atom back.
    void Unregister();

    // After the settings dialog: registers anew when the hot key is on and its texts changed or
    // none is registered; unregisters when it is off.
    void Apply(bool enabled, std::string_view modifier_text, std::string_view key_text);

    // WM_HOTKEY on the window: true when it is this key (id, key and modifiers all match).
    bool Matches(WPARAM wparam, LPARAM lparam) const;

    bool IsRegistered() const { return id_ > 0; }
    int id() const { return id_; }
    const std::string& modifier_text() const { return modifier_text_; }
    const std::string& key_text() const { return key_text_; }

private:
    HWND window_;
    int id_ = 0;
    ChimeKeyCombination combination_;
    std::string modifier_text_;
    std::string key_text_;
};

// The host's WM_HOTKEY: speaks the time when the message is the chime key and returns true; the
// window procedure then answers 1.
bool SayTimeOnHotKey(const ChimeHotKey& hot_key, WPARAM wparam, LPARAM lparam, ClockAlarm& alarm, DateTime now);

}  // namespace kalvoro::win
