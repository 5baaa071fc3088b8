# Delay-loaded imports for a MinGW executable: a system DLL used only by a rare command (a font
# or file dialog, an online request) is loaded at its first call instead of at start. Under Wine,
# comdlg32 brings winspool and with it the printing system's libraries, and wininet its network
# stack: megabytes resident in an idle program that may never open either.
#
#   kalvoro_delay_imports(<target> <dll> <function>...)
#
# Only the functions named are delayed; a function of the DLL not named here still links through
# the ordinary import library, so a new call elsewhere never breaks the build.
find_program(KALVORO_DLLTOOL NAMES ${CMAKE_C_COMPILER_TARGET}-dlltool x86_64-w64-mingw32-dlltool dlltool)

function(kalvoro_delay_imports target dll)
    if(NOT KALVORO_DLLTOOL)
        message(STATUS "No dlltool: ${dll} is loaded at start")
        return()
    endif()
    set(def ${CMAKE_CURRENT_BINARY_DIR}/${target}_${dll}_delay.def)
    set(lib ${CMAKE_CURRENT_BINARY_DIR}/lib${target}_${dll}_delay.a)
    list(JOIN ARGN "\n" exports)
    file(WRITE ${def} "LIBRARY ${dll}.dll\nEXPORTS\n${exports}\n")
    add_custom_command(OUTPUT ${lib}
                       COMMAND ${KALVORO_DLLTOOL} --input-def ${def} --output-delaylib ${lib} --dllname ${dll}.dll
                       DEPENDS ${def}
                       VERBATIM)
    add_custom_target(${target}_${dll}_delay DEPENDS ${lib})
    add_dependencies(${target} ${target}_${dll}_delay)
    # The archives that call these functions come later on the link line than this library, so
    # their import symbols are asked for up front: the delayed ones are then taken from here.
    foreach(name IN LISTS ARGN)
        target_link_options(${target} PRIVATE "LINKER:-u,__imp_${name}")
    endforeach()
    target_link_libraries(${target} PRIVATE ${lib})
endfunction()
