#include "tasks/task_list.h"

#include <gtest/gtest.h>

#include "base/gbk.h"

namespace kalvoro {
namespace {

struct Pattern {
    int year, month, day, hour, minute, second;
};

Pattern PatternOf(const TTaskRec& task) {
    return {task.Year, task.Month, task.Day, task.Hour, task.Minute, task.Second};
}

bool operator==(const Pattern& a, const Pattern& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour && a.minute == b.minute &&
           a.second == b.second;
}

void PrintTo(const Pattern& p, std::ostream* os) {
    *os << p.year << "/" << p.month << "/" << p.day << " " << p.hour << ":" << p.minute << ":" << p.second;
}

constexpr int A = kAnyValue;

TEST(TimeTextTest, ComponentsAndNormalisation) {
    struct Case {
        const char* text;
        Pattern expected;
    };
    const Case cases[] = {
        {"2011年03月05日08时30分00秒", {2011, 3, 5, 8, 30, 0}},
        {"07时00分00秒", {A, A, A, 7, 0, 0}},
        {"30分00秒", {A, A, A, A, 30, 0}},
        // Normalisation: a fixed hour alone gets minute and second 0, a fixed minute gets second 0.
        {"08时", {A, A, A, 8, 0, 0}},
        {"08时30分", {A, A, A, 8, 30, 0}},
        {"30分", {A, A, A, A, 30, 0}},
        // Hour and second fixed, minute any: left alone (fires once a minute in that hour).
        {"08时00秒", {A, A, A, 8, A, 0}},
        {"15秒", {A, A, A, A, A, 15}},
        {"", {A, A, A, A, A, A}},
        {"2011年03月05日", {2011, 3, 5, A, A, A}},
        // Readers take any decimal integer, not only the editor's zero-padded ones.
        {"8时5分7秒", {A, A, A, 8, 5, 7}},
        {"99月", {A, 99, A, A, A, A}},
        // Units are searched in order, each in the text after the previous unit found: the hour's
        // text is everything before 时, and 分 is then looked for only after it.
        {"秒08时", {A, A, A, A, A, A}},
        {"12分08时", {A, A, A, A, A, A}},
        {"08时3日", {A, A, A, A, A, A}},
        // Text after the last unit found is ignored; text that is not a number gives any.
        {"08时30分00秒后面", {A, A, A, 8, 30, 0}},
        {"ab时30分", {A, A, A, A, 30, 0}},
        {"时30分", {A, A, A, A, 30, 0}},
        // Signs are part of a decimal integer; blanks are not.
        {"-5时", {A, A, A, -5, 0, 0}},
        {"+5时", {A, A, A, 5, 0, 0}},
        {" 5时", {A, A, A, A, A, A}},
        {"5 时", {A, A, A, A, A, A}},
        {"+时", {A, A, A, A, A, A}},
        {"2147483647年1时", {2147483647, A, A, 1, 0, 0}},
        {"2147483648年1时", {A, A, A, 1, 0, 0}},
        {"-2147483648年1时", {-2147483648, A, A, 1, 0, 0}},
        {"99999999999999999999年", {A, A, A, A, A, A}},
        // Lines without units.
        {"20110305083000", {A, A, A, A, A, A}},
    };
    for (const Case& c : cases) {
        TTaskRec task;
        ReadTimeText(c.text, task);
        EXPECT_EQ(PatternOf(task), c.expected) << c.text;
    }
}

TEST(TimeTextTest, NormalisationRunsInItsOrder) {
    // Rule 1 fills minute and second; rule 2 then has nothing to do. Hour any, minute fixed: rule 2 only.
    TTaskRec task;
    task.Hour = 8;
    NormaliseTask(task);
    EXPECT_EQ(PatternOf(task), (Pattern{A, A, A, 8, 0, 0}));
    TTaskRec minute_only;
    minute_only.Minute = 7;
    minute_only.Second = 9;
    NormaliseTask(minute_only);
    EXPECT_EQ(PatternOf(minute_only), (Pattern{A, A, A, A, 7, 9}));
}

TEST(TimeTextTest, SplitKeepsComponentTextsAsWritten) {
    const TimeTextParts parts = SplitTimeText("2009年3月时+07分");
    EXPECT_EQ(parts[0], "2009");
    EXPECT_EQ(parts[1], "3");
    EXPECT_FALSE(parts[2].has_value());
    EXPECT_EQ(parts[3], "");
    EXPECT_EQ(parts[4], "+07");
    EXPECT_FALSE(parts[5].has_value());
}

TEST(InnerActionTextTest, FirstOpeningBracketToTheLastCharacter) {
    EXPECT_EQ(InnerActionText("3消息 (开会)"), "开会");
    EXPECT_EQ(InnerActionText("3消息 (开会(3楼) 带(笔))"), "开会(3楼) 带(笔)");
    EXPECT_EQ(InnerActionText("3消息 开会"), "");
    EXPECT_EQ(InnerActionText("3消息 ("), "");
    EXPECT_EQ(InnerActionText("3()"), "");
    // The last character is dropped whatever it is, a Chinese one included.
    EXPECT_EQ(InnerActionText("3(开会吧"), "开会");
    EXPECT_EQ(InnerActionText(""), "");
}

std::string File(std::initializer_list<const char*> utf8_lines) {
    std::string out;
    for (const char* line : utf8_lines) {
        out += Utf8ToGbk(line);
        out += "\r\n";
    }
    return out;
}

TEST(ParseTaskListTest, TasksActionsAndIgnoredLines) {
    const std::string bytes = File({
        "3消息 (before any task)",
        "",
        "*02011年03月05日08时30分00秒",
        "2播放 (C:\\My Sound\\铃声 1.wav)",
        "hello",
        "",
        "3消息 (开会(3楼))",
        "*130分00秒",
        "4执行 (关机)",
        "*x07时00分00秒",
        "9执行 (x)",
        "*0",
    });
    const std::vector<TTaskRec> tasks = ParseTaskList(bytes);
    ASSERT_EQ(tasks.size(), 4u);
    EXPECT_TRUE(tasks[0].Enabled);
    EXPECT_EQ(PatternOf(tasks[0]), (Pattern{2011, 3, 5, 8, 30, 0}));
    ASSERT_EQ(tasks[0].Actions.size(), 2u);
    EXPECT_EQ(tasks[0].Actions[0], (TActRec{kActionSound, "C:\\My Sound\\铃声 1.wav"}));
    EXPECT_EQ(tasks[0].Actions[1], (TActRec{kActionMessage, "开会(3楼)"}));
    EXPECT_FALSE(tasks[1].Enabled);
    EXPECT_EQ(PatternOf(tasks[1]), (Pattern{A, A, A, A, 30, 0}));
    EXPECT_EQ(tasks[1].Actions, (std::vector<TActRec>{{kActionCommand, "关机"}}));
    // A state character other than "0" loads as stopped.
    EXPECT_FALSE(tasks[2].Enabled);
    EXPECT_EQ(PatternOf(tasks[2]), (Pattern{A, A, A, 7, 0, 0}));
    EXPECT_EQ(tasks[2].Actions, (std::vector<TActRec>{{7, "x"}}));
    // "*0" alone: running, everything any, no actions.
    EXPECT_TRUE(tasks[3].Enabled);
    EXPECT_EQ(PatternOf(tasks[3]), (Pattern{A, A, A, A, A, A}));
    EXPECT_TRUE(tasks[3].Actions.empty());
}

TEST(ParseTaskListTest, LineEndsAndDoubleByteStateCharacter) {
    // LF alone and CR alone end lines too; a two-byte second character is one character.
    const std::string bytes =
        "*008\xCA\xB1\n2(a.wav)\r*\xD6\xD0"
        "09\xCA\xB1\r\n";
    const std::vector<TTaskRec> tasks = ParseTaskList(bytes);
    ASSERT_EQ(tasks.size(), 2u);
    EXPECT_EQ(PatternOf(tasks[0]), (Pattern{A, A, A, 8, 0, 0}));
    EXPECT_EQ(tasks[0].Actions, (std::vector<TActRec>{{kActionSound, "a.wav"}}));
    EXPECT_FALSE(tasks[1].Enabled);
    EXPECT_EQ(PatternOf(tasks[1]), (Pattern{A, A, A, 9, 0, 0}));
}

TEST(ParseTaskListTest, UnitsAreFoundOnCharactersNeverOnBytes) {
    // 版 is B0 CA; with the next byte B1 the bytes CA B1 look like 时. On characters there is no 时,
    // so the minute text is "版" + the broken byte + "30": not a number.
    const std::vector<TTaskRec> tasks = ParseTaskList(
        "*0\xB0\xCA\xB1"
        "30\xB7\xD6\r\n");
    ASSERT_EQ(tasks.size(), 1u);
    EXPECT_EQ(PatternOf(tasks[0]), (Pattern{A, A, A, A, A, A}));
}

TEST(ParseTaskListTest, JunkNeverFails) {
    std::string junk;
    junk.reserve(1 << 20);
    unsigned state = 12345;
    while (junk.size() < (1u << 20)) {
        state = state * 1103515245u + 12345u;
        junk += static_cast<char>(state >> 16);
    }
    const std::vector<TTaskRec> tasks = ParseTaskList(junk);
    for (const TTaskRec& task : tasks) {
        for (const TActRec& action : task.Actions) EXPECT_GE(action.Kind, -2);
    }
}

TEST(TaskListTest, LoadReplacesTheListAndAMissingFileEmptiesIt) {
    MemoryFileStore store;
    store.Put("C:\\K\\War.lst", File({"*008时", "3消息 (a)", "*109时"}));
    TaskList list;
    list.Load(store, "C:\\K\\War.lst");
    ASSERT_EQ(list.size(), 2u);
    const TaskList::TaskPtr kept = list.Tasks()[0];
    store.Put("C:\\K\\War.lst", File({"*010时"}));
    list.Load(store, "C:\\K\\War.lst");
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list.Tasks()[0]->Hour, 10);
    // A task still held elsewhere (the scheduler's running one) survives the reload.
    EXPECT_EQ(kept->Hour, 8);
    EXPECT_EQ(kept->Actions.size(), 1u);
    list.Load(store, "C:\\K\\Missing.lst");
    EXPECT_TRUE(list.empty());
}

}  // namespace
}  // namespace kalvoro
