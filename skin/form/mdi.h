// TMdiSkinning: MDI frames and children of a skinned window. The frame's MDI client is subclassed so that
// the children are skinned as the client creates them, the frame's menu bar follows the menus the client
// hands it, and the buttons of a maximized child sit on the frame's menu bar.
#pragma once

#include "framework/gui/subclass.h"
#include "skin/draw/bitmap.h"

#include <windows.h>

#include <cstdint>

namespace skin {

// The class of the window that holds an MDI frame's children.
inline constexpr wchar_t kMdiClientClass[] = L"MDIClient";

// The first child of frame, in z-order, whose class is exactly the MDI client's; null when there is none.
HWND FindMdiClient(HWND frame);

class TWinSkinForm;
enum class MdiRole : std::uint8_t;

class TMdiSkinning {
  public:
    explicit TMdiSkinning(TWinSkinForm& form);
    TMdiSkinning(const TMdiSkinning&) = delete;
    TMdiSkinning& operator=(const TMdiSkinning&) = delete;

    // The window's MDI role from its extended style and children.
    MdiRole DetectRole(DWORD exStyle);
    // The skin data's menu update setting, put back once a frame's last child has gone.
    void SaveMenuUpdate(bool menuUpdate) { MenuUpdateSaved = menuUpdate; }
    void SubclassMdiClient();
    void UnsubclassMdiClient();

    bool IsActiveChildMaximized() const;
    // A system command for a frame's active child.
    void ChildCommand(UINT command);
    // The MDI buttons onto the menu bar's bitmap, whose top-left is the menu bar row's.
    void PaintButtons(Bitmap& bar);
    // The frame is shown at another DPI: the system tells only top-level windows, so the frame tells its
    // documents, each keeping its place.
    void TellChildrenDpi(int dpi);

  private:
    void MdiClientWndProc(gui::TMessage& message);
    void OnMdiClientNcCalcSize(gui::TMessage& message);
    void OnMdiCreate(gui::TMessage& message);
    void OnMdiDestroy(gui::TMessage& message);
    void OnMdiArrange(gui::TMessage& message);
    void OnMdiSetMenu(gui::TMessage& message);
    void OnMdiRefreshMenu(gui::TMessage& message);

    TWinSkinForm& form_;
    bool MenuUpdateSaved = true;
    HWND MdiClient = nullptr;
    gui::TWindowSubclass MdiClientPrevProc; // the MDI client's procedure before us (MDI frames)
    HWND MdiCreatedChild = nullptr;
};

} // namespace skin
