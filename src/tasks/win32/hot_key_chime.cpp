#include "tasks/win32/hot_key_chime.h"

#include "tasks/chime_clock_alarm.h"

namespace kalvoro::win {
namespace {

// Global atoms name ids from 0xC000 up; hot key ids of a program lie below 0xC000.
constexpr int kAtomBase = 0xC000;

}  // namespace

bool ChimeHotKey::Register(std::string_view modifier_text, std::string_view key_text) {
    Unregister();
    modifier_text_ = modifier_text;
    key_text_ = key_text;
    const auto combination = ParseChimeHotKey(modifier_text, key_text);
    if (!combination) return false;
    combination_ = *combination;
    const ATOM atom = ::GlobalAddAtomA(kChimeHotKeyAtomName);
    if (atom == 0) return false;
    const int id = static_cast<int>(atom) - kAtomBase;
    if (id <= 0) {
        ::GlobalDeleteAtom(atom);
        return false;
    }
    if (!::RegisterHotKey(window_, id, combination_.modifiers, combination_.virtual_key)) {
        ::GlobalDeleteAtom(atom);
        return false;
    }
    id_ = id;
    return true;
}

void ChimeHotKey::Unregister() {
    if (id_ <= 0) return;
    ::UnregisterHotKey(window_, id_);
    ::GlobalDeleteAtom(static_cast<ATOM>(id_ + kAtomBase));
    id_ = 0;
}

void ChimeHotKey::Apply(bool enabled, std::string_view modifier_text, std::string_view key_text) {
    if (!enabled) {
        Unregister();
        return;
    }
    if (IsRegistered() && modifier_text == modifier_text_ && key_text == key_text_) return;
    Unregister();
    Register(modifier_text, key_text);
}

bool ChimeHotKey::Matches(WPARAM wparam, LPARAM lparam) const {
    if (id_ <= 0 || static_cast<int>(wparam) != id_) return false;
    const auto modifiers = static_cast<unsigned>(LOWORD(lparam));
    const auto key = static_cast<unsigned>(HIWORD(lparam));
    return key == combination_.virtual_key && modifiers == combination_.modifiers;
}

bool SayTimeOnHotKey(const ChimeHotKey& hot_key, WPARAM wparam, LPARAM lparam, ClockAlarm& alarm, DateTime now) {
    if (!hot_key.Matches(wparam, lparam)) return false;
    alarm.SayTime(now);
    return true;
}

}  // namespace kalvoro::win
