// The focus between two custom controls of one shown form, and repaint requests for part of a
// control, on the offscreen platform as on a desktop.

#include <gtest/gtest.h>

#include <QEvent>
#include <QObject>
#include <QPaintEvent>
#include <QRegion>
#include <QWidget>

#include <string>
#include <vector>

#include "platform/Forms.h"
#include "platform/qt/Native.h"

namespace {

class FocusProbe : public TCustomControl {
public:
    FocusProbe(TWinControl* parent, std::string name, std::vector<std::string>& log)
        : TCustomControl(parent), name_(std::move(name)), log_(log) {}

protected:
    void DoEnter() override { log_.push_back("enter " + name_ + Seen()); }
    void DoExit() override { log_.push_back("exit " + name_ + Seen()); }

private:
    // What Focused() says while the handler runs.
    std::string Seen() const { return Focused() ? " (focused)" : ""; }

    std::string name_;
    std::vector<std::string>& log_;
};

using Log = std::vector<std::string>;

// Collects the regions that paint events of a widget ask for.
class PaintSpy : public QObject {
public:
    explicit PaintSpy(QWidget* w) { w->installEventFilter(this); }
    QRegion painted;
    int events = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            painted += static_cast<QPaintEvent*>(event)->region();
            ++events;
        }
        return false;
    }
};

} // namespace

TEST(Focus, SetFocusMovesBetweenControlsOfAShownForm) {
    Log log;
    TForm form;
    form.SetClientSize(200, 100);
    FocusProbe left(&form, "left", log), right(&form, "right", log);
    left.SetBounds(0, 0, 100, 100);
    right.SetBounds(100, 0, 100, 100);
    form.Show();
    Application->ProcessMessages();

    left.SetFocus();
    EXPECT_TRUE(left.Focused());
    EXPECT_FALSE(right.Focused());
    right.SetFocus();
    EXPECT_TRUE(right.Focused());
    EXPECT_FALSE(left.Focused());
    left.SetFocus();
    left.SetFocus(); // already there: no events
    EXPECT_EQ(log, (Log{"enter left (focused)", "exit left", "enter right (focused)", "exit right",
                        "enter left (focused)"}));
}

TEST(Focus, ASecondFormTakesTheFocusWhenItsControlIsFocused) {
    Log log;
    TForm first, second;
    first.SetClientSize(100, 100);
    second.SetClientSize(100, 100);
    FocusProbe a(&first, "a", log), b(&second, "b", log);
    a.SetBounds(0, 0, 50, 50);
    b.SetBounds(0, 0, 50, 50);
    first.Show();
    second.Show();
    Application->ProcessMessages();
    a.SetFocus();
    EXPECT_TRUE(a.Focused());
    b.SetFocus(); // in another window: that window becomes the active one
    EXPECT_TRUE(b.Focused());
    EXPECT_FALSE(a.Focused());
    ASSERT_GE(log.size(), 3u);
    EXPECT_EQ(log[0], "enter a (focused)");
    EXPECT_EQ(log[1], "exit a");
    EXPECT_EQ(log.back(), "enter b (focused)");
}

TEST(InvalidateRect, AsksForAPaintOfThatRectangleOnly) {
    Log log;
    TForm form;
    form.SetClientSize(200, 100);
    FocusProbe control(&form, "c", log);
    control.SetBounds(10, 10, 150, 80);
    form.Show();
    Application->ProcessMessages();
    PaintSpy spy(WidgetOf(control));

    control.InvalidateRect(Rect(20, 30, 50, 40));
    Application->ProcessMessages();
    ASSERT_GE(spy.events, 1);
    EXPECT_EQ(spy.painted, QRegion(20, 30, 30, 10));

    spy.painted = QRegion();
    spy.events = 0;
    control.InvalidateRect(Rect(5, 5, 5, 20)); // empty: nothing to paint
    Application->ProcessMessages();
    EXPECT_EQ(spy.events, 0);

    control.Invalidate();
    Application->ProcessMessages();
    EXPECT_EQ(spy.painted, QRegion(0, 0, 150, 80));
}
