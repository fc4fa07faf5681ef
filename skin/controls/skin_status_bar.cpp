#include "skin/controls/skin_status_bar.h"

#include "framework/gui/wide.h"
#include "skin/component/skin_data.h"
#include "skin/controls/control_drawing.h"
#include "skin/draw/blit.h"
#include "skin/draw/skin_image.h"
#include "skin/draw/win/bitmap_dc.h"
#include "skin/draw/win/win_rect.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

namespace skin {
namespace {

constexpr int kStatusFrames = 3;
constexpr int kSunkenFrame = 1, kRaisedFrame = 2, kFlatFrame = 3;
constexpr int kSizeGripFrame = 5;
constexpr int kTextInset = 2;

// A panel as the status window holds it: its text without the leading tabs that place it, where it goes,
// and how its edge looks.
struct PanelContent {
    std::string Text;
    TextAlignment Alignment = TextAlignment::Left;
    int Frame = kSunkenFrame;
};

PanelContent ReadPanel(HWND bar, int index) {
    PanelContent panel;
    const LRESULT lengthAndType = SendMessageW(bar, SB_GETTEXTLENGTHW, static_cast<WPARAM>(index), 0);
    const UINT type = HIWORD(lengthAndType);
    std::wstring text(static_cast<std::size_t>(LOWORD(lengthAndType)) + 1, L'\0');
    SendMessageW(bar, SB_GETTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(wcslen(text.c_str()));
    std::size_t tabs = 0;
    while (tabs < text.size() && tabs < 2 && text[tabs] == L'\t')
        ++tabs;
    panel.Text = gui::Narrow(text.substr(tabs));
    panel.Alignment = tabs == 1   ? TextAlignment::Centre
                      : tabs == 2 ? TextAlignment::Right
                                  : TextAlignment::Left;
    // Read right to left, the text's start is at the right.
    if ((type & SBT_RTLREADING) && panel.Alignment != TextAlignment::Centre) {
        panel.Alignment = panel.Alignment == TextAlignment::Left ? TextAlignment::Right : TextAlignment::Left;
    }
    panel.Frame = (type & SBT_NOBORDERS) ? kFlatFrame : (type & SBT_POPOUT) ? kRaisedFrame : kSunkenFrame;
    return panel;
}

} // namespace

const rtl::TClassInfo& TSkinStatusBar::StaticClassInfo() {
    static const rtl::TClassInfo info{"TSkinStatusBar", &TSkinControl::StaticClassInfo(), {}};
    return info;
}

bool TSkinStatusBar::BeforeMessage(gui::TMessage& message) {
    return PaintInsteadOfControl(message);
}

RECT TSkinStatusBar::SizeGripRect(const TDataSkinObject& extraImages, int width, int height) {
    const int frameWidth = extraImages.Image.width() / std::max(extraImages.FrameCount, 1);
    const int frameHeight = extraImages.Image.height();
    // The corner is one pixel inside the window's own.
    return RECT{width - 1 - frameWidth, height - 1 - frameHeight, width - 1, height - 1};
}

void TSkinStatusBar::DrawSkin(HDC dc, const RECT& rect) {
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) return;
    Bitmap work(win::DibPixelAllocator(), width, height);
    FillRect(work, work.bounds(), ColourToPixel(static_cast<Colour>(FaceColour())));
    {
        FaceCanvas face(work, Handle);
        gui::TCanvas& canvas = face.canvas();
        if (SkinData->StatusBarEdges)
            SetTextColor(face.dc(), gui::ColorToRGB(SkinData->StatusBarEdges->NormalColour2));
        const int panels = static_cast<int>(SendMessageW(Handle, SB_GETPARTS, 0, 0));
        if (SendMessageW(Handle, SB_ISSIMPLE, 0, 0) || panels <= 0) {
            const PanelContent simple = ReadPanel(Handle, 0);
            DrawPanel(canvas, work, RECT{0, 0, width, height}, kSunkenFrame, TextAlignment::Left,
                      simple.Text);
        } else {
            for (int i = 0; i < panels; ++i) {
                RECT part{};
                SendMessageW(Handle, SB_GETRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&part));
                // The last panel reaches the right edge whatever its width.
                if (i == panels - 1) part.right = width;
                const PanelContent panel = ReadPanel(Handle, i);
                DrawPanel(canvas, work, part, panel.Frame, panel.Alignment, panel.Text);
            }
        }
        const TDataSkinObject* extra = SkinData->ExtraImages.get();
        if ((GetWindowLongPtrW(Handle, GWL_STYLE) & SBARS_SIZEGRIP) && extra && !extra->Image.empty()) {
            skin::DrawStripFrame(face.dc(), SizeGripRect(*extra, width, height), extra->FrameCount,
                                 kSizeGripFrame, extra->Image);
        }
    }
    win::CopyToDc(dc, rect.left, rect.top, work, work.bounds());
}

void TSkinStatusBar::DrawPanel(gui::TCanvas& canvas, Bitmap& work, const RECT& rect, int frame,
                               TextAlignment alignment, const std::string& text) {
    const TDataSkinObject* edges = SkinData->StatusBarEdges.get();
    if (edges && !edges->Image.empty()) {
        GdiFlush(); // the text of the panel before reaches the pixels first
        DrawSkinImage(work, win::ToRect(rect), edges->Image, edges->Margins(),
                      {.frame = frame, .frameCount = kStatusFrames, .tile = edges->Tile != 0});
    } else if (frame != kFlatFrame) {
        RECT edge = rect;
        DrawEdge(canvas.Handle(), &edge, frame == kSunkenFrame ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    }
    RECT textRect = rect;
    textRect.left += kTextInset;
    textRect.right -= kTextInset;
    DrawCaptionText(canvas, textRect, alignment, true, text.empty() ? std::string(" ") : text);
}

} // namespace skin
