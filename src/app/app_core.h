#pragma once
// The application core: what the program holds for its whole run, beneath every window. wWinMain
// owns it; the Win32 host creates the windows and hands each the parts it shows.
//
//   settings  "skin.ini", read once at start, written by the bar and the settings dialog
//   calendar  the festival lists and the date marks of "Marks.rec"
//   tasks     the scheduled tasks of "War.lst"
//   tick      the one-second tick and its listeners, in their order
//   texts     the bar's date texts (lunar date, stem-branch, solar term, festivals)

#include <string>

#include "app/app_tick.h"
#include "app/calendar_date_texts.h"
#include "app/settings.h"
#include "base/clock.h"
#include "base/file_store.h"
#include "calendar/calendar_stores.h"
#include "tasks/task_list.h"

namespace kalvoro {

class AppCore {
public:
    // app_dir ends in "\".
    AppCore(IFileStore& files, IClock& clock, std::string app_dir);
    AppCore(const AppCore&) = delete;
    AppCore& operator=(const AppCore&) = delete;

    // Start-up: the settings, the marks, the tasks.
    void Load(int screen_width);
    // After the task list window saved, and from the menus: "War.lst" again.
    void ReloadTasks();

    // Whether a file can be written in the application folder (a zip unpacked into a protected
    // folder, a read-only medium: nothing the user changes could be kept).
    bool FolderWritable();
    // The one-time notice when it cannot.
    std::string FolderNotWritableNotice() const;

    const std::string& app_dir() const { return app_dir_; }
    IFileStore& files() { return files_; }
    IClock& clock() { return clock_; }
    Settings& settings() { return settings_; }
    CalendarStores& calendar() { return calendar_; }
    TaskList& tasks() { return tasks_; }
    AppTick& tick() { return tick_; }
    IDateTexts& date_texts() { return date_texts_; }

private:
    std::string app_dir_;
    IFileStore& files_;
    IClock& clock_;
    Settings settings_;
    CalendarStores calendar_;
    TaskList tasks_;
    AppTick tick_;
    CalendarDateTexts date_texts_;
};

}  // namespace kalvoro
