// UTF-8 inside, UTF-16 at the Windows API.
#pragma once

#include "framework/rtl/text.h"

#include <string>
#include <string_view>

namespace gui {

inline std::wstring Wide(std::string_view text) {
    const std::u16string wide = rtl::Utf8ToUtf16(text);
    return std::wstring(wide.begin(), wide.end());
}

inline std::string Narrow(std::wstring_view text) {
    return rtl::Utf16ToUtf8(std::u16string(text.begin(), text.end()));
}

} // namespace gui
