// The integer text conversion every number box and the skin definition rely on.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace rtl {

// Reads a signed 32-bit integer: leading spaces (code 32 only), an optional sign, then decimal digits or
// a hexadecimal number introduced by "$", "x", "X", "0x" or "0X" (at most 32 bits, two's complement).
// Anything else, a trailing blank included, makes the text invalid.
std::optional<std::int32_t> TryStrToInt(std::string_view text);

// As TryStrToInt, but raises EConvertError "'<text>' is not a valid integer value" on an invalid text.
std::int32_t StrToInt(std::string_view text);

// The message of the conversion error for a text.
std::string InvalidIntegerMessage(std::string_view text);

} // namespace rtl
