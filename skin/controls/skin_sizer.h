// TSkinSizer: the size grip scroll bars of dialogs skinned after they were made paint nothing while skinned,
// so the system's grip never shows through the skin.
#pragma once

#include "skin/controls/skin_control.h"

namespace skin {

class TSkinSizer : public TSkinControl {
  public:
    using TSkinControl::TSkinControl;
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    bool BeforeMessage(gui::TMessage& message) override;
};

} // namespace skin
