// Task actions as the real program carries them out: a command opens an existing file and skips a
// missing one; "关机" shows the ten-second countdown, which 取消(&C), Esc, Enter and the close
// button end without powering off and which, left alone, powers off once. The program's clock
// starts just before the task's second (KALVORO_FAKE_NOW), the files it opens are logged
// (KALVORO_SHELL_LOG) and its power-off goes to a log (KALVORO_FAKE_POWER): the machine stays up.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "base/gbk.h"
#include "base/win32/text.h"
#include "e2e/app_under_test.h"
#include "e2e/dialog_driver.h"

namespace kalvoro::e2e {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

// Eight seconds before the tasks' second: time enough for the program to start and load its list.
constexpr wchar_t kStartTime[] = L"2026-12-10 08:59:52";
constexpr char kTaskLine[] = "*009时00分00秒\r\n";
constexpr char kSettings[] = "[BAR]\r\nDefWin=0\r\n[MSG]\r\nCalendarLX=0\r\n";
constexpr wchar_t kCountdownCaption[] = L"定时任务：自动关机";

void WriteTaskList(const AppUnderTest& app, const std::string& utf8) {
    WriteFileBytes(app.PathOf(L"War.lst"), Utf8ToGbk(utf8));
}

bool PopupReceived(const AppUnderTest& app, const std::string& utf8) {
    return ReadFileBytes(app.PathOf(L"popup_received.bin")).find(Utf8ToGbk(utf8)) != std::string::npos;
}

TEST(TaskActionsTest, CommandOpensAnExistingFileAndSkipsAMissingOne) {
    AppUnderTest app;
    app.UsePopupDouble();
    app.WriteSettings(kSettings);
    // The document is a batch file whose opening leaves a marker; its path has blanks and Chinese.
    const std::wstring folder = app.PathOf(L"任务 文件");
    fs::create_directories(fs::path(folder));
    const std::wstring document = folder + L"\\打开 测试.bat";
    const std::wstring missing = folder + L"\\不存在的 文件.bat";
    const std::wstring marker = app.PathOf(L"opened.txt");
    WriteFileBytes(document, "@echo opened>\"" + Narrow(marker) + "\"\r\n");
    WriteTaskList(app, std::string(kTaskLine) + "4执行 (" + Narrow(missing) + ")\r\n4执行 (" + Narrow(document) +
                           ")\r\n3消息 (命令都已执行)\r\n");
    const std::wstring shell_log = app.PathOf(L"shell.log");
    ScopedEnvironment fake_now(L"KALVORO_FAKE_NOW", kStartTime);
    ScopedEnvironment log_shell(L"KALVORO_SHELL_LOG", shell_log);
    ASSERT_TRUE(app.Start());

    EXPECT_TRUE(WaitFor([&] { return ReadFileBytes(marker).find("opened") != std::string::npos; }, 40s));
    // The action after both commands ran: the missing file stopped nothing and raised no error.
    EXPECT_TRUE(WaitFor([&] { return PopupReceived(app, "命令都已执行"); }, 20s));
    // The shell was asked to open the existing document only.
    EXPECT_EQ(ReadLogLines(shell_log), std::vector<std::string>{Narrow(document)});
    EXPECT_FALSE(fs::exists(fs::path(missing)));
    EXPECT_TRUE(MessageBoxes(app).empty());
    EXPECT_TRUE(app.Running());
    EXPECT_TRUE(app.Close());
}

class ShutDownTaskTest : public ::testing::Test {
protected:
    void SetUp() override {
        app_.WriteSettings(kSettings);
        WriteTaskList(app_, std::string(kTaskLine) + "4执行 (关机)\r\n");
    }

    // Starts the program and waits for the countdown; null when it never showed.
    HWND StartAndWaitForCountdown() {
        if (!app_.Start()) return nullptr;
        return WaitForDialog(app_, kCountdownCaption, 40s);
    }

    std::wstring PowerLog() const { return app_.PathOf(L"power.log"); }

    AppUnderTest app_;
    ScopedEnvironment fake_now_{L"KALVORO_FAKE_NOW", kStartTime};
    ScopedEnvironment fake_power_{L"KALVORO_FAKE_POWER", app_.PathOf(L"power.log")};
};

TEST_F(ShutDownTaskTest, CountdownWindowShowsTheSecondsAndItsTwoChoices) {
    const HWND countdown = StartAndWaitForCountdown();
    ASSERT_NE(countdown, nullptr);
    RECT frame{};
    ::GetWindowRect(countdown, &frame);
    EXPECT_EQ(frame.right - frame.left, 312);
    EXPECT_EQ(frame.bottom - frame.top, 156);
    EXPECT_NE(ChildWithText(countdown, L"秒后关闭计算机..."), nullptr);
    EXPECT_NE(ChildWithText(countdown, L"立即关机"), nullptr);
    EXPECT_NE(ChildWithText(countdown, L"取消(&C)"), nullptr);
    EXPECT_TRUE(::GetWindowLongW(countdown, GWL_EXSTYLE) & WS_EX_TOPMOST);
    SnapshotWindow(countdown, L"tasks-countdown");
    Click(ChildWithText(countdown, L"取消(&C)"));
    EXPECT_TRUE(WaitFor([&] { return !::IsWindow(countdown); }, 5s));
    EXPECT_TRUE(app_.Close());
}

// Every way of saying no: the 取消(&C) button, Esc, Enter (取消(&C) is the default button, so a
// key pressed by habit never powers off), Space (the focus starts on 取消(&C), not on 立即关机),
// and the frame's close button.
enum class Refusal { kCancelButton, kEscape, kEnter, kSpace, kCloseButton };

class ShutDownRefusalTest : public ShutDownTaskTest, public ::testing::WithParamInterface<Refusal> {};

void PressKey(WORD key) {
    INPUT keys[2] = {};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = key;
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, keys, sizeof(INPUT));
}

TEST_P(ShutDownRefusalTest, ClosesTheCountdownAndLeavesThePowerAlone) {
    const HWND countdown = StartAndWaitForCountdown();
    ASSERT_NE(countdown, nullptr);
    switch (GetParam()) {
        case Refusal::kCancelButton:
            Click(ChildWithText(countdown, L"取消(&C)"));
            break;
        case Refusal::kEscape:
            ASSERT_TRUE(WaitFor([&] { return ::GetForegroundWindow() == countdown; }));
            PressKey(VK_ESCAPE);
            break;
        case Refusal::kEnter:
            ASSERT_TRUE(WaitFor([&] { return ::GetForegroundWindow() == countdown; }));
            PressKey(VK_RETURN);
            break;
        case Refusal::kSpace:
            ASSERT_TRUE(WaitFor([&] { return ::GetForegroundWindow() == countdown; }));
            PressKey(VK_SPACE);
            break;
        case Refusal::kCloseButton:
            ::PostMessageW(countdown, WM_SYSCOMMAND, SC_CLOSE, 0);
            break;
    }
    EXPECT_TRUE(WaitFor([&] { return !::IsWindow(countdown); }, 5s));
    // The countdown's window is gone, so its answer is given: a power-off would follow at once.
    PumpFor(2s);
    EXPECT_FALSE(fs::exists(fs::path(PowerLog())));
    EXPECT_TRUE(app_.Running());
    EXPECT_TRUE(app_.Close());
}

INSTANTIATE_TEST_SUITE_P(Refusals, ShutDownRefusalTest,
                         ::testing::Values(Refusal::kCancelButton, Refusal::kEscape, Refusal::kEnter, Refusal::kSpace,
                                           Refusal::kCloseButton));

TEST_F(ShutDownTaskTest, LeftAloneTheCountdownRunsOutAndPowersOffOnce) {
    const HWND countdown = StartAndWaitForCountdown();
    ASSERT_NE(countdown, nullptr);
    const auto shown = std::chrono::steady_clock::now();
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(countdown); }, 30s));
    // Ten seconds, counted 10, 09 … 01: a countdown that ended much earlier skipped some.
    EXPECT_GE(std::chrono::steady_clock::now() - shown, 8500ms);
    EXPECT_TRUE(WaitFor([&] { return ReadFileBytes(PowerLog()) == "power off\r\n"; }, 5s));
    // The task's second has passed: the program goes on and never powers off a second time.
    PumpFor(2s);
    EXPECT_EQ(ReadFileBytes(PowerLog()), "power off\r\n");
    EXPECT_TRUE(app_.Running());
    EXPECT_TRUE(app_.Close());
}

}  // namespace
}  // namespace kalvoro::e2e
