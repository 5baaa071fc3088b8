// The task list window as a user works it in the real program: opened from the bar's menu, a task
// added through the task editor and the message dialog is written to "War.lst" as its exact lines
// and runs once the list is reloaded; closing without 确定(&O) leaves "War.lst" byte for byte as it
// was, whatever was added and deleted meanwhile.

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "app/bar_menus.h"
#include "base/gbk.h"
#include "base/win32/text.h"
#include "e2e/app_under_test.h"
#include "e2e/dialog_driver.h"
#include "tasks/task_menus.h"
#include "tasks/win32/frm_act.h"
#include "tasks/win32/frm_edit_task.h"
#include "tasks/win32/frm_input_msg.h"
#include "tasks/win32/task_tree_dialog.h"

namespace kalvoro::e2e {
namespace {

using namespace std::chrono_literals;

constexpr char kSettings[] = "[BAR]\r\nDefWin=0\r\n[MSG]\r\nCalendarLX=0\r\n";
// 定时任务 is the sixth row of the bar's menu.
constexpr int kTaskListMenuId = kMainMenuFirstId + 5;
constexpr int kHourBoxId = win::kEditTaskYearId + 3;
constexpr int kMinuteBoxId = win::kEditTaskYearId + 4;
constexpr int kSecondBoxId = win::kEditTaskYearId + 5;

// Chooses a menu item of a dialog's menus, as the menu does when the item is clicked. Posted: the
// item may open a dialog of its own.
void ChooseMenuItem(HWND dialog, int command) {
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

bool Closed(HWND dialog) {
    return WaitFor([&] { return !::IsWindow(dialog); }, std::chrono::seconds(10));
}

int TreeCount(HWND dialog) {
    return static_cast<int>(::SendMessageW(::GetDlgItem(dialog, win::kTaskTreeId), TVM_GETCOUNT, 0, 0));
}

class TaskListTest : public ::testing::Test {
protected:
    void SetUp() override {
        app_.UsePopupDouble();
        app_.WriteSettings(kSettings);
    }

    // Opens the task list window from the bar's menu.
    HWND OpenTaskList() {
        ::PostMessageW(app_.bar(), WM_COMMAND, MAKEWPARAM(kTaskListMenuId, 0), 0);
        return WaitForDialog(app_, L"定时任务");
    }

    // Opens the task editor for a new task and sets its time boxes to hh, mm and ss.
    HWND NewTaskAt(HWND list, const SYSTEMTIME& at) {
        ChooseMenuItem(list, kCmdNewTask);
        const HWND editor = WaitForDialog(app_, L"添加任务");
        if (!editor) return nullptr;
        // The first item of each box is the empty one (any); then 00, 01, …
        ChooseComboItem(editor, kHourBoxId, at.wHour + 1);
        ChooseComboItem(editor, kMinuteBoxId, at.wMinute + 1);
        ChooseComboItem(editor, kSecondBoxId, at.wSecond + 1);
        return editor;
    }

    std::string TaskFile() const { return ReadFileBytes(app_.PathOf(L"War.lst")); }

    AppUnderTest app_;
};

TEST_F(TaskListTest, AddsAMessageTaskThroughTheDialogsWritesItsLinesAndRunsIt) {
    const std::string before = "*007时00分00秒\r\n3消息 (起床)\r\n";
    WriteFileBytes(app_.PathOf(L"War.lst"), Utf8ToGbk(before));
    ASSERT_TRUE(app_.Start());

    const HWND list = OpenTaskList();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(TreeCount(list), 2);
    // Twelve seconds ahead: the rest of the editing is done well before that.
    const SYSTEMTIME due = LocalTimeIn(12);
    const HWND editor = NewTaskAt(list, due);
    ASSERT_NE(editor, nullptr);

    ChooseMenuItem(editor, kCmdNewMessage);
    const HWND message = WaitForDialog(app_, L"添加消息");
    ASSERT_NE(message, nullptr);
    Type(::GetDlgItem(message, win::kInputMsgMemoId), L"该开会了");
    // Four characters of two bytes each in the file's code page.
    EXPECT_TRUE(WaitFor([&] { return TextOf(::GetDlgItem(message, win::kInputMsgCounterId)) == L"8/200字节"; }));
    SnapshotWindow(message, L"tasks-message-dialog");
    Click(ChildWithText(message, L"确定(&O)"));
    ASSERT_TRUE(Closed(message));

    EXPECT_TRUE(WaitFor([&] { return TreeCount(editor) == 2; }));
    SnapshotWindow(editor, L"tasks-editor");
    Click(ChildWithText(editor, L"确定(&O)"));
    ASSERT_TRUE(Closed(editor));

    EXPECT_TRUE(WaitFor([&] { return TreeCount(list) == 4; }));
    SnapshotWindow(list, L"tasks-list");
    Click(ChildWithText(list, L"确定(&O)"));
    ASSERT_TRUE(Closed(list));

    // The bar reloaded its list: the new task runs at its second. (Waited for before reading
    // "War.lst": a reader holding the file open while the window replaces it would make the save fail.)
    EXPECT_TRUE(WaitFor(
        [&] {
            return ReadFileBytes(app_.PathOf(L"popup_received.bin")).find(Utf8ToGbk("该开会了")) != std::string::npos;
        },
        30s));
    const std::string after = before + "*0" + TaskTimeText(due) + "\r\n3消息 (该开会了)\r\n";
    EXPECT_EQ(TaskFile(), Utf8ToGbk(after));
    EXPECT_TRUE(app_.Close());
}

TEST_F(TaskListTest, ClosingWithoutOkDiscardsEveryChange) {
    // A comment line and a blank line the window would not write back: any write would show.
    const std::string before =
        Utf8ToGbk("; 我的任务\r\n*007时00分00秒\r\n3消息 (起床)\r\n\r\n*112时00分00秒\r\n3消息 (午饭)\r\n");
    WriteFileBytes(app_.PathOf(L"War.lst"), before);
    ASSERT_TRUE(app_.Start());

    const HWND list = OpenTaskList();
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(TreeCount(list), 4);

    // Delete the first task, answering 是 to the question.
    const HWND tree = ::GetDlgItem(list, win::kTaskTreeId);
    const auto first = ::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0);
    ::SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, first);
    const HWND delete_button = ChildWithText(list, L"删除");
    ASSERT_TRUE(WaitFor([&] { return ::IsWindowEnabled(delete_button) != FALSE; }));
    Click(delete_button);
    HWND question = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        const auto boxes = MessageBoxes(app_);
        question = boxes.empty() ? nullptr : boxes.front();
        return question != nullptr;
    }));
    EXPECT_EQ(TextOf(question), L"确认");
    Click(::GetDlgItem(question, IDYES));
    EXPECT_TRUE(WaitFor([&] { return TreeCount(list) == 2; }));

    // Add a task with a command that opens a file.
    const HWND editor = NewTaskAt(list, LocalTimeIn(3600));
    ASSERT_NE(editor, nullptr);
    ChooseMenuItem(editor, kCmdNewCommand);
    const HWND command = WaitForDialog(app_, L"添加执行命令");
    ASSERT_NE(command, nullptr);
    const HWND file_edit = ::GetDlgItem(command, win::kActFileEditId);
    EXPECT_FALSE(::IsWindowEnabled(file_edit));
    Click(::GetDlgItem(command, win::kActRunFileId));
    ASSERT_TRUE(WaitFor([&] { return ::IsWindowEnabled(file_edit) != FALSE; }));
    const std::wstring existing = app_.PathOf(L"Kalvoro.exe");
    ::SendMessageW(file_edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(existing.c_str()));
    SnapshotWindow(command, L"tasks-command-dialog");
    Click(ChildWithText(command, L"确定(&O)"));
    ASSERT_TRUE(Closed(command));
    Click(ChildWithText(editor, L"确定(&O)"));
    ASSERT_TRUE(Closed(editor));
    EXPECT_TRUE(WaitFor([&] { return TreeCount(list) == 4; }));

    // The frame's close button (Alt+F4 alike) cancels.
    ::PostMessageW(list, WM_CLOSE, 0, 0);
    ASSERT_TRUE(Closed(list));
    PumpFor(1s);
    EXPECT_EQ(TaskFile(), before);
    EXPECT_TRUE(app_.Running());
    EXPECT_TRUE(app_.Close());
}

}  // namespace
}  // namespace kalvoro::e2e
