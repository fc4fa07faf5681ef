// A list of texts to choose one from: the system LISTBOX, subclassed.
#pragma once

#include "framework/gui/control.h"
#include "framework/gui/memo.h"

#include <string>
#include <vector>

namespace gui {

class TListBox : public TWinControl {
  public:
    explicit TListBox(TComponent* owner);
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    std::vector<std::string> Items() const { return items_; }
    void SetItems(const std::vector<std::string>& items);
    // The selected item, -1 for none; a click that selects another item calls OnClick.
    int ItemIndex() const;
    void SetItemIndex(int index);
    // The window's scroll bars: a vertical one by default; a horizontal one scrolls items wider than the box.
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle scrollBars);

    void WndProc(TMessage& message) override;

  protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;

  private:
    void UpdateHorizontalExtent();

    std::vector<std::string> items_;
    int itemIndex_ = -1;
    TScrollStyle scrollBars_ = ssVertical;
};

} // namespace gui
