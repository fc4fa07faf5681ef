#include "framework/gui/header_control.h"

#include "framework/gui/wide.h"
#include "framework/rtl/property_builders.h"

#include <commctrl.h>

#include <cstdlib>

namespace gui {
namespace {

constexpr int kDefaultSectionWidth = 50;

} // namespace

std::pair<std::string, int> SplitCaptionWidth(const std::string& line, int defaultWidth) {
    const std::size_t equals = line.rfind('=');
    if (equals == std::string::npos) return {line, defaultWidth};
    const std::string number = line.substr(equals + 1);
    char* end = nullptr;
    const long width = std::strtol(number.c_str(), &end, 10);
    if (number.empty() || *end != '\0' || width < 0 || width > 0xFFFF) return {line, defaultWidth};
    return {line.substr(0, equals), static_cast<int>(width)};
}

THeaderControl::THeaderControl(TComponent* owner) : TWinControl(owner) {
    width_ = 250;
    height_ = 17;
}

const rtl::TClassInfo& THeaderControl::StaticClassInfo() {
    using namespace rtl;
    static const TClassInfo info{"THeaderControl",
                                 &TWinControl::StaticClassInfo(),
                                 {
                                     StringListProperty("Sections", &THeaderControl::SetSectionLines),
                                     EventProperty("OnSectionClick", &THeaderControl::OnSectionClick),
                                 }};
    return info;
}

void THeaderControl::SetSectionLines(const std::vector<std::string>& lines) {
    std::vector<THeaderSection> sections;
    for (const std::string& line : lines) {
        auto [text, width] = SplitCaptionWidth(line, kDefaultSectionWidth);
        sections.push_back(THeaderSection{text, width});
    }
    SetSections(sections);
}

void THeaderControl::ChangeScale(int multiplier, int divider) {
    for (std::size_t i = 0; i < sections_.size(); ++i) {
        sections_[i].Width = MulDiv(sections_[i].Width, multiplier, divider);
        HDITEMW item{};
        item.mask = HDI_WIDTH;
        item.cxy = sections_[i].Width;
        if (handle_) SendMessageW(handle_, HDM_SETITEMW, i, reinterpret_cast<LPARAM>(&item));
    }
    TWinControl::ChangeScale(multiplier, divider);
}

void THeaderControl::SetSections(const std::vector<THeaderSection>& sections) {
    sections_ = sections;
    FillSections();
}

void THeaderControl::FillSections() {
    if (!handle_) return;
    while (SendMessageW(handle_, HDM_DELETEITEM, 0, 0)) {
    }
    for (std::size_t i = 0; i < sections_.size(); ++i) {
        std::wstring text = Wide(sections_[i].Text);
        HDITEMW item{};
        item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
        item.cxy = sections_[i].Width;
        item.pszText = text.data();
        item.fmt = HDF_LEFT | HDF_STRING;
        SendMessageW(handle_, HDM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
    }
}

int THeaderControl::SectionAt(LPARAM point) const {
    HDHITTESTINFO hit{};
    hit.pt = POINT{static_cast<short>(LOWORD(point)), static_cast<short>(HIWORD(point))};
    const auto index =
        static_cast<int>(SendMessageW(handle_, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    return (hit.flags & HHT_ONHEADER) ? index : -1;
}

void THeaderControl::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_LBUTTONDOWN:
        pressedSection_ = SectionAt(message.LParam);
        break;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
        pressedSection_ = -1;
        break;
    case CN_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHEADERW*>(message.LParam);
        if (header->hdr.code == HDN_ITEMCLICKW || header->hdr.code == HDN_ITEMCLICKA) {
            clickedSection_ = header->iItem;
            if (OnSectionClick) OnSectionClick(this);
        }
        message.Result = 0;
        return;
    }
    default:
        break;
    }
    TWinControl::WndProc(message);
}

void THeaderControl::CreateParams(TCreateParams& params) {
    static const bool registered = [] {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
        return InitCommonControlsEx(&controls) != FALSE;
    }();
    (void)registered;
    TWinControl::CreateParams(params);
    params.ClassName = WC_HEADERW;
    params.SystemClass = true;
    params.Style |= HDS_BUTTONS | HDS_HORZ;
    params.Style &= ~static_cast<DWORD>(WS_CLIPCHILDREN);
}

void THeaderControl::CreateWnd() {
    TWinControl::CreateWnd();
    FillSections();
}

} // namespace gui
