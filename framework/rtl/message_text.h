// Text rules of the default exception display.
#pragma once

#include <string>
#include <string_view>

namespace rtl {

// The message as the error box shows it: a "." is appended when the text is not empty and its last whole
// character sorts after "." (so a letter, a digit or a Chinese character gets one; "!" or "." does not).
std::string WithFullStop(std::string_view message);

} // namespace rtl
