#include "tasks/task_list_file.h"

namespace kalvoro {

TaskListDocument OpenTaskListDocument(IFileStore& store, const std::string& path) {
    TaskListDocument document;
    if (std::optional<std::string> bytes = store.ReadAll(path)) {
        document.tree = TaskTree::Parse(*bytes);
        document.loaded_bytes = std::move(*bytes);
    } else {
        document.read_only = store.Exists(path);
    }
    return document;
}

bool SaveTaskListDocument(IFileStore& store, const std::string& path, const TaskListDocument& document) {
    if (document.read_only) return false;
    const std::string bytes = document.tree.Save();
    if (bytes == document.loaded_bytes && store.Exists(path)) return true;
    return store.WriteAtomic(path, bytes);
}

}  // namespace kalvoro
