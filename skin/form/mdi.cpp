// MDI handling of TWinSkinForm: the role of a window, the MDI client's messages, the active child's state
// and commands, and the MDI buttons drawn on the frame's menu bar.
#include "skin/form/mdi.h"

#include "skin/data/skin_data.h"
#include "skin/draw/skin_image.h"
#include "skin/form/skin_form.h"

#include <cwchar>

namespace skin {
namespace {

constexpr int kClassNameChars = 32;
constexpr DWORD kClientScrollBars = WS_HSCROLL | WS_VSCROLL;

} // namespace

HWND FindMdiClient(HWND frame) {
    for (HWND child = GetTopWindow(frame); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[kClassNameChars + 1] = {};
        GetClassNameW(child, name, kClassNameChars + 1);
        if (std::wcscmp(name, kMdiClientClass) == 0) return child;
    }
    return nullptr;
}

void TWinSkinForm::DetectMdi(DWORD exStyle) {
    MdiRole = kOrdinaryWindow;
    if (HWND client = FindMdiClient(Window)) {
        MdiRole = kMdiFrame;
        MdiClient = client;
    }
    if (exStyle & WS_EX_MDICHILD) MdiRole = kMdiChild;
}

void TWinSkinForm::SubclassMdiClient() {
    if (MdiClient)
        MdiClientPrevProc.Install(MdiClient, gui::TWndMethod::Of<&TWinSkinForm::MdiClientWndProc>(this));
}

void TWinSkinForm::UnsubclassMdiClient() {
    MdiClientPrevProc.Remove();
}

void TWinSkinForm::MdiClientWndProc(gui::TMessage& message) {
    switch (message.Msg) {
    case WM_NCCALCSIZE:
        return OnMdiClientNcCalcSize(message);
    case WM_MDICREATE:
        return OnMdiCreate(message);
    case WM_MDIDESTROY:
        return OnMdiDestroy(message);
    case WM_MDITILE:
    case WM_MDICASCADE:
        return OnMdiArrange(message);
    case WM_MDISETMENU:
        return OnMdiSetMenu(message);
    case WM_MDIREFRESHMENU:
        return OnMdiRefreshMenu(message);
    default:
        return MdiClientPrevProc.CallPrevious(message); // WM_NCDESTROY: the binding ends by itself
    }
}

void TWinSkinForm::OnMdiClientNcCalcSize(gui::TMessage& message) {
    // The skinned frame has no skinned scroll bars for the client: children moved out of sight stay there.
    if (SkinsFrame()) {
        const auto style = static_cast<DWORD>(GetWindowLongPtrW(MdiClient, GWL_STYLE));
        if (style & kClientScrollBars)
            SetWindowLongPtrW(MdiClient, GWL_STYLE, static_cast<LONG_PTR>(style & ~kClientScrollBars));
    }
    MdiClientPrevProc.CallPrevious(message);
}

void TWinSkinForm::OnMdiCreate(gui::TMessage& message) {
    // Menu changes while the child is made do not rebuild the bar; the refresh that follows does.
    SkinData->SetMenuUpdate(false);
    MdiClientPrevProc.CallPrevious(message);
    MdiCreatedChild = reinterpret_cast<HWND>(message.Result);
}

void TWinSkinForm::OnMdiDestroy(gui::TMessage& message) {
    MdiClientPrevProc.CallPrevious(message);
    if (!SkinsFrame()) return;
    ISkinManager* manager = ActiveSkinManager();
    if (!manager) return;
    manager->SetMdiMaximized(IsActiveChildMaximized());
    if (MenuBarObject && manager->CountMdiChildren() == 0) {
        SkinData->SetMenuUpdate(MenuUpdateSaved);
        const gui::TMainMenu* menu = Form ? Form->Menu() : nullptr;
        MenuBarObject->ReadMenuFromHandle(menu && menu->HandleAllocated()
                                              ? const_cast<gui::TMainMenu*>(menu)->Handle()
                                              : MenuBarObject->MenuHandle());
    }
    PostMessageW(Window, SKM_PAINTFRAME, 0, 0);
}

void TWinSkinForm::OnMdiArrange(gui::TMessage& message) {
    ISkinManager* manager = ActiveSkinManager();
    if (SkinsFrame() && manager && manager->MdiMaximized()) manager->SetMdiMaximized(false);
    MdiClientPrevProc.CallPrevious(message);
}

void TWinSkinForm::OnMdiSetMenu(gui::TMessage& message) {
    MdiClientPrevProc.CallPrevious(message);
    if (!SkinsFrame() || !MenuBarObject) return; // a frame without a bar keeps the real menu
    auto* frameMenu = reinterpret_cast<HMENU>(message.WParam);
    if (frameMenu && (frameMenu != MenuBarObject->MenuHandle() || MdiCreatedChild)) {
        HMENU onWindow = GetMenu(Window);
        MenuBarObject->ReadMenuFromHandle(onWindow ? onWindow : frameMenu);
    }
    SetMenu(Window, nullptr);
}

void TWinSkinForm::OnMdiRefreshMenu(gui::TMessage& message) {
    MdiClientPrevProc.CallPrevious(message);
    HWND child = MdiCreatedChild;
    if (!child) return;
    MdiCreatedChild = nullptr;
    if (ISkinManager* manager = ActiveSkinManager()) manager->SkinWindow(child);
    PostMessageW(Window, SKM_PAINTFRAME, 0, 0);
}

bool TWinSkinForm::IsActiveChildMaximized() const {
    if (MdiRole != kMdiFrame || !MdiClient) return false;
    BOOL maximized = FALSE;
    const auto active = SendMessageW(MdiClient, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized));
    return active != 0 && maximized != FALSE;
}

void TWinSkinForm::MdiChildCommand(UINT command) {
    if (MdiRole != kMdiFrame || !MdiClient) return;
    auto* child = reinterpret_cast<HWND>(SendMessageW(MdiClient, WM_MDIGETACTIVE, 0, 0));
    if (!child) return;
    SendMessageW(child, WM_SYSCOMMAND, command, 0);
    ISkinManager* manager = ActiveSkinManager();
    if (manager && manager->MdiMaximized() && !IsActiveChildMaximized()) manager->SetMdiMaximized(false);
    RefreshFrame(); // the buttons leave the bar with the maximized child
}

void TWinSkinForm::PaintMdiButtons(Bitmap& bar) {
    if (!IsActiveChildMaximized()) return;
    for (const auto& button : CaptionButtons) {
        const TDataSkinSysButton& e = *button->Element;
        if (!button->Visible || e.Visibility != kVisibilityOnMenuBar || e.Image.empty()) continue;
        const RECT& b = button->Bounds;
        const Rect bounds{b.left - FrameLeft, b.top - FrameTop, b.right - FrameLeft, b.bottom - FrameTop};
        DrawSkinFrame(bar, bounds, e.Image, {.frameCount = e.FrameCount, .transparent = true});
    }
    ISkinManager* manager = ActiveSkinManager();
    if (manager && !manager->MdiMaximized()) manager->SetMdiMaximized(true);
}

} // namespace skin
