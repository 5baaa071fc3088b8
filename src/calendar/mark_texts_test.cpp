#include "calendar/mark_texts.h"

#include <gtest/gtest.h>

namespace kalvoro {
namespace {

TEST(MarkTexts, NotesOfADayOfEitherOrBothKinds) {
    const MarkLines lines({"00505=端午", "10815=中秋", "00914=生日", "21144=x", "00606"});
    EXPECT_EQ(GetMarkText(lines, 0, "0505"), "端午");
    EXPECT_EQ(GetMarkText(lines, 1, "0815"), "中秋");
    EXPECT_EQ(GetMarkText(lines, 2, "1144"), "");
    EXPECT_EQ(GetMarkText(lines, -1, "0505"), "");

    EXPECT_EQ(GetDateMarkText(lines, EncodeDate(2009, 5, 5)), "端午");
    EXPECT_EQ(GetDateMarkText(lines, EncodeDate(2008, 9, 14)), "生日  *中秋");
    EXPECT_EQ(GetDateMarkText(lines, EncodeDate(2009, 10, 3)), "*中秋");  // lunar 2009-08-15
    EXPECT_EQ(GetDateMarkText(lines, EncodeDate(2009, 6, 6)), "");        // marked, without a note
    EXPECT_EQ(GetDateMarkText(MarkLines({"10000=never"}), EncodeDate(1900, 1, 1)), "");
}

TEST(MarkReminder, SendsTodaysGregorianNoteOnly) {
    const DateLocale& locale = ChineseDateLocale();
    const MarkLines lines({"00914=生日", "10815=中秋"});
    EXPECT_EQ(MarkReminderText(lines, EncodeDate(2008, 9, 14) + 0.5, locale),
              "日历标记：\r\n2008年09月14日 星期日\r\n\r\n生日");
    // 2009-10-03 has only the lunar mark 中秋.
    EXPECT_EQ(MarkReminderText(lines, EncodeDate(2009, 10, 3), locale), std::nullopt);
    EXPECT_EQ(MarkReminderText(MarkLines({"00914"}), EncodeDate(2008, 9, 14), locale), std::nullopt);
}

TEST(MarkReminder, ScheduleByMode) {
    struct Case {
        int mode;
        int step;
        bool at_start;
        unsigned repeat_ms;
    };
    for (const Case& c : {Case{0, 5, false, 0}, Case{1, 5, true, 0}, Case{2, 5, true, 300000}, Case{2, 0, true, 60000},
                          Case{2, 100000, true, 36000000}, Case{3, 5, false, 0}}) {
        const MarkReminderSchedule schedule = MarkReminderScheduleFor(c.mode, c.step);
        EXPECT_EQ(schedule.at_start, c.at_start) << c.mode << " " << c.step;
        EXPECT_EQ(schedule.repeat_ms, c.repeat_ms) << c.mode << " " << c.step;
    }
}

}  // namespace
}  // namespace kalvoro
