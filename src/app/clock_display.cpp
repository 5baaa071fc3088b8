#include "app/clock_display.h"

namespace kalvoro {

std::string TrimBlanks(std::string_view text) {
    const auto is_blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    while (!text.empty() && is_blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && is_blank(text.back())) text.remove_suffix(1);
    return std::string(text);
}

namespace {

std::string HintHead(DateTime date, IDateTexts& texts, const DateLocale& locale) {
    std::string hint = "公历: " + FormatDateTime(kGregorianDateFormat, date, locale);
    hint += "\r\n农历: " + TrimBlanks(texts.LunarText(date));
    hint += "\r\n干支: " + texts.GanZhiText(date);
    return hint;
}

}  // namespace

std::string BuildHintText(DateTime date, IDateTexts& texts, const DateLocale& locale) {
    std::string hint = HintHead(date, texts, locale);
    const std::string term = TrimBlanks(texts.TermText(date));
    if (!term.empty()) hint += "\r\n节气: " + term;
    const std::string festival = TrimBlanks(texts.FestivalText(date));
    if (!festival.empty()) hint += "\r\n节日: " + festival;
    return hint;
}

std::string BuildBalloonText(DateTime date, IDateTexts& texts, const DateLocale& locale) {
    std::string text = HintHead(date, texts, locale);
    const std::string term = texts.TermText(date);
    if (!term.empty()) text += "\r\n节气: " + term;
    return text;
}

void ClockDisplay::Update(DateTime now, bool force_clock) {
    char time_text[9];
    FormatClockText(DecodeTime(now), time_text);
    display_.ShowTime(time_text);

    if (DateOf(now) != shown_date_) RebuildDateTexts(now);

    IDateLine& line = display_.DateLine();
    if (line.Active() != date_loop_on) {
        line.SetActive(date_loop_on);
        if (!date_loop_on) line.ShowLine(0);
    } else if (line.CurrentLine() < 0) {
        line.ShowLine(0);
    }

    display_.UpdateClockHands(now, force_clock);
}

void ClockDisplay::RebuildDateTexts(DateTime now) {
    shown_date_ = DateOf(now);
    const std::string first_line = kFontCnTag + FormatDateTime(kGregorianDateFormat, now, locale_);
    IDateLine& line = display_.DateLine();
    if (line.LineCount() == 0 || line.Line(0) != first_line) line.SetFirstLine(first_line);

    std::string hint = BuildHintText(now, texts_, locale_);
    if (hint != hint_) {
        hint_ = std::move(hint);
        display_.SetHint(hint_);
    }
}

}  // namespace kalvoro
