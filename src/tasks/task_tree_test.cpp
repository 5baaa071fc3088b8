#include "tasks/task_tree.h"

#include <gtest/gtest.h>

#include "base/gbk.h"
#include "tasks/task_list_file.h"

namespace kalvoro {
namespace {

std::string File(std::initializer_list<const char*> utf8_lines) {
    std::string out;
    for (const char* line : utf8_lines) {
        out += Utf8ToGbk(line);
        out += "\r\n";
    }
    return out;
}

TEST(TaskTreeTest, LoadsNodesWithImagesTextsAndExpansion) {
    const TaskTree tree =
        TaskTree::Parse(File({"2播放 (orphan.wav)", "*02011年03月05日08时30分00秒", "2播放 (a.wav)", "x comment",
                              "3消息 (开会)", "*130分00秒", "4执行 (关机)", "*x07时", "*"}));
    const auto& tasks = tree.Tasks();
    ASSERT_EQ(tasks.size(), 4u);
    EXPECT_EQ(tasks[0].node.image, kImageRunningTask);
    EXPECT_EQ(tasks[0].node.text, "2011年03月05日08时30分00秒");
    EXPECT_TRUE(tasks[0].expanded);
    ASSERT_EQ(tasks[0].actions.size(), 2u);
    EXPECT_EQ(tasks[0].actions[0].image, kImageSound);
    EXPECT_EQ(tasks[0].actions[0].text, "播放 (a.wav)");
    EXPECT_EQ(tasks[0].actions[1].text, "消息 (开会)");
    EXPECT_EQ(tasks[1].node.image, kImageStoppedTask);
    EXPECT_FALSE(tasks[1].expanded);
    // A state character that is no digit shows as running in the window (the bar loads it as stopped).
    EXPECT_EQ(tasks[2].node.image, kImageRunningTask);
    EXPECT_EQ(tasks[2].node.text, "07时");
    EXPECT_EQ(tasks[3].node.text, "");
}

TEST(TaskTreeTest, SaveWritesEveryNodeInDisplayOrderWithCrLf) {
    TaskTree tree = TaskTree::Parse(File({"*008时", "3消息 (a)"}));
    TaskTreeTask added;
    added.node.image = kImageStoppedTask;
    added.node.text = "2012年01月02日03时04分05秒";
    tree.AppendTask(added);
    tree.AddAction(1, kImageCommand, ActionNodeText(kImageCommand, "C:\\程序 文件\\a b.exe"));
    EXPECT_EQ(tree.Save(),
              File({"*008时", "3消息 (a)", "*12012年01月02日03时04分05秒", "4执行 (C:\\程序 文件\\a b.exe)"}));
}

TEST(TaskTreeTest, RoundTripKeepsTasksAndUndecodableBytes) {
    // 0xFF is no GBK byte; "*" + non-digit normalises to "*0".
    const std::string bytes =
        File({"*008时30分", "3消息 (开会(3楼))", "2播放 (C:\\声音 1\\铃.wav)", "*130分00秒", "4执行 (关机)"}) +
        "3\xFF(\xFF)\r\n";
    const TaskTree tree = TaskTree::Parse(bytes);
    EXPECT_EQ(tree.Save(), bytes);
    EXPECT_EQ(TaskTree::Parse(tree.Save()), tree);
    EXPECT_EQ(ParseTaskList(tree.Save()), tree.ToTasks());
    EXPECT_EQ(tree.ToTasks()[0].Actions[0].Text, "开会(3楼)");

    const TaskTree odd = TaskTree::Parse("*x07\xCA\xB1\r\n\r\n*\n");
    EXPECT_EQ(odd.Save(), "*007\xCA\xB1\r\n*0\r\n");
    EXPECT_EQ(ParseTaskList(odd.Save()), odd.ToTasks());
}

TEST(TaskTreeTest, EditedTextIsWrittenFresh) {
    TaskTree tree = TaskTree::Parse("*008\xCA\xB1\r\n3\xFF\r\n");
    tree.Node({0, 0})->SetText(ActionNodeText(kImageMessage, "新"));
    EXPECT_EQ(tree.Save(), "*008\xCA\xB1\r\n" + Utf8ToGbk("3消息 (新)") + "\r\n");
}

TEST(TaskTreeTest, StopDeleteAndAdd) {
    TaskTree tree = TaskTree::Parse(File({"*008时", "3消息 (a)", "3消息 (b)", "*109时"}));
    tree.ToggleStop(0);
    tree.ToggleStop(1);
    EXPECT_EQ(tree.Tasks()[0].node.image, kImageStoppedTask);
    EXPECT_EQ(tree.Tasks()[1].node.image, kImageRunningTask);
    EXPECT_TRUE(tree.Delete({0, 0}));
    EXPECT_FALSE(tree.Delete({0, 5}));
    EXPECT_FALSE(tree.Tasks()[1].expanded);
    EXPECT_EQ(tree.AddAction(1, kImageSound, ActionNodeText(kImageSound, "x.wav")), (TaskNodeRef{1, 0}));
    EXPECT_TRUE(tree.Tasks()[1].expanded);
    EXPECT_TRUE(tree.Delete({0, -1}));
    EXPECT_EQ(tree.Save(), File({"*009时", "2播放 (x.wav)"}));
}

TEST(TaskTreeTest, DragAndDropMovesActionsBeforeTheTarget) {
    TaskTree tree = TaskTree::Parse(File({"*008时", "3消息 (a)", "3消息 (b)", "3消息 (c)", "*009时", "3消息 (x)"}));
    EXPECT_FALSE(tree.CanDrop({0, -1}, {0, 1}));  // tasks cannot be dragged
    EXPECT_FALSE(tree.CanDrop({0, 1}, {1, -1}));  // nothing lands on a task
    EXPECT_FALSE(tree.CanDrop({0, 1}, {0, 1}));
    // Within one task, downwards and upwards.
    EXPECT_EQ(tree.MoveAction({0, 0}, {0, 2}), (TaskNodeRef{0, 1}));
    EXPECT_EQ(tree.Save(), File({"*008时", "3消息 (b)", "3消息 (a)", "3消息 (c)", "*009时", "3消息 (x)"}));
    EXPECT_EQ(tree.MoveAction({0, 2}, {0, 0}), (TaskNodeRef{0, 0}));
    // Onto an action of another task: it moves to that task.
    EXPECT_EQ(tree.MoveAction({0, 1}, {1, 0}), (TaskNodeRef{1, 0}));
    EXPECT_EQ(tree.Save(), File({"*008时", "3消息 (c)", "3消息 (a)", "*009时", "3消息 (b)", "3消息 (x)"}));
    EXPECT_FALSE(tree.MoveAction({0, -1}, {1, 0}).has_value());
}

TEST(TaskListDocumentTest, UnreadableFileOpensReadOnlyAndIsNeverWritten) {
    MemoryFileStore store;
    const TaskListDocument missing = OpenTaskListDocument(store, "War.lst");
    EXPECT_FALSE(missing.read_only);
    EXPECT_TRUE(SaveTaskListDocument(store, "War.lst", missing));
    EXPECT_EQ(store.ReadAll("War.lst"), "");  // OK on an empty list creates the file

    store.Put("War.lst", File({"*008时", "3消息 (a)"}));
    TaskListDocument document = OpenTaskListDocument(store, "War.lst");
    const int writes = store.write_count;
    EXPECT_TRUE(SaveTaskListDocument(store, "War.lst", document));
    EXPECT_EQ(store.write_count, writes);  // unchanged: not rewritten
    document.tree.ToggleStop(0);
    EXPECT_TRUE(SaveTaskListDocument(store, "War.lst", document));
    EXPECT_EQ(store.ReadAll("War.lst"), File({"*108时", "3消息 (a)"}));
}

// A store whose file exists but cannot be read (a lock, missing permissions).
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

TEST(TaskListDocumentTest, ExistingButUnreadableFileIsKept) {
    UnreadableStore store;
    TaskListDocument document = OpenTaskListDocument(store, "War.lst");
    EXPECT_TRUE(document.read_only);
    TaskTreeTask task;
    task.node.text = "08时";
    document.tree.AppendTask(task);
    EXPECT_FALSE(SaveTaskListDocument(store, "War.lst", document));
    EXPECT_EQ(store.writes, 0);
}

}  // namespace
}  // namespace kalvoro
