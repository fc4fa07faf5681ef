#include "framework/gui/memo.h"

#include "framework/rtl/property_builders.h"

#include <algorithm>

namespace gui {

TMemo::TMemo(TComponent* owner) : TCustomEdit(owner) {
    width_ = 185;
    height_ = 89;
}

const rtl::TClassInfo& TMemo::StaticClassInfo() {
    using namespace rtl;
    static const TClassInfo info{
        "TMemo",
        &TCustomEdit::StaticClassInfo(),
        {
            StringListProperty("Lines", &TMemo::SetLines),
            EnumProperty("ScrollBars", {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"},
                         &TMemo::SetScrollBars, &TMemo::ScrollBars),
            BooleanProperty("WordWrap", &TMemo::SetWordWrap, &TMemo::WordWrap),
        }};
    return info;
}

std::vector<std::string> TMemo::Lines() const {
    // An edit ends its lines with CR LF, a rich edit with CR alone; LF alone is taken too.
    std::vector<std::string> lines;
    const std::string text = GetText();
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find_first_of("\r\n", start), text.size());
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
        if (end < text.size() && text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
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
