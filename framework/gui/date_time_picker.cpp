#include "framework/gui/date_time_picker.h"

#include "framework/rtl/property_builders.h"

#include <commctrl.h>

namespace gui {

TDateTimePicker::TDateTimePicker(TComponent* owner) : TWinControl(owner) {
    width_ = 186;
    height_ = 21;
    tabStop_ = true;
    color_ = rtl::clWindow;
    parentColor_ = false;
}

const rtl::TClassInfo& TDateTimePicker::StaticClassInfo() {
    using namespace rtl;
    static const TClassInfo info{
        "TDateTimePicker",
        &TWinControl::StaticClassInfo(),
        {
            EnumProperty("Kind", {"dtkDate", "dtkTime"}, &TDateTimePicker::SetKind, &TDateTimePicker::Kind),
        }};
    return info;
}

void TDateTimePicker::SetKind(TDateTimeKind kind) {
    if (kind == kind_) return;
    kind_ = kind;
    if (!handle_) return;
    // The kind is a window style the control reads when it is created.
    SYSTEMTIME shown = DateTime();
    DestroyHandle();
    value_ = shown;
    valueSet_ = true;
    HandleNeeded();
}

SYSTEMTIME TDateTimePicker::DateTime() const {
    SYSTEMTIME value = value_;
    if (handle_) SendMessageW(handle_, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&value));
    return value;
}

void TDateTimePicker::SetDateTime(const SYSTEMTIME& value) {
    value_ = value;
    valueSet_ = true;
    if (handle_) SendMessageW(handle_, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&value_));
}

void TDateTimePicker::CreateParams(TCreateParams& params) {
    static const bool registered = [] {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_DATE_CLASSES};
        return InitCommonControlsEx(&controls) != FALSE;
    }();
    (void)registered;
    TWinControl::CreateParams(params);
    params.ClassName = DATETIMEPICK_CLASSW;
    params.SystemClass = true;
    params.Style |= kind_ == dtkTime ? DTS_TIMEFORMAT : DTS_SHORTDATEFORMAT;
    params.Style &= ~static_cast<DWORD>(WS_CLIPCHILDREN);
    params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TDateTimePicker::CreateWnd() {
    TWinControl::CreateWnd();
    if (valueSet_) SendMessageW(handle_, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&value_));
}

} // namespace gui
