#include "tasks/task_tree.h"

#include "base/gbk.h"

namespace kalvoro {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsAscii(char c) {
    return static_cast<unsigned char>(c) < 0x80;
}

// The text's bytes for the file; an edited text loses any line break it might carry.
std::string FileText(const TaskTreeNode& node) {
    if (node.file_text) return *node.file_text;
    std::string text;
    for (const char c : node.text) {
        if (c != '\r' && c != '\n') text += c;
    }
    return Utf8ToGbk(text);
}

}  // namespace

std::string ActionNodeText(int image, std::string_view inner) {
    std::string_view head;
    switch (image) {
        case kImageSound:
            head = "播放 (";
            break;
        case kImageMessage:
            head = "消息 (";
            break;
        default:
            head = "执行 (";
            break;
    }
    std::string text(head);
    text += inner;
    text += ')';
    return text;
}

TaskTree TaskTree::Parse(std::string_view gbk_bytes) {
    TaskTree tree;
    for (const std::string_view raw : SplitFileLines(gbk_bytes)) {
        const std::string line = GbkToUtf8(raw);
        if (raw.front() == '*') {
            TaskTreeTask& task = tree.tasks_.emplace_back();
            const std::string_view second = FirstCharacter(AfterCharacters(line, 1));
            task.node.image = second.size() == 1 && IsDigit(second.front()) ? second.front() - '0' : 0;
            task.node.text = std::string(AfterCharacters(line, 2));
            // With an ASCII second byte the text's bytes start at byte 2 and decode alone to the same text.
            if (raw.size() < 2 || IsAscii(raw[1]))
                task.node.file_text = std::string(raw.substr(std::min<std::size_t>(2, raw.size())));
            task.expanded = task.node.image == kImageRunningTask;
            continue;
        }
        if (tree.tasks_.empty() || !IsDigit(raw.front())) continue;
        TaskTreeNode& action = tree.tasks_.back().actions.emplace_back();
        action.image = raw.front() - '0';
        action.text = std::string(AfterCharacters(line, 1));
        action.file_text = std::string(raw.substr(1));
    }
    return tree;
}

std::string TaskTree::Save() const {
    std::string out;
    for (const TaskTreeTask& task : tasks_) {
        out += '*';
        out += std::to_string(task.node.image);
        out += FileText(task.node);
        out += "\r\n";
        for (const TaskTreeNode& action : task.actions) {
            out += std::to_string(action.image);
            out += FileText(action);
            out += "\r\n";
        }
    }
    return out;
}

std::vector<TTaskRec> TaskTree::ToTasks() const {
    std::vector<TTaskRec> tasks;
    tasks.reserve(tasks_.size());
    for (const TaskTreeTask& task : tasks_) {
        TTaskRec& rec = tasks.emplace_back();
        rec.Enabled = task.node.image == kImageRunningTask;
        ReadTimeText(task.node.text, rec);
        for (const TaskTreeNode& action : task.actions) {
            rec.Actions.push_back(TActRec{action.image - 2, InnerActionText(action.text)});
        }
    }
    return tasks;
}

bool TaskTree::Contains(TaskNodeRef ref) const {
    if (ref.task >= tasks_.size()) return false;
    return ref.action < 0 || static_cast<std::size_t>(ref.action) < tasks_[ref.task].actions.size();
}

const TaskTreeNode* TaskTree::Node(TaskNodeRef ref) const {
    if (!Contains(ref)) return nullptr;
    const TaskTreeTask& task = tasks_[ref.task];
    return ref.IsTask() ? &task.node : &task.actions[static_cast<std::size_t>(ref.action)];
}

TaskTreeNode* TaskTree::Node(TaskNodeRef ref) {
    return const_cast<TaskTreeNode*>(static_cast<const TaskTree*>(this)->Node(ref));
}

TaskNodeRef TaskTree::AppendTask(TaskTreeTask task) {
    task.expanded = true;
    tasks_.push_back(std::move(task));
    return {tasks_.size() - 1, -1};
}

void TaskTree::ReplaceTask(std::size_t task, const TaskTreeTask& edited) {
    if (task >= tasks_.size()) return;
    tasks_[task].node = edited.node;
    tasks_[task].actions = edited.actions;
    tasks_[task].expanded = true;
}

TaskNodeRef TaskTree::AddAction(std::size_t task, int image, std::string text) {
    if (task >= tasks_.size()) return {};
    TaskTreeTask& target = tasks_[task];
    TaskTreeNode& action = target.actions.emplace_back();
    action.image = image;
    action.text = std::move(text);
    target.expanded = true;
    return {task, static_cast<int>(target.actions.size() - 1)};
}

void TaskTree::ToggleStop(std::size_t task) {
    if (task >= tasks_.size()) return;
    int& image = tasks_[task].node.image;
    image = image == kImageRunningTask ? kImageStoppedTask : kImageRunningTask;
}

bool TaskTree::Delete(TaskNodeRef ref) {
    if (!Contains(ref)) return false;
    if (ref.IsTask()) {
        tasks_.erase(tasks_.begin() + static_cast<std::ptrdiff_t>(ref.task));
    } else {
        auto& actions = tasks_[ref.task].actions;
        actions.erase(actions.begin() + ref.action);
    }
    return true;
}

bool TaskTree::CanDrop(TaskNodeRef dragged, TaskNodeRef target) const {
    return Contains(dragged) && Contains(target) && !dragged.IsTask() && !target.IsTask() && dragged != target;
}

std::optional<TaskNodeRef> TaskTree::MoveAction(TaskNodeRef dragged, TaskNodeRef target) {
    if (!CanDrop(dragged, target)) return std::nullopt;
    auto& from = tasks_[dragged.task].actions;
    TaskTreeNode moved = std::move(from[static_cast<std::size_t>(dragged.action)]);
    from.erase(from.begin() + dragged.action);
    int position = target.action;
    // Taking the dragged action out shifts a later target of the same task up by one.
    if (dragged.task == target.task && dragged.action < target.action) --position;
    auto& to = tasks_[target.task].actions;
    to.insert(to.begin() + position, std::move(moved));
    return TaskNodeRef{target.task, position};
}

}  // namespace kalvoro
