// TSkinProgress: a progress bar drawn from the skin's progress element instead of by itself, as a bar (the
// element's second frame over the filled part) or as a row of chunks, horizontal or vertical.
#pragma once

#include "skin/controls/skin_control.h"

namespace skin {

class TSkinProgress : public TSkinControl {
  public:
    using TSkinControl::TSkinControl;
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    bool BeforeMessage(gui::TMessage& message) override;
    void AfterMessage(gui::TMessage& message) override;
    void DrawSkin(HDC dc, const RECT& rect) override;

    // How much of length the position fills: nothing unless both the position and the upper limit are
    // above zero (the lower limit does not count), never more than all of it.
    static int FilledLength(int length, int position, int upperLimit);

  private:
    bool HasImage() const;
    void DrawBar(Bitmap& work, const Rect& area, int filled, bool vertical) const;
    // The chunks fill their share of the track between the element's margins, never past its far end;
    // upright, each chunk is turned a quarter so that its gap still separates it from the next one.
    void DrawChunks(Bitmap& work, const Rect& area, int position, int upperLimit, bool vertical) const;
};

} // namespace skin
