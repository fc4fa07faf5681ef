// Tab strips of the common controls (SysTabControl32): TCustomTabControl holds the strip, its position and
// the selected tab; TTabControl publishes it with the tabs as a string list.
#pragma once

#include "framework/gui/control.h"

#include <string>
#include <vector>

namespace gui {

enum TTabPosition { tpTop, tpBottom, tpLeft, tpRight };

class TCustomTabControl : public TWinControl {
  public:
    explicit TCustomTabControl(TComponent* owner);
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TTabPosition TabPosition() const { return tabPosition_; }
    void SetTabPosition(TTabPosition position);
    // Tabs wrap into rows instead of scrolling; tabs at the left or right always wrap.
    bool MultiLine() const { return multiLine_; }
    void SetMultiLine(bool multiLine);
    // The selected tab, -1 for none. Selecting from code does not call OnChange; a click does.
    int TabIndex() const;
    void SetTabIndex(int index);
    // The area inside the strip and the border, in client coordinates.
    RECT DisplayRect();

    void WndProc(TMessage& message) override;
    rtl::TNotifyEvent OnChange;

  protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void SetTabTexts(const std::vector<std::string>& texts);
    const std::vector<std::string>& TabTexts() const { return tabs_; }
    // The selection changed by the user (the tab index is already the new one).
    virtual void Change();
    // The window was resized or its strip changed.
    virtual void Realign() {}

  private:
    void FillTabs();
    void Recreate();

    std::vector<std::string> tabs_;
    TTabPosition tabPosition_ = tpTop;
    bool multiLine_ = false;
    int tabIndex_ = -1;
};

class TTabControl : public TCustomTabControl {
  public:
    explicit TTabControl(TComponent* owner) : TCustomTabControl(owner) {}
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    std::vector<std::string> Tabs() const { return TabTexts(); }
    void SetTabs(const std::vector<std::string>& tabs) { SetTabTexts(tabs); }
};

} // namespace gui
