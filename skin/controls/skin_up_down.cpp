#include "skin/controls/skin_up_down.h"

#include "framework/gui/handles.h"
#include "skin/component/skin_data.h"
#include "skin/controls/control_drawing.h"
#include "skin/draw/blit.h"
#include "skin/draw/skin_image.h"
#include "skin/draw/win/bitmap_dc.h"
#include "skin/draw/win/win_rect.h"

#include <commctrl.h>

#include <algorithm>

namespace skin {
namespace {

constexpr int kUpDownFrames = 8;
constexpr int kFramesPerArrow = 4;

// A line from a up to, but not including, b.
void Line(HDC dc, int ax, int ay, int bx, int by) {
    MoveToEx(dc, ax, ay, nullptr);
    LineTo(dc, bx, by);
}

} // namespace

const rtl::TClassInfo& TSkinUpDown::StaticClassInfo() {
    static const rtl::TClassInfo info{"TSkinUpDown", &TSkinControl::StaticClassInfo(), {}};
    return info;
}

bool TSkinUpDown::BeforeMessage(gui::TMessage& message) {
    switch (message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        CallPreviousProc(message);
        SetState(kPressed, true);
        PaintSkin(nullptr);
        return false;
    case WM_LBUTTONUP:
        SetState(kPressed, false);
        CallPreviousProc(message);
        PaintSkin(nullptr);
        return false;
    default:
        return PaintInsteadOfControl(message);
    }
}

int TSkinUpDown::HalfFrame(Direction direction, int state) {
    const int arrow = direction >= Left ? direction - Left : direction;
    return state + kFramesPerArrow * arrow;
}

int TSkinUpDown::HalfState(const RECT& half, bool enabled, POINT cursor) const {
    if (!enabled) return kDisabled;
    if (!PtInRect(&half, cursor)) return kNormal;
    if (Pressed()) return kPressed;
    return MouseOver() ? kHot : kNormal;
}

void TSkinUpDown::DrawSkin(HDC dc, const RECT& rect) {
    RECT client{};
    GetClientRect(Handle, &client);
    if (client.right <= 0 || client.bottom <= 0) return;
    Bitmap work(client.right, client.bottom, ColourToPixel(static_cast<Colour>(FaceColour())));
    RECT area = client;
    if (InEdit) InflateRect(&area, -1, -1);
    const auto style = GetWindowLongPtrW(Handle, GWL_STYLE);
    const bool enabled = !(style & WS_DISABLED);
    POINT cursor{};
    GetCursorPos(&cursor);
    ScreenToClient(Handle, &cursor);
    const bool horizontal = InTabSet || (style & UDS_HORZ);
    RECT first = area, second = area;
    if (horizontal) {
        first.right = second.left = area.left + (area.right - area.left) / 2;
    } else {
        first.bottom = second.top = area.top + (area.bottom - area.top) / 2;
    }
    {
        win::BitmapDc bitmapDc(work);
        DrawHalf(work, bitmapDc.get(), first, horizontal ? Left : Up, HalfState(first, enabled, cursor));
        DrawHalf(work, bitmapDc.get(), second, horizontal ? Right : Down, HalfState(second, enabled, cursor));
    }
    win::CopyToDc(dc, rect.left, rect.top, work, work.bounds());
}

void TSkinUpDown::DrawHalf(Bitmap& work, HDC dc, const RECT& half, Direction direction, int state) {
    const bool horizontal = direction >= Left;
    const TDataSkinBorder* element = horizontal ? SkinData->UpDownHorz.get() : SkinData->UpDownVert.get();
    if (element && !element->Image.empty() && !element->SecondImage.empty()) {
        GdiFlush();
        const int frame = HalfFrame(direction, state);
        DrawSkinFrame(work, win::ToRect(half), element->Image,
                      {.frame = frame, .frameCount = kUpDownFrames, .transparent = true});
        const Bitmap& glyphs = element->SecondImage;
        const int glyphWidth = glyphs.width() / std::max(element->FrameCount, 1),
                  glyphHeight = glyphs.height();
        const int x = half.left + (half.right - half.left - glyphWidth) / 2;
        const int y = half.top + (half.bottom - half.top - glyphHeight) / 2;
        DrawSkinFrame(work, Rect{x, y, x + glyphWidth, y + glyphHeight}, glyphs,
                      {.frame = frame, .frameCount = element->FrameCount, .transparent = true});
        return;
    }
    const bool sunk = state == kPressed || state == kHot;
    const gui::UniqueBrush brush(
        CreateSolidBrush(gui::ColorToRGB(sunk ? SkinData->ButtonShadowColour : SkinData->ButtonFaceColour)));
    const gui::UniquePen pen(CreatePen(PS_SOLID, 1, gui::ColorToRGB(SkinData->ButtonDkShadowColour)));
    const gui::SelectedObject brushSelected(dc, brush.get());
    const gui::SelectedObject penSelected(dc, pen.get());
    Rectangle(dc, half.left, half.top, half.right, half.bottom);
    const int x = half.left + (half.right - half.left) / 2;
    const int y = half.top + (half.bottom - half.top) / 2 - (horizontal ? 0 : 2);
    DrawArrowLines(dc, x, y, direction);
}

void TSkinUpDown::DrawArrowLines(HDC dc, int x, int y, Direction direction) {
    switch (direction) {
    case Up:
        Line(dc, x, y, x, y - 1);
        Line(dc, x + 1, y + 1, x + 4, y + 4);
        Line(dc, x, y + 1, x + 3, y + 4);
        Line(dc, x, y + 2, x + 2, y + 4);
        Line(dc, x - 1, y + 1, x - 4, y + 4);
        Line(dc, x, y + 2, x - 3, y + 4);
        Line(dc, x, y + 1, x - 2, y + 4);
        return;
    case Down:
        Line(dc, x, y + 3, x, y + 4);
        Line(dc, x + 1, y + 2, x + 4, y - 1);
        Line(dc, x, y + 2, x + 3, y - 1);
        Line(dc, x, y + 1, x + 2, y);
        Line(dc, x - 1, y + 2, x - 4, y - 1);
        Line(dc, x, y + 2, x - 3, y - 1);
        Line(dc, x, y + 1, x - 2, y);
        return;
    case Left:
    case Right: {
        // A closed path: the point, the two ends of the back, the point again.
        const int back = direction == Left ? 1 : -1;
        MoveToEx(dc, x, y, nullptr);
        LineTo(dc, x + back, y + 2);
        LineTo(dc, x + back, y - 2);
        LineTo(dc, x - back, y);
        LineTo(dc, x + back, y + 2);
        return;
    }
    }
}

} // namespace skin
