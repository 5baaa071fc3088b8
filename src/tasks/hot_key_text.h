#pragma once
// The chime hot key as the settings store it: CLOCK/HotKey1 names the modifiers ("Ctrl + Shift"),
// CLOCK/HotKey2 the key ("T"). Parsing is platform-free; registering it is win32/hot_key_chime.h.

#include <optional>
#include <string_view>

namespace kalvoro {

inline constexpr unsigned kHotKeyModAlt = 1;      // MOD_ALT
inline constexpr unsigned kHotKeyModControl = 2;  // MOD_CONTROL
inline constexpr unsigned kHotKeyModShift = 4;    // MOD_SHIFT

// Modifier bits of a HotKey1 text, compared without regard to letter case; 0 when it is none of
// "Alt", "Ctrl", "Shift", "Alt + Ctrl", "Alt + Shift", "Ctrl + Shift", "Alt + Ctrl + Shift".
unsigned HotKeyModifierBits(std::string_view modifier_text);

// Virtual key code of a HotKey2 text: the character code of its first character, 0 when the text
// is empty or starts with a character that names no key (a control character, anything beyond
// ASCII). A small letter counts as its capital, the code of the key that types it.
unsigned HotKeyVirtualKey(std::string_view key_text);

struct ChimeKeyCombination {
    unsigned modifiers = 0;
    unsigned virtual_key = 0;
    bool operator==(const ChimeKeyCombination&) const = default;
};

// Both texts parsed; nothing when the modifiers are unknown or the key is empty.
std::optional<ChimeKeyCombination> ParseChimeHotKey(std::string_view modifier_text, std::string_view key_text);

}  // namespace kalvoro
