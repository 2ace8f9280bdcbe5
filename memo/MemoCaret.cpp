// Caret and selection operations of the editor: the caret may stand beyond a line's end
// (virtual space); moving it there pads the line when AutoExpand is on.

#include <algorithm>

#include "memo/AdvMemo.h"

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
    // Beyond the end: padded with AutoExpand, else pulled back to the end.
    if (lines.Count() == 0) {
        lines.Add(std::string(static_cast<std::size_t>(column), ' '));
        Invalidate();
    } else {
        const int line = caret_.Caret.Y;
        const int length = lines.LineLength(line);
        if (column > length) {
            if (autoExpand_)
                lines.Put(line, std::string(lines.Get(line)) +
                                    std::string(static_cast<std::size_t>(column - length), ' '));
            else
                column = length;
            Invalidate();
        }
    }
    caret_.Caret.X = column;
    ScrollCaretIntoView();
}

void TAdvCustomMemo::SetCaretY(int line) {
    TAdvMemoStrings& lines = *lines_;
    if (lines.Count() == 0)
        lines.Add("");
    line = std::clamp(line, 0, lines.Count() - 1);
    if (activeLineSettings_.ActiveLineAtCursor() && line != activeLine_)
        SetActiveLine(line);
    if (line != caret_.Caret.Y) {
        const int oldLine = caret_.Caret.Y;
        caret_.Caret.Y = line;
        CaretLineChanged(oldLine);
    }
    SetCaretX(caret_.Caret.X);
    ScrollCaretIntoView();
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
        Repaint();
    }
}

void TAdvCustomMemo::DeleteLine() {
    TAdvMemoStrings& lines = *lines_;
    if (lines.Count() == 0)
        return;
    // The store keeps the caret and bookmarks on their text; a store of one line keeps it,
    // emptied.
    caret_.Caret.X = 0;
    lines.Delete(caret_.Caret.Y);
    ResetSelection();
    Repaint();
}
