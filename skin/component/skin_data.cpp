#include "skin/component/skin_data.h"

#include "framework/gui/form.h"
#include "framework/gui/message_dialog.h"
#include "framework/gui/wide.h"
#include "framework/rtl/property_builders.h"
#include "skin/data/skin_reader.h"
#include "skin/engine.h"

#include <algorithm>

namespace skin {
namespace {

constexpr int kGlyphCellWidth = 16;
constexpr COLORREF kGlyphMask = RGB(255, 255, 255);
constexpr std::size_t kStreamCountSize = 4;

// The version message goes through the framework's standard message dialog.
class FrameworkMessageDialog final : public IMessageDialog {
  public:
    void ShowMessage(const std::string& text) override { gui::ShowMessage(text); }
};

// Event kinds other than the notify event cannot be bound in stored data; they are set in code.
template <class C, class E> rtl::TPropInfo CodeOnlyEventProperty(std::string name, E C::*) {
    rtl::TPropInfo info{std::move(name), rtl::TTypeKind::tkMethod, {}, {}, {}, {}};
    info.Store = [](rtl::TPersistent&, const rtl::FormValue&, rtl::TReadContext&) {
        throw rtl::Exception("this event can only be set in code");
    };
    return info;
}

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(gui::Wide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// An open file, closed when it goes.
class OpenFile {
  public:
    explicit OpenFile(const std::string& path)
        : handle_(CreateFileW(gui::Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    ~OpenFile() {
        if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    }
    HANDLE get() const { return handle_; }

  private:
    HANDLE handle_;
};

// Read through the system rather than a C++ file stream: a stream would bring the library's whole locale
// machinery into every program (about 800 KB of a 32-bit executable).
std::vector<std::uint8_t> ReadWholeFile(const std::string& path) {
    const OpenFile file(path);
    LARGE_INTEGER size{};
    if (file.get() == INVALID_HANDLE_VALUE || !GetFileSizeEx(file.get(), &size) ||
        size.QuadPart > 0x7FFFFFFF) {
        throw rtl::Exception("cannot read the skin file '" + path + "'");
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size.QuadPart));
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD read = 0;
        const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
        if (!ReadFile(file.get(), bytes.data() + done, wanted, &read, nullptr) || read == 0) {
            throw rtl::Exception("cannot read the skin file '" + path + "'");
        }
        done += read;
    }
    return bytes;
}

} // namespace

void RegisterSkinDataClass() {
    rtl::RegisterComponentClass<TSkinData>();
}

const std::vector<std::string>& DefaultSkin3rd() {
    static const std::vector<std::string> rows{"TTBDock=Panel",
                                               "TTBToolbar=Panel",
                                               "TImageEnMView=scrollbar",
                                               "TImageEnView=scrollbar",
                                               "TRzButton=button",
                                               "TRzCheckGroup=CheckGroup",
                                               "TRzRadioGroup=Radiogroup",
                                               "TRzRadioButton=Radiobutton",
                                               "TRzCheckBox=Checkbox",
                                               "TRzButtonEdit=Edit",
                                               "TRzDBRadioGroup=Radiogroup",
                                               "TRzDBRadioButton=Radiobutton",
                                               "TRzDBCheckBox=Checkbox",
                                               "TDBCheckboxEh=Checkbox",
                                               "TDBCheckboxEh=Checkbox",
                                               "TLMDCHECKBOX=Checkbox",
                                               "TLMDDBCHECKBOX=Checkbox",
                                               "TLMDRadiobutton=Radiobutton",
                                               "TLMDGROUPBOX=Panel",
                                               "TLMDSIMPLEPANEL=Panel",
                                               "TLMDDBCalendar=Panel",
                                               "TLMDButtonPanel=Panel",
                                               "TLMDLMDCalculator=Panel",
                                               "TLMDHeaderPanel=Panel",
                                               "TLMDTechnicalLine=Panel",
                                               "TLMDLMDClock=Panel",
                                               "TLMDTrackbar=trackbar",
                                               "TLMDListCombobox=combobox",
                                               "TLMDCheckListCombobox=combobox",
                                               "TLMDHeaderListCombobox=combobox",
                                               "TLMDImageCombobox=combobox",
                                               "TLMDColorCombobox=combobox",
                                               "TLMDFontCombobox=combobox",
                                               "TLMDFontSizeCombobox=combobox",
                                               "TLMDFontSizeCombobox=combobox",
                                               "TLMDPrinterCombobox=combobox",
                                               "TLMDDriveCombobox=combobox",
                                               "TLMDCalculatorComboBox=combobox",
                                               "TLMDTrackBarComboBox=combobox",
                                               "TLMDCalendarComboBox=combobox",
                                               "TLMDRADIOGROUP=radiogroup",
                                               "TLMDCheckGroup=CheckGroup",
                                               "TLMDDBRADIOGROUP=radiogroup",
                                               "TLMDDBCheckGroup=CheckGroup",
                                               "TLMDEDIT=Edit",
                                               "TLMDMASKEDIT=Edit",
                                               "TLMDBROWSEEDIT=Edit",
                                               "TLMDEXTSPINEDIT=Edit",
                                               "TLMDCALENDAREDIT=Edit",
                                               "TLMDFILEOPENEDIT=Edit",
                                               "TLMDFILESAVEEDIT=Edit",
                                               "TLMDCOLOREDIT=Edit",
                                               "TLMDDBEDIT=Edit",
                                               "TLMDDBMASKEDIT=Edit",
                                               "TLMDDBEXTSPINEDIT=Edit",
                                               "TLMDDBSPINEDIT=Edit",
                                               "TLMDDBEDITDBLookup=Edit",
                                               "TLMDEDITDBLookup=Edit",
                                               "TDBLookupCombobox=Combobox",
                                               "TWWDBCombobox=Combobox",
                                               "TWWDBLookupCombo=Combobox",
                                               "TWWDBCombobox=Combobox",
                                               "TWWKeyCombo=Combobox",
                                               "TWWTempKeyCombo=combobox",
                                               "TWWDBDateTimePicker=Combobox",
                                               "TWWRADIOGROUP=radiogroup",
                                               "TDXDBPICKEDIT=Combobox",
                                               "TDXDBCALCEDIT=Combobox",
                                               "TDXDBIMAGEEDIT=Combobox",
                                               "TDXDBPOPUPEDIT=Combobox",
                                               "TDXDBEXTLOOKUPEDIT=Combobox",
                                               "TDXDBLOOKUPEDIT=Combobox",
                                               "TDXDBDATEEDIT=Combobox",
                                               "TDXDATEEDIT=Combobox",
                                               "TDXPICKEDIT=Combobox",
                                               "TDXPOPUPEDIT=Combobox",
                                               "TDXDBCURRENCYEDIT=Edit",
                                               "TDXDBEDIT=Edit",
                                               "TDXDBMASKEDIT=Edit",
                                               "TDXDBHYPERLINKEDIT=Edit",
                                               "TDXEDIT=Edit",
                                               "TDXMASKEDIT=Edit",
                                               "TWWDBEDIT=Edit",
                                               "TDXBUTTONEDIT=Edit",
                                               "TDXCURRENCYEDIT=Edit",
                                               "TDXHYPERLINKEDIT=Edit",
                                               "TOVCPICTUREFIELD=Edit",
                                               "TOVCDBPICTUREFIELD=Edit",
                                               "TOVCSLIDEREDIT=Edit",
                                               "TOVCDBSLIDEREDIT=Edit",
                                               "TOVCSIMPLEFIELD=Edit",
                                               "TOVCDBSIMPLEFIELD=Edit",
                                               "TO32DBFLEXEDIT=Edit",
                                               "TOVCNUMERICFIELD=Edit",
                                               "TOVCDBNUMERICFIELD=Edit"};
    return rows;
}

TSkinData::TSkinData(rtl::TComponent* owner) : TSkinDefinition(owner), skin3rd_(DefaultSkin3rd()) {
    MenuGlyphs.LoadFromResource(L"QUARROWMENU", kGlyphCellWidth, kGlyphMask);
}

TSkinData::~TSkinData() {
    if (source_) return; // a scaled copy was never registered
    if (ISkinManager* manager = ActiveSkinManager()) manager->UnregisterSkinData(this);
}

TSkinData& TSkinData::ForDpi(int dpi) {
    if (source_) return source_->ForDpi(dpi);
    if (SkinPending || dpi <= 0 || dpi == Dpi()) return *this;
    for (const auto& [copyDpi, copy] : scaled_) {
        if (copyDpi == dpi) return *copy;
    }
    auto copy = std::make_unique<TSkinData>(nullptr);
    copy->source_ = this;
    copy->LoadScaled(*this, dpi);
    copy->SkinPending = false;
    scaled_.emplace_back(dpi, std::move(copy));
    return *scaled_.back().second;
}

const rtl::TClassInfo& TSkinData::StaticClassInfo() {
    using namespace rtl;
    static const TClassInfo info{
        "TSkinData",
        &TSkinDefinition::StaticClassInfo(),
        {
            BooleanProperty("Active", &TSkinData::SetActive, &TSkinData::Active),
            IntegerProperty("DisableTag", &TSkinData::SetDisableTag, &TSkinData::DisableTag),
            SetProperty("SkinControls",
                        {"xcMainMenu", "xcPopupMenu", "xcToolbar", "xcControlbar", "xcCombo", "xcCheckBox",
                         "xcRadioButton", "xcProgress", "xcScrollbar", "xcEdit", "xcButton", "xcBitBtn",
                         "xcSpeedButton", "xcPanel", "xcGroupBox", "xcStatusBar", "xcTab", "xcSystemMenu",
                         "xcFastReport"},
                        &TSkinData::SetSkinControls),
            StringListProperty("Skin3rd", &TSkinData::SetSkin3rd),
            StringProperty("SkinFile", &TSkinData::SetSkinFile, &TSkinData::SkinFile),
            StringProperty("SkinStore", &TSkinData::SetSkinStore, &TSkinData::SkinStore),
            EnumProperty("SkinFormtype", {"sfMainform", "sfOnlyThisForm", "sfDialog"},
                         &TSkinData::SetSkinFormtype, &TSkinData::SkinFormtype),
            BooleanProperty("MenuUpdate", &TSkinData::SetMenuUpdate, &TSkinData::MenuUpdate),
            CodeOnlyEventProperty("OnFormSkin", &TSkinData::OnFormSkin),
            EventProperty("OnSkinChanged", &TSkinData::OnSkinChanged),
            CodeOnlyEventProperty("OnSkinControl", &TSkinData::OnSkinControl),
            // Not published: the stored skin itself.
            BinaryProperty("SkinStream", &TSkinData::ReadSkinStream),
        }};
    return info;
}

std::string TSkinData::SkinStore() const {
    return HasState(rtl::csDesigning) && !SkinStream.empty() ? "(Good)" : "(none)";
}

void TSkinData::ReadSkinStream(const std::vector<std::uint8_t>& stored) {
    if (stored.size() < kStreamCountSize) throw rtl::Exception("SkinStream: the stored count is missing");
    const std::int32_t count = static_cast<std::int32_t>(
        static_cast<std::uint32_t>(stored[0]) | static_cast<std::uint32_t>(stored[1]) << 8 |
        static_cast<std::uint32_t>(stored[2]) << 16 | static_cast<std::uint32_t>(stored[3]) << 24);
    if (count > 0 && static_cast<std::size_t>(count) > stored.size() - kStreamCountSize) {
        throw rtl::Exception("SkinStream: the stored count " + std::to_string(count) + " runs past the " +
                             std::to_string(stored.size() - kStreamCountSize) + " bytes stored");
    }
    SkinStream.assign(stored.begin() + kStreamCountSize,
                      stored.begin() + static_cast<std::ptrdiff_t>(kStreamCountSize) + std::max(count, 0));
    // An empty stream holds no skin: nothing to unpack (the component stays pending).
    if (!HasState(rtl::csDesigning) && !SkinStream.empty()) LoadSkin();
}

std::vector<std::uint8_t> TSkinData::WriteSkinStream() const {
    const auto count = static_cast<std::uint32_t>(SkinStream.size());
    std::vector<std::uint8_t> stored(kStreamCountSize + SkinStream.size());
    for (std::size_t i = 0; i < kStreamCountSize; ++i)
        stored[i] = static_cast<std::uint8_t>(count >> (8 * i));
    std::copy(SkinStream.begin(), SkinStream.end(), stored.begin() + kStreamCountSize);
    return stored;
}

bool TSkinData::LoadSkin() {
    SkinPending = true;
    if (HasState(rtl::csDesigning)) return false;
    FrameworkMessageDialog dialog;
    TSkinReader reader(dialog);
    if (!reader.LoadPackage(SkinStream)) return false;
    LoadPackageDefinition(reader);
    SkinPending = false;
    // The windows shown at other DPIs hold the copies: the new skin goes into them.
    for (const auto& [dpi, copy] : scaled_)
        copy->LoadScaled(*this, dpi);
    return true;
}

void TSkinData::Loaded() {
    TSkinDefinition::Loaded();
    if (HasState(rtl::csDesigning)) return;
    ISkinManager& manager = EnsureActiveSkinManager();
    manager.RegisterSkinData(this);
    if (formType_ != sfMainform) {
        manager.SetEnabled(true);
        manager.AddStarted();
        if (auto* form = dynamic_cast<gui::TForm*>(Owner())) manager.SkinWindow(form->Handle());
        return;
    }
    manager.InstallHook();
    if (active_) {
        if (SkinPending) {
            active_ = false; // no skin could be read: the program runs unskinned
        } else {
            manager.ScheduleAction(DeferredAction::Skin, kActionDelayMs);
        }
    }
}

void TSkinData::SetActive(bool active) {
    if (active == active_) return;
    active_ = active;
    if (HasState(rtl::csDesigning | rtl::csReading)) return; // acted on in Loaded
    const DeferredAction action = active ? DeferredAction::Skin : DeferredAction::Unskin;
    // The manager is touched only where it is asked for something: made too early, it would stand in the
    // way of the Loaded step that registers this component once a skin is read.
    switch (formType_) {
    case sfMainform: {
        if (active && SkinPending) return;
        ISkinManager& manager = EnsureActiveSkinManager();
        manager.ScheduleAction(action, kActionDelayMs);
        manager.SetPendingSkinData(this);
        break;
    }
    case sfOnlyThisForm: {
        ISkinManager& manager = EnsureActiveSkinManager();
        manager.SetPendingSkinData(this);
        if (active && SkinPending) return;
        manager.ScheduleAction(action, kActionDelayMs);
        break;
    }
    case sfDialog:
        break;
    }
}

void TSkinData::SetSkinFile(const std::string& path) {
    SkinPending = true;
    skinFile_ = path;
    if (HasState(rtl::csDesigning)) {
        if (!path.empty()) SkinStream.clear();
        return;
    }
    if (!FileExists(path)) return; // nothing loaded, nothing shown
    SwapInPackage(ReadWholeFile(path));
    ApplySkinChange();
}

bool TSkinData::SwapInPackage(std::vector<std::uint8_t> package) {
    std::vector<std::uint8_t> previous = std::move(SkinStream);
    SkinStream = std::move(package);
    // When the bytes cannot be read as a skin, the previous skin's records stay in place: keep the stream
    // that goes with them.
    try {
        if (LoadSkin()) return true;
    } catch (...) {
        SkinStream = std::move(previous);
        throw;
    }
    SkinStream = std::move(previous);
    return false;
}

bool TSkinData::LoadSkinPackage(std::vector<std::uint8_t> package) {
    // Unlike a skin file set as a property, a package that fails leaves the previous skin in effect, so
    // the windows keep showing it.
    bool loaded = false;
    try {
        loaded = SwapInPackage(std::move(package));
    } catch (...) {
        SkinPending = SkinStream.empty();
        throw;
    }
    if (!loaded) {
        SkinPending = SkinStream.empty();
        return false;
    }
    ApplySkinChange();
    return true;
}

void TSkinData::ApplySkinChange() {
    if (HasState(rtl::csDesigning | rtl::csReading)) return;
    const bool firstSkin = ActiveSkinManager() == nullptr;
    if (firstSkin) Loaded();
    ISkinManager& manager = EnsureActiveSkinManager();
    manager.SetPendingSkinData(this);
    manager.FreeAllCaptionButtons();
    // A component that has just registered skins nothing yet: an active one asks for skinning, not for a
    // re-skin of windows that were never skinned with it.
    manager.ScheduleAction(firstSkin && active_ ? DeferredAction::Skin : DeferredAction::Reskin,
                           kActionDelayMs);
}

void TSkinData::QueryFormSkin(const std::string& className, bool& DoSkin) {
    if (OnFormSkin) {
        OnFormSkin(this, className, DoSkin);
    } else if (className == "SysMonthCal32") {
        DoSkin = false;
    } else if (HasSkinControl(xcFastReport) && className.rfind("Tfr", 0) == 0) {
        DoSkin = false;
    }
}

void TSkinData::NotifySkinChanged() {
    if (OnSkinChanged) OnSkinChanged(this);
}

void TSkinData::ButtonFaceChanged() {
    faceBrush_.reset(CreateSolidBrush(gui::ColorToRGB(ButtonFaceColour)));
}

} // namespace skin
