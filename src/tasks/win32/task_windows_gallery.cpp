// Shows one task window with sample tasks, for looking at it: task_windows_gallery list | editor |
// message | command | countdown. Nothing is written and nothing is shut down.

#include <windows.h>

#include <string>

#include "base/gbk.h"
#include "tasks/task_list.h"
#include "tasks/win32/frm_act.h"
#include "tasks/win32/frm_edit_task.h"
#include "tasks/win32/frm_input_msg.h"
#include "tasks/win32/frm_shut_down.h"
#include "tasks/win32/frm_warn_options.h"

int wmain(int argc, wchar_t** argv) {
    using namespace kalvoro;
    using namespace kalvoro::win;
    const std::wstring what = argc > 1 ? argv[1] : L"list";
    const std::string sample = Utf8ToGbk(
        "*02026年12月24日20时00分00秒\r\n3消息 (平安夜聚会，带上礼物(两份))\r\n2播放 (C:\\Kalvoro\\MySound\\铃声 "
        "1.wav)\r\n"
        "*008时30分00秒\r\n3消息 (开会)\r\n4执行 (C:\\Program Files\\日程\\今日.txt)\r\n*123时00分00秒\r\n4执行 "
        "(关机)\r\n"
        "*045秒\r\n2播放 (C:\\Kalvoro\\MySound\\滴.wav)\r\n");
    MemoryFileStore store;
    store.Put("War.lst", sample);
    WinTaskFilePicker picker("C:\\");
    const TaskImages images;
    const TaskDialogContext context{picker, images, 2026, &ShowMessageBox};
    if (what == L"list") {
        ShowTaskList(nullptr, store, "War.lst", context);
    } else if (what == L"editor") {
        TaskTree tree = TaskTree::Parse(sample);
        EditTask(nullptr, 1, tree, context);
    } else if (what == L"message") {
        std::string text = "平安夜聚会，带上礼物(两份)";
        EditMessage(nullptr, false, text);
    } else if (what == L"command") {
        std::string text = "C:\\Program Files\\日程\\今日.txt";
        EditCommand(nullptr, false, text, context);
    } else if (what == L"countdown") {
        ConfirmShutDown();
    }
    return 0;
}
