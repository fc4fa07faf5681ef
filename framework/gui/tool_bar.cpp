#include "framework/gui/tool_bar.h"

#include "framework/gui/common_controls.h"
#include "framework/gui/wide.h"
#include "framework/rtl/property_builders.h"

#include <commctrl.h>

#include <algorithm>

namespace gui {
namespace {

// Command identifiers of the buttons: their index plus this.
constexpr int kFirstButtonId = 1;
// A separator's width, in pixels.
constexpr int kSeparatorWidth = 8;

} // namespace

// ---- TToolButton ----

TToolButton::TToolButton(TComponent* owner) : TComponent(owner) {}

TToolButton::~TToolButton() {
    if (toolBar_) toolBar_->RemoveButton(this);
}

const rtl::TClassInfo& TToolButton::StaticClassInfo() {
    using namespace rtl;
    static const TClassInfo info{
        "TToolButton",
        &TComponent::StaticClassInfo(),
        {
            StringProperty("Caption", &TToolButton::SetCaption, &TToolButton::Caption),
            IntegerProperty("ImageIndex", &TToolButton::SetImageIndex, &TToolButton::ImageIndex),
            EnumProperty("Style", {"tbsButton", "tbsSeparator"}, &TToolButton::SetStyle, &TToolButton::Style),
            EventProperty("OnClick", &TToolButton::OnClick),
        }};
    return info;
}

void TToolButton::SetCaption(const std::string& caption) {
    caption_ = caption;
    Changed();
}

void TToolButton::SetImageIndex(int index) {
    imageIndex_ = index;
    Changed();
}

void TToolButton::SetStyle(TToolButtonStyle style) {
    style_ = style;
    Changed();
}

void TToolButton::Click() {
    if (OnClick) OnClick(this);
}

void TToolButton::Changed() {
    if (toolBar_) toolBar_->UpdateButtons();
}

// ---- TToolBar ----

TToolBar::TToolBar(TComponent* owner) : TWinControl(owner) {
    width_ = 150;
    height_ = 29;
}

TToolBar::~TToolBar() {
    for (TToolButton* button : buttons_)
        button->toolBar_ = nullptr;
}

const rtl::TClassInfo& TToolBar::StaticClassInfo() {
    using namespace rtl;
    static const TClassInfo info{
        "TToolBar",
        &TWinControl::StaticClassInfo(),
        {
            BooleanProperty("Flat", &TToolBar::SetFlat, &TToolBar::Flat),
            StringProperty("ImageResource", &TToolBar::SetImageResource, &TToolBar::ImageResource),
            IntegerProperty("ImageWidth", &TToolBar::SetImageWidth, &TToolBar::ImageWidth),
        }};
    return info;
}

void TToolBar::AddStoredChild(TComponent* child) {
    auto* button = dynamic_cast<TToolButton*>(child);
    if (!button) return TWinControl::AddStoredChild(child);
    button->toolBar_ = this;
    buttons_.push_back(button);
    UpdateButtons();
}

void TToolBar::RemoveButton(TToolButton* button) {
    buttons_.erase(std::remove(buttons_.begin(), buttons_.end(), button), buttons_.end());
    button->toolBar_ = nullptr;
    UpdateButtons();
}

void TToolBar::SetFlat(bool value) {
    if (value == flat_) return;
    flat_ = value;
    // The flat look is a window style the control reads when it is created.
    if (handle_) {
        DestroyHandle();
        HandleNeeded();
    }
}

void TToolBar::SetImageResource(const std::string& name) {
    imageResource_ = name;
    LoadImages();
}

void TToolBar::SetImageWidth(int width) {
    imageWidth_ = std::max(width, 1);
    LoadImages();
}

void TToolBar::LoadImages() {
    if (imageResource_.empty()) {
        images_.Clear();
    } else {
        images_.LoadFromResource(Wide(imageResource_), imageWidth_, CLR_DEFAULT);
    }
    if (handle_) {
        SendMessageW(handle_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_.Handle()));
        UpdateButtons();
    }
}

void TToolBar::CreateParams(TCreateParams& params) {
    EnsureCommonControls(ICC_BAR_CLASSES);
    TWinControl::CreateParams(params);
    params.ClassName = TOOLBARCLASSNAMEW;
    params.SystemClass = true;
    // The framework places the bar: the window neither docks nor sizes itself.
    params.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER | TBSTYLE_LIST | TBSTYLE_TOOLTIPS;
    params.Style &= ~static_cast<DWORD>(WS_CLIPCHILDREN | WS_TABSTOP);
    if (flat_) params.Style |= TBSTYLE_FLAT | TBSTYLE_TRANSPARENT;
}

void TToolBar::CreateWnd() {
    TWinControl::CreateWnd();
    SendMessageW(handle_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(handle_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_.Handle()));
    UpdateButtons();
}

void TToolBar::UpdateButtons() {
    if (!handle_) return;
    while (SendMessageW(handle_, TB_BUTTONCOUNT, 0, 0) > 0)
        SendMessageW(handle_, TB_DELETEBUTTON, 0, 0);
    std::vector<std::wstring> captions;
    captions.reserve(buttons_.size());
    std::vector<TBBUTTON> items;
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        const TToolButton& button = *buttons_[i];
        captions.push_back(Wide(button.Caption()));
        TBBUTTON item{};
        const int image = button.ImageIndex() >= 0 ? button.ImageIndex() : I_IMAGENONE;
        item.iBitmap = button.Style() == tbsSeparator ? kSeparatorWidth : image;
        item.idCommand = kFirstButtonId + static_cast<int>(i);
        item.fsState = TBSTATE_ENABLED;
        item.fsStyle =
            static_cast<BYTE>(button.Style() == tbsSeparator ? BTNS_SEP : BTNS_BUTTON | BTNS_AUTOSIZE);
        item.iString = captions.back().empty() || button.Style() == tbsSeparator
                           ? -1
                           : reinterpret_cast<INT_PTR>(captions.back().c_str());
        items.push_back(item);
    }
    if (!items.empty())
        SendMessageW(handle_, TB_ADDBUTTONSW, items.size(), reinterpret_cast<LPARAM>(items.data()));
    SendMessageW(handle_, TB_AUTOSIZE, 0, 0);
}

void TToolBar::WndProc(TMessage& message) {
    if (message.Msg == CN_COMMAND) {
        const std::size_t index = static_cast<std::size_t>(LOWORD(message.WParam) - kFirstButtonId);
        message.Result = 0;
        if (index < buttons_.size()) buttons_[index]->Click();
        return;
    }
    TWinControl::WndProc(message);
}

} // namespace gui
