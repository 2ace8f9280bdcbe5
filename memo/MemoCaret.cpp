// Caret and selection rules: the caret may stand beyond a line's end (virtual space); moving
// it there pads the line when AutoExpand is on.

#include <algorithm>

#include "memo/AdvMemo.h"

void TAdvCustomMemo::SetCaretX(int column) {
    if (column == caretX_)
        return;
    TAdvMemoStrings& lines = *lines_;
    if (lines.Count() == 0 && !autoExpand_)
        return;
    if (column < 0) {
        if (caretY_ <= 0) {
            column = 0;
        } else {
            const int previous = caretY_ - 1;
            SetCaretY(previous);
            column = static_cast<int>(lines.Get(previous).size());
        }
    }
    if (lines.Count() == 0) {
        lines.Add(std::string(static_cast<std::size_t>(column), ' '));
        Invalidate();
    } else {
        const int length = static_cast<int>(lines.Get(caretY_).size());
        if (column > length) {
            if (autoExpand_)
                lines.Put(caretY_, lines.Get(caretY_) +
                                       std::string(static_cast<std::size_t>(column - length), ' '));
            else
                column = length;
            Invalidate();
        }
    }
    caretX_ = column;
    ScrollCaretIntoView();
}

void TAdvCustomMemo::SetCaretY(int line) {
    TAdvMemoStrings& lines = *lines_;
    if (lines.Count() == 0)
        lines.Add("");
    line = std::clamp(line, 0, lines.Count() - 1);
    if (activeLineSettings_.ActiveLineAtCursor() && line != activeLine_)
        SetActiveLine(line);
    if (line != caretY_) {
        const int oldLine = caretY_;
        caretY_ = line;
        CaretLineChanged(oldLine);
    }
    SetCaretX(caretX_);
    ScrollCaretIntoView();
}

void TAdvCustomMemo::CaretLineChanged(int oldLine) {
    // The line the caret leaves loses its trailing spaces when the editor trims them.
    if (!trimTrailingSpaces_ || oldLine < 0 || oldLine >= lines_->Count())
        return;
    const std::string& text = lines_->Get(oldLine);
    const std::size_t keep = text.find_last_not_of(' ');
    const std::size_t length = keep == std::string::npos ? 0 : keep + 1;
    if (length != text.size())
        lines_->Put(oldLine, std::string_view(text).substr(0, length));
}

void TAdvCustomMemo::RestoreCaret(int column, int line) {
    caretX_ = column;
    caretY_ = line;
}

void TAdvCustomMemo::SetSelection(TPoint start, TPoint end) {
    if (start == selStart_ && end == selEnd_)
        return;
    selStart_ = start;
    selEnd_ = end;
    if (OnSelectionChange)
        OnSelectionChange(this);
    Invalidate();
}

void TAdvCustomMemo::ResetSelection() {
    const bool wasEmpty = SelectionEmpty();
    selStart_ = selEnd_ = {caretX_, caretY_};
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
    caretX_ = 0;
    if (lines.Count() == 1) {
        lines.Put(0, "");
    } else if (caretY_ == lines.Count() - 1) {
        const int removed = caretY_;
        SetCaretY(caretY_ - 1);
        lines.RemoveLine(removed);
        ShiftBookmarks(removed, -1);
    } else {
        lines.RemoveLine(caretY_);
        ShiftBookmarks(caretY_, -1);
    }
    ResetSelection();
    Repaint();
}
