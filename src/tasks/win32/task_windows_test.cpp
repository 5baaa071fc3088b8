#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>

#include "base/gbk.h"
#include "base/win32/text.h"
#include "tasks/task_list_file.h"
#include "tasks/task_scheduler.h"
#include "tasks/win32/frm_act.h"
#include "tasks/win32/frm_edit_task.h"
#include "tasks/win32/frm_input_msg.h"
#include "tasks/win32/frm_shut_down.h"
#include "tasks/win32/frm_warn_options.h"
#include "tasks/win32/task_tree_dialog.h"
#include "ui/win32/testing/test_window.h"

namespace kalvoro::win {
namespace {

using testing::ScheduledSteps;

HWND FindDialog(const wchar_t* caption) {
    return ::FindWindowW(L"KalvoroSkinnedDialog", caption);
}

void Click(HWND dialog, int id) {
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

// A menu command, as the pop-up menus deliver it.
void Command(HWND dialog, int id) {
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

std::string TextOf(HWND dialog, int id) {
    wchar_t text[1024] = {};
    ::GetDlgItemTextW(dialog, id, text, 1024);
    return Narrow(text);
}

void SetText(HWND dialog, int id, std::string_view utf8) {
    ::SetDlgItemTextW(dialog, id, Widen(utf8).c_str());
}

int CountDialogs(const wchar_t* caption) {
    struct Search {
        const wchar_t* caption;
        int count;
    } search{caption, 0};
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND hwnd, LPARAM param) -> BOOL {
            auto& state = *reinterpret_cast<Search*>(param);
            wchar_t text[64] = {};
            ::GetWindowTextW(hwnd, text, 64);
            if (::IsWindowVisible(hwnd) && ::lstrcmpW(text, state.caption) == 0) ++state.count;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.count;
}

// The texts of the tree's items in display order, children indented by two blanks.
std::vector<std::string> TreeTexts(HWND dialog) {
    const HWND tree = ::GetDlgItem(dialog, kTaskTreeId);
    std::vector<std::string> texts;
    auto text_of = [&](HTREEITEM item) {
        wchar_t buffer[512] = {};
        TVITEMW data{};
        data.mask = TVIF_TEXT | TVIF_HANDLE;
        data.hItem = item;
        data.pszText = buffer;
        data.cchTextMax = 512;
        ::SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&data));
        return Narrow(buffer);
    };
    for (auto root = reinterpret_cast<HTREEITEM>(::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0)); root;
         root = reinterpret_cast<HTREEITEM>(
             ::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(root)))) {
        texts.push_back(text_of(root));
        for (auto child = reinterpret_cast<HTREEITEM>(
                 ::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(root)));
             child; child = reinterpret_cast<HTREEITEM>(
                        ::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(child)))) {
            texts.push_back("  " + text_of(child));
        }
    }
    return texts;
}

// The n-th item in display order.
HTREEITEM TreeItem(HWND dialog, int index) {
    const HWND tree = ::GetDlgItem(dialog, kTaskTreeId);
    auto item = reinterpret_cast<HTREEITEM>(::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    for (int i = 0; i < index && item; ++i) {
        item = reinterpret_cast<HTREEITEM>(
            ::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_NEXTVISIBLE, reinterpret_cast<LPARAM>(item)));
    }
    return item;
}

void SelectTreeItem(HWND dialog, int index) {
    ::SendDlgItemMessageW(dialog, kTaskTreeId, TVM_SELECTITEM, TVGN_CARET,
                          reinterpret_cast<LPARAM>(TreeItem(dialog, index)));
}

// Drags one item onto another as the mouse would: the tree's begin-drag notice, a move over the
// target, the button released there.
void DragItem(HWND dialog, int from, int onto) {
    const HWND tree = ::GetDlgItem(dialog, kTaskTreeId);
    NMTREEVIEWW begin{};
    begin.hdr = {tree, static_cast<UINT_PTR>(kTaskTreeId), TVN_BEGINDRAGW};
    begin.itemNew.hItem = TreeItem(dialog, from);
    begin.itemNew.mask = TVIF_HANDLE;
    ::SendMessageW(dialog, WM_NOTIFY, kTaskTreeId, reinterpret_cast<LPARAM>(&begin));
    RECT target{};
    // TVM_GETITEMRECT takes the item in the rectangle it fills.
    const HTREEITEM onto_item = TreeItem(dialog, onto);
    std::memcpy(&target, &onto_item, sizeof(onto_item));
    ::SendMessageW(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&target));
    POINT at{(target.left + target.right) / 2, (target.top + target.bottom) / 2};
    ::MapWindowPoints(tree, dialog, &at, 1);
    ::SendMessageW(dialog, WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
    ::SendMessageW(dialog, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
}

class NoFilePicker final : public ITaskFilePicker {
public:
    std::optional<std::string> PickSoundFile(HWND) override { return sound; }
    std::optional<std::string> PickAnyFile(HWND) override { return std::nullopt; }
    std::optional<std::string> sound;
};

class TaskWindowsTest : public ::testing::Test {
protected:
    void SetUp() override {
        context = std::make_unique<TaskDialogContext>(TaskDialogContext{
            picker, images, 2026, [this](HWND, const std::string& text, const std::string& caption, UINT) {
                messages.push_back(caption + "|" + text);
                return answer;
            }});
    }
    NoFilePicker picker;
    TaskImages images;
    std::unique_ptr<TaskDialogContext> context;
    std::vector<std::string> messages;
    int answer = IDYES;
};

// The scheduler with the real countdown window and everything else faked; power is never real.
struct CountingPower final : public ISystemPower {
    void ShutDownComputer() override { ++calls; }
    int calls = 0;
};
struct RecordingPopup final : public IPopupSender {
    bool ShowText(std::string_view text) override {
        shown.emplace_back(text);
        return true;
    }
    std::vector<std::string> shown;
};
struct NullPlayer final : public ISoundPlayer {
    void PlayFiles(std::string_view list) override { played.emplace_back(list); }
    std::vector<std::string> played;
};
struct NullShell final : public ITaskShell {
    bool FileExists(const std::string&) override { return false; }
    void OpenFile(const std::string&) override {}
};

class CountdownTest : public ::testing::Test {
protected:
    void SetUp() override { list.LoadFromBytes(Utf8ToGbk("*023时\r\n4执行 (关机)\r\n3消息 (after)\r\n")); }
    DateTime At2300() const { return EncodeDate(2030, 1, 1) + EncodeTime(23, 0, 0); }

    TaskList list;
    NullPlayer player;
    RecordingPopup popup;
    NullShell shell;
    ShutdownPrompt prompt;
    CountingPower power;
    TaskScheduler scheduler{list, player, popup, shell, prompt, power};
};

TEST_F(CountdownTest, CancelLeavesTheComputerRunningAndTheTaskGoesOn) {
    RECT client{};
    std::string now_caption, cancel_caption;
    int countdowns_after_second_tick = 0;
    ScheduledSteps steps({[&] {
                              const HWND dialog = FindDialog(L"定时任务：自动关机");
                              ::GetClientRect(dialog, &client);
                              now_caption = TextOf(dialog, IDOK);
                              cancel_caption = TextOf(dialog, IDCANCEL);
                              // A clock tick in the same second, from inside the countdown's loop.
                              scheduler.CheckTasks(At2300() + 0.3 / 86400);
                          },
                          [&] {
                              countdowns_after_second_tick = CountDialogs(L"定时任务：自动关机");
                              Click(FindDialog(L"定时任务：自动关机"), IDCANCEL);
                          }});
    scheduler.CheckTasks(At2300());
    EXPECT_TRUE(steps.Done());
    EXPECT_EQ(client.right, 312);
    EXPECT_EQ(client.bottom, 156);
    EXPECT_EQ(now_caption, "立即关机");
    EXPECT_EQ(cancel_caption, "取消(&C)");
    EXPECT_EQ(countdowns_after_second_tick, 1);
    EXPECT_EQ(power.calls, 0);
    EXPECT_EQ(popup.shown, std::vector<std::string>{"after"});
    EXPECT_EQ(FindDialog(L"定时任务：自动关机"), nullptr);
}

TEST_F(CountdownTest, EscapeCancelsAndShutDownNowPowersOff) {
    ScheduledSteps escape({[] {
        const HWND dialog = FindDialog(L"定时任务：自动关机");
        ::PostMessageW(::GetFocus() ? ::GetFocus() : dialog, WM_KEYDOWN, VK_ESCAPE, 0);
    }});
    scheduler.CheckTasks(At2300());
    EXPECT_EQ(power.calls, 0);
    ScheduledSteps now({[] { Click(FindDialog(L"定时任务：自动关机"), IDOK); }});
    scheduler.CheckTasks(At2300() + 1);
    EXPECT_EQ(power.calls, 1);
}

TEST_F(CountdownTest, RunsOutAfterTenSecondsAndPowersOffOnce) {
    const auto start = std::chrono::steady_clock::now();
    scheduler.CheckTasks(At2300());
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(power.calls, 1);
    EXPECT_GE(elapsed, std::chrono::milliseconds(9500));
    EXPECT_EQ(popup.shown, std::vector<std::string>{"after"});
}

TEST_F(TaskWindowsTest, MessageDialogCountsBytesAndRunsLinesTogether) {
    std::string text = "old";
    std::string counter, caption;
    int limit = 0;
    ScheduledSteps steps({[&] {
        const HWND dialog = FindDialog(L"添加消息");
        limit = static_cast<int>(::SendDlgItemMessageW(dialog, kInputMsgMemoId, EM_GETLIMITTEXT, 0, 0));
        // Typed text, as the user enters it (a set text would not notify a multi-line edit).
        ::SendDlgItemMessageW(dialog, kInputMsgMemoId, EM_REPLACESEL, TRUE,
                              reinterpret_cast<LPARAM>(L"第一行\r\n第二行\r\nthird (x)"));
        counter = TextOf(dialog, kInputMsgCounterId);
        Click(dialog, IDOK);
    }});
    ASSERT_TRUE(EditMessage(nullptr, true, text));
    EXPECT_EQ(limit, 200);
    EXPECT_EQ(counter, "25/200字节");
    EXPECT_EQ(text, "第一行第二行third (x)");

    std::string shown;
    ScheduledSteps cancel({[&] {
        const HWND dialog = FindDialog(L"编辑消息");
        shown = TextOf(dialog, kInputMsgMemoId);
        counter = TextOf(dialog, kInputMsgCounterId);
        Click(dialog, IDCANCEL);
    }});
    EXPECT_FALSE(EditMessage(nullptr, false, text));
    EXPECT_EQ(shown, "第一行第二行third (x)");
    EXPECT_EQ(counter, "21/200字节");
    EXPECT_EQ(text, "第一行第二行third (x)");
}

TEST_F(TaskWindowsTest, CommandDialogRefusesNoChoiceAndMissingFiles) {
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / L"任务 测试";
    fs::create_directories(folder);
    const fs::path file = folder / L"说明 文件.txt";
    std::ofstream(file) << "x";
    const std::string path = Narrow(file.wstring());

    std::string text;
    bool edit_enabled_at_start = true, edit_enabled_after = false;
    ScheduledSteps steps({[&] {
                              const HWND dialog = FindDialog(L"添加执行命令");
                              edit_enabled_at_start = ::IsWindowEnabled(::GetDlgItem(dialog, kActFileEditId));
                              Click(dialog, IDOK);
                          },
                          [&] {
                              const HWND dialog = FindDialog(L"添加执行命令");
                              ::SendDlgItemMessageW(dialog, kActRunFileId, BM_CLICK, 0, 0);
                              edit_enabled_after = ::IsWindowEnabled(::GetDlgItem(dialog, kActFileEditId));
                              SetText(dialog, kActFileEditId, "关机");
                              Click(dialog, IDOK);
                          },
                          [&] {
                              const HWND dialog = FindDialog(L"添加执行命令");
                              SetText(dialog, kActFileEditId, path);
                              Click(dialog, IDOK);
                          }});
    ASSERT_TRUE(EditCommand(nullptr, true, text, *context));
    EXPECT_TRUE(edit_enabled_after);
    EXPECT_EQ(messages, (std::vector<std::string>{"提示|请选择一个执行项目", "提示|\"关机\"\r\n文件不存在"}));
    EXPECT_EQ(text, path);

    text = "关机";
    bool shut_down_checked = false;
    ScheduledSteps edit({[&] {
        const HWND dialog = FindDialog(L"编辑执行命令");
        shut_down_checked = ::IsDlgButtonChecked(dialog, kActShutDownId) == BST_CHECKED;
        Click(dialog, IDOK);
    }});
    ASSERT_TRUE(EditCommand(nullptr, false, text, *context));
    EXPECT_TRUE(shut_down_checked);
    EXPECT_EQ(text, "关机");
    fs::remove_all(folder);
}

TEST_F(TaskWindowsTest, EditorReadsTheBoxesAndEscapeEmptiesOne) {
    TaskTree list = TaskTree::Parse(Utf8ToGbk("*02025年03月08时30分00秒\r\n3消息 (a)\r\n"));
    std::array<int, 6> chosen{};
    std::vector<std::string> after_escape;
    ScheduledSteps steps({[&] {
        const HWND dialog = FindDialog(L"编辑任务");
        for (int box = 0; box < 6; ++box) {
            chosen[static_cast<std::size_t>(box)] =
                static_cast<int>(::SendDlgItemMessageW(dialog, kEditTaskYearId + box, CB_GETCURSEL, 0, 0));
        }
        ::SendDlgItemMessageW(dialog, kEditTaskYearId + 4, WM_KEYDOWN, VK_ESCAPE, 0);
        after_escape = TreeTexts(dialog);
        // The dialog is still open: Esc in a box does not cancel it.
        Click(dialog, IDOK);
    }});
    ASSERT_TRUE(EditTask(nullptr, 0, list, *context));
    // The past year is no item; 03 is month item 3; no day; 08 is hour item 9; 30 and 00.
    EXPECT_EQ(chosen, (std::array<int, 6>{-1, 3, 0, 9, 31, 1}));
    EXPECT_EQ(after_escape, (std::vector<std::string>{"03月08时00秒", "  消息 (a)"}));
    EXPECT_EQ(list.Tasks()[0].node.text, "03月08时00秒");
}

TEST_F(TaskWindowsTest, EditorRefusesWithoutTimeOrActionsAndAddsAMessage) {
    TaskTree list;
    ScheduledSteps steps({[&] { Click(FindDialog(L"添加任务"), IDOK); },
                          [&] {
                              const HWND dialog = FindDialog(L"添加任务");
                              ::SendDlgItemMessageW(dialog, kEditTaskYearId + 3, CB_SETCURSEL, 8, 0);
                              ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(kEditTaskYearId + 3, CBN_SELCHANGE),
                                             reinterpret_cast<LPARAM>(::GetDlgItem(dialog, kEditTaskYearId + 3)));
                              Click(dialog, IDOK);
                          },
                          [&] { Command(FindDialog(L"添加任务"), kCmdNewMessage); },
                          [&] {
                              const HWND dialog = FindDialog(L"添加消息");
                              SetText(dialog, kInputMsgMemoId, "开会(3楼)");
                              Click(dialog, IDOK);
                          },
                          [&] { Click(FindDialog(L"添加任务"), IDOK); }});
    ASSERT_TRUE(EditTask(nullptr, std::nullopt, list, *context));
    EXPECT_EQ(messages, (std::vector<std::string>{"提示|请选择时间。", "提示|请添加声音、消息或命令。"}));
    ASSERT_EQ(list.Tasks().size(), 1u);
    EXPECT_EQ(list.Save(), Utf8ToGbk("*007时\r\n3消息 (开会(3楼))\r\n"));

    ScheduledSteps cancel({[&] {
        const HWND dialog = FindDialog(L"编辑任务");
        Command(dialog, kCmdStartStop);
        Click(dialog, IDCANCEL);
    }});
    EXPECT_FALSE(EditTask(nullptr, 0, list, *context));
    EXPECT_EQ(list.Tasks()[0].node.image, 0);
}

TEST_F(TaskWindowsTest, TaskListWritesOnlyOnOkAndAsksBeforeDeleting) {
    MemoryFileStore store;
    const std::string original = Utf8ToGbk("*008时\r\n3消息 (a)\r\n*130分00秒\r\n2播放 (C:\\声音\\b.wav)\r\n");
    store.Put("C:\\K\\War.lst", original);
    std::vector<std::string> shown;
    ScheduledSteps cancel({[&] {
                               const HWND dialog = FindDialog(L"定时任务");
                               shown = TreeTexts(dialog);
                               SelectTreeItem(dialog, 0);
                               Command(dialog, kCmdDelete);
                           },
                           [&] { Click(FindDialog(L"定时任务"), IDCANCEL); }});
    EXPECT_FALSE(ShowTaskList(nullptr, store, "C:\\K\\War.lst", *context));
    // The stopped task stays collapsed.
    EXPECT_EQ(shown, (std::vector<std::string>{"08时", "  消息 (a)", "30分00秒", "  播放 (C:\\声音\\b.wav)"}));
    EXPECT_EQ(messages, std::vector<std::string>{"确认|确实要删除选择的任务吗？"});
    EXPECT_EQ(store.ReadAll("C:\\K\\War.lst"), original);

    messages.clear();
    picker.sound = "D:\\My Sound\\铃 1.wav";
    ScheduledSteps ok({[&] {
                           const HWND dialog = FindDialog(L"定时任务");
                           SelectTreeItem(dialog, 1);
                           Command(dialog, kCmdDelete);
                       },
                       [&] {
                           const HWND dialog = FindDialog(L"定时任务");
                           SelectTreeItem(dialog, 1);  // the stopped task, now second
                           Command(dialog, kCmdStartStop);
                           Command(dialog, kCmdNewSound);
                       },
                       [&] { Click(FindDialog(L"定时任务"), IDOK); }});
    EXPECT_TRUE(ShowTaskList(nullptr, store, "C:\\K\\War.lst", *context));
    EXPECT_EQ(messages, std::vector<std::string>{"确认|确实要删除选择的项目吗？"});
    EXPECT_EQ(store.ReadAll("C:\\K\\War.lst"),
              Utf8ToGbk("*008时\r\n*030分00秒\r\n2播放 (C:\\声音\\b.wav)\r\n2播放 (D:\\My Sound\\铃 1.wav)\r\n"));
}

TEST_F(TaskWindowsTest, DraggingAnActionOntoAnotherTasksActionMovesIt) {
    MemoryFileStore store;
    store.Put("War.lst", Utf8ToGbk("*008时\r\n3消息 (a)\r\n3消息 (b)\r\n*009时\r\n3消息 (x)\r\n"));
    std::vector<std::string> task_onto_action, after;
    ScheduledSteps steps({[&] {
        const HWND dialog = FindDialog(L"定时任务");
        DragItem(dialog, 0, 4);  // a task cannot be dragged
        task_onto_action = TreeTexts(dialog);
        DragItem(dialog, 1, 4);  // 消息 (a) onto 消息 (x)
        after = TreeTexts(dialog);
        Click(dialog, IDOK);
    }});
    ASSERT_TRUE(ShowTaskList(nullptr, store, "War.lst", *context));
    EXPECT_EQ(task_onto_action, (std::vector<std::string>{"08时", "  消息 (a)", "  消息 (b)", "09时", "  消息 (x)"}));
    EXPECT_EQ(after, (std::vector<std::string>{"08时", "  消息 (b)", "09时", "  消息 (a)", "  消息 (x)"}));
    EXPECT_EQ(store.ReadAll("War.lst"), Utf8ToGbk("*008时\r\n3消息 (b)\r\n*009时\r\n3消息 (a)\r\n3消息 (x)\r\n"));
}

TEST_F(TaskWindowsTest, AMegabyteOfJunkOpensAndClosesUnchanged) {
    std::string junk;
    unsigned state = 2026;
    while (junk.size() < (1u << 20)) {
        state = state * 1103515245u + 12345u;
        const char byte = static_cast<char>(state >> 16);
        // Random bytes with a task line now and then.
        junk += (state >> 8) % 97 == 0 ? std::string("\r\n*0") : std::string(1, byte);
    }
    MemoryFileStore store;
    store.Put("War.lst", junk);
    std::size_t items = 0;
    ScheduledSteps steps({[&] {
        const HWND dialog = FindDialog(L"定时任务");
        items = static_cast<std::size_t>(::SendDlgItemMessageW(dialog, kTaskTreeId, TVM_GETCOUNT, 0, 0));
        Click(dialog, IDOK);
    }});
    EXPECT_TRUE(ShowTaskList(nullptr, store, "War.lst", *context));
    const TaskTree tree = TaskTree::Parse(junk);
    std::size_t nodes = tree.Tasks().size();
    for (const TaskTreeTask& task : tree.Tasks()) nodes += task.actions.size();
    EXPECT_GT(nodes, 5000u);
    EXPECT_EQ(items, nodes);
    // What OK wrote reads back to the same tasks.
    EXPECT_EQ(ParseTaskList(*store.ReadAll("War.lst")), tree.ToTasks());
}

// A file that is there but cannot be read.
class UnreadableStore final : public IFileStore {
public:
    std::optional<std::string> ReadAll(const std::string&) override { return std::nullopt; }
    bool WriteAtomic(const std::string&, std::string_view) override {
        ++writes;
        return true;
    }
    bool Exists(const std::string&) override { return true; }
    bool Remove(const std::string&) override { return false; }
    std::vector<std::string> ListFiles(const std::string&, std::string_view) override { return {}; }
    int writes = 0;
};

TEST_F(TaskWindowsTest, AnUnreadableListOpensReadOnlyAndIsNeverWritten) {
    UnreadableStore store;
    ScheduledSteps steps({[&] { Click(FindDialog(L"定时任务"), IDOK); }});
    EXPECT_FALSE(ShowTaskList(nullptr, store, "War.lst", *context));
    EXPECT_EQ(store.writes, 0);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], std::string("提示|") + kTaskListReadOnlyMessage);
}

}  // namespace
}  // namespace kalvoro::win
