#include "cal_options.h"

#include <gtest/gtest.h>

#include <vector>

namespace kalvoro::cal {
namespace {

ParseResult Parse(std::vector<std::string> arguments) {
    return ParseArguments(arguments);
}

TEST(ParseArguments, MonthYearAndDefault) {
    const ParseResult none = Parse({});
    ASSERT_TRUE(none.options);
    EXPECT_EQ(none.options->mode, CalOptions::Mode::kMonth);
    EXPECT_EQ(none.options->year, 0);

    const ParseResult year = Parse({"2008"});
    ASSERT_TRUE(year.options);
    EXPECT_EQ(year.options->mode, CalOptions::Mode::kYear);
    EXPECT_EQ(year.options->year, 2008);

    const ParseResult month = Parse({"2008", "2"});
    ASSERT_TRUE(month.options);
    EXPECT_EQ(month.options->mode, CalOptions::Mode::kMonth);
    EXPECT_EQ(month.options->month, 2);
}

TEST(ParseArguments, DatesJsonAndRange) {
    const ParseResult dates = Parse({"--date", "2008-02-04", "2008-02-04 20:00"});
    ASSERT_TRUE(dates.options);
    EXPECT_EQ(dates.options->mode, CalOptions::Mode::kDates);
    EXPECT_FALSE(dates.options->json);
    ASSERT_EQ(dates.options->dates.size(), 2u);
    EXPECT_EQ(dates.options->dates[1].text, "2008-02-04 20:00");
    EXPECT_DOUBLE_EQ(dates.options->dates[1].value, EncodeDate(2008, 2, 4) + EncodeTime(20, 0, 0));

    const ParseResult range = Parse({"--range", "2008-02-01", "2008-02-03", "--json"});
    ASSERT_TRUE(range.options);
    EXPECT_TRUE(range.options->json);
    EXPECT_TRUE(range.options->dates.empty());
    EXPECT_EQ(range.options->range_start->value, EncodeDate(2008, 2, 1));
    EXPECT_EQ(range.options->range_end->value, EncodeDate(2008, 2, 3));

    // Outside the lunar range is not an error.
    EXPECT_TRUE(Parse({"--json", "0001-01-01", "9999-12-31 23:59"}).options);
    EXPECT_EQ(Parse({"--help", "--bogus"}).options->mode, CalOptions::Mode::kHelp);
}

TEST(ParseArguments, RefusesBadArgumentsWithAMessage) {
    const std::vector<std::vector<std::string>> bad = {
        {"--date"},
        {"--json", "2008-2-4"},
        {"--date", "2008-02-30"},
        {"--date", "2008-02-04 24:00"},
        {"--date", "2008-02-04 12:60"},
        {"--date", "2008-02-04T12:00"},
        {"--date", "0000-01-01"},
        {"--date", "２００８-02-04"},
        {"--range", "2008-02-01"},
        {"--json", "--range", "2008-02-03", "2008-02-01"},
        {"--json", "--range", "2008-02-03 10:00", "2008-02-04"},
        {"--json", "--range", "2008-02-01", "2008-02-02", "--range", "2008-02-01", "2008-02-02"},
        {"--range", "2008-02-01", "2008-02-02"},
        {"2008", "13"},
        {"2008", "0"},
        {"10000"},
        {"0"},
        {"-5"},
        {"2008", "1", "1"},
        {"abc"},
        {"--frobnicate"},
        {"-x"},
    };
    for (const auto& arguments : bad) {
        const ParseResult result = ParseArguments(arguments);
        std::string joined;
        for (const auto& argument : arguments) joined += argument + " ";
        EXPECT_FALSE(result.options) << joined;
        EXPECT_FALSE(result.error.empty()) << joined;
    }
}

}  // namespace
}  // namespace kalvoro::cal
