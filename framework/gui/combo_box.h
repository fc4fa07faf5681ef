// A combo box: the system COMBOBOX, subclassed, as a drop-down (editable), a drop-down list (choose only) or
// a simple one (list always shown).
#pragma once

#include "framework/gui/control.h"

#include <string>
#include <vector>

namespace gui {

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList };

class TComboBox : public TWinControl {
  public:
    explicit TComboBox(TComponent* owner);
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TComboBoxStyle Style() const { return style_; }
    void SetStyle(TComboBoxStyle style) { style_ = style; }
    std::vector<std::string> Items() const { return items_; }
    void SetItems(const std::vector<std::string>& items);
    int ItemIndex() const;
    void SetItemIndex(int index);
    // How many items the dropped-down list shows.
    int DropDownCount() const { return dropDownCount_; }
    void SetDropDownCount(int count) { dropDownCount_ = count; }
    // Height is the height of the closed box; the window of a drop-down style also holds the list.
    void SetBounds(int left, int top, int width, int height) override;
    rtl::TNotifyEvent OnChange;

    void WndProc(TMessage& message) override;

  protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;

  private:
    int WindowHeight() const;

    TComboBoxStyle style_ = csDropDown;
    std::vector<std::string> items_;
    int itemIndex_ = -1;
    int dropDownCount_ = 8;
};

} // namespace gui
