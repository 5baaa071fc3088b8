#include "base/gbk.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <thread>
#include <vector>

namespace kalvoro {
namespace {

const std::string kReplacement = "\xEF\xBF\xBD";

TEST(GbkTest, ConvertsBothWays) {
    struct Case {
        std::string utf8;
        std::string gbk;
    };
    const Case cases[] = {
        {"", ""},
        {"skin.ini\r\n", "skin.ini\r\n"},
        {"中文", "\xD6\xD0\xCE\xC4"},
        {"星期日", "\xD0\xC7\xC6\xDA\xC8\xD5"},
        {"A设置B",
         "A\xC9\xE8\xD6\xC3"
         "B"},
        {"€", "\x80"},
        {std::string("a\0b", 3), std::string("a\0b", 3)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GbkToUtf8(c.gbk), c.utf8) << c.utf8;
        EXPECT_EQ(Utf8ToGbk(c.utf8), c.gbk) << c.utf8;
    }
}

TEST(GbkTest, BytesThatAreNotGbkBecomeOneReplacementEach) {
    struct Case {
        std::string gbk;
        std::string utf8;
    };
    const Case cases[] = {
        {"\xD6", kReplacement},               // lead byte at the end
        {"\xD6\r\n", kReplacement + "\r\n"},  // lead byte before a line end
        {"\xFF"
         "a",
         kReplacement + "a"},                       // never a lead byte
        {"\xA1\x40", kReplacement + "@"},           // unassigned pair, ASCII trail stays
        {"\xAA\xA1", kReplacement + kReplacement},  // user-defined area
        {"\xD6\xD0\xD6", "中" + kReplacement},
    };
    for (const Case& c : cases) EXPECT_EQ(GbkToUtf8(c.gbk), c.utf8);
}

TEST(GbkTest, CharactersGbkCannotHoldBecomeOneQuestionMarkEach) {
    EXPECT_EQ(Utf8ToGbk("a😀b"), "a?b");
    EXPECT_EQ(Utf8ToGbk("한"), "?");
    EXPECT_EQ(Utf8ToGbk("\xEE\x80\x80"), "?");  // U+E000, private use
    EXPECT_EQ(Utf8ToGbk("\xC0\x80"), "??");     // ill-formed UTF-8
    EXPECT_EQ(Utf8ToGbk("\xE4\xB8"), "?");      // truncated character
}

// Every two-byte unit decodes the same way in every build, and every assigned unit round-trips.
// The digest pins the whole table, so the iconv and the code page 936 backends cannot drift apart.
TEST(GbkTest, WholeCodePageIsStableAndRoundTrips) {
    std::uint64_t digest = 1469598103934665603ull;
    int assigned = 0;
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            if (trail == 0x7F) continue;
            const std::string unit{static_cast<char>(lead), static_cast<char>(trail)};
            const std::string utf8 = GbkToUtf8(unit);
            for (const char c : utf8) digest = (digest ^ static_cast<unsigned char>(c)) * 1099511628211ull;
            if (utf8.find(kReplacement) != std::string::npos) continue;
            ++assigned;
            EXPECT_EQ(Utf8ToGbk(utf8), unit) << std::hex << lead << " " << trail;
        }
    }
    EXPECT_EQ(assigned, 21791);
    EXPECT_EQ(digest, 0x8be65b62cbab0ff2ull);

    std::uint64_t encode_digest = 1469598103934665603ull;
    for (char32_t code_point = 0x80; code_point <= 0xFFFF; ++code_point) {
        if (code_point >= 0xD800 && code_point <= 0xDFFF) continue;
        const std::u16string utf16(1, static_cast<char16_t>(code_point));
        for (const char c : Utf8ToGbk(Utf16ToUtf8(utf16))) {
            encode_digest = (encode_digest ^ static_cast<unsigned char>(c)) * 1099511628211ull;
        }
    }
    EXPECT_EQ(encode_digest, 0x5b483956af70077dull);
}

TEST(GbkTest, ConcurrentConversionsAgree) {
    std::string all_pairs;
    for (int lead = 0x81; lead <= 0xFE; lead += 3) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            all_pairs += static_cast<char>(lead);
            all_pairs += static_cast<char>(trail);
        }
    }
    std::vector<std::string> results(4);
    std::vector<std::thread> threads;
    for (std::string& result : results) {
        threads.emplace_back([&all_pairs, &result] { result = Utf8ToGbk(GbkToUtf8(all_pairs)); });
    }
    for (std::thread& thread : threads) thread.join();
    for (const std::string& result : results) EXPECT_EQ(result, results[0]);
}

TEST(Utf16Test, ConvertsBothWaysAndReplacesIllFormedInput) {
    EXPECT_EQ(Utf8ToUtf16("A中😀"), u"A中😀");
    EXPECT_EQ(Utf16ToUtf8(u"A中😀"), "A中😀");
    EXPECT_EQ(Utf8ToUtf16("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");  // an encoded surrogate
    EXPECT_EQ(Utf8ToUtf16("\xE4\xB8"
                          "a"),
              u"\uFFFDa");                                                    // one replacement per broken sequence
    EXPECT_EQ(Utf8ToUtf16("\xF4\x90\x80\x80"), u"\uFFFD\uFFFD\uFFFD\uFFFD");  // beyond U+10FFFF
    EXPECT_EQ(Utf16ToUtf8(std::u16string{u'a', char16_t{0xD800}, u'b'}), "a" + kReplacement + "b");
    EXPECT_EQ(Utf16ToUtf8(std::u16string{char16_t{0xDC00}}), kReplacement);
}

TEST(GbkLengthTest, CountsGbkBytes) {
    EXPECT_EQ(GbkLength(""), 0u);
    EXPECT_EQ(GbkLength("abc"), 3u);
    EXPECT_EQ(GbkLength("星期日"), 6u);
    EXPECT_EQ(GbkLength("A中€😀"), 5u);  // the euro is one byte, the emoji one "?"
}

TEST(GbkLengthTest, CutsWithoutSplittingCharacters) {
    EXPECT_EQ(CutToGbkBytes("ab中文", 0), "");
    EXPECT_EQ(CutToGbkBytes("ab中文", 3), "ab");
    EXPECT_EQ(CutToGbkBytes("ab中文", 4), "ab中");
    EXPECT_EQ(CutToGbkBytes("ab中文", 100), "ab中文");

    const std::string gbk = "ab\xD6\xD0\xCE\xC4";
    EXPECT_EQ(GbkCutLength(gbk, 0), 0u);
    EXPECT_EQ(GbkCutLength(gbk, 3), 2u);
    EXPECT_EQ(GbkCutLength(gbk, 5), 4u);
    EXPECT_EQ(GbkCutLength(gbk, 100), 6u);
    EXPECT_EQ(GbkCutLength("a\xD6", 2), 2u);          // a lone lead byte is a unit of its own
    EXPECT_EQ(GbkCutLength("\xD6 \xD6\xD0", 3), 2u);  // a lead byte without its trail, then a pair
}

}  // namespace
}  // namespace kalvoro
