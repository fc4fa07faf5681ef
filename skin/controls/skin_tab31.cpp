#include "skin/controls/skin_tab31.h"

#include "framework/gui/graphics.h"
#include "framework/gui/tab_set.h"
#include "skin/component/skin_data.h"
#include "skin/controls/control_drawing.h"
#include "skin/controls/skin_tab.h"
#include "skin/draw/bitmap_transforms.h"
#include "skin/draw/blit.h"
#include "skin/draw/skin_image.h"
#include "skin/draw/win/bitmap_dc.h"
#include "skin/draw/win/win_rect.h"

namespace skin {
namespace {

constexpr int kFrameNormal = 1;
constexpr int kFrameSelected = 2;

} // namespace

const rtl::TClassInfo& TSkinTab31::StaticClassInfo() {
    static const rtl::TClassInfo info{"TSkinTab31", &TSkinControl::StaticClassInfo(), {}};
    return info;
}

void TSkinTab31::Attach(gui::TWinControl& control, TSkinData& skinData, bool useSkinColour,
                        gui::TCanvas& canvas) {
    if (Attached) return;
    TSkinControl::Attach(control, skinData, useSkinColour, canvas);
    PrepareTabImage();
    const auto& owned = control.Components();
    Scroller = owned.empty() ? nullptr : dynamic_cast<gui::TTabScroller*>(owned.front());
    if (Scroller) UpDown = SkinTabScroller(Owner(), Scroller->Handle(), skinData, canvas, true);
}

void TSkinTab31::SkinChanged() {
    TSkinControl::SkinChanged();
    PrepareTabImage();
}

void TSkinTab31::PrepareTabImage() {
    TabImage = SkinData && SkinData->Tabs ? SkinData->Tabs->Image : Bitmap();
    FlipBitmap(TabImage);
}

bool TSkinTab31::BeforeMessage(gui::TMessage& message) {
    switch (message.Msg) {
    case WM_PAINT:
        HandlePaintMessage(message);
        return true;
    case WM_ERASEBKGND:
        message.Result = 1;
        return false;
    default:
        return true;
    }
}

void TSkinTab31::AfterMessage(gui::TMessage& message) {
    // A paint of the window's own: the skin painted all of it and validated it before the tab set had the
    // message, so the tab set found nothing to paint and the skin's pixels are still there.
    if (message.Msg == WM_PAINT && message.WParam == 0) return;
    TSkinControl::AfterMessage(message);
}

void TSkinTab31::DrawSkin(HDC dc, const RECT& rect) {
    auto* tabSet = dynamic_cast<gui::TTabSet*>(Control);
    if (!tabSet || !SkinData->Tabs || SkinData->Tabs->Image.empty()) return;
    const TDataSkinBorder& tabs = *SkinData->Tabs;
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    if (w <= 0 || h <= 0) return;
    Bitmap face(w, h, ColourToPixel(static_cast<Colour>(FaceColour())));
    {
        const win::BitmapDc faceDc(face);
        gui::TCanvas canvas(faceDc.get());
        canvas.SetFont(*tabSet->EffectiveFont());
        const std::vector<std::string> captions = tabSet->Tabs();
        for (const gui::TTabSetItem& item : tabSet->VisibleTabs()) {
            const RECT at{item.Rect.left, 0, item.Rect.right, h};
            const int frame = item.Index == tabSet->TabIndex() ? kFrameSelected : kFrameNormal;
            GdiFlush(); // the text drawn so far reaches the pixels before the image goes over them
            skin::DrawSkinImage(face, win::ToRect(at), TabImage, tabs.Margins(),
                                {.frame = frame,
                                 .frameCount = tabs.FrameCount,
                                 .transparent = tabs.Trans != 0,
                                 .tile = tabs.Tile != 0});
            SetTextColor(faceDc.get(),
                         gui::ColorToRGB(static_cast<gui::TColor>(
                             frame == kFrameSelected ? tabs.MouseOverColour2 : tabs.NormalColour2)));
            DrawCaptionText(canvas, at, TextAlignment::Centre, true,
                            captions[static_cast<std::size_t>(item.Index)]);
        }
    }
    win::CopyToDc(dc, rect.left, rect.top, face, face.bounds());
}

} // namespace skin
