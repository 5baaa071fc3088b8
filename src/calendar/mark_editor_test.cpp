#include "calendar/mark_editor.h"

#include <gtest/gtest.h>

namespace kalvoro {
namespace {

const DateTime kToday = EncodeDate(2024, 6, 1);

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
