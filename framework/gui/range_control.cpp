#include "framework/gui/range_control.h"

#include "framework/rtl/property_builders.h"

namespace gui {

const rtl::TClassInfo& TRangeControl::StaticClassInfo() {
    using namespace rtl;
    static const TClassInfo info{
        "TRangeControl",
        &TWinControl::StaticClassInfo(),
        {
            IntegerProperty("Min", &TRangeControl::SetMin, &TRangeControl::Min),
            IntegerProperty("Max", &TRangeControl::SetMax, &TRangeControl::Max),
            IntegerProperty("Position", &TRangeControl::SetPosition, &TRangeControl::Position),
        }};
    return info;
}

void TRangeControl::SetMin(int value) {
    min_ = value;
    if (handle_) SendRange();
}

void TRangeControl::SetMax(int value) {
    max_ = value;
    if (handle_) SendRange();
}

int TRangeControl::Position() const {
    return handle_ ? ReadPosition() : position_;
}

void TRangeControl::SetPosition(int value) {
    const int before = Position();
    position_ = value;
    if (handle_) SendPosition();
    if (Position() != before) PositionChanged();
}

void TRangeControl::Recreate() {
    if (!handle_) return;
    position_ = Position();
    DestroyHandle();
    HandleNeeded();
}

void TRangeControl::CreateWnd() {
    TWinControl::CreateWnd();
    SendRange();
    SendPosition();
}

} // namespace gui
