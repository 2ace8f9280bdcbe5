// The glow button's size states and AutoSize arithmetic.

#include <gtest/gtest.h>

#include <string>

#include "glowbutton/GlowButtonStateSize.h"

TEST(GlowButtonAutoSize, MarginsSpacingAndTheDropDownPart) {
    // Distinct values so that every coefficient shows.
    const TGlowAutoSize plain = GlowAutoSize(40, 20, 5, 3, 4, false, true);
    EXPECT_EQ(plain.Width, 15 + 40 + 2 + 6);
    EXPECT_EQ(plain.Height, 10 + 20 + 8);
    const TGlowAutoSize right = GlowAutoSize(40, 20, 5, 3, 4, true, false);
    EXPECT_EQ(right.Width, plain.Width + 14);
    EXPECT_EQ(right.Height, plain.Height);
    const TGlowAutoSize bottom = GlowAutoSize(40, 20, 5, 3, 4, true, true);
    EXPECT_EQ(bottom.Width, plain.Width);
    EXPECT_EQ(bottom.Height, plain.Height + 14);
}

TEST(GlowButtonSizeStates, LeavingLargeSavesTheLayoutAndOnlyAutoSizeCompactsAndRestores) {
    std::string log;
    TGlowButtonSizeStates s({[&] { log += "save "; }, [&] { log += "restore "; },
                             [&] { log += "compact "; }, [&] { log += "paint "; }});
    EXPECT_EQ(s.SizeState(), TButtonSizeState::bsLarge);
    s.SizeMeasured();
    s.SetMaxButtonSizeState(TButtonSizeState::bsLabel);
    EXPECT_EQ(log, "save paint ");
    EXPECT_TRUE(s.SizeDirty());
    EXPECT_TRUE(s.ShowsCaption());
    EXPECT_FALSE(s.SmallPicture());

    s.SetAutoSize(true);
    log.clear();
    s.SetMaxButtonSizeState(TButtonSizeState::bsGlyph);
    EXPECT_EQ(log, "compact paint "); // saved only when leaving bsLarge
    EXPECT_FALSE(s.ShowsCaption());
    EXPECT_TRUE(s.SmallPicture());

    // A lower bound above the current state lifts it; one below does not.
    log.clear();
    s.SetMinButtonSizeState(TButtonSizeState::bsGlyph);
    EXPECT_EQ(log, "");
    s.SetMinButtonSizeState(TButtonSizeState::bsLabel);
    EXPECT_EQ(s.SizeState(), TButtonSizeState::bsLabel);
    EXPECT_EQ(s.MinButtonSizeState(), TButtonSizeState::bsLabel);
    EXPECT_EQ(s.MaxButtonSizeState(), TButtonSizeState::bsGlyph); // bounds are kept as set
    EXPECT_TRUE(s.ShowsCaption());
    EXPECT_EQ(log, "compact paint ");
    log.clear();
    s.SetMaxButtonSizeState(TButtonSizeState::bsLarge);
    EXPECT_EQ(log, "restore paint ");
    EXPECT_FALSE(s.SmallPicture());
}
