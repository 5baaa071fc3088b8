#include "tasks/hot_key_text.h"

#include <array>
#include <utility>

namespace kalvoro {
namespace {

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    }
    return true;
}

}  // namespace

unsigned HotKeyModifierBits(std::string_view modifier_text) {
    static constexpr std::array<std::pair<std::string_view, unsigned>, 7> kCombinations{{
        {"Alt", kHotKeyModAlt},
        {"Ctrl", kHotKeyModControl},
        {"Shift", kHotKeyModShift},
        {"Alt + Ctrl", kHotKeyModAlt | kHotKeyModControl},
        {"Alt + Shift", kHotKeyModAlt | kHotKeyModShift},
        {"Ctrl + Shift", kHotKeyModControl | kHotKeyModShift},
        {"Alt + Ctrl + Shift", kHotKeyModAlt | kHotKeyModControl | kHotKeyModShift},
    }};
    for (const auto& [text, bits] : kCombinations) {
        if (EqualsNoCase(modifier_text, text)) return bits;
    }
    return 0;
}

unsigned HotKeyVirtualKey(std::string_view key_text) {
    if (key_text.empty()) return 0;
    const auto first = static_cast<unsigned char>(key_text.front());
    // Small letters name the same key as capitals: their own codes are the numeric keypad's.
    if (first >= 'a' && first <= 'z') return first - 'a' + 'A';
    // A character beyond ASCII names no key; its first UTF-8 byte would pick an unrelated one.
    if (first >= 0x80 || first < ' ') return 0;
    return first;
}

std::optional<ChimeKeyCombination> ParseChimeHotKey(std::string_view modifier_text, std::string_view key_text) {
    const unsigned modifiers = HotKeyModifierBits(modifier_text);
    if (modifiers == 0) return std::nullopt;
    const unsigned key = HotKeyVirtualKey(key_text);
    if (key == 0) return std::nullopt;
    return ChimeKeyCombination{modifiers, key};
}

}  // namespace kalvoro
