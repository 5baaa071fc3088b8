#include "timesvc/time_protocol.h"

#include <gtest/gtest.h>

#include "timesvc/testing/fake_time_ports.h"

namespace kalvoro {
namespace {

using testing::Be32;
using testing::SntpAnswer;

DateTime Utc(int y, int mo, int d, int h, int mi, int s) {
    return EncodeDate(y, mo, d) + EncodeTime(h, mi, s);
}

// Second counts worked out with Python's datetime from 1900-01-01.
TEST(TimeProtocolReply, ReadsBigEndianSecondsSince1900) {
    const auto time = ReadTimeProtocolReply(Be32(4005892800u), 0);  // 2026-12-10 12:00:00
    ASSERT_TRUE(time);
    EXPECT_FALSE(time->no_time);
    EXPECT_EQ(time->seconds_since_1900, 4005892800);
    EXPECT_NEAR(DateTimeFromSeconds1900(time->seconds_since_1900), Utc(2026, 12, 10, 12, 0, 0), 1e-9);
    EXPECT_EQ(Seconds1900FromDateTime(Utc(2025, 12, 8, 0, 0, 0)), 3974140800);
}

TEST(TimeProtocolReply, AddsHalfTheRoundTripInWholeSeconds) {
    struct Case {
        std::uint32_t round_trip_ms;
        std::int64_t added;
    };
    // Under two seconds apart adds nothing; three seconds apart adds one.
    for (const Case c : {Case{0, 0}, Case{1999, 0}, Case{2000, 1}, Case{3000, 1}, Case{3999, 1}, Case{4000, 2}}) {
        const auto time = ReadTimeProtocolReply(Be32(4005892800u), c.round_trip_ms);
        ASSERT_TRUE(time);
        EXPECT_EQ(time->seconds_since_1900, 4005892800 + c.added) << c.round_trip_ms;
    }
}

TEST(TimeProtocolReply, HalvesTheTickDifferenceAcrossTheCounterWrap) {
    EXPECT_EQ(HalfRoundTripMs(1000, 4000), 1500u);
    EXPECT_EQ(HalfRoundTripMs(0xFFFFFC18u, 1000), 1000u);  // 1000 ms before the wrap to 1000 ms after
    EXPECT_EQ(HalfRoundTripMs(5, 5), 0u);
}

TEST(TimeProtocolReply, ValueZeroIsNoTimeAndOtherLengthsAreNothing) {
    const auto zero = ReadTimeProtocolReply(Be32(0), 5000);
    ASSERT_TRUE(zero);
    EXPECT_TRUE(zero->no_time);
    EXPECT_FALSE(ReadTimeProtocolReply("", 0));
    EXPECT_FALSE(ReadTimeProtocolReply(std::string("\xEE\x00\x00", 3), 0));
    EXPECT_FALSE(ReadTimeProtocolReply(Be32(4005892800u) + "x", 0));
}

TEST(TimeProtocolReply, ValuesBelowTwoToTheThirtyFirstAreTheNextEra) {
    EXPECT_EQ(UnfoldEra(0xFFFFFFFFu), 4294967295);
    EXPECT_EQ(UnfoldEra(0x80000000u), 2147483648);  // 1968-01-20 03:14:08, still the first era
    EXPECT_EQ(UnfoldEra(0x7FFFFFFFu), 6442450943);  // 2104-02-26 09:42:23
    EXPECT_EQ(UnfoldEra(1), 4294967297);            // 2036-02-07 06:28:17

    const auto after_wrap = ReadTimeProtocolReply(Be32(123010304u), 0);
    ASSERT_TRUE(after_wrap);
    EXPECT_NEAR(DateTimeFromSeconds1900(after_wrap->seconds_since_1900), Utc(2040, 1, 1, 0, 0, 0), 1e-9);
    EXPECT_NEAR(DateTimeFromSeconds1900(UnfoldEra(0)), Utc(2036, 2, 7, 6, 28, 16), 1e-9);
}

TEST(SntpRequest, IsAVersionFourClientPacketCarryingTheStamp) {
    const std::string request = MakeSntpRequest(0x0102030405060708ull);
    ASSERT_EQ(request.size(), 48u);
    EXPECT_EQ(static_cast<unsigned char>(request[0]), 0x23);
    EXPECT_EQ(request.substr(40), std::string("\x01\x02\x03\x04\x05\x06\x07\x08", 8));
    EXPECT_EQ(request.substr(1, 39), std::string(39, '\0'));
}

TEST(SntpReply, TakesTheTransmitSecondsWithTheSameRules) {
    const std::uint64_t stamp = 0xABCDEF0112345678ull;
    const std::string request = MakeSntpRequest(stamp);
    const auto time = ReadSntpReply(SntpAnswer(request, 4005892800u), stamp, 3000);
    ASSERT_TRUE(time);
    EXPECT_EQ(time->seconds_since_1900, 4005892801);
    const auto next_era = ReadSntpReply(SntpAnswer(request, 123010304u), stamp, 1999);
    ASSERT_TRUE(next_era);
    EXPECT_NEAR(DateTimeFromSeconds1900(next_era->seconds_since_1900), Utc(2040, 1, 1, 0, 0, 0), 1e-9);
}

TEST(SntpReply, RefusesAnswersThatAreNotATime) {
    const std::uint64_t stamp = 77;
    const std::string request = MakeSntpRequest(stamp);
    const std::string good = SntpAnswer(request, 4005892800u);
    ASSERT_TRUE(ReadSntpReply(good, stamp, 0));

    EXPECT_FALSE(ReadSntpReply(good.substr(0, 47), stamp, 0));
    EXPECT_FALSE(ReadSntpReply(good, stamp + 1, 0)) << "an answer to another request";
    EXPECT_FALSE(ReadSntpReply(SntpAnswer(request, 4005892800u, 3), stamp, 0)) << "mode 3 is a client";
    EXPECT_FALSE(ReadSntpReply(SntpAnswer(request, 4005892800u, 4, 0), stamp, 0)) << "kiss-o'-death";
    EXPECT_FALSE(ReadSntpReply(SntpAnswer(request, 0), stamp, 0)) << "no transmit time";
    std::string unsynchronised = good;
    unsynchronised[0] = static_cast<char>(unsynchronised[0] | 0xC0);
    EXPECT_FALSE(ReadSntpReply(unsynchronised, stamp, 0));
}

}  // namespace
}  // namespace kalvoro
