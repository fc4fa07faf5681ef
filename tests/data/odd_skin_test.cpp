// Odd and hostile skins load and paint without a fault, and the table of known keys is what the
// definition reader asks for.
#include "skin/data/skin_keys.h"
#include "skin/data/skin_reader.h"
#include "skin/draw/bmp_writer.h"
#include "skin/draw/skin_image.h"
#include "tests/support/odd_skin.h"

#include <gtest/gtest.h>
#include <set>
#include <string>
#include <utility>

namespace skin {
namespace {

std::string Upper(std::string text) {
    for (char& c : text)
        c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    return text;
}

void Open(TSkinReader& reader, const PackageWriter& writer) {
    ASSERT_TRUE(reader.LoadPackage(writer.BuildCompressed()));
}

TEST(OddSkins, LoadAndPaintEveryElementAtEveryWindowSize) {
    constexpr std::uint32_t kSeeds = 80;
    for (std::uint32_t seed = 1; seed <= kSeeds; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        const test::OddSkin odd = test::MakeOddSkin(seed);
        EXPECT_EQ(odd.Definition, test::MakeOddSkin(seed).Definition) << "not deterministic";
        TSkinReader reader;
        Open(reader, odd.Package());
        TSkinDefinition skin(nullptr);
        ASSERT_NO_THROW(skin.LoadPackageDefinition(reader)) << odd.Definition;
        for (const auto& [w, h] : {std::pair{0, 0}, {1, 1}, {17, 9}, {90, 60}})
            test::PaintEveryElement(skin, w, h);
    }
}

// Values the odd skins found to overflow the drawing arithmetic (margins 2147483647 + 2) or to ask for a
// stretch map gigabytes long (a bar end 2147483647 wide): they now draw what the nearest sane value draws.
TEST(OddSkins, MarginsAndFramesFarBeyondTheImageDrawLikeTheNearestSaneValue) {
    Bitmap image(4, 3);
    for (int x = 0; x < 4; ++x) {
        for (int y = 0; y < 3; ++y)
            image.set_pixel(x, y, static_cast<Pixel>(0x100 * x + y + 1));
    }
    constexpr int kMax = 2147483647;
    EXPECT_EQ(RenderSkinImage({0, 0, 10, 6}, image, {kMax, 0, 2, 0}, {}),
              RenderSkinImage({0, 0, 10, 6}, image, {0, 0, 0, 0}, {}));
    EXPECT_EQ(RenderSkinImage({0, 0, 10, 6}, image, {-2147483647 - 1, 1, -5, 1}, {.tile = true}),
              RenderSkinImage({0, 0, 10, 6}, image, {0, 1, 0, 1}, {.tile = true}));
    for (const int end : {kMax, 6, 100}) {
        Bitmap cut(6, 2), sane(6, 2);
        DrawSkinBar(cut, {0, 0, 6, 2}, image, {end, 0, end, 0}, {});
        DrawSkinBar(sane, {0, 0, 6, 2}, image, {6, 0, 6, 0}, {});
        EXPECT_EQ(cut, sane) << "ends " << end;
    }
    // A frame past the end of the strip lies outside the image, however far past.
    EXPECT_EQ(SkinFrameRect(image, {.frame = kMax, .frameCount = 2}).Left, 4);
    EXPECT_EQ(SkinFrameRect(image, {.frame = -kMax, .vertical = true}).Top, 0);
}

// A definition naming every known section and key, each image present.
std::string FullDefinition() {
    std::string text;
    const auto write = [&text](std::string_view name, const SkinSection& section) {
        text += "[" + std::string(name) + "]\r\n";
        for (const SkinKey& key : section.Keys) {
            text += std::string(key.Name) + "=" +
                    (key.Kind == SkinKeyKind::Bitmap       ? "a.bmp"
                     : key.Kind == SkinKeyKind::ColourText ? "1 2 3"
                                                           : "1") +
                    "\r\n";
        }
    };
    for (const SkinSection& section : FixedSkinSections())
        write(section.Name, section);
    write("ButtonClose", *FindSkinSection("ButtonClose"));
    write("Colour0", *FindSkinSection("Colour0"));
    return text;
}

TEST(SkinKeys, TheTableIsExactlyWhatTheReaderAsksFor) {
    PackageWriter writer;
    writer.AddMember("a.bmp", WriteBmp(Bitmap(4, 4, 0x808080)));
    TSkinReader reader;
    Open(reader, writer);
    TProfileText ini(FullDefinition());
    std::vector<TProfileText::Lookup> asked;
    ini.LogLookups(&asked);
    TSkinDefinition skin(nullptr);
    skin.LoadDefinition(ini, reader);

    std::set<std::pair<std::string, std::string>> read;
    for (const TProfileText::Lookup& lookup : asked) {
        if (lookup.Key == "****") continue; // the combo button's second image is mirrored, never read
        const SkinSection* section = FindSkinSection(lookup.Section);
        ASSERT_NE(section, nullptr) << "the reader reads [" << lookup.Section << "], unknown to the table";
        EXPECT_NE(FindSkinKey(*section, lookup.Key), nullptr)
            << "the reader reads [" << lookup.Section << "] " << lookup.Key << ", unknown to the table";
        read.insert({Upper(std::string(section->Name)), Upper(lookup.Key)});
    }
    for (const SkinSection& section : FixedSkinSections()) {
        for (const SkinKey& key : section.Keys) {
            EXPECT_TRUE(read.contains({Upper(std::string(section.Name)), Upper(std::string(key.Name))}))
                << "[" << section.Name << "] " << key.Name << " is in the table but never read";
        }
    }
    for (const std::string_view pattern : {"ButtonClose", "Colour0"}) {
        const SkinSection& section = *FindSkinSection(pattern);
        for (const SkinKey& key : section.Keys) {
            EXPECT_TRUE(read.contains({Upper(std::string(section.Name)), Upper(std::string(key.Name))}))
                << "[" << pattern << "] " << key.Name << " is in the table but never read";
        }
    }
    EXPECT_EQ(FindSkinSection("Buttons")->Name, "Buttons"); // not a caption button
    EXPECT_EQ(FindSkinSection("Colours")->Name, "Colours"); // not a colour table entry
    EXPECT_EQ(FindSkinSection("Button.Radio"), nullptr);
}

} // namespace
} // namespace skin
