// The program in an application folder it cannot write (a zip unpacked into a protected folder, a
// read-only medium): it says so once, through the popup program, and goes on without crashing.
// Wine runs as root here, whom permissions do not stop: the folder is made immutable instead.

#include <gtest/gtest.h>

#include <string>

#include "base/gbk.h"
#include "base/win32/text.h"
#include "e2e/app_under_test.h"
#include "e2e/unix_side.h"

namespace kalvoro::e2e {
namespace {

using namespace std::chrono_literals;

constexpr int kCalendarItem = 1000 + 2;  // 日历 in the main menu
constexpr int kCompactItem = 1000 + 0;   // 精简

int Occurrences(const std::string& text, const std::string& part) {
    int count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

TEST(ReadOnlyFolderTest, ProgramSaysOnceThatNothingWillBeSavedAndKeepsRunning) {
    AppUnderTest app;
    app.UsePopupDouble();
    const std::string settings = "[BAR]\r\nDefWin=0\r\nLeft=300\r\nTop=40\r\n[MSG]\r\nCalendarLX=0\r\n";
    app.WriteSettings(settings);
    // The popup double appends to its record beside itself: the file must exist before the lock.
    WriteFileBytes(app.PathOf(L"popup_received.bin"), "");
    const std::wstring folder = app.dir();
    {
        const ImmutableFolder locked(folder);
        ASSERT_TRUE(locked.locked());
        ASSERT_TRUE(app.Start());

        const std::string heading = Utf8ToGbk("程序文件夹不可写入：\r\n" + Narrow(folder) + "\r\n");
        const auto received = [&] { return ReadFileBytes(app.PathOf(L"popup_received.bin")); };
        ASSERT_TRUE(WaitFor([&] { return received().find(heading) != std::string::npos; }, 30s)) << received();
        EXPECT_NE(received().find(Utf8ToGbk("都无法保存")), std::string::npos);

        // Changes that would be saved (the display mode, then everything at closing): nothing
        // crashes, and nothing is said again.
        ::PostMessageW(app.bar(), WM_COMMAND, kCalendarItem, 0);
        EXPECT_TRUE(WaitFor([&] { return !app.WindowsOfClass(L"TFrmCalendar").empty(); }));
        ::PostMessageW(app.bar(), WM_COMMAND, kCompactItem, 0);
        EXPECT_TRUE(WaitFor([&] { return app.WindowsOfClass(L"TFrmCalendar").empty(); }));
        EXPECT_TRUE(app.Running());
        EXPECT_TRUE(app.Close());
        EXPECT_EQ(Occurrences(received(), Utf8ToGbk("程序文件夹不可写入")), 1);
        // The folder still holds exactly what it held.
        EXPECT_EQ(app.ReadSettings(), settings);
    }
}

}  // namespace
}  // namespace kalvoro::e2e
