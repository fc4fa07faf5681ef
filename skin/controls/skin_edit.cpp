#include "skin/controls/skin_edit.h"

#include "skin/component/skin_data.h"
#include "skin/diagnostics.h"

#include <string>

namespace skin {
namespace {

constexpr int kClassNameChars = 100;

bool HasBorder(HWND window, const RECT& windowRect, int slack) {
    RECT client{};
    GetClientRect(window, &client);
    return client.right + slack < windowRect.right && client.bottom + slack < windowRect.bottom;
}

void FrameWith(HDC dc, const RECT& rect, COLORREF colour) {
    const gui::UniqueBrush brush(CreateSolidBrush(colour));
    FrameRect(dc, &rect, brush.get());
}

} // namespace

const rtl::TClassInfo& TSkinEdit::StaticClassInfo() {
    static const rtl::TClassInfo info{"TSkinEdit", &TSkinControl::StaticClassInfo(), {}};
    return info;
}

void TSkinEdit::AfterMessage(gui::TMessage& message) {
    switch (message.Msg) {
    case WM_PAINT:
        if (message.WParam == 0) PaintSkin(nullptr);
        return;
    // The edit repaints its own border alone when only its frame needs it (moved partly off screen,
    // activated): the skin's goes back over it.
    case WM_NCPAINT:
        return PaintSkin(nullptr);
    case WM_PRINT:
        return PrintBorder(reinterpret_cast<HDC>(message.WParam));
    default:
        return TSkinControl::AfterMessage(message);
    }
}

HWND TSkinEdit::SpinButtonOf(HWND edit) {
    for (HWND child = GetTopWindow(edit); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[kClassNameChars + 1] = {};
        GetClassNameW(child, name, kClassNameChars + 1);
        const std::wstring className(name);
        if (className == L"msctls_updown32" || className == L"TSpinButton") return child;
    }
    return nullptr;
}

void TSkinEdit::FindUpDown(HWND edit, TSkinData& skinData, gui::TCanvas& canvas) {
    HWND spin = SpinButtonOf(edit);
    ISkinControlHost* host = Host();
    if (!spin || !host) return;
    auto* upDown = new TSkinUpDown(Owner());
    host->RegisterControlObject(upDown);
    upDown->InEdit = true;
    upDown->AttachHandle(spin, skinData, canvas);
    UpDown = upDown;
    InvalidateRect(spin, nullptr, TRUE);
}

void TSkinEdit::DrawSkin(HDC dc, const RECT& rect) {
    if (!UpDown) FindUpDown(Handle, *SkinData, *Canvas);
    if (!HasBorder(Handle, rect, 0)) return;
    FrameWith(dc, rect, gui::ColorToRGB(SkinData->ButtonShadowColour));
    RECT inner = rect;
    InflateRect(&inner, -1, -1);
    FrameWith(dc, inner, RGB(255, 255, 255));
}

void TSkinEdit::PrintBorder(HDC dc) {
    RECT rect{};
    if (!Handle || !GetWindowRect(Handle, &rect)) return;
    WindowRect = rect;
    OffsetRect(&rect, -rect.left, -rect.top);
    try {
        if (dc) return DrawPrintBorder(dc, rect);
        gui::WindowDc windowDc(Handle, gui::WindowDc::WholeWindow);
        if (windowDc) DrawPrintBorder(windowDc.get(), rect);
    } catch (...) {
        // A printed edit keeps its own border.
        ReportCurrentException("edit border painter");
    }
}

void TSkinEdit::DrawPrintBorder(HDC dc, const RECT& rect) {
    if (!HasBorder(Handle, rect, 2)) return;
    RECT inner = rect;
    InflateRect(&inner, -1, -1);
    FrameRect(dc, &inner, static_cast<HBRUSH>(GetCurrentObject(dc, OBJ_BRUSH)));
    FrameWith(dc, rect, gui::ColorToRGB(SkinData->ButtonShadowColour));
}

} // namespace skin
