// Small text helpers shared by the portable code and the Windows edge.
#pragma once

#include <string>
#include <string_view>

namespace rtl {

// Removes every character of code 32 or below from both ends.
std::string Trim(std::string_view text);

// ASCII-only lower case: skin member and section names are 8-bit texts compared byte-wise.
std::string LowerCaseAscii(std::string_view text);

// UTF-8 <-> UTF-16. Invalid UTF-8 bytes become U+FFFD; unpaired surrogates become U+FFFD.
std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);

} // namespace rtl
