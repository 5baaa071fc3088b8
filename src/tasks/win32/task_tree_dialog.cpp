#include "tasks/win32/task_tree_dialog.h"

#include <windowsx.h>

#include <cstdint>

#include "base/win32/text.h"
#include "tasks/win32/frm_act.h"
#include "tasks/win32/frm_input_msg.h"
#include "ui/win32/menu_painter.h"

namespace kalvoro::win {
namespace {

// Task index in the high half, action index + 1 in the low half (LPARAM is 64 bits wide).
LPARAM EncodeRef(TaskNodeRef ref) {
    return static_cast<LPARAM>((static_cast<std::uint64_t>(ref.task) << 32) |
                               static_cast<std::uint32_t>(ref.action + 1));
}

TaskNodeRef DecodeRef(LPARAM value) {
    const auto bits = static_cast<std::uint64_t>(value);
    return {static_cast<std::size_t>(bits >> 32), static_cast<int>(static_cast<std::uint32_t>(bits)) - 1};
}

// After a given sibling rather than TVI_LAST, which walks the siblings on every insert.
HTREEITEM InsertItem(HWND tree, HTREEITEM parent, HTREEITEM after, const TaskTreeNode& node, TaskNodeRef ref,
                     bool expanded = false) {
    const std::wstring text = Widen(node.text);
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent;
    insert.hInsertAfter = after ? after : TVI_FIRST;
    // Expanded from the start: expanding each task afterwards lays the whole tree out again every time.
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_STATE;
    insert.item.state = expanded ? TVIS_EXPANDED : 0;
    insert.item.stateMask = TVIS_EXPANDED;
    insert.item.pszText = const_cast<wchar_t*>(text.c_str());
    insert.item.iImage = node.image;
    insert.item.iSelectedImage = node.image;
    insert.item.lParam = EncodeRef(ref);
    return reinterpret_cast<HTREEITEM>(::SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
}

}  // namespace

TaskTreeDialog::TaskTreeDialog(std::string caption, int width, int height, TaskTree& tree,
                               const TaskDialogContext& context)
    : SkinnedDialog(std::move(caption), width, height), tree_(tree), context_(context) {}

HWND TaskTreeDialog::CreateTree(int x, int y, int width, int height) {
    const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_TREEVIEW_CLASSES};
    ::InitCommonControlsEx(&classes);
    tree_view_ = AddControl(
        WC_TREEVIEWW, "", WS_TABSTOP | WS_BORDER | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS,
        0, x, y, width, height, kTaskTreeId);
    if (tree_view_) {
        ::SendMessageW(tree_view_, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(context_.images.List()));
        ::SendMessageW(tree_view_, TVM_SETINDENT, 19, 0);
    }
    return tree_view_;
}

void TaskTreeDialog::Refill(std::optional<TaskNodeRef> select) {
    if (!tree_view_) return;
    filling_ = true;
    ::SendMessageW(tree_view_, WM_SETREDRAW, FALSE, 0);
    ::SendMessageW(tree_view_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    items_.clear();
    const auto& tasks = tree_.Tasks();
    items_.resize(tasks.size());
    HTREEITEM previous_task = nullptr;
    for (std::size_t t = 0; t < tasks.size(); ++t) {
        const HTREEITEM task_item =
            InsertItem(tree_view_, TVI_ROOT, previous_task, tasks[t].node, {t, -1}, tasks[t].expanded);
        previous_task = task_item;
        items_[t].push_back(task_item);
        HTREEITEM previous_action = nullptr;
        for (std::size_t a = 0; a < tasks[t].actions.size(); ++a) {
            previous_action =
                InsertItem(tree_view_, task_item, previous_action, tasks[t].actions[a], {t, static_cast<int>(a)});
            items_[t].push_back(previous_action);
        }
    }
    if (select && tree_.Contains(*select)) {
        ::SendMessageW(tree_view_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(ItemOf(*select)));
    }
    ::SendMessageW(tree_view_, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(tree_view_, nullptr, TRUE);
    filling_ = false;
    UpdateButtons();
}

std::optional<TaskNodeRef> TaskTreeDialog::RefOf(HTREEITEM item) const {
    if (!item || !tree_view_) return std::nullopt;
    TVITEMW data{};
    data.mask = TVIF_PARAM | TVIF_HANDLE;
    data.hItem = item;
    if (!::SendMessageW(tree_view_, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&data))) return std::nullopt;
    const TaskNodeRef ref = DecodeRef(data.lParam);
    if (!tree_.Contains(ref)) return std::nullopt;
    return ref;
}

HTREEITEM TaskTreeDialog::ItemOf(TaskNodeRef ref) const {
    if (ref.task >= items_.size()) return nullptr;
    const auto index = static_cast<std::size_t>(ref.action + 1);
    return index < items_[ref.task].size() ? items_[ref.task][index] : nullptr;
}

std::optional<TaskNodeRef> TaskTreeDialog::SelectedNode() const {
    if (!tree_view_) return std::nullopt;
    return RefOf(reinterpret_cast<HTREEITEM>(::SendMessageW(tree_view_, TVM_GETNEXTITEM, TVGN_CARET, 0)));
}

void TaskTreeDialog::SelectNode(TaskNodeRef ref) {
    if (const HTREEITEM item = ItemOf(ref)) {
        ::SendMessageW(tree_view_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    }
    UpdateButtons();
}

std::optional<TaskNodeRef> TaskTreeDialog::NodeAt(POINT tree_client) const {
    TVHITTESTINFO hit{};
    hit.pt = tree_client;
    const auto item =
        reinterpret_cast<HTREEITEM>(::SendMessageW(tree_view_, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    if (!item || !(hit.flags & (TVHT_ONITEM | TVHT_ONITEMINDENT | TVHT_ONITEMBUTTON | TVHT_ONITEMRIGHT))) {
        return std::nullopt;
    }
    return RefOf(item);
}

std::optional<std::size_t> TaskTreeDialog::ActionParent() const {
    if (const auto selected = SelectedNode()) return selected->task;
    return std::nullopt;
}

void TaskTreeDialog::OnCommand(int id, int code) {
    if (code != BN_CLICKED && code != 0) return;
    const std::optional<TaskNodeRef> selected = SelectedNode();
    switch (id) {
        case kCmdNewSound:
            AddAction(kImageSound);
            break;
        case kCmdNewMessage:
            AddAction(kImageMessage);
            break;
        case kCmdNewCommand:
            AddAction(kImageCommand);
            break;
        case kCmdEdit:
            if (selected) EditNode(*selected);
            break;
        case kCmdDelete:
            if (selected) DeleteNode(*selected);
            break;
        case kCmdStartStop:
            if (selected && selected->IsTask()) ToggleStop(selected->task);
            break;
        default:
            break;
    }
}

void TaskTreeDialog::AddAction(int image) {
    const std::optional<std::size_t> parent = ActionParent();
    if (!parent || *parent >= tree_.Tasks().size()) return;
    std::string inner;
    switch (image) {
        case kImageSound: {
            auto chosen = context_.picker.PickSoundFile(hwnd());
            if (!chosen) return;
            inner = std::move(*chosen);
            break;
        }
        case kImageMessage:
            if (!EditMessage(hwnd(), true, inner)) return;
            break;
        default:
            if (!EditCommand(hwnd(), true, inner, context_)) return;
            break;
    }
    Refill(tree_.AddAction(*parent, image, ActionNodeText(image, inner)));
}

void TaskTreeDialog::EditNode(TaskNodeRef ref) {
    if (ref.IsTask()) {
        EditTaskNode(ref.task);
        return;
    }
    TaskTreeNode* node = tree_.Node(ref);
    if (!node) return;
    const int image = node->image;
    std::string inner = InnerActionText(node->text);
    bool changed = false;
    if (image == kImageSound) {
        if (auto chosen = context_.picker.PickSoundFile(hwnd())) {
            inner = std::move(*chosen);
            changed = true;
        }
    } else if (image == kImageMessage) {
        changed = EditMessage(hwnd(), false, inner);
    } else if (image == kImageCommand) {
        changed = EditCommand(hwnd(), false, inner, context_);
    }
    if (!changed) return;
    // The dialog may have run a nested loop; find the node again.
    if (TaskTreeNode* again = tree_.Node(ref)) again->SetText(ActionNodeText(image, inner));
    Refill(ref);
}

void TaskTreeDialog::DeleteNode(TaskNodeRef ref) {
    if (!tree_.Contains(ref)) return;
    if (context_.message_box(hwnd(), DeleteQuestion(ref), "确认", MB_YESNO | MB_ICONQUESTION) != IDYES) return;
    tree_.Delete(ref);
    Refill(std::nullopt);
}

void TaskTreeDialog::ToggleStop(std::size_t task) {
    tree_.ToggleStop(task);
    if (const HTREEITEM item = ItemOf({task, -1})) {
        TVITEMW data{};
        data.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_HANDLE;
        data.hItem = item;
        data.iImage = data.iSelectedImage = tree_.Tasks()[task].node.image;
        ::SendMessageW(tree_view_, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&data));
        ::UpdateWindow(tree_view_);
    }
}

int TaskTreeDialog::TrackMenu(POINT screen, const std::vector<TaskMenuEntry>& items) {
    if (items.empty()) return 0;
    MenuHandle menu(::CreatePopupMenu());
    if (!menu) return 0;
    open_captions_.clear();
    for (const TaskMenuEntry& item : items) open_captions_.push_back(Widen(item.caption));
    for (std::size_t i = 0; i < items.size(); ++i) {
        const bool separator = items[i].caption == "-";
        UINT flags = MF_OWNERDRAW | (separator ? MF_SEPARATOR : 0) | (items[i].enabled ? 0 : MF_GRAYED);
        ::AppendMenuW(menu.get(), flags, static_cast<UINT_PTR>(items[i].id), reinterpret_cast<LPCWSTR>(i + 1));
    }
    open_menu_ = &items;
    const int chosen = static_cast<int>(::TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_NONOTIFY | TPM_LEFTALIGN,
                                                         screen.x, screen.y, 0, hwnd(), nullptr));
    open_menu_ = nullptr;
    return chosen;
}

void TaskTreeDialog::DropMenuBelow(int button_id, const std::vector<TaskMenuEntry>& items) {
    RECT button{};
    ::GetWindowRect(Item(button_id), &button);
    const int chosen = TrackMenu({button.left, button.bottom}, items);
    if (chosen) OnCommand(chosen, 0);
}

void TaskTreeDialog::OnRightClick() {
    POINT cursor{};
    ::GetCursorPos(&cursor);
    POINT local = cursor;
    ::ScreenToClient(tree_view_, &local);
    const std::optional<TaskNodeRef> node = NodeAt(local);
    if (node) SelectNode(*node);
    const int chosen = TrackMenu(cursor, ContextMenu(node));
    if (chosen) OnCommand(chosen, 0);
}

LRESULT TaskTreeDialog::OnTreeNotify(NMHDR& header) {
    switch (header.code) {
        case TVN_SELCHANGEDW:
            if (!filling_) UpdateButtons();
            return 0;
        case NM_RCLICK:
            OnRightClick();
            return 1;
        case TVN_ITEMEXPANDEDW: {
            const auto& view = reinterpret_cast<NMTREEVIEWW&>(header);
            if (const auto ref = RefOf(view.itemNew.hItem); ref && ref->IsTask() && !filling_) {
                tree_.Tasks()[ref->task].expanded = (view.action & TVE_EXPAND) != 0;
            }
            return 0;
        }
        case TVN_BEGINDRAGW: {
            const auto& view = reinterpret_cast<NMTREEVIEWW&>(header);
            const auto ref = RefOf(view.itemNew.hItem);
            // Only actions can be dragged.
            if (ref && !ref->IsTask()) {
                dragged_ = ref;
                drop_target_.reset();
                ::SetCapture(hwnd());
            }
            return 0;
        }
        default:
            return 0;
    }
}

void TaskTreeDialog::OnDragMove(POINT dialog_client) {
    POINT local = dialog_client;
    ::MapWindowPoints(hwnd(), tree_view_, &local, 1);
    const auto target = NodeAt(local);
    drop_target_ = target && tree_.CanDrop(*dragged_, *target) ? target : std::nullopt;
    ::SendMessageW(tree_view_, TVM_SELECTITEM, TVGN_DROPHILITE,
                   reinterpret_cast<LPARAM>(drop_target_ ? ItemOf(*drop_target_) : nullptr));
    ::SetCursor(::LoadCursorW(nullptr, drop_target_ ? IDC_ARROW : IDC_NO));
}

void TaskTreeDialog::EndDrag(bool drop) {
    const auto dragged = std::exchange(dragged_, std::nullopt);
    const auto target = std::exchange(drop_target_, std::nullopt);
    ::SendMessageW(tree_view_, TVM_SELECTITEM, TVGN_DROPHILITE, 0);
    if (::GetCapture() == hwnd()) ::ReleaseCapture();
    if (!drop || !dragged || !target) return;
    if (const auto moved = tree_.MoveAction(*dragged, *target)) Refill(*moved);
}

LRESULT TaskTreeDialog::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_NOTIFY: {
            auto* header = reinterpret_cast<NMHDR*>(lparam);
            if (header && header->idFrom == kTaskTreeId) {
                LRESULT result = 0;
                Guarded([&] { result = OnTreeNotify(*header); });
                return result;
            }
            break;
        }
        case WM_MOUSEMOVE:
            if (dragged_) {
                Guarded([&] { OnDragMove({GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)}); });
                return 0;
            }
            break;
        case WM_LBUTTONUP:
            if (dragged_) {
                Guarded([&] { EndDrag(true); });
                return 0;
            }
            break;
        case WM_CAPTURECHANGED:
            if (dragged_ && reinterpret_cast<HWND>(lparam) != hwnd()) Guarded([&] { EndDrag(false); });
            break;
        case WM_MEASUREITEM: {
            auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lparam);
            if (measure && measure->CtlType == ODT_MENU && open_menu_) {
                const std::size_t index = measure->itemData - 1;
                if (index < open_menu_->size()) {
                    const TaskMenuEntry& item = (*open_menu_)[index];
                    MeasureMenuItem(*measure, DialogFont(),
                                    {open_captions_[index], item.caption == "-", context_.images.Strip(), item.image},
                                    Scale());
                }
                return TRUE;
            }
            break;
        }
        case WM_DRAWITEM: {
            auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lparam);
            if (draw && draw->CtlType == ODT_MENU && open_menu_) {
                const std::size_t index = draw->itemData - 1;
                if (index < open_menu_->size()) {
                    const TaskMenuEntry& item = (*open_menu_)[index];
                    PaintMenuItem(*draw, DialogFont(), MenuColors{},
                                  {open_captions_[index], item.caption == "-", context_.images.Strip(), item.image},
                                  Scale());
                }
                return TRUE;
            }
            break;
        }
        default:
            break;
    }
    return SkinnedDialog::HandleMessage(message, wparam, lparam);
}

}  // namespace kalvoro::win
