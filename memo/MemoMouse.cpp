#include "memo/MemoMouse.h"

#include <algorithm>
#include <vector>

#include "memo/AdvMemo.h"
#include "memo/model/MemoEditing.h"
#include "memo/model/SelectionText.h"
#include "memo/model/UrlPieces.h"
#include "platform/Clipboard.h"
#include "platform/Menus.h"

namespace {
constexpr int kDragDistance = 2; // pixels the pointer moves before a drag starts
}

bool TMemoMouse::InTextArea(int x, int y) const {
    const TRect area = memo_.TextArea();
    return x >= area.Left && x < area.Right && y >= area.Top && y < area.Bottom;
}

bool TMemoMouse::InGutter(int x) const {
    const TAdvGutter& gutter = memo_.Gutter();
    return gutter.Visible() && x <= gutter.Width();
}

TPoint TMemoMouse::TextPlace(int x, int y) const {
    const TPoint cell = memo_.PointToCell(x, y);
    return {cell.X + memo_.LeftCol(), memo_.LineOfScreenRow(cell.Y)};
}

int TMemoMouse::LineAt(int y) const {
    if (memo_.LineHeight() == 0)
        return -1;
    const int line = memo_.LineOfScreenRow((y - memo_.TextArea().Top) / memo_.LineHeight());
    return y >= memo_.TextArea().Top && line < memo_.Lines().Count() ? line : -1;
}

void TMemoMouse::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (shift.Double) {
        DoubleClick(x, y);
        return;
    }
    memo_.SetFocus();
    pressPoint_ = {x, y};
    const bool gutter = InGutter(x);
    const int line = LineAt(y);
    if (gutter && button == TMouseButton::mbRight && line >= 0 && memo_.OnGutterRightClick)
        memo_.OnGutterRightClick(&memo_, line);
    if (button != TMouseButton::mbLeft)
        return;
    if (gutter && line >= 0 && memo_.OnGutterClick)
        memo_.OnGutterClick(&memo_, line);
    PlaceCaret(x, y, shift, true);
    if (!gutter && memo_.ActiveLineSettings().ActiveLineAtCursor())
        memo_.SetActiveLine(memo_.CaretY());
    // A click in the fold column opens or closes the region of its line; the view stays.
    const TRect fold = memo_.FoldingColumn();
    if (memo_.CodeFolding().Enabled() && x >= fold.Left && x < fold.Right && line >= 0 &&
        memo_.Lines().Record(line)) {
        const int topLine = memo_.TopLine();
        memo_.SetCaretY(line);
        memo_.ResetSelection();
        memo_.Model().ToggleRegion(line);
        if (memo_.ActiveLineSettings().ActiveLineAtCursor())
            memo_.SetActiveLine(memo_.CaretY());
        memo_.SetTopLine(topLine);
        return;
    }
    // A click that placed the caret on a link opens it (a press that may start a drag does not).
    if (!gutter && !dragPending_ && InTextArea(x, y))
        OpenUrlAtCaret();
}

int TMemoMouse::CharColumn(int line, int column) const {
    // On the line, and never inside a character of several bytes: the nearer of its ends.
    const std::string_view text = memo_.Lines().Get(line);
    return NearestCharColumn(text, std::clamp(column, 0, static_cast<int>(text.size())));
}

void TMemoMouse::PlaceCaret(int x, int y, TShiftState shift, bool dragAllowed) {
    if (!InTextArea(x, y))
        return;
    TPoint place = TextPlace(x, y);
    // Inside the selection a drag may start.
    const auto [first, last] = OrderedSelection(memo_.Caret());
    if (dragAllowed && Before(first, place) && Before(place, last)) {
        dragPending_ = true;
        return;
    }
    TAdvMemoStrings& lines = memo_.Lines();
    place.Y = std::clamp(place.Y, 0, std::max(0, lines.Count() - 1));
    suppressNextMove_ = true;
    const int oldLine = memo_.CaretY();
    memo_.SetCaretY(place.Y);
    memo_.SetCaretX(CharColumn(memo_.CaretY(), place.X));
    if (memo_.CaretY() != oldLine && memo_.OnCursorChange)
        memo_.OnCursorChange(&memo_);
    if (dragAllowed) {
        if (shift.Shift)
            memo_.ExtendSelection();
        else
            memo_.ResetSelection();
        mouseSelecting_ = true;
    }
}

void TMemoMouse::MouseMove(TShiftState shift, int x, int y) {
    if (suppressNextMove_) {
        suppressNextMove_ = false;
        return;
    }
    if (dragPending_ && shift.Left) {
        if (std::abs(x - pressPoint_.X) >= kDragDistance ||
            std::abs(y - pressPoint_.Y) >= kDragDistance) {
            dragPending_ = false;
            dragging_ = true;
        }
        return;
    }
    if (dragging_ || !shift.Left || !mouseSelecting_ || memo_.LineHeight() == 0)
        return;
    // The caret follows the pointer, never into virtual space.
    TAdvMemoStrings& lines = memo_.Lines();
    if (lines.Count() == 0)
        return;
    const TRect area = memo_.TextArea();
    const int offset = y - area.Top;
    const int row = (offset < 0 ? offset - memo_.LineHeight() + 1 : offset) / memo_.LineHeight();
    const int line = std::clamp(memo_.LineOfScreenRow(row), 0, lines.Count() - 1);
    int column = 0;
    if (x < area.Left)
        memo_.SetLeftCol(0);
    else
        column = CharColumn(line, TextPlace(x, y).X);
    const TCaretState before = memo_.Caret();
    memo_.SetCaretY(line);
    memo_.SetCaretX(column);
    memo_.ExtendSelection();
    if (!(memo_.Caret() == before))
        memo_.Invalidate();
}

void TMemoMouse::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == TMouseButton::mbLeft) {
        memo_.ShowSystemCaret();
        mouseSelecting_ = false;
    }
    if (dragging_) {
        dragging_ = false;
        Drop(shift, x, y);
        return;
    }
    if (dragPending_) {
        // A click inside the selection without a move: a plain click.
        memo_.ResetSelection();
        dragPending_ = false;
        PlaceCaret(x, y, shift, false);
        memo_.ResetSelection();
    }
}

void TMemoMouse::Drop(TShiftState shift, int x, int y) {
    const auto [first, last] = OrderedSelection(memo_.Caret());
    TAdvMemoStrings& lines = memo_.Lines();
    if (!InTextArea(x, y) || lines.Count() == 0)
        return;
    TPoint place = TextPlace(x, y);
    place.Y = std::clamp(place.Y, 0, lines.Count() - 1);
    place.X = CharColumn(place.Y, place.X);
    const bool inside = !Before(place, first) && !Before(last, place);
    if (memo_.ReadOnly() || inside || first == last) {
        memo_.ResetSelection();
        PlaceCaret(x, y, shift, false);
        memo_.ResetSelection();
        return;
    }
    const std::string text = memo_.GetSelectedText();
    const bool move = !shift.Ctrl;
    if (move) {
        // The place as it will be once the moved text is gone.
        memo_.DeleteSelection(false);
        if (Before(last, place)) {
            if (place.Y == last.Y)
                place = {first.X + place.X - last.X, first.Y};
            else
                place.Y -= last.Y - first.Y;
        }
    }
    memo_.SetCaretPosition(place.X, place.Y);
    memo_.ResetSelection();
    memo_.Editing().InsertText(text, move);
}

void TMemoMouse::DoubleClick(int x, int y) {
    if (InGutter(x)) {
        const int line = LineAt(y);
        if (line >= 0 && memo_.OnGutterDblClick)
            memo_.OnGutterDblClick(&memo_, line);
        return;
    }
    if (!InTextArea(x, y))
        return;
    if (memo_.OnDblClick)
        memo_.OnDblClick(&memo_);
    TAdvMemoStrings& lines = memo_.Lines();
    if (lines.Count() == 0)
        return;
    // At or beyond the line's end, or on a delimiter, there is no word to take.
    const int caretLine = std::clamp(memo_.CaretY(), 0, lines.Count() - 1);
    const std::string_view line = lines.Get(caretLine);
    const int column = memo_.CaretX();
    const std::string& delimiters = memo_.Model().Settings().WordDelimiters;
    TEditorModel& model = memo_.Model();
    // No word there: the region the line starts opens instead.
    if (column >= static_cast<int>(line.size()) ||
        IsWordAtCaretDelimiter(line[static_cast<std::size_t>(column)], delimiters)) {
        if (model.Folding().Enabled())
            model.SetExpanded(caretLine, true);
        return;
    }
    // A caption opens to show what it stands for.
    if (model.Folding().ShowsCaption(caretLine))
        model.SetExpanded(caretLine, true);
    const auto [start, end] = WordAtCaret(line, column, delimiters);
    if (start < end)
        memo_.SetSelection({start, caretLine}, {end, caretLine});
}

void TMemoMouse::ContextPopup(TPoint client, TPoint screen) {
    memo_.SetFocus();
    const TAdvGutter& gutter = memo_.Gutter();
    const int gutterWidth = gutter.Visible() ? gutter.Width() : 0;
    if (memo_.PopupMenu() || client.X <= gutterWidth)
        return;
    const bool selected = memo_.SelectionHasText();
    const bool writable = !memo_.ReadOnly();
    const std::vector<TPopupEntry> entries = {
        {"Undo\tCtrl-Z", memo_.CanUndo() && writable},
        {"Redo\tCtrl-Y", memo_.CanRedo() && writable},
        {"-", true},
        {"Copy\tCtrl-C", selected},
        {"Cut\tCtrl-X", selected},
        {"Paste\tCtrl-V", ClipboardHasText() && writable},
        {"Delete", selected},
        {"-", true},
        {"Select All\tCtrl-A", true},
    };
    // The arrow while the menu is open; the control's own cursor afterwards.
    const TCursor cursor = memo_.Cursor();
    memo_.SetCursor(TCursor::crArrow);
    const int chosen = TrackPopupMenu(entries, screen);
    memo_.SetCursor(cursor);
    switch (chosen) {
    case 0:
        memo_.Undo();
        break;
    case 1:
        memo_.Redo();
        break;
    case 3:
        memo_.CopyToClipboard();
        break;
    case 4:
        memo_.CutToClipboard();
        break;
    case 5:
        memo_.PasteFromClipboard();
        break;
    case 6:
        memo_.DeleteSelection(true);
        break;
    case 8:
        memo_.SelectAll();
        break;
    default:
        break;
    }
}

TCursor TMemoMouse::CursorAt(int x, int y) const {
    if (!InTextArea(x, y))
        return TCursor::crArrow;
    // Over a link the hand; elsewhere the control's own cursor.
    const TPoint place = TextPlace(x, y);
    if (memo_.UrlAware() && place.Y >= 0 && place.Y < memo_.Lines().Count() &&
        UrlPieceAt(memo_.Lines().Get(place.Y), place.X))
        return TCursor::crHandPoint;
    return memo_.Cursor();
}

void TMemoMouse::OpenUrlAtCaret() {
    if (!memo_.UrlAware() || memo_.CaretY() >= memo_.Lines().Count())
        return;
    const std::string_view line = memo_.Lines().Get(memo_.CaretY());
    const std::optional<TPiece> piece = UrlPieceAt(line, memo_.CaretX());
    if (!piece)
        return;
    const std::string url(line.substr(static_cast<std::size_t>(piece->Start),
                                      static_cast<std::size_t>(piece->End - piece->Start)));
    if (memo_.OnURLClick) {
        memo_.OnURLClick(&memo_, url);
        return;
    }
    // A link that cannot be opened fails silently.
    if (const std::optional<std::string> target = UrlToOpen(url); target && memo_.UrlOpener)
        memo_.UrlOpener(*target);
}
