#include "framework/gui/memo.h"

#include "framework/rtl/property_builders.h"

namespace gui {

TMemo::TMemo(TComponent* owner) : TCustomEdit(owner) {
    width_ = 185;
    height_ = 89;
}

const rtl::TClassInfo& TMemo::StaticClassInfo() {
    using namespace rtl;
    static const TClassInfo info{"TMemo", &TCustomEdit::StaticClassInfo(), {
        StringListProperty("Lines", &TMemo::SetLines),
        EnumProperty("ScrollBars", {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"}, &TMemo::SetScrollBars,
                     &TMemo::ScrollBars),
        BooleanProperty("WordWrap", &TMemo::SetWordWrap, &TMemo::WordWrap),
    }};
    return info;
}

std::vector<std::string> TMemo::Lines() const {
    std::vector<std::string> lines;
    const std::string text = GetText();
    if (text.empty()) return lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (end == text.size() && line.empty() && !lines.empty()) break; // a final line break adds no line
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

void TMemo::SetLines(const std::vector<std::string>& lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) text += "\r\n";
        text += lines[i];
    }
    SetText(text);
}

void TMemo::CreateParams(TCreateParams& params) {
    TCustomEdit::CreateParams(params);
    params.Style |= ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL;
    if (!wordWrap_ && scrollBars_ != ssHorizontal && scrollBars_ != ssBoth) params.Style |= ES_AUTOHSCROLL;
    if (scrollBars_ == ssHorizontal || scrollBars_ == ssBoth) params.Style |= WS_HSCROLL | ES_AUTOHSCROLL;
    if (scrollBars_ == ssVertical || scrollBars_ == ssBoth) params.Style |= WS_VSCROLL;
}

} // namespace gui
