#pragma once
// What the task list window and the task editor share: a tree of tasks and actions over a TaskTree,
// the owner-drawn pop-up menus with the node images, adding and editing actions through their
// dialogs, the delete question, start/stop, and dragging actions onto actions.

#include <windows.h>
#include <commctrl.h>

#include <optional>
#include <string>
#include <vector>

#include "tasks/task_menus.h"
#include "tasks/task_tree.h"
#include "tasks/win32/task_dialog_context.h"
#include "ui/win32/skinned_dialog.h"

namespace kalvoro::win {

inline constexpr int kTaskTreeId = 401;

class TaskTreeDialog : public SkinnedDialog {
public:
    TaskTreeDialog(std::string caption, int width, int height, TaskTree& tree, const TaskDialogContext& context);

    // For tests and the host: the node selected in the tree.
    std::optional<TaskNodeRef> SelectedNode() const;
    void SelectNode(TaskNodeRef ref);

protected:
    HWND CreateTree(int x, int y, int width, int height);
    // Shows the model again, selecting the given node.
    void Refill(std::optional<TaskNodeRef> select);

    // Where an added action goes: the selected task, or the task of the selected action.
    virtual std::optional<std::size_t> ActionParent() const;
    virtual void UpdateButtons() = 0;
    virtual std::vector<TaskMenuEntry> ContextMenu(std::optional<TaskNodeRef> node) const = 0;
    virtual void EditTaskNode(std::size_t task) = 0;
    virtual std::string DeleteQuestion(TaskNodeRef ref) const = 0;

    // Menu commands, from the menus and the buttons alike.
    void OnCommand(int id, int code) override;
    void AddAction(int image);
    void EditNode(TaskNodeRef ref);
    void DeleteNode(TaskNodeRef ref);
    void ToggleStop(std::size_t task);
    int TrackMenu(POINT screen, const std::vector<TaskMenuEntry>& items);
    // Drops a menu down below a button.
    void DropMenuBelow(int button_id, const std::vector<TaskMenuEntry>& items);

    LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

    TaskTree& tree_;
    const TaskDialogContext& context_;

private:
    std::optional<TaskNodeRef> RefOf(HTREEITEM item) const;
    HTREEITEM ItemOf(TaskNodeRef ref) const;
    std::optional<TaskNodeRef> NodeAt(POINT tree_client) const;
    LRESULT OnTreeNotify(NMHDR& header);
    void OnRightClick();
    void OnDragMove(POINT dialog_client);
    void EndDrag(bool drop);

    HWND tree_view_ = nullptr;
    std::vector<std::vector<HTREEITEM>> items_;  // per task: the task's item, then its actions'
    bool filling_ = false;
    // Dragging an action: the dragged node and the action under the mouse, when a drop is allowed there.
    std::optional<TaskNodeRef> dragged_;
    std::optional<TaskNodeRef> drop_target_;
    // The menu being shown, for WM_MEASUREITEM and WM_DRAWITEM.
    const std::vector<TaskMenuEntry>* open_menu_ = nullptr;
    std::vector<std::wstring> open_captions_;
};

}  // namespace kalvoro::win
