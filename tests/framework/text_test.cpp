#include "framework/rtl/text.h"

#include <gtest/gtest.h>

TEST(Text, TrimRemovesBlanksAndControlCharactersOnly) {
    EXPECT_EQ(rtl::Trim(" \t 255 \t\r\n"), "255");
    EXPECT_EQ(rtl::Trim("\x01"
                        "a b\x1f"),
              "a b");
    EXPECT_EQ(rtl::Trim("   "), "");
    EXPECT_EQ(rtl::Trim("中文 "), "中文");
}

TEST(Text, Utf8AndUtf16RoundTripIncludingSurrogatePairs) {
    const std::string text = "开始转换 Marivel \xF0\x9F\x98\x80";
    const std::u16string wide = rtl::Utf8ToUtf16(text);
    EXPECT_EQ(wide.size(), 4u + 9u + 2u);
    EXPECT_EQ(wide[0], 0x5F00);
    EXPECT_EQ(rtl::Utf16ToUtf8(wide), text);
}

TEST(Text, MalformedInputBecomesReplacementCharacter) {
    EXPECT_EQ(rtl::Utf8ToUtf16("a\xFF"
                               "b"),
              u"a\uFFFDb");
    EXPECT_EQ(rtl::Utf8ToUtf16("\xE5\xBC"), u"\uFFFD\uFFFD"); // truncated sequence
    EXPECT_EQ(rtl::Utf8ToUtf16("\xC0\xAF"), u"\uFFFD\uFFFD"); // overlong
    EXPECT_EQ(rtl::Utf16ToUtf8(u"\xD800x"), "\xEF\xBF\xBDx");
}

TEST(Text, LowerCaseTouchesAsciiLettersOnly) {
    EXPECT_EQ(rtl::LowerCaseAscii("Frame.BMP"), "frame.bmp");
    EXPECT_EQ(rtl::LowerCaseAscii("\xC4\xD6"), "\xC4\xD6");
}
