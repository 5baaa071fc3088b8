#include "calendar/sorted_string_list.h"

#include <algorithm>

namespace kalvoro {
namespace {

unsigned char Fold(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (byte >= 'A' && byte <= 'Z') ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}

int CompareIgnoringCase(std::string_view left, std::string_view right) {
    const std::size_t common = std::min(left.size(), right.size());
    for (std::size_t i = 0; i < common; ++i) {
        const unsigned char a = Fold(left[i]);
        const unsigned char b = Fold(right[i]);
        if (a != b) return a < b ? -1 : 1;
    }
    if (left.size() == right.size()) return 0;
    return left.size() < right.size() ? -1 : 1;
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && CompareIgnoringCase(text.substr(0, prefix.size()), prefix) == 0;
}

// The number of a text of exactly four ASCII digits, or -1.
int FourDigitNumber(std::string_view text) {
    if (text.size() != 4) return -1;
    int number = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return -1;
        number = number * 10 + (c - '0');
    }
    return number;
}

}  // namespace

SortedStringList::SortedStringList(std::span<const StringEntry> entries) {
    for (const StringEntry& entry : entries) Add(entry.text, entry.value);
}

std::vector<StringEntry>::const_iterator SortedStringList::LowerBound(std::string_view text) const {
    return std::lower_bound(entries_.begin(), entries_.end(), text, [](const StringEntry& entry, std::string_view key) {
        return CompareIgnoringCase(entry.text, key) < 0;
    });
}

std::size_t SortedStringList::Add(std::string_view text, std::int32_t value) {
    const auto position = LowerBound(text);
    const auto index = static_cast<std::size_t>(position - entries_.begin());
    if (position != entries_.end() && CompareIgnoringCase(position->text, text) == 0) return index;
    entries_.insert(position, StringEntry{std::string(text), value});
    RebuildDigitIndex();
    return index;
}

void SortedStringList::Delete(std::size_t index) {
    if (index >= entries_.size()) return;
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(index));
    RebuildDigitIndex();
}

void SortedStringList::Clear() {
    entries_.clear();
    RebuildDigitIndex();
}

void SortedStringList::RebuildDigitIndex() {
    digit_texts_.clear();
    digit_names_.clear();
    // Beyond 65535 entries the index cannot point; those lists take the string search alone.
    if (entries_.size() > 0xFFFF) return;
    // Entries come in sorted order, so both indexes come out sorted by number.
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const std::string_view text = entries_[i].text;
        const auto index = static_cast<std::uint16_t>(i);
        if (const int number = FourDigitNumber(text); number >= 0) {
            digit_texts_.push_back({static_cast<std::uint16_t>(number), index});
        } else if (text.size() > 4 && text[4] == '=') {
            const int name = FourDigitNumber(text.substr(0, 4));
            if (name >= 0 && (digit_names_.empty() || digit_names_.back().key != name)) {
                digit_names_.push_back({static_cast<std::uint16_t>(name), index});
            }
        }
    }
}

std::optional<std::size_t> SortedStringList::Find(const std::vector<DigitKey>& index, int key) {
    const auto position = std::lower_bound(index.begin(), index.end(), key,
                                           [](const DigitKey& entry, int wanted) { return entry.key < wanted; });
    if (position == index.end() || position->key != key) return std::nullopt;
    return position->index;
}

std::optional<std::size_t> SortedStringList::IndexOf(std::string_view text) const {
    if (const int number = FourDigitNumber(text); number >= 0 && entries_.size() <= 0xFFFF) {
        return Find(digit_texts_, number);
    }
    const auto position = LowerBound(text);
    if (position == entries_.end() || CompareIgnoringCase(position->text, text) != 0) return std::nullopt;
    return static_cast<std::size_t>(position - entries_.begin());
}

std::optional<std::size_t> SortedStringList::IndexOfName(std::string_view name) const {
    if (const int number = FourDigitNumber(name); number >= 0 && entries_.size() <= 0xFFFF) {
        return Find(digit_names_, number);
    }
    // A name ends at the first "=", so it never contains one.
    if (name.find('=') != std::string_view::npos) return std::nullopt;
    // Every entry named name starts with name + "="; in sorted order they stand together, and the
    // first of them is the first entry not below that prefix.
    char buffer[32];
    std::string long_prefix;
    std::string_view prefix;
    if (name.size() < sizeof buffer) {
        std::copy(name.begin(), name.end(), buffer);
        buffer[name.size()] = '=';
        prefix = std::string_view(buffer, name.size() + 1);
    } else {
        long_prefix.assign(name);
        long_prefix += '=';
        prefix = long_prefix;
    }
    const auto position = LowerBound(prefix);
    if (position == entries_.end() || !StartsWithIgnoringCase(position->text, prefix)) return std::nullopt;
    return static_cast<std::size_t>(position - entries_.begin());
}

}  // namespace kalvoro
