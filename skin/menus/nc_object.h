// Non-client objects of a skinned window: the caption buttons drawn from the skin's [Button...] elements
// and the menu bar items. Each has a place in window coordinates and a state (normal, pressed, hot) that
// the non-client mouse messages of its window move it through. The base sits with the menus because a menu
// bar item is one; the window it belongs to is known only as the INonClientHost below.
#pragma once

#include <windows.h>

namespace skin {

class TNCObject;

// States of a non-client object; they are also the frame numbers of a caption button's strip.
constexpr int kStateNormalFrame = 1;
constexpr int kStatePressedFrame = 2;
constexpr int kStateHotFrame = 3;

// The window of a non-client object: at most one of its objects is hot (under the mouse or pressed).
class INonClientHost {
  public:
    virtual ~INonClientHost() = default;
    virtual TNCObject* HotNcObject() const = 0;
    virtual void SetHotNcObject(TNCObject* object) = 0;
};

class TNCObject {
  public:
    explicit TNCObject(INonClientHost& host) : Host(host) {}
    virtual ~TNCObject() = default;
    TNCObject(const TNCObject&) = delete;
    TNCObject& operator=(const TNCObject&) = delete;

    virtual void MouseDown();
    virtual void MouseUp();
    virtual void MouseEnter();
    virtual void MouseLeave();
    virtual void Paint() {}

    INonClientHost& Host;
    RECT Bounds{};
    bool Visible = false;
    int State = kStateNormalFrame;
};

} // namespace skin
