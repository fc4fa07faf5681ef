option(MARIVEL_WERROR "Treat compiler warnings as errors" ON)

function(marivel_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion)
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
        # GCC 12 reports std::string concatenation as overlapping memcpy at -O2 (a known false positive).
        target_compile_options(${target} PRIVATE -Wno-restrict)
    endif()
    if(MARIVEL_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()
