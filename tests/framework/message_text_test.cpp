#include "framework/rtl/message_text.h"

#include <gtest/gtest.h>

TEST(WithFullStop, AddsAStopAfterLettersDigitsAndChineseOnly) {
    EXPECT_EQ(rtl::WithFullStop("'12a' is not a valid integer value"), "'12a' is not a valid integer value.");
    EXPECT_EQ(rtl::WithFullStop("from 2 to 36"), "from 2 to 36.");
    EXPECT_EQ(rtl::WithFullStop("无效"), "无效.");
    EXPECT_EQ(rtl::WithFullStop("Please update to new version !"), "Please update to new version !");
    EXPECT_EQ(rtl::WithFullStop("done."), "done.");
    EXPECT_EQ(rtl::WithFullStop("quoted ''"), "quoted ''"); // apostrophe sorts before "."
    EXPECT_EQ(rtl::WithFullStop("a/"), "a/.");              // "/" sorts after "."
    EXPECT_EQ(rtl::WithFullStop(""), "");
}
