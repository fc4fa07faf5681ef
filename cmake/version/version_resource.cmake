# Writes the version resource script of a program: what Explorer's file properties show. Usable from a
# project and from a cmake -P script alike: it reads PROJECT_VERSION, its three parts and MARIVEL_COPYRIGHT.
# Arguments: output, the file description, the program's file name.
set(MARIVEL_VERSION_TEMPLATE ${CMAKE_CURRENT_LIST_DIR}/version.rc.in)

function(marivel_write_version_resource output description file_name)
    set(MARIVEL_FILE_DESCRIPTION "${description}")
    set(MARIVEL_ORIGINAL_FILENAME "${file_name}")
    set(MARIVEL_VERSION_COMMAS "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${PROJECT_VERSION_PATCH},0")
    configure_file(${MARIVEL_VERSION_TEMPLATE} ${output} @ONLY)
endfunction()
