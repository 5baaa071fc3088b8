// The chime composer: when a chime is due, the lists it composes for every type, minute and hour,
// the message chime and the spoken time of the hot key. Expected lists are worked out by hand from
// the minute table (零五, 十二, 二十二, 四十 ...), never from the composer.

#include "tasks/chime_clock_alarm.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace kalvoro {
namespace {

class RecordingPlayer final : public ISoundPlayer {
public:
    void PlayFiles(std::string_view list) override { lists.emplace_back(list); }
    std::vector<std::string> lists;
};

class RecordingPopup final : public IPopupSender {
public:
    bool ShowText(std::string_view text) override {
        texts.emplace_back(text);
        return true;
    }
    std::vector<std::string> texts;
};

constexpr char kDir[] = "C:\\Kalvoro\\Sound\\";

// "T1 To3 3 H" -> "C:\Kalvoro\Sound\T1.wav*C:\Kalvoro\Sound\To3.wav*..."
std::string Files(const std::string& names, const std::string& dir = kDir) {
    std::istringstream in(names);
    std::string name;
    std::string list;
    while (in >> name) {
        if (!list.empty()) list += '*';
        list += dir + name + ".wav";
    }
    return list;
}

DateTime At(int hour, int minute, int second) {
    return EncodeDate(2026, 12, 10) + EncodeTime(hour, minute, second);
}

class ClockAlarmTest : public ::testing::Test {
protected:
    RecordingPlayer player;
    RecordingPopup popup;
    ClockAlarm alarm{player, popup, kDir};
};

TEST_F(ClockAlarmTest, ChimesOnlyAtSecondZeroOfTheFullOrHalfHourThatIsSwitchedOn) {
    struct Case {
        bool hour_chime;
        bool half_chime;
        int minute;
        int second;
        bool due;
    };
    const Case cases[] = {
        {false, false, 0, 0, false}, {false, false, 30, 0, false}, {false, false, 0, 1, false},
        {true, false, 0, 0, true},   {true, false, 30, 0, false},  {true, false, 0, 1, false},
        {false, true, 0, 0, false},  {false, true, 30, 0, true},   {false, true, 0, 1, false},
        {true, true, 0, 0, true},    {true, true, 30, 0, true},    {true, true, 0, 1, false},
        {true, true, 30, 1, false},  {true, true, 59, 59, false},  {true, true, 1, 0, false},
        {true, true, 29, 0, false},  {true, true, 31, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "hour " << c.hour_chime << " half " << c.half_chime << " 00:" << c.minute
                                        << ":" << c.second);
        player.lists.clear();
        alarm.SetOptions(c.hour_chime, c.half_chime, kChimeVoice);
        EXPECT_EQ(alarm.CheckChime(At(0, c.minute, c.second)), c.due);
        EXPECT_EQ(player.lists.size(), c.due ? 1u : 0u);
    }
}

TEST_F(ClockAlarmTest, VoiceChimeSaysTheHourAndOnTheHalfHourThirtyMinutes) {
    alarm.SetOptions(true, true, kChimeVoice);
    ASSERT_TRUE(alarm.CheckChime(At(15, 0, 0)));
    ASSERT_TRUE(alarm.CheckChime(At(9, 30, 0)));
    ASSERT_TRUE(alarm.CheckChime(At(0, 0, 0)));
    ASSERT_TRUE(alarm.CheckChime(At(0, 30, 0)));
    EXPECT_EQ(player.lists, (std::vector<std::string>{
                                Files("T1 To3 3 H"),
                                Files("T1 To2 9 H 30 M"),
                                Files("T1 To1 0 H"),
                                Files("T1 To1 0 H 30 M"),
                            }));
    EXPECT_TRUE(popup.texts.empty());
}

TEST_F(ClockAlarmTest, HalfHourChimeSoundsWithoutTheHourlyOne) {
    alarm.SetOptions(false, true, kChimeVoice);
    EXPECT_FALSE(alarm.CheckChime(At(12, 0, 0)));
    EXPECT_TRUE(alarm.CheckChime(At(12, 30, 0)));
    EXPECT_EQ(player.lists, std::vector<std::string>{Files("T1 To3 12 H 30 M")});
}

TEST_F(ClockAlarmTest, PartOfTheDayAndDialHourForEveryHour) {
    const char* const expected[24] = {
        "T1 To1 0 H",  "T1 To1 1 H", "T1 To1 2 H", "T1 To1 3 H", "T1 To1 4 H",  "T1 To1 5 H",
        "T1 To2 6 H",  "T1 To2 7 H", "T1 To2 8 H", "T1 To2 9 H", "T1 To2 10 H", "T1 To2 11 H",
        "T1 To3 12 H", "T1 To3 1 H", "T1 To3 2 H", "T1 To3 3 H", "T1 To3 4 H",  "T1 To3 5 H",
        "T1 To4 6 H",  "T1 To4 7 H", "T1 To4 8 H", "T1 To4 9 H", "T1 To4 10 H", "T1 To4 11 H",
    };
    for (int hour = 0; hour < 24; ++hour) {
        EXPECT_EQ(alarm.ComposeChime(hour, 0, kChimeVoice, false), Files(expected[hour])) << hour;
    }
    EXPECT_EQ(alarm.ComposeChime(24, 0, kChimeVoice, false), Files("T1 To1 0 H"));
}

TEST_F(ClockAlarmTest, HotKeyWorkedExamples) {
    alarm.SetOptions(false, false, kChimeVoice);
    EXPECT_EQ(alarm.ComposeChime(0, 5, kChimeVoice, true), Files("T1 To1 0 H 0 5 M"));
    EXPECT_EQ(alarm.ComposeChime(14, 22, kChimeVoice, true), Files("T1 To3 2 H 2A 10 2A M"));
    EXPECT_EQ(alarm.ComposeChime(8, 0, kChimeVoice, true), Files("T1 To2 8 H 0 0 M"));
}

TEST_F(ClockAlarmTest, MinuteWordsForEveryMinute) {
    // 零零 零一 零二 ... 十 十一 十二 十三 ... 二十 二十一 二十二 ... 三十 ... 五十九
    const char* const minutes[60] = {
        "0 0",   "0 1",     "0 2A",     "0 3",     "0 4",     "0 5",     "0 6",     "0 7",     "0 8",     "0 9",
        "10",    "11",      "12",       "10 3",    "10 4",    "10 5",    "10 6",    "10 7",    "10 8",    "10 9",
        "2A 10", "2A 10 1", "2A 10 2A", "2A 10 3", "2A 10 4", "2A 10 5", "2A 10 6", "2A 10 7", "2A 10 8", "2A 10 9",
        "3 10",  "3 10 1",  "3 10 2A",  "3 10 3",  "3 10 4",  "3 10 5",  "3 10 6",  "3 10 7",  "3 10 8",  "3 10 9",
        "4 10",  "4 10 1",  "4 10 2A",  "4 10 3",  "4 10 4",  "4 10 5",  "4 10 6",  "4 10 7",  "4 10 8",  "4 10 9",
        "5 10",  "5 10 1",  "5 10 2A",  "5 10 3",  "5 10 4",  "5 10 5",  "5 10 6",  "5 10 7",  "5 10 8",  "5 10 9",
    };
    for (int minute = 0; minute < 60; ++minute) {
        EXPECT_EQ(alarm.ComposeChime(19, minute, kChimeVoice, true),
                  Files(std::string("T1 To4 7 H ") + minutes[minute] + " M"))
            << minute;
    }
}

TEST_F(ClockAlarmTest, HourlyVoiceChimeLeavesOtherMinutesUnsaid) {
    alarm.SetOptions(true, true, kChimeVoice);
    EXPECT_EQ(alarm.ComposeChime(10, 15, kChimeVoice, false), Files("T1 To2 10 H"));
    alarm.SetOptions(true, false, kChimeVoice);
    EXPECT_EQ(alarm.ComposeChime(10, 30, kChimeVoice, false), Files("T1 To2 10 H"));
}

TEST_F(ClockAlarmTest, StrikingBellStrikesTheDialHourAtLeastOnceAndOnceOnTheHalfHour) {
    const int strikes[24] = {1, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    alarm.SetOptions(true, true, kChimeStrikes);
    for (int hour = 0; hour < 24; ++hour) {
        SCOPED_TRACE(hour);
        player.lists.clear();
        ASSERT_TRUE(alarm.CheckChime(At(hour, 0, 0)));
        ASSERT_TRUE(alarm.CheckChime(At(hour, 30, 0)));
        std::string names;
        for (int i = 0; i < strikes[hour]; ++i) names += "Z1 ";
        EXPECT_EQ(player.lists, (std::vector<std::string>{Files(names), Files("Z1")}));
    }
}

TEST_F(ClockAlarmTest, EachTypeOnTheHourAndHalfHour) {
    alarm.SetOptions(true, true, kChimeVoice);
    struct Case {
        int type;
        const char* hour_files;
        const char* half_files;
    };
    const Case cases[] = {
        {kChimeVoice, "T1 To3 3 H", "T1 To3 3 H 30 M"},
        {kChimeSingleBell, "Z2", "Z1"},
        {kChimeStrikes, "Z1 Z1 Z1", "Z1"},
        {kChimeMessage, "", ""},
        {99, "", ""},
        {-1, "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(alarm.ComposeChime(15, 0, c.type, false), Files(c.hour_files)) << c.type;
        EXPECT_EQ(alarm.ComposeChime(15, 30, c.type, false), Files(c.half_files)) << c.type;
    }
}

TEST_F(ClockAlarmTest, MessageChimeShowsTheLongTimeAndPlaysNothing) {
    alarm.SetOptions(true, true, kChimeMessage);
    EXPECT_TRUE(alarm.CheckChime(At(14, 0, 0)));
    EXPECT_TRUE(alarm.CheckChime(At(9, 30, 0)));
    EXPECT_FALSE(alarm.CheckChime(At(9, 30, 1)));
    EXPECT_TRUE(player.lists.empty());
    EXPECT_EQ(popup.texts, (std::vector<std::string>{"时钟报时：14:00:00", "时钟报时：9:30:00"}));
}

TEST_F(ClockAlarmTest, MessageChimeFollowsTheLocalesLongTimeFormat) {
    DateLocale locale = ChineseDateLocale();
    locale.long_time_format = "hh:mm";
    ClockAlarm with_locale(player, popup, kDir, locale);
    with_locale.SetOptions(true, false, kChimeMessage);
    EXPECT_TRUE(with_locale.CheckChime(At(8, 0, 0)));
    EXPECT_EQ(popup.texts, std::vector<std::string>{"时钟报时：08:00"});
}

TEST_F(ClockAlarmTest, OtherTypesStrikeWithoutSoundOrMessage) {
    for (int type : {kChimeVoice, kChimeSingleBell, kChimeStrikes, 99}) {
        alarm.SetOptions(true, false, type);
        EXPECT_TRUE(alarm.CheckChime(At(14, 0, 0))) << type;
    }
    EXPECT_EQ(player.lists, (std::vector<std::string>{Files("T1 To3 2 H"), Files("Z2"), Files("Z1 Z1")}));
    EXPECT_TRUE(popup.texts.empty());
}

TEST_F(ClockAlarmTest, SayTimeAlwaysSpeaksTheMinutes) {
    for (int type : {kChimeVoice, kChimeSingleBell, kChimeStrikes, kChimeMessage, 99}) {
        alarm.SetOptions(false, false, type);
        alarm.SayTime(At(14, 22, 59));
    }
    EXPECT_EQ(player.lists, std::vector<std::string>(5, Files("T1 To3 2 H 2A 10 2A M")));
    EXPECT_TRUE(popup.texts.empty());
}

TEST(ClockAlarmFolder, SeparatorIsAddedOnlyWhenMissingAndNoFolderComposesNothing) {
    RecordingPlayer player;
    RecordingPopup popup;
    ClockAlarm plain(player, popup, "D:\\Sound");
    EXPECT_EQ(plain.ComposeChime(15, 0, kChimeVoice, false), Files("T1 To3 3 H", "D:\\Sound\\"));
    ClockAlarm unicode(player, popup, "D:\\报时 声音\\");
    EXPECT_EQ(unicode.ComposeChime(3, 0, kChimeSingleBell, false), "D:\\报时 声音\\Z2.wav");

    ClockAlarm none(player, popup, "");
    none.SetOptions(true, true, kChimeVoice);
    for (int type : {kChimeVoice, kChimeSingleBell, kChimeStrikes}) {
        EXPECT_EQ(none.ComposeChime(15, 0, type, false), "") << type;
        EXPECT_EQ(none.ComposeChime(15, 30, type, true), "") << type;
    }
    EXPECT_TRUE(none.CheckChime(At(15, 0, 0)));
    none.SayTime(At(15, 0, 0));
    EXPECT_TRUE(player.lists.empty());
}

TEST_F(ClockAlarmTest, TimesOutsideTheClockComposeNothing) {
    EXPECT_EQ(alarm.ComposeChime(25, 0, kChimeVoice, true), "");
    EXPECT_EQ(alarm.ComposeChime(-1, 0, kChimeStrikes, false), "");
    EXPECT_EQ(alarm.ComposeChime(10, 60, kChimeVoice, true), "");
}

TEST_F(ClockAlarmTest, PlayFilesReachesThePlayerUnchanged) {
    alarm.PlayFiles("C:\\MySound\\a.wav*C:\\MySound\\b.wav");
    EXPECT_EQ(player.lists, std::vector<std::string>{"C:\\MySound\\a.wav*C:\\MySound\\b.wav"});
}

}  // namespace
}  // namespace kalvoro
