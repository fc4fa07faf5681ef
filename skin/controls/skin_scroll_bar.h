// TSkinScrollBar: the window scroll bars of scrolling controls (memos, list boxes, grids ...) painted from
// the skin over the system's, in the non-client area, after the system's non-client paint and after every
// scroll; it can also run the thumb dragging itself. Also the bar composition the stand-alone bar shares:
// every bar is composed 16 pixels thick and stretched onto its real rectangle.
#pragma once

#include "skin/controls/skin_control.h"
#include "skin/draw/win/bitmap_dc.h"

#include <cstdint>
#include <memory>

namespace skin {

// The part shown pressed (HitPart).
constexpr int kHitNone = 0;
constexpr int kHitLeftArrow = 1;
constexpr int kHitRightArrow = 2;
constexpr int kHitUpArrow = 3;
constexpr int kHitDownArrow = 4;
constexpr int kHitHorzThumb = 5;
constexpr int kHitVertThumb = 6;

// Frames of the arrow strip: normal ones, each followed by its pressed look; the disabled look is three on.
constexpr int kScrollArrowFrames = 23;
constexpr int kLeftArrowFrame = 1;
constexpr int kRightArrowFrame = 5;
constexpr int kUpArrowFrame = 9;
constexpr int kDownArrowFrame = 13;
constexpr int kArrowPressedOffset = 1;
constexpr int kArrowDisabledOffset = 3;
// Thickness the skin draws its bars at.
constexpr int kSkinBarThickness = 16;

struct TScrollBarMetrics {
    int ArrowSize = 0;
    int TrackLength = 0;
    int ThumbLength = 0;
    int ThumbPos = 0; // from the track's start
    DWORD StyleBit = 0;
};

// What one bar shows.
struct TBarLook {
    bool Vertical = false;
    int HitPart = kHitNone;
    bool Disabled = false;   // disabled arrows, no thumb
    bool TrackTrans = false; // the track element's own Trans and Tile, or the window bars' choice
    bool TrackTile = false;
};

// The thumb's smallest length.
int MinimumThumbLength();
// Composes one bar (16 pixels thick, in ScrollbarColour: track, arrows, thumb) in work and stretches it
// onto bar in dc. Draws nothing without the skin's arrow strip or for unreasonable sizes. The caller keeps
// work between paints: a bar of the same length reuses its memory.
void ComposeScrollBar(HDC dc, const RECT& bar, const TSkinData& skin, const TScrollBarMetrics& metrics,
                      const TBarLook& look, Bitmap& work);

class TSkinScrollBar : public TSkinControl {
  public:
    using TSkinControl::TSkinControl;
    ~TSkinScrollBar() override;
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    // Hooks the control without double buffering or colour change and has its frame recalculated.
    // handleDrag: a left press on a thumb runs this object's own drag loop.
    void AttachScrollBars(gui::TWinControl& control, TSkinData& skinData, bool handleDrag,
                          gui::TCanvas& canvas);
    void Detach() override;
    // The control's background in the skin's button face while attached (its own colour back at detach).
    void TakeFaceColour();
    bool BeforeMessage(gui::TMessage& message) override;
    void AfterMessage(gui::TMessage& message) override;
    void DrawSkin(HDC dc, const RECT& rect) override;

    // The part of the bar at p (client coordinate along it): SB_LINEUP, SB_PAGEUP, SB_THUMBTRACK,
    // SB_PAGEDOWN, SB_LINEDOWN, or -1 beyond.
    int HitTestBar(int p, bool vertical) const;
    // One step of a thumb drag to pos: the position is set without the system drawing its bar (the skin's is
    // painted once the control has scrolled), then the control is told to track it.
    void TrackThumb(bool vertical, int pos);

    int HitPart = kHitNone;
    DWORD WindowStyle = 0;
    DWORD WindowExStyle = 0;
    RECT CornerRect{};
    bool Dragging = false;
    bool HandleDrag = false;
    bool InVertScroll = false;
    bool InHorzScroll = false;
    SCROLLINFO HorzInfo{sizeof(SCROLLINFO), 0, 0, 0, 0, 0, 0};
    SCROLLINFO VertInfo{sizeof(SCROLLINFO), 0, 0, 0, 0, 0, 0};
    RECT HorzRect{};
    RECT VertRect{};
    TScrollBarMetrics HorzMetrics{};
    TScrollBarMetrics VertMetrics{};

  protected:
    void CalcBarRects(const RECT& r);
    void DrawBar(HDC dc, const RECT& bar, bool vertical);
    void CalcThumb(const RECT& bar, bool vertical);
    bool BarButtonDown(gui::TMessage& message);
    // The modal loop of a thumb drag that began with a press at start (screen coordinates).
    void DragThumb(bool vertical, UINT scrollMessage, POINT start);

  private:
    bool OnScroll(gui::TMessage& message, bool vertical);
    // Whether the skin draws the bars of the next frame paint, all of them.
    bool SkinPaintsBars() const;
    // Whether a frame paint of this update region (1: the whole frame) reaches where bars are; the system
    // draws nothing of its bars otherwise.
    bool ReachesBars(WPARAM updateRegion) const;
    // The control's own frame paint, without the system's bars under the skin's.
    void PaintFrameWithoutSystemBars(gui::TMessage& message);
    // The bars show what the control's scroll state is: repainted when it changed behind the bars' back
    // (keys, the wheel, text changes scroll the control without a scroll message).
    void RepaintIfScrolled();
    std::uint64_t ScrollSignature() const;

    std::uint64_t paintedSignature_ = 0;
    bool hidingBars_ = false; // the bar styles are off for the control's own frame paint
    // The horizontal and the vertical bar are composed here, kept between paints.
    Bitmap barBitmaps_[2]{{win::DibPixelAllocator(), 0, 0}, {win::DibPixelAllocator(), 0, 0}};
    // False once this object is gone: a drag loop dispatches messages that may free it.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

} // namespace skin
