#include "tools/skintool/dump.h"

#include "tools/skintool/file_io.h"
#include "tools/skintool/skin_file.h"
#include "tools/skintool/skintool.h"

#include <cstdio>

namespace skin::tool {

namespace {

constexpr int kColourNameColumn = 28;

std::string Hex(Colour colour) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(colour));
    return text;
}

// A colour as the painters will take it: a system colour by index, or its three components.
std::string DescribeColour(Colour colour) {
    if (IsSystemColour(colour))
        return Hex(colour) + "  system colour " + std::to_string(SystemColourIndex(colour));
    return Hex(colour) + "  rgb " + std::to_string(colour & 0xFF) + " " +
           std::to_string((colour >> 8) & 0xFF) + " " + std::to_string((colour >> 16) & 0xFF);
}

std::string DescribeImage(const Bitmap& image) {
    if (image.empty()) return "none";
    return std::to_string(image.width()) + " x " + std::to_string(image.height());
}

// Elements whose frames lie one above the other: the caption strip, the bottom border, the caption
// text's background and the menu bar. Every other strip has its frames side by side.
bool FramesStacked(std::string_view slot) {
    return slot == "BorderTop" || slot == "BorderBottom" || slot == "Title" || slot == "MenuBar";
}

// The image with the size of one frame, as the painters cut it (a count below 1 counts as 1).
std::string DescribeStrip(const Bitmap& image, std::int32_t frameCount, bool stacked) {
    std::string text = "Image " + DescribeImage(image) + ", FrameCount " + std::to_string(frameCount);
    if (!image.empty()) {
        const int frames = frameCount < 1 ? 1 : frameCount;
        const int width = stacked ? image.width() : image.width() / frames;
        const int height = stacked ? image.height() / frames : image.height();
        text += ", frame " + std::to_string(width) + " x " + std::to_string(height);
        if (stacked) text += ", stacked";
    }
    return text;
}

const char* ClassNameOf(const TDataSkinObject& record) {
    if (dynamic_cast<const TDataSkinBorder*>(&record)) return "TDataSkinBorder";
    if (dynamic_cast<const TDataSkinButton*>(&record)) return "TDataSkinButton";
    if (dynamic_cast<const TDataSkinTitle*>(&record)) return "TDataSkinTitle";
    if (dynamic_cast<const TDataSkinSysButton*>(&record)) return "TDataSkinSysButton";
    return "TDataSkinObject";
}

void DumpRecord(std::string_view slot, const TDataSkinObject& record, std::ostream& out) {
    out << "  " << slot << ": " << ClassNameOf(record) << " \"" << record.Name << "\"\n";
    out << "    " << DescribeStrip(record.Image, record.FrameCount, FramesStacked(slot)) << '\n';
    out << "    LeftWidth " << record.LeftWidth << ", TopHeight " << record.TopHeight << ", RightWidth "
        << record.RightWidth << ", BottomHeight " << record.BottomHeight << '\n';
    out << "    Trans " << record.Trans << ", Tile " << record.Tile << ", Style " << record.Style << '\n';
    out << "    NormalColour " << record.NormalColour << ", MouseOverColour " << record.MouseOverColour
        << ", PressedColour " << record.PressedColour << '\n';
    out << "    NormalColour2 " << Hex(record.NormalColour2) << ", MouseOverColour2 "
        << Hex(record.MouseOverColour2) << ", PressedColour2 " << Hex(record.PressedColour2) << '\n';
    if (const auto* border = dynamic_cast<const TDataSkinBorder*>(&record)) {
        out << "    SecondImage " << DescribeImage(border->SecondImage) << '\n';
    }
    if (const auto* buttons = dynamic_cast<const TDataSkinButton*>(&record)) {
        out << "    CheckButtonImage " << DescribeImage(buttons->CheckButtonImage) << ", CheckButtonFrame "
            << buttons->CheckButtonFrame << '\n';
        out << "    RadioButtonImage " << DescribeImage(buttons->RadioButtonImage) << ", RadioButtonFrame "
            << buttons->RadioButtonFrame << '\n';
    }
    if (const auto* title = dynamic_cast<const TDataSkinTitle*>(&record)) {
        auto textColour = [](Colour colour) {
            return colour == kTitleColourNotSet ? std::string("not set") : Hex(colour);
        };
        out << "    TextAlignment " << title->TextAlignment << ", TextBackground " << title->TextBackground
            << ", FontHeight " << title->FontHeight << ", TextBackLeft " << title->TextBackLeft
            << ", TextBackRight " << title->TextBackRight << '\n';
        out << "    ActiveTextColour " << textColour(title->ActiveTextColour) << ", InactiveTextColour "
            << textColour(title->InactiveTextColour) << '\n';
    }
}

std::string Count(std::size_t count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

void DumpColour(std::string_view name, Colour colour, std::ostream& out) {
    std::string line = "  " + std::string(name);
    line.resize(kColourNameColumn, ' ');
    out << line << DescribeColour(colour) << '\n';
}

} // namespace

void DumpSkin(const TSkinDefinition& skin, std::ostream& out) {
    out << "skin name: \"" << skin.SkinName << "\"\n\nelements:\n";
    for (const TSkinDefinition::SlotView& slot : skin.ElementSlots()) {
        if (slot.Record) {
            DumpRecord(slot.Name, *slot.Record, out);
        } else {
            out << "  " << slot.Name << ": absent\n";
        }
    }

    out << "\ncolours:\n";
    DumpColour("WindowTextColour", skin.WindowTextColour, out);
    DumpColour("TitleTextActiveColour", skin.TitleTextActiveColour, out);
    DumpColour("TitleTextNoActiveColour", skin.TitleTextNoActiveColour, out);
    DumpColour("ButtonFaceColour", skin.ButtonFaceColour, out);
    DumpColour("ButtonTextColour", skin.ButtonTextColour, out);
    DumpColour("ButtonHilightColour", skin.ButtonHilightColour, out);
    DumpColour("ButtonLightColour", skin.ButtonLightColour, out);
    DumpColour("ButtonShadowColour", skin.ButtonShadowColour, out);
    DumpColour("ButtonDkShadowColour", skin.ButtonDkShadowColour, out);
    DumpColour("HilightTextColour", skin.HilightTextColour, out);
    DumpColour("HilightColour", skin.HilightColour, out);
    DumpColour("MenubarColour", skin.MenubarColour, out);
    DumpColour("MenuBarTextColour", skin.MenuBarTextColour, out);
    DumpColour("MenuColour", skin.MenuColour, out);
    DumpColour("MenuTextColour", skin.MenuTextColour, out);
    DumpColour("ScrollbarColour", skin.ScrollbarColour, out);

    out << "\nColourTable (" << Count(skin.ColourTable.size(), "entry", "entries") << "):\n";
    for (std::size_t i = 0; i < skin.ColourTable.size(); ++i) {
        DumpColour("[" + std::to_string(i) + "]", skin.ColourTable[i], out);
    }

    out << "\nSysButtons (" << Count(skin.SysButtons.size(), "entry", "entries")
        << ", the last 3 for MDI children):\n";
    for (std::size_t i = 0; i < skin.SysButtons.size(); ++i) {
        const TDataSkinSysButton& button = *skin.SysButtons[i];
        out << "  [" << i << "] \"" << button.Name << "\": Action " << button.Action << ", Align "
            << button.Align << ", XCoord " << button.XCoord << ", YCoord " << button.YCoord << ", CombineOp "
            << button.CombineOp << ", Visibility " << button.Visibility << ", Visibility1 "
            << button.Visibility1 << '\n';
        out << "      " << DescribeStrip(button.Image, button.FrameCount, false) << '\n';
    }

    const TSkinDefinition::MemoryUse memory = skin.MemoryHeld();
    out << "\nmemory: " << memory.ImageBytes << " bytes of image pixels, " << memory.RecordBytes
        << " bytes in " << Count(memory.Records, "record", "records") << '\n';
}

int RunDump(const std::vector<std::string>& args, std::ostream& out, std::ostream&) {
    const std::filesystem::path skinFile = args[0];
    TSkinReader reader;
    LoadSkinFile(skinFile, reader);
    TSkinDefinition skin(nullptr);
    std::string definition;
    try {
        definition = skin.LoadPackageDefinition(reader);
    } catch (const ESkinDefinitionError& e) {
        throw rtl::Exception("skin file " + Quoted(skinFile) + ": " + e.what());
    }
    out << "skin file: " << Quoted(skinFile) << "\ndefinition: '" << definition << "'\n";
    DumpSkin(skin, out);
    return kExitSuccess;
}

} // namespace skin::tool
