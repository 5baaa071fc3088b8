#include "timesvc/time_hosts.h"

#include <gtest/gtest.h>

#include <set>

#include "base/file_store.h"
#include "timesvc/time_history.h"

namespace kalvoro {
namespace {

TEST(TimeHosts, OneServerPerLineBlanksAroundDroppedEmptyLinesSkipped) {
    EXPECT_EQ(ParseTimeHosts("time.nist.gov\r\n  pool.ntp.org \t\r\n\r\n   \r\n10.0.0.1\nlast.example"),
              (std::vector<std::string>{"time.nist.gov", "pool.ntp.org", "10.0.0.1", "last.example"}));
    EXPECT_TRUE(ParseTimeHosts("").empty());
    EXPECT_TRUE(ParseTimeHosts("\r\n\r\n").empty());
    EXPECT_EQ(ParseTimeHosts(std::string(253, 'a')).size(), 1u);
    EXPECT_TRUE(ParseTimeHosts(std::string(254, 'a')).empty());
    EXPECT_TRUE(ParseTimeHosts(std::string("a\0b", 3)).empty());
}

TEST(TimeHosts, JunkGivesOnlyUsableNames) {
    std::string junk;
    std::uint32_t state = 7;
    for (int i = 0; i < (1 << 20); ++i) {
        state = state * 1664525u + 1013904223u;
        junk += static_cast<char>(state >> 24);
    }
    for (const std::string& host : ParseTimeHosts(junk)) {
        EXPECT_FALSE(host.empty());
        EXPECT_LE(host.size(), 3 * kMaxHostNameLength);  // GBK bytes decoded to UTF-8
        EXPECT_NE(host.front(), ' ');
        EXPECT_NE(host.back(), ' ');
    }
}

TEST(TimeHosts, DrawsFromEveryLineTheLastIncluded) {
    std::mt19937 random(12345);
    for (const std::size_t count : {std::size_t{2}, std::size_t{3}, std::size_t{7}}) {
        std::set<std::size_t> seen;
        for (int i = 0; i < 2000; ++i) {
            const std::size_t index = ChooseHostIndex(count, random);
            ASSERT_LT(index, count);
            seen.insert(index);
        }
        EXPECT_EQ(seen.size(), count) << count;
    }
    EXPECT_EQ(ChooseHostIndex(1, random), 0u);
}

TEST(TimeHistory, OneLineOfLocalTimeWithCrLf) {
    MemoryFileStore files;
    ASSERT_TRUE(WriteSyncHistory(files, "C:\\K\\TimeCheck.lst", EncodeDate(2011, 3, 5) + EncodeTime(8, 30, 2)));
    EXPECT_EQ(files.ReadAll("C:\\K\\TimeCheck.lst"), "2011-03-05 08:30:02\r\n");
    EXPECT_EQ(ReadLastSyncText(files, "C:\\K\\TimeCheck.lst"), "2011-03-05 08:30:02");

    EXPECT_FALSE(WriteSyncHistory(files, "", EncodeDate(2011, 3, 5)));
    EXPECT_EQ(files.write_count, 1);
    EXPECT_EQ(ReadLastSyncText(files, "missing.lst"), "");
    files.Put("two.lst", "2020-01-02 03:04:05\r\nmore\r\n");
    EXPECT_EQ(ReadLastSyncText(files, "two.lst"), "2020-01-02 03:04:05");
}

}  // namespace
}  // namespace kalvoro
