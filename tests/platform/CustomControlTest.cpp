// A custom control as the framework drives it: Qt events in, virtual handlers out.

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QWidget>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Dialogs.h"
#include "platform/Forms.h"
#include "platform/Keys.h"
#include "platform/qt/Native.h"

namespace {

class Probe : public TCustomControl {
public:
    using TCustomControl::TCustomControl;

    std::vector<std::string> log;
    bool failPaint = false;
    bool handleWheel = true;

protected:
    void Paint() override {
        log.push_back("paint");
        if (failPaint)
            throw std::runtime_error("paint failed");
        Canvas().Brush().Color = 0x0000FF;
        Canvas().FillRect(Rect(0, 0, Width(), Height()));
        Canvas().Brush().Color = 0xFF0000;
        Canvas().FillRect(Rect(1, 1, 3, 2));
    }
    void KeyDown(std::uint16_t& key, TShiftState shift) override {
        log.push_back("down " + std::to_string(key) + (shift.Shift ? " shift" : "") +
                      (shift.Ctrl ? " ctrl" : ""));
    }
    void KeyPress(char& key) override {
        log.push_back("press " + std::to_string(static_cast<unsigned char>(key)));
    }
    bool DoMouseWheel(TShiftState, int delta, TPoint) override {
        log.push_back("wheel " + std::to_string(delta));
        return handleWheel;
    }
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override {
        log.push_back("mousedown " + std::to_string(static_cast<int>(button)) + " " +
                      std::to_string(x) + "," + std::to_string(y) +
                      (shift.Double ? " double" : "") + (shift.Left ? " left" : ""));
    }
    void MouseUp(TMouseButton, TShiftState shift, int x, int y) override {
        log.push_back("mouseup " + std::to_string(x) + "," + std::to_string(y) +
                      (shift.Left ? " left" : ""));
    }
    void MouseMove(TShiftState shift, int x, int y) override {
        log.push_back("move " + std::to_string(x) + "," + std::to_string(y) +
                      (shift.Ctrl ? " ctrl" : ""));
        TCustomControl::MouseMove(shift, x, y);
    }
    void MouseEnter() override { log.push_back("enter"); }
    void MouseLeave() override { log.push_back("leave"); }
    void Resize() override {
        log.push_back("resize " + std::to_string(Width()) + "x" + std::to_string(Height()));
        TCustomControl::Resize();
    }
};

void Key(QWidget* w, int key, Qt::KeyboardModifiers mods, const QString& text = {}) {
    QKeyEvent e(QEvent::KeyPress, key, mods, text);
    QCoreApplication::sendEvent(w, &e);
}

void Mouse(QWidget* w, QEvent::Type type, QPoint p, Qt::MouseButton button,
           Qt::MouseButtons buttons) {
    QMouseEvent e(type, QPointF(p), QPointF(w->mapToGlobal(p)), button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}

class CustomControlTest : public testing::Test {
protected:
    CustomControlTest() : probe(&form) {
        form.SetClientSize(200, 100);
        probe.SetBounds(10, 20, 40, 30);
        probe.log.clear();
    }
    TForm form;
    Probe probe;
};

} // namespace

TEST_F(CustomControlTest, PaintToRendersThroughTheControlsCanvas) {
    TBitmap b;
    probe.PaintTo(b);
    ASSERT_EQ(b.Width(), 40);
    ASSERT_EQ(b.Height(), 30);
    EXPECT_EQ(b.Pixel(0, 0), 0x0000FFu);
    EXPECT_EQ(b.Pixel(1, 1), 0xFF0000u);
    EXPECT_EQ(b.Pixel(3, 1), 0x0000FFu);
    EXPECT_EQ(PainterOf(probe.Canvas()), nullptr); // detached again
}

TEST_F(CustomControlTest, ResizeRunsOnSizeChangesOnly) {
    probe.SetBounds(11, 21, 40, 30);
    EXPECT_TRUE(probe.log.empty());
    probe.SetWidth(50);
    EXPECT_EQ(probe.log, (std::vector<std::string>{"resize 50x30"}));
}

TEST_F(CustomControlTest, KeysArriveAsVirtualKeysThenCharacters) {
    QWidget* w = WidgetOf(probe);
    Key(w, Qt::Key_Left, Qt::NoModifier);
    Key(w, Qt::Key_PageDown, Qt::ShiftModifier);
    Key(w, Qt::Key_A, Qt::NoModifier, "a");
    Key(w, Qt::Key_F5, Qt::NoModifier);
    Key(w, Qt::Key_Return, Qt::NoModifier, "\r");
    Key(w, Qt::Key_Delete, Qt::NoModifier, QString(QChar(0x7F)));
    Key(w, Qt::Key_C, Qt::ControlModifier); // no text from the platform: Ctrl+C is 3
    const std::vector<std::string> expected = {
        "down 37", "down 34 shift", "down 65", "press 97",     "down 116",
        "down 13", "press 13",      "down 46", "down 67 ctrl", "press 3"};
    EXPECT_EQ(probe.log, expected);
}

TEST_F(CustomControlTest, TypedNonAsciiComesAsUtf8Bytes) {
    Key(WidgetOf(probe), Qt::Key_Eacute, Qt::NoModifier, QString::fromUtf8("\xC3\xA9"));
    EXPECT_EQ(probe.log, (std::vector<std::string>{"press 195", "press 169"}));
}

TEST_F(CustomControlTest, WantTabsBringsTabToTheKeyHandlers) {
    probe.SetWantTabs(true);
    Key(WidgetOf(probe), Qt::Key_Tab, Qt::NoModifier, "\t");
    Key(WidgetOf(probe), Qt::Key_Backtab, Qt::ShiftModifier);
    const std::vector<std::string> expected = {"down 9", "press 9", "down 9 shift", "press 9"};
    EXPECT_EQ(probe.log, expected);
}

TEST_F(CustomControlTest, WheelDeltaIs120PerNotch) {
    QWidget* w = WidgetOf(probe);
    QWheelEvent down(QPointF(5, 5), QPointF(w->mapToGlobal(QPoint(5, 5))), QPoint(),
                     QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(w, &down);
    EXPECT_TRUE(down.isAccepted());
    probe.handleWheel = false;
    QWheelEvent up(QPointF(5, 5), QPointF(w->mapToGlobal(QPoint(5, 5))), QPoint(), QPoint(0, 240),
                   Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(w, &up);
    EXPECT_FALSE(up.isAccepted()); // unhandled: the parent may scroll
    EXPECT_EQ(probe.log, (std::vector<std::string>{"wheel -120", "wheel 240"}));
}

TEST_F(CustomControlTest, PerformMouseWheelGoesThroughTheWidget) {
    TShiftState ctrl;
    ctrl.Ctrl = true;
    probe.PerformMouseWheel(ctrl, -30, 5, 5);
    probe.PerformMouseWheel({}, 120, 5, 5);
    EXPECT_EQ(probe.log, (std::vector<std::string>{"wheel -30", "wheel 120"}));
}

TEST_F(CustomControlTest, MouseButtonsAndDoubleClick) {
    QWidget* w = WidgetOf(probe);
    Mouse(w, QEvent::MouseButtonPress, {3, 4}, Qt::LeftButton, Qt::LeftButton);
    Mouse(w, QEvent::MouseButtonRelease, {3, 4}, Qt::LeftButton, Qt::NoButton);
    Mouse(w, QEvent::MouseButtonDblClick, {3, 4}, Qt::LeftButton, Qt::LeftButton);
    Mouse(w, QEvent::MouseButtonPress, {7, 8}, Qt::RightButton, Qt::RightButton);
    const std::vector<std::string> expected = {"mousedown 0 3,4 left", "mouseup 3,4",
                                               "mousedown 0 3,4 double left", "mousedown 1 7,8"};
    EXPECT_EQ(probe.log, expected);
}

TEST_F(CustomControlTest, PerformMouseMoveReachesHandlerAndEvent) {
    int events = 0;
    probe.OnMouseMove = [&](TObject* sender, TShiftState shift, int x, int y) {
        EXPECT_EQ(sender, &probe);
        EXPECT_TRUE(shift.Ctrl);
        EXPECT_EQ(x, 6);
        EXPECT_EQ(y, 9);
        ++events;
    };
    TShiftState ctrl;
    ctrl.Ctrl = true;
    probe.PerformMouseMove(ctrl, 6, 9);
    EXPECT_EQ(events, 1);
    EXPECT_EQ(probe.log, (std::vector<std::string>{"move 6,9 ctrl"}));
}

TEST_F(CustomControlTest, MouseMovesDoNotLeakToTheParent) {
    int formMoves = 0;
    form.OnMouseMove = [&](TObject*, TShiftState, int, int) { ++formMoves; };
    Mouse(WidgetOf(probe), QEvent::MouseMove, {1, 1}, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(formMoves, 0);
    form.PerformMouseMove({}, 100, 80);
    EXPECT_EQ(formMoves, 1);
}

TEST_F(CustomControlTest, EnterAndLeaveFollowThePointerWhileAButtonHoldsIt) {
    // While a button is held the desktop keeps the pointer's events at the pressed widget
    // and tells of the crossing only after the release; the control hears of each crossing
    // as the pointer makes it, and once.
    QWidget* w = WidgetOf(probe);
    QEvent enter(QEvent::Enter), leave(QEvent::Leave);
    QCoreApplication::sendEvent(w, &enter);
    Mouse(w, QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton, Qt::LeftButton);
    Mouse(w, QEvent::MouseMove, {45, 5}, Qt::NoButton, Qt::LeftButton);  // out
    Mouse(w, QEvent::MouseMove, {50, 8}, Qt::NoButton, Qt::LeftButton);  // still out
    Mouse(w, QEvent::MouseMove, {39, 29}, Qt::NoButton, Qt::LeftButton); // back in
    Mouse(w, QEvent::MouseMove, {5, -1}, Qt::NoButton, Qt::LeftButton);  // out above
    Mouse(w, QEvent::MouseButtonRelease, {5, -1}, Qt::LeftButton, Qt::NoButton);
    QCoreApplication::sendEvent(w, &leave); // the desktop's own, after the release
    const std::vector<std::string> expected = {
        "enter",     "mousedown 0 5,5 left", "move 45,5", "leave",
        "move 50,8", "move 39,29",           "enter",     "move 5,-1",
        "leave",     "mouseup 5,-1",
    };
    EXPECT_EQ(probe.log, expected);

    // Without a button held the desktop's own crossings count, each once.
    probe.log.clear();
    QCoreApplication::sendEvent(w, &enter);
    QCoreApplication::sendEvent(w, &enter);
    QCoreApplication::sendEvent(w, &leave);
    EXPECT_EQ(probe.log, (std::vector<std::string>{"enter", "leave"}));
}

TEST_F(CustomControlTest, ExceptionInPaintBecomesAnErrorBox) {
    DialogSeam seam;
    probe.failPaint = true;
    form.Show();
    probe.Repaint(); // a real paint event, through Qt
    Application->ProcessMessages();
    form.Close();
    ASSERT_FALSE(seam.messageBoxes.empty());
    EXPECT_EQ(seam.messageBoxes[0].text, "paint failed");
    EXPECT_EQ(seam.messageBoxes[0].caption, Application->Title());
    EXPECT_EQ(seam.messageBoxes[0].icon, TMsgIcon::Error);
}

// A form offers Enter, Escape and Alt+characters to its controls before the focused one gets
// them, and tells every control where the focus went.
TEST_F(CustomControlTest, TheFormOffersDialogKeysFirstAndTellsWhereTheFocusWent) {
    struct Taker : Probe {
        using Probe::Probe;
        TControl* focused = nullptr;
        bool DialogKey(std::uint16_t key, TShiftState) override { return key == VK_RETURN; }
        bool DialogChar(char ch, TShiftState shift) override { return shift.Alt && ch == 'x'; }
        void FocusChanged(TControl* c) override { focused = c; }
    } taker(&form);
    QWidget* w = WidgetOf(probe);
    Key(w, Qt::Key_Return, Qt::NoModifier, "\r");
    Key(w, Qt::Key_Escape, Qt::NoModifier, QString(QChar(27)));
    Key(w, Qt::Key_X, Qt::AltModifier, "x");
    Key(w, Qt::Key_Y, Qt::AltModifier, "y");
    EXPECT_EQ(probe.log, (std::vector<std::string>{"down 27", "press 27", "down 89"}));

    form.Show();
    probe.SetFocus();
    EXPECT_EQ(taker.focused, &probe);
    taker.SetFocus();
    EXPECT_EQ(taker.focused, &taker);
}

// Controls made while a form loads start loading and hear Loaded() once at its end, in
// creation order; then Tab goes through each parent's controls by their TabOrder.
TEST(FormLoading, ControlsLoadInTheBracketAndTabGoesByTabOrder) {
    struct Loader : Probe {
        using Probe::Probe;
        std::vector<std::string>* heard = nullptr;
        void Loaded() override {
            TCustomControl::Loaded();
            heard->push_back(Name());
        }
    };
    TForm form;
    std::vector<std::string> heard;
    form.BeginLoading();
    std::vector<std::unique_ptr<Loader>> controls;
    for (const char* name : {"a", "b", "c"}) {
        controls.push_back(std::make_unique<Loader>(&form));
        controls.back()->SetName(name);
        controls.back()->heard = &heard;
        EXPECT_TRUE(controls.back()->Loading());
    }
    controls[0]->SetTabOrder(2);
    controls[1]->SetTabOrder(0);
    controls[2]->SetTabOrder(1);
    EXPECT_TRUE(heard.empty());
    form.EndLoading();
    EXPECT_EQ(heard, (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_FALSE(controls[0]->Loading());
    // The next control Tab reaches from each one.
    auto next = [&](const TControl& c) {
        QWidget* w = WidgetOf(c)->nextInFocusChain();
        while (w->focusPolicy() == Qt::NoFocus)
            w = w->nextInFocusChain();
        return w;
    };
    EXPECT_EQ(next(*controls[1]), WidgetOf(*controls[2]));
    EXPECT_EQ(next(*controls[2]), WidgetOf(*controls[0]));
    EXPECT_FALSE(Probe(&form).Loading()); // made after the bracket
}
