#include "framework/rtl/exceptions.h"
#include "framework/rtl/int_conversion.h"

#include <gtest/gtest.h>

using rtl::TryStrToInt;

TEST(IntConversion, AcceptsDecimalWithLeadingSpacesSignAndZeros) {
    EXPECT_EQ(TryStrToInt("255"), 255);
    EXPECT_EQ(TryStrToInt("   255"), 255);
    EXPECT_EQ(TryStrToInt("+7"), 7);
    EXPECT_EQ(TryStrToInt("-7"), -7);
    EXPECT_EQ(TryStrToInt("007"), 7);
    EXPECT_EQ(TryStrToInt(" -0"), 0);
}

TEST(IntConversion, DecimalRangeIsSigned32Bit) {
    EXPECT_EQ(TryStrToInt("2147483647"), 2147483647);
    EXPECT_EQ(TryStrToInt("-2147483648"), INT32_MIN);
    EXPECT_EQ(TryStrToInt("2147483648"), std::nullopt);
    EXPECT_EQ(TryStrToInt("-2147483649"), std::nullopt);
    EXPECT_EQ(TryStrToInt("99999999999999999999"), std::nullopt);
}

TEST(IntConversion, HexadecimalPrefixesAndTwosComplement) {
    EXPECT_EQ(TryStrToInt("$FF"), 255);
    EXPECT_EQ(TryStrToInt("$ff"), 255);
    EXPECT_EQ(TryStrToInt("0xff"), 255);
    EXPECT_EQ(TryStrToInt("0XFF"), 255);
    EXPECT_EQ(TryStrToInt("xFF"), 255);
    EXPECT_EQ(TryStrToInt("XfF"), 255);
    EXPECT_EQ(TryStrToInt("$FFFFFFFF"), -1);
    EXPECT_EQ(TryStrToInt("$80000000"), INT32_MIN);
    EXPECT_EQ(TryStrToInt("$000000010"), 16);
    EXPECT_EQ(TryStrToInt("-$10"), -16);
    EXPECT_EQ(TryStrToInt("$100000000"), std::nullopt);
}

TEST(IntConversion, RejectsEverythingElse) {
    for (const char* bad : {"", " ", "255 ", "\t255", "255\t", "12a", "+", "-", "$", "0x", "x", "$G", "1 2",
                            "--1", "+-1", "1e3", "0x-1", "$ 1", "１２"}) {
        EXPECT_EQ(TryStrToInt(bad), std::nullopt) << '"' << bad << '"';
    }
}

TEST(IntConversion, StrToIntRaisesConvertErrorQuotingTheText) {
    try {
        rtl::StrToInt("16 ");
        FAIL() << "no exception";
    } catch (const rtl::EConvertError& e) {
        EXPECT_EQ(e.Message(), "'16 ' is not a valid integer value");
    }
    EXPECT_THROW(rtl::StrToInt(""), rtl::EConvertError);
    EXPECT_EQ(rtl::StrToInt("$10"), 16);
}
