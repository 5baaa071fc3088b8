#include "tasks/task_editor_model.h"

#include <gtest/gtest.h>

namespace kalvoro {
namespace {

std::array<std::string, kTimeBoxCount> BoxTexts(std::string_view time_text, int year) {
    const auto selection = TimeBoxSelection(time_text, year);
    std::array<std::string, kTimeBoxCount> texts;
    for (int box = 0; box < kTimeBoxCount; ++box) {
        const int index = selection[static_cast<std::size_t>(box)];
        if (index > 0) texts[static_cast<std::size_t>(box)] = TimeBoxItems(box, year)[static_cast<std::size_t>(index)];
    }
    return texts;
}

TEST(TaskEditorModelTest, ComboItems) {
    const auto years = TimeBoxItems(kBoxYear, 2026);
    ASSERT_EQ(years.size(), 13u);
    EXPECT_EQ(years[0], "");
    EXPECT_EQ(years[1], "2026");
    EXPECT_EQ(years[12], "2037");
    const auto months = TimeBoxItems(kBoxMonth, 2026);
    ASSERT_EQ(months.size(), 13u);
    EXPECT_EQ(months[1], "01");
    EXPECT_EQ(months[12], "12");
    EXPECT_EQ(TimeBoxItems(kBoxDay, 2026).size(), 32u);
    EXPECT_EQ(TimeBoxItems(kBoxDay, 2026).back(), "31");
    const auto hours = TimeBoxItems(kBoxHour, 2026);
    ASSERT_EQ(hours.size(), 25u);
    EXPECT_EQ(hours[1], "00");
    EXPECT_EQ(hours[24], "23");
    EXPECT_EQ(TimeBoxItems(kBoxMinute, 2026).size(), 61u);
    EXPECT_EQ(TimeBoxItems(kBoxSecond, 2026).back(), "59");
}

TEST(TaskEditorModelTest, ReadsTheTimeTextKeepingComponentTexts) {
    struct Case {
        const char* text;
        std::array<int, kTimeBoxCount> selection;
    };
    const Case cases[] = {
        {"2026年03月05日08时30分00秒", {1, 3, 5, 9, 31, 1}},
        {"2037年12月31日23时59分59秒", {12, 12, 31, 24, 60, 60}},
        // A past year and a year after the eleventh following one are no items.
        {"2025年03月", {-1, 3, 0, 0, 0, 0}},
        {"2038年", {-1, 0, 0, 0, 0, 0}},
        // A number without its leading zero is no item either.
        {"8时5分", {0, 0, 0, -1, -1, 0}},
        {"08时00秒", {0, 0, 0, 9, 0, 1}},
        {"", {0, 0, 0, 0, 0, 0}},
    };
    for (const Case& c : cases) EXPECT_EQ(TimeBoxSelection(c.text, 2026), c.selection) << c.text;
}

TEST(TaskEditorModelTest, RebuildsTheTextFromTheBoxes) {
    auto texts = BoxTexts("2025年03月05日08时30分00秒", 2026);
    // The past year reads as empty: any change saves the task without a year.
    EXPECT_EQ(BuildTimeText(texts), "03月05日08时30分00秒");
    // Esc in the minute box of 08时30分00秒.
    texts = BoxTexts("08时30分00秒", 2026);
    texts[kBoxMinute].clear();
    EXPECT_EQ(BuildTimeText(texts), "08时00秒");
    EXPECT_EQ(BuildTimeText({}), "");
    EXPECT_EQ(BuildTimeText({"2030", "", "", "", "", "07"}), "2030年07秒");
}

}  // namespace
}  // namespace kalvoro
