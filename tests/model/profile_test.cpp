// TProfileText natively: the reading rules the skins rely on, each pinned by a small text. The same
// rules are checked against the platform's own reader in profile_wine_test.cpp.
#include "skin/data/profile.h"

#include <gtest/gtest.h>
#include <string>

using skin::DescribeNonText;
using skin::TProfileText;

namespace {

TEST(ProfileText, NamesIgnoreCaseAndTheFirstSectionAndKeyOfANameWin) {
    const TProfileText ini("[Colours]\r\nMenu=1\r\nMENU=2\r\n[colours]\r\nMenu=3\r\nMenuText=4\r\n");
    EXPECT_EQ(ini.ReadString("COLOURS", "menu", "d"), "1");
    // The second [colours] is never searched, not even for a key the first one lacks.
    EXPECT_EQ(ini.ReadString("Colours", "MenuText", "d"), "d");
    EXPECT_EQ(ini.ReadString(" Colours\t", "  Menu ", "d"), "1");
}

TEST(ProfileText, BlanksAroundNamesAndValuesAreTrimmedButNotInside) {
    const TProfileText ini("  [ Personality ]  \r\n\t Top Frame \t=\t 2 0 \t\r\nSkin=\x1A"
                           "a b\x1A\r\n");
    EXPECT_EQ(ini.ReadString("Personality", "Top Frame", "d"), "2 0");
    EXPECT_EQ(ini.ReadString("Personality", "Skin", "d"), "a b"); // Ctrl-Z counts as a blank
    EXPECT_EQ(ini.ReadSectionNames(), std::vector<std::string>{"Personality"});
}

TEST(ProfileText, OnePairOfMatchingQuotesIsRemoved) {
    const TProfileText ini("[Q]\r\nd=\"Blue Sky\"\r\ns=' padded '\r\nmixed=\"a'\r\none=\"\r\nempty=\"\"\r\n"
                           "inner=\"a\"b\"\r\nopen=\"abc\r\nclose=abc'\r\ntwice=\"\"x\"\"\r\n");
    EXPECT_EQ(ini.ReadString("Q", "d", ""), "Blue Sky");
    EXPECT_EQ(ini.ReadString("Q", "s", ""), " padded ");
    EXPECT_EQ(ini.ReadString("Q", "mixed", ""), "\"a'");
    EXPECT_EQ(ini.ReadString("Q", "one", ""), "\"");
    EXPECT_EQ(ini.ReadString("Q", "empty", "d"), "");
    EXPECT_EQ(ini.ReadString("Q", "inner", ""), "a\"b");
    EXPECT_EQ(ini.ReadString("Q", "open", ""), "\"abc");
    EXPECT_EQ(ini.ReadString("Q", "close", ""), "abc'");
    EXPECT_EQ(ini.ReadString("Q", "twice", ""), "\"x\"");
}

TEST(ProfileText, MissingSectionKeyOrValueGivesTheDefaultAsTheReaderTreatsIt) {
    const TProfileText ini("[S]\r\nnovalue\r\nempty=\r\n");
    EXPECT_EQ(ini.ReadString("S", "novalue", "d"), "d"); // a line without "=" has no value
    EXPECT_EQ(ini.ReadString("S", "empty", "d"), "");    // an empty value is a value
    EXPECT_EQ(ini.ReadString("S", "absent", "d"), "d");
    EXPECT_EQ(ini.ReadString("T", "empty", "d"), "d");
    // The default loses its trailing spaces (never its first character) and its quotes.
    EXPECT_EQ(ini.ReadString("S", "absent", "d  "), "d");
    EXPECT_EQ(ini.ReadString("S", "absent", "   "), " ");
    EXPECT_EQ(ini.ReadString("S", "absent", "'q'"), "q");
}

TEST(ProfileText, LinesEndAtCrLfOrAnyMixOfThem) {
    const TProfileText ini("[A]\rx=1\ny=2\r\nz=3\n\r[B]\r\rx=4");
    EXPECT_EQ(ini.ReadString("A", "x", ""), "1");
    EXPECT_EQ(ini.ReadString("A", "y", ""), "2");
    EXPECT_EQ(ini.ReadString("A", "z", ""), "3");
    EXPECT_EQ(ini.ReadString("B", "x", ""), "4");
}

TEST(ProfileText, KeysBeforeTheFirstSectionAndBlankSectionsAreUnnamedAndUnlisted) {
    const TProfileText ini("early=1\r\n[A]\r\nx=2\r\n[]\r\nlate=3\r\n[  ]\r\nlater=4\r\n");
    EXPECT_EQ(ini.ReadString("", "early", "d"), "1");
    // Later unnamed sections are shadowed by the first one.
    EXPECT_EQ(ini.ReadString("", "late", "d"), "d");
    EXPECT_EQ(ini.ReadString(" ", "later", "d"), "d");
    EXPECT_EQ(ini.ReadSectionNames(), std::vector<std::string>{"A"});
}

TEST(ProfileText, OddSectionLinesAndKeyLines) {
    const TProfileText ini("[A]tail\r\nk=1=2\r\n==x\r\n[B]]\r\n[C\r\nk=3\r\n;note=4\r\n");
    EXPECT_EQ(ini.ReadString("A", "k", ""), "1=2");
    EXPECT_EQ(ini.ReadString("A", "", "d"), "=x"); // a key line "=..." has an empty name
    // "[C" has no closing bracket: it is a key line of [B]], and so are the lines after it.
    EXPECT_EQ(ini.ReadSectionNames(), (std::vector<std::string>{"A", "B]"}));
    EXPECT_EQ(ini.ReadString("B]", "k", ""), "3");
    EXPECT_EQ(ini.ReadString("B]", ";note", ""), "4"); // no comments: ";note" is a key
}

TEST(ProfileText, ValuesAreCutToTheBuffer) {
    const std::string long2047(2047, 'a');
    const TProfileText ini("[L]\r\nexact=" + long2047 + "\r\nlonger=" + long2047 + "bc\r\nq1=\"" +
                           std::string(2046, 'b') + "\"\r\nq2=\"" + std::string(2047, 'c') + "\"\r\nq3=\"" +
                           std::string(2048, 'd') + "\"\r\n");
    EXPECT_EQ(ini.ReadString("L", "exact", ""), long2047);
    EXPECT_EQ(ini.ReadString("L", "longer", ""), long2047);
    EXPECT_EQ(ini.ReadString("L", "q1", ""), std::string(2046, 'b'));
    // With 2048 characters after the opening quote the buffer cuts the closing quote off and the quote
    // removal then takes one more character: the platform reads it so.
    EXPECT_EQ(ini.ReadString("L", "q2", ""), std::string(2046, 'c'));
    EXPECT_EQ(ini.ReadString("L", "q3", ""), std::string(2047, 'd'));
}

// A text of sections named N0xxx, N1xxx... each `length` characters long.
std::string SectionsOf(int count, std::size_t length) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        std::string name = "N" + std::to_string(i);
        name.resize(length, 'x');
        text += "[" + name + "]\r\n";
    }
    return text;
}

TEST(ProfileText, SectionListKeepsOrderAndDuplicatesAndEndsWithACutNameWhenFull) {
    EXPECT_EQ(TProfileText("[b]\r\n[A]\r\n[b]\r\n[B]\r\n").ReadSectionNames(),
              (std::vector<std::string>{"b", "A", "b", "B"}));

    // 1023 names of 15 characters and their NULs fill 16368 of the 16383 bytes before the list's final
    // NUL, leaving 15.
    const std::string full = SectionsOf(1023, 15);
    // A 20-character name is cut to the 14 that fit with a NUL, and the list ends there.
    std::vector<std::string> names =
        TProfileText(full + "[LLLLLLLLLLLLLLLLLLLL]\r\n[After]\r\n").ReadSectionNames();
    ASSERT_EQ(names.size(), 1024u);
    EXPECT_EQ(names.back(), "LLLLLLLLLLLLLL");
    // A 14-character name exactly fills the room; it is kept whole, but the list still ends with it.
    names = TProfileText(full + "[MMMMMMMMMMMMMM]\r\n[After]\r\n").ReadSectionNames();
    ASSERT_EQ(names.size(), 1024u);
    EXPECT_EQ(names.back(), "MMMMMMMMMMMMMM");
    // After a 13-character name one byte is left, too little to start another name.
    names = TProfileText(full + "[NNNNNNNNNNNNN]\r\n[After]\r\n").ReadSectionNames();
    ASSERT_EQ(names.size(), 1024u);
    EXPECT_EQ(names.back(), "NNNNNNNNNNNNN");
    // Sections past the list are still read by name.
    EXPECT_EQ(TProfileText(full + "[MMMMMMMMMMMMMM]\r\n[After]\r\nk=v\r\n").ReadString("After", "k", ""),
              "v");
}

TEST(ProfileText, Utf8ByteOrderMarkIsSkippedAndHighBytesAreKeptAsTheyAre) {
    const TProfileText ini("\xEF\xBB\xBF[A]\r\nname=\xC4\xE4\xA0\r\n[\xC4]\r\nk=1\r\n");
    EXPECT_EQ(ini.ReadString("A", "name", ""), "\xC4\xE4\xA0");
    EXPECT_EQ(ini.ReadString("\xC4", "k", ""), "1");
    EXPECT_EQ(ini.ReadString("\xE4", "k", "d"), "d"); // no code page: only ASCII letters fold
}

TEST(ProfileText, NonTextIsDescribed) {
    EXPECT_FALSE(DescribeNonText("[A]\r\nk=\xFF\xFE\r\n"));
    EXPECT_FALSE(DescribeNonText(""));
    EXPECT_EQ(DescribeNonText(std::string("[A]\0k", 5)), "not text: NUL byte at offset 3");
    EXPECT_TRUE(DescribeNonText("\xFF\xFE[\0A\0]\0"));
    EXPECT_TRUE(DescribeNonText("\xFE\xFF\0[\0A\0]"));
}

} // namespace
