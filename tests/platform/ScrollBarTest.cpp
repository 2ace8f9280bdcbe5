// The scroll bar control: the system's position rules, and user actions on the Qt bar arriving
// as scroll codes through OnScroll, then OnChange.

#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>
#include <QScrollBar>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Dialogs.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"
#include "platform/SysColors.h"
#include "platform/qt/Native.h"

namespace {

const char* CodeName(TScrollCode code) {
    switch (code) {
    case TScrollCode::scLineUp:
        return "lineup";
    case TScrollCode::scLineDown:
        return "linedown";
    case TScrollCode::scPageUp:
        return "pageup";
    case TScrollCode::scPageDown:
        return "pagedown";
    case TScrollCode::scPosition:
        return "position";
    case TScrollCode::scTrack:
        return "track";
    case TScrollCode::scTop:
        return "top";
    case TScrollCode::scBottom:
        return "bottom";
    case TScrollCode::scEndScroll:
        return "end";
    }
    return "?";
}

class ScrollBarTest : public testing::Test {
protected:
    ScrollBarTest() : bar(&form, TScrollBarKind::sbVertical) {
        form.SetClientSize(200, 200);
        bar.OnScroll = [this](TObject* sender, TScrollCode code, int& position) {
            EXPECT_EQ(sender, &bar);
            log.push_back(std::string(CodeName(code)) + " " + std::to_string(position));
            if (override >= -1000)
                position = override;
            if (fail)
                throw std::runtime_error("scroll failed");
        };
        bar.OnChange = [this](TObject* sender) {
            EXPECT_EQ(sender, &bar);
            log.push_back("change " + std::to_string(bar.Position()));
        };
    }
    QScrollBar* QBar() const { return static_cast<QScrollBar*>(WidgetOf(bar)); }

    TForm form;
    TScrollBar bar;
    std::vector<std::string> log;
    int override = -10000; // the position OnScroll puts in, when set
    bool fail = false;
};

using Log = std::vector<std::string>;

} // namespace

TEST(SystemMetrics, ScrollBarThickness) {
    EXPECT_EQ(GetSystemMetrics(TSystemMetric::smCxVScroll), 17);
    EXPECT_EQ(GetSystemMetrics(TSystemMetric::smCyHScroll), 17);
}

TEST_F(ScrollBarTest, DefaultThicknessIsTheSystemsAndKindSetsTheOrientation) {
    EXPECT_EQ(bar.Width(), GetSystemMetrics(TSystemMetric::smCxVScroll));
    EXPECT_EQ(QBar()->orientation(), Qt::Vertical);
    TScrollBar horizontal(&form, TScrollBarKind::sbHorizontal);
    EXPECT_EQ(horizontal.Height(), GetSystemMetrics(TSystemMetric::smCyHScroll));
    EXPECT_EQ(horizontal.Kind(), TScrollBarKind::sbHorizontal);
    EXPECT_EQ(static_cast<QScrollBar*>(WidgetOf(horizontal))->orientation(), Qt::Horizontal);
}

TEST_F(ScrollBarTest, TheTroughHasTheSystemScrollBarColour) {
    bar.SetBounds(0, 0, 17, 150);
    bar.SetParams(0, 0, 100, 10); // the thumb at the top, a long trough below it
    const QImage image = QBar()->grab().toImage();
    const TColor trough = ColorToRGB(clScrollBar); // a grey: the same as BGR and as RGB
    EXPECT_EQ(image.pixel(8, 100) & 0xFFFFFF, trough);
    EXPECT_EQ(image.pixel(2, 110) & 0xFFFFFF, trough);
    int other = 0; // the arrows and the thumb are the style's own
    for (int y = 0; y < image.height(); ++y)
        other += (image.pixel(8, y) & 0xFFFFFF) != trough;
    EXPECT_GT(other, 20);
}

TEST_F(ScrollBarTest, SetParamsClampsToTheLastPageAndRaisesNothing) {
    bar.SetParams(95, 0, 100, 10);
    EXPECT_EQ(bar.Position(), 91); // max - page + 1
    EXPECT_EQ(QBar()->minimum(), 0);
    EXPECT_EQ(QBar()->maximum(), 91);
    EXPECT_EQ(QBar()->pageStep(), 10);
    EXPECT_EQ(QBar()->value(), 91);
    bar.SetParams(-4, 0, 100, 10);
    EXPECT_EQ(bar.Position(), 0);
    bar.SetParams(100, 0, 100, 0); // no page: up to max itself
    EXPECT_EQ(bar.Position(), 100);
    EXPECT_EQ(QBar()->maximum(), 100);
    bar.SetParams(7, 5, 9, 50); // a page never exceeds the range
    EXPECT_EQ(bar.PageSize(), 5);
    EXPECT_EQ(bar.Position(), 5);
    bar.SetParams(3, 2, 1, 0); // max below min
    EXPECT_EQ(bar.Max(), 2);
    EXPECT_EQ(bar.Position(), 2);
    bar.SetParams(30, 0, 100, 10);
    bar.SetPosition(200);
    EXPECT_EQ(bar.Position(), 91);
    EXPECT_EQ(QBar()->value(), 91);
    EXPECT_TRUE(log.empty());
}

TEST_F(ScrollBarTest, PagesStopAtTheLastPageThenOnChangeStops) {
    bar.SetParams(70, 0, 100, 10);
    bar.Scroll(TScrollCode::scPageDown);
    bar.Scroll(TScrollCode::scPageDown);
    bar.Scroll(TScrollCode::scPageDown);
    bar.Scroll(TScrollCode::scPageDown); // nothing left to scroll: no change
    EXPECT_EQ(log, (Log{"pagedown 80", "change 80", "pagedown 90", "change 90", "pagedown 91",
                        "change 91", "pagedown 91"}));
    EXPECT_EQ(QBar()->value(), 91);
    log.clear();
    bar.Scroll(TScrollCode::scPageUp);
    bar.Scroll(TScrollCode::scLineUp);
    bar.Scroll(TScrollCode::scLineDown);
    bar.Scroll(TScrollCode::scTop);
    bar.Scroll(TScrollCode::scLineUp);
    bar.Scroll(TScrollCode::scBottom);
    EXPECT_EQ(log, (Log{"pageup 81", "change 81", "lineup 80", "change 80", "linedown 81",
                        "change 81", "top 0", "change 0", "lineup 0", "bottom 91", "change 91"}));
}

TEST_F(ScrollBarTest, TrackAndPositionTakeTheTrackPositionClamped) {
    bar.SetParams(0, 10, 60, 11);
    bar.Scroll(TScrollCode::scTrack, 33);
    bar.Scroll(TScrollCode::scPosition, 500);
    bar.Scroll(TScrollCode::scTrack, -3);
    EXPECT_EQ(log,
              (Log{"track 33", "change 33", "position 50", "change 50", "track 10", "change 10"}));
}

TEST_F(ScrollBarTest, OnScrollMayChangeThePositionWithinTheRange) {
    bar.SetParams(0, 0, 100, 10);
    override = 42;
    bar.Scroll(TScrollCode::scLineDown);
    EXPECT_EQ(bar.Position(), 42);
    EXPECT_EQ(QBar()->value(), 42);
    EXPECT_EQ(log, (Log{"linedown 1", "change 42"}));
    override = 1000;
    bar.Scroll(TScrollCode::scLineDown);
    EXPECT_EQ(bar.Position(), 91);
}

TEST_F(ScrollBarTest, UserActionsOnTheBarArriveAsScrollCodes) {
    bar.SetParams(20, 0, 100, 10);
    QBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    QBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    QBar()->triggerAction(QAbstractSlider::SliderToMaximum);
    QBar()->triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(log, (Log{"pagedown 30", "change 30", "lineup 29", "change 29", "bottom 91",
                        "change 91", "top 0", "change 0"}));
    EXPECT_EQ(QBar()->value(), 0);
    log.clear();
    QBar()->setValue(64); // as the bar's "Scroll here" does
    EXPECT_EQ(log, (Log{"position 64", "change 64"}));
}

TEST_F(ScrollBarTest, DraggingTracksAndTheReleaseSetsThePosition) {
    bar.SetParams(0, 0, 100, 10);
    QBar()->setSliderDown(true);
    QBar()->setSliderPosition(12);
    QBar()->setSliderPosition(40);
    QBar()->setSliderDown(false);
    EXPECT_EQ(log, (Log{"track 12", "change 12", "track 40", "change 40", "position 40"}));
    EXPECT_EQ(bar.Position(), 40);
    EXPECT_EQ(QBar()->value(), 40);
}

TEST_F(ScrollBarTest, TheHandlersChoiceWinsOverTheBarsOwnStep) {
    bar.SetParams(50, 0, 100, 10);
    override = 5;
    QBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(bar.Position(), 5);
    EXPECT_EQ(QBar()->value(), 5);
    EXPECT_EQ(QBar()->sliderPosition(), 5);
    EXPECT_EQ(log, (Log{"pagedown 60", "change 5"}));
}

TEST_F(ScrollBarTest, AFailingHandlerShowsAnErrorAndTheBarStaysPut) {
    DialogSeam seam;
    bar.SetParams(50, 0, 100, 10);
    fail = true;
    QBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    ASSERT_EQ(seam.messageBoxes.size(), 1u);
    EXPECT_EQ(seam.messageBoxes[0].text, "scroll failed");
    EXPECT_EQ(bar.Position(), 50);
    EXPECT_EQ(QBar()->value(), 50);
}
