#pragma once
// Name rules every file store shares, so that listings look the same on disk and in memory.

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace kalvoro::file_store_names {

inline char ToLowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Byte order after ASCII case folding, bytes above 0x7F after all ASCII.
inline bool LessIgnoringCase(char a, char b) {
    return static_cast<unsigned char>(ToLowerAscii(a)) < static_cast<unsigned char>(ToLowerAscii(b));
}

inline bool EndsWithIgnoreCase(std::string_view name, std::string_view suffix) {
    if (name.size() < suffix.size()) return false;
    const std::string_view tail = name.substr(name.size() - suffix.size());
    return std::equal(tail.begin(), tail.end(), suffix.begin(), suffix.end(),
                      [](char a, char b) { return ToLowerAscii(a) == ToLowerAscii(b); });
}

// Windows lists names without regard to case; ties fall back to the bytes so the order is total.
inline void SortNames(std::vector<std::string>& names) {
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const bool less = std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), LessIgnoringCase);
        const bool greater = std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), LessIgnoringCase);
        return less || (!greater && a < b);
    });
}

}  // namespace kalvoro::file_store_names
