#include "tasks/win32/frm_warn_options.h"

#include "tasks/task_list_file.h"
#include "tasks/win32/frm_edit_task.h"
#include "tasks/win32/task_tree_dialog.h"

namespace kalvoro::win {
namespace {

class TFrmWarnOptions final : public TaskTreeDialog {
public:
    TFrmWarnOptions(TaskTree& tree, const TaskDialogContext& context)
        : TaskTreeDialog("定时任务", 502, 376, tree, context) {}

protected:
    void OnCreateControls() override {
        CreateTree(16, 37, 369, 322);
        AddButton("添加", 396, 236, 89, 23, kWarnOptionsAddId);
        AddButton("修改", 396, 272, 89, 23, kWarnOptionsEditId);
        AddButton("删除", 396, 296, 89, 23, kWarnOptionsDeleteId);
        AddButton("确定(&O)", 396, 332, 89, 25, IDOK, true);
        Refill(std::nullopt);
    }

    void OnCommand(int id, int code) override {
        if (code != BN_CLICKED) return;
        switch (id) {
            case kWarnOptionsAddId:
                DropMenuBelow(kWarnOptionsAddId, ListAddMenu(SelectedNode().has_value()));
                return;
            case kWarnOptionsEditId:
                TaskTreeDialog::OnCommand(kCmdEdit, 0);
                return;
            case kWarnOptionsDeleteId:
                TaskTreeDialog::OnCommand(kCmdDelete, 0);
                return;
            case kCmdNewTask:
                if (EditTask(hwnd(), std::nullopt, tree_, context_)) Refill(TaskNodeRef{tree_.Tasks().size() - 1, -1});
                return;
            default:
                TaskTreeDialog::OnCommand(id, code);
                return;
        }
    }

    void UpdateButtons() override {
        const bool any = SelectedNode().has_value();
        ::EnableWindow(Item(kWarnOptionsEditId), any);
        ::EnableWindow(Item(kWarnOptionsDeleteId), any);
    }

    std::vector<TaskMenuEntry> ContextMenu(std::optional<TaskNodeRef> node) const override {
        if (!node) return ListContextMenu(TaskMenuNode::kNone, 0);
        if (!node->IsTask()) return ListContextMenu(TaskMenuNode::kAction, 0);
        return ListContextMenu(TaskMenuNode::kTask, tree_.Tasks()[node->task].node.image);
    }

    void EditTaskNode(std::size_t task) override {
        if (EditTask(hwnd(), task, tree_, context_)) Refill(TaskNodeRef{task, -1});
    }

    std::string DeleteQuestion(TaskNodeRef ref) const override {
        return std::string("确实要删除选择的") + (ref.IsTask() ? "任务" : "项目") + "吗？";
    }
};

int CurrentYear() {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    return now.wYear;
}

}  // namespace

bool ShowTaskList(HWND owner, IFileStore& store, const std::string& path, const TaskDialogContext& context) {
    TaskListDocument document = OpenTaskListDocument(store, path);
    if (document.read_only) {
        context.message_box(owner, kTaskListReadOnlyMessage, "提示", MB_OK | MB_ICONWARNING);
    }
    TFrmWarnOptions dialog(document.tree, context);
    if (!dialog.RunModal(owner)) return false;
    if (document.read_only) return false;
    // A save that failed (disk full, the file held by another program) is said, not passed over.
    if (!SaveTaskListDocument(store, path, document)) {
        context.message_box(owner, kTaskListNotSavedMessage, "提示", MB_OK | MB_ICONWARNING);
        return false;
    }
    return true;
}

bool ShowTaskList(HWND owner, const std::string& app_dir) {
    WinTaskFilePicker picker(app_dir + "MySound\\");
    const TaskImages images;
    const TaskDialogContext context{picker, images, CurrentYear(), &ShowMessageBox};
    return ShowTaskList(owner, DiskFileStore(), app_dir + kTaskListFileName, context);
}

}  // namespace kalvoro::win
