// Controls: the visual components. TControl holds bounds, caption, colour, font and the replaceable message
// method; TWinControl owns a window; TGraphicControl is painted by its parent's window.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "framework/gui/graphics.h"
#include "framework/gui/hooks.h"
#include "framework/gui/messages.h"
#include "framework/rtl/component.h"

namespace gui {

class TWinControl;

class TControl : public rtl::TComponent {
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    void AddStoredChild(TComponent* child) override;

    TWinControl* Parent() const { return parent_; }
    virtual void SetParent(TWinControl* parent);

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int left) { SetBounds(left, top_, width_, height_); }
    void SetTop(int top) { SetBounds(left_, top, width_, height_); }
    void SetWidth(int width) { SetBounds(left_, top_, width, height_); }
    void SetHeight(int height) { SetBounds(left_, top_, width_, height); }
    virtual void SetBounds(int left, int top, int width, int height);
    RECT BoundsRect() const { return RECT{left_, top_, left_ + width_, top_ + height_}; }
    virtual RECT ClientRect() const { return RECT{0, 0, width_, height_}; }

    // Caption and Text are the same text (window text for windowed controls).
    std::string Caption() const { return GetText(); }
    void SetCaption(const std::string& text) { SetText(text); }
    virtual std::string GetText() const { return text_; }
    virtual void SetText(const std::string& text);

    bool Visible() const { return visible_; }
    virtual void SetVisible(bool visible);
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool enabled);
    TColor Color() const { return color_; }
    virtual void SetColor(TColor colour);
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool parentFont);
    TFont* Font() { return &font_; }
    // The font the control draws with: its parent's while ParentFont is on.
    TFont* EffectiveFont();
    TFont* FontForStorage();
    int TagValue() const { return Tag(); }
    void SetTagValue(int tag) { SetTag(tag); }

    // The replaceable message method; WndProc is what it starts as. Replace it through a TMessageHook so
    // that it can be given back in any order.
    TWndMethod WindowProc;
    LRESULT Perform(UINT msg, WPARAM wParam, LPARAM lParam);
    virtual void WndProc(TMessage& message);

    virtual void Invalidate();
    virtual void Click();
    rtl::TNotifyEvent OnClick;

protected:
    friend class TWinControl;
    friend class TMessageHook;
    // What the control does with a message nobody else answered.
    virtual void DefaultHandler(TMessage& message);
    virtual void FontChanged() {}

    std::string text_;
    TWinControl* parent_ = nullptr;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = true;
    bool enabled_ = true;
    TColor color_ = rtl::clBtnFace;
    bool parentFont_ = true;
    TFont font_;
    std::vector<TMessageHook*> hooks_; // installed on WindowProc, in installation order
};

// Parameters for creating a control's window.
struct TCreateParams {
    std::wstring ClassName;        // a framework class, or a system class that is then subclassed
    bool SystemClass = false;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int X = 0, Y = 0, Width = 0, Height = 0;
    HWND WndParent = nullptr;
    HMENU MenuOrId = nullptr;
};

class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    HWND Handle();                                  // created on demand
    bool HandleAllocated() const { return handle_ != nullptr; }
    void HandleNeeded() { (void)Handle(); }
    void DestroyHandle();
    static TWinControl* FromHandle(HWND window);    // the framework control of a window, if any

    const std::vector<TControl*>& Controls() const { return controls_; }
    int TabOrder() const { return tabOrder_; }
    void SetTabOrder(int order) { tabOrder_ = order; }
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool tabStop) { tabStop_ = tabStop; }
    bool DoubleBuffered() const { return doubleBuffered_; }
    void SetDoubleBuffered(bool value) { doubleBuffered_ = value; }

    std::string GetText() const override;
    void SetText(const std::string& text) override;
    void SetBounds(int left, int top, int width, int height) override;
    void SetVisible(bool visible) override;
    void SetEnabled(bool enabled) override;
    void Invalidate() override;
    bool Focused() const;
    void SetFocus();

    void WndProc(TMessage& message) override;

    // Entry point of every framework window procedure.
    static LRESULT CALLBACK StandardWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

protected:
    friend class TControl;
    virtual void CreateParams(TCreateParams& params);
    virtual void CreateWnd();
    void CreateChildHandles();
    void DefaultHandler(TMessage& message) override;
    void FontChanged() override;
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    // Paints the window-less children onto dc.
    void PaintControls(HDC dc);

    HWND handle_ = nullptr;
    WNDPROC defWndProc_ = nullptr;
    std::vector<TControl*> controls_;
    int tabOrder_ = 0;
    bool tabStop_ = false;
    bool doubleBuffered_ = false;
    UniqueBrush ctlColorBrush_; // the background brush handed out for Color, when it is no system colour
    TColor ctlColorBrushColour_ = 0;

private:
    void CnCtlColor(TMessage& message);
    void WmNcDestroy(TMessage& message);
    void ReflectToChild(TMessage& message, HWND child);
};

// A control without a window: its parent delivers WM_PAINT (with a DC in WParam) to its message method.
class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* owner) : TControl(owner) {}
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    void WndProc(TMessage& message) override;

protected:
    virtual void Paint(HDC dc) = 0;
};

} // namespace gui
