// The lists typed by hand in the window, with the desktop's own mouse and key events sent to
// the editors' widgets, then compared with "Merge it!".

#include "FormFixture.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

#include "platform/qt/Native.h"

namespace {

using Lines = std::vector<std::string>;

void Send(TControl& control, QEvent& event) {
    QCoreApplication::sendEvent(WidgetOf(control), &event);
}

void ClickInto(TAdvMemo& memo) {
    const QPointF at(memo.TextArea().Left + 5, memo.TextArea().Top + 5);
    const QPointF global = WidgetOf(memo)->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    Send(memo, press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    Send(memo, release);
}

void Key(TControl& control, int key, const QString& text = {},
         Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    Send(control, press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    Send(control, release);
}

/// Letters as typed; '\n' is Enter, '\b' Backspace.
void Type(TControl& control, const std::string& text) {
    for (const char c : text) {
        if (c == '\n')
            Key(control, Qt::Key_Return, "\r");
        else if (c == '\b')
            Key(control, Qt::Key_Backspace, "\b");
        else
            Key(control, Qt::Key_A + (std::toupper(c) - 'A'), QString(QChar(c)));
    }
}

std::string Copied(TControl& pane) {
    Key(pane, Qt::Key_A, QString(QChar(1)), Qt::ControlModifier);
    Key(pane, Qt::Key_C, QString(QChar(3)), Qt::ControlModifier);
    std::string text = QApplication::clipboard()->text().toStdString();
    std::erase(text, '\r');
    return text;
}

TEST_F(FormFixture, ListsTypedByHandAreCompared) {
    ClickInto(form.LeftList());
    Type(form.LeftList(), "alpha\nbeta\ngammaX\b");
    Key(form.LeftList(), Qt::Key_Space, " ", Qt::ControlModifier); // completion: no space
    ClickInto(form.RightList());
    Type(form.RightList(), "beta\ndelta");
    EXPECT_EQ(form.LeftList().Lines().Count(), 3);
    EXPECT_EQ(form.LeftList().Lines().Get(2), "gamma");

    form.MergeButton().Click();
    EXPECT_EQ(Entries(form.MultipleHitsPane()), (Lines{"beta"}));
    EXPECT_EQ(Entries(form.SingleHitsPane()), (Lines{"alpha", "gamma", "delta"}));
    EXPECT_EQ(Copied(form.MultipleHitsPane()), "beta");
    EXPECT_EQ(Copied(form.SingleHitsPane()), "alpha\ngamma\ndelta");
    EXPECT_TRUE(seam.messageBoxes.empty());
}

} // namespace
