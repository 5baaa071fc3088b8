// Loads any bytes as "War.lst" the way the bar and the task list window do, and checks that what the
// window's save writes reads back to the same tasks and the same tree.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "tasks/task_editor_model.h"
#include "tasks/task_list.h"
#include "tasks/task_tree.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kalvoro;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    TaskList list;
    list.LoadFromBytes(bytes);

    const TaskTree tree = TaskTree::Parse(bytes);
    const std::string saved = tree.Save();
    // The bar reads from the saved file exactly the tasks the window showed.
    Require(ParseTaskList(saved) == tree.ToTasks());
    // Loading the saved file gives the same tree, and saving it again the same bytes.
    const TaskTree reloaded = TaskTree::Parse(saved);
    Require(reloaded.ToTasks() == tree.ToTasks());
    Require(reloaded.Save() == saved);

    for (const TaskTreeTask& task : tree.Tasks()) {
        const auto selection = TimeBoxSelection(task.node.text, 2026);
        for (int index : selection) Require(index >= -1 && index <= 60);
    }
    return 0;
}
