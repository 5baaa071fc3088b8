#pragma once
// The calendar's domain stores: the festival lists (with the user's marks drawn into them) and the
// marks of "Marks.rec". The application core owns them for the program's whole run and hands them
// to the windows that show them, so the bar's date texts never depend on a window being alive.

#include <string>

#include "base/file_store.h"
#include "calendar/calendar_marks.h"
#include "calendar/festival_list.h"

namespace kalvoro {

struct CalendarStores {
    // marks_path: "Marks.rec" in the application folder.
    CalendarStores(IFileStore& files, std::string marks_path);
    CalendarStores(const CalendarStores&) = delete;
    CalendarStores& operator=(const CalendarStores&) = delete;

    TFestivalList festivals;
    CalendarMarks marks;
};

}  // namespace kalvoro
