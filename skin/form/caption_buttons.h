// The caption buttons of a skinned window, drawn from the skin's [Button...] elements: non-client objects
// (skin/menus/nc_object.h) that draw themselves over the caption of their form skinning object.
// TCaptionButtons is the row of a window's caption buttons: which show, where they sit, how they are drawn
// and which one a point is on; what a click on one asks for goes to the window through ICaptionButtonHost.
#pragma once

#include "skin/data/skin_records.h"
#include "skin/draw/bitmap.h"
#include "skin/menus/nc_object.h"

#include <windows.h>

#include <cstddef>
#include <memory>
#include <vector>

namespace skin {

class TWinSkinForm;

// One caption button, bound to its skin element (not owned).
class TWinSysButton : public TNCObject {
  public:
    TWinSysButton(TWinSkinForm& skinForm, const TDataSkinSysButton& element);

    void Paint() override;

    TWinSkinForm& SkinForm;
    const TDataSkinSysButton* Element;
};

// Caption button actions: the codes of the skin's [Button...] elements.
constexpr int kActionClose = 0;
constexpr int kActionMaximize = 1;
constexpr int kActionMinimize = 2;
constexpr int kActionSystemMenu = 3;
constexpr int kActionIcon = 11;
// Visibility code of the buttons drawn on the menu bar (the MDI child buttons).
constexpr int kVisibilityOnMenuBar = 100;

// What a click on a caption button asks of its window.
enum class CaptionAction {
    Close,
    Maximize, // maximize, or restore a maximized window
    Minimize, // minimize, or restore a minimized window
    IconMenu, // the system menu, opened by a click on the icon (two in the double-click time close)
    SystemMenu,
    ChildMinimize, // the buttons of a maximized MDI child, on its frame's menu bar
    ChildRestore,
    ChildClose,
    SkinOwn, // an action of the skin's own, for the program to give a meaning
};

class ICaptionButtonHost {
  public:
    virtual ~ICaptionButtonHost() = default;
    // A caption button was clicked at screen point at; code is its action code in the skin.
    virtual void OnCaptionAction(CaptionAction action, int code, POINT at) = 0;
};

class TCaptionButtons {
  public:
    // form: the window's skinning object, whose state decides which buttons show and where.
    TCaptionButtons(TWinSkinForm& form, ICaptionButtonHost& host);
    ~TCaptionButtons();
    TCaptionButtons(const TCaptionButtons&) = delete;
    TCaptionButtons& operator=(const TCaptionButtons&) = delete;

    // A button for a skin element (not owned), after those added before.
    void Add(const TDataSkinSysButton& element);
    void Clear();
    const std::vector<std::unique_ptr<TWinSysButton>>& Buttons() const { return CaptionButtons; }

    // Whether the button at index shows in the window's current state; remembered in the button.
    bool IsVisible(std::size_t index);
    // Places the visible buttons, some after the caption text as last painted.
    void Layout();
    // The visible caption buttons onto the caption strip.
    void Paint(Bitmap& caption) const;
    // The buttons of a maximized MDI child onto the menu bar's bitmap, whose top-left is the bar row's.
    void PaintOnMenuBar(Bitmap& bar) const;
    // Where the right-aligned buttons begin, as last laid out.
    int RightButtonsStart() const { return RightButtonsLeft; }

    // The visible button under a point in window coordinates, or null.
    TWinSysButton* ButtonAt(POINT windowPoint) const;
    // The visible button that shows the window's icon, or null.
    const TWinSysButton* IconButton() const;
    // The button was clicked at screen point at: its action goes to the window.
    void Click(const TWinSysButton& button, POINT at);

  private:
    TWinSkinForm& form_;
    ICaptionButtonHost& host_;
    std::vector<std::unique_ptr<TWinSysButton>> CaptionButtons;
    int RightButtonsLeft = 0;
};

} // namespace skin
