// Group boxes: an etched frame with the caption in its top edge around the controls inside. TRadioGroup fills
// itself with one radio button per item.
#pragma once

#include "framework/gui/control.h"
#include "framework/gui/radio_button.h"

#include <string>
#include <vector>

namespace gui {

class TGroupBox : public TCustomControl {
  public:
    explicit TGroupBox(TComponent* owner);
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  protected:
    void Paint(HDC dc) override;
    // The caption's height in the control's font.
    int CaptionHeight();
};

class TRadioGroup : public TGroupBox {
  public:
    explicit TRadioGroup(TComponent* owner);
    ~TRadioGroup() override;
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    std::vector<std::string> Items() const { return items_; }
    void SetItems(const std::vector<std::string>& items);
    // The checked item, -1 for none.
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int index);
    int Columns() const { return columns_; }
    void SetColumns(int columns);
    // The radio buttons of the items, in item order (owned by the group).
    const std::vector<TRadioButton*>& Buttons() const { return buttons_; }

    void SetBounds(int left, int top, int width, int height) override;

  private:
    void ArrangeButtons();

    std::vector<std::string> items_;
    std::vector<TRadioButton*> buttons_;
    int itemIndex_ = -1;
    int columns_ = 1;
};

} // namespace gui
