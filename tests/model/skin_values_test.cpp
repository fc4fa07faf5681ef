// The value types of skin definitions: integers, colour texts, colours by components, bitmap references.
#include "framework/rtl/colours.h"
#include "skin/data/skin_values.h"

#include <gtest/gtest.h>

using namespace skin;

namespace {

constexpr Colour kDefault = rtl::clBtnFace;

TEST(ParseColour, AnyNonDigitSeparatesTheThreeComponents) {
    const Colour expected = MakeColour(236, 233, 216);
    EXPECT_EQ(ParseColour("236 233 216", kDefault), expected);
    EXPECT_EQ(ParseColour("236,233,216", kDefault), expected);
    EXPECT_EQ(ParseColour("(236;233;216)", kDefault), expected);
    EXPECT_EQ(ParseColour("  236 233 216\t", kDefault), expected);
    EXPECT_EQ(ParseColour("-236-233-216", kDefault), expected); // a minus sign only separates
    EXPECT_EQ(ParseColour("r236g233b216", kDefault), expected);
}

TEST(ParseColour, TheLastNumberCountsOnlyAsBlueAndMissingComponentsAreZero) {
    EXPECT_EQ(ParseColour("12 34", kDefault), MakeColour(12, 0, 0));
    EXPECT_EQ(ParseColour("12 34 ", kDefault), MakeColour(12, 0, 0)); // a trailing blank is trimmed first
    EXPECT_EQ(ParseColour("12 34;", kDefault), MakeColour(12, 34, 0));
    EXPECT_EQ(ParseColour("12", kDefault), MakeColour(0, 0, 0));
    EXPECT_EQ(ParseColour("x", kDefault), MakeColour(0, 0, 0)); // not empty, so not the default
}

TEST(ParseColour, ComponentsKeepTheirLowEightBitsAndExtraNumbersAreIgnored) {
    EXPECT_EQ(ParseColour("300 0 0", kDefault), MakeColour(44, 0, 0));
    EXPECT_EQ(ParseColour("256 511 65535", kDefault), MakeColour(0, 255, 255));
    // A run far too long for any integer type still gives its low 8 bits (10^30 mod 256 = 0).
    EXPECT_EQ(ParseColour("1000000000000000000000000000000 1 2", kDefault), MakeColour(0, 1, 2));
    EXPECT_EQ(ParseColour("1 2 3 4 5 6", kDefault), MakeColour(1, 2, 3));
    EXPECT_EQ(ParseColour("1 2 3 4", kDefault), MakeColour(1, 2, 3));
}

TEST(ParseColour, AnEmptyOrBlankTextGivesTheDefault) {
    EXPECT_EQ(ParseColour("", kDefault), kDefault);
    EXPECT_EQ(ParseColour(" \t ", kDefault), kDefault);
}

TEST(ParseSkinInteger, AcceptsTheConversionsSyntaxAndCStyleHexadecimal) {
    EXPECT_EQ(ParseSkinInteger("0x10", 7), 16);
    EXPECT_EQ(ParseSkinInteger("0X1f", 7), 31);
    EXPECT_EQ(ParseSkinInteger("$10", 7), 16);
    EXPECT_EQ(ParseSkinInteger("-25", 7), -25);
    EXPECT_EQ(ParseSkinInteger("0xFFFFFFFF", 7), -1);
    EXPECT_EQ(ParseSkinInteger("007", 7), 7);
}

TEST(ParseSkinInteger, AnythingElseGivesTheDefault) {
    EXPECT_EQ(ParseSkinInteger("12px", 7), 7);
    EXPECT_EQ(ParseSkinInteger("", 7), 7);
    EXPECT_EQ(ParseSkinInteger("0x", 7), 7);
    EXPECT_EQ(ParseSkinInteger("0xG", 7), 7);
    EXPECT_EQ(ParseSkinInteger("1 2", 7), 7);
    EXPECT_EQ(ParseSkinInteger("2147483648", 7), 7);
    EXPECT_EQ(ParseSkinInteger("0x100000000", 7), 7);
}

TEST(ReadRgbKeys, SetsTheColourOnlyWhenAllThreeComponentsAreGiven) {
    const TProfileText ini("[P]\r\nActiveTextR=255\r\nActiveTextG=0x80\r\nActiveTextB=$10\r\n"
                           "InActiveTextR=1\r\nInActiveTextG=2\r\n"
                           "NegR=1\r\nNegG=-1\r\nNegB=3\r\nBigR=256\r\nBigG=257\r\nBigB=-0\r\n");
    Colour colour = 0x1FFFFFFF;
    ReadRgbKeys(ini, "P", "ActiveText", colour);
    EXPECT_EQ(colour, MakeColour(255, 128, 16));

    colour = 0x1FFFFFFF;
    ReadRgbKeys(ini, "P", "InActiveText", colour); // no blue
    EXPECT_EQ(colour, 0x1FFFFFFFu);
    ReadRgbKeys(ini, "P", "Neg", colour);
    EXPECT_EQ(colour, 0x1FFFFFFFu);
    ReadRgbKeys(ini, "p", "big", colour); // names ignore case; components keep their low 8 bits
    EXPECT_EQ(colour, MakeColour(0, 1, 0));
}

TEST(BitmapMemberName, KeepsTheFileNamePartAndOnlyALowerCaseBmpExtension) {
    EXPECT_EQ(BitmapMemberName("Sub\\Frame.bmp"), "Frame.bmp");
    EXPECT_EQ(BitmapMemberName("C:\\Skins\\Blue\\top.bmp"), "top.bmp");
    EXPECT_EQ(BitmapMemberName("C:top.bmp"), "top.bmp");
    EXPECT_EQ(BitmapMemberName("..\\..\\x.bmp"), "x.bmp");
    EXPECT_EQ(BitmapMemberName("frame.v2.bmp"), "frame.v2.bmp");
    EXPECT_EQ(BitmapMemberName("Skin\\Frame.BMP"), std::nullopt);
    EXPECT_EQ(BitmapMemberName("frame.bmp.txt"), std::nullopt);
    EXPECT_EQ(BitmapMemberName("dir.bmp\\frame"), std::nullopt);
    EXPECT_EQ(BitmapMemberName("Sub\\"), std::nullopt);
    EXPECT_EQ(BitmapMemberName(""), std::nullopt);
    // A slash is no separator: the whole text is looked up (and no member has such a name).
    EXPECT_EQ(BitmapMemberName("Sub/Frame.bmp"), "Sub/Frame.bmp");
}

} // namespace
