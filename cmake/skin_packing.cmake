# The skin tool as a program that runs on the build machine. A native build uses its own target; a cross
# build builds the tool natively beside itself first.
function(marivel_host_skintool out_var)
    if(NOT CMAKE_CROSSCOMPILING)
        set(${out_var} $<TARGET_FILE:skintool> PARENT_SCOPE)
        return()
    endif()
    if(NOT TARGET host_skintool)
        include(ExternalProject)
        ExternalProject_Add(host_skintool
            SOURCE_DIR ${PROJECT_SOURCE_DIR}
            BINARY_DIR ${CMAKE_BINARY_DIR}/host-tools
            CMAKE_ARGS -DMARIVEL_HOST_TOOLS_ONLY=ON -DCMAKE_BUILD_TYPE=Release
                       -DCMAKE_C_COMPILER=gcc -DCMAKE_CXX_COMPILER=g++
            BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target skintool
            INSTALL_COMMAND ""
            BUILD_ALWAYS ON
            USES_TERMINAL_BUILD OFF)
    endif()
    set(${out_var} ${CMAKE_BINARY_DIR}/host-tools/tools/skintool/skintool PARENT_SCOPE)
endfunction()

# Packs the skin sources in source_dir (one .ini and its .bmp files) into the skin file output.
function(marivel_pack_skin source_dir output)
    marivel_host_skintool(skintool)
    file(GLOB sources CONFIGURE_DEPENDS ${source_dir}/*.ini ${source_dir}/*.bmp)
    set(tool_dependency skintool)
    if(CMAKE_CROSSCOMPILING)
        set(tool_dependency host_skintool)
    endif()
    add_custom_command(OUTPUT ${output}
        COMMAND ${skintool} pack ${source_dir} ${output}
        DEPENDS ${sources} ${tool_dependency}
        COMMENT "Packing the skin ${source_dir}"
        VERBATIM)
endfunction()
