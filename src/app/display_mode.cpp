#include "app/display_mode.h"

namespace kalvoro {

DisplayMode DisplayModeFromNumber(int number) {
    switch (number) {
        case 1:
            return DisplayMode::kCalendar;
        case 2:
            return DisplayMode::kClock;
        case 3:
            return DisplayMode::kWeather;
        default:
            return DisplayMode::kCompact;
    }
}

int DisplayModeNumber(DisplayMode mode) {
    switch (mode) {
        case DisplayMode::kCalendar:
            return 1;
        case DisplayMode::kClock:
            return 2;
        case DisplayMode::kWeather:
            return 3;
        case DisplayMode::kCompact:
            break;
    }
    return 0;
}

DisplayMode DisplayModeFromDefWin(int def_win) {
    switch (def_win) {
        case 0:
            return DisplayMode::kCompact;
        case 2:
            return DisplayMode::kCalendar;
        case 3:
            return DisplayMode::kWeather;
        default:
            return DisplayMode::kClock;
    }
}

int DefWinNumber(DisplayMode mode) {
    switch (mode) {
        case DisplayMode::kClock:
            return 1;
        case DisplayMode::kCalendar:
            return 2;
        case DisplayMode::kWeather:
            return 3;
        case DisplayMode::kCompact:
            break;
    }
    return 0;
}

DisplayMode DisplayModeFromChildIndex(int index) {
    // CHILD/Index numbers the windows as the menus do.
    return DisplayModeFromNumber(index);
}

int ChildIndexNumber(DisplayMode mode) {
    return DisplayModeNumber(mode);
}

}  // namespace kalvoro
