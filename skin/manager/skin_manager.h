// The one process-wide skin manager: the registered skin data components, the window hook that sees the
// thread's windows being created, activated and destroyed, the form skinning objects it attaches to them,
// and the deferred skin actions run from its timer.
#pragma once

#include "framework/gui/handles.h"
#include "framework/gui/timer.h"
#include "skin/engine.h"
#include "skin/manager/high_contrast.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace skin {

class TSkinData;
class TWinSkinForm;
class TWinSkinPopMenu;
class Bitmap;

class TSkinManage final : public ISkinManager {
  public:
    TSkinManage();
    ~TSkinManage() override;
    TSkinManage(const TSkinManage&) = delete;
    TSkinManage& operator=(const TSkinManage&) = delete;

    std::unique_ptr<gui::TTimer> ActionTimer;
    gui::UniqueHook HookHandle;
    std::vector<std::unique_ptr<TWinSkinForm>> Forms;   // one per skinned window, in order of attachment
    std::vector<std::unique_ptr<TWinSkinForm>> Retired; // freed, but still inside a handler of theirs
    std::vector<std::unique_ptr<TWinSkinPopMenu>> PopupMenus; // one per skinned menu window
    std::vector<TSkinData*> SkinDatas;                        // registered components, not owned
    std::uint8_t Enabled = 0;
    std::uint8_t ActivatingAll = 0;
    std::int32_t Started = 0;
    std::uint8_t MdiMaximizedFlag = 0;
    DeferredAction PendingAction = DeferredAction::None;
    bool PurgeRequested = false; // destroyed windows' objects are freed at the next tick as well
    TSkinData* PendingSkinData = nullptr;
    // The system's high-contrast mode as last heard, and whether skinning stands aside for it: windows that
    // would be skinned with a skin not made for the mode keep the system's look until the mode goes off.
    std::unique_ptr<THighContrastListener> ContrastListener;
    bool HighContrastMode = false;
    bool SteppedAside = false;

    // ISkinManager.
    void RegisterSkinData(TSkinData* skinData) override;
    void UnregisterSkinData(TSkinData* skinData) override;
    const std::vector<TSkinData*>& SkinDataList() const override { return SkinDatas; }
    void InstallHook() override;
    // Decides whether window is skinned and with which skin data; true when a skinning object was attached.
    bool SkinWindow(HWND window) override;
    void SetPendingSkinData(TSkinData* skinData) override { PendingSkinData = skinData; }
    void ScheduleAction(DeferredAction action, int interval) override;
    void SchedulePurge(TSkinData* skinData) override;
    void FreeAllCaptionButtons() override;
    void SetEnabled(bool enabled) override { Enabled = enabled ? 1 : 0; }
    bool IsEnabled() const override { return Enabled != 0; }
    void AddStarted() override { Started += 1; }
    void ForgetWindow(HWND window) override;
    bool MdiMaximized() const override { return MdiMaximizedFlag != 0; }
    void SetMdiMaximized(bool maximized) override;

    TWinSkinForm* FindFormByWindow(HWND window) const;
    TSkinData* FindSkinData(HWND window) const;
    int CountMdiChildren() const override;
    // Popup menu windows ("#32768"), skinned as the system creates them.
    void SkinPopupMenuWindow(HWND window);
    bool ReleasePopupMenuWindow(HWND window);
    const Bitmap* PopupBackgroundFor(HMENU menu) const override;
    TWinSkinPopMenu* PendingPopupMenu() const override { return pendingPopupMenu_; }
    void SetPendingPopupMenu(TWinSkinPopMenu* menu) override { pendingPopupMenu_ = menu; }

    // Runs the pending action now (the timer's tick).
    void RunPendingAction();
    // Asks for the mode again (the system said it may have changed) and, when skinning has to stand aside
    // or may come back, schedules a re-skin: RunPendingAction turns it into an unskin or a skin.
    void HighContrastChanged();
    // True while the mode is on and data is not made for it.
    bool StepsAsideFor(const TSkinData& data) const;

  private:
    TWinSkinPopMenu* pendingPopupMenu_ = nullptr; // one of PopupMenus
    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam);
    bool ClassAllowed(const std::string& className) const;
    void SkinAll(TSkinData& data);
    void UnskinAll(TSkinData& data);
    void ReskinAll(TSkinData& data);
    void PurgeDestroyed();
    // The action that carries out action for data in the present high-contrast mode.
    DeferredAction ActionInContrastMode(DeferredAction action, const TSkinData& data);
    // The component that skins the program's windows (the main form's), or null.
    TSkinData* MainSkinData() const;
    // Removes the object from Forms and frees it (later, in FreeRetired, while it is inside a handler).
    void FreeForm(TWinSkinForm* form);
    // Decides whether window is skinned and attaches its skinning object; true when attached.
    bool AttachSkin(HWND window);
    // The framework's notice of a form about to be shown: skinned and started at once.
    static void FormShowing(HWND window);
    // Frees the retired objects no longer inside a handler; true when some still are.
    bool FreeRetired();
};

// The manager, created by the first skin data component that loads; freed at program end.
extern TSkinManage* SkinManager;
TSkinManage& EnsureSkinManager();
void FreeSkinManager();

} // namespace skin
