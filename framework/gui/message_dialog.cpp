#include "framework/gui/message_dialog.h"

#include "framework/gui/application.h"
#include "framework/gui/button.h"
#include "framework/gui/label.h"
#include "framework/gui/wide.h"

#include <algorithm>
#include <memory>

namespace gui {
namespace {

constexpr int kMargin = 12;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kMinTextWidth = 160;
constexpr int kMaxTextWidth = 400; // longer lines wrap

// The text's size in the dialog font; CR alone breaks lines as CR LF does.
SIZE MeasureText(TFont& font, const std::string& text) {
    const WindowDc screen(nullptr);
    const SelectedObject selected(screen.get(), font.Handle());
    const std::wstring wide = Wide(text);
    RECT rect{0, 0, ScaleForDpi(kMaxTextWidth, SystemDpi()), 0};
    DrawTextW(screen.get(), wide.c_str(), static_cast<int>(wide.size()), &rect,
              DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
    return SIZE{rect.right, rect.bottom};
}

} // namespace

TMessageForm::TMessageForm(TComponent* owner, const std::string& text) : TForm(owner) {
    SetBorderStyle(bsDialog);
    SetBorderIcons(biSystemMenu);
    SetPosition(poScreenCenter);
    SetText(Application ? Application->Title() : "");
    // Laid out at the screen's DPI from the start: the text is measured in the font it is shown in.
    SetPixelsPerInch(SystemDpi());
    const int margin = ScaleValue(kMargin);
    const int buttonWidth = ScaleValue(kButtonWidth);
    const int buttonHeight = ScaleValue(kButtonHeight);
    Font()->SetName("MS Shell Dlg");
    Font()->SetHeight(ScaleValue(-11));

    const SIZE textSize = MeasureText(*Font(), text);
    const int contentWidth = std::max<int>(textSize.cx, ScaleValue(kMinTextWidth));
    auto* label = new TLabel(this);
    label->SetName("Message");
    label->SetAutoSize(false);
    label->SetWordWrap(true);
    label->SetBounds(margin, margin, contentWidth, textSize.cy);
    label->SetCaption(text);
    label->SetParent(this);

    auto* ok = new TButton(this);
    ok->SetName("OK");
    ok->SetCaption("OK");
    ok->SetModalResult(mrOk);
    ok->SetDefault(true);
    ok->SetTabOrder(0);
    ok->SetBounds(margin + (contentWidth - buttonWidth) / 2, margin * 2 + textSize.cy, buttonWidth,
                  buttonHeight);
    ok->SetParent(this);

    SetClientWidth(contentWidth + 2 * margin);
    SetClientHeight(textSize.cy + buttonHeight + 3 * margin);
    HandleNeeded();
}

const rtl::TClassInfo& TMessageForm::StaticClassInfo() {
    static const rtl::TClassInfo info{"TMessageForm", &TForm::StaticClassInfo(), {}};
    return info;
}

void ShowMessage(const std::string& text) {
    const auto dialog = std::make_unique<TMessageForm>(Application, text);
    dialog->ShowModal();
}

} // namespace gui
