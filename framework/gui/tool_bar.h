// A tool bar: the common controls' tool bar window with a row of buttons, each with a caption and an image
// of the bar's image list; Flat shows the buttons without edges until the mouse is over them.
#pragma once

#include "framework/gui/control.h"
#include "framework/gui/image_list.h"

#include <string>
#include <vector>

namespace gui {

class TToolBar;

enum TToolButtonStyle { tbsButton, tbsSeparator };

// One button of a tool bar; stored inside its tool bar.
class TToolButton : public rtl::TComponent {
  public:
    explicit TToolButton(TComponent* owner);
    ~TToolButton() override;
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    std::string Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    // The image of the tool bar's list, -1 for none.
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index);
    TToolButtonStyle Style() const { return style_; }
    void SetStyle(TToolButtonStyle style);
    TToolBar* ToolBar() const { return toolBar_; }

    rtl::TNotifyEvent OnClick;
    void Click();

  private:
    friend class TToolBar;
    void Changed();

    TToolBar* toolBar_ = nullptr;
    std::string caption_;
    int imageIndex_ = -1;
    TToolButtonStyle style_ = tbsButton;
};

class TToolBar : public TWinControl {
  public:
    explicit TToolBar(TComponent* owner);
    ~TToolBar() override;
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    void AddStoredChild(TComponent* child) override;

    const std::vector<TToolButton*>& Buttons() const { return buttons_; }
    void RemoveButton(TToolButton* button);
    bool Flat() const { return flat_; }
    void SetFlat(bool value);
    // The button images: a bitmap resource of the program cut into cells ImageWidth pixels wide (the colour
    // of its top-left pixel transparent).
    std::string ImageResource() const { return imageResource_; }
    void SetImageResource(const std::string& name);
    int ImageWidth() const { return imageWidth_; }
    void SetImageWidth(int width);
    const TImageList& Images() const { return images_; }

    void WndProc(TMessage& message) override;

  protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;

  private:
    friend class TToolButton;
    void LoadImages();
    void UpdateButtons();

    std::vector<TToolButton*> buttons_;
    bool flat_ = false;
    std::string imageResource_;
    int imageWidth_ = 16;
    TImageList images_;
};

} // namespace gui
