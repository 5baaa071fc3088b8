#include "calendar/mark_editor.h"

#include <gtest/gtest.h>

namespace kalvoro {
namespace {

const DateTime kToday = EncodeDate(2024, 6, 1);

TEST(MarkNote, CharactersGbkLacksAreNamedOnceInTheOrderTyped) {
    EXPECT_EQ(CharactersGbkLacks("生日快乐 abc 123 ·《》？！"), "");
    // U+1F382 (an emoji), U+20BB7 and U+9FA6 (CJK outside GBK), U+00F1 (not in GBK).
    EXPECT_EQ(CharactersGbkLacks("生日\xF0\x9F\x8E\x82 \xF0\xA0\xAE\xB7家\xF0\x9F\x8E\x82\xE9\xBE\xA6"
                                 "ma\xC3\xB1"
                                 "ana"),
              "\xF0\x9F\x8E\x82\xF0\xA0\xAE\xB7\xE9\xBE\xA6\xC3\xB1");
    EXPECT_EQ(UnsavableNoteMessage("\xF0\x9F\x8E\x82"),
              "备注中的字符“\xF0\x9F\x8E\x82”(U+1F382)无法保存到标记文件，请删除或改用其他字符。");
    EXPECT_EQ(UnsavableNoteMessage("\xE9\xBE\xA6\xC3\xB1"),
              "备注中的字符“\xE9\xBE\xA6”(U+9FA6)、“\xC3\xB1”(U+00F1)无法保存到标记文件，请删除或改用其他字符。");
}

TEST(MarkEditor, OpensOnAKeyAndShowsTheNoteOfAMarkedDate) {
    const MarkLines lines({"00505=端午", "10815=中秋"});
    MarkEditor editor(lines, kToday);
    editor.Open("00505", "");
    EXPECT_EQ(editor.Kind(), 0);
    EXPECT_EQ(editor.Month(), 4);
    EXPECT_EQ(editor.Day(), 4);
    EXPECT_EQ(editor.Note(), "端午");

    editor.SetNote("typed");
    editor.SelectDay(5);  // 06: no note there, the typed one stays
    EXPECT_EQ(editor.Note(), "typed");
    EXPECT_EQ(editor.Key(), "00506");

    editor.Open("1x815", "kept");
    EXPECT_EQ(editor.Kind(), 1);
    EXPECT_EQ(editor.Month(), MarkEditor::kNoSelection);
    EXPECT_EQ(editor.Note(), "kept");
    EXPECT_EQ(editor.Key(), std::nullopt);
}

TEST(MarkEditor, KindChangeConvertsTheShownDate) {
    const MarkLines lines({"10815=中秋"});
    MarkEditor editor(lines, kToday);
    editor.Open("00101", "");
    editor.SelectKind(1);  // 1 January 2024 is lunar 11-20
    EXPECT_EQ(editor.Key(), "11120");

    editor.Open("00917", "");  // 17 September 2024 is lunar 08-15
    editor.SelectKind(1);
    EXPECT_EQ(editor.Key(), "10815");
    EXPECT_EQ(editor.Note(), "中秋");
    editor.SelectKind(0);
    EXPECT_EQ(editor.Key(), "00917");

    // A day this year does not have converts from the month's last day.
    MarkEditor common_year(lines, EncodeDate(2023, 6, 1));
    common_year.Open("00229", "");
    common_year.SelectKind(1);
    EXPECT_EQ(common_year.Key(), "10209");
}

}  // namespace
}  // namespace kalvoro
