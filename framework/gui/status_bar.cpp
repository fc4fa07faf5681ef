#include "framework/gui/status_bar.h"

#include "framework/gui/common_controls.h"
#include "framework/gui/diagnostics.h"
#include "framework/gui/wide.h"
#include "framework/rtl/property_builders.h"

#include <commctrl.h>

#include <algorithm>

namespace gui {
namespace {

// The text of a panel as the status window takes it: tabs in front centre (one) or right-align (two) it.
std::wstring PanelText(const std::string& text, TAlignment alignment) {
    const std::wstring prefix = alignment == taCenter ? L"\t" : alignment == taRightJustify ? L"\t\t" : L"";
    return prefix + Wide(text);
}

WPARAM PanelDrawFlags(const TStatusPanel& panel) {
    WPARAM flags = 0;
    if (panel.Bevel() == pbNone) flags |= SBT_NOBORDERS;
    if (panel.Bevel() == pbRaised) flags |= SBT_POPOUT;
    if (panel.RightToLeft()) flags |= SBT_RTLREADING;
    return flags;
}

} // namespace

// ---- TStatusPanel ----

TStatusPanel::TStatusPanel(TComponent* owner) : TComponent(owner) {}

TStatusPanel::~TStatusPanel() {
    if (statusBar_) statusBar_->RemovePanel(this);
}

const rtl::TClassInfo& TStatusPanel::StaticClassInfo() {
    using namespace rtl;
    static const TClassInfo info{
        "TStatusPanel",
        &TComponent::StaticClassInfo(),
        {
            StringProperty("Text", &TStatusPanel::SetText, &TStatusPanel::Text),
            IntegerProperty("Width", &TStatusPanel::SetWidth, &TStatusPanel::Width),
            EnumProperty("Alignment", {"taLeftJustify", "taRightJustify", "taCenter"},
                         &TStatusPanel::SetAlignment, &TStatusPanel::Alignment),
            EnumProperty("Bevel", {"pbNone", "pbLowered", "pbRaised"}, &TStatusPanel::SetBevel,
                         &TStatusPanel::Bevel),
            BooleanProperty("RightToLeft", &TStatusPanel::SetRightToLeft, &TStatusPanel::RightToLeft),
        }};
    return info;
}

void TStatusPanel::SetText(const std::string& text) {
    text_ = text;
    Changed();
}

void TStatusPanel::SetWidth(int width) {
    width_ = std::max(width, 0);
    Changed();
}

void TStatusPanel::SetAlignment(TAlignment alignment) {
    alignment_ = alignment;
    Changed();
}

void TStatusPanel::SetBevel(TStatusPanelBevel bevel) {
    bevel_ = bevel;
    Changed();
}

void TStatusPanel::SetRightToLeft(bool value) {
    rightToLeft_ = value;
    Changed();
}

void TStatusPanel::Changed() {
    if (statusBar_) statusBar_->UpdatePanels();
}

// ---- TStatusBar ----

TStatusBar::TStatusBar(TComponent* owner) : TWinControl(owner) {
    width_ = 200;
    height_ = 19;
}

TStatusBar::~TStatusBar() {
    FollowParent(false);
    for (TStatusPanel* panel : panels_)
        panel->statusBar_ = nullptr;
}

const rtl::TClassInfo& TStatusBar::StaticClassInfo() {
    using namespace rtl;
    static const TClassInfo info{
        "TStatusBar",
        &TWinControl::StaticClassInfo(),
        {
            BooleanProperty("SimplePanel", &TStatusBar::SetSimplePanel, &TStatusBar::SimplePanel),
            StringProperty("SimpleText", &TStatusBar::SetSimpleText, &TStatusBar::SimpleText),
            BooleanProperty("SizeGrip", &TStatusBar::SetSizeGrip, &TStatusBar::SizeGrip),
        }};
    return info;
}

void TStatusBar::AddStoredChild(TComponent* child) {
    auto* panel = dynamic_cast<TStatusPanel*>(child);
    if (!panel) return TWinControl::AddStoredChild(child);
    panel->statusBar_ = this;
    panels_.push_back(panel);
    UpdatePanels();
}

TStatusPanel* TStatusBar::AddPanel(const std::string& text, int width) {
    auto* panel = new TStatusPanel(Owner() ? Owner() : this);
    panel->text_ = text;
    panel->width_ = width;
    AddStoredChild(panel);
    return panel;
}

void TStatusBar::RemovePanel(TStatusPanel* panel) {
    panels_.erase(std::remove(panels_.begin(), panels_.end(), panel), panels_.end());
    panel->statusBar_ = nullptr;
    UpdatePanels();
}

void TStatusBar::SetSimplePanel(bool value) {
    simplePanel_ = value;
    UpdatePanels();
}

void TStatusBar::SetSimpleText(const std::string& text) {
    simpleText_ = text;
    UpdatePanels();
}

void TStatusBar::SetSizeGrip(bool value) {
    if (value == sizeGrip_) return;
    sizeGrip_ = value;
    // The grip is a window style the control reads when it is created.
    if (handle_) {
        DestroyHandle();
        HandleNeeded();
    }
}

void TStatusBar::CreateParams(TCreateParams& params) {
    EnsureCommonControls(ICC_BAR_CLASSES);
    TWinControl::CreateParams(params);
    params.ClassName = STATUSCLASSNAMEW;
    params.SystemClass = true;
    params.Style |= CCS_BOTTOM;
    if (sizeGrip_) params.Style |= SBARS_SIZEGRIP;
    params.Style &= ~static_cast<DWORD>(WS_CLIPCHILDREN | WS_TABSTOP);
}

void TStatusBar::CreateWnd() {
    TWinControl::CreateWnd();
    UpdatePanels();
    FollowParent(true);
}

void TStatusBar::ChangeScale(int multiplier, int divider) {
    for (TStatusPanel* panel : panels_)
        panel->width_ = MulDiv(panel->width_, multiplier, divider);
    TWinControl::ChangeScale(multiplier, divider);
    UpdatePanels();
}

void TStatusBar::UpdatePanels() {
    if (!handle_) return;
    SendMessageW(handle_, SB_SIMPLE, simplePanel_ || panels_.empty(), 0);
    SendMessageW(handle_, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(Wide(simpleText_).c_str()));
    // Each part ends where its panel's width says: the last one does not reach the right edge by itself.
    std::vector<int> rightEdges;
    int right = 0;
    for (const TStatusPanel* panel : panels_)
        rightEdges.push_back(right += panel->Width());
    if (rightEdges.empty()) return;
    SendMessageW(handle_, SB_SETPARTS, rightEdges.size(), reinterpret_cast<LPARAM>(rightEdges.data()));
    for (std::size_t i = 0; i < panels_.size(); ++i) {
        const std::wstring text = PanelText(panels_[i]->Text(), panels_[i]->Alignment());
        SendMessageW(handle_, SB_SETTEXTW, i | PanelDrawFlags(*panels_[i]),
                     reinterpret_cast<LPARAM>(text.c_str()));
    }
}

void TStatusBar::FollowParent(bool on) {
    followed_.Remove();
    if (!on || !handle_) return;
    if (HWND parent = GetParent(handle_))
        followed_.Install(parent, TWndMethod::Of<&TStatusBar::ParentProc>(this));
    SendMessageW(handle_, WM_SIZE, 0, 0);
}

void TStatusBar::ParentProc(TMessage& message) {
    followed_.CallPrevious(message);
    // The status window places itself along its parent's bottom edge whenever it is told of a size change.
    if (message.Msg == WM_SIZE && handle_) SendMessageW(handle_, WM_SIZE, 0, 0);
}

void TStatusBar::WndProc(TMessage& message) {
    if (message.Msg == WM_NCDESTROY) FollowParent(false);
    TWinControl::WndProc(message);
    if (message.Msg == WM_WINDOWPOSCHANGED && handle_) {
        // The bounds are the ones the status window chose.
        RECT rect{};
        GetWindowRect(handle_, &rect);
        MapWindowPoints(nullptr, GetParent(handle_), reinterpret_cast<POINT*>(&rect), 2);
        left_ = rect.left;
        top_ = rect.top;
        width_ = rect.right - rect.left;
        height_ = rect.bottom - rect.top;
    }
}

} // namespace gui
