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

void AppCore::ReloadTasks() {
    GuardedCall("tasks", [&] { tasks_.Load(files_, app_dir_ + kTaskListFileName); });
}

}  // namespace kalvoro
