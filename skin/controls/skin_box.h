// TSkinBox: panels, group boxes and similar containers take the skin's button face colour while skinned;
// the box paints nothing of its own and its message handling stays as it is.
#pragma once

#include "skin/controls/skin_control.h"

namespace skin {

class TSkinBox : public TSkinControl {
  public:
    using TSkinControl::TSkinControl;
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    void Attach(gui::TWinControl& control, TSkinData& skinData, bool useSkinColour,
                gui::TCanvas& canvas) override;
    void Detach() override;
};

} // namespace skin
