#include "cal_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace kalvoro::cal {
namespace {

struct Captured {
    int exit_code = 0;
    std::string out;
    std::string error;
};

Captured RunWith(std::vector<std::string> arguments, DateTime now = EncodeDate(2008, 2, 7) + 0.5,
                 bool highlight = false) {
    Captured captured;
    const RunContext context{now, highlight, [&](std::string_view text) { captured.out += text; },
                             [&](std::string_view text) { captured.error += text; }};
    captured.exit_code = RunCal(arguments, context);
    return captured;
}

TEST(RunCal, DefaultIsTheCurrentMonthWithTodayHighlightedOnATerminal) {
    const Captured plain = RunWith({});
    EXPECT_EQ(plain.exit_code, kExitOk);
    EXPECT_EQ(plain.out.rfind("                       2008年2月\n", 0), 0u) << plain.out;
    EXPECT_EQ(plain.out.find("\x1b[7m"), std::string::npos);

    const Captured terminal = RunWith({}, EncodeDate(2008, 2, 7) + 0.5, true);
    EXPECT_NE(terminal.out.find("\x1b[7m 7\x1b[0m"), std::string::npos) << terminal.out;
    // Another month than today's has nothing to highlight.
    EXPECT_EQ(RunWith({"2008", "3"}, EncodeDate(2008, 2, 7), true).out.find("\x1b[7m"), std::string::npos);
}

TEST(RunCal, YearAloneShowsTwelveMonths) {
    const Captured year = RunWith({"2009"});
    EXPECT_EQ(year.exit_code, kExitOk);
    for (int month = 1; month <= 12; ++month) {
        EXPECT_NE(year.out.find("2009年" + std::to_string(month) + "月\n"), std::string::npos) << month;
    }
}

TEST(RunCal, DatesAreSeparatedByBlankLinesAndRangesCoverEveryDay) {
    const Captured dates = RunWith({"--date", "2008-02-04", "2008-02-05"});
    EXPECT_EQ(dates.exit_code, kExitOk);
    EXPECT_NE(dates.out.find("节气: 立春\n\n公历: 2008年02月05日"), std::string::npos) << dates.out;

    const Captured json = RunWith({"--json", "2008-01-01", "--range", "2008-02-27", "2008-03-02"});
    EXPECT_EQ(std::count(json.out.begin(), json.out.end(), '\n'), 1 + 5);
    EXPECT_NE(json.out.find(R"({"date":"2008-02-29",)"), std::string::npos);
    EXPECT_EQ(json.out.rfind(R"({"date":"2008-01-01",)", 0), 0u);
}

TEST(RunCal, BadArgumentsGoToStandardErrorWithExitCodeTwo) {
    const Captured bad = RunWith({"--date", "2008-13-01"});
    EXPECT_EQ(bad.exit_code, kExitBadArguments);
    EXPECT_TRUE(bad.out.empty());
    EXPECT_NE(bad.error.find("bad date \"2008-13-01\""), std::string::npos) << bad.error;
    EXPECT_NE(bad.error.find("--help"), std::string::npos);

    const Captured help = RunWith({"--help"});
    EXPECT_EQ(help.exit_code, kExitOk);
    EXPECT_NE(help.out.find("Usage:"), std::string::npos);
}

}  // namespace
}  // namespace kalvoro::cal
