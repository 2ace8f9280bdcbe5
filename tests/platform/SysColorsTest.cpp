#include <gtest/gtest.h>

#include "platform/SysColors.h"

TEST(SysColors, FixedTable) {
    EXPECT_EQ(GetSysColor(0), 0xC8C8C8u);
    EXPECT_EQ(GetSysColor(2), 0xD1B499u);
    EXPECT_EQ(GetSysColor(13), 0xFF9933u);
    EXPECT_EQ(GetSysColor(15), 0xF0F0F0u);
    EXPECT_EQ(GetSysColor(16), 0xA0A0A0u);
    EXPECT_EQ(GetSysColor(20), 0xFFFFFFu);
    EXPECT_EQ(GetSysColor(24), 0xE1FFFFu);
    EXPECT_EQ(GetSysColor(26), 0xCC6600u);
    EXPECT_EQ(GetSysColor(30), 0xF0F0F0u);
}

TEST(SysColors, UnknownIndexesAreBlack) {
    EXPECT_EQ(GetSysColor(25), 0u);
    EXPECT_EQ(GetSysColor(31), 0u);
    EXPECT_EQ(GetSysColor(-1), 0u);
}

TEST(SysColors, ColorToRGBResolvesSystemColoursAndMasksPlainOnes) {
    EXPECT_EQ(ColorToRGB(clBtnFace), 0xF0F0F0u);
    EXPECT_EQ(ColorToRGB(clBtnShadow), 0xA0A0A0u);
    EXPECT_EQ(ColorToRGB(clHighlight), 0xFF9933u);
    EXPECT_EQ(ColorToRGB(clWindowText), 0x000000u);
    EXPECT_EQ(ColorToRGB(clInfoBk), 0xE1FFFFu);
    EXPECT_EQ(ColorToRGB(0xF5D8CA), 0xF5D8CAu);
    EXPECT_EQ(ColorToRGB(0x02123456), 0x123456u);
}
