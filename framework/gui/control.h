// Controls: the visual components. TControl holds bounds, caption, colour, font and the replaceable message
// method; TWinControl owns a window; TCustomControl is a window of the framework's own class that paints
// itself; TGraphicControl has no window and is painted by its parent's.
#pragma once

#include "framework/gui/graphics.h"
#include "framework/gui/hooks.h"
#include "framework/gui/messages.h"
#include "framework/rtl/component.h"

#include <windows.h>

#include <string>
#include <vector>

namespace gui {

class TWinControl;

// Where text sits: left, right or centred (check boxes and radio buttons know only the first two: the
// side of the caption).
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
// The edge of its parent a control keeps to, across the parent's whole client width or height; alClient takes
// what the aligned controls leave.
enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

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
    TAlign Align() const { return align_; }
    void SetAlign(TAlign align);
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool enabled);
    // While ParentColor is on the control shows its parent's colour; setting Color turns it off.
    TColor Color() const;
    void SetColor(TColor colour);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool parentColor);
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

    // The dots per inch the control's lengths are given at: its form's (96 until the form is scaled).
    virtual int CurrentDpi() const;
    // A length designed at 96 DPI, at the control's CurrentDpi().
    int ScaleValue(int designLength) const;
    // Multiplies the control's lengths (bounds, font height) by multiplier / divider; containers scale
    // their children first, then lay them out again at their own new size. Forms call it when they take
    // another DPI.
    virtual void ChangeScale(int multiplier, int divider);

  protected:
    friend class TWinControl;
    friend class TMessageHook;
    // What the control does with a message nobody else answered.
    virtual void DefaultHandler(TMessage& message);
    virtual void FontChanged() {}
    // Scales the font's height (a pixel height: points are DPI-correct by themselves) and hands the new font
    // on.
    void ChangeFontScale(int multiplier, int divider);
    // The colour the control shows changed (its own, or its parent's while ParentColor is on).
    virtual void ColorChanged() { Invalidate(); }

    std::string text_;
    TWinControl* parent_ = nullptr;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = true;
    bool enabled_ = true;
    TAlign align_ = alNone;
    TColor color_ = rtl::clBtnFace;
    bool parentColor_ = true;
    bool parentFont_ = true;
    TFont font_;
    std::vector<TMessageHook*> hooks_; // installed on WindowProc, in installation order
};

// Parameters for creating a control's window.
struct TCreateParams {
    std::wstring ClassName; // a framework class, or a system class that is then subclassed
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
    // Containers take the controls stored inside them as children; other controls refuse them.
    void AddStoredChild(TComponent* child) override;

    HWND Handle(); // created on demand
    bool HandleAllocated() const { return handle_ != nullptr; }
    void HandleNeeded() { (void)Handle(); }
    void DestroyHandle();
    static TWinControl* FromHandle(HWND window); // the framework control of a window, if any

    const std::vector<TControl*>& Controls() const { return controls_; }
    int TabOrder() const { return tabOrder_; }
    void SetTabOrder(int order) { tabOrder_ = order; }
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool tabStop) { tabStop_ = tabStop; }
    // A double-buffered control paints (background and all) into a memory bitmap that reaches the screen in
    // one copy: its message method then sees WM_ERASEBKGND and WM_PAINT with that bitmap's DC in WParam.
    bool DoubleBuffered() const { return doubleBuffered_; }
    void SetDoubleBuffered(bool value) { doubleBuffered_ = value; }
    // The memory device context a double-buffered paint of this control is drawing into now, or null.
    HDC OffscreenDc() const noexcept { return bufferDc_; }
    // The visible, enabled window-less child at a client point (the topmost), if any.
    TControl* GraphicControlAt(POINT point) const;

    std::string GetText() const override;
    void SetText(const std::string& text) override;
    void SetBounds(int left, int top, int width, int height) override;
    void SetVisible(bool visible) override;
    void SetEnabled(bool enabled) override;
    void Invalidate() override;
    bool Focused() const;
    void SetFocus();
    // Places the aligned children along the client area's edges (top, bottom, left, right, then the
    // client-aligned ones in what is left) and hands the rest to AlignClientArea.
    void Realign();
    void ChangeScale(int multiplier, int divider) override;

    void WndProc(TMessage& message) override;

    // Entry point of every framework window procedure.
    static LRESULT CALLBACK StandardWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

  protected:
    friend class TControl;
    virtual void CreateParams(TCreateParams& params);
    virtual void CreateWnd();
    // Makes the window itself (CreateWindowEx); an MDI child asks its MDI client instead.
    virtual HWND CreateWindowHandle(const TCreateParams& params);
    void CreateChildHandles();
    void ChangeChildrenScale(int multiplier, int divider);
    void DefaultHandler(TMessage& message) override;
    void FontChanged() override;
    void ColorChanged() override;
    // The double-buffered paint and the erase it makes unnecessary; true when the message was answered.
    bool PaintDoubleBuffered(TMessage& message);
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    // Paints the window-less children onto dc.
    void PaintControls(HDC dc);
    // The part of the client area the aligned children left (an MDI frame's client window fills it).
    virtual void AlignClientArea(const RECT&) {}

    HWND handle_ = nullptr;
    WNDPROC defWndProc_ = nullptr;
    std::vector<TControl*> controls_;
    int tabOrder_ = 0;
    bool tabStop_ = false;
    bool doubleBuffered_ = false;
    bool acceptsControls_ = false; // stored controls may be placed inside
    UniqueBrush ctlColorBrush_;    // the background brush handed out for Color, when it is no system colour
    TColor ctlColorBrushColour_ = 0;

    // Answers a control's WM_CTLCOLOR* with its Color and font colour.
    void CnCtlColor(TMessage& message);

  private:
    void WmNcDestroy(TMessage& message);
    void WmMouseMove(TMessage& message);
    void WmMouseLeave(TMessage& message);
    // Delivers a client-area mouse message to the window-less child under the mouse (or the one that holds
    // the mouse since a press); true when one took it.
    bool RouteMouseToGraphic(TMessage& message);
    void SetHotGraphic(TControl* control);
    void ReflectToChild(TMessage& message, HWND child);

    HDC bufferDc_ = nullptr;             // the memory DC of the double-buffered paint under way
    bool mouseInside_ = false;           // CM_MOUSEENTER sent, WM_MOUSELEAVE awaited
    TControl* hotGraphic_ = nullptr;     // the window-less child the mouse is over
    TControl* captureGraphic_ = nullptr; // the window-less child pressed, which gets the mouse until release
};

// A window of the framework's own class that paints itself: its background in Color, then Paint, then its
// window-less children.
class TCustomControl : public TWinControl {
  public:
    explicit TCustomControl(TComponent* owner) : TWinControl(owner) {}
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    void WndProc(TMessage& message) override;

  protected:
    virtual void Paint(HDC dc) = 0;

  private:
    void WmPaint(TMessage& message);
};

// A control without a window: its parent delivers WM_PAINT (with a DC in WParam) to its message method.
class TGraphicControl : public TControl {
  public:
    explicit TGraphicControl(TComponent* owner) : TControl(owner) {}
    // The message method gets CM_GRAPHICDESTROYING first.
    ~TGraphicControl() override;
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    void WndProc(TMessage& message) override;

  protected:
    virtual void Paint(HDC dc) = 0;
};

} // namespace gui
