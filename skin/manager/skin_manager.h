// The one process-wide skin manager: the list of skin data components, the window hook, and the deferred
// skin actions run from its timer.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "framework/gui/handles.h"
#include "framework/gui/timer.h"

namespace skin {

class TSkinData;

// Deferred actions.
constexpr int kActionSkin = 1;
constexpr int kActionUnskin = 2;
constexpr int kActionReskin = 3;
constexpr int kActionPurge = 6;
constexpr int kActionDelayMs = 250;

class TSkinManage {
public:
    TSkinManage();
    ~TSkinManage();
    TSkinManage(const TSkinManage&) = delete;
    TSkinManage& operator=(const TSkinManage&) = delete;

    std::unique_ptr<gui::TTimer> ActionTimer;
    gui::UniqueHook HookHandle;
    std::vector<TSkinData*> SkinDataList; // registered components, not owned
    std::uint8_t Enabled = 0;
    std::uint8_t ActivatingAll = 0;
    std::int32_t Started = 0;
    std::uint8_t MdiMaximized = 0;
    HWND MdiClientWindow = nullptr;
    std::int32_t PendingAction = 0;
    TSkinData* PendingSkinData = nullptr;

    void InstallHook();
    void RegisterSkinData(TSkinData* skinData);
    void UnregisterSkinData(TSkinData* skinData);
    // Decides whether window is skinned and with which skin data; true when a skinning object was attached.
    bool SkinWindow(HWND window);
    void ScheduleAction(int action, int interval);
    void FreeAllCaptionButtons();
    TSkinData* FindSkinData(HWND window) const;

private:
    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam);
    void RunPendingAction();
    bool ClassAllowed(const std::string& className) const;
};

// The manager, created by the first skin data component that loads; freed at program end.
extern TSkinManage* SkinManager;
TSkinManage& EnsureSkinManager();
void FreeSkinManager();

// GetVersion() as stored when the hook was installed (top bit set: the 9x family).
extern DWORD WindowsVersion;

} // namespace skin
