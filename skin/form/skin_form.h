// TWinSkinForm: the skinning object of one top-level window. It takes over the window's procedure (and the
// message method of a framework form), answers the non-client messages itself so that the window's frame,
// caption and shape come from the skin, keeps track of the window's state and activation, and owns the
// parts that skin it: the frame painter, the caption buttons, the menu bar and the controls' skinning
// objects. The skin manager creates, attaches and frees it.
#pragma once

#include "framework/gui/canvas.h"
#include "framework/gui/form.h"
#include "framework/gui/handles.h"
#include "framework/gui/hooks.h"
#include "framework/gui/subclass.h"
#include "framework/gui/timer.h"
#include "skin/draw/bitmap.h"
#include "skin/draw/geometry.h"
#include "skin/engine.h"
#include "skin/form/caption_buttons.h"
#include "skin/form/frame_painter.h"
#include "skin/form/mdi.h"
#include "skin/form/system_menu.h"
#include "skin/menus/menu_bar.h"
#include "skin/menus/popup_menu.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace skin {

class TSkinData;

enum class MdiRole : std::uint8_t { Ordinary, Frame, Child };
enum class WindowState : std::uint8_t { Normal, Maximized, Minimized };
enum class FrameKind : std::uint8_t {
    Thick = 0,
    Popup = 2, // a popup without a full caption: no skinned frame
    Default = 3,
};

// The caption buttons a window's style asks for.
enum class ButtonCap : std::uint8_t { Maximize = 1, Minimize = 2, SystemMenu = 8 };
class ButtonCaps {
  public:
    constexpr bool Has(ButtonCap cap) const { return (bits_ & static_cast<std::uint8_t>(cap)) != 0; }
    constexpr void Add(ButtonCap cap) {
        bits_ = static_cast<std::uint8_t>(bits_ | static_cast<std::uint8_t>(cap));
    }

  private:
    std::uint8_t bits_ = 0;
};

class TWinSkinForm : public rtl::TComponent,
                     public ISkinControlHost,
                     public IMenuBarHost,
                     public ICaptionButtonHost {
  public:
    // owner: the framework form skinned, or null for a plain window. The creator sets Window and then
    // calls AttachForm or AttachWindow.
    explicit TWinSkinForm(gui::TForm* owner);
    ~TWinSkinForm() override;

    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    int DisableTag() const { return disableTag_; }
    void SetDisableTag(int tag) { disableTag_ = tag; }

    void AttachForm(TSkinData& skinData, gui::TForm& form);
    void AttachWindow(TSkinData& skinData);

    void SkinWndProc(gui::TMessage& message);
    void FormMessageHook(gui::TMessage& message);
    void CallPrevProc(gui::TMessage& message);

    void SetSystemButtonStyles(bool show);
    void ComputeFrameSizes();
    void FitWindowToSkin(bool rereadClient, bool shapeFirst = false);
    POINT KeptOnWorkArea(const RECT& outer, int width, int height) const;
    void RefreshFrame();
    void PaintFrameNow(); // the skinned frame painted at once, without a frame recalculation
    void ReadWindowState();
    void Reskin();
    void DetachAll();
    void DetachOnDestroy();
    void DetachControlsOnly();
    void FreeCaptionButtons();
    POINT ScreenToWindow(int x, int y) const;

    // The window's shape from the frame painter, given to the window; and taken off again.
    void UpdateRegion();
    void ApplyRegion(int width, int height, bool redraw);
    void ClearRegion();

    // What the caption buttons and the system menu ask of the window.
    // The hot caption button's action, as a click at screen point x, y.
    void RunCaptionAction(int x, int y);
    void OnCaptionAction(CaptionAction action, int code, POINT at) override;
    void CloseWindow();
    void ToggleMaximize();
    void ToggleMinimize();
    void RestoreWindow();

    // MDI frames: a maximized active child, its buttons on the menu bar's bitmap (top-left the bar row's).
    bool IsActiveChildMaximized() const { return mdi_.IsActiveChildMaximized(); }
    void PaintMdiButtons(Bitmap& bar) { mdi_.PaintButtons(bar); }

    // A control skinning object of this window, owned from now on.
    void AddControlObject(std::unique_ptr<ISkinControlObject> object);
    // A framework control freed at run time takes its skinning objects with it.
    void Notification(rtl::TComponent* component, rtl::TOperation operation) override;
    // The controls of WindowsRemade that have a window again and no skinning object get one.
    void SkinControlsAgain();

    // What the control skinning objects ask of their form skinning object.
    bool RegisterControlObject(ISkinControlObject* object) override;
    gui::TCanvas& ControlCanvas() override { return controlCanvas_; }
    int SkinPhase() const override { return Phase; }
    ISkinControlObject* HotControlObject() const override { return HotControl; }
    void SetHotControlObject(ISkinControlObject* object) override { HotControl = object; }
    void ControlWindowDestroyed(rtl::TComponent& control) override;

    // What the menu bar and the non-client objects ask of their window; the hot non-client object is the
    // caption button or menu bar item under the mouse or the keyboard.
    TNCObject* HotNcObject() const override { return HotObject; }
    void SetHotNcObject(TNCObject* object) override { HotObject = object; }
    HWND MenuBarWindow() const override { return Window; }
    const TSkinData& MenuBarSkinData() const override { return *SkinData; }
    gui::TForm* MenuBarForm() const override { return Form; }
    bool MenuBarWindowActive() const override { return Active != 0; }
    TWinSkinMenu* CurrentMenuBar() const override { return MenuBarObject.get(); }
    POINT MenuBarScreenToWindow(POINT screen) const override { return ScreenToWindow(screen.x, screen.y); }
    void PaintMenuBarButtons(Bitmap& bar) override { PaintMdiButtons(bar); }
    bool MenuBarTracking() const override { return MenuTracking; }
    void SetMenuBarTracking(bool tracking) override { MenuTracking = tracking; }
    void SetMenuBarLoop(bool running) override { InMenuLoop = running; }

    // What the manager, control discovery and the tests read of the window's skinning.
    HWND Handle() const { return Window; }
    // Set once by the creator before attaching, and cleared when the window may have a new object.
    void SetWindow(HWND window) { Window = window; }
    // The skin the window is painted with: the skin data component's copy for the window's DPI.
    TSkinData* Skin() const { return SkinData; }
    // The skin data component itself (the one the manager lists), whatever DPI the window is at.
    TSkinData* SkinSource() const;
    // The DPI the window's skin is scaled for.
    int Dpi() const { return dpi_; }
    // The window is shown at another DPI: its skin, fonts, icon and controls' skinning follow it.
    void ApplyDpi(int dpi);
    gui::TForm* OwnerForm() const { return Form; }
    void SetPhase(int phase) { Phase = phase; }
    FrameKind Kind() const { return frameKind_; }
    DWORD WindowStyle() const { return Style; }
    // A maximized or minimized MDI child: the system draws its frame.
    bool IsMaximizedMdiChild() const { return role_ == MdiRole::Child && state_ != WindowState::Normal; }
    // One of this object's handlers is running: freeing it now would pull it from under that handler.
    bool InHandler() const { return CallDepth > 0; }
    MdiRole Role() const { return role_; }
    WindowState State() const { return state_; }
    void SetState(WindowState state) { state_ = state; }
    bool IsActive() const { return Active != 0; }
    bool ReadsRightToLeft() const { return RightToLeft; }
    // The skinned frame's thickness on each side: left, caption, right, bottom.
    RECT Borders() const { return RECT{FrameLeft, FrameTop, FrameRight, FrameBottom}; }
    int MenuRowHeight() const { return MenuBarHeight; }
    bool HasWindowRegion() const { return HasRegion; }
    // The window has the region made for the size it has now.
    bool RegionFitsWindow() const;
    // The next UpdateRegion builds the region even when the window kept its size.
    void ForgetRegionSize() { painter_.ForgetRegionSize(); }
    TWinSkinMenu* MenuBar() const { return MenuBarObject.get(); }
    const std::vector<std::unique_ptr<TWinSysButton>>& SysButtons() const {
        return captionButtons_.Buttons();
    }
    // Where the right-aligned caption buttons begin, as last laid out.
    int RightButtonsStart() const { return captionButtons_.RightButtonsStart(); }
    // The parts that skin the window.
    TCaptionButtons& CaptionButtons() { return captionButtons_; }
    const TCaptionButtons& CaptionButtons() const { return captionButtons_; }
    TSystemMenu& SystemMenu() { return systemMenu_; }
    const TSystemMenu& SystemMenu() const { return systemMenu_; }
    const TFramePainter& Painter() const { return painter_; }
    // SkinControls holds xcMainMenu: the frame is the skin's.
    bool SkinsFrame() const;
    // The caption buttons the window's style asks for.
    ButtonCaps Caps() const { return caps_; }
    // A menu loop of this object's runs (the system menu's, a drop-down's of the bar).
    void SetInMenuLoop(bool running) { InMenuLoop = running; }
    const std::vector<std::unique_ptr<ISkinControlObject>>& Controls() const { return ControlObjects; }
    // The caption shown; the window's text is read again when it is set.
    void SetCaptionText(std::string text) { painter_.SetCaptionText(std::move(text)); }

    // The window's icon as the caption shows it, and the caption as composed before its buttons.
    const Bitmap& Icon() const { return painter_.Icon(); }
    const Bitmap& CaptionUnderButtons() const { return painter_.CaptionUnderButtons(); }
    bool InMenuTracking() const { return MenuTracking; }

  private:
    // The menu bar's drop-down tracking (a hook procedure of its own) switches the hover check back on.
    bool MenuTracking = false;
    gui::TWindowSubclass PrevWndProc;      // the window's procedure before us
    gui::TMessageHook SavedFormWindowProc; // the framework form's message method before us
    std::unique_ptr<gui::TTimer> HoverTimer;
    std::string WindowClassName;
    RECT ClientRect{};
    int SpaceWidth = 0;
    int FrameLeft = 0, FrameTop = 0, FrameRight = 0, FrameBottom = 0;
    RECT UnskinnedFrameSize{};
    int MenuBarHeight = 0;
    bool RightToLeft = false;
    HMENU FormMenu = nullptr;
    gui::TColor SavedFormColour = 0;
    DWORD Style = 0;
    TNCObject* HotObject = nullptr;
    TNCObject* PressedObject = nullptr; // the caption button the left mouse button went down on
    // The window has the region the frame painter made; the system frees it once the window gets another.
    bool HasRegion = false;
    SIZE shapedSize_{}; // the window size the region was last made for
    // Off while the window's menu is put back and taken off again: the frame it would paint is stale.
    bool FramePainting = true;
    gui::TForm* Form = nullptr;
    HWND Window = nullptr;
    TSkinData* SkinData = nullptr;
    std::unique_ptr<TWinSkinMenu> MenuBarObject;
    std::vector<std::unique_ptr<ISkinControlObject>> ControlObjects;
    std::uint8_t Active = 1;
    MdiRole role_ = MdiRole::Ordinary;
    FrameKind frameKind_ = FrameKind::Default;
    ButtonCaps caps_;
    WindowState state_ = WindowState::Normal;
    int Phase = kPhaseAttached;
    ISkinControlObject* HotControl = nullptr;
    // Controls whose window was destroyed while skinned, to be skinned again once the message posted for
    // the first of them arrives (their new window exists by then).
    std::vector<rtl::TComponent*> WindowsRemade;
    // Calls of this object's window procedure or message hook under way: while above 0 the manager keeps
    // the object alive (a modal loop inside a handler, a menu's, can run the action that frees it).
    int CallDepth = 0;
    // A menu loop of this object's (a drop-down of the bar, the system menu) is running.
    bool InMenuLoop = false;
    // The fonts of the open menu's items, kept from its first item measured to the end of its loop.
    TMenuFonts menuFonts_;

    // What a running menu loop still uses outlives a detach until the object is freed.
    std::unique_ptr<TWinSkinMenu> RetiredMenuBar;
    void EndMenuLoop();

    // The three stages of SkinWndProc: each true when it answered the message.
    bool Stage1(gui::TMessage& message);
    bool Stage2(gui::TMessage& message);
    void Stage3(gui::TMessage& message);

    void OnEraseBackground(gui::TMessage& message);
    void OnStyleChanged(gui::TMessage& message);
    void OnNcDestroy(gui::TMessage& message);
    void OnCtlColorButton(gui::TMessage& message);
    void OnCtlColorStatic(gui::TMessage& message);
    void OnIsSkinned(gui::TMessage& message);
    void OnDpiChanged(gui::TMessage& message);
    void NoteActivation(const gui::TMessage& message);
    void OnSetText(gui::TMessage& message);
    void OnSize(gui::TMessage& message);
    void OnGetMinMaxInfo(gui::TMessage& message);
    void OnWindowPosChanged(gui::TMessage& message);
    void OnStart(gui::TMessage& message);
    void OnNcCalcSize(gui::TMessage& message);
    void OnNcHitTest(gui::TMessage& message);
    void OnNcPaint(gui::TMessage& message);
    void OnNcActivate(gui::TMessage& message);
    void OnNcMouseMove(gui::TMessage& message);
    void OnNcLButtonDown(gui::TMessage& message);
    void OnNcLButtonUp(gui::TMessage& message);
    void OnNcLButtonDblClk(gui::TMessage& message);
    void OnNcRButtonDown(gui::TMessage& message);
    void OnCommand(gui::TMessage& message);
    void OnDialogChar(gui::TMessage& message);
    void OnMenuChanged(gui::TMessage& message);
    void OnMeasureItem(gui::TMessage& message);
    void OnDrawItem(gui::TMessage& message);
    // The look of an item: of a framework menu, or false.
    bool MenuItemLook(ULONG_PTR itemData, UINT command, TMenuItemLook& look) const;
    // An item of the bar's open drop-down that no framework item stands behind (a plain window's menu).
    bool ForeignMenuItemLook(ULONG_PTR itemData, UINT command, TMenuItemLook& look) const;
    void OnSysCommand(gui::TMessage& message);
    void OnHoverTimer();

    // The non-client object under a point: a caption button, else a menu bar item.
    TNCObject* ObjectAt(POINT windowPoint);

    void DetachControlObjects();
    // The skin for the window's DPI, asked now, of the component skinData or any copy of it.
    TSkinData& SkinForWindowDpi(TSkinData& skinData);
    // The menu bar row's height at the window's DPI.
    int MenuRowHeightAtDpi() const;
    // The form's own colour and its popup menus' own drawing back.
    void RestoreFormLook();
    bool IsPlainWindow() const { return Form == nullptr; }

    TFramePainter painter_{*this};
    TCaptionButtons captionButtons_{*this, *this};
    TSystemMenu systemMenu_{*this};
    TMdiSkinning mdi_{*this};
    int disableTag_ = 0;
    int dpi_ = 96;
    gui::TCanvas controlCanvas_;
};

} // namespace skin
