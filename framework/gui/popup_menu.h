// Popup (context) menus: shown at a screen point, the chosen item's click run before Popup returns.
#pragma once

#include "framework/gui/menus.h"

#include <vector>

namespace gui {

class TPopupMenu : public TMenu {
  public:
    explicit TPopupMenu(TComponent* owner) : TMenu(owner) {}
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    // Runs OnPopup, shows the menu with its top-left corner at the screen point (x, y) (top-right for a
    // right-to-left menu) and returns once it has closed, after the chosen item's click.
    virtual void Popup(int x, int y);
    // The point of the last Popup.
    POINT PopupPoint() const { return popupPoint_; }
    // Whoever asked for the menu (a control, a form skinning object); set by the caller, not owned.
    rtl::TComponent* PopupComponent = nullptr;

    rtl::TNotifyEvent OnPopup;

  protected:
    HMENU CreateMenuHandle() override { return CreatePopupMenu(); }
    virtual void DoPopup() {
        if (OnPopup) OnPopup(this);
    }

  private:
    POINT popupPoint_{0, 0};
};

// The popup menus among owner's components, in their order.
std::vector<TPopupMenu*> PopupMenusOf(const rtl::TComponent& owner);

} // namespace gui
