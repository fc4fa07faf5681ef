option(MARIVEL_WERROR "Treat compiler warnings as errors" ON)

function(marivel_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion)
    if(MARIVEL_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()
