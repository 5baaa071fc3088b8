# Copies the files of SOURCE into DEST, keeping sub-folders (cmake -P).
if(EXISTS "${SOURCE}")
    file(COPY "${SOURCE}/" DESTINATION "${DEST}")
endif()
