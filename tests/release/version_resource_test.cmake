# cmake -DPROJECT_ROOT=<source folder> -DOUTPUT=<file> -P version_resource_test.cmake
# Writes a program's version resource script for a made-up version and copyright and checks that every
# place Explorer reads shows them.
include(${PROJECT_ROOT}/cmake/version/version_resource.cmake)

set(PROJECT_VERSION 12.34.567)
set(PROJECT_VERSION_MAJOR 12)
set(PROJECT_VERSION_MINOR 34)
set(PROJECT_VERSION_PATCH 567)
set(MARIVEL_COPYRIGHT "Copyright (c) 2031 someone else")
marivel_write_version_resource(${OUTPUT} "Some tool" "some-tool.exe")
file(READ ${OUTPUT} script)

set(failures "")
foreach(expected IN ITEMS
        "FILEVERSION 12,34,567,0"
        "PRODUCTVERSION 12,34,567,0"
        "VALUE \"FileVersion\", \"12.34.567\""
        "VALUE \"ProductVersion\", \"12.34.567\""
        "VALUE \"LegalCopyright\", \"Copyright (c) 2031 someone else\""
        "VALUE \"FileDescription\", \"Some tool\""
        "VALUE \"OriginalFilename\", \"some-tool.exe\"")
    string(FIND "${script}" "${expected}" at)
    if(at EQUAL -1)
        string(APPEND failures "\n  missing: ${expected}")
    endif()
endforeach()
# Nothing left for configure_file to fill, and no other version written in.
if(script MATCHES "@[A-Z_]+@")
    string(APPEND failures "\n  not filled in: ${CMAKE_MATCH_0}")
endif()
string(REGEX MATCHALL "[0-9]+[.,][0-9]+[.,][0-9]+" versions "${script}")
list(REMOVE_ITEM versions "12,34,567" "12.34.567")
if(versions)
    string(APPEND failures "\n  other versions: ${versions}")
endif()
if(failures)
    message(FATAL_ERROR "${OUTPUT}:${failures}")
endif()
