// The generator's in-memory skin, the definition text, the BMP encoding choice and the pixel font.
#include "framework/rtl/exceptions.h"
#include "skin/draw/bmp_reader.h"
#include "tools/skingen/bmp_output.h"
#include "tools/skingen/definition_writer.h"
#include "tools/skingen/pixel_font.h"
#include "tools/skingen/skin_model.h"

#include <gtest/gtest.h>

namespace skingen {
namespace {

SkinImage Strip(const std::string& file, int w, int h, int frames) {
    SkinImage i;
    i.File = file;
    i.Pixels = skin::Bitmap(w, h, 0x123456);
    i.Frames = frames;
    i.FrameNames.assign(static_cast<std::size_t>(frames), "state");
    return i;
}

TEST(Section, KeysKeepTheirFirstPlaceAndAreFoundWhateverTheirCase) {
    Section s{"Buttons", {}};
    s.Set("LeftWidth", 4).Set("Trans", 1).Set("leftwidth", 6);
    ASSERT_EQ(s.Keys.size(), 2u);
    EXPECT_EQ(s.Keys[0].first, "LeftWidth");
    EXPECT_EQ(s.Int("LEFTWIDTH", 0), 6);
    EXPECT_EQ(s.Int("Missing", -1), -1);
    s.Set("Odd", "12px");
    EXPECT_EQ(s.Int("Odd", 7), 7) << "not a plain number: the fallback";
}

TEST(Skin, RefusesImagesThatDoNotHoldTheirFramesOrNameThemWrongly) {
    Skin skin;
    skin.AddImage(Strip("a.bmp", 20, 5, 4));
    EXPECT_THROW(skin.AddImage(Strip("a.bmp", 20, 5, 4)), rtl::Exception) << "same file twice";
    EXPECT_THROW(skin.AddImage(Strip("b.bmp", 21, 5, 4)), rtl::Exception)
        << "21 pixels are not 4 equal frames";
    SkinImage named = Strip("c.bmp", 20, 5, 4);
    named.FrameNames.pop_back();
    EXPECT_THROW(skin.AddImage(named), rtl::Exception);
    SkinImage stacked = Strip("d.bmp", 5, 20, 2);
    stacked.Vertical = true;
    EXPECT_NO_THROW(skin.AddImage(stacked));
    skin.AddSection("Tabs").Set("Image", "A.BMP");
    ASSERT_NE(skin.ImageOf("tabs", "image"), nullptr) << "sections, keys and files compare without case";
    EXPECT_EQ(skin.ImageOf("Tabs", "Border"), nullptr);
    EXPECT_THROW(skin.AddSection("TABS"), rtl::Exception);
}

TEST(DefinitionWriter, WritesSectionsAndKeysInOrderWithCrLf) {
    Skin skin;
    skin.AddSection("TitlebarSkin").Set("SkinName", "Test");
    skin.AddSection("Colour0").Set("color", ColourText(skin::MakePixel(1, 22, 255)));
    const std::string text = WriteDefinition(skin);
    const std::string body = text.substr(text.find("\r\n") + 2);
    EXPECT_EQ(body, "\r\n[TitlebarSkin]\r\nSkinName=Test\r\n\r\n[Colour0]\r\ncolor=1 22 255\r\n");
    const std::string comment = text.substr(0, text.find("\r\n"));
    EXPECT_EQ(comment.front(), ';');
    EXPECT_EQ(comment.find('='), std::string::npos) << "a comment with '=' could be read as a key";
}

TEST(DefinitionWriter, RefusesTextThatWouldBreakTheFormat) {
    Skin a;
    a.AddSection("Personality").Set("Top", "top.bmp\r\nLeft=x.bmp");
    EXPECT_THROW(WriteDefinition(a), rtl::Exception);
    Skin b;
    b.AddSection("Per]sonality");
    EXPECT_THROW(WriteDefinition(b), rtl::Exception);
}

skin::Bitmap Noise(int w, int h, int colours) {
    skin::Bitmap b(w, h);
    for (int i = 0; i < w * h; ++i) {
        const auto c = static_cast<std::uint32_t>((i * 7919) % colours);
        b.pixels()[static_cast<std::size_t>(i)] =
            skin::MakePixel(static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(c >> 8), 77);
    }
    return b;
}

TEST(EncodeSmallest, EveryChoiceDecodesToTheSamePixels) {
    for (int colours : {1, 2, 16, 17, 256, 257}) {
        const skin::Bitmap b = Noise(23, 7, colours);
        const std::vector<std::uint8_t> bytes = EncodeSmallest(b);
        EXPECT_EQ(skin::ReadBmp(bytes), b) << colours << " colours";
        EXPECT_LE(bytes.size(), skin::WriteBmp(b).size()) << "never larger than 24 bits per pixel";
    }
}

TEST(EncodeSmallest, FlatImagesShrinkWellBelowTwentyFourBits) {
    skin::Bitmap flat(64, 16, 0x00F0F0F0);
    for (int x = 0; x < 64; ++x)
        flat.set_pixel(x, 15, 0x00808080);
    EXPECT_LT(EncodeSmallest(flat).size() * 8, skin::WriteBmp(flat).size());
    EXPECT_EQ(CountColours(flat), 2);
}

TEST(PixelFont, MeasuresAndDrawsPrintableAscii) {
    EXPECT_EQ(TextWidth(""), 0);
    EXPECT_EQ(TextWidth("I"), kGlyphWidth);
    EXPECT_EQ(TextWidth("II", 2), (2 * kGlyphAdvance - 1) * 2);
    skin::Bitmap b(7, 9, 0);
    DrawText(b, 1, 1, "I", 0x00FFFFFF);
    // The I: a bar across the top and bottom, a stem in the middle column.
    EXPECT_EQ(b.pixel(2, 1), 0x00FFFFFFu);
    EXPECT_EQ(b.pixel(3, 4), 0x00FFFFFFu);
    EXPECT_EQ(b.pixel(2, 4), 0u);
    skin::Bitmap unknown(7, 9, 0), question(7, 9, 0);
    DrawText(unknown, 0, 0, "\x01", 1);
    DrawText(question, 0, 0, "?", 1);
    EXPECT_EQ(unknown, question) << "unprintable characters show as '?'";
}

} // namespace
} // namespace skingen
