#include "skin/controls/skin_sizer.h"

namespace skin {

const rtl::TClassInfo& TSkinSizer::StaticClassInfo() {
    static const rtl::TClassInfo info{"TSkinSizer", &TSkinControl::StaticClassInfo(), {}};
    return info;
}

bool TSkinSizer::BeforeMessage(gui::TMessage& message) {
    switch (message.Msg) {
    case WM_PAINT:
        // Nothing is drawn, but the update region is validated, or the system would ask again at once.
        ValidateRect(Handle, nullptr);
        message.Result = 0;
        return false;
    case WM_ERASEBKGND:
        message.Result = 1;
        return false;
    default:
        return true;
    }
}

} // namespace skin
