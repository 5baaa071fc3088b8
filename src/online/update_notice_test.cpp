#include "online/update_notice.h"

#include <gtest/gtest.h>

namespace kalvoro {
namespace {

struct RecordingPopup final : IPopupSender {
    bool ShowText(std::string_view utf8_text) override {
        shown.emplace_back(utf8_text);
        return available;
    }
    bool available = true;
    std::vector<std::string> shown;
};

class UpdateNoticeTest : public testing::Test {
protected:
    MemoryFileStore files;
    FakeClock clock{EncodeDate(2026, 12, 10) + EncodeTime(9, 30, 5)};
    RecordingPopup popup;
    UpdateNotice notice{files, "C:\\K\\", clock, ChineseDateLocale(), popup, "http://kalvoro.org/"};
};

TEST_F(UpdateNoticeTest, TwoLinesDoNothingThreeLinesAnnounceAndRecord) {
    for (const char* text : {"", "one", "one\r\ntwo", "one\r\ntwo\r\n", "one\ntwo"}) {
        EXPECT_FALSE(notice.OnUpdateNotice(text)) << text;
    }
    EXPECT_TRUE(popup.shown.empty());
    EXPECT_EQ(files.write_count, 0);

    EXPECT_TRUE(notice.OnUpdateNotice("3.8.0\r\nfaster\r\nsmaller"));
    EXPECT_EQ(popup.shown, (std::vector<std::string>{"Kalvoro有新版本啦，快来升级吧!\r\n\r\nhttp://kalvoro.org/"}));
    EXPECT_EQ(files.ReadAll("C:\\K\\Upgrade.his"), "2026/12/10 9:30:05\r\n");
}

TEST_F(UpdateNoticeTest, WithoutThePopupProgramTheNoticeIsStillRecorded) {
    popup.available = false;
    EXPECT_TRUE(notice.OnUpdateNotice("a\nb\nc"));
    EXPECT_EQ(files.ReadAll("C:\\K\\Upgrade.his"), "2026/12/10 9:30:05\r\n");
}

TEST_F(UpdateNoticeTest, CheckDoneRewritesTheHistoryOnlyWhenItChanges) {
    files.Put("C:\\K\\Upgrade.his", "old junk\r\nmore\r\n");
    notice.OnUpdateCheckDone();
    EXPECT_EQ(files.ReadAll("C:\\K\\Upgrade.his"), "2026/12/10 9:30:05\r\n");
    EXPECT_EQ(files.write_count, 1);
    notice.OnUpdateCheckDone();
    EXPECT_EQ(files.write_count, 1);
    EXPECT_TRUE(popup.shown.empty());
}

}  // namespace
}  // namespace kalvoro
