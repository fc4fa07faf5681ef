#include "skin/controls/skin_check.h"

#include "framework/gui/handles.h"
#include "framework/gui/offscreen_buffer.h"
#include "skin/component/skin_data.h"

#include <algorithm>
#include <cctype>

namespace skin {
namespace {

// The framework notifications after which a check box or radio button may look different.
constexpr UINT kCheckNotification1 = gui::CM_BASE + 0x1B;
constexpr UINT kCheckNotification2 = gui::CM_BASE + 0xD0;

constexpr int kDefaultDpi = 96;

} // namespace

int SystemGlyphBox(int dpi) noexcept {
    return 12 * dpi / kDefaultDpi + 1;
}

bool TSkinGlyphButton::BeforeMessage(gui::TMessage& message) {
    if (message.Msg == WM_PAINT && message.WParam == 0) {
        PaintComposed(message);
        return false;
    }
    return true;
}

void TSkinGlyphButton::PaintComposed(gui::TMessage& message) {
    const gui::PaintDc paint(Handle);
    HDC dc = paint.get();
    if (!dc) return;
    RECT client{};
    GetClientRect(Handle, &client);
    // Composed off-screen in a kept surface (a DIB section: a bitmap compatible with the screen costs some
    // systems round trips to the display server to make and select, on every paint).
    const gui::BorrowedBuffer memory(client.right, client.bottom);
    if (!memory) return;
    gui::TMessage own{WM_PAINT, reinterpret_cast<WPARAM>(memory.get()), 0, 0, Handle};
    CallPreviousProc(own);
    PaintSkin(memory.get());
    BitBlt(dc, 0, 0, client.right, client.bottom, memory.get(), 0, 0, SRCCOPY);
    message.Result = 0;
}

void TSkinGlyphButton::AfterMessage(gui::TMessage& message) {
    switch (message.Msg) {
    case BM_SETCHECK:
    // The system button paints its box at once, not through WM_PAINT, when it is pushed or released.
    case BM_SETSTATE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case kCheckNotification1:
    case kCheckNotification2:
        return RedrawNow();
    default:
        return TSkinControl::AfterMessage(message);
    }
}

int TSkinGlyphButton::CheckedValue(LRESULT windowAnswer) const {
    std::string checked;
    if (Control && ReadPropertyText(*Control, "Checked", checked)) {
        std::transform(checked.begin(), checked.end(), checked.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return checked == "true" ? kGlyphChecked : kGlyphUnchecked;
    }
    return (windowAnswer & BST_CHECKED) ? kGlyphChecked : kGlyphUnchecked;
}

RECT TSkinGlyphButton::GlyphRect(const RECT& rect, int width, int height) const {
    RECT glyph{};
    glyph.top = rect.top + ((rect.bottom - rect.top) - height) / 2;
    glyph.bottom = glyph.top + height;
    const bool boxRight = (GetWindowLongPtrW(Handle, GWL_STYLE) & BS_LEFTTEXT) != 0;
    if (!boxRight) {
        glyph.left = width <= kGlyphColumn ? rect.left + (kGlyphColumn - width) / 2 : rect.left;
        glyph.right = glyph.left + width;
    } else {
        glyph.right = width <= kGlyphColumn ? rect.right - (kGlyphColumn - width) / 2 : rect.right - 1;
        glyph.left = glyph.right - width;
    }
    return glyph;
}

void TSkinGlyphButton::DrawSkin(HDC dc, const RECT& rect) {
    if (!SkinData || !SkinData->Buttons) return;
    const Bitmap* image = &(*SkinData->Buttons.*image_);
    if (image->empty()) return;
    const int frames = std::max(*SkinData->Buttons.*frames_, 1);
    const int width = image->width() / frames;
    if (width <= 0) return;
    const RECT glyph = GlyphRect(rect, width, image->height());
    const int box = SystemGlyphBox(GetDeviceCaps(dc, LOGPIXELSX));
    const bool boxRight = (GetWindowLongPtrW(Handle, GWL_STYLE) & BS_LEFTTEXT) != 0;
    // The cell: the system's box and the glyph, across the control's whole height.
    RECT cell = rect;
    if (!boxRight) {
        cell.right = std::max<LONG>(glyph.right, rect.left + box);
        const int shift = cell.right - (rect.left + box);
        const int text = rect.right - cell.right;
        if (shift > 0 && text > 0)
            BitBlt(dc, cell.right, rect.top, text, rect.bottom - rect.top, dc, rect.left + box, rect.top,
                   SRCCOPY);
    } else {
        cell.left = std::min<LONG>(glyph.left, rect.right - box);
        const int shift = (rect.right - box) - cell.left;
        const int text = cell.left - rect.left;
        if (shift > 0 && text > 0)
            BitBlt(dc, rect.left, rect.top, text, rect.bottom - rect.top, dc, rect.left + shift, rect.top,
                   SRCCOPY);
    }
    FillFace(dc, cell);
    DrawStripFrame(dc, glyph, frames, GlyphFrame(), *image);
}

// ---- check box ----

const rtl::TClassInfo& TSkinCheckBox::StaticClassInfo() {
    static const rtl::TClassInfo info{"TSkinCheckBox", &TSkinControl::StaticClassInfo(), {}};
    return info;
}

TSkinCheckBox::TSkinCheckBox(rtl::TComponent* owner)
    : TSkinGlyphButton(owner, &TDataSkinButton::CheckButtonImage, &TDataSkinButton::CheckButtonFrame) {}

int TSkinCheckBox::GlyphFrame() const {
    const LRESULT state = SendMessageW(Handle, BM_GETSTATE, 0, 0);
    int frame = CheckedValue(state);
    if (GetWindowLongPtrW(Handle, GWL_STYLE) & WS_DISABLED) frame += kGlyphDisabledOffset;
    if (state & BST_INDETERMINATE) frame = kGlyphIndeterminate;
    return frame;
}

// ---- radio button ----

const rtl::TClassInfo& TSkinRadioButton::StaticClassInfo() {
    static const rtl::TClassInfo info{"TSkinRadioButton", &TSkinControl::StaticClassInfo(), {}};
    return info;
}

TSkinRadioButton::TSkinRadioButton(rtl::TComponent* owner)
    : TSkinGlyphButton(owner, &TDataSkinButton::RadioButtonImage, &TDataSkinButton::RadioButtonFrame) {}

int TSkinRadioButton::GlyphFrame() const {
    int frame = CheckedValue(SendMessageW(Handle, BM_GETCHECK, 0, 0));
    if (GetWindowLongPtrW(Handle, GWL_STYLE) & WS_DISABLED) frame += kGlyphDisabledOffset;
    return frame;
}

} // namespace skin
