#include "tasks/win32/frm_edit_task.h"

#include <commctrl.h>

#include "tasks/task_editor_model.h"
#include "tasks/win32/task_tree_dialog.h"

namespace kalvoro::win {
namespace {

constexpr int kBoxLefts[kTimeBoxCount] = {16, 89, 152, 215, 277, 340};
constexpr UINT_PTR kComboSubclassId = 1;

class TFrmEditTask final : public TaskTreeDialog {
public:
    TFrmEditTask(bool add_mode, TaskTree& working, const TaskDialogContext& context)
        : TaskTreeDialog(add_mode ? "添加任务" : "编辑任务", 452, 316, working, context) {}

protected:
    void OnCreateControls() override {
        for (int box = 0; box < kTimeBoxCount; ++box) {
            const int width = box == kBoxYear ? 51 : 41;
            const HWND combo = AddComboBox(kBoxLefts[box], 40, width, 21 + 13 * 16, kEditTaskYearId + box);
            for (const std::string& item : TimeBoxItems(box, context_.current_year))
                AddItem(kEditTaskYearId + box, item);
            if (combo)
                ::SetWindowSubclass(combo, &TFrmEditTask::ComboProc, kComboSubclassId,
                                    reinterpret_cast<DWORD_PTR>(this));
            AddLabel(kTimeUnits[static_cast<std::size_t>(box)], kBoxLefts[box] + width + 3, 44, 14, 14);
        }
        CreateTree(16, 72, 319, 227);
        AddButton("添加", 352, 72, 85, 23, kEditTaskAddId);
        AddButton("修改", 352, 100, 85, 23, kEditTaskEditId);
        AddButton("删除", 352, 128, 85, 23, kEditTaskDeleteId);
        AddButton("确定(&O)", 352, 244, 85, 25, IDOK, true);
        AddButton("取消(&C)", 352, 274, 85, 25, IDCANCEL);

        const auto selection = TimeBoxSelection(Root().text, context_.current_year);
        for (int box = 0; box < kTimeBoxCount; ++box)
            SelectIndex(kEditTaskYearId + box, selection[static_cast<std::size_t>(box)]);
        Refill(TaskNodeRef{0, -1});
    }

    void OnCommand(int id, int code) override {
        if (id >= kEditTaskYearId && id < kEditTaskYearId + kTimeBoxCount) {
            if (code == CBN_SELCHANGE) RebuildTimeText();
            return;
        }
        if (code != BN_CLICKED) return;
        switch (id) {
            case kEditTaskAddId:
                DropMenuBelow(kEditTaskAddId, EditorAddMenu());
                return;
            case kEditTaskEditId:
                TaskTreeDialog::OnCommand(kCmdEdit, 0);
                return;
            case kEditTaskDeleteId:
                TaskTreeDialog::OnCommand(kCmdDelete, 0);
                return;
            default:
                TaskTreeDialog::OnCommand(id, code);
                return;
        }
    }

    bool OnOk() override {
        if (Root().text.empty()) {
            context_.message_box(hwnd(), kEditTaskNoTimeMessage, "提示", MB_OK | MB_ICONINFORMATION);
            return false;
        }
        if (tree_.Tasks()[0].actions.empty()) {
            context_.message_box(hwnd(), kEditTaskNoActionMessage, "提示", MB_OK | MB_ICONINFORMATION);
            return false;
        }
        return true;
    }

    std::optional<std::size_t> ActionParent() const override { return 0; }

    void UpdateButtons() override {
        const auto selected = SelectedNode();
        ::EnableWindow(Item(kEditTaskAddId), selected && selected->IsTask());
        ::EnableWindow(Item(kEditTaskEditId), selected && !selected->IsTask());
        ::EnableWindow(Item(kEditTaskDeleteId), selected && !selected->IsTask());
    }

    std::vector<TaskMenuEntry> ContextMenu(std::optional<TaskNodeRef> node) const override {
        if (!node) return {};
        return EditorContextMenu(node->IsTask() ? TaskMenuNode::kTask : TaskMenuNode::kAction, Root().image);
    }

    void EditTaskNode(std::size_t) override {}

    std::string DeleteQuestion(TaskNodeRef) const override { return kEditTaskDeleteQuestion; }

private:
    const TaskTreeNode& Root() const { return tree_.Tasks()[0].node; }

    void RebuildTimeText() {
        std::array<std::string, kTimeBoxCount> texts;
        for (int box = 0; box < kTimeBoxCount; ++box) {
            const int index = SelectedIndex(kEditTaskYearId + box);
            const std::vector<std::string> items = TimeBoxItems(box, context_.current_year);
            if (index > 0 && static_cast<std::size_t>(index) < items.size()) {
                texts[static_cast<std::size_t>(box)] = items[static_cast<std::size_t>(index)];
            }
        }
        tree_.Tasks()[0].node.SetText(BuildTimeText(texts));
        Refill(SelectedNode());
    }

    // Esc or Delete: the box closes its list and goes back to the empty item.
    void ClearBox(HWND combo) {
        ::SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
        ::SendMessageW(combo, CB_SETCURSEL, 0, 0);
        RebuildTimeText();
    }

    static LRESULT CALLBACK ComboProc(HWND combo, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                      DWORD_PTR self) {
        switch (message) {
            case WM_GETDLGCODE:
                // Esc belongs to the box, not to the dialog's cancel.
                if (lparam) {
                    const auto* msg = reinterpret_cast<const MSG*>(lparam);
                    if (msg->message == WM_KEYDOWN && msg->wParam == VK_ESCAPE) {
                        return ::DefSubclassProc(combo, message, wparam, lparam) | DLGC_WANTMESSAGE;
                    }
                }
                break;
            case WM_KEYDOWN:
                if (wparam == VK_ESCAPE || wparam == VK_DELETE) {
                    auto* dialog = reinterpret_cast<TFrmEditTask*>(self);
                    Guarded([&] { dialog->ClearBox(combo); });
                    return 0;
                }
                break;
            case WM_NCDESTROY:
                ::RemoveWindowSubclass(combo, &TFrmEditTask::ComboProc, id);
                break;
            default:
                break;
        }
        return ::DefSubclassProc(combo, message, wparam, lparam);
    }
};

}  // namespace

bool EditTask(HWND owner, std::optional<std::size_t> task, TaskTree& list_tree, const TaskDialogContext& context) {
    if (task && *task >= list_tree.Tasks().size()) return false;
    TaskTree working;
    TaskTreeTask root;
    if (task) root = list_tree.Tasks()[*task];
    working.AppendTask(std::move(root));
    TFrmEditTask dialog(!task, working, context);
    if (!dialog.RunModal(owner)) return false;
    if (task) {
        if (*task >= list_tree.Tasks().size()) return false;
        list_tree.ReplaceTask(*task, working.Tasks()[0]);
    } else {
        list_tree.AppendTask(working.Tasks()[0]);
    }
    return true;
}

}  // namespace kalvoro::win
