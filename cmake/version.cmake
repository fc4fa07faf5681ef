# The project's version for C++ code (marivel_version, a header-only library) and for Windows programs (a
# VERSIONINFO resource per executable).
include(${CMAKE_CURRENT_LIST_DIR}/version/version_resource.cmake)

configure_file(${CMAKE_CURRENT_LIST_DIR}/version/marivel_version.h.in
               ${CMAKE_BINARY_DIR}/generated/marivel_version.h @ONLY)
add_library(marivel_version INTERFACE)
target_include_directories(marivel_version INTERFACE ${CMAKE_BINARY_DIR}/generated)

# Gives a Windows executable its version resource (nothing elsewhere).
function(marivel_version_resource target description)
    if(NOT WIN32)
        return()
    endif()
    get_target_property(output_name ${target} OUTPUT_NAME)
    if(NOT output_name)
        set(output_name ${target})
    endif()
    set(script ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc)
    marivel_write_version_resource(${script} "${description}" "${output_name}.exe")
    target_sources(${target} PRIVATE ${script})
endfunction()
