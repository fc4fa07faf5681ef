# Fails when a file of one floor of the engine includes a header of a floor above it.
#   cmake -DFLOOR=<name> -DFILES=<files> -DFORBIDDEN=<include prefixes> -DSTAMP=<file> -P check_floor_includes.cmake
# Every header sits under the one source root, so include paths cannot keep a floor from reaching up; this
# check, run by the build before the floor's library is compiled, does.
set(errors "")
foreach(file IN LISTS FILES)
    file(READ "${file}" content)
    # One list element per line: what would split or join elements is blanked out first.
    string(REGEX REPLACE "[][;\\]" "_" content "${content}")
    string(REPLACE "\n" ";" lines "${content}")
    set(number 0)
    foreach(line IN LISTS lines)
        math(EXPR number "${number} + 1")
        if(line MATCHES "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\"")
            set(included "${CMAKE_MATCH_1}")
            foreach(prefix IN LISTS FORBIDDEN)
                string(FIND "${included}" "${prefix}" at)
                if(at EQUAL 0)
                    string(APPEND errors "${file}:${number}: the ${FLOOR} floor includes \"${included}\", "
                                         "a header of a floor above it\n")
                endif()
            endforeach()
        endif()
    endforeach()
endforeach()
if(errors)
    message(FATAL_ERROR "${errors}")
endif()
file(WRITE "${STAMP}" "")
