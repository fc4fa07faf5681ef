#include "framework/gui/hooks.h"

#include "framework/gui/control.h"

#include <algorithm>

namespace gui {

void TMessageHook::Install(TControl& control, TWndMethod handler) {
    Remove();
    control_ = &control;
    handler_ = handler;
    previous_ = control.WindowProc;
    control.WindowProc = handler;
    control.hooks_.push_back(this);
}

void TMessageHook::Remove() noexcept {
    if (!control_) return;
    TControl& control = *control_;
    auto& hooks = control.hooks_;
    const auto self = std::find(hooks.begin(), hooks.end(), this);
    if (control.WindowProc == handler_) {
        control.WindowProc = previous_;
    } else if (self != hooks.end()) {
        // Someone above us still passes messages to our handler: let it pass them to what we replaced.
        for (auto above = self + 1; above != hooks.end(); ++above) {
            if ((*above)->previous_ == handler_) {
                (*above)->previous_ = previous_;
                break;
            }
        }
    }
    if (self != hooks.end()) hooks.erase(self);
    control_ = nullptr;
}

} // namespace gui
