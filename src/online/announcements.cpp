#include "online/announcements.h"

#include <cmath>
#include <cstdint>

#include "base/gbk.h"
#include "base/ini_file.h"
#include "online/text_lines.h"

namespace kalvoro {
namespace {

constexpr std::string_view kRecordStart = "*";
// The date line's underlined announcement font.
constexpr std::string_view kFontADTag = "<FontAD>";
constexpr std::string_view kDownloadEnd = "$";
// Junk on disk larger than any download we could have saved.
constexpr std::size_t kMaxStoredFileBytes = kMaxAnnouncementDownloadBytes + 1024;

bool HasAction(int kind) {
    return kind == kAnnouncementOpenAddress || kind == kAnnouncementOfferHomePage;
}

bool IsDropped(int kind) {
    return kind == 0 || kind == 2;
}

// A field as the date line shows it: cut to its limit, decoded, control characters as blanks (a
// NUL would end the text at the Win32 boundary).
std::string FieldText(std::string_view gbk) {
    gbk = gbk.substr(0, GbkCutLength(gbk, kMaxAnnouncementFieldBytes));
    std::string text = GbkToUtf8(gbk);
    for (char& c : text) {
        if (static_cast<unsigned char>(c) < ' ') c = ' ';
    }
    return text;
}

// The order of year, month and day in a short date pattern ("yyyy/m/d", "d.m.yyyy", "m/d/yy").
struct DateOrder {
    int year = 0;
    int month = 1;
    int day = 2;
};

DateOrder DateOrderOf(std::string_view pattern) {
    DateOrder order{-1, -1, -1};
    int next = 0;
    for (const char raw : pattern) {
        const char c = static_cast<char>(raw >= 'A' && raw <= 'Z' ? raw - 'A' + 'a' : raw);
        int* slot = c == 'y' ? &order.year : c == 'm' ? &order.month : c == 'd' ? &order.day : nullptr;
        if (slot && *slot < 0) *slot = next++;
    }
    if (order.year < 0 || order.month < 0 || order.day < 0) return {};
    return order;
}

bool Contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

}  // namespace

std::string FormatAnnouncementStamp(DateTime value, const DateLocale& locale) {
    return FormatDateTime(locale.short_date_format + " " + locale.long_time_format, value, locale);
}

std::optional<DateTime> ParseAnnouncementStamp(std::string_view text, const DateLocale& locale) {
    constexpr std::size_t kMaxNumbers = 7;
    constexpr std::size_t kMaxDigits = 9;
    int numbers[kMaxNumbers] = {};
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] < '0' || text[i] > '9') {
            ++i;
            continue;
        }
        if (count == kMaxNumbers) return std::nullopt;
        std::size_t digits = 0;
        int value = 0;
        for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
            if (++digits > kMaxDigits) return std::nullopt;
            value = value * 10 + (text[i] - '0');
        }
        numbers[count++] = value;
    }
    if (count < 3) return std::nullopt;
    const DateOrder order = DateOrderOf(locale.short_date_format);
    int year = numbers[order.year];
    if (year < 100) year += 2000;
    const int month = numbers[order.month];
    const int day = numbers[order.day];
    int hour = count > 3 ? numbers[3] : 0;
    const int minute = count > 4 ? numbers[4] : 0;
    const int second = count > 5 ? numbers[5] : 0;
    const bool afternoon =
        Contains(text, "PM") || Contains(text, "pm") || Contains(text, "下午") || Contains(text, "晚上");
    const bool morning = Contains(text, "AM") || Contains(text, "am") || Contains(text, "上午");
    if (afternoon && hour < 12) hour += 12;
    if (morning && hour == 12) hour = 0;
    if (!IsValidDate(year, month, day) || hour > 23 || minute > 59 || second > 59) return std::nullopt;
    return EncodeDate(year, month, day) + EncodeTime(hour, minute, second);
}

AnnouncementHeader ParseAnnouncementHeader(std::string_view line, const DateLocale& locale) {
    AnnouncementHeader header;
    const std::size_t bar = line.find('|');
    if (bar == std::string_view::npos) return header;
    header.id = std::string(line.substr(0, bar));
    const std::string_view rest = line.substr(bar + 1);
    const std::size_t second_bar = rest.find('|');
    if (second_bar == std::string_view::npos) return header;
    header.interval_days = ParseIniInteger(rest.substr(0, second_bar)).value_or(kDefaultAnnouncementIntervalDays);
    header.last = ParseAnnouncementStamp(GbkToUtf8(rest.substr(second_bar + 1)), locale).value_or(0);
    return header;
}

bool AnnouncementsDue(const AnnouncementHeader& header, DateTime now) {
    if (header.id.empty() || header.last == 0) return true;
    const double whole_days = std::trunc(std::fabs(now - header.last));
    return !(whole_days < static_cast<double>(header.interval_days));
}

std::optional<AnnouncementRequest> CheckAnnouncements(IFileStore& files, const std::string& app_dir,
                                                      std::string_view url, DateTime now, const DateLocale& locale) {
    const std::string file_name = app_dir + kAnnouncementFolder + kAnnouncementFileName;
    AnnouncementHeader header;
    if (const std::optional<std::string> stored = files.ReadAll(file_name)) {
        const std::string_view head = std::string_view(*stored).substr(0, kMaxStoredFileBytes);
        const std::vector<std::string_view> lines = SplitTextLines(head.substr(0, head.find_first_of("\r\n")));
        if (!lines.empty()) header = ParseAnnouncementHeader(lines.front(), locale);
    }
    if (!AnnouncementsDue(header, now)) return std::nullopt;
    return AnnouncementRequest{std::string(url), header.id, file_name};
}

unsigned NextAnnouncementCheckMs(IFileStore& files, const std::string& app_dir, DateTime now,
                                 const DateLocale& locale) {
    AnnouncementHeader header;
    if (const std::optional<std::string> stored =
            files.ReadAll(app_dir + kAnnouncementFolder + kAnnouncementFileName)) {
        const std::string_view text(*stored);
        header = ParseAnnouncementHeader(text.substr(0, text.find_first_of("\r\n")), locale);
    }
    if (AnnouncementsDue(header, now)) return kMinAnnouncementCheckMs;
    // Due once the whole days since the download reach the interval.
    const double due = header.last + static_cast<double>(header.interval_days);
    const double ms = (due - now) * 86400000.0;
    if (!(ms > kMinAnnouncementCheckMs)) return kMinAnnouncementCheckMs;
    if (ms > kMaxAnnouncementCheckMs) return kMaxAnnouncementCheckMs;
    return static_cast<unsigned>(ms);
}

std::optional<std::string> PrepareAnnouncementFile(std::string_view body, std::string_view last_id,
                                                   std::string_view stamp_utf8) {
    if (body.empty() || body.size() > kMaxAnnouncementDownloadBytes) return std::nullopt;
    std::vector<std::string_view> lines = SplitTextLines(body);
    if (lines.empty() || lines.back() != kDownloadEnd) return std::nullopt;
    const std::size_t bar = lines.front().find('|');
    if (bar == std::string_view::npos) return std::nullopt;
    if (lines.front().substr(0, bar) == last_id) return std::nullopt;
    lines.pop_back();
    std::string header(lines.front());
    if (!header.empty() && header.back() != '|') header += '|';
    header += Utf8ToGbk(stamp_utf8);
    lines.front() = header;
    return JoinTextLines(lines);
}

std::vector<TADRec> ParseAnnouncements(std::string_view file_gbk) {
    std::vector<TADRec> list;
    const std::vector<std::string_view> lines = SplitTextLines(file_gbk);
    bool in_record = false;
    int field = 0;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        if (line == kRecordStart) {
            if (!list.empty() && IsDropped(list.back().kind)) {
                list.back() = TADRec{};
            } else {
                // Past the limit the last record is reused; it is removed at the end.
                if (list.size() > kMaxAnnouncements) list.pop_back();
                list.emplace_back();
            }
            in_record = true;
            field = 0;
            continue;
        }
        if (!in_record) continue;
        TADRec& record = list.back();
        switch (field) {
            case 0:
                record.kind = ParseIniInteger(line).value_or(0);
                break;
            case 1:
                if (HasAction(record.kind)) record.text = FieldText(line);
                break;
            case 2:
                record.note = FieldText(line);
                break;
            case 3:
                record.link = FieldText(line);
                break;
            default:
                break;
        }
        if (field < 4) ++field;
    }
    if (!list.empty() && IsDropped(list.back().kind)) list.pop_back();
    if (list.size() > kMaxAnnouncements) list.resize(kMaxAnnouncements);
    return list;
}

LoadedAnnouncements LoadAnnouncements(IFileStore& files, const std::string& app_dir) {
    LoadedAnnouncements loaded;
    const std::optional<std::string> stored = files.ReadAll(app_dir + kAnnouncementFolder + kAnnouncementFileName);
    if (!stored) return loaded;
    loaded.file_found = true;
    if (stored->size() <= kMaxStoredFileBytes) loaded.list = ParseAnnouncements(*stored);
    return loaded;
}

std::vector<std::string> DateLineWithAnnouncements(const std::vector<std::string>& lines,
                                                   const std::vector<TADRec>& announcements) {
    std::vector<std::string> result;
    result.reserve(announcements.size() + 1);
    result.push_back(lines.empty() ? std::string() : lines.front());
    for (const TADRec& record : announcements) result.push_back(std::string(kFontADTag) + record.text);
    return result;
}

}  // namespace kalvoro
