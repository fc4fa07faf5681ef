#include "skin/controls/skin_box.h"

#include "skin/component/skin_data.h"

namespace skin {

const rtl::TClassInfo& TSkinBox::StaticClassInfo() {
    static const rtl::TClassInfo info{"TSkinBox", &TSkinControl::StaticClassInfo(), {}};
    return info;
}

void TSkinBox::Attach(gui::TWinControl& control, TSkinData& skinData, bool useSkinColour,
                      gui::TCanvas& canvas) {
    if (Attached) return;
    BindControl(control, skinData, useSkinColour, canvas);
    if (ISkinControlHost* host = Host()) host->RegisterControlObject(this);
    TakeSkinColour();
    Attached = true;
}

void TSkinBox::Detach() {
    // No hook to give back: only the colour, unless the box is gone or its form is closing.
    if (!Attached) return;
    Attached = false;
    const ISkinControlHost* host = Host();
    const bool closing = host && host->SkinPhase() == kPhaseClosing;
    if (UseSkinColour && Control && !closing && Handle && IsWindow(Handle)) Control->SetColor(SavedColour);
}

} // namespace skin
