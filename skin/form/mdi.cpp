#include "skin/form/mdi.h"

#include "skin/component/skin_data.h"
#include "skin/draw/skin_image.h"
#include "skin/form/skin_form.h"
#include "skin/form/window_dpi.h"

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

TMdiSkinning::TMdiSkinning(TWinSkinForm& form) : form_(form) {}

MdiRole TMdiSkinning::DetectRole(DWORD exStyle) {
    MdiRole role = MdiRole::Ordinary;
    if (HWND client = FindMdiClient(form_.Handle())) {
        role = MdiRole::Frame;
        MdiClient = client;
    }
    if (exStyle & WS_EX_MDICHILD) role = MdiRole::Child;
    return role;
}

void TMdiSkinning::TellChildrenDpi(int dpi) {
    if (!MdiClient) return;
    for (HWND child = GetWindow(MdiClient, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT place{};
        GetWindowRect(child, &place);
        MapWindowPoints(nullptr, MdiClient, reinterpret_cast<POINT*>(&place), 2);
        SendMessageW(child, kDpiChangedMessage, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&place));
    }
}

void TMdiSkinning::SubclassMdiClient() {
    if (MdiClient)
        MdiClientPrevProc.Install(MdiClient, gui::TWndMethod::Of<&TMdiSkinning::MdiClientWndProc>(this));
}

void TMdiSkinning::UnsubclassMdiClient() {
    MdiClientPrevProc.Remove();
}

void TMdiSkinning::MdiClientWndProc(gui::TMessage& message) {
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

void TMdiSkinning::OnMdiClientNcCalcSize(gui::TMessage& message) {
    // The skinned frame has no skinned scroll bars for the client: children moved out of sight stay there.
    if (form_.SkinsFrame()) {
        const auto style = static_cast<DWORD>(GetWindowLongPtrW(MdiClient, GWL_STYLE));
        if (style & kClientScrollBars)
            SetWindowLongPtrW(MdiClient, GWL_STYLE, static_cast<LONG_PTR>(style & ~kClientScrollBars));
    }
    MdiClientPrevProc.CallPrevious(message);
}

void TMdiSkinning::OnMdiCreate(gui::TMessage& message) {
    // Menu changes while the child is made do not rebuild the bar; the refresh that follows does.
    form_.Skin()->SetMenuUpdate(false);
    MdiClientPrevProc.CallPrevious(message);
    MdiCreatedChild = reinterpret_cast<HWND>(message.Result);
}

void TMdiSkinning::OnMdiDestroy(gui::TMessage& message) {
    MdiClientPrevProc.CallPrevious(message);
    if (!form_.SkinsFrame()) return;
    TWinSkinMenu* MenuBarObject = form_.MenuBar();
    gui::TForm* Form = form_.OwnerForm();
    ISkinManager* manager = ActiveSkinManager();
    if (!manager) return;
    manager->SetMdiMaximized(IsActiveChildMaximized());
    if (MenuBarObject && manager->CountMdiChildren() == 0) {
        form_.Skin()->SetMenuUpdate(MenuUpdateSaved);
        const gui::TMainMenu* menu = Form ? Form->Menu() : nullptr;
        MenuBarObject->ReadMenuFromHandle(menu && menu->HandleAllocated()
                                              ? const_cast<gui::TMainMenu*>(menu)->Handle()
                                              : MenuBarObject->MenuHandle());
    }
    PostMessageW(form_.Handle(), SKM_PAINTFRAME, 0, 0);
}

void TMdiSkinning::OnMdiArrange(gui::TMessage& message) {
    ISkinManager* manager = ActiveSkinManager();
    if (form_.SkinsFrame() && manager && manager->MdiMaximized()) manager->SetMdiMaximized(false);
    MdiClientPrevProc.CallPrevious(message);
}

void TMdiSkinning::OnMdiSetMenu(gui::TMessage& message) {
    MdiClientPrevProc.CallPrevious(message);
    TWinSkinMenu* MenuBarObject = form_.MenuBar();
    HWND Window = form_.Handle();
    if (!form_.SkinsFrame() || !MenuBarObject) return; // a frame without a bar keeps the real menu
    auto* frameMenu = reinterpret_cast<HMENU>(message.WParam);
    if (frameMenu && (frameMenu != MenuBarObject->MenuHandle() || MdiCreatedChild)) {
        HMENU onWindow = GetMenu(Window);
        MenuBarObject->ReadMenuFromHandle(onWindow ? onWindow : frameMenu);
    }
    // Taking a menu off makes the system recalculate and repaint the frame; a frame without one only needs
    // its bar painted again.
    if (GetMenu(Window)) {
        SetMenu(Window, nullptr);
    } else {
        PostMessageW(Window, SKM_PAINTFRAME, 0, 0);
    }
}

void TMdiSkinning::OnMdiRefreshMenu(gui::TMessage& message) {
    MdiClientPrevProc.CallPrevious(message);
    HWND child = MdiCreatedChild;
    if (!child) return;
    MdiCreatedChild = nullptr;
    if (ISkinManager* manager = ActiveSkinManager()) manager->SkinWindow(child);
    PostMessageW(form_.Handle(), SKM_PAINTFRAME, 0, 0);
}

bool TMdiSkinning::IsActiveChildMaximized() const {
    if (form_.Role() != MdiRole::Frame || !MdiClient) return false;
    BOOL maximized = FALSE;
    const auto active = SendMessageW(MdiClient, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized));
    return active != 0 && maximized != FALSE;
}

void TMdiSkinning::ChildCommand(UINT command) {
    if (form_.Role() != MdiRole::Frame || !MdiClient) return;
    auto* child = reinterpret_cast<HWND>(SendMessageW(MdiClient, WM_MDIGETACTIVE, 0, 0));
    if (!child) return;
    SendMessageW(child, WM_SYSCOMMAND, command, 0);
    ISkinManager* manager = ActiveSkinManager();
    if (manager && manager->MdiMaximized() && !IsActiveChildMaximized()) manager->SetMdiMaximized(false);
    form_.RefreshFrame(); // the buttons leave the bar with the maximized child
}

void TMdiSkinning::PaintButtons(Bitmap& bar) {
    if (!IsActiveChildMaximized()) return;
    form_.CaptionButtons().PaintOnMenuBar(bar);
    ISkinManager* manager = ActiveSkinManager();
    if (manager && !manager->MdiMaximized()) manager->SetMdiMaximized(true);
}

} // namespace skin
