#include "framework/gui/group_box.h"

#include "framework/gui/wide.h"
#include "framework/rtl/property_builders.h"

#include <algorithm>

namespace gui {
namespace {

constexpr int kCaptionIndent = 8; // the caption starts this far in from the frame's left
constexpr int kButtonIndent = 8;  // radio buttons start this far in from the group's left
constexpr int kButtonHeight = 17;

} // namespace

// ---- TGroupBox ----

TGroupBox::TGroupBox(TComponent* owner) : TCustomControl(owner) {
    width_ = 185;
    height_ = 105;
    acceptsControls_ = true;
}

const rtl::TClassInfo& TGroupBox::StaticClassInfo() {
    static const rtl::TClassInfo info{"TGroupBox", &TCustomControl::StaticClassInfo(), {}};
    return info;
}

int TGroupBox::CaptionHeight() {
    const WindowDc screen(nullptr);
    const SelectedObject font(screen.get(), EffectiveFont()->Handle());
    TEXTMETRICW metrics{};
    GetTextMetricsW(screen.get(), &metrics);
    return metrics.tmHeight;
}

void TGroupBox::Paint(HDC dc) {
    const SelectedObject font(dc, EffectiveFont()->Handle());
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    RECT frame{0, metrics.tmHeight / 2, width_, height_};
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    const std::wstring caption = Wide(GetText());
    if (caption.empty()) return;
    // The caption interrupts the frame's top edge: its own background covers the line.
    const std::wstring padded = L" " + caption + L" ";
    const int indent = ScaleValue(kCaptionIndent);
    RECT text{indent, 0, width_ - indent, metrics.tmHeight};
    const int oldMode = SetBkMode(dc, OPAQUE);
    const COLORREF oldBack = SetBkColor(dc, ColorToRGB(Color()));
    const COLORREF oldColour =
        SetTextColor(dc, Enabled() ? ColorToRGB(EffectiveFont()->Color()) : GetSysColor(COLOR_GRAYTEXT));
    DrawTextW(dc, padded.c_str(), static_cast<int>(padded.size()), &text, DT_LEFT | DT_SINGLELINE);
    SetTextColor(dc, oldColour);
    SetBkColor(dc, oldBack);
    SetBkMode(dc, oldMode);
}

// ---- TRadioGroup ----

TRadioGroup::TRadioGroup(TComponent* owner) : TGroupBox(owner) {}

TRadioGroup::~TRadioGroup() {
    // The buttons' click handlers point here: they go first.
    for (TRadioButton* button : buttons_)
        delete button;
}

const rtl::TClassInfo& TRadioGroup::StaticClassInfo() {
    using namespace rtl;
    static const TClassInfo info{
        "TRadioGroup",
        &TGroupBox::StaticClassInfo(),
        {
            StringListProperty("Items", &TRadioGroup::SetItems),
            IntegerProperty("Columns", &TRadioGroup::SetColumns, &TRadioGroup::Columns),
            IntegerProperty("ItemIndex", &TRadioGroup::SetItemIndex, &TRadioGroup::ItemIndex),
        }};
    return info;
}

void TRadioGroup::SetItems(const std::vector<std::string>& items) {
    items_ = items;
    while (buttons_.size() > items_.size()) {
        delete buttons_.back();
        buttons_.pop_back();
    }
    while (buttons_.size() < items_.size()) {
        auto* button = new TRadioButton(this);
        const int index = static_cast<int>(buttons_.size());
        button->OnClick = [this, index](rtl::TObject*) {
            itemIndex_ = index;
            Click();
        };
        button->SetParent(this);
        buttons_.push_back(button);
    }
    for (std::size_t i = 0; i < items_.size(); ++i)
        buttons_[i]->SetCaption(items_[i]);
    ArrangeButtons();
    SetItemIndex(itemIndex_);
}

void TRadioGroup::SetItemIndex(int index) {
    // While the form is read the items may still follow: the index waits for them.
    if (!HasState(rtl::csReading) && (index < -1 || index >= static_cast<int>(buttons_.size()))) index = -1;
    itemIndex_ = index;
    for (std::size_t i = 0; i < buttons_.size(); ++i)
        buttons_[i]->SetChecked(static_cast<int>(i) == index);
}

void TRadioGroup::SetColumns(int columns) {
    columns_ = std::clamp(columns, 1, 16);
    ArrangeButtons();
}

void TRadioGroup::SetBounds(int left, int top, int width, int height) {
    TGroupBox::SetBounds(left, top, width, height);
    ArrangeButtons();
}

void TRadioGroup::ArrangeButtons() {
    if (buttons_.empty()) return;
    const int count = static_cast<int>(buttons_.size());
    const int perColumn = (count + columns_ - 1) / columns_;
    const int top = CaptionHeight() + 2;
    const int rowHeight = std::max((height_ - top - 4) / perColumn, 1);
    const int indent = ScaleValue(kButtonIndent);
    const int columnWidth = std::max((width_ - 2 * indent) / columns_, 1);
    const int buttonHeight = std::min(rowHeight, ScaleValue(kButtonHeight));
    for (int i = 0; i < count; ++i) {
        const int column = i / perColumn, row = i % perColumn;
        buttons_[static_cast<std::size_t>(i)]->SetBounds(
            indent + column * columnWidth, top + row * rowHeight + (rowHeight - buttonHeight) / 2,
            columnWidth, buttonHeight);
    }
}

} // namespace gui
