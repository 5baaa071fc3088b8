#include "calendar/mark_lines.h"

#include <gtest/gtest.h>

#include "base/gbk.h"

namespace kalvoro {
namespace {

TEST(MarkLines, SaveSortsAndWritesGbkWithCrLf) {
    MemoryFileStore files;
    MarkLines lines({"10101=a", "01225=圣诞", "00101=c"});
    ASSERT_TRUE(lines.Save(files, "C:\\App\\Marks.rec"));
    EXPECT_EQ(*files.ReadAll("C:\\App\\Marks.rec"), Utf8ToGbk("00101=c\r\n01225=圣诞\r\n10101=a\r\n"));
    EXPECT_EQ(lines.lines(), (std::vector<std::string>{"00101=c", "01225=圣诞", "10101=a"}));

    const MarkLines loaded = MarkLines::Load(files, "c:/app/marks.rec");
    EXPECT_EQ(loaded.lines(), lines.lines());
}

TEST(MarkLines, SortKeepsTheFirstLineOfANameFirst) {
    // By whole lines "00505=a" would go before "00505=z" and take over the name.
    MarkLines lines({"10101=x", "00505=z", "00505", "00505=a", "00101=y"});
    lines.Sort();
    EXPECT_EQ(lines.lines(), (std::vector<std::string>{"00101=y", "00505=z", "00505", "00505=a", "10101=x"}));
    EXPECT_EQ(lines.NoteOf("00505"), "z");
}

TEST(MarkLines, LoadAcceptsAnyLineEndAndDropsBlankLines) {
    const MarkLines lines = MarkLines::Parse(Utf8ToGbk("00505=端午\n\r\n   \r10815=中秋\r00101"));
    EXPECT_EQ(lines.lines(), (std::vector<std::string>{"00505=端午", "10815=中秋", "00101"}));
}

TEST(MarkLines, UndecodableBytesSurviveASaveOfTheirLineButNotAnEdit) {
    // "\x81 " is a lead byte without a trail byte, "\xFF" is no GBK byte at all.
    MemoryFileStore files;
    files.Put("Marks.rec", "10815=\x81 moon\r\n00101=\xFF\r\n00505=" + Utf8ToGbk("端午") + "\r\n");
    MarkLines lines = MarkLines::Load(files, "Marks.rec");
    EXPECT_EQ(lines.NoteOf("10815"), "\uFFFD moon");
    ASSERT_TRUE(lines.Save(files, "Marks.rec"));
    EXPECT_EQ(*files.ReadAll("Marks.rec"), "00101=\xFF\r\n00505=" + Utf8ToGbk("端午") + "\r\n10815=\x81 moon\r\n");

    lines.Put("00101", "new");
    lines.RemoveAt(*lines.IndexOfName("00505"));
    lines.Put("00202", "\uFFFD");
    ASSERT_TRUE(lines.Save(files, "Marks.rec"));
    EXPECT_EQ(*files.ReadAll("Marks.rec"), "00101=new\r\n00202=?\r\n10815=\x81 moon\r\n");
}

TEST(MarkLines, MissingUnreadableOrUnwritableFileLeavesTheMarksInMemory) {
    MemoryFileStore files;
    EXPECT_TRUE(MarkLines::Load(files, "Marks.rec").empty());

    files.Put("Marks.rec", "00101=old\r\n");
    files.fail_writes = true;
    MarkLines lines({"00202=new"});
    EXPECT_FALSE(lines.Save(files, "Marks.rec"));
    EXPECT_EQ(*files.ReadAll("Marks.rec"), "00101=old\r\n");
    EXPECT_EQ(lines.NoteOf("00202"), "new");
}

TEST(MarkLines, LookupTakesTheFirstLineOfANameAndLinesWithoutEqualsHaveNoNote) {
    const MarkLines lines({"00505=first", "00505=second", "10815", "10101=a=b", "00606="});
    EXPECT_EQ(lines.NoteOf("00505"), "first");
    EXPECT_EQ(lines.NoteOf("10815"), "");
    EXPECT_EQ(lines.IndexOfName("10815"), 2u);
    EXPECT_EQ(lines.NoteOf("10101"), "a=b");
    EXPECT_EQ(lines.IndexOfName("00606"), 4u);
    EXPECT_FALSE(lines.IndexOfName("00707"));
    EXPECT_FALSE(lines.IndexOfName("0050"));
}

TEST(MarkLines, PutReplacesOrAddsAndKeepsNotesOnOneLine) {
    MarkLines lines({"10815", "00505=端午"});
    EXPECT_EQ(lines.Put("10815", "中秋"), 0u);
    EXPECT_EQ(lines.Put("01225", "a\r\nb\nc"), 2u);
    EXPECT_EQ(lines.lines(), (std::vector<std::string>{"10815=中秋", "00505=端午", "01225=a  b c"}));

    MemoryFileStore files;
    lines.Save(files, "Marks.rec");
    EXPECT_EQ(MarkLines::Load(files, "Marks.rec").size(), 3u);
}

TEST(MarkLines, LinesWithBytesThatAreNotGbkRoundTripByteForByteUntilEdited) {
    // 0x81 0x0D: a lead byte cut by the line end; 0xFF: never a GBK byte; 0xA2 0xAB: an unassigned
    // pair; "\x80" alone.
    const std::string bytes =
        "00101=a\x81\r\n00202=\xFF\xFFx\r\n00303=\xA2\xAB\r\n00404=\x80\r\n00505=\xB6\xCB\xCE\xE7\r\n";
    MarkLines lines = MarkLines::Parse(bytes);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines.NoteOf("00505"), "端午");
    EXPECT_EQ(lines.Serialize(), bytes);

    // Sorting moves the kept bytes with their lines; an edited line is written from its new text.
    MarkLines reordered = MarkLines::Parse("00303=\xA2\xAB\r\n00202=\xFF\r\n00101=\xFF\r\n");
    reordered.Sort();
    EXPECT_EQ(reordered.Serialize(), "00101=\xFF\r\n00202=\xFF\r\n00303=\xA2\xAB\r\n");
    reordered.Put("00202", "ok");
    EXPECT_EQ(reordered.Serialize(), "00101=\xFF\r\n00202=ok\r\n00303=\xA2\xAB\r\n");
}

}  // namespace
}  // namespace kalvoro
