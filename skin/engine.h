// What the parts of the skinning engine know of each other: the engine's private window messages and the
// narrow interfaces through which the skin data component, the control skinning objects, the menus and the
// form skinning objects reach the floors above them (the skin manager above all) without including their
// headers.
#pragma once

#include <windows.h>

#include <vector>

namespace gui {
class TCanvas;
}
namespace rtl {
class TComponent;
}

namespace skin {

class Bitmap;
class TSkinData;
class TWinSkinPopMenu;

// Private window messages; any window of the process may receive them.
constexpr UINT SKM_RESKIN = 0x3401;     // a skinned framework form takes the current skin again
constexpr UINT SKM_PAINTFRAME = 0x3502; // paint the skinned frame now
constexpr UINT SKM_START = 0x3503;      // posted once a window is attached: fit it to the skin frame
constexpr UINT SKM_ISSKINNED = 0x3504;  // answered with 1 by every skinned window
// Posted to a skinned window when a caption button with an action of the skin's own is clicked (WParam: the
// action). It passes through to the window's own procedure, so a program can give such buttons a meaning.
constexpr UINT SKM_CAPTIONACTION = 0x3505;
// Posted to a skinned framework form when a skinned control's window went away while its control lives on
// (a style read only at creation made it anew): the control is skinned again.
constexpr UINT SKM_SKINAGAIN = 0x3506;

// The deferred actions of the skin manager.
enum class DeferredAction { None = 0, Skin = 1, Unskin = 2, Reskin = 3, Purge = 6 };
constexpr int kActionDelayMs = 250;

// Skinning phases of a form skinning object.
enum TSkinPhase : int {
    kPhaseAttached = 0, // attached, frame not yet fitted
    kPhaseActive = 1,   // frame painted, region kept
    kPhaseReskinning = 3,
    kPhaseClosing = 4, // detach without restoring colours or size
    kPhaseFitting = 5,
    kPhaseDestroyed = 6,
};

// A control skinning object as its form skinning object sees it.
class ISkinControlObject {
  public:
    virtual ~ISkinControlObject() = default;
    virtual void Detach() = 0;
    virtual void SkinChanged() = 0;
    virtual void SendMouseLeave() = 0;
    // The control's rectangle in screen coordinates, as of its last skin paint.
    virtual RECT ScreenRect() const = 0;
    // The control's window; null for a control without a window of its own.
    virtual HWND ControlWindow() const = 0;
    // The framework control served, windowed or not; null for a plain window's control.
    virtual rtl::TComponent* ServedComponent() const = 0;
};

// A form skinning object as its control skinning objects see it (the owner they are created with).
class ISkinControlHost {
  public:
    virtual ~ISkinControlHost() = default;
    // Adds object to the window's control skinning objects, which own it from then on, unless it is listed
    // already; true when it was.
    virtual bool RegisterControlObject(ISkinControlObject* object) = 0;
    // The canvas every control skinning object of the window is handed at attach.
    virtual gui::TCanvas& ControlCanvas() = 0;
    virtual int SkinPhase() const = 0;
    // The control the mouse is over, for the hover protocol of buttons; null for none.
    virtual ISkinControlObject* HotControlObject() const = 0;
    virtual void SetHotControlObject(ISkinControlObject* object) = 0;
    // The window of a skinned framework control was destroyed; the control may get a new one.
    virtual void ControlWindowDestroyed(rtl::TComponent& control) = 0;
};

// The skin manager as the skin data component, the menus and the form skinning objects see it.
class ISkinManager {
  public:
    virtual ~ISkinManager() = default;

    // Skin data components.
    virtual void RegisterSkinData(TSkinData* skinData) = 0;
    virtual void UnregisterSkinData(TSkinData* skinData) = 0;
    virtual const std::vector<TSkinData*>& SkinDataList() const = 0;
    virtual void InstallHook() = 0;
    virtual bool SkinWindow(HWND window) = 0;

    // Deferred actions: the requesting component is set first, then the action scheduled.
    virtual void SetPendingSkinData(TSkinData* skinData) = 0;
    virtual void ScheduleAction(DeferredAction action, int interval) = 0;
    // The objects of destroyed windows freed at the next tick, after whatever action is pending then
    // (skinData is the requester when nothing else is pending).
    virtual void SchedulePurge(TSkinData* skinData) = 0;
    virtual void FreeAllCaptionButtons() = 0;
    // Skinning of new windows on or off; the count of started components (see the manager).
    virtual void SetEnabled(bool enabled) = 0;
    virtual bool IsEnabled() const = 0;
    virtual void AddStarted() = 0;

    // Form skinning objects.
    virtual void ForgetWindow(HWND window) = 0;
    virtual bool MdiMaximized() const = 0;
    virtual void SetMdiMaximized(bool maximized) = 0;
    // The MDI children skinned now (destroyed ones awaiting the purge not counted).
    virtual int CountMdiChildren() const = 0;

    // Popup menu windows ("#32768"), skinned by the manager as the system creates them.
    // The background the window showing menu painted last, or null.
    virtual const Bitmap* PopupBackgroundFor(HMENU menu) const = 0;
    // The window that painted its background before it knew which menu it shows, or null.
    virtual TWinSkinPopMenu* PendingPopupMenu() const = 0;
    virtual void SetPendingPopupMenu(TWinSkinPopMenu* menu) = 0;
};

// The manager, or null before the first skin data component loaded and after program end.
ISkinManager* ActiveSkinManager() noexcept;
// Creates the manager on first use.
ISkinManager& EnsureActiveSkinManager();

} // namespace skin
