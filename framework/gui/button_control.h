// What check boxes and radio buttons share: a system BUTTON with a check state that the framework keeps, a
// side for the box, and the notifications whoever paints over them relies on.
#pragma once

#include "framework/gui/control.h"

namespace gui {

class TButtonControl : public TWinControl {
  public:
    explicit TButtonControl(TComponent* owner);
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    // Where the caption is: taRightJustify (the usual) puts it right of the box, taLeftJustify left of it.
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);

    void WndProc(TMessage& message) override;

  protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    // The user clicked the control (mouse or keyboard).
    virtual void Clicked() = 0;
    // The check state the window shows: BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE.
    virtual int CheckState() const = 0;
    // The window's style bits of the button kind.
    virtual DWORD ButtonStyle() const = 0;
    // Shows a changed check state and tells the message method (CM_CHECKSTATECHANGED, WParam the state).
    void CheckStateChanged();

  private:
    TAlignment alignment_ = taRightJustify;
};

} // namespace gui
