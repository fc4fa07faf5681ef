// TSkinDefinition: the portable part of the skin data component. It reads a skin definition (an
// INI-style text) and the bitmaps the definition names from a skin package into the element records and
// colours that every painter reads. The Windows component TSkinData derives from it and adds the
// published properties, the stored skin stream and the skin manager.
#pragma once

#include "framework/rtl/colours.h"
#include "framework/rtl/component.h"
#include "framework/rtl/exceptions.h"
#include "skin/data/profile.h"
#include "skin/data/skin_reader.h"
#include "skin/data/skin_records.h"
#include "skin/draw/colour.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace skin {

// A skin that cannot be read: no definition in the package, a definition that is not text, or a bitmap
// member that is not a valid BMP. The message names the member ("skin member 'top.bmp': BMP header
// truncated at byte 14 ...").
class ESkinDefinitionError : public rtl::Exception {
  public:
    using Exception::Exception;
};

// The name part that finds the definition member of a package.
inline constexpr std::string_view kDefinitionMemberPart = ".ini";

class TSkinDefinition : public rtl::TComponent {
  public:
    explicit TSkinDefinition(rtl::TComponent* owner);
    ~TSkinDefinition() override;

    // Reads a whole definition, given as 8-bit text, with its bitmaps from package, into the records and
    // colours. All or nothing: on any error (ESkinDefinitionError, or what the package reader raises)
    // the previous skin stays exactly as it was. On success every optional element the new skin lacks is
    // freed, the caption buttons and the colour table are rebuilt, and ButtonFaceChanged is called.
    // The records that always exist keep their identity; their contents are replaced.
    void LoadDefinition(std::string_view definitionText, const TSkinReader& package);
    // The same for a definition already parsed (a profile with a lookup log shows what the reading asks).
    void LoadDefinition(const TProfileText& definition, const TSkinReader& package);

    // Finds the definition member of an opened package and reads it with LoadDefinition: the first
    // member whose name ends in ".ini", or, failing that, the first whose name contains ".ini". Raises
    // ESkinDefinitionError when there is none or when it is not text, naming the member. Returns the
    // member's name.
    std::string LoadPackageDefinition(const TSkinReader& package);

    // Makes this definition source's skin scaled for dpi (see skin_scaling.h): every record copied with
    // its lengths and images scaled by dpi over source's DPI, and the colours. All or nothing, and the
    // records that always exist keep their identity, as with LoadDefinition; ButtonFaceChanged follows.
    // Raises rtl::Exception for a dpi that is not above 0.
    void LoadScaled(const TSkinDefinition& source, int dpi);
    // The DPI the records are made for: 96 for a skin read from its package.
    int Dpi() const { return dpi_; }

    // The colour text rule of skin definitions (see skin_values.h).
    static Colour ParseColour(std::string_view text, Colour defaultValue);

    // One element slot, for tools and accounting: its name and its record, null when absent.
    struct SlotView {
        std::string_view Name;
        const TDataSkinObject* Record;
    };
    // Every single-record slot in a fixed order: the borders, Title, Buttons, then the optional ones.
    std::vector<SlotView> ElementSlots() const;

    // Memory the loaded skin holds: the images' pixels and the records themselves.
    struct MemoryUse {
        std::size_t ImageBytes = 0;
        std::size_t RecordBytes = 0;
        std::size_t Records = 0;
    };
    MemoryUse MemoryHeld() const;

    // The records that always exist (named "Left", "Right", "Top", "Bottom", "Title", "Buttons").
    std::unique_ptr<TDataSkinBorder> BorderLeft;
    std::unique_ptr<TDataSkinBorder> BorderRight;
    std::unique_ptr<TDataSkinBorder> BorderTop;
    std::unique_ptr<TDataSkinBorder> BorderBottom;
    std::unique_ptr<TDataSkinTitle> Title;
    std::unique_ptr<TDataSkinButton> Buttons;
    // The caption buttons of the skin's [Button...] sections, then the three MDI buttons.
    std::vector<std::unique_ptr<TDataSkinSysButton>> SysButtons;

    // The elements a skin may lack: null when it does.
    std::unique_ptr<TDataSkinBorder> Progress;
    std::unique_ptr<TDataSkinObject> MenuBar;
    std::unique_ptr<TDataSkinObject> GroupBoxEdge;
    std::unique_ptr<TDataSkinObject> Toolbars;
    std::unique_ptr<TDataSkinBorder> Tabs;
    std::unique_ptr<TDataSkinObject> StatusBarEdges;
    std::unique_ptr<TDataSkinBorder> ComboButton;
    std::unique_ptr<TDataSkinObject> SunkEdge;
    std::unique_ptr<TDataSkinObject> ExtraImages;
    std::unique_ptr<TDataSkinObject> Headerbar;
    std::unique_ptr<TDataSkinObject> MenuItem;
    std::unique_ptr<TDataSkinObject> MenuBackground;
    std::unique_ptr<TDataSkinObject> Scrollbar;
    std::unique_ptr<TDataSkinObject> HorzScroll;
    std::unique_ptr<TDataSkinObject> VertScroll;
    std::unique_ptr<TDataSkinObject> HorzScrollThumb;
    std::unique_ptr<TDataSkinObject> VertScrollThumb;
    std::unique_ptr<TDataSkinObject> TrackbarThumbHorz;
    std::unique_ptr<TDataSkinObject> TrackbarThumbVert;
    std::unique_ptr<TDataSkinObject> TrackbarThumbLeft;
    std::unique_ptr<TDataSkinObject> TrackbarThumbRight;
    std::unique_ptr<TDataSkinObject> TrackbarThumbUp;
    std::unique_ptr<TDataSkinObject> TrackbarThumbDown;
    std::unique_ptr<TDataSkinBorder> UpDownHorz;
    std::unique_ptr<TDataSkinBorder> UpDownVert;

    // The colours of [Colours]; system colours until a skin gives them.
    Colour WindowTextColour = rtl::clWindowText;
    Colour TitleTextActiveColour = rtl::clCaptionText;
    Colour TitleTextNoActiveColour = rtl::clInactiveCaptionText;
    Colour ButtonFaceColour = rtl::clBtnFace;
    Colour ButtonTextColour = rtl::clBtnText;
    Colour ButtonHilightColour = rtl::clBtnHighlight;
    Colour ButtonLightColour = rtl::clBtnHighlight;
    Colour ButtonShadowColour = rtl::clBtnShadow;
    Colour ButtonDkShadowColour = rtl::clBtnShadow;
    Colour HilightTextColour = rtl::clHighlightText;
    Colour HilightColour = rtl::clHighlight;
    Colour MenubarColour = rtl::clBtnFace;
    Colour MenuBarTextColour = rtl::clMenuText;
    Colour MenuColour = rtl::clMenu;
    Colour MenuTextColour = rtl::clMenuText;
    Colour ScrollbarColour = rtl::clScrollBar;
    // One colour per [Colour...] section (not [Colours]), in text order.
    std::vector<Colour> ColourTable;

    // [TitlebarSkin] SkinName; empty when missing.
    std::string SkinName;
    // [TitlebarSkin] HighContrast=1: the skin is made for the system's high-contrast mode and is kept while
    // the mode is on (other skins step aside for the system's look then).
    bool HighContrast = false;

  protected:
    // Called after every successful load, once ButtonFaceColour has its new value: the Windows component
    // makes its face brush here.
    virtual void ButtonFaceChanged() {}

  private:
    struct LoadContext;

    // The reading steps, in the order LoadDefinition runs them. They run on a fresh definition that
    // replaces this one's state only when all of them succeeded, and only while load_ is set.
    void ReadAll();
    void LoadSkinBitmap(Bitmap& bitmap, std::string_view reference);
    void ReadRgbKeys(std::string_view section, std::string_view prefix, Colour& colour);
    void ReadBorders();
    void ReadColours();
    void ReadSysButtons();
    void ReadMdiButtons(std::size_t firstMdiButton);
    void ReadButtons();
    void ReadTitle();
    void ReadProgress();
    void ReadMenuBar();
    void ReadElement(std::unique_ptr<TDataSkinObject>& slot, std::string_view section);
    void ReadElementWithSecondImage(std::unique_ptr<TDataSkinBorder>& slot, std::string_view section,
                                    std::string_view secondKey);
    void ReadElementKeys(TDataSkinObject& record, std::string_view section);
    void SetFrameCounts();

    std::int32_t Integer(std::string_view section, std::string_view key, std::int32_t defaultValue) const;
    std::string Text(std::string_view section, std::string_view key) const;

    void TakeLoadedState(TSkinDefinition& loaded) noexcept;

    LoadContext* load_ = nullptr;
    int dpi_ = 96;
};

} // namespace skin
