#include "skin/data/skin_definition.h"

#include "framework/rtl/text.h"
#include "skin/data/skin_keys.h"
#include "skin/data/skin_scaling.h"
#include "skin/data/skin_values.h"
#include "skin/draw/bitmap_transforms.h"
#include "skin/draw/blit.h"
#include "skin/draw/bmp_reader.h"

#include <algorithm>
#include <tuple>
#include <type_traits>
#include <utility>

namespace skin {

namespace {

// Section names of the definition.
constexpr std::string_view kTitlebarSkin = "TitlebarSkin";
constexpr std::string_view kPersonality = "Personality";
constexpr std::string_view kColours = "Colours";
constexpr std::string_view kButtons = "Buttons";
constexpr std::string_view kFonts = "Fonts";
constexpr std::string_view kProgress = "Progress";
constexpr std::string_view kMdiControls = "MDICONTROLS";
constexpr std::string_view kHorzScrollThumb = "HorzScrollThumb";
constexpr std::string_view kVertScrollThumb = "VertScrollThumb";

// A key no skin uses: the combo button's second image is made by mirroring, not read.
constexpr std::string_view kUnusedKey = "****";

constexpr std::string_view kColourTableKey = "color";

// Defaults and fixed values of the reading.
constexpr std::int32_t kDefaultBorderFrames = 1;
constexpr std::int32_t kDefaultBorderTile = 1;
constexpr std::int32_t kDefaultBorderTrans = 1;
constexpr std::int32_t kDefaultFontHeight = 14;
constexpr std::int32_t kDefaultMenuBarEndWidth = 1;
constexpr std::int32_t kDefaultThumbFrames = 3;
constexpr std::int32_t kTitleFrames = 2;
constexpr std::int32_t kButtonFrames = 5;

// Caption buttons without a frame count: 3 frames when the image is at most 3.8 (19/5) times as wide as
// high, else 6; buttons of these actions then draw no image of their own. The ratio is compared exactly in
// integers: in floating point, 38 / 10 lands above the double 3.8 where x87 extended precision is used.
constexpr std::int64_t kThreeFrameAspectNumerator = 19;
constexpr std::int64_t kThreeFrameAspectDenominator = 5;
constexpr std::int32_t kThreeFrames = 3;
constexpr std::int32_t kSixFrames = 6;
constexpr std::int32_t kImagelessActions[] = {3, 11};

// The MDI buttons: one strip of 12 cells, 4 (one button's frames) per button.
constexpr int kMdiButtonCount = 3;
constexpr int kMdiStripCells = 12;
constexpr int kMdiCellsPerButton = 4;
constexpr int kMdiButtonGap = 4;
constexpr std::int32_t kMdiActions[kMdiButtonCount] = {7, 8, 9};
constexpr std::int32_t kMdiPlacement = 100; // Align, Visibility and Visibility1 of the MDI buttons

// Check box and radio button strips without a frame count: cells 13 pixels wide in images under 16
// pixels high, else 16, and never fewer than 4 frames.
constexpr int kSmallGlyphCell = 13;
constexpr int kGlyphCell = 16;
constexpr int kSmallGlyphHeightLimit = 16;
constexpr std::int32_t kMinGlyphFrames = 4;

std::string UpperCaseAscii(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return result;
}

std::int32_t GlyphStripFrames(const Bitmap& image) {
    const int cell = image.height() < kSmallGlyphHeightLimit ? kSmallGlyphCell : kGlyphCell;
    return std::max(kMinGlyphFrames, image.width() / cell);
}

// The slots a skin may lack, in the order of the slot table, with their fixed frame counts.
constexpr std::int32_t kFrameCountFromKey = 0;

template <class Record> struct OptionalSlot {
    std::string_view Name;
    std::unique_ptr<Record> TSkinDefinition::*Member;
    std::int32_t FrameCount;
};

constexpr std::tuple kOptionalSlots{
    OptionalSlot<TDataSkinBorder>{"Progress", &TSkinDefinition::Progress, 2},
    OptionalSlot<TDataSkinObject>{"MenuBar", &TSkinDefinition::MenuBar, 2},
    OptionalSlot<TDataSkinObject>{"GroupBoxEdge", &TSkinDefinition::GroupBoxEdge, 2},
    OptionalSlot<TDataSkinObject>{"Toolbars", &TSkinDefinition::Toolbars, 5},
    OptionalSlot<TDataSkinBorder>{"Tabs", &TSkinDefinition::Tabs, 5},
    OptionalSlot<TDataSkinObject>{"StatusBarEdges", &TSkinDefinition::StatusBarEdges, 3},
    OptionalSlot<TDataSkinBorder>{"ComboButton", &TSkinDefinition::ComboButton, 4},
    OptionalSlot<TDataSkinObject>{"SunkEdge", &TSkinDefinition::SunkEdge, 4},
    OptionalSlot<TDataSkinObject>{"ExtraImages", &TSkinDefinition::ExtraImages, 5},
    OptionalSlot<TDataSkinObject>{"Headerbar", &TSkinDefinition::Headerbar, 5},
    OptionalSlot<TDataSkinObject>{"MenuItem", &TSkinDefinition::MenuItem, 5},
    OptionalSlot<TDataSkinObject>{"MenuBackground", &TSkinDefinition::MenuBackground, 1},
    OptionalSlot<TDataSkinObject>{"Scrollbar", &TSkinDefinition::Scrollbar, 23},
    OptionalSlot<TDataSkinObject>{"HorzScroll", &TSkinDefinition::HorzScroll, 4},
    OptionalSlot<TDataSkinObject>{"VertScroll", &TSkinDefinition::VertScroll, 4},
    OptionalSlot<TDataSkinObject>{"HorzScrollThumb", &TSkinDefinition::HorzScrollThumb, kFrameCountFromKey},
    OptionalSlot<TDataSkinObject>{"VertScrollThumb", &TSkinDefinition::VertScrollThumb, kFrameCountFromKey},
    OptionalSlot<TDataSkinObject>{"TrackbarThumbHorz", &TSkinDefinition::TrackbarThumbHorz, 5},
    OptionalSlot<TDataSkinObject>{"TrackbarThumbVert", &TSkinDefinition::TrackbarThumbVert, 5},
    OptionalSlot<TDataSkinObject>{"TrackbarThumbLeft", &TSkinDefinition::TrackbarThumbLeft, 5},
    OptionalSlot<TDataSkinObject>{"TrackbarThumbRight", &TSkinDefinition::TrackbarThumbRight, 5},
    OptionalSlot<TDataSkinObject>{"TrackbarThumbUp", &TSkinDefinition::TrackbarThumbUp, 5},
    OptionalSlot<TDataSkinObject>{"TrackbarThumbDown", &TSkinDefinition::TrackbarThumbDown, 5},
    OptionalSlot<TDataSkinBorder>{"UpDownHorz", &TSkinDefinition::UpDownHorz, 8},
    OptionalSlot<TDataSkinBorder>{"UpDownVert", &TSkinDefinition::UpDownVert, 8},
};

template <class Visitor> void ForEachOptionalSlot(Visitor&& visit) {
    std::apply([&visit](const auto&... slot) { (visit(slot), ...); }, kOptionalSlots);
}

// The tab page border is cut at these margins by its painter; scaled, they stay sharp.
constexpr Rect kTabPageBorderMargins{4, 5, 4, 4};

// How the second image of an element with one is laid out.
ImageLayout SecondImageLayout(const TSkinDefinition& definition, const TDataSkinBorder& record) {
    if (&record == definition.Tabs.get()) return ImageLayout{.margins = kTabPageBorderMargins};
    if (&record == definition.UpDownHorz.get() || &record == definition.UpDownVert.get())
        return ImageLayout{.frameCount = record.FrameCount}; // the arrow glyphs, one per frame
    return ImageLayout{};                                    // the progress chunk: one piece
}

} // namespace

struct TSkinDefinition::LoadContext {
    const TProfileText& Ini;
    const TSkinReader& Package;
    std::vector<std::string> Sections;
    std::vector<std::uint8_t> Member; // reused for every bitmap
};

TSkinDefinition::TSkinDefinition(rtl::TComponent* owner)
    : rtl::TComponent(owner), BorderLeft(std::make_unique<TDataSkinBorder>("Left")),
      BorderRight(std::make_unique<TDataSkinBorder>("Right")),
      BorderTop(std::make_unique<TDataSkinBorder>("Top")),
      BorderBottom(std::make_unique<TDataSkinBorder>("Bottom")),
      Title(std::make_unique<TDataSkinTitle>("Title")),
      Buttons(std::make_unique<TDataSkinButton>("Buttons")) {}

TSkinDefinition::~TSkinDefinition() = default;

Colour TSkinDefinition::ParseColour(std::string_view text, Colour defaultValue) {
    return skin::ParseColour(text, defaultValue);
}

std::string TSkinDefinition::LoadPackageDefinition(const TSkinReader& package) {
    const std::vector<std::string>& names = package.Names();
    auto member = std::find_if(names.begin(), names.end(),
                               [](const std::string& name) { return name.ends_with(kDefinitionMemberPart); });
    if (member == names.end()) {
        member = std::find_if(names.begin(), names.end(), [](const std::string& name) {
            return name.find(kDefinitionMemberPart) != std::string::npos;
        });
    }
    if (member == names.end()) {
        throw ESkinDefinitionError("skin package: no definition (no member name contains '" +
                                   std::string(kDefinitionMemberPart) + "')");
    }
    std::vector<std::uint8_t> bytes;
    package.ExtractMember(*member, bytes);
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (const auto reason = DescribeNonText(text))
        throw ESkinDefinitionError("skin member '" + *member + "': " + *reason);
    LoadDefinition(text, package);
    return *member;
}

void TSkinDefinition::LoadDefinition(std::string_view definitionText, const TSkinReader& package) {
    if (const auto reason = DescribeNonText(definitionText))
        throw ESkinDefinitionError("skin definition: " + *reason);
    LoadDefinition(TProfileText(definitionText), package);
}

void TSkinDefinition::LoadDefinition(const TProfileText& ini, const TSkinReader& package) {
    LoadContext context{ini, package, ini.ReadSectionNames(), {}};
    // Read into a definition of its own so that a failure half-way leaves this one untouched.
    TSkinDefinition loaded(nullptr);
    loaded.load_ = &context;
    loaded.ReadAll();
    loaded.load_ = nullptr;
    TakeLoadedState(loaded);
    ButtonFaceChanged();
}

void TSkinDefinition::ReadAll() {
    SkinName = Text(kTitlebarSkin, "SkinName");
    HighContrast = Integer(kTitlebarSkin, "HighContrast", 0) == 1;
    ReadBorders();
    ReadColours();
    ReadSysButtons();
    ReadButtons();
    ReadTitle();
    ReadProgress();
    ReadMenuBar();
    ReadElement(GroupBoxEdge, "GroupBoxEdge");
    ReadElement(Toolbars, "Toolbars");
    ReadElementWithSecondImage(Tabs, "Tabs", "Border");
    ReadElement(StatusBarEdges, "StatusBarEdges");
    ReadElementWithSecondImage(ComboButton, "ComboButton", kUnusedKey);
    if (ComboButton && !ComboButton->Image.empty()) {
        // The button on the other side of the box: our bitmaps have one pixel format, so a copy is all
        // the mirror needs.
        ComboButton->SecondImage = ComboButton->Image;
        MirrorBitmap(ComboButton->SecondImage);
    }
    ReadElement(SunkEdge, "SunkEdge");
    ReadElement(ExtraImages, "ExtraImages");
    ReadElement(Headerbar, "Headerbar");
    ReadElement(MenuItem, "MenuItem");
    ReadElement(MenuBackground, "MenuBackground");
    ReadElement(Scrollbar, "Scrollbar");
    ReadElement(HorzScroll, "HorzScroll");
    ReadElement(VertScroll, "VertScroll");
    ReadElement(HorzScrollThumb, kHorzScrollThumb);
    ReadElement(VertScrollThumb, kVertScrollThumb);
    ReadElement(TrackbarThumbHorz, "Trackbar.ThumbHorz");
    ReadElement(TrackbarThumbVert, "Trackbar.ThumbVert");
    ReadElement(TrackbarThumbLeft, "Trackbar.ThumbLeft");
    ReadElement(TrackbarThumbRight, "Trackbar.ThumbRight");
    ReadElement(TrackbarThumbUp, "Trackbar.ThumbUp");
    ReadElement(TrackbarThumbDown, "Trackbar.ThumbDown");
    ReadElementWithSecondImage(UpDownHorz, "UpDown.Horz", "GlyphImage");
    ReadElementWithSecondImage(UpDownVert, "UpDown.Vert", "GlyphImage");
    SetFrameCounts();
}

std::int32_t TSkinDefinition::Integer(std::string_view section, std::string_view key,
                                      std::int32_t defaultValue) const {
    return ReadSkinInteger(load_->Ini, section, key, defaultValue);
}

std::string TSkinDefinition::Text(std::string_view section, std::string_view key) const {
    return load_->Ini.ReadString(section, key, {});
}

void TSkinDefinition::LoadSkinBitmap(Bitmap& bitmap, std::string_view reference) {
    bitmap = Bitmap();
    const std::optional<std::string> member = BitmapMemberName(reference);
    if (!member) return;
    std::vector<std::uint8_t>& bytes = load_->Member;
    load_->Package.ExtractMember(*member, bytes);
    if (bytes.empty()) return; // a missing member, or one of size 0: no image
    try {
        bitmap = ReadBmp(bytes);
    } catch (const rtl::Exception& e) {
        throw ESkinDefinitionError("skin member '" + rtl::LowerCaseAscii(*member) + "': " + e.what());
    }
}

void TSkinDefinition::ReadRgbKeys(std::string_view section, std::string_view prefix, Colour& colour) {
    skin::ReadRgbKeys(load_->Ini, section, prefix, colour);
}

void TSkinDefinition::ReadBorders() {
    // The two fixed ends of a border lie along its length: the top and bottom of a vertical border, the
    // left and right of a horizontal one.
    struct Side {
        std::string_view Name;
        TDataSkinBorder& Border;
        bool Vertical;
    };
    const Side sides[] = {{"Left", *BorderLeft, true},
                          {"Right", *BorderRight, true},
                          {"Top", *BorderTop, false},
                          {"Bottom", *BorderBottom, false}};
    for (const Side& side : sides) {
        const std::string name(side.Name);
        TDataSkinBorder* border = &side.Border;
        const std::int32_t startEnd = Integer(kPersonality, name + "TopHeight", 0);
        const std::int32_t finishEnd = Integer(kPersonality, name + "BotHeight", 0);
        border->TopHeight = side.Vertical ? startEnd : 0;
        border->BottomHeight = side.Vertical ? finishEnd : 0;
        border->LeftWidth = side.Vertical ? 0 : startEnd;
        border->RightWidth = side.Vertical ? 0 : finishEnd;
        border->FrameCount = Integer(kPersonality, name + "Frame", kDefaultBorderFrames);
        border->Tile = Integer(kPersonality, name + "Stretch", kDefaultBorderTile);
        border->Trans = Integer(kPersonality, name + "Trans", kDefaultBorderTrans);
        LoadSkinBitmap(border->Image, Text(kPersonality, name));
    }
}

void TSkinDefinition::ReadColours() {
    const TProfileText& ini = load_->Ini;
    WindowTextColour = ReadColourText(ini, kColours, "WindowText", rtl::clWindowText);
    ButtonFaceColour = ReadColourText(ini, kColours, "ButtonFace", rtl::clBtnFace);
    ScrollbarColour = ReadColourText(ini, kColours, "Scrollbar", rtl::clScrollBar);
    HilightTextColour = ReadColourText(ini, kColours, "HilightText", rtl::clHighlightText);
    HilightColour = ReadColourText(ini, kColours, "Hilight", rtl::clHighlight);
    // A menu bar the skin does not colour matches the skin's buttons, not the system's.
    MenubarColour = ReadColourText(ini, kColours, "Menubar", ButtonFaceColour);
    MenuColour = ReadColourText(ini, kColours, "Menu", rtl::clMenu);
    MenuTextColour = ReadColourText(ini, kColours, "MenuText", rtl::clMenuText);
    ButtonTextColour = ReadColourText(ini, kColours, "ButtonText", rtl::clBtnText);
    ButtonHilightColour = ReadColourText(ini, kColours, "ButtonHilight", rtl::clBtnHighlight);
    ButtonLightColour = ReadColourText(ini, kColours, "Buttonlight", rtl::clBtnHighlight);
    ButtonShadowColour = ReadColourText(ini, kColours, "ButtonShadow", rtl::clBtnShadow);
    ButtonDkShadowColour = ReadColourText(ini, kColours, "ButtonDkShadow", rtl::clBtnShadow);
    MenuBarTextColour = ReadColourText(ini, kColours, "MenuBarText", rtl::clMenuText);
    TitleTextActiveColour = ReadColourText(ini, kColours, "TitleTextActive", rtl::clCaptionText);
    TitleTextNoActiveColour = ReadColourText(ini, kColours, "TitleTextNoActive", rtl::clInactiveCaptionText);

    ColourTable.clear();
    for (const std::string& section : load_->Sections) {
        if (IsColourTableSection(section)) {
            ColourTable.push_back(ReadColourText(ini, section, kColourTableKey, rtl::clWindowText));
        }
    }
}

void TSkinDefinition::ReadSysButtons() {
    SysButtons.clear();
    for (const std::string& section : load_->Sections) {
        if (!IsCaptionButtonSection(section)) continue;
        auto button = std::make_unique<TDataSkinSysButton>(UpperCaseAscii(section));
        button->Action = Integer(section, "Action", 0);
        button->Align = Integer(section, "Align", 0);
        button->XCoord = Integer(section, "Xcoord", 0);
        button->YCoord = Integer(section, "Ycoord", 0);
        button->Visibility = Integer(section, "Visibility", 0);
        button->Visibility1 = Integer(section, "Visibility1", 0);
        button->CombineOp = Integer(section, "CombineOp", kCombineOpNotGiven);
        button->FrameCount = Integer(section, "frame", 0);
        LoadSkinBitmap(button->Image, Text(section, "ButtonImage"));
        if (button->FrameCount == 0) {
            // No frame count: guessed from the image's shape.
            button->FrameCount = kSixFrames;
            if (!button->Image.empty()) {
                const bool narrow = std::int64_t{button->Image.width()} * kThreeFrameAspectDenominator <=
                                    std::int64_t{button->Image.height()} * kThreeFrameAspectNumerator;
                button->FrameCount = narrow ? kThreeFrames : kSixFrames;
                if (button->Action < 0) button->FrameCount = kSixFrames;
            }
            if (std::find(std::begin(kImagelessActions), std::end(kImagelessActions), button->Action) !=
                std::end(kImagelessActions)) {
                button->Image = Bitmap();
            }
        }
        SysButtons.push_back(std::move(button));
    }

    const std::size_t firstMdiButton = SysButtons.size();
    const std::string mdiName = !SysButtons.empty()        ? SysButtons.back()->Name
                                : !load_->Sections.empty() ? UpperCaseAscii(load_->Sections.front())
                                                           : std::string();
    for (const std::int32_t action : kMdiActions) {
        auto button = std::make_unique<TDataSkinSysButton>(mdiName);
        button->Action = action;
        button->Align = kMdiPlacement;
        button->Visibility = kMdiPlacement;
        button->Visibility1 = kMdiPlacement;
        button->FrameCount = kMdiCellsPerButton;
        SysButtons.push_back(std::move(button));
    }
    ReadMdiButtons(firstMdiButton);
}

void TSkinDefinition::ReadMdiButtons(std::size_t firstMdiButton) {
    Bitmap strip;
    LoadSkinBitmap(strip, Text(kMdiControls, "Image"));
    if (strip.empty()) return;
    const int cell = strip.width() / kMdiStripCells;
    const int buttonWidth = cell * kMdiCellsPerButton;
    for (int i = 0; i < kMdiButtonCount; ++i) {
        TDataSkinSysButton& button = *SysButtons[firstMdiButton + static_cast<std::size_t>(i)];
        button.Image = Bitmap(buttonWidth, strip.height());
        CopyRect(button.Image, {0, 0}, strip, MakeRect(buttonWidth * i, 0, buttonWidth, strip.height()));
        button.XCoord = (cell + kMdiButtonGap) * (kMdiButtonCount - i);
    }
}

void TSkinDefinition::ReadButtons() {
    TDataSkinButton& buttons = *Buttons;
    buttons.LeftWidth = Integer(kButtons, "LeftWidth", 0);
    buttons.RightWidth = Integer(kButtons, "RightWidth", 0);
    buttons.TopHeight = Integer(kButtons, "TopHeight", 0);
    buttons.BottomHeight = Integer(kButtons, "BottomHeight", 0);
    buttons.Trans = Integer(kButtons, "Trans", 0);
    LoadSkinBitmap(buttons.Image, Text(kButtons, "Bitmap"));
    buttons.Tile = Integer(kButtons, "Tile", 0);
    LoadSkinBitmap(buttons.CheckButtonImage, Text(kButtons, "CheckButton"));
    LoadSkinBitmap(buttons.RadioButtonImage, Text(kButtons, "RadioButton"));
    buttons.NormalColour = Integer(kButtons, "NormalColour", kColourNotGiven);
    buttons.MouseOverColour = Integer(kButtons, "MouseOverColour", kColourNotGiven);
    buttons.PressedColour = Integer(kButtons, "PressedColour", kColourNotGiven);
    buttons.RadioButtonFrame = Integer(kButtons, "RadioButtonFrame", 0);
    buttons.CheckButtonFrame = Integer(kButtons, "CheckButtonFrame", 0);
    buttons.NormalColour2 = ReadColourText(load_->Ini, kButtons, "NormalColour2", ButtonTextColour);
    buttons.MouseOverColour2 = ReadColourText(load_->Ini, kButtons, "MouseOverColour2", ButtonTextColour);
    buttons.PressedColour2 = ReadColourText(load_->Ini, kButtons, "PressedColour2", ButtonTextColour);
}

void TSkinDefinition::ReadTitle() {
    TDataSkinTitle& title = *Title;
    LoadSkinBitmap(title.Image, Text(kPersonality, "TextBack"));
    title.LeftWidth = Integer(kPersonality, "TextShift", 0);
    title.TopHeight = Integer(kPersonality, "TextShiftVert", 0);
    title.RightWidth = Integer(kPersonality, "TextRightClip", 0);
    title.BottomHeight = 0;
    title.TextAlignment = Integer(kPersonality, "TextAlignment", 0);
    title.TextBackground = Integer(kPersonality, "Textbackground", 0);
    title.FontHeight = Integer(kFonts, "FontHeight", kDefaultFontHeight);
    title.TextBackLeft = Integer(kPersonality, "TXTBackleft", 0);
    title.TextBackRight = Integer(kPersonality, "TXTBackRight", 0);
    title.ActiveTextColour = kTitleColourNotSet;
    title.InactiveTextColour = kTitleColourNotSet;
    ReadRgbKeys(kPersonality, "ActiveText", title.ActiveTextColour);
    ReadRgbKeys(kPersonality, "InActiveText", title.InactiveTextColour);
}

void TSkinDefinition::ReadProgress() {
    Progress.reset();
    const std::string bitmap = Text(kProgress, "Bitmap");
    if (bitmap.empty()) return;
    auto progress = std::make_unique<TDataSkinBorder>(std::string(kProgress));
    LoadSkinBitmap(progress->Image, bitmap);
    const std::string chunk = Text(kProgress, "Chunk");
    if (!chunk.empty()) LoadSkinBitmap(progress->SecondImage, chunk);
    progress->Style = Integer(kProgress, "Style", 0);
    progress->LeftWidth = Integer(kProgress, "LeftWidth", 0);
    progress->RightWidth = Integer(kProgress, "RightWidth", 0);
    progress->TopHeight = Integer(kProgress, "TopHeight", 0);
    progress->BottomHeight = Integer(kProgress, "BottomHeight", 0);
    progress->Trans = Integer(kProgress, "Trans", 0);
    progress->Tile = Integer(kProgress, "Tile", 0);
    Progress = std::move(progress);
}

void TSkinDefinition::ReadMenuBar() {
    MenuBar.reset();
    const std::string image = Text(kPersonality, "menuBar");
    if (image.empty()) return;
    auto menuBar = std::make_unique<TDataSkinObject>(std::string(kPersonality));
    LoadSkinBitmap(menuBar->Image, image);
    menuBar->TopHeight = 0;
    menuBar->BottomHeight = 0;
    menuBar->Tile = Integer(kPersonality, "TileMenu", 0);
    menuBar->LeftWidth = Integer(kPersonality, "TileLeftMenu", kDefaultMenuBarEndWidth);
    menuBar->RightWidth = Integer(kPersonality, "TileRightMenu", kDefaultMenuBarEndWidth);
    MenuBar = std::move(menuBar);
}

void TSkinDefinition::ReadElementKeys(TDataSkinObject& record, std::string_view section) {
    record.LeftWidth = Integer(section, "LeftWidth", 0);
    record.RightWidth = Integer(section, "RightWidth", 0);
    record.TopHeight = Integer(section, "TopHeight", 0);
    record.BottomHeight = Integer(section, "BottomHeight", 0);
    record.Trans = Integer(section, "Trans", 0);
    record.Tile = Integer(section, "Tile", 0);
    record.NormalColour = Integer(section, "NormalColour", kColourNotGiven);
    record.MouseOverColour = Integer(section, "MouseOverColour", kColourNotGiven);
    record.PressedColour = Integer(section, "PressedColour", kColourNotGiven);
    record.NormalColour2 = ReadColourText(load_->Ini, section, "NormalColour2", ButtonTextColour);
    record.MouseOverColour2 = ReadColourText(load_->Ini, section, "MouseOverColour2", ButtonTextColour);
    record.PressedColour2 = ReadColourText(load_->Ini, section, "PressedColour2", ButtonTextColour);
    if (record.Tile > 1) record.Tile = 0; // only 0 and 1 are known ways to fill the centre
}

void TSkinDefinition::ReadElement(std::unique_ptr<TDataSkinObject>& slot, std::string_view section) {
    slot.reset();
    const std::string image = Text(section, "Image");
    if (image.empty()) return;
    auto record = std::make_unique<TDataSkinObject>(std::string(section));
    LoadSkinBitmap(record->Image, image);
    record->Style = Integer(section, "Style", 0);
    ReadElementKeys(*record, section);
    slot = std::move(record);
}

void TSkinDefinition::ReadElementWithSecondImage(std::unique_ptr<TDataSkinBorder>& slot,
                                                 std::string_view section, std::string_view secondKey) {
    slot.reset();
    const std::string image = Text(section, "Image");
    if (image.empty()) return;
    auto record = std::make_unique<TDataSkinBorder>(std::string(section));
    LoadSkinBitmap(record->Image, image);
    const std::string second = Text(section, secondKey);
    if (!second.empty()) LoadSkinBitmap(record->SecondImage, second);
    ReadElementKeys(*record, section);
    slot = std::move(record);
}

void TSkinDefinition::SetFrameCounts() {
    ForEachOptionalSlot([this](const auto& slot) {
        auto& record = this->*slot.Member;
        if (record && slot.FrameCount != kFrameCountFromKey) record->FrameCount = slot.FrameCount;
    });
    if (HorzScrollThumb)
        HorzScrollThumb->FrameCount = Integer(kHorzScrollThumb, "FrameCount", kDefaultThumbFrames);
    if (VertScrollThumb)
        VertScrollThumb->FrameCount = Integer(kVertScrollThumb, "FrameCount", kDefaultThumbFrames);
    Title->FrameCount = kTitleFrames;
    Buttons->FrameCount = kButtonFrames;
    if (Buttons->RadioButtonFrame == 0)
        Buttons->RadioButtonFrame = GlyphStripFrames(Buttons->RadioButtonImage);
    if (Buttons->CheckButtonFrame == 0)
        Buttons->CheckButtonFrame = GlyphStripFrames(Buttons->CheckButtonImage);
}

void TSkinDefinition::LoadScaled(const TSkinDefinition& source, int dpi) {
    const ScaleRatio ratio{SkinScaleRatio(dpi).Numerator, source.dpi_};
    TSkinDefinition scaled(nullptr);
    scaled.dpi_ = dpi;
    const auto border = [&](const TDataSkinBorder& from, TDataSkinBorder& to, bool stacked) {
        ScaleRecordInto(from, to, ratio, RecordImageLayout(from, stacked), ImageLayout{});
    };
    // The side borders' frames lie side by side, the top and bottom borders' are stacked.
    border(*source.BorderLeft, *scaled.BorderLeft, false);
    border(*source.BorderRight, *scaled.BorderRight, false);
    border(*source.BorderTop, *scaled.BorderTop, true);
    border(*source.BorderBottom, *scaled.BorderBottom, true);
    ScaleRecordInto(*source.Title, *scaled.Title, ratio);
    ScaleRecordInto(*source.Buttons, *scaled.Buttons, ratio);
    for (const auto& button : source.SysButtons) {
        auto copy = std::make_unique<TDataSkinSysButton>(button->Name);
        ScaleRecordInto(*button, *copy, ratio);
        scaled.SysButtons.push_back(std::move(copy));
    }
    ForEachOptionalSlot([&](const auto& slot) {
        const auto& from = source.*slot.Member;
        if (!from) return;
        using Record = typename std::decay_t<decltype(from)>::element_type;
        auto copy = std::make_unique<Record>(from->Name);
        if constexpr (std::is_same_v<Record, TDataSkinBorder>) {
            ScaleRecordInto(*from, *copy, ratio, RecordImageLayout(*from), SecondImageLayout(source, *from));
            if (slot.Member == &TSkinDefinition::ComboButton && !copy->Image.empty()) {
                copy->SecondImage = copy->Image; // the other side's button, mirrored as when read
                MirrorBitmap(copy->SecondImage);
            }
        } else {
            // The menu bar's two frames are stacked.
            ScaleRecordInto(*from, *copy, ratio,
                            RecordImageLayout(*from, slot.Member == &TSkinDefinition::MenuBar));
        }
        scaled.*slot.Member = std::move(copy);
    });

    scaled.WindowTextColour = source.WindowTextColour;
    scaled.TitleTextActiveColour = source.TitleTextActiveColour;
    scaled.TitleTextNoActiveColour = source.TitleTextNoActiveColour;
    scaled.ButtonFaceColour = source.ButtonFaceColour;
    scaled.ButtonTextColour = source.ButtonTextColour;
    scaled.ButtonHilightColour = source.ButtonHilightColour;
    scaled.ButtonLightColour = source.ButtonLightColour;
    scaled.ButtonShadowColour = source.ButtonShadowColour;
    scaled.ButtonDkShadowColour = source.ButtonDkShadowColour;
    scaled.HilightTextColour = source.HilightTextColour;
    scaled.HilightColour = source.HilightColour;
    scaled.MenubarColour = source.MenubarColour;
    scaled.MenuBarTextColour = source.MenuBarTextColour;
    scaled.MenuColour = source.MenuColour;
    scaled.MenuTextColour = source.MenuTextColour;
    scaled.ScrollbarColour = source.ScrollbarColour;
    scaled.ColourTable = source.ColourTable;
    scaled.SkinName = source.SkinName;
    TakeLoadedState(scaled);
    ButtonFaceChanged();
}

void TSkinDefinition::TakeLoadedState(TSkinDefinition& loaded) noexcept {
    dpi_ = loaded.dpi_;
    *BorderLeft = std::move(*loaded.BorderLeft);
    *BorderRight = std::move(*loaded.BorderRight);
    *BorderTop = std::move(*loaded.BorderTop);
    *BorderBottom = std::move(*loaded.BorderBottom);
    *Title = std::move(*loaded.Title);
    *Buttons = std::move(*loaded.Buttons);
    SysButtons.swap(loaded.SysButtons);
    // The old optional records go to `loaded` and are freed with it.
    ForEachOptionalSlot(
        [this, &loaded](const auto& slot) { (this->*slot.Member).swap(loaded.*slot.Member); });

    WindowTextColour = loaded.WindowTextColour;
    TitleTextActiveColour = loaded.TitleTextActiveColour;
    TitleTextNoActiveColour = loaded.TitleTextNoActiveColour;
    ButtonFaceColour = loaded.ButtonFaceColour;
    ButtonTextColour = loaded.ButtonTextColour;
    ButtonHilightColour = loaded.ButtonHilightColour;
    ButtonLightColour = loaded.ButtonLightColour;
    ButtonShadowColour = loaded.ButtonShadowColour;
    ButtonDkShadowColour = loaded.ButtonDkShadowColour;
    HilightTextColour = loaded.HilightTextColour;
    HilightColour = loaded.HilightColour;
    MenubarColour = loaded.MenubarColour;
    MenuBarTextColour = loaded.MenuBarTextColour;
    MenuColour = loaded.MenuColour;
    MenuTextColour = loaded.MenuTextColour;
    ScrollbarColour = loaded.ScrollbarColour;
    ColourTable.swap(loaded.ColourTable);
    SkinName.swap(loaded.SkinName);
    HighContrast = loaded.HighContrast;
}

std::vector<TSkinDefinition::SlotView> TSkinDefinition::ElementSlots() const {
    std::vector<SlotView> slots{{"BorderLeft", BorderLeft.get()}, {"BorderRight", BorderRight.get()},
                                {"BorderTop", BorderTop.get()},   {"BorderBottom", BorderBottom.get()},
                                {"Title", Title.get()},           {"Buttons", Buttons.get()}};
    ForEachOptionalSlot([this, &slots](const auto& slot) {
        slots.push_back({slot.Name, (this->*slot.Member).get()});
    });
    return slots;
}

TSkinDefinition::MemoryUse TSkinDefinition::MemoryHeld() const {
    MemoryUse use;
    auto add = [&use](const TDataSkinObject& record) {
        use.ImageBytes += record.ImageBytes();
        use.RecordBytes += record.RecordSize();
        ++use.Records;
    };
    for (const SlotView& slot : ElementSlots()) {
        if (slot.Record) add(*slot.Record);
    }
    for (const auto& button : SysButtons)
        add(*button);
    use.RecordBytes += SysButtons.capacity() * sizeof(SysButtons.front()) +
                       ColourTable.capacity() * sizeof(Colour) + TDataSkinObject::HeapTextBytes(SkinName);
    return use;
}

} // namespace skin
