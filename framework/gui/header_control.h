// A row of column titles: the common controls' header window, its sections given as "Text=Width" lines in
// stored form data. Sections are buttons: a click runs OnSectionClick, and the section held down by the mouse
// is the pressed section until the button is released.
#pragma once

#include "framework/gui/control.h"

#include <string>
#include <vector>

namespace gui {

struct THeaderSection {
    std::string Text;
    int Width = 0;
};

class THeaderControl : public TWinControl {
  public:
    explicit THeaderControl(TComponent* owner);
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    const std::vector<THeaderSection>& Sections() const { return sections_; }
    void SetSections(const std::vector<THeaderSection>& sections);
    void SetSectionLines(const std::vector<std::string>& lines);
    // The sections' widths scale with the control.
    void ChangeScale(int multiplier, int divider) override;
    // The section the left button is held down on, -1 for none.
    int PressedSection() const { return pressedSection_; }
    // The section of the last click, -1 before the first.
    int ClickedSection() const { return clickedSection_; }
    rtl::TNotifyEvent OnSectionClick;

    void WndProc(TMessage& message) override;

  protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;

  private:
    void FillSections();
    int SectionAt(LPARAM point) const;

    std::vector<THeaderSection> sections_;
    int pressedSection_ = -1;
    int clickedSection_ = -1;
};

// "Caption=Width" into its two parts; a line without "=" or without a number gets defaultWidth.
std::pair<std::string, int> SplitCaptionWidth(const std::string& line, int defaultWidth);

} // namespace gui
