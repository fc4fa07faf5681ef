// A list of texts to choose one from: the system LISTBOX, subclassed.
#pragma once

#include <string>
#include <vector>

#include "framework/gui/control.h"

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

    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;

private:
    std::vector<std::string> items_;
    int itemIndex_ = -1;
};

} // namespace gui
