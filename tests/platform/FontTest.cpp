#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QStringList>

#include "platform/Graphics.h"
#include "platform/qt/Native.h"

TEST(FontSubstitution, TableIgnoresCase) {
    EXPECT_EQ(SubstituteFontFamily("Courier New"), "Liberation Mono");
    EXPECT_EQ(SubstituteFontFamily("COURIER NEW"), "Liberation Mono");
    EXPECT_EQ(SubstituteFontFamily("arial"), "Liberation Sans");
    EXPECT_EQ(SubstituteFontFamily("FixedSys"), "DejaVu Sans Mono");
    EXPECT_EQ(SubstituteFontFamily("Some Face"), "Some Face");
}

TEST(FontSubstitution, CourierNewIsAnInstalledFixedPitchFace) {
    TFont f;
    f.SetName("COURIER NEW");
    f.SetHeight(-13);
    EXPECT_EQ(QFontInfo(QFontOf(f)).family().toStdString(), "Liberation Mono");
    EXPECT_TRUE(f.IsFixedPitch());
    f.SetName("Tahoma");
    EXPECT_FALSE(f.IsFixedPitch());
}

TEST(FontSubstitution, TahomaResolvesToARealFamily) {
    TFont f; // Tahoma by default
    // The wine face is itself called Tahoma; without it the stand-in is DejaVu Sans.
    const std::string family = SubstituteFontFamily("Tahoma");
    EXPECT_TRUE(QFontDatabase::families().contains(QString::fromStdString(family))) << family;
    EXPECT_EQ(QFontInfo(QFontOf(f)).family().toStdString(), family);
    EXPECT_TRUE(QFontInfo(QFontOf(f)).exactMatch());
}

TEST(Font, HeightAndSizeAt96Dpi) {
    TFont f;
    EXPECT_EQ(f.Height(), -11);
    EXPECT_EQ(f.Size(), 8);
    EXPECT_EQ(QFontOf(f).pixelSize(), 11);
    f.SetSize(10);
    EXPECT_EQ(f.Height(), -13);
    f.SetSize(12);
    EXPECT_EQ(f.Height(), -16);
    EXPECT_EQ(QFontOf(f).pixelSize(), 16);
}

TEST(Font, PositiveHeightIsTheCellHeight) {
    TFont f;
    f.SetName("Courier New");
    f.SetHeight(20);
    const QFontMetrics fm(QFontOf(f));
    EXPECT_NEAR(fm.ascent() + fm.descent(), 20, 1);
    EXPECT_LT(QFontOf(f).pixelSize(), 20); // the em is smaller than the cell
}

TEST(Font, StylesAndChangeNotification) {
    TFont f;
    int changes = 0;
    f.OnChange = [&](TObject*) { ++changes; };
    f.SetStyle({TFontStyle::fsBold, TFontStyle::fsUnderline});
    f.SetStyle({TFontStyle::fsBold, TFontStyle::fsUnderline}); // same: no news
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(QFontOf(f).bold());
    EXPECT_TRUE(QFontOf(f).underline());
    EXPECT_FALSE(QFontOf(f).italic());
    TFont g;
    g.Assign(f);
    EXPECT_TRUE(QFontOf(g).bold());
    f.Assign(g); // equal: no news
    EXPECT_EQ(changes, 1);
    f.SetHeight(-20);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(QFontOf(f).pixelSize(), 20); // the cached Qt font followed
}
