#include "app/app_core.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "base/file_store.h"
#include "base/gbk.h"

namespace kalvoro {
namespace {

class RecordingListener final : public ITickListener {
public:
    RecordingListener(std::vector<std::string>& log, std::string name, bool throws = false)
        : log_(log), name_(std::move(name)), throws_(throws) {}
    void OnTick(DateTime now) override {
        log_.push_back(name_ + "@" + std::to_string(static_cast<long long>(now * 86400.0 + 0.5)));
        if (throws_) throw std::runtime_error("listener failed");
    }

private:
    std::vector<std::string>& log_;
    std::string name_;
    bool throws_;
};

// The time is read once and goes to the display, the scheduler and the chime in this order,
// whatever order they were attached in; a failing stage does not stop the later ones.
TEST(AppTickTest, OneTimeToEveryStageInOrder) {
    FakeClock clock(1.5);  // 1899-12-31 12:00:00
    AppTick tick(clock);
    std::vector<std::string> log;
    RecordingListener chime(log, "chime"), scheduler(log, "scheduler", true), display(log, "display");
    tick.Attach(TickStage::kChime, &chime);
    tick.Attach(TickStage::kScheduler, &scheduler);
    tick.Attach(TickStage::kDisplay, &display);

    EXPECT_EQ(tick.Run(), 1.5);
    clock.AdvanceSeconds(1);
    tick.Attach(TickStage::kScheduler, nullptr);
    tick.Run();

    const std::vector<std::string> expected{"display@129600", "scheduler@129600", "chime@129600", "display@129601",
                                            "chime@129601"};
    EXPECT_EQ(log, expected);
}

TEST(AppCoreTest, LoadsSettingsAndMarksFromTheApplicationFolder) {
    MemoryFileStore files;
    files.Put("C:\\app\\skin.ini", "[BAR]\r\nTr=99\r\n[SKIN]\r\nSkinFile=x.sk\r\n");
    files.Put("C:\\app\\Marks.rec", Utf8ToGbk("00914=生日\r\n"));
    FakeClock clock;
    AppCore core(files, clock, "C:\\app\\");
    core.Load(1280);
    EXPECT_EQ(core.settings().values().transparency, 99);
    EXPECT_EQ(core.settings().values().skin_file, "x.sk");
    ASSERT_EQ(core.calendar().marks.Lines().size(), 1u);
    // The bar's festival text for a marked day comes from the core's lists.
    EXPECT_NE(core.date_texts().FestivalText(EncodeDate(2008, 2, 7)).find("春节"), std::string::npos);
}

TEST(AppCoreTest, FolderThatCannotBeWrittenIsToldOnceWithItsName) {
    MemoryFileStore files;
    FakeClock clock;
    AppCore core(files, clock, "D:\\只读 文件夹\\");
    EXPECT_TRUE(core.FolderWritable());
    EXPECT_FALSE(files.Exists("D:\\只读 文件夹\\Kalvoro.write-test"));  // the probe is gone again
    files.fail_writes = true;
    EXPECT_FALSE(core.FolderWritable());
    const std::string notice = core.FolderNotWritableNotice();
    EXPECT_NE(notice.find("D:\\只读 文件夹\r\n"), std::string::npos) << notice;
    EXPECT_NE(notice.find("日历标记"), std::string::npos);
}

}  // namespace
}  // namespace kalvoro
