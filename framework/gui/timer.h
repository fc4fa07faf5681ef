// A timer whose ticks arrive through the message loop.
#pragma once

#include "framework/gui/handles.h"
#include "framework/rtl/component.h"

#include <windows.h>

namespace gui {

class TTimer : public rtl::TComponent {
  public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    int Interval() const { return interval_; }
    void SetInterval(int interval);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    const rtl::TNotifyEvent& OnTimer() const { return onTimer_; }
    void SetOnTimer(rtl::TNotifyEvent handler);

    // Runs OnTimer; exceptions go to the default display.
    void Tick();

  private:
    friend struct TimerEventAccess;
    // The timer runs while it is enabled with an interval and a handler.
    void UpdateTimer();

    int interval_ = 1000;
    bool enabled_ = true;
    rtl::TNotifyEvent onTimer_;
    UniqueWindow window_;
    bool running_ = false;
};

} // namespace gui
