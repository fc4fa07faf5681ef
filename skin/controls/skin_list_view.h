// TSkinListView: a list view's window scroll bars (as TSkinScrollBar, the list tracking its own thumb) and
// its column header, skinned by a TSkinHeader of its own.
#pragma once

#include "skin/controls/skin_scroll_bar.h"

namespace skin {

class TSkinHeader;

class TSkinListView : public TSkinScrollBar {
  public:
    using TSkinScrollBar::TSkinScrollBar;
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    // The bars as AttachScrollBars with handleDrag false, then the header window, when the list has one.
    void Attach(gui::TWinControl& control, TSkinData& skinData, bool handleDrag,
                gui::TCanvas& canvas) override;

    TSkinHeader* Header = nullptr; // owned by the form skinning object
};

} // namespace skin
