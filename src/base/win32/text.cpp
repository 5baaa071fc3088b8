#include "base/win32/text.h"

#include <windows.h>

#include "base/gbk.h"

namespace kalvoro {
namespace {

std::string LocaleText(LCTYPE type) {
    wchar_t buffer[128] = {};
    const int length = GetLocaleInfoW(LOCALE_USER_DEFAULT, type, buffer, static_cast<int>(std::size(buffer)));
    if (length <= 1) return {};
    return Narrow(std::wstring_view(buffer, static_cast<std::size_t>(length - 1)));
}

void AssignIfPresent(std::string& target, std::string value) {
    if (!value.empty()) target = std::move(value);
}

bool IsAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Literal text goes into quotes when it holds letters FormatDateTime would read as patterns.
void AppendLiteral(std::string& out, const std::string& literal) {
    bool needs_quotes = false;
    for (const char c : literal) needs_quotes = needs_quotes || IsAsciiLetter(c) || c == '"' || c == '\'';
    if (!needs_quotes) {
        out += literal;
        return;
    }
    const char quote = literal.find('"') == std::string::npos ? '"' : '\'';
    out += quote;
    for (const char c : literal) {
        if (c != quote) out += c;
    }
    out += quote;
}

}  // namespace

std::wstring Widen(std::string_view utf8) {
    const std::u16string utf16 = Utf8ToUtf16(utf8);
    return std::wstring(utf16.begin(), utf16.end());
}

std::string Narrow(std::wstring_view utf16) {
    return Utf16ToUtf8(std::u16string(utf16.begin(), utf16.end()));
}

std::string ConvertWindowsDateFormat(std::wstring_view picture) {
    std::string out;
    std::wstring literal;
    const auto flush_literal = [&] {
        if (!literal.empty()) AppendLiteral(out, Narrow(literal));
        literal.clear();
    };
    std::size_t pos = 0;
    while (pos < picture.size()) {
        const wchar_t c = picture[pos];
        if (c == L'\'' && pos + 1 < picture.size() && picture[pos + 1] == L'\'') {
            literal += L'\'';
            pos += 2;
            continue;
        }
        if (c == L'\'') {
            // Quoted text; two quotes in a row stand for one.
            ++pos;
            while (pos < picture.size()) {
                if (picture[pos] == L'\'' && pos + 1 < picture.size() && picture[pos + 1] == L'\'') {
                    literal += L'\'';
                    pos += 2;
                } else if (picture[pos] == L'\'') {
                    ++pos;
                    break;
                } else {
                    literal += picture[pos++];
                }
            }
            continue;
        }
        std::size_t count = 1;
        while (pos + count < picture.size() && picture[pos + count] == c) ++count;
        std::string pattern;
        switch (c) {
            case L'd':
                pattern = std::string(count > 4 ? 4 : count, 'd');
                break;
            case L'M':
                pattern = std::string(count > 4 ? 4 : count, 'm');
                break;
            case L'y':
                pattern = count <= 2 ? "yy" : "yyyy";
                break;
            case L'h':
            case L'H':
                pattern = count == 1 ? "h" : "hh";
                break;
            case L'm':
                pattern = count == 1 ? "n" : "nn";
                break;
            case L's':
                pattern = count == 1 ? "s" : "ss";
                break;
            case L't':
                pattern = "AM/PM";
                break;
            case L'g':
                pattern = "";
                break;  // era names have no pattern letter
            default:
                literal.append(count, c);
                pos += count;
                continue;
        }
        flush_literal();
        out += pattern;
        pos += count;
    }
    flush_literal();
    return out;
}

const DateLocale& SystemDateLocale() {
    static const DateLocale locale = [] {
        DateLocale system = ChineseDateLocale();
        // LOCALE_SDAYNAME1 is Monday; the tables start on Sunday.
        for (int day = 0; day < 7; ++day) {
            const int windows_index = (day + 6) % 7;
            AssignIfPresent(system.long_day_names[day], LocaleText(LOCALE_SDAYNAME1 + windows_index));
            AssignIfPresent(system.short_day_names[day], LocaleText(LOCALE_SABBREVDAYNAME1 + windows_index));
        }
        for (int month = 0; month < 12; ++month) {
            AssignIfPresent(system.long_month_names[month], LocaleText(LOCALE_SMONTHNAME1 + month));
            AssignIfPresent(system.short_month_names[month], LocaleText(LOCALE_SABBREVMONTHNAME1 + month));
        }
        const std::string short_date = LocaleText(LOCALE_SSHORTDATE);
        if (!short_date.empty()) AssignIfPresent(system.short_date_format, ConvertWindowsDateFormat(Widen(short_date)));
        const std::string long_time = LocaleText(LOCALE_STIMEFORMAT);
        if (!long_time.empty()) AssignIfPresent(system.long_time_format, ConvertWindowsDateFormat(Widen(long_time)));
        return system;
    }();
    return locale;
}

std::string AppDirectory() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        if (path.size() >= 32768) return {};
        path.resize(path.size() * 2);
    }
    path.resize(path.find_last_of(L"\\/") + 1);
    return Narrow(path);
}

}  // namespace kalvoro
