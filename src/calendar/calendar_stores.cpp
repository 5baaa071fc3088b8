#include "calendar/calendar_stores.h"

#include "calendar/calendar_window_festivals.h"

namespace kalvoro {

CalendarStores::CalendarStores(IFileStore& files, std::string marks_path)
    : festivals(MakeCalendarWindowFestivals()), marks(files, std::move(marks_path), festivals) {}

}  // namespace kalvoro
