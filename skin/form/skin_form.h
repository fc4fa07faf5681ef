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
#include "skin/form/menu_bar.h"
#include "skin/manager/popup_menu.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace skin {

class TSkinData;

// MdiRole values.
constexpr std::uint8_t kOrdinaryWindow = 0;
constexpr std::uint8_t kMdiFrame = 1;
constexpr std::uint8_t kMdiChild = 2;
// WindowState values.
constexpr std::uint8_t kStateNormal = 0;
constexpr std::uint8_t kStateMaximized = 1;
constexpr std::uint8_t kStateMinimized = 2;
// FrameKind values.
constexpr std::uint8_t kFrameThick = 0;
constexpr std::uint8_t kFramePopup = 2; // a popup without a full caption: no skinned frame
constexpr std::uint8_t kFrameDefault = 3;
// ButtonCaps bits.
constexpr std::uint8_t kCapMaximize = 1;
constexpr std::uint8_t kCapMinimize = 2;
constexpr std::uint8_t kCapSystemMenu = 8;

class TWinSkinForm : public rtl::TComponent, public ISkinControlHost {
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
    void FitWindowToSkin(bool rereadClient);
    void RefreshFrame();
    void ReadWindowState();
    void Reskin();
    void DetachAll();
    void DetachOnDestroy();
    void DetachControlsOnly();
    void FreeCaptionButtons();
    POINT ScreenToWindow(int x, int y) const;

    // The window's shape from the frame painter, given to the window; and taken off again.
    void UpdateRegion();
    void ClearRegion();

    // Caption buttons, the system menu and non-client mouse handling (caption_buttons.cpp).
    bool IsCaptionButtonVisible(std::size_t index);
    void LayoutCaptionButtons();
    void PaintCaptionButtons(Bitmap& caption);
    TWinSysButton* CaptionButtonAt(POINT windowPoint);
    void RunCaptionAction(int x, int y);
    // byIconClick: opened by a click on the window icon; two such openings within the double-click time
    // are a double click on the icon, which closes the window. Other openings never count.
    void ShowSystemMenu(int x, int y, bool byIconClick = false);
    void ShowSystemMenuFromKeyboard();
    // The look of an item of the skinned system menu (the item data and command it carries), or false.
    bool SystemMenuItemLook(ULONG_PTR itemData, UINT command, TMenuItemLook& look) const;
    void ToggleMaximize();
    void ToggleMinimize();
    void RestoreWindow();

    // MDI frames and children (mdi.cpp).
    void DetectMdi(DWORD exStyle);
    void SubclassMdiClient();
    void UnsubclassMdiClient();
    void MdiClientWndProc(gui::TMessage& message);
    bool IsActiveChildMaximized() const;
    void MdiChildCommand(UINT command);
    // The MDI buttons onto the menu bar's bitmap, whose top-left is the menu bar row's.
    void PaintMdiButtons(Bitmap& bar);

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

    // What the manager, control discovery and the tests read of the window's skinning.
    HWND Handle() const { return Window; }
    // Set once by the creator before attaching, and cleared when the window may have a new object.
    void SetWindow(HWND window) { Window = window; }
    TSkinData* Skin() const { return SkinData; }
    gui::TForm* OwnerForm() const { return Form; }
    void SetPhase(int phase) { Phase = phase; }
    std::uint8_t Kind() const { return FrameKind; }
    DWORD WindowStyle() const { return Style; }
    // A maximized or minimized MDI child: the system draws its frame.
    bool IsMaximizedMdiChild() const { return MdiRole == kMdiChild && WindowState != kStateNormal; }
    // One of this object's handlers is running: freeing it now would pull it from under that handler.
    bool InHandler() const { return CallDepth > 0; }
    std::uint8_t Role() const { return MdiRole; }
    std::uint8_t State() const { return WindowState; }
    void SetState(std::uint8_t state) { WindowState = state; }
    bool IsActive() const { return Active != 0; }
    bool ReadsRightToLeft() const { return RightToLeft; }
    // The skinned frame's thickness on each side: left, caption, right, bottom.
    RECT Borders() const { return RECT{FrameLeft, FrameTop, FrameRight, FrameBottom}; }
    int MenuRowHeight() const { return MenuBarHeight; }
    bool HasWindowRegion() const { return HasRegion; }
    // The next UpdateRegion builds the region even when the window kept its size.
    void ForgetRegionSize() { painter_.ForgetRegionSize(); }
    TWinSkinMenu* MenuBar() const { return MenuBarObject.get(); }
    const std::vector<std::unique_ptr<TWinSysButton>>& SysButtons() const { return CaptionButtons; }
    // Where the right-aligned caption buttons begin, as last laid out.
    int RightButtonsStart() const { return RightButtonsLeft; }
    // The skinned system menu.
    HMENU SystemMenuHandle() const { return SysPopupMenu.get(); }
    const std::vector<std::unique_ptr<ISkinControlObject>>& Controls() const { return ControlObjects; }
    // The caption shown; the window's text is read again when it is set.
    void SetCaptionText(std::string text) { painter_.SetCaptionText(std::move(text)); }
    // Two openings of the system menu by the icon within this time are a double click on it.
    void SetDoubleClickTime(UINT milliseconds) { DoubleClickTime = milliseconds; }

    // The non-client object (caption button or menu bar item) under the mouse or the keyboard.
    TNCObject* HotNcObject() const { return HotObject; }
    void SetHotNcObject(TNCObject* object) { HotObject = object; }
    // The window's icon as the caption shows it, and the caption as composed before its buttons.
    const Bitmap& Icon() const { return painter_.Icon(); }
    const Bitmap& CaptionUnderButtons() const { return painter_.CaptionUnderButtons(); }
    bool InMenuTracking() const { return MenuTracking; }

    // until the menu bar reaches the form through its interface
    friend class TWinSkinMenu;
    friend class TMenuBtn;
    // The menu bar's drop-down tracking (a hook procedure of its own) switches the hover check back on.
    bool MenuTracking = false;

  private:
    gui::TWindowSubclass PrevWndProc;      // the window's procedure before us
    gui::TMessageHook SavedFormWindowProc; // the framework form's message method before us
    std::unique_ptr<gui::TTimer> HoverTimer;
    std::string WindowClassName;
    bool MenuUpdateSaved = true;
    RECT ClientRect{};
    DWORD LastSysMenuTick = 0;
    UINT DoubleClickTime = 0;
    int SpaceWidth = 0;
    int FrameLeft = 0, FrameTop = 0, FrameRight = 0, FrameBottom = 0;
    RECT UnskinnedFrameSize{};
    int MenuBarHeight = 0;
    bool RightToLeft = false;
    gui::UniqueMenu SysPopupMenu; // the skinned system menu
    HWND MdiClient = nullptr;
    gui::TWindowSubclass MdiClientPrevProc; // the MDI client's procedure before us (MDI frames)
    HWND MdiCreatedChild = nullptr;
    HMENU FormMenu = nullptr;
    HMENU SystemMenu = nullptr;
    gui::TColor SavedFormColour = 0;
    DWORD Style = 0;
    int RightButtonsLeft = 0;
    TNCObject* HotObject = nullptr;
    TNCObject* PressedObject = nullptr; // the caption button the left mouse button went down on
    // The window has the region the frame painter made; the system frees it once the window gets another.
    bool HasRegion = false;
    // Off while the window's menu is put back and taken off again: the frame it would paint is stale.
    bool FramePainting = true;
    gui::TForm* Form = nullptr;
    HWND Window = nullptr;
    TSkinData* SkinData = nullptr;
    std::unique_ptr<TWinSkinMenu> MenuBarObject;
    std::vector<std::unique_ptr<TWinSysButton>> CaptionButtons;
    std::vector<std::unique_ptr<ISkinControlObject>> ControlObjects;
    std::uint8_t Active = 1;
    std::uint8_t MdiRole = kOrdinaryWindow;
    std::uint8_t FrameKind = kFrameDefault;
    std::uint8_t ButtonCaps = 0;
    std::uint8_t WindowState = kStateNormal;
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

    // What a running menu loop still uses outlives a detach until the object is freed.
    std::unique_ptr<TWinSkinMenu> RetiredMenuBar;
    gui::UniqueMenu RetiredSysMenu;
    void EndMenuLoop();

    bool SkinsFrame() const; // SkinControls holds xcMainMenu: the frame is the skin's

    // The three stages of SkinWndProc: each true when it answered the message.
    bool Stage1(gui::TMessage& message);
    bool Stage2(gui::TMessage& message);
    void Stage3(gui::TMessage& message);

    void OnEraseBackground(gui::TMessage& message);
    void OnStyleChanged(gui::TMessage& message);
    void OnNcDestroy(gui::TMessage& message);
    void OnCtlColorButton(gui::TMessage& message);
    void OnCtlColorStatic(gui::TMessage& message);
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
    void BuildSystemMenu();
    void SystemMenuItemClick(int tag);
    void CloseWindow();
    void OnMdiClientNcCalcSize(gui::TMessage& message);
    void OnMdiCreate(gui::TMessage& message);
    void OnMdiDestroy(gui::TMessage& message);
    void OnMdiArrange(gui::TMessage& message);
    void OnMdiSetMenu(gui::TMessage& message);
    void OnMdiRefreshMenu(gui::TMessage& message);

    void DetachControlObjects();
    // The form's own colour and its popup menus' own drawing back.
    void RestoreFormLook();
    bool IsPlainWindow() const { return Form == nullptr; }

    TFramePainter painter_{*this};
    int disableTag_ = 0;
    gui::TCanvas controlCanvas_;
};

} // namespace skin
