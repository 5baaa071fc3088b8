# The hour chime, its hot key and the sound player.
kalvoro_library(kalvoro_chimes
    SOURCES
        chime_clock_alarm.cpp
        hot_key_text.cpp
    DEPS kalvoro_base)

kalvoro_tests(kalvoro_chimes_tests
    SOURCES
        chime_clock_alarm_test.cpp
        chime_sounds_test.cpp
        hot_key_text_test.cpp
    DEPS kalvoro_chimes)

# Its own program: it replaces operator new to count allocations.
kalvoro_tests(kalvoro_chimes_alloc_tests
    SOURCES chime_clock_alarm_alloc_test.cpp
    DEPS kalvoro_chimes)

if(WIN32)
    kalvoro_library(kalvoro_chimes_win
        SOURCES
            win32/back_sound.cpp
            win32/chime_host.cpp
            win32/hot_key_chime.cpp
        DEPS kalvoro_chimes kalvoro_base_win)
endif()

kalvoro_wine_tests(kalvoro_chimes_win_tests
    SOURCES
        win32/back_sound_test.cpp
        win32/chime_host_test.cpp
        win32/hot_key_chime_test.cpp
    DEPS kalvoro_chimes_win)
