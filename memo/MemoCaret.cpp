// Caret and selection operations of the editor: with AutoExpand the caret may stand beyond a
// line's end (virtual space). Moving the caret never changes the text.

#include <algorithm>

#include "memo/AdvMemo.h"
#include "memo/SelectionText.h"
#include "platform/Caret.h"

void TAdvCustomMemo::SetCaretX(int column) {
    if (column == caret_.Caret.X)
        return;
    TAdvMemoStrings& lines = *lines_;
    if (lines.Count() == 0 && !autoExpand_)
        return;
    // Left of the start: the end of the line above, or the start of the text.
    if (column < 0) {
        if (caret_.Caret.Y <= 0) {
            column = 0;
        } else {
            const int previous = caret_.Caret.Y - 1;
            SetCaretY(previous);
            column = lines.LineLength(previous);
        }
    }
    // Beyond the end: with AutoExpand the caret stands in virtual space, and the line stays
    // as it is (the spaces that typing there needs are part of that edit and of its undo);
    // without it, the caret is pulled back to the end.
    if (lines.Count() == 0) {
        lines.Add(""); // the caret's line, empty: the caret stands in virtual space
        Invalidate();
    } else if (!autoExpand_) {
        const int length = lines.LineLength(caret_.Caret.Y);
        if (column > length) {
            column = length;
            Invalidate();
        }
    }
    // 5. The caret stands; the view, the system caret and the listeners follow.
    caret_.Caret.X = column;
    ScrollCaretIntoView();
    if (OnStatusChange)
        OnStatusChange(this);
    PlaceSystemCaret();
    if (OnCursorChange)
        OnCursorChange(this);
    if (OnColumnChange)
        OnColumnChange(this, caret_.Caret.X);
}

void TAdvCustomMemo::SetCaretY(int line) {
    TAdvMemoStrings& lines = *lines_;
    if (lines.Count() == 0)
        lines.Add("");
    line = std::clamp(line, 0, lines.Count() - 1);
    if (activeLineSettings_.ActiveLineAtCursor() && line != activeLine_)
        SetActiveLine(line);
    const bool changed = line != caret_.Caret.Y;
    if (changed) {
        const int oldLine = caret_.Caret.Y;
        caret_.Caret.Y = line;
        CaretLineChanged(oldLine);
    }
    SetCaretX(caret_.Caret.X);
    ScrollCaretIntoView();
    if (OnStatusChange)
        OnStatusChange(this);
    PlaceSystemCaret();
    if (changed && OnCursorChange)
        OnCursorChange(this);
    // Without a styler there are no regions to rebuild: the flag only clears.
    caret_.RegionsStale = false;
}

void TAdvCustomMemo::SetCaretPosition(int column, int line) {
    ResetSelection();
    caret_.Caret.X = 0;
    SetCaretY(line);
    SetCaretX(column);
}

void TAdvCustomMemo::CaretLineChanged(int oldLine) {
    // The line the caret leaves loses its trailing spaces when the editor trims them.
    if (!trimTrailingSpaces_ || oldLine < 0 || oldLine >= lines_->Count())
        return;
    const std::string_view text = lines_->Get(oldLine);
    const std::size_t keep = text.find_last_not_of(' ');
    const std::size_t length = keep == std::string_view::npos ? 0 : keep + 1;
    if (length != text.size())
        lines_->Put(oldLine, std::string(text.substr(0, length)));
}

void TAdvCustomMemo::SetSelection(TPoint start, TPoint end) {
    if (start == caret_.SelStart && end == caret_.SelEnd)
        return;
    caret_.SelStart = start;
    caret_.SelEnd = end;
    if (OnSelectionChange)
        OnSelectionChange(this);
    Invalidate();
}

void TAdvCustomMemo::ResetSelection() {
    const bool wasEmpty = SelectionEmpty();
    caret_.ResetSelection();
    if (!wasEmpty) {
        if (OnSelectionChange)
            OnSelectionChange(this);
        Invalidate();
    }
}

void TAdvCustomMemo::ExtendSelection() {
    const int oldTrack = caret_.Track.Y;
    caret_.SelEnd = caret_.Track = caret_.Caret;
    if (OnSelectionChange)
        OnSelectionChange(this);
    // Only the rows between the old and the new moving end change.
    const int first = ScreenRowOfLine(std::min(oldTrack, caret_.Caret.Y));
    const int last = ScreenRowOfLine(std::max(oldTrack, caret_.Caret.Y));
    const TRect area = TextArea();
    InvalidateRect(Rect(area.Left, area.Top + std::max(0, first) * LineHeight(), area.Right,
                        area.Top + (std::max(0, last) + 1) * LineHeight() + 1));
}

int TAdvCustomMemo::SelStart() const {
    const auto [first, last] = OrderedSelection(caret_);
    return LinearOffset(*lines_, first);
}

int TAdvCustomMemo::SelLength() const {
    return static_cast<int>(GetSelectedText().size());
}

bool TAdvCustomMemo::SelectionHasText() const {
    const auto [first, last] = OrderedSelection(caret_);
    if (first == last || first.Y < 0 || last.Y >= lines_->Count())
        return false;
    if (first.Y != last.Y)
        return true; // a line break at least
    const int length = lines_->LineLength(first.Y);
    return std::min(last.X, length) > std::min(first.X, length);
}

std::string TAdvCustomMemo::GetSelectedText() const {
    return TextBetween(*lines_, caret_.SelStart, caret_.SelEnd);
}

void TAdvCustomMemo::SelectAll() {
    const int last = lines_->Count() - 1;
    caret_.SelStart = {0, 0};
    caret_.SelEnd = last >= 0 ? TPoint{lines_->LineLength(last), last} : TPoint{0, 0};
    Invalidate();
    if (OnSelectionChange)
        OnSelectionChange(this);
}

// --- the system caret ----------------------------------------------------------------------

TPoint TAdvCustomMemo::CaretPixel() const {
    const TRect cell = CellRect(CaretX() - LeftCol(), ScreenRowOfLine(CaretY()));
    return {cell.Left, cell.Top};
}

void TAdvCustomMemo::PlaceSystemCaret() {
    if (!systemCaret_ || !systemCaret_->Created())
        return;
    // Moved only when its pixel place changed.
    const TPoint at = CaretPixel();
    if (at != systemCaret_->Pos())
        systemCaret_->SetPos(at);
}

void TAdvCustomMemo::ShowSystemCaret() {
    if (systemCaret_->Created() && !hiddenCaret_)
        systemCaret_->Show();
}

void TAdvCustomMemo::SetHiddenCaret(bool value) {
    hiddenCaret_ = value;
    if (!Focused() || !systemCaret_->Created())
        return;
    if (value)
        systemCaret_->Hide();
    else
        systemCaret_->Show();
}
