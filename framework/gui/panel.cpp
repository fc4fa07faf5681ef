#include "framework/gui/panel.h"

#include "framework/gui/wide.h"
#include "framework/rtl/property_builders.h"

namespace gui {
namespace {

const std::vector<std::string>& BevelNames() {
    static const std::vector<std::string> names{"bvNone", "bvLowered", "bvRaised", "bvSpace"};
    return names;
}

// One bevel, width pixels deep, drawn inside rect, which then shrinks by it.
void DrawBevel(HDC dc, RECT& rect, TBevelCut cut, int width) {
    for (int i = 0; i < width && cut != bvNone; ++i) {
        if (cut != bvSpace) DrawEdge(dc, &rect, cut == bvRaised ? BDR_RAISEDINNER : BDR_SUNKENOUTER, BF_RECT);
        InflateRect(&rect, -1, -1);
    }
}

} // namespace

TPanel::TPanel(TComponent* owner) : TCustomControl(owner) {
    width_ = 185;
    height_ = 41;
    acceptsControls_ = true;
}

const rtl::TClassInfo& TPanel::StaticClassInfo() {
    using namespace rtl;
    static const TClassInfo info{
        "TPanel",
        &TCustomControl::StaticClassInfo(),
        {
            EnumProperty("BevelOuter", BevelNames(), &TPanel::SetBevelOuter, &TPanel::BevelOuter),
            EnumProperty("BevelInner", BevelNames(), &TPanel::SetBevelInner, &TPanel::BevelInner),
            IntegerProperty("BevelWidth", &TPanel::SetBevelWidth, &TPanel::BevelWidth),
            EnumProperty("Alignment", {"taLeftJustify", "taRightJustify", "taCenter"}, &TPanel::SetAlignment,
                         &TPanel::Alignment),
        }};
    return info;
}

void TPanel::SetBevelOuter(TBevelCut cut) {
    bevelOuter_ = cut;
    Invalidate();
}

void TPanel::SetBevelInner(TBevelCut cut) {
    bevelInner_ = cut;
    Invalidate();
}

void TPanel::SetBevelWidth(int width) {
    bevelWidth_ = width < 1 ? 1 : width;
    Invalidate();
}

void TPanel::SetAlignment(TAlignment alignment) {
    alignment_ = alignment;
    Invalidate();
}

void TPanel::Paint(HDC dc) {
    RECT rect{0, 0, width_, height_};
    DrawBevel(dc, rect, bevelOuter_, bevelWidth_);
    DrawBevel(dc, rect, bevelInner_, bevelWidth_);
    const std::wstring caption = Wide(GetText());
    if (caption.empty()) return;
    const SelectedObject font(dc, EffectiveFont()->Handle());
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColour =
        SetTextColor(dc, Enabled() ? ColorToRGB(EffectiveFont()->Color()) : GetSysColor(COLOR_GRAYTEXT));
    const UINT align = alignment_ == taLeftJustify    ? DT_LEFT
                       : alignment_ == taRightJustify ? DT_RIGHT
                                                      : DT_CENTER;
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &rect,
              align | DT_VCENTER | DT_SINGLELINE);
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
}

} // namespace gui
