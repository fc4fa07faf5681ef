#include "framework/rtl/colours.h"

#include <utility>

namespace rtl {

std::optional<TColor> IdentToColour(const std::string& name) {
    static const std::pair<const char*, TColor> kNames[] = {
        {"clScrollBar", clScrollBar},
        {"clMenu", clMenu},
        {"clWindow", clWindow},
        {"clMenuText", clMenuText},
        {"clWindowText", clWindowText},
        {"clCaptionText", clCaptionText},
        {"clHighlight", clHighlight},
        {"clHighlightText", clHighlightText},
        {"clBtnFace", clBtnFace},
        {"clBtnShadow", clBtnShadow},
        {"clGrayText", clGrayText},
        {"clBtnText", clBtnText},
        {"clInactiveCaptionText", clInactiveCaptionText},
        {"clBtnHighlight", clBtnHighlight},
        {"clBlack", clBlack},
        {"clWhite", clWhite},
        {"clFuchsia", clFuchsia},
    };
    for (const auto& [ident, colour] : kNames) {
        if (name == ident) return colour;
    }
    return std::nullopt;
}

} // namespace rtl
