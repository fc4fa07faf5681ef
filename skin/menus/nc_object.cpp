#include "skin/menus/nc_object.h"

namespace skin {

void TNCObject::MouseDown() {
    if (TNCObject* hot = Host.HotNcObject(); hot && hot != this) hot->MouseLeave();
    if (!Visible) return;
    Host.SetHotNcObject(this);
    State = kStatePressedFrame;
    Paint();
}

void TNCObject::MouseUp() {
    if (!Visible) return;
    State = kStateHotFrame;
    Paint();
}

void TNCObject::MouseEnter() {
    if (Host.HotNcObject() == this) return;
    if (TNCObject* hot = Host.HotNcObject()) hot->MouseLeave();
    if (!Visible) return;
    Host.SetHotNcObject(this);
    State = kStateHotFrame;
    Paint();
}

void TNCObject::MouseLeave() {
    if (!Visible) return;
    if (Host.HotNcObject() == this) Host.SetHotNcObject(nullptr);
    State = kStateNormalFrame;
    Paint();
}

} // namespace skin
