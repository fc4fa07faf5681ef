# Writes a form's stored data with a packed skin as its "SkinStream": the template's @SKIN_STREAM@ becomes
# the binary value (4-byte little-endian count, then the package bytes) in the stored form data syntax.
# With GLYPH_FILE, @GLYPH_DATA@ becomes that file's bytes as a binary value (a picture's "Data").
#   cmake -DSKIN_FILE=<packed skin> -DFORM_TEMPLATE=<form.in> -DFORM_OUTPUT=<form> [-DGLYPH_FILE=<bmp>]
#         -P embed_skin_stream.cmake

# The hexadecimal digits of hex, 64 bytes a line (readable in an editor), as a binary value.
function(binary_value hex prefix out_var)
    string(REPEAT "[0-9a-f]" 128 line_pattern)
    string(REGEX REPLACE "(${line_pattern})" "\\1\n            " lines "${hex}")
    set(${out_var} "<${prefix}\n            ${lines}>" PARENT_SCOPE)
endfunction()

file(READ "${SKIN_FILE}" skin_hex HEX)
string(LENGTH "${skin_hex}" hex_length)
math(EXPR byte_count "${hex_length} / 2")
math(EXPR b0 "${byte_count} & 255")
math(EXPR b1 "(${byte_count} >> 8) & 255")
math(EXPR b2 "(${byte_count} >> 16) & 255")
math(EXPR b3 "(${byte_count} >> 24) & 255")
set(count_hex "")
foreach(b IN ITEMS ${b0} ${b1} ${b2} ${b3})
    math(EXPR value "${b}" OUTPUT_FORMAT HEXADECIMAL)
    string(SUBSTRING "${value}" 2 -1 digits)
    string(LENGTH "${digits}" digits_length)
    if(digits_length EQUAL 1)
        set(digits "0${digits}")
    endif()
    string(APPEND count_hex "${digits}")
endforeach()
binary_value("${skin_hex}" "${count_hex}" SKIN_STREAM)
if(GLYPH_FILE)
    file(READ "${GLYPH_FILE}" glyph_hex HEX)
    binary_value("${glyph_hex}" "" GLYPH_DATA)
endif()
configure_file("${FORM_TEMPLATE}" "${FORM_OUTPUT}" @ONLY)
