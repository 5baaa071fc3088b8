#include "online/announcements.h"

#include <gtest/gtest.h>

#include "base/gbk.h"

namespace kalvoro {
namespace {

const std::string kAppDir = "C:\\Kalvoro\\";
const std::string kStored = kAppDir + "Sup\\Ad.his";
// 2026-12-10 12:00:00, the fake now of these tests.
const DateTime kNow = EncodeDate(2026, 12, 10) + EncodeTime(12, 0, 0);

struct CheckCase {
    const char* name;
    std::optional<std::string> stored;  // nothing: no file
    bool fetches;
    std::string last_id;
};

TEST(CheckAnnouncementsTest, FetchesOnlyWhenTheStoredAnnouncementIsOld) {
    const CheckCase cases[] = {
        {"no file", std::nullopt, true, ""},
        {"yesterday", "7|3|2026/12/9 12:00:00\r\n*\r\n1\r\n", false, "7"},
        {"four days back", "7|3|2026/12/6 12:00:00\r\n", true, "7"},
        // Whole days only: 2 days 23:59:59 is still 2, exactly 3 days is the interval.
        {"a second short of three days", "7|3|2026/12/7 12:00:01\r\n", false, "7"},
        {"exactly three days", "7|3|2026/12/7 12:00:00\r\n", true, "7"},
        {"interval 1, yesterday", "7|1|2026/12/9 12:00:00\r\n", true, "7"},
        {"interval not a number counts as 3", "7|x|2026/12/8 12:00:00\r\n", false, "7"},
        {"a date ahead counts by its distance", "7|3|2026/12/12 12:00:00\r\n", false, "7"},
        {"header without a date", "7|3\r\n", true, "7"},
        {"header with an empty date", "7|3|\r\n", true, "7"},
        {"header with a date that does not parse", "7|3|gestern\r\n", true, "7"},
        {"empty id", "|3|2026/12/9 12:00:00\r\n", true, ""},
        {"header without a bar", "7 3 2026/12/9\r\n", true, ""},
        {"empty file", "", true, ""},
        {"binary junk", std::string("\xFF\x00\x01|\x80\r\n", 7), true, std::string("\xFF\x00\x01", 3)},
    };
    for (const CheckCase& c : cases) {
        MemoryFileStore files;
        if (c.stored) files.Put(kStored, *c.stored);
        const std::optional<AnnouncementRequest> request =
            CheckAnnouncements(files, kAppDir, "http://127.0.0.1/AD/AD003.txt", kNow, ChineseDateLocale());
        ASSERT_EQ(request.has_value(), c.fetches) << c.name;
        if (!request) continue;
        EXPECT_EQ(request->url, "http://127.0.0.1/AD/AD003.txt") << c.name;
        EXPECT_EQ(request->last_id, c.last_id) << c.name;
        EXPECT_EQ(request->file_name, kStored) << c.name;
    }
}

TEST(NextAnnouncementCheckTest, WaitsUntilTheStoredAnnouncementFallsDueWithinAnHourAndADay) {
    struct Case {
        const char* name;
        std::optional<std::string> stored;
        unsigned expected_ms;
    };
    const Case cases[] = {
        {"no file", std::nullopt, 3600000},
        {"due now", "7|3|2026/12/6 12:00:00\r\n", 3600000},
        {"due in two days", "7|3|2026/12/9 12:00:00\r\n", 86400000},
        {"due in 20 minutes", "7|3|2026/12/7 12:20:00\r\n", 3600000},
        {"due in 2 hours", "7|3|2026/12/7 14:00:00\r\n", 7200000},
        {"due in 23 hours", "7|1|2026/12/10 11:00:00\r\n", 82800000},
    };
    for (const Case& c : cases) {
        MemoryFileStore files;
        if (c.stored) files.Put(kStored, *c.stored);
        const unsigned ms = NextAnnouncementCheckMs(files, kAppDir, kNow, ChineseDateLocale());
        EXPECT_NEAR(static_cast<double>(ms), static_cast<double>(c.expected_ms), 1.0) << c.name;
    }
}

TEST(AnnouncementStampTest, ReadsWhatItWritesInTheLocaleOrder) {
    const DateTime value = EncodeDate(2026, 3, 7) + EncodeTime(8, 5, 3);
    EXPECT_EQ(FormatAnnouncementStamp(value, ChineseDateLocale()), "2026/3/7 8:05:03");
    EXPECT_EQ(ParseAnnouncementStamp("2026/3/7 8:05:03", ChineseDateLocale()), value);

    DateLocale european = ChineseDateLocale();
    european.short_date_format = "dd.mm.yyyy";
    european.long_time_format = "hh:mm:ss";
    EXPECT_EQ(FormatAnnouncementStamp(value, european), "07.03.2026 08:05:03");
    EXPECT_EQ(ParseAnnouncementStamp("07.03.2026 08:05:03", european), value);

    DateLocale american = ChineseDateLocale();
    american.short_date_format = "m/d/yyyy";
    american.long_time_format = "h:mm:ss AM/PM";
    EXPECT_EQ(ParseAnnouncementStamp("3/7/2026 8:05:03 PM", american), EncodeDate(2026, 3, 7) + EncodeTime(20, 5, 3));
    EXPECT_EQ(ParseAnnouncementStamp("3/7/2026 12:05:03 AM", american), EncodeDate(2026, 3, 7) + EncodeTime(0, 5, 3));
    EXPECT_EQ(ParseAnnouncementStamp("2026/3/7", ChineseDateLocale()), EncodeDate(2026, 3, 7));

    for (const char* bad : {"", "2026/3", "2026/2/30 1:00:00", "2026/3/7 24:00:00", "2026/3/7 1:60:00",
                            "99999999999/1/1", "1/2/3/4/5/6/7/8"}) {
        EXPECT_FALSE(ParseAnnouncementStamp(bad, ChineseDateLocale())) << bad;
    }
}

struct PrepareCase {
    const char* name;
    std::string body;
    std::optional<std::string> saved;
};

TEST(PrepareAnnouncementFileTest, KeepsOnlyCompleteNewDownloads) {
    const std::string big(kMaxAnnouncementDownloadBytes, 'x');
    const PrepareCase cases[] = {
        {"new id", "8|3\r\n*\r\n1\r\nT\r\nN\r\nL\r\n$\r\n", "8|3|2026/12/10 12:00:00\r\n*\r\n1\r\nT\r\nN\r\nL\r\n"},
        {"header with its bar", "8|3|\r\n$", "8|3|2026/12/10 12:00:00\r\n"},
        {"LF lines", "8|3\n*\n3\nT\n$\n", "8|3|2026/12/10 12:00:00\r\n*\r\n3\r\nT\r\n"},
        {"unchanged id", "7|3\r\n*\r\n1\r\nT\r\n$\r\n", std::nullopt},
        {"no final $", "8|3\r\n*\r\n1\r\nT\r\n", std::nullopt},
        {"$ followed by more", "8|3\r\n$\r\nmore\r\n", std::nullopt},
        {"$ with a blank", "8|3\r\n$ \r\n", std::nullopt},
        {"header without a bar", "8 3\r\n*\r\n$\r\n", std::nullopt},
        {"only $", "$\r\n", std::nullopt},
        {"empty", "", std::nullopt},
        {"too large", "8|3\r\n" + big + "\r\n$\r\n", std::nullopt},
    };
    for (const PrepareCase& c : cases) {
        EXPECT_EQ(PrepareAnnouncementFile(c.body, "7", "2026/12/10 12:00:00"), c.saved) << c.name;
    }
    // A stamp in Chinese is stored in GBK.
    EXPECT_EQ(PrepareAnnouncementFile("8|3\r\n$\r\n", "", "下午"), "8|3|" + Utf8ToGbk("下午") + "\r\n");
}

TEST(ParseAnnouncementsTest, ReadsRecordsAndDropsKindsZeroAndTwo) {
    const std::string file = Utf8ToGbk(
        "8|3|2026/12/10 12:00:00\r\n"
        "before any record\r\n"
        "*\r\n2\r\nhidden\r\nnote\r\nhttp://two\r\n"
        "*\r\n1\r\n新版本\r\nnote one\r\nhttp://one\r\nignored fifth line\r\n"
        "*\r\n5\r\nnot shown\r\nnote five\r\nhttp://five\r\n"
        "*\r\n3\r\n设为主页\r\n\r\nhttp://three\r\n"
        "*\r\nkind\r\ntext\r\n"
        "*\r\n0\r\nlast\r\n");
    const std::vector<TADRec> expected = {
        {1, "新版本", "note one", "http://one"},
        {5, "", "note five", "http://five"},
        {3, "设为主页", "", "http://three"},
    };
    EXPECT_EQ(ParseAnnouncements(file), expected);
}

TEST(ParseAnnouncementsTest, KindTwoThenKindOneGivesOneRecord) {
    const std::vector<TADRec> expected = {{1, "T", "", "L"}};
    EXPECT_EQ(ParseAnnouncements("9|3\r\n*\r\n2\r\nX\r\n\r\nY\r\n*\r\n1\r\nT\r\n\r\nL\r\n"), expected);
}

TEST(ParseAnnouncementsTest, BadInputHasDefinedResults) {
    EXPECT_TRUE(ParseAnnouncements("").empty());
    EXPECT_TRUE(ParseAnnouncements("only a header").empty());
    EXPECT_TRUE(ParseAnnouncements("h|3\r\n*\r\n*\r\n*").empty());

    std::string many = "h|3\r\n";
    for (int i = 0; i < 10000; ++i) many += "*\r\n1\r\nT" + std::to_string(i) + "\r\n";
    const std::vector<TADRec> first = ParseAnnouncements(many);
    ASSERT_EQ(first.size(), kMaxAnnouncements);
    EXPECT_EQ(first.front().text, "T0");
    EXPECT_EQ(first.back().text, "T99");

    const std::string binary("h|3\r\n*\r\n1\r\na\0b\x01\xFF\r\n", 16);
    const std::vector<TADRec> read = ParseAnnouncements(binary);
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0].text, "a b \xEF\xBF\xBD");

    const std::string long_text = "h|3\r\n*\r\n1\r\n" + std::string(5000, 'a') + "\r\n";
    EXPECT_EQ(ParseAnnouncements(long_text).at(0).text.size(), kMaxAnnouncementFieldBytes);
}

TEST(LoadAnnouncementsTest, MissingFileKeepsTheDateLineAndJunkReadsEmpty) {
    MemoryFileStore files;
    EXPECT_FALSE(LoadAnnouncements(files, kAppDir).file_found);

    files.Put(kStored, "h|3\r\n*\r\n1\r\nT\r\n\r\nL\r\n");
    const LoadedAnnouncements loaded = LoadAnnouncements(files, kAppDir);
    EXPECT_TRUE(loaded.file_found);
    EXPECT_EQ(loaded.list, (std::vector<TADRec>{{1, "T", "", "L"}}));

    files.Put(kStored, "h|3\r\n*\r\n1\r\nT\r\n" + std::string(kMaxAnnouncementDownloadBytes * 2, '*'));
    const LoadedAnnouncements junk = LoadAnnouncements(files, kAppDir);
    EXPECT_TRUE(junk.file_found);
    EXPECT_TRUE(junk.list.empty());
}

TEST(DateLineWithAnnouncementsTest, KeepsLineZeroAndAddsOneLinePerAnnouncement) {
    const std::vector<TADRec> ads = {{1, "新版本", "", "L"}, {5, "", "", ""}};
    EXPECT_EQ(DateLineWithAnnouncements({"<FontCN>2026年12月10日 星期四", "<FontAD>old", "<FontAD>older"}, ads),
              (std::vector<std::string>{"<FontCN>2026年12月10日 星期四", "<FontAD>新版本", "<FontAD>"}));
    EXPECT_EQ(DateLineWithAnnouncements({}, ads), (std::vector<std::string>{"", "<FontAD>新版本", "<FontAD>"}));
    EXPECT_EQ(DateLineWithAnnouncements({"<FontCN>d", "<FontAD>old"}, {}), (std::vector<std::string>{"<FontCN>d"}));
}

}  // namespace
}  // namespace kalvoro
