# Copies the files of SOURCE into DEST, keeping sub-folders (cmake -P). With NO_OVERWRITE, files
# already in DEST stay as they are (a user's settings).
if(NOT EXISTS "${SOURCE}")
    return()
endif()
file(GLOB_RECURSE files RELATIVE "${SOURCE}" "${SOURCE}/*")
foreach(file IN LISTS files)
    if(NO_OVERWRITE AND EXISTS "${DEST}/${file}")
        continue()
    endif()
    get_filename_component(dir "${DEST}/${file}" DIRECTORY)
    file(MAKE_DIRECTORY "${dir}")
    file(COPY_FILE "${SOURCE}/${file}" "${DEST}/${file}" ONLY_IF_DIFFERENT)
endforeach()
