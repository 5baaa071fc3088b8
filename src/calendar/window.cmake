# The calendar window TFrmCalendar and the date marks: the marks file, the mark texts and the
# reminder, the information lines and menus; in the Windows build the window and the mark dialogs.
kalvoro_library(kalvoro_calendar_window
    SOURCES
        calendar_info_lines.cpp
        calendar_marks.cpp
        calendar_stores.cpp
        calendar_window_menus.cpp
        mark_editor.cpp
        mark_keys.cpp
        mark_lines.cpp
        mark_texts.cpp
    DEPS kalvoro_calendar kalvoro_base)

kalvoro_tests(kalvoro_calendar_window_tests
    SOURCES
        calendar_info_lines_test.cpp
        calendar_marks_test.cpp
        calendar_window_menus_test.cpp
        mark_editor_test.cpp
        mark_keys_test.cpp
        mark_lines_test.cpp
        mark_texts_test.cpp
    DEPS kalvoro_calendar_window)

if(WIN32)
    kalvoro_library(kalvoro_calendar_window_win
        SOURCES
            win32/frm_calendar.cpp
            win32/frm_edit_mark.cpp
            win32/frm_input_year.cpp
            win32/frm_mark.cpp
            win32/frm_msg_del_mark.cpp
            win32/mark_picture.cpp
            win32/skinned_popup_menu.cpp
        DEPS kalvoro_calendar_window kalvoro_calendar_control_win kalvoro_skin_win kalvoro_ui_win
             ${kalvoro_win_system_libs})
endif()

kalvoro_wine_tests(kalvoro_calendar_window_win_tests
    SOURCES
        win32/frm_calendar_test.cpp
        win32/mark_dialogs_test.cpp
    DEPS kalvoro_calendar_window_win)
