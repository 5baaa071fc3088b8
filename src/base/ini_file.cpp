#include "base/ini_file.h"

#include <cstdint>
#include <limits>

#include "base/gbk.h"

namespace kalvoro {
namespace {

constexpr std::size_t kMaxValueBytes = 2047;
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

char ToLowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsGbkLead(unsigned char byte) {
    return byte >= 0x81 && byte <= 0xFE;
}

// Compares GBK names ignoring ASCII case. Trail bytes of two-byte characters can look like ASCII
// letters, so they are compared exactly.
bool EqualsIgnoreCaseGbk(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (IsGbkLead(static_cast<unsigned char>(a[i]))) {
            if (a[i] != b[i]) return false;
            if (i + 1 < a.size()) {
                ++i;
                if (a[i] != b[i]) return false;
            }
        } else if (ToLowerAscii(a[i]) != ToLowerAscii(b[i])) {
            return false;
        }
    }
    return true;
}

enum class LineKind { kOther, kSection, kKey };

struct ParsedLine {
    LineKind kind = LineKind::kOther;
    std::string_view name;   // section or key name, trimmed
    std::string_view value;  // key lines only, trimmed
};

ParsedLine ParseLine(std::string_view line, bool first_line) {
    if (first_line && line.substr(0, kUtf8Bom.size()) == kUtf8Bom) line.remove_prefix(kUtf8Bom.size());
    const std::string_view text = Trim(line);
    ParsedLine parsed;
    if (text.empty() || text.front() == ';') return parsed;
    if (text.front() == '[') {
        const std::size_t close = text.rfind(']');
        if (close != std::string_view::npos) {
            parsed.kind = LineKind::kSection;
            parsed.name = Trim(text.substr(1, close - 1));
        }
        return parsed;
    }
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos) return parsed;
    parsed.name = Trim(text.substr(0, equals));
    if (parsed.name.empty()) return parsed;
    parsed.kind = LineKind::kKey;
    parsed.value = Trim(text.substr(equals + 1));
    return parsed;
}

bool IsValidSectionName(std::string_view gbk) {
    return gbk.find_first_of("]\r\n") == std::string_view::npos;
}

bool IsValidKeyName(std::string_view gbk) {
    const std::string_view trimmed = Trim(gbk);
    return !trimmed.empty() && trimmed.front() != '[' && trimmed.front() != ';' &&
           gbk.find_first_of("=\r\n") == std::string_view::npos;
}

// A line break inside a value would turn the rest into lines of their own.
std::string SingleLine(std::string gbk) {
    for (char& c : gbk) {
        if (c == '\r' || c == '\n') c = ' ';
    }
    return gbk;
}

struct LineRange {
    std::size_t header = 0;  // the section line
    std::size_t end = 0;     // the next section line or the end
};

// Like the Win32 profile functions, only the first section of a name counts.
std::optional<LineRange> FindFirstSection(const std::vector<std::string>& lines, std::string_view gbk_name) {
    std::optional<LineRange> range;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const ParsedLine line = ParseLine(lines[i], i == 0);
        if (line.kind != LineKind::kSection) continue;
        if (range) {
            range->end = i;
            return range;
        }
        if (EqualsIgnoreCaseGbk(line.name, gbk_name)) range = LineRange{i, lines.size()};
    }
    return range;
}

std::optional<std::uint32_t> ParseDigits(std::string_view digits, unsigned base, std::uint32_t limit) {
    if (digits.empty()) return std::nullopt;
    std::uint64_t value = 0;
    for (const char c : digits) {
        unsigned digit;
        if (c >= '0' && c <= '9') {
            digit = static_cast<unsigned>(c - '0');
        } else if (base == 16 && ToLowerAscii(c) >= 'a' && ToLowerAscii(c) <= 'f') {
            digit = static_cast<unsigned>(ToLowerAscii(c) - 'a' + 10);
        } else {
            return std::nullopt;
        }
        value = value * base + digit;
        if (value > limit) return std::nullopt;
    }
    return static_cast<std::uint32_t>(value);
}

}  // namespace

std::optional<int> ParseIniInteger(std::string_view text) {
    text = Trim(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    std::optional<std::uint32_t> magnitude;
    if (text.substr(0, 2) == "0x" || text.substr(0, 2) == "0X") {
        magnitude = ParseDigits(text.substr(2), 16, std::numeric_limits<std::uint32_t>::max());
    } else if (text.substr(0, 1) == "$") {
        magnitude = ParseDigits(text.substr(1), 16, std::numeric_limits<std::uint32_t>::max());
    } else {
        // Decimal text must fit an int: up to 2147483647, or 2147483648 with a minus sign.
        const std::uint32_t limit = negative ? 0x80000000u : 0x7FFFFFFFu;
        magnitude = ParseDigits(text, 10, limit);
    }
    if (!magnitude) return std::nullopt;
    // Hexadecimal text is a 32-bit pattern: "$FFFFFFFF" is -1.
    const std::uint32_t bits = negative ? 0u - *magnitude : *magnitude;
    return static_cast<int>(static_cast<std::int32_t>(bits));
}

IniDocument IniDocument::Parse(std::string_view gbk_bytes) {
    IniDocument document;
    std::size_t start = 0;
    while (start < gbk_bytes.size()) {
        std::size_t end = gbk_bytes.find('\n', start);
        if (end == std::string_view::npos) end = gbk_bytes.size();
        std::string_view line = gbk_bytes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        document.lines_.emplace_back(line);
        start = end + 1;
    }
    return document;
}

std::string IniDocument::Serialize() const {
    std::size_t size = 0;
    for (const std::string& line : lines_) size += line.size() + 2;
    std::string bytes;
    bytes.reserve(size);
    for (const std::string& line : lines_) {
        bytes += line;
        bytes += "\r\n";
    }
    return bytes;
}

bool IniDocument::HasSection(std::string_view section) const {
    const std::string wanted = Utf8ToGbk(section);
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const ParsedLine line = ParseLine(lines_[i], i == 0);
        if (line.kind == LineKind::kSection && EqualsIgnoreCaseGbk(line.name, wanted)) return true;
    }
    return false;
}

bool IniDocument::HasKey(std::string_view section, std::string_view key) const {
    return Value(section, key).has_value();
}

std::optional<std::string> IniDocument::Value(std::string_view section, std::string_view key) const {
    const std::optional<LineRange> range = FindFirstSection(lines_, Utf8ToGbk(section));
    if (!range) return std::nullopt;
    const std::string wanted_key = Utf8ToGbk(key);
    for (std::size_t i = range->header + 1; i < range->end; ++i) {
        const ParsedLine line = ParseLine(lines_[i], false);
        if (line.kind == LineKind::kKey && EqualsIgnoreCaseGbk(line.name, wanted_key)) {
            return GbkToUtf8(line.value.substr(0, GbkCutLength(line.value, kMaxValueBytes)));
        }
    }
    return std::nullopt;
}

std::vector<std::string> IniDocument::SectionNames() const {
    std::vector<std::string_view> seen;
    std::vector<std::string> names;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const ParsedLine line = ParseLine(lines_[i], i == 0);
        if (line.kind != LineKind::kSection) continue;
        bool duplicate = false;
        for (const std::string_view name : seen) duplicate = duplicate || EqualsIgnoreCaseGbk(name, line.name);
        if (duplicate) continue;
        seen.push_back(line.name);
        names.push_back(GbkToUtf8(line.name));
    }
    return names;
}

std::vector<std::string> IniDocument::KeyNames(std::string_view section) const {
    std::vector<std::string_view> seen;
    std::vector<std::string> names;
    const std::optional<LineRange> range = FindFirstSection(lines_, Utf8ToGbk(section));
    if (!range) return names;
    for (std::size_t i = range->header + 1; i < range->end; ++i) {
        const ParsedLine line = ParseLine(lines_[i], false);
        if (line.kind != LineKind::kKey) continue;
        bool duplicate = false;
        for (const std::string_view name : seen) duplicate = duplicate || EqualsIgnoreCaseGbk(name, line.name);
        if (duplicate) continue;
        seen.push_back(line.name);
        names.push_back(GbkToUtf8(line.name));
    }
    return names;
}

int IniDocument::ReadInteger(std::string_view section, std::string_view key, int default_value) const {
    const std::optional<std::string> value = Value(section, key);
    if (!value) return default_value;
    return ParseIniInteger(*value).value_or(default_value);
}

bool IniDocument::ReadBool(std::string_view section, std::string_view key, bool default_value) const {
    const std::optional<std::string> value = Value(section, key);
    if (!value) return default_value;
    const std::optional<int> number = ParseIniInteger(*value);
    return number ? *number != 0 : default_value;
}

std::string IniDocument::ReadString(std::string_view section, std::string_view key,
                                    std::string_view default_value) const {
    std::optional<std::string> value = Value(section, key);
    return value ? std::move(*value) : std::string(default_value);
}

void IniDocument::Write(std::string_view section, std::string_view key, std::string_view utf8_value) {
    const std::string wanted_section = Utf8ToGbk(section);
    const std::string wanted_key = Utf8ToGbk(key);
    if (!IsValidSectionName(wanted_section) || !IsValidKeyName(wanted_key)) return;
    const std::string value = SingleLine(Utf8ToGbk(utf8_value));

    const std::string new_line = std::string(Trim(wanted_key)) + "=" + value;
    const std::optional<LineRange> range = FindFirstSection(lines_, wanted_section);
    if (!range) {
        if (!lines_.empty() && !Trim(lines_.back()).empty()) lines_.emplace_back();
        lines_.push_back("[" + wanted_section + "]");
        lines_.push_back(new_line);
        return;
    }
    // A missing key goes after the section's last non-blank line, before the blank lines that
    // separate it from the next section.
    std::size_t insert_at = range->header + 1;
    for (std::size_t i = range->header + 1; i < range->end; ++i) {
        const ParsedLine line = ParseLine(lines_[i], false);
        if (line.kind == LineKind::kKey && EqualsIgnoreCaseGbk(line.name, wanted_key)) {
            lines_[i] = std::string(line.name) + "=" + value;
            return;
        }
        if (!Trim(lines_[i]).empty()) insert_at = i + 1;
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insert_at), new_line);
}

void IniDocument::EraseKey(std::string_view section, std::string_view key) {
    const std::string wanted_section = Utf8ToGbk(section);
    const std::string wanted_key = Utf8ToGbk(key);
    std::vector<std::string> kept;
    kept.reserve(lines_.size());
    bool in_section = false;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const ParsedLine line = ParseLine(lines_[i], i == 0);
        if (line.kind == LineKind::kSection) in_section = EqualsIgnoreCaseGbk(line.name, wanted_section);
        const bool erase = in_section && line.kind == LineKind::kKey && EqualsIgnoreCaseGbk(line.name, wanted_key);
        if (!erase) kept.push_back(std::move(lines_[i]));
    }
    lines_ = std::move(kept);
}

void IniDocument::EraseSection(std::string_view section) {
    const std::string wanted = Utf8ToGbk(section);
    std::vector<std::string> kept;
    kept.reserve(lines_.size());
    bool in_section = false;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const ParsedLine line = ParseLine(lines_[i], i == 0);
        if (line.kind == LineKind::kSection) in_section = EqualsIgnoreCaseGbk(line.name, wanted);
        if (!in_section) kept.push_back(std::move(lines_[i]));
    }
    lines_ = std::move(kept);
}

IniDocument IniFile::Load() const {
    const std::optional<std::string> bytes = files_.ReadAll(path_);
    return bytes ? IniDocument::Parse(*bytes) : IniDocument();
}

int IniFile::ReadInteger(std::string_view section, std::string_view key, int default_value) const {
    return Load().ReadInteger(section, key, default_value);
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool default_value) const {
    return Load().ReadBool(section, key, default_value);
}

std::string IniFile::ReadString(std::string_view section, std::string_view key, std::string_view default_value) const {
    return Load().ReadString(section, key, default_value);
}

bool IniFile::WriteInteger(std::string_view section, std::string_view key, int value) {
    return WriteString(section, key, std::to_string(value));
}

bool IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
    return WriteString(section, key, value ? "1" : "0");
}

bool IniFile::WriteString(std::string_view section, std::string_view key, std::string_view utf8_value) {
    if (!IsValidSectionName(Utf8ToGbk(section)) || !IsValidKeyName(Utf8ToGbk(key))) return false;
    const std::optional<std::string> bytes = files_.ReadAll(path_);
    // A file that exists but cannot be read must not be replaced by one holding a single value.
    if (!bytes && files_.Exists(path_)) return false;
    IniDocument document = bytes ? IniDocument::Parse(*bytes) : IniDocument();
    document.Write(section, key, utf8_value);
    return files_.WriteAtomic(path_, document.Serialize());
}

}  // namespace kalvoro
