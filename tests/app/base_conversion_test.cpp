#include "app/core/base_conversion.h"
#include "framework/rtl/exceptions.h"

#include <gtest/gtest.h>

using app::ConvertBoxes;
using app::ToBase;

TEST(BaseConversion, WorkedResults) {
    EXPECT_EQ(ToBase(255, 16), "FF");
    EXPECT_EQ(ToBase(240, 16), "F0");
    EXPECT_EQ(ToBase(15, 16), "F");
    EXPECT_EQ(ToBase(16, 16), "10");
    EXPECT_EQ(ToBase(35, 36), "Z");
    EXPECT_EQ(ToBase(36, 36), "10");
    EXPECT_EQ(ToBase(100, 7), "202");
    EXPECT_EQ(ToBase(10, 2), "1010");
    EXPECT_EQ(ToBase(2147483647, 16), "7FFFFFFF");
    EXPECT_EQ(ToBase(2147483647, 36), "ZIK0ZJ");
    EXPECT_EQ(ToBase(2147483647, 2), std::string(31, '1'));
}

TEST(BaseConversion, ZeroAndNumberEqualToBaseInEveryBase) {
    for (int base = 2; base <= 36; ++base) {
        EXPECT_EQ(ToBase(0, base), "0");
        EXPECT_EQ(ToBase(base, base), "10");
        // One digit below the base is a single character, a letter from ten on.
        const std::string last = ToBase(base - 1, base);
        ASSERT_EQ(last.size(), 1u);
        EXPECT_EQ(last[0], "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ"[base - 1]);
    }
}

TEST(BaseConversion, NegativeNumbersGetASign) {
    EXPECT_EQ(ToBase(-255, 16), "-FF");
    EXPECT_EQ(ToBase(-1, 2), "-1");
    EXPECT_EQ(ToBase(INT32_MIN, 16), "-80000000");
    EXPECT_EQ(ToBase(INT32_MIN, 2), "-1" + std::string(31, '0'));
}

TEST(ConvertBoxes, NumberBoxIsTrimmedBaseBoxIsNot) {
    EXPECT_EQ(ConvertBoxes(" \t255\t ", "16"), "FF");
    EXPECT_EQ(ConvertBoxes("255", " 16"), "FF");
    EXPECT_EQ(ConvertBoxes("$FF", "10"), "255");
    EXPECT_EQ(ConvertBoxes("0xff", "10"), "255");
    EXPECT_EQ(ConvertBoxes("007", "10"), "7");
    try {
        ConvertBoxes("255", "16 ");
        FAIL();
    } catch (const rtl::EConvertError& e) {
        EXPECT_EQ(e.Message(), "'16 ' is not a valid integer value");
    }
}

TEST(ConvertBoxes, NumberErrorComesFirstAndQuotesTheTrimmedText) {
    try {
        ConvertBoxes("  12a  ", "x");
        FAIL();
    } catch (const rtl::EConvertError& e) {
        EXPECT_EQ(e.Message(), "'12a' is not a valid integer value");
    }
    try {
        ConvertBoxes("   ", "16");
        FAIL();
    } catch (const rtl::EConvertError& e) {
        EXPECT_EQ(e.Message(), "'' is not a valid integer value");
    }
    EXPECT_THROW(ConvertBoxes("2147483648", "16"), rtl::EConvertError);
    EXPECT_THROW(ConvertBoxes("10", "2147483648"), rtl::EConvertError);
}

TEST(ConvertBoxes, BaseOutsideTwoToThirtySixIsRefusedWithAMessage) {
    for (const char* base : {"1", "0", "-5", "37", "$FFFFFFFF"}) {
        try {
            ConvertBoxes("100", base);
            FAIL() << base;
        } catch (const rtl::EConvertError&) {
            FAIL() << "range error must not look like a syntax error";
        } catch (const rtl::Exception& e) {
            EXPECT_EQ(e.Message(),
                      "'" + std::string(base) + "' is not a valid base: enter a number from 2 to 36");
        }
    }
}
