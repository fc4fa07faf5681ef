#include "framework/rtl/message_text.h"

namespace rtl {

std::string WithFullStop(std::string_view message) {
    std::string text(message);
    if (text.empty()) return text;
    // In UTF-8 every byte of a multi-byte character is 0x80 or above, so a text ending in one (a Chinese
    // character, say) compares above "." just as a double-byte character's lead byte would.
    const auto last = static_cast<unsigned char>(text.back());
    if (last > static_cast<unsigned char>('.')) text += '.';
    return text;
}

} // namespace rtl
