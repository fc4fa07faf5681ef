#include "skin/controls/skin_progress.h"

#include "skin/component/skin_data.h"
#include "skin/controls/control_drawing.h"
#include "skin/draw/bitmap_transforms.h"
#include "skin/draw/blit.h"
#include "skin/draw/skin_image.h"
#include "skin/draw/win/bitmap_dc.h"

#include <commctrl.h>

#include <algorithm>

namespace skin {
namespace {

constexpr int kProgressFrames = 2;
constexpr int kTroughFrame = 1, kFillFrame = 2;
constexpr int kChunkStyle = 1;

} // namespace

const rtl::TClassInfo& TSkinProgress::StaticClassInfo() {
    static const rtl::TClassInfo info{"TSkinProgress", &TSkinControl::StaticClassInfo(), {}};
    return info;
}

bool TSkinProgress::HasImage() const {
    return SkinData && SkinData->Progress && !SkinData->Progress->Image.empty();
}

bool TSkinProgress::BeforeMessage(gui::TMessage& message) {
    // Without the skin's image the bar paints itself, but still without erasing first.
    if (message.Msg == WM_PAINT && !HasImage()) return true;
    return PaintInsteadOfControl(message);
}

void TSkinProgress::AfterMessage(gui::TMessage& message) {
    switch (message.Msg) {
    // A new position may be drawn by the bar itself at once, outside WM_PAINT: the skin's goes over it.
    case PBM_SETPOS:
    case PBM_DELTAPOS:
    case PBM_STEPIT:
    case PBM_SETRANGE:
    case PBM_SETRANGE32:
        if (HasImage()) RedrawNow();
        return;
    default:
        return TSkinControl::AfterMessage(message);
    }
}

int TSkinProgress::FilledLength(int length, int position, int upperLimit) {
    if (position <= 0 || upperLimit <= 0 || length <= 0) return 0;
    const long long filled = static_cast<long long>(length) * position / upperLimit;
    return static_cast<int>(std::min<long long>(filled, length));
}

void TSkinProgress::DrawSkin(HDC dc, const RECT& rect) {
    if (!HasImage()) return;
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) return;
    Bitmap work(win::DibPixelAllocator(), width, height);
    FillRect(work, work.bounds(), ColourToPixel(static_cast<Colour>(FaceColour())));
    const bool vertical = (GetWindowLongPtrW(Handle, GWL_STYLE) & PBS_VERTICAL) != 0;
    const int position = static_cast<int>(SendMessageW(Handle, PBM_GETPOS, 0, 0));
    const int upperLimit = static_cast<int>(SendMessageW(Handle, PBM_GETRANGE, FALSE, 0));
    const Rect area{0, 0, width, height};
    if (SkinData->Progress->Style == kChunkStyle) {
        DrawChunks(work, area, position, upperLimit, vertical);
    } else {
        DrawBar(work, area, FilledLength(vertical ? height : width, position, upperLimit), vertical);
    }
    win::CopyToDc(dc, rect.left, rect.top, work, area);
}

void TSkinProgress::DrawBar(Bitmap& work, const Rect& area, int filled, bool vertical) const {
    const TDataSkinBorder& element = *SkinData->Progress;
    const Rect margins = element.Margins();
    const bool tile = element.Tile != 0;
    DrawSkinImage(work, area, element.Image, margins,
                  {.frame = kTroughFrame, .frameCount = kProgressFrames, .transparent = true, .tile = tile});
    if (filled <= 0) return;
    // A vertical bar fills from the bottom up.
    const Rect part = vertical ? Rect{area.Left, area.Bottom - filled, area.Right, area.Bottom}
                               : Rect{area.Left, area.Top, area.Left + filled, area.Bottom};
    DrawSkinImage(work, part, element.Image, margins,
                  {.frame = kFillFrame, .frameCount = kProgressFrames, .transparent = true, .tile = tile});
}

void TSkinProgress::DrawChunks(Bitmap& work, const Rect& area, int position, int upperLimit,
                               bool vertical) const {
    const TDataSkinBorder& element = *SkinData->Progress;
    if (element.SecondImage.empty()) return;
    DrawSkinImage(work, area, element.Image, element.Margins(),
                  {.transparent = true, .tile = element.Tile != 0});
    const Colour key = kSkinKeyColour;
    if (!vertical) {
        const Bitmap& chunk = element.SecondImage;
        const int track = area.Right - area.Left - element.LeftWidth - element.RightWidth;
        const int filled = FilledLength(track, position, upperLimit);
        if (filled <= 0) return;
        // Whole chunks side by side from the left margin, cut where the filled part ends.
        Bitmap strip(filled, chunk.height());
        for (int i = 0; i <= filled / chunk.width(); ++i) {
            CopyRect(strip, Point{i * chunk.width(), 0}, chunk, chunk.bounds());
        }
        const int left = area.Left + element.LeftWidth;
        const int top = area.Top + (area.Bottom - area.Top - chunk.height()) / 2;
        DrawTransparent(work, Rect{left, top, left + filled, top + chunk.height()}, strip, key);
        return;
    }
    // Upright, the chunks stack from the bottom margin up, centred across the bar, their leading edge on top.
    Bitmap chunk = element.SecondImage;
    RotateBitmapLeft(chunk);
    const int track = area.Bottom - area.Top - element.TopHeight - element.BottomHeight;
    const int filled = FilledLength(track, position, upperLimit);
    if (filled <= 0) return;
    Bitmap strip(chunk.width(), filled);
    for (int i = 0; i <= filled / chunk.height(); ++i) {
        CopyRect(strip, Point{0, filled - (i + 1) * chunk.height()}, chunk, chunk.bounds());
    }
    const int left = area.Left + (area.Right - area.Left - chunk.width()) / 2;
    const int bottom = area.Bottom - element.BottomHeight;
    DrawTransparent(work, Rect{left, bottom - filled, left + chunk.width(), bottom}, strip, key);
}

} // namespace skin
