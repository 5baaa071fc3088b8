#include "popup/copydata_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/gbk.h"
#include "base/popup_protocol.h"

namespace kalvoro::popup {
namespace {

TEST(CopyDataText, RefusesBlocksWithoutDataOrTooLarge) {
    const char text[] = "abc";
    EXPECT_FALSE(CopyDataText(nullptr, 4));
    EXPECT_FALSE(CopyDataText(text, 0));
    const std::vector<char> huge(kMaxCopyDataBytes + 1, 'x');
    EXPECT_FALSE(CopyDataText(huge.data(), huge.size()));
    const std::vector<char> largest(kMaxCopyDataBytes, 'x');
    ASSERT_TRUE(CopyDataText(largest.data(), largest.size()));
    EXPECT_EQ(CopyDataText(largest.data(), largest.size())->size(), kMaxCopyDataBytes);
}

TEST(CopyDataText, TakesTheTextUpToTheFirstNulWithinTheBlock) {
    struct Case {
        std::string block;
        std::string expected;
    };
    const Case cases[] = {
        {std::string("hello\0", 6), "hello"},
        {std::string("\0", 1), ""},                       // an empty text is a single NUL
        {std::string("ab\0cd\0", 6), "ab"},               // bytes after the terminator are not text
        {std::string("no terminator"), "no terminator"},  // never reads past cbData
    };
    for (const Case& c : cases) {
        const auto text = CopyDataText(c.block.data(), c.block.size());
        ASSERT_TRUE(text) << c.expected;
        EXPECT_EQ(*text, c.expected);
    }
}

TEST(DisplayTextFromGbk, DecodesGbkAndKeepsLineBreaks) {
    const std::string gbk = Utf8ToGbk("日历标记：\r\n2024年02月10日 星期六\r\n\r\n春节");
    EXPECT_EQ(DisplayTextFromGbk(gbk), "日历标记：\r\n2024年02月10日 星期六\r\n\r\n春节");
}

TEST(DisplayTextFromGbk, NormalisesBreaksControlsAndTrailingBlankLines) {
    struct Case {
        std::string gbk;
        std::string expected;
    };
    const Case cases[] = {
        {"a\nb\rc\r\nd", "a\r\nb\r\nc\r\nd"},
        {"a\r\r\nb", "a\r\n\r\nb"},
        {"tab\there", "tab\there"},
        {"bell\aesc\033del\177", "bell esc del"},
        {"text\r\n\r\n  \r\n", "text"},
        {"", ""},
        {"\r\n", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(DisplayTextFromGbk(c.gbk), c.expected) << c.gbk;
}

TEST(DisplayTextFromGbk, ShowsBrokenGbkAsReplacementCharacters) {
    // A lead byte cut off at the end of the text.
    EXPECT_EQ(DisplayTextFromGbk("ok\xC4"), "ok\xEF\xBF\xBD");
}

}  // namespace
}  // namespace kalvoro::popup
