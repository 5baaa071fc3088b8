// Scheduled tasks as the real program runs them: a message task that falls due reaches the popup
// program; a stopped task due in the same second does not.

#include <gtest/gtest.h>

#include <string>

#include "base/date_time.h"
#include "base/gbk.h"
#include "e2e/app_under_test.h"

namespace kalvoro::e2e {
namespace {

using namespace std::chrono_literals;

std::string TimeText(const SYSTEMTIME& at) {
    return IntToZeroStr(at.wHour, 2) + "时" + IntToZeroStr(at.wMinute, 2) + "分" + IntToZeroStr(at.wSecond, 2) + "秒";
}

TEST(TasksTest, DueMessageTaskReachesThePopupProgramAndAStoppedOneDoesNot) {
    AppUnderTest app;
    app.UsePopupDouble();
    app.WriteSettings("[BAR]\r\nDefWin=0\r\n[MSG]\r\nCalendarLX=0\r\n");
    // Eight seconds ahead: enough for the program to start and load the list first.
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    FILETIME file_time{};
    ::SystemTimeToFileTime(&now, &file_time);
    ULARGE_INTEGER ticks{{file_time.dwLowDateTime, file_time.dwHighDateTime}};
    ticks.QuadPart += 8ULL * 10'000'000ULL;
    file_time = {ticks.LowPart, ticks.HighPart};
    SYSTEMTIME due{};
    ::FileTimeToSystemTime(&file_time, &due);
    const std::string list =
        "*1" + TimeText(due) + "\r\n3消息(已停止的任务)\r\n*0" + TimeText(due) + "\r\n3消息(该喝水了)\r\n";
    WriteFileBytes(app.PathOf(L"War.lst"), Utf8ToGbk(list));
    ASSERT_TRUE(app.Start());
    const std::string wanted = Utf8ToGbk("该喝水了");
    EXPECT_TRUE(WaitFor(
        [&] { return ReadFileBytes(app.PathOf(L"popup_received.bin")).find(wanted) != std::string::npos; }, 30s));
    PumpFor(1500ms);
    EXPECT_EQ(ReadFileBytes(app.PathOf(L"popup_received.bin")).find(Utf8ToGbk("已停止的任务")), std::string::npos);
    EXPECT_TRUE(app.Close());
}

}  // namespace
}  // namespace kalvoro::e2e
