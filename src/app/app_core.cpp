#include "app/app_core.h"

#include "base/guard.h"
#include "base/settings_keys.h"
#include "calendar/mark_lines.h"

namespace kalvoro {

AppCore::AppCore(IFileStore& files, IClock& clock, std::string app_dir)
    : app_dir_(std::move(app_dir)),
      files_(files),
      clock_(clock),
      settings_(files, app_dir_ + settings_keys::kFileName),
      calendar_(files, app_dir_ + std::string(kMarksFileName)),
      tick_(clock),
      date_texts_(calendar_.festivals) {}

void AppCore::Load(int screen_width) {
    // Each guarded on its own: damaged settings still let the marks load, and the other way round.
    GuardedCall("settings", [&] { settings_.Load(screen_width); });
    GuardedCall("marks", [&] { calendar_.marks.Load(); });
    ReloadTasks();
}

bool AppCore::FolderWritable() {
    const std::string probe = app_dir_ + "Kalvoro.write-test";
    if (!files_.WriteAtomic(probe, "")) return false;
    files_.Remove(probe);
    return true;
}

std::string AppCore::FolderNotWritableNotice() const {
    std::string folder = app_dir_;
    if (!folder.empty() && folder.back() == '\\') folder.pop_back();
    return "程序文件夹不可写入：\r\n" + folder +
           "\r\n\r\n本次运行中的设置、窗口位置、日历标记和定时任务的修改都无法保存。"
           "请把程序放到可以写入的文件夹中运行。";
}

void AppCore::ReloadTasks() {
    GuardedCall("tasks", [&] { tasks_.Load(files_, app_dir_ + kTaskListFileName); });
}

}  // namespace kalvoro
