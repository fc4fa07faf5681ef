// A list of items in columns: the common controls' list view in its report style, with a column header.
// Stored form data gives the columns as "Caption=Width" lines and the items as lines whose sub-items follow
// the caption after "|" ("Readme.txt|12 KB|Text").
#pragma once

#include "framework/gui/control.h"

#include <string>
#include <vector>

namespace gui {

struct TListColumn {
    std::string Caption;
    int Width = 0;
};

struct TListItem {
    std::string Caption;
    std::vector<std::string> SubItems;
};

class TListView : public TWinControl {
  public:
    explicit TListView(TComponent* owner);
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    const std::vector<TListColumn>& Columns() const { return columns_; }
    void SetColumns(const std::vector<TListColumn>& columns);
    const std::vector<TListItem>& Items() const { return items_; }
    void SetItems(const std::vector<TListItem>& items);
    void AddItem(const TListItem& item);
    // The header window of the columns, or null before the list has a window.
    HWND HeaderWindow() const;

    // The stored forms' line formats.
    void SetColumnLines(const std::vector<std::string>& lines);
    // The columns' widths scale with the control.
    void ChangeScale(int multiplier, int divider) override;
    void SetItemLines(const std::vector<std::string>& lines);

  protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;

  private:
    void FillColumns();
    void FillItems();
    void InsertItem(int index, const TListItem& item);

    std::vector<TListColumn> columns_;
    std::vector<TListItem> items_;
};

} // namespace gui
