// Replacing a control's message method and giving it back. Several hooks may sit on one control (a form
// skinning object, a control skinning object, a test); each remembers the method it replaced. Giving a hook
// back restores that method only while the hook is still the one installed; otherwise the hook is unlinked
// from the chain, so the hook above it now passes messages to what this one had replaced. Removal in any
// order, from inside the hook's own handler, and while the control is being destroyed is safe.
#pragma once

#include "framework/gui/messages.h"

namespace gui {

class TControl;

class TMessageHook {
  public:
    TMessageHook() noexcept = default;
    TMessageHook(const TMessageHook&) = delete;
    TMessageHook& operator=(const TMessageHook&) = delete;
    ~TMessageHook() { Remove(); }

    // Makes handler the control's message method. A hook installed elsewhere is removed first.
    void Install(TControl& control, TWndMethod handler);
    // Gives the control its previous method back (or unlinks this hook); nothing when not installed.
    void Remove() noexcept;

    bool Installed() const noexcept { return control_ != nullptr; }
    TControl* Control() const noexcept { return control_; }
    // The method this hook passes unhandled messages to.
    const TWndMethod& Previous() const noexcept { return previous_; }
    void CallPrevious(TMessage& message) const {
        if (previous_) previous_(message);
    }

  private:
    friend class TControl;
    // The control is going away: its hooks have nothing left to give back.
    void ControlDestroyed() noexcept { control_ = nullptr; }

    TControl* control_ = nullptr;
    TWndMethod handler_;
    TWndMethod previous_;
};

} // namespace gui
