#pragma once
// A sorted list of strings, each with one 32-bit value beside it. Duplicates are ignored and
// comparison ignores ASCII case, so "0505=a" and "0505=A" are one entry.
// The calendar looks up four-digit keys for every cell of every repaint, so those are indexed by
// their number; other texts take the binary search over the strings.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kalvoro {

struct StringEntry {
    std::string text;
    std::int32_t value = 0;

    friend bool operator==(const StringEntry&, const StringEntry&) = default;
};

class SortedStringList {
public:
    SortedStringList() = default;
    // Added one by one, so the result is sorted and free of duplicates whatever the input.
    explicit SortedStringList(std::span<const StringEntry> entries);

    // Returns the index of the new entry, or of the equal entry already present (left unchanged).
    std::size_t Add(std::string_view text, std::int32_t value);
    void Delete(std::size_t index);
    void Clear();

    std::optional<std::size_t> IndexOf(std::string_view text) const;
    // The first entry whose part before the first "=" equals name.
    std::optional<std::size_t> IndexOfName(std::string_view name) const;

    std::size_t size() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }
    const StringEntry& operator[](std::size_t index) const { return entries_[index]; }
    std::span<const StringEntry> entries() const { return entries_; }
    auto begin() const { return entries_.begin(); }
    auto end() const { return entries_.end(); }

private:
    struct DigitKey {
        std::uint16_t key;
        std::uint16_t index;
    };

    std::vector<StringEntry>::const_iterator LowerBound(std::string_view text) const;
    void RebuildDigitIndex();
    static std::optional<std::size_t> Find(const std::vector<DigitKey>& index, int key);

    std::vector<StringEntry> entries_;
    std::vector<DigitKey> digit_texts_;  // entries that are four digits
    std::vector<DigitKey> digit_names_;  // the first entry named by four digits before "="
};

}  // namespace kalvoro
