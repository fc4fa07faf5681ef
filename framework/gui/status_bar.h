// A status bar: the common controls' status window along its parent's bottom edge, showing panels of text
// side by side or one simple text, with a size grip in its bottom-right corner.
#pragma once

#include "framework/gui/control.h"
#include "framework/gui/subclass.h"

#include <string>
#include <vector>

namespace gui {

enum TStatusPanelBevel { pbNone, pbLowered, pbRaised };

class TStatusBar;

// One panel of a status bar; stored inside its status bar.
class TStatusPanel : public rtl::TComponent {
  public:
    explicit TStatusPanel(TComponent* owner);
    ~TStatusPanel() override;
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    std::string Text() const { return text_; }
    void SetText(const std::string& text);
    int Width() const { return width_; }
    void SetWidth(int width);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);
    TStatusPanelBevel Bevel() const { return bevel_; }
    void SetBevel(TStatusPanelBevel bevel);
    // Text read right to left.
    bool RightToLeft() const { return rightToLeft_; }
    void SetRightToLeft(bool value);

    TStatusBar* StatusBar() const { return statusBar_; }

  private:
    friend class TStatusBar;
    void Changed();

    TStatusBar* statusBar_ = nullptr;
    std::string text_;
    int width_ = 50;
    TAlignment alignment_ = taLeftJustify;
    TStatusPanelBevel bevel_ = pbLowered;
    bool rightToLeft_ = false;
};

class TStatusBar : public TWinControl {
  public:
    explicit TStatusBar(TComponent* owner);
    ~TStatusBar() override;
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    void AddStoredChild(TComponent* child) override;

    const std::vector<TStatusPanel*>& Panels() const { return panels_; }
    // A new panel at the end, owned by the status bar's owner.
    TStatusPanel* AddPanel(const std::string& text, int width);
    void RemovePanel(TStatusPanel* panel);
    // The panels' widths scale with the bar.
    void ChangeScale(int multiplier, int divider) override;

    // One text over the whole bar instead of the panels.
    bool SimplePanel() const { return simplePanel_; }
    void SetSimplePanel(bool value);
    std::string SimpleText() const { return simpleText_; }
    void SetSimpleText(const std::string& text);
    bool SizeGrip() const { return sizeGrip_; }
    void SetSizeGrip(bool value);

    void WndProc(TMessage& message) override;

  protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;

  private:
    friend class TStatusPanel;
    void UpdatePanels();
    void FollowParent(bool on);
    void ParentProc(TMessage& message);

    std::vector<TStatusPanel*> panels_;
    bool simplePanel_ = false;
    std::string simpleText_;
    bool sizeGrip_ = true;
    TWindowSubclass followed_; // on the parent window, whose size changes move the bar
};

} // namespace gui
