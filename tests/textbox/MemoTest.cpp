#include <gtest/gtest.h>

#include "platform/Clipboard.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

#include <span>
#include <string>
#include <vector>

#include "BitmapProbe.h"
#include "platform/Dialogs.h"
#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "textbox/Memo.h"
#include "platform/SysColors.h"
#include "platform/qt/Native.h"

namespace {

class MemoTest : public testing::Test {
protected:
    MemoTest() : memo(&form) {
        form.SetClientSize(300, 200);
        memo.SetBounds(10, 10, 200, 100);
    }
    // A failure inside the box's event handlers would show an error box: none may come up.
    void TearDown() override { EXPECT_TRUE(errors.messageBoxes.empty()); }

    // Keys and the mouse as the desktop sends them to the box's widget.
    void Key(int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier, QString text = {}) {
        QKeyEvent press(QEvent::KeyPress, qtKey, modifiers, text);
        QCoreApplication::sendEvent(WidgetOf(memo), &press);
    }
    void Type(const QString& text) {
        for (const QChar ch : text)
            Key(ch.isLetter() && ch.unicode() < 0x80 ? Qt::Key_A + (ch.toUpper().unicode() - 'A')
                                                     : 0,
                Qt::NoModifier, QString(ch));
    }
    void Ctrl(char letter) {
        Key(Qt::Key_A + (letter - 'A'), Qt::ControlModifier,
            QString(QChar(static_cast<char16_t>(letter - 'A' + 1))));
    }
    void Mouse(QEvent::Type type, int x, int y, Qt::MouseButtons buttons,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* widget = WidgetOf(memo);
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, QPointF(x, y), QPointF(widget->mapToGlobal(QPoint(x, y))), button,
                          buttons, modifiers);
        QCoreApplication::sendEvent(widget, &event);
    }
    TScrollBar* Bar() {
        for (int i = 0; i < memo.ControlCount(); ++i)
            if (auto* bar = dynamic_cast<TScrollBar*>(memo.Control(i)))
                return bar;
        return nullptr;
    }
    int TextWidth(const std::string& utf8) {
        return QFontMetrics(QFontOf(memo.Font())).horizontalAdvance(QString::fromStdString(utf8));
    }

    DialogSeam errors;
    TForm form;
    TMemo memo;
};

// A long entry of words of several lengths.
std::string Words(int count) {
    static const char* const words[] = {"lorem", "ipsum", "do", "sit", "amet,", "consectetur"};
    std::string text;
    for (int i = 0; i < count; ++i)
        text += std::string(i ? " " : "") + words[i % 6];
    return text;
}

} // namespace

TEST_F(MemoTest, DefaultsOfThePlainTextBox) {
    EXPECT_EQ(memo.ScrollBars(), TScrollStyle::ssNone);
    EXPECT_TRUE(memo.WordWrap());
    EXPECT_FALSE(memo.ReadOnly());
    EXPECT_EQ(memo.Color(), clWindow);
    ASSERT_NE(Bar(), nullptr);
    EXPECT_FALSE(Bar()->Visible());
    memo.SetScrollBars(TScrollStyle::ssVertical);
    EXPECT_TRUE(Bar()->Visible());
    EXPECT_EQ(Bar()->Kind(), TScrollBarKind::sbVertical);
    // Inside the sunken edge, along the right side.
    EXPECT_EQ(Bar()->BoundsRect(), Rect(200 - 2 - Bar()->Width(), 2, 198, 98));
}

TEST_F(MemoTest, SetEntriesShowsEachEntryOnALine) {
    const std::vector<std::string_view> entries = {"alpha", "", "caf\xE9", "\xC3\xBC", "x\xA0y"};
    memo.SetEntries(entries);
    EXPECT_EQ(memo.EntryCount(), 5u);
    // Each entry is judged on its own: the 1252 byte does not spoil its UTF-8 neighbour,
    // and a no-break space stays one.
    EXPECT_EQ(memo.Text(), "alpha\n\ncaf\xC3\xA9\n\xC3\xBC\nx\xC2\xA0y");
    memo.Clear();
    EXPECT_EQ(memo.EntryCount(), 0u);
    EXPECT_EQ(memo.Text(), "");
}

TEST_F(MemoTest, AppendKeepsEmptyFirstEntries) {
    memo.Append("");
    memo.Append("");
    memo.Append("b");
    EXPECT_EQ(memo.EntryCount(), 3u);
    EXPECT_EQ(memo.Text(), "\n\nb");
    memo.Clear();
    memo.Append("a");
    EXPECT_EQ(memo.Text(), "a");
}

TEST_F(MemoTest, SelectAllSelectsEveryLine) {
    const std::vector<std::string_view> entries = {"one", "two", "three"};
    memo.SetEntries(entries);
    EXPECT_EQ(memo.SelText(), "");
    memo.SelectAll();
    EXPECT_EQ(memo.SelText(), "one\ntwo\nthree");
}

TEST_F(MemoTest, MouseMoveOverTheTextAreaFiresOnMouseMove) {
    const std::vector<std::string_view> entries = {"one", "two"};
    memo.SetEntries(entries);
    int moves = 0;
    TPoint at;
    memo.OnMouseMove = [&](TObject* sender, TShiftState, int x, int y) {
        EXPECT_EQ(sender, &memo);
        at = {x, y};
        ++moves;
        memo.SelectAll();
    };
    memo.PerformMouseMove({}, 40, 30);
    EXPECT_EQ(moves, 1);
    EXPECT_EQ(at, (TPoint{40, 30}));
    EXPECT_EQ(memo.SelText(), "one\ntwo");
}

TEST_F(MemoTest, MemoInAPanelGetsItsOwnMovesOnly) {
    TPanel panel(&form);
    TMemo inner(&panel);
    inner.SetBounds(5, 5, 50, 50);
    int panelMoves = 0, memoMoves = 0;
    panel.OnMouseMove = [&](TObject*, TShiftState, int, int) { ++panelMoves; };
    inner.OnMouseMove = [&](TObject*, TShiftState, int, int) { ++memoMoves; };
    inner.PerformMouseMove({}, 10, 10);
    EXPECT_EQ(memoMoves, 1);
    EXPECT_EQ(panelMoves, 0);
}

// The speed of a million entries is measured by bench/PaneBench.cpp.
TEST_F(MemoTest, SetEntriesMakesOneLinePerEntryEmptyOnesIncluded) {
    std::vector<std::string> lines;
    std::string joined;
    for (int i = 0; i < 1000; ++i) {
        lines.push_back(i % 10 == 9 ? std::string() : "entry no " + std::to_string(i));
        joined += lines.back() + "\n";
    }
    lines.push_back(""); // a last empty entry is a line of its own
    std::vector<std::string_view> entries(lines.begin(), lines.end());
    memo.SetEntries(entries);
    EXPECT_EQ(memo.EntryCount(), 1001u);
    EXPECT_EQ(memo.Text(), joined);
    EXPECT_EQ(memo.RowCount(), 1001); // short entries: a row each
    memo.SetEntries(std::span<const std::string_view>(entries).first(3)); // replaces, not adds
    EXPECT_EQ(memo.EntryCount(), 3u);
    EXPECT_EQ(memo.Text(), "entry no 0\nentry no 1\nentry no 2");
}

TEST_F(MemoTest, LongEntriesWrapAfterSpacesAtTheWidthAndRewrapWhenResized) {
    const std::string entry = Words(40);
    const std::vector<std::string_view> entries = {entry, "short"};
    memo.SetEntries(entries);
    // The first row, as Shift+End from the start selects it.
    auto firstRow = [&] {
        Key(Qt::Key_Home, Qt::ControlModifier);
        Key(Qt::Key_End, Qt::ShiftModifier);
        return memo.SelText() + " "; // End stops before the blank the row breaks after
    };
    auto expectFull = [&](int width) {
        const std::string row = firstRow();
        ASSERT_LT(row.size(), entry.size());
        EXPECT_EQ(entry.compare(0, row.size(), row), 0);
        // It fits, and the next word would not have: the row is as full as it can be.
        const std::string next = entry.substr(0, entry.find(' ', row.size()));
        EXPECT_LE(TextWidth(row.substr(0, row.size() - 1)), width);
        EXPECT_GT(TextWidth(next), width - 8); // less the edges and margins
    };
    expectFull(200);
    const std::int64_t narrowRows = memo.RowCount();
    EXPECT_GT(narrowRows, 4);
    memo.SetBounds(10, 10, 280, 100);
    expectFull(280);
    EXPECT_LT(memo.RowCount(), narrowRows);
    EXPECT_GT(memo.RowCount(), 2);
    // A word longer than a row breaks inside it.
    const std::string word(200, 'm');
    const std::vector<std::string_view> one = {word};
    memo.SetEntries(one);
    EXPECT_GE(memo.RowCount(), TextWidth(word) / 280 + 1);
    memo.SetWordWrap(false);
    EXPECT_EQ(memo.RowCount(), 1);
}

TEST_F(MemoTest, TheScrollBarReachesTheLastWrappedRow) {
    memo.SetScrollBars(TScrollStyle::ssVertical);
    std::vector<std::string> lines;
    for (int i = 0; i < 40; ++i)
        lines.push_back(i % 4 == 0 ? Words(25) : "entry " + std::to_string(i));
    const std::vector<std::string_view> entries(lines.begin(), lines.end());
    memo.SetEntries(entries);
    TScrollBar* bar = Bar();
    ASSERT_NE(bar, nullptr);
    EXPECT_GT(memo.RowCount(), 40 + 10);
    EXPECT_EQ(bar->Max(), memo.RowCount() - 1);
    EXPECT_GT(bar->PageSize(), 3);
    EXPECT_TRUE(bar->Enabled());
    bar->Scroll(TScrollCode::scBottom);
    EXPECT_EQ(memo.TopRow(), memo.RowCount() - bar->PageSize());
    // The caret at the very end is already in view: nothing scrolls.
    Key(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(memo.TopRow(), memo.RowCount() - bar->PageSize());
    // The wheel goes no further down, and back up by three rows a notch.
    memo.PerformMouseWheel({}, -120, 20, 20);
    EXPECT_EQ(memo.TopRow(), memo.RowCount() - bar->PageSize());
    memo.PerformMouseWheel({}, 120, 20, 20);
    EXPECT_EQ(memo.TopRow(), memo.RowCount() - bar->PageSize() - 3);
    EXPECT_EQ(bar->Position(), memo.TopRow());
    // Ctrl+Home brings the caret and the view back to the top; a new content shows from its
    // start.
    Key(Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(memo.TopRow(), 0);
    bar->Scroll(TScrollCode::scBottom);
    memo.SetEntries(entries);
    EXPECT_EQ(memo.TopRow(), 0);
    EXPECT_EQ(bar->Position(), 0);
    // A text that fits has nothing to scroll.
    memo.SetEntries(std::span<const std::string_view>(entries).subspan(1, 2));
    EXPECT_FALSE(bar->Enabled());
}

TEST_F(MemoTest, SelectAllAndCopyPutExactlyTheEntriesOnTheClipboard) {
    const std::vector<std::string_view> entries = {"caf\xE9", "", "x y", "\xC3\xBC", "last"};
    memo.SetEntries(entries);
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    Ctrl('A');
    Ctrl('C');
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              QString::fromUtf8("caf\xC3\xA9\n\nx y\n\xC3\xBC\nlast"));
    // Shift+Down from the start selects the first line and its break.
    Key(Qt::Key_Home, Qt::ControlModifier);
    Key(Qt::Key_Down, Qt::ShiftModifier);
    Ctrl('C');
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QString::fromUtf8("caf\xC3\xA9\n"));
    // A list editor's paste gets the entries' own bytes back.
    EXPECT_EQ(ClipboardBytes(), "caf\xE9\r\n");
}

TEST_F(MemoTest, TypingEnterAndBackspaceEditAndCtrlZTakesTypingBackInOneStep) {
    const std::vector<std::string_view> entries = {"ab"};
    memo.SetEntries(entries);
    Key(Qt::Key_End, Qt::ControlModifier);
    Type(QStringLiteral("cd"));
    Key(Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    Type(QString::fromUtf8("\xC3\xA9t\xC3\xA9"));
    EXPECT_EQ(memo.Text(), "abcd\n\xC3\xA9t\xC3\xA9"); // stored as UTF-8
    EXPECT_EQ(memo.EntryCount(), 2u);
    Key(Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("\b"));
    EXPECT_EQ(memo.Text(), "abcd\n\xC3\xA9t");
    Ctrl('Z');
    EXPECT_EQ(memo.Text(), "abcd\n\xC3\xA9t\xC3\xA9");
    Ctrl('Z'); // the characters typed in a row, at once
    EXPECT_EQ(memo.Text(), "abcd\n");
    Ctrl('Z');
    Ctrl('Z');
    EXPECT_EQ(memo.Text(), "ab");
    // Delete, and the arrows: Left from a selection goes to its start.
    Key(Qt::Key_Home);
    Key(Qt::Key_Delete);
    EXPECT_EQ(memo.Text(), "b");
    // Read-only takes no edits.
    memo.SetReadOnly(true);
    Type(QStringLiteral("zz"));
    Key(Qt::Key_Delete);
    Ctrl('Z');
    EXPECT_EQ(memo.Text(), "b");
}

TEST_F(MemoTest, MouseDragAndShiftClickSelect) {
    const std::vector<std::string_view> entries = {"alpha beta", "gamma", "delta"};
    memo.SetEntries(entries);
    // Rows start at the top edge; the text a few pixels in.
    const int row = QFontMetrics(QFontOf(memo.Font())).height();
    Mouse(QEvent::MouseButtonPress, 3, 3, Qt::LeftButton);
    Mouse(QEvent::MouseMove, 190, row + 4, Qt::LeftButton);
    Mouse(QEvent::MouseButtonRelease, 190, row + 4, Qt::NoButton);
    EXPECT_EQ(memo.SelText(), "alpha beta\ngamma");
    // Moving without the button changes nothing; a Shift+click extends.
    Mouse(QEvent::MouseMove, 3, 3, Qt::NoButton);
    Mouse(QEvent::MouseButtonPress, 190, 2 * row + 4, Qt::LeftButton, Qt::ShiftModifier);
    Mouse(QEvent::MouseButtonRelease, 190, 2 * row + 4, Qt::NoButton);
    EXPECT_EQ(memo.SelText(), "alpha beta\ngamma\ndelta");
    // A plain click drops the selection.
    Mouse(QEvent::MouseButtonPress, 3, 3, Qt::LeftButton);
    Mouse(QEvent::MouseButtonRelease, 3, 3, Qt::NoButton);
    EXPECT_EQ(memo.SelText(), "");
}

TEST_F(MemoTest, PasteAndCutGoThroughTheClipboard) {
    QGuiApplication::clipboard()->setText(QString::fromUtf8("one\r\ntw\xC3\xB6"));
    memo.SetFocus();
    Ctrl('V');
    EXPECT_EQ(memo.Text(), "one\ntw\xC3\xB6");
    EXPECT_EQ(memo.EntryCount(), 2u);
    Key(Qt::Key_Home, Qt::ControlModifier | Qt::ShiftModifier);
    Ctrl('X');
    EXPECT_EQ(memo.Text(), "");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QString::fromUtf8("one\ntw\xC3\xB6"));
}

TEST_F(MemoTest, PaintsTheSystemColoursAndTheSelectionWhileFocused) {
    form.Show();
    const std::vector<std::string_view> entries = {"WWWW", "WWWW"};
    memo.SetEntries(entries);
    memo.SelectAll();
    TBitmap bitmap;
    memo.PaintTo(bitmap);
    // Unfocused: window colour, text, no selection; the sunken edge's shadow at the top left.
    EXPECT_EQ(bitmap.Pixel(100, 50), ColorToRGB(clWindow));
    EXPECT_EQ(bitmap.Pixel(0, 0), ColorToRGB(clBtnShadow));
    // Glyphs are smoothed: count the dark pixels inside the edge.
    auto dark = [&] {
        int n = 0;
        for (int y = 2; y < bitmap.Height() - 2; ++y)
            for (int x = 2; x < bitmap.Width() - 2; ++x)
                n += (bitmap.Pixel(x, y) & 0xFF) < 0x40;
        return n;
    };
    EXPECT_GT(dark(), 20);
    EXPECT_EQ(Count(bitmap, ColorToRGB(clHighlight)), 0);
    memo.SetFocus();
    ASSERT_TRUE(memo.Focused());
    memo.PaintTo(bitmap);
    const int highlighted = Count(bitmap, ColorToRGB(clHighlight));
    EXPECT_GT(highlighted, TextWidth("WWWW")); // two rows of it, less the glyphs
    EXPECT_EQ(bitmap.Pixel(100, 50), ColorToRGB(clWindow));
}
