// The colour arithmetic of the glow faces, against exact values.

#include <gtest/gtest.h>

#include "drawing/ColorArithmetic.h"

TEST(ColorArithmetic, BrightnessStepsRoundHalvesToEvenAndLiftZeroChannels) {
    // Blue 0xE1 * 0.9 = 202.5 goes to 202; green 0xF0 * 0.9 = 216; red untouched.
    EXPECT_EQ(AdjustBrightnessRGB(0xF5F0E1, -10, -10, 0), 0xF5D8CAu);
    EXPECT_EQ(AdjustBrightness(clWhite, -10), 0xE6E6E6u);
    EXPECT_EQ(AdjustBrightness(clWhite, -5), 0xF2F2F2u); // 242.25
    // 0x0F * 0.9 = 13.5 goes up to 14, 0x0D * 0.5 = 6.5 down to 6, 0x0B * 0.5 = 5.5 up to 6.
    EXPECT_EQ(AdjustBrightness(0x0F, -10), 0x0Eu);
    EXPECT_EQ(AdjustBrightness(0x0D, -50), 0x06u);
    EXPECT_EQ(AdjustBrightness(0x0B, -50), 0x06u);
    // A positive step never brightens a lit channel but lifts a zero one to the percent.
    EXPECT_EQ(AdjustBrightness(clBlack, 20), 0x141414u);
    EXPECT_EQ(AdjustBrightness(clWhite, 20), 0xFFFFFFu);
    EXPECT_EQ(AdjustBrightness(0x800000, 20), 0x801414u);
    EXPECT_EQ(AdjustBrightness(clBlack, -20), 0u);
    EXPECT_EQ(AdjustBrightness(0x000001, -10), 0x000001u); // 0.9 rounds to 1: a lit channel
    EXPECT_EQ(AdjustBrightness(0x000001, -60), 0x000000u);
    // Each channel takes its own percent.
    EXPECT_EQ(AdjustBrightnessRGB(0x000000, 1, 2, 3), 0x030201u);
    // Extreme steps stay a colour.
    EXPECT_EQ(AdjustBrightness(clWhite, -300), 0u);
    EXPECT_EQ(AdjustBrightness(clBlack, 400), 0xFFFFFFu);
}

TEST(ColorArithmetic, SystemColoursAreResolvedFirst) {
    EXPECT_EQ(AdjustBrightness(clBtnFace, -10), 0xD8D8D8u); // 0xF0 * 0.9
    EXPECT_EQ(MixColors(clBtnFace, clBlack, 100), 0xF0F0F0u);
    EXPECT_EQ(ToARGB(clHighlight), 0xFF3399FFu); // table 0xFF9933 is blue FF, green 99, red 33
}

TEST(ColorArithmetic, MixingIsExactAtTheEndsAndRoundsHalvesToEven) {
    EXPECT_EQ(MixColors(0x123456, 0xABCDEF, 100), 0x123456u);
    EXPECT_EQ(MixColors(0x123456, 0xABCDEF, 150), 0x123456u);
    EXPECT_EQ(MixColors(0x123456, 0xABCDEF, 0), 0xABCDEFu);
    EXPECT_EQ(MixColors(0x123456, 0xABCDEF, -5), 0xABCDEFu);
    // 50 % of 1 and 0 is 0.5 (to 0); of 3 and 0 is 1.5 (to 2); of 255 and 0 is 127.5 (to 128).
    EXPECT_EQ(MixColors(0x0000FF, 0x000000, 50), 0x000080u);
    EXPECT_EQ(MixColors(0x000301, 0x000000, 50), 0x000200u);
    // The weight goes to the first colour: 30 % of 200 + 70 % of 100 = 130.
    EXPECT_EQ(MixColors(0xC8, 0x64, 30), 0x82u);
    EXPECT_EQ(MixColors(0xC80000, 0x640000, 1), 0x650000u);
}

TEST(ColorArithmetic, ArgbPacking) {
    EXPECT_EQ(ToARGB(0xF5D8CA), 0xFFCAD8F5u);
    EXPECT_EQ(ToARGB(0x12F5D8CA), 0xFFCAD8F5u); // bits above the colour are not alpha
    EXPECT_EQ(PackARGB(0x180, 0x1FF, 2, 3), 0x80FF0203u);
    EXPECT_EQ(OpaqueARGB(1, 2, 3), 0xFF010203u);
    constexpr TARGB c = 0x11223344;
    EXPECT_EQ(AlphaOf(c), 0x11u);
    EXPECT_EQ(RedOf(c), 0x22u);
    EXPECT_EQ(GreenOf(c), 0x33u);
    EXPECT_EQ(BlueOf(c), 0x44u);
}
