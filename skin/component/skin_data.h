// TSkinData: the non-visual component a form carries to be skinned. It keeps the compressed skin (stored
// with the form as "SkinStream", or read from a skin file), reads it into the element records it inherits,
// and asks the skin manager to switch skinning on and off.
#pragma once

#include "framework/gui/control.h"
#include "framework/gui/handles.h"
#include "framework/gui/image_list.h"
#include "skin/data/skin_definition.h"
#include "skin/draw/bitmap.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace skin {

// Kinds of controls and menus that are skinned, bit n for member n.
enum TSkinControlType {
    xcMainMenu,
    xcPopupMenu,
    xcToolbar,
    xcControlbar,
    xcCombo,
    xcCheckBox,
    xcRadioButton,
    xcProgress,
    xcScrollbar,
    xcEdit,
    xcButton,
    xcBitBtn,
    xcSpeedButton,
    xcPanel,
    xcGroupBox,
    xcStatusBar,
    xcTab,
    xcSystemMenu,
    xcFastReport
};
using TSkinControlTypes = std::uint32_t;
constexpr TSkinControlTypes kDefaultSkinControls = 0x3FFFF; // every kind but xcFastReport

// How far a component's skin reaches.
enum TSkinFormType { sfMainform, sfOnlyThisForm, sfDialog };

class TSkinData;
using TFormSkinEvent = std::function<void(rtl::TObject* sender, const std::string& aName, bool& DoSkin)>;
using TSkinControlEvent = std::function<void(
    rtl::TComponent* Sender, TSkinData* SkinData, gui::TControl* Form, gui::TControl* Control,
    const std::string& ControlClass, rtl::TComponent*& SkinnedControl)>;

// Makes TSkinData known to the stored form reader.
void RegisterSkinDataClass();

// The class-to-kind pairs for controls of other libraries, as shipped.
const std::vector<std::string>& DefaultSkin3rd();

class TSkinData : public TSkinDefinition {
  public:
    explicit TSkinData(rtl::TComponent* owner);
    ~TSkinData() override;

    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    // Published properties.
    bool Active() const { return Origin().active_; }
    void SetActive(bool active);
    int DisableTag() const { return Origin().disableTag_; }
    void SetDisableTag(int tag) { disableTag_ = tag; }
    TSkinControlTypes SkinControls() const { return Origin().skinControls_; }
    void SetSkinControls(TSkinControlTypes controls) { skinControls_ = controls; }
    bool HasSkinControl(TSkinControlType type) const { return (Origin().skinControls_ >> type) & 1u; }
    const std::vector<std::string>& Skin3rd() const { return Origin().skin3rd_; }
    void SetSkin3rd(const std::vector<std::string>& rows) { skin3rd_ = rows; }
    std::string SkinFile() const { return skinFile_; }
    void SetSkinFile(const std::string& path);
    // Loads a skin package from memory (a packed skin file's bytes) and re-skins with it. Answers false, and
    // raises for a damaged package, leaving the previous skin in place either way.
    bool LoadSkinPackage(std::vector<std::uint8_t> package);
    // A read-only indicator: "(Good)" at design time when a skin is stored, "(none)" otherwise.
    std::string SkinStore() const;
    void SetSkinStore(const std::string&) {}
    TSkinFormType SkinFormtype() const { return Origin().formType_; }
    void SetSkinFormtype(TSkinFormType type) { formType_ = type; }
    bool MenuUpdate() const { return Origin().menuUpdate_; }
    void SetMenuUpdate(bool update) { Source().menuUpdate_ = update; }
    TFormSkinEvent OnFormSkin;
    rtl::TNotifyEvent OnSkinChanged;
    TSkinControlEvent OnSkinControl;

    // The compressed skin package: 4-byte uncompressed size, then the LZH code.
    std::vector<std::uint8_t> SkinStream;
    // True until a definition has been read completely; skinning cannot be switched on meanwhile.
    bool SkinPending = true;
    gui::TImageList MenuGlyphs; // restore, maximize, minimize, close; 16 x 16
    Bitmap SkinIconBitmap;      // the caption's icon button image, filled by the form skinning
    HBRUSH FaceBrush() const { return faceBrush_.get(); }

    // The skin for a window shown at dpi: this component at the DPI its skin was made for, else a copy of
    // it scaled for dpi, made at the first request and kept with this component. Reading a new skin
    // rescales the copies in place, so their records keep their identity as this component's do. Asked of
    // a copy, the answer is its source's. Painters read a copy like the component itself; its published
    // properties are the source's.
    TSkinData& ForDpi(int dpi);
    // The component a copy was scaled from; the component itself when it is no copy.
    TSkinData& Source() { return source_ ? *source_ : *this; }
    const TSkinData& Source() const { return Origin(); }
    // The DPIs copies were made for, and the copies, for figures and tests.
    const std::vector<std::pair<int, std::unique_ptr<TSkinData>>>& ScaledCopies() const { return scaled_; }

    void Loaded() override;
    // The stored "SkinStream": a 4-byte little-endian count N, then N bytes.
    void ReadSkinStream(const std::vector<std::uint8_t>& stored);
    std::vector<std::uint8_t> WriteSkinStream() const;
    // Unpacks and reads SkinStream; false when the package is of another version (the message was shown).
    bool LoadSkin();
    // Reads package as the skin; when it cannot be read, puts the previous stream back (its records were
    // never replaced) and answers false or raises.
    bool SwapInPackage(std::vector<std::uint8_t> package);
    void ApplySkinChange();
    void QueryFormSkin(const std::string& className, bool& DoSkin);
    void NotifySkinChanged();

  protected:
    void ButtonFaceChanged() override;

  private:
    bool active_ = false;
    int disableTag_ = 99;
    TSkinControlTypes skinControls_ = kDefaultSkinControls;
    std::vector<std::string> skin3rd_;
    std::string skinFile_;
    TSkinFormType formType_ = sfMainform;
    bool menuUpdate_ = true;
    gui::UniqueBrush faceBrush_;
    TSkinData* source_ = nullptr; // set on a scaled copy
    std::vector<std::pair<int, std::unique_ptr<TSkinData>>> scaled_;

    const TSkinData& Origin() const { return source_ ? *source_ : *this; }
};

} // namespace skin
