#include "calendar/calendar_marks.h"

#include <gtest/gtest.h>

#include "base/gbk.h"

namespace kalvoro {
namespace {

constexpr char kPath[] = "C:\\Kalvoro\\Marks.rec";

class CalendarMarksTest : public ::testing::Test {
protected:
    void Load(std::string_view utf8_file) {
        files.Put(kPath, Utf8ToGbk(utf8_file));
        marks.Load();
    }
    std::string File() { return GbkToUtf8(files.ReadAll(kPath).value_or("")); }
    bool SolarMarked(std::string_view key) const { return lists.SolarMarks().IndexOf(key).has_value(); }
    bool LunarMarked(std::string_view key) const { return lists.LunarMarks().IndexOf(key).has_value(); }

    MemoryFileStore files;
    TFestivalList lists = TFestivalList::WithoutDefaults();
    CalendarMarks marks{files, kPath, lists};
};

TEST_F(CalendarMarksTest, LoadingMarksEveryLinesDayInTheListOfItsKind) {
    marks.SetMarkColor(0x123456);
    Load("00505=端午\r\n10815=中秋\r\n20520=母亲\r\n01001\r\n90101=x\r\n1=short\r\n");
    EXPECT_EQ(marks.Lines().size(), 6u);
    EXPECT_TRUE(SolarMarked("0505"));
    EXPECT_TRUE(SolarMarked("1001"));  // without "=": marked, no note
    EXPECT_TRUE(LunarMarked("0815"));
    EXPECT_TRUE(lists.WeekMarks().IndexOf("0520").has_value());
    EXPECT_EQ(lists.SolarMarks().size(), 2u);
    EXPECT_EQ(lists.LunarMarks().size(), 1u);  // "1=short" names no key
    EXPECT_EQ(lists.GetSolarMark(EncodeDate(2009, 5, 5)), 0x123456);
    EXPECT_EQ(lists.GetLunarMark({2008, 8, 15, false}), 0x123456);
}

TEST_F(CalendarMarksTest, MarkingADayReplacesItsLineDrawsItAndWritesTheFileSorted) {
    Load("10815=中秋\r\n00505=端午\r\n");
    EXPECT_FALSE(SolarMarked("0914"));
    ASSERT_TRUE(marks.SetMark("00914", "生日"));
    EXPECT_TRUE(SolarMarked("0914"));
    EXPECT_EQ(File(), "00505=端午\r\n00914=生日\r\n10815=中秋\r\n");

    ASSERT_TRUE(marks.SetMark("00505", "粽子"));
    EXPECT_EQ(File(), "00505=粽子\r\n00914=生日\r\n10815=中秋\r\n");
}

TEST_F(CalendarMarksTest, DeletingOnlyTheGregorianMarkLeavesTheLunarMarkOfTheDay) {
    Load("00914=生日\r\n10815=中秋\r\n");
    ASSERT_TRUE(marks.IsMarked("0914", "0815"));
    marks.DeleteMarks("0914", "0815", true, false);
    EXPECT_FALSE(SolarMarked("0914"));
    EXPECT_TRUE(LunarMarked("0815"));
    EXPECT_EQ(File(), "10815=中秋\r\n");
    EXPECT_TRUE(marks.IsMarked("0914", "0815"));

    marks.DeleteMarks("0914", "0815", false, true);
    EXPECT_FALSE(marks.IsMarked("0914", "0815"));
    EXPECT_EQ(File(), "");
}

TEST_F(CalendarMarksTest, DeletingAMarkRemovesEveryLineOfItSoItDoesNotComeBack) {
    Load("00505\r\n00505=端午\r\n");
    marks.DeleteMarks("0505", "0000", true, false);
    EXPECT_FALSE(SolarMarked("0505"));
    EXPECT_EQ(File(), "");
    marks.Load();
    EXPECT_FALSE(SolarMarked("0505"));
}

TEST_F(CalendarMarksTest, AFailedWriteKeepsTheChangeInMemory) {
    Load("00505=端午\r\n");
    files.fail_writes = true;
    EXPECT_FALSE(marks.SetMark("00606", "x"));
    EXPECT_TRUE(SolarMarked("0606"));
    EXPECT_EQ(marks.Lines().NoteOf("00606"), "x");
    EXPECT_EQ(File(), "00505=端午\r\n");
}

TEST_F(CalendarMarksTest, ListFlowsChangeAddAndDelete) {
    Load("00505=端午\r\n00914=生日\r\n10815=中秋\r\n");

    // A change of kind and date moves the mark.
    marks.ChangeMark("00505", "10505", "端午节");
    EXPECT_FALSE(SolarMarked("0505"));
    EXPECT_TRUE(LunarMarked("0505"));
    EXPECT_EQ(marks.Lines().lines(), (std::vector<std::string>{"10505=端午节", "00914=生日", "10815=中秋"}));

    // Changing onto a date that already has a line leaves one line for it.
    marks.ChangeMark("00914", "10815", "团圆");
    EXPECT_EQ(marks.Lines().lines(), (std::vector<std::string>{"10505=端午节", "10815=团圆"}));
    EXPECT_FALSE(SolarMarked("0914"));
    EXPECT_TRUE(LunarMarked("0815"));

    marks.ChangeMark("01111", "01212", "none");  // no such line: nothing
    EXPECT_FALSE(SolarMarked("1212"));

    marks.AddMark("01225", "圣诞");
    marks.AddMark("10815", "赏月");
    EXPECT_EQ(marks.Lines().lines(), (std::vector<std::string>{"10505=端午节", "10815=赏月", "01225=圣诞"}));

    const std::size_t selected[] = {0, 2, 2, 7};
    marks.DeleteLines(selected);
    EXPECT_EQ(marks.Lines().lines(), (std::vector<std::string>{"10815=赏月"}));
    EXPECT_FALSE(LunarMarked("0505"));
    EXPECT_FALSE(SolarMarked("1225"));
    EXPECT_TRUE(LunarMarked("0815"));
}

// A disk where "Marks.rec" exists but reading it fails (locked by another program, access denied).
class UnreadableFileStore final : public IFileStore {
public:
    std::optional<std::string> ReadAll(const std::string& path) override {
        if (unreadable) return std::nullopt;
        return files.ReadAll(path);
    }
    bool WriteAtomic(const std::string& path, std::string_view bytes) override {
        return files.WriteAtomic(path, bytes);
    }
    bool Exists(const std::string& path) override { return files.Exists(path); }
    bool Remove(const std::string& path) override { return files.Remove(path); }
    std::vector<std::string> ListFiles(const std::string& folder, std::string_view suffix) override {
        return files.ListFiles(folder, suffix);
    }
    MemoryFileStore files;
    bool unreadable = true;
};

TEST(CalendarMarksOfAnUnreadableFile, AreReadOnlyForTheSessionAndTheFileIsNeverReplaced) {
    UnreadableFileStore disk;
    const std::string users_marks = Utf8ToGbk("00914=生日\r\n10815=中秋\r\n");
    disk.files.Put(kPath, users_marks);
    TFestivalList lists = TFestivalList::WithoutDefaults();
    CalendarMarks marks(disk, kPath, lists);
    marks.Load();
    EXPECT_TRUE(marks.ReadOnly());
    EXPECT_TRUE(marks.Lines().empty());

    // Opening and closing the mark list saves; a new mark is kept in memory and drawn only.
    EXPECT_FALSE(marks.Save());
    EXPECT_FALSE(marks.SetMark("00101", "新年"));
    EXPECT_TRUE(lists.SolarMarks().IndexOf("0101").has_value());
    EXPECT_FALSE(marks.DeleteMarks("0101", "0000", true, true));
    disk.unreadable = false;  // the lock is gone by now: still no write in this session
    EXPECT_FALSE(marks.Save());
    EXPECT_EQ(disk.files.write_count, 0);
    EXPECT_EQ(*disk.files.ReadAll(kPath), users_marks);

    // The next start reads it.
    marks.Load();
    EXPECT_FALSE(marks.ReadOnly());
    EXPECT_EQ(marks.Lines().NoteOf("00914"), "生日");
}

TEST_F(CalendarMarksTest, AMissingFileIsNotReadOnlyAndIsCreatedByTheFirstMark) {
    marks.Load();
    EXPECT_FALSE(marks.ReadOnly());
    EXPECT_TRUE(marks.Save());
    EXPECT_EQ(files.write_count, 0);  // nothing to keep: no empty file appears
    EXPECT_TRUE(marks.SetMark("00101", "新年"));
    EXPECT_EQ(File(), "00101=新年\r\n");
}

TEST_F(CalendarMarksTest, TheFileIsRewrittenOnlyWhenItsContentChanged) {
    // Unsorted, LF line ends and bytes that are not GBK (a lone lead byte, an unassigned pair).
    const std::string bytes = "10815=\xD6\xD0\xC7\xEF\n00505=\x81\n00914=\xFF\xFE\x41\n";
    files.Put(kPath, bytes);
    marks.Load();
    ASSERT_EQ(marks.Lines().size(), 3u);
    marks.Lines().Sort();  // what opening the mark list does
    EXPECT_TRUE(marks.Save());
    EXPECT_TRUE(marks.SetMark("10815", "中秋"));  // the same note again
    EXPECT_EQ(files.write_count, 0);
    EXPECT_EQ(*files.ReadAll(kPath), bytes);

    // A real change writes the file; the lines the user did not touch keep their bytes.
    EXPECT_TRUE(marks.SetMark("01225", "圣诞"));
    EXPECT_EQ(files.write_count, 1);
    EXPECT_EQ(*files.ReadAll(kPath),
              "00505=\x81\r\n00914=\xFF\xFE\x41\r\n01225=\xCA\xA5\xB5\xAE\r\n10815=\xD6\xD0\xC7\xEF\r\n");
}

TEST(MarkListRows, KindDateAndNoteInColumns) {
    EXPECT_EQ(MarkListRow("00505=端午"), "公历\t05月05日\t端午");
    EXPECT_EQ(MarkListRow("10815=中秋=月"), "农历\t08月15日\t中秋=月");
    EXPECT_EQ(MarkListRow("01001"), "公历\t10月01日\t");
    EXPECT_EQ(MarkListRow("1"), "农历\t月日\t");
}

TEST(DeleteMarksQuestion, NamesBothDates) {
    EXPECT_EQ(DeleteMarksQuestion("0914", "0815"), "公历：09月14日   农历：08月15日");
}

}  // namespace
}  // namespace kalvoro
