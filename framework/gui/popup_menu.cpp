#include "framework/gui/popup_menu.h"

#include "framework/gui/application.h"
#include "framework/gui/diagnostics.h"
#include "framework/rtl/property_builders.h"

namespace gui {
namespace {

// The window a popup menu reports to while it is shown. A window of its own, not the form's: the form's
// procedure may be bound by the skinning engine, which answers owner-draw messages of its menu bar by
// command and would not know a popup's items.
constexpr wchar_t kPopupWindowClass[] = L"TPopupMenuWindow";

LRESULT CALLBACK PopupWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    try {
        switch (msg) {
        case WM_MEASUREITEM:
            if (MeasureMenuItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam))) return TRUE;
            break;
        case WM_DRAWITEM:
            if (DrawMenuItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) return TRUE;
            break;
        default:
            break;
        }
    } catch (...) {
        // No exception crosses the system's menu loop; it ends in the default display.
        ReportCurrentException("popup menu window procedure");
        if (Application) Application->HandleException(nullptr);
        return TRUE;
    }
    return DefWindowProcW(window, msg, wParam, lParam);
}

UniqueWindow CreatePopupWindow() {
    static const ATOM registered = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &PopupWindowProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = kPopupWindowClass;
        return RegisterClassExW(&wc);
    }();
    if (!registered) return {};
    return UniqueWindow(CreateWindowExW(WS_EX_TOOLWINDOW, kPopupWindowClass, L"", WS_POPUP, 0, 0, 0, 0,
                                        nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
}

} // namespace

const rtl::TClassInfo& TPopupMenu::StaticClassInfo() {
    using namespace rtl;
    static const TClassInfo info{"TPopupMenu",
                                 &TMenu::StaticClassInfo(),
                                 {
                                     EventProperty("OnPopup", &TPopupMenu::OnPopup),
                                 }};
    return info;
}

void TPopupMenu::Popup(int x, int y) {
    popupPoint_ = {x, y};
    DoPopup();
    // Rebuilt on every showing: OnPopup and whoever set item events since take effect.
    DestroyMenuHandle();
    HMENU menu = Handle();
    const UniqueWindow window = CreatePopupWindow();
    if (!window) return;
    UINT flags = TPM_RIGHTBUTTON | TPM_RETURNCMD;
    if (BiDiMode() == bdRightToLeft) flags |= TPM_RIGHTALIGN | TPM_LAYOUTRTL;
    const UINT command = static_cast<UINT>(TrackPopupMenu(menu, flags, x, y, 0, window.get(), nullptr));
    if (command != 0) DispatchCommand(command);
}

std::vector<TPopupMenu*> PopupMenusOf(const rtl::TComponent& owner) {
    std::vector<TPopupMenu*> menus;
    for (rtl::TComponent* component : owner.Components()) {
        if (auto* menu = dynamic_cast<TPopupMenu*>(component)) menus.push_back(menu);
    }
    return menus;
}

} // namespace gui
