#include "cal_format.h"

#include <cstdio>

#include "calendar/cell_text.h"
#include "calendar/date_texts.h"
#include "calendar/festival_text.h"
#include "calendar/ganzhi.h"
#include "calendar/lunar_calendar.h"
#include "calendar/lunar_names.h"
#include "calendar/solar_terms.h"
#include "calendar/week_number.h"

namespace kalvoro::cal {
namespace {

constexpr std::size_t kCellWidth = 8;
constexpr std::string_view kReverseVideo = "\x1b[7m";
constexpr std::string_view kNormalVideo = "\x1b[0m";
constexpr std::string_view kWeekdayHeads[] = {"日", "一", "二", "三", "四", "五", "六"};

std::string Spaces(std::size_t count) {
    return std::string(count, ' ');
}

// The text centred in a cell; reverse video covers the text only, so the columns stay put.
std::string Cell(std::string_view text, bool highlighted) {
    const std::size_t width = DisplayWidth(text);
    const std::size_t left = width < kCellWidth ? (kCellWidth - width + 1) / 2 : 0;
    const std::size_t right = width + left < kCellWidth ? kCellWidth - width - left : 0;
    std::string cell = Spaces(left);
    if (highlighted && !text.empty()) {
        cell += kReverseVideo;
        cell += text;
        cell += kNormalVideo;
    } else {
        cell += text;
    }
    cell += Spaces(right);
    return cell;
}

void TrimLineEnd(std::string& line) {
    while (!line.empty() && line.back() == ' ') line.pop_back();
}

void AppendLine(std::string& out, std::string line) {
    TrimLineEnd(line);
    out += line;
    out += '\n';
}

std::string TrimBlanks(std::string_view text) {
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') text.remove_prefix(1);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.remove_suffix(1);
    return std::string(text);
}

void AppendField(std::string& out, std::string_view key, std::string_view json_value) {
    if (out.size() > 1) out += ',';
    out += '"';
    out += key;
    out += "\":";
    out += json_value;
}

std::string JsonString(std::string_view text) {
    return "\"" + JsonEscape(text) + "\"";
}

}  // namespace

std::size_t DisplayWidth(std::string_view text) {
    std::size_t width = 0;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            ++width;
        } else if ((byte & 0xC0) != 0x80) {
            width += 2;  // the lead byte of a (wide) character
        }
    }
    return width;
}

std::string FormatMonthGrid(int year, int month, int highlighted_day) {
    std::string out;
    const std::string title = std::to_string(year) + "年" + std::to_string(month) + "月";
    const std::size_t grid_width = 7 * kCellWidth;
    AppendLine(out, Spaces((grid_width - DisplayWidth(title)) / 2) + title);
    std::string heads;
    for (std::string_view head : kWeekdayHeads) heads += Cell(head, false);
    AppendLine(out, heads);

    const DateTime first = EncodeDate(year, month, 1);
    const int days = DaysInMonth(year, month);
    int column = DayOfWeek(first) - 1;
    std::string numbers = Spaces(column * kCellWidth);
    std::string lunar = numbers;
    for (int day = 1; day <= days; ++day) {
        const bool highlighted = day == highlighted_day;
        const std::string number = (day < 10 ? " " : "") + std::to_string(day);
        numbers += Cell(number, highlighted);
        lunar += Cell(GetLunarCellText(first + day - 1), highlighted);
        if (++column == 7 || day == days) {
            AppendLine(out, std::move(numbers));
            AppendLine(out, std::move(lunar));
            numbers.clear();
            lunar.clear();
            column = 0;
        }
    }
    return out;
}

std::string FormatHintLines(DateTime date, const TFestivalList& window_festivals) {
    std::string out = "公历: " + FormatDateTime("yyyy年mm月dd日 dddd", date) + "\n";
    out += "农历: " + TrimBlanks(GetLunarText(date)) + "\n";
    out += "干支: " + GetGanZhiText(date) + "\n";
    const std::string term = TrimBlanks(GetTermText(date));
    if (!term.empty()) out += "节气: " + term + "\n";
    const std::string festivals = TrimBlanks(GetFtvText(window_festivals, date));
    if (!festivals.empty()) out += "节日: " + festivals + "\n";
    return out;
}

std::string FormatJsonRecord(const GivenDate& date, const TFestivalList& default_festivals,
                             const TFestivalList& window_festivals) {
    const DateTime value = date.value;
    const TLunarDate lunar = GetLunarDate(value);
    const auto ganzhi = GetGanZhi(value);
    const FestivalText festival = GetFestivalText(default_festivals, DateOf(value));
    auto index = [&ganzhi](int TGanZhi::*field) {
        return ganzhi ? std::to_string((*ganzhi).*field) : std::string("null");
    };

    std::string out = "{";
    AppendField(out, "date", JsonString(date.text));
    AppendField(out, "lunar_year", std::to_string(lunar.Year));
    AppendField(out, "lunar_month", std::to_string(lunar.Month));
    AppendField(out, "lunar_day", std::to_string(lunar.Day));
    AppendField(out, "lunar_leap", lunar.IsLeap ? "true" : "false");
    AppendField(out, "gz_year", index(&TGanZhi::YearIndex));
    AppendField(out, "gz_month", index(&TGanZhi::MonthIndex));
    AppendField(out, "gz_day", index(&TGanZhi::DayIndex));
    AppendField(out, "animal", JsonString(ganzhi ? GetAnimalName(ganzhi->YearIndex) : ""));
    AppendField(out, "term", JsonString(GetSolarTermName(DateOf(value))));
    AppendField(out, "festival", JsonString(festival.text));
    AppendField(out, "festival_color", std::to_string(festival.color));
    AppendField(out, "week", std::to_string(GetWeekNumber(value, false)));
    AppendField(out, "week_iso", std::to_string(GetWeekNumber(value, true)));
    AppendField(out, "lunar_text", JsonString(GetLunarText(value)));
    AppendField(out, "ganzhi_text", JsonString(GetGanZhiText(value)));
    AppendField(out, "term_text", JsonString(GetTermText(value)));
    AppendField(out, "festival_text", JsonString(GetFtvText(window_festivals, value)));
    out += '}';
    return out;
}

std::string JsonEscape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\b':
                out += "\\b";
                break;
            case '\f':
                out += "\\f";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
                    out += escaped;
                } else {
                    out += c;
                }
        }
    }
    return out;
}

}  // namespace kalvoro::cal
