#include "app/clock_display.h"

#include <gtest/gtest.h>

#include <vector>

namespace kalvoro {
namespace {

class FakeDateLine final : public IDateLine {
public:
    int LineCount() const override { return static_cast<int>(lines.size()); }
    const std::string& Line(int index) const override { return lines[static_cast<std::size_t>(index)]; }
    void SetFirstLine(const std::string& line) override {
        ++first_line_writes;
        if (lines.empty()) {
            lines.push_back(line);
        } else {
            lines[0] = line;
        }
    }
    bool Active() const override { return active; }
    void SetActive(bool on) override {
        active = on;
        if (on) current = (current + 1) % LineCount();
    }
    int CurrentLine() const override { return current; }
    void ShowLine(int index) override { current = index; }

    std::vector<std::string> lines;
    bool active = false;
    int current = -1;
    int first_line_writes = 0;
};

class FakeBar final : public IBarDisplay {
public:
    void ShowTime(const char* hhmmss) override { time = hhmmss; }
    void SetHint(const std::string& text) override {
        hint = text;
        ++hint_writes;
    }
    IDateLine& DateLine() override { return date_line; }
    void UpdateClockHands(DateTime, bool force) override { last_force = force; }

    std::string time;
    std::string hint;
    int hint_writes = 0;
    bool last_force = false;
    FakeDateLine date_line;
};

class FakeTexts final : public IDateTexts {
public:
    std::string LunarText(DateTime) override { return " 二〇二六年冬月初一 "; }
    std::string GanZhiText(DateTime) override { return "丙午(马)年庚子月甲子日"; }
    std::string TermText(DateTime) override { return term; }
    std::string FestivalText(DateTime) override { return festival; }
    std::string term;
    std::string festival;
};

DateTime At(int y, int mo, int d, int h, int mi, int s) {
    return EncodeDateTime({y, mo, d}, {h, mi, s, 0});
}

class ClockDisplayTest : public ::testing::Test {
protected:
    FakeBar bar;
    FakeTexts texts;
    ClockDisplay display{bar, texts, ChineseDateLocale()};
};

TEST_F(ClockDisplayTest, FirstUpdateShowsTimeDateLineAndThreeLineHint) {
    display.Update(At(2026, 12, 9, 8, 5, 7), false);
    EXPECT_EQ(bar.time, "08:05:07");
    ASSERT_EQ(bar.date_line.lines.size(), 1u);
    EXPECT_EQ(bar.date_line.lines[0], "<FontCN>2026年12月09日 星期三");
    EXPECT_EQ(bar.hint, "公历: 2026年12月09日 星期三\r\n农历: 二〇二六年冬月初一\r\n干支: 丙午(马)年庚子月甲子日");
    EXPECT_EQ(bar.date_line.current, 0);
}

TEST_F(ClockDisplayTest, TermAndFestivalLinesAppearWhenPresent) {
    texts.term = " 大雪 ";
    texts.festival = "国际反腐败日 ";
    display.Update(At(2026, 12, 9, 8, 0, 0), false);
    EXPECT_NE(bar.hint.find("\r\n节气: 大雪\r\n节日: 国际反腐败日"), std::string::npos);
    EXPECT_EQ(bar.hint.find("大雪 "), std::string::npos);
}

TEST_F(ClockDisplayTest, DateTextsChangeOnlyAtTheFirstTickAfterMidnight) {
    display.Update(At(2026, 12, 9, 23, 59, 58), false);
    display.Update(At(2026, 12, 9, 23, 59, 59), false);
    EXPECT_EQ(bar.hint_writes, 1);
    EXPECT_EQ(bar.date_line.first_line_writes, 1);

    display.Update(At(2026, 12, 10, 0, 0, 0), false);
    EXPECT_EQ(bar.time, "00:00:00");
    EXPECT_EQ(bar.date_line.lines[0], "<FontCN>2026年12月10日 星期四");
    EXPECT_EQ(bar.hint_writes, 2);
    EXPECT_NE(bar.hint.find("2026年12月10日"), std::string::npos);
    EXPECT_EQ(display.shown_date(), EncodeDate(2026, 12, 10));
}

TEST_F(ClockDisplayTest, TextsAreWrittenOnlyWhenTheyChange) {
    display.Update(At(2026, 12, 9, 12, 0, 0), false);
    EXPECT_EQ(bar.hint_writes, 1);
    EXPECT_EQ(bar.date_line.first_line_writes, 1);
    // Ticks within the day write neither.
    display.Update(At(2026, 12, 9, 12, 0, 1), false);
    display.Update(At(2026, 12, 9, 18, 30, 0), false);
    EXPECT_EQ(bar.hint_writes, 1);
    EXPECT_EQ(bar.date_line.first_line_writes, 1);

    // A new day whose date line the bar already shows (e.g. the clock was set back and forth):
    // the line is left alone, the hint names the new day.
    bar.date_line.lines[0] = "<FontCN>2026年12月10日 星期四";
    display.Update(At(2026, 12, 10, 12, 0, 0), false);
    EXPECT_EQ(bar.date_line.first_line_writes, 1);
    EXPECT_EQ(bar.hint_writes, 2);
    EXPECT_EQ(bar.hint.rfind("公历: 2026年12月10日 星期四\r\n", 0), 0u) << bar.hint;
}

TEST_F(ClockDisplayTest, DateLoopOffKeepsLineZero) {
    bar.date_line.lines = {"<FontCN>x", "<FontAD>ad"};
    bar.date_line.current = 1;
    bar.date_line.active = true;
    display.Update(At(2026, 12, 9, 12, 0, 0), false);
    EXPECT_FALSE(bar.date_line.active);
    EXPECT_EQ(bar.date_line.current, 0);

    display.date_loop_on = true;
    display.Update(At(2026, 12, 9, 12, 0, 1), false);
    EXPECT_TRUE(bar.date_line.active);
    EXPECT_EQ(bar.date_line.current, 1);  // cycling starts from the line after the current one
}

TEST_F(ClockDisplayTest, ForceFlagReachesTheClockHands) {
    display.Update(At(2026, 12, 9, 12, 0, 0), true);
    EXPECT_TRUE(bar.last_force);
    display.Update(At(2026, 12, 9, 12, 0, 1), false);
    EXPECT_FALSE(bar.last_force);
}

TEST(BalloonTextTest, HasNoFestivalLine) {
    FakeTexts texts;
    texts.term = "大雪";
    texts.festival = "节";
    const std::string text = BuildBalloonText(At(2026, 12, 7, 9, 0, 0), texts, ChineseDateLocale());
    EXPECT_EQ(text,
              "公历: 2026年12月07日 星期一\r\n农历: 二〇二六年冬月初一\r\n干支: 丙午(马)年庚子月甲子日\r\n节气: 大雪");
}

}  // namespace
}  // namespace kalvoro
