# The month-grid control TLssCalendar and its hint window TCalendarHint.
kalvoro_library(kalvoro_calendar_control
    SOURCES
        calendar_control_cell.cpp
        calendar_control_colors.cpp
        calendar_control_grid.cpp
        calendar_control_layout.cpp
        calendar_hint_text.cpp
        lss_calendar.cpp
        lss_calendar_cells.cpp
    DEPS kalvoro_calendar)

kalvoro_tests(kalvoro_calendar_control_tests
    SOURCES
        calendar_control_layout_test.cpp
        calendar_hint_text_test.cpp
        lss_calendar_test.cpp
    DEPS kalvoro_calendar_control)

kalvoro_benchmark(kalvoro_calendar_control_benchmark
    SOURCES calendar_control_benchmark.cpp
    DEPS kalvoro_calendar_control)

if(WIN32)
    kalvoro_library(kalvoro_calendar_control_win
        SOURCES
            win32/calendar_hint.cpp
            win32/calendar_control_fonts.cpp
            win32/calendar_control_painter.cpp
            win32/lss_calendar_control.cpp
        DEPS kalvoro_calendar_control kalvoro_base_win)
endif()

kalvoro_wine_tests(kalvoro_calendar_control_win_tests
    SOURCES
        win32/calendar_hint_test.cpp
        win32/lss_calendar_control_test.cpp
    DEPS kalvoro_calendar_control_win)
