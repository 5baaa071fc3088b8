#pragma once
// What the bar shows each second: the time text every tick; the date line and the hints only when
// the date changes, and each written only when its text differs from what it shows.

#include <string>
#include <string_view>

#include "app/app_tick.h"
#include "base/date_time.h"

namespace kalvoro {

// The texts the calendar window supplies for a date.
class IDateTexts {
public:
    virtual ~IDateTexts() = default;
    virtual std::string LunarText(DateTime date) = 0;
    virtual std::string GanZhiText(DateTime date) = 0;
    virtual std::string TermText(DateTime date) = 0;
    virtual std::string FestivalText(DateTime date) = 0;
};

// The date line control as the display update uses it.
class IDateLine {
public:
    virtual ~IDateLine() = default;
    virtual int LineCount() const = 0;
    virtual const std::string& Line(int index) const = 0;
    // Replaces line 0, or adds it when there are no lines, inside one update bracket.
    virtual void SetFirstLine(const std::string& line) = 0;
    virtual bool Active() const = 0;
    // Activating starts cycling from the line after the current one.
    virtual void SetActive(bool active) = 0;
    virtual int CurrentLine() const = 0;  // -1 before any line was shown
    virtual void ShowLine(int index) = 0;
};

class IBarDisplay {
public:
    virtual ~IBarDisplay() = default;
    // The LED digits and the plain-text time both show this "hh:mm:ss".
    virtual void ShowTime(const char* hhmmss) = 0;
    virtual void SetHint(const std::string& hint) = 0;
    virtual IDateLine& DateLine() = 0;
    // Moves the analog clock's hands when that window exists and (force or visible).
    virtual void UpdateClockHands(DateTime now, bool force) = 0;
};

inline constexpr char kFontCnTag[] = "<FontCN>";
inline constexpr char kFontAdTag[] = "<FontAD>";
inline constexpr char kGregorianDateFormat[] = "yyyy年mm月dd日 dddd";

class ClockDisplay final : public ITickListener {
public:
    ClockDisplay(IBarDisplay& display, IDateTexts& texts, const DateLocale& locale)
        : display_(display), texts_(texts), locale_(locale) {}

    void Update(DateTime now, bool force_clock);
    // The tick's display stage: the update with the force-clock flag off.
    void OnTick(DateTime now) override { Update(now, false); }

    DateTime shown_date() const { return shown_date_; }
    const std::string& hint() const { return hint_; }
    bool date_loop_on = false;

private:
    void RebuildDateTexts(DateTime now);

    IBarDisplay& display_;
    IDateTexts& texts_;
    const DateLocale& locale_;
    DateTime shown_date_ = 0;
    std::string hint_;
};

// The hint lines for a date: 公历, 农历, 干支, then 节气 and 节日 when there are any.
std::string BuildHintText(DateTime date, IDateTexts& texts, const DateLocale& locale);
// The start-up balloon: like the hint without the festival line.
std::string BuildBalloonText(DateTime date, IDateTexts& texts, const DateLocale& locale);

// Texts are trimmed of surrounding blanks before use.
std::string TrimBlanks(std::string_view text);

}  // namespace kalvoro
