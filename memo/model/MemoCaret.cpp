// Caret and selection rules of the editor model: with AutoExpand the caret may stand beyond
// a line's end (virtual space). Moving the caret never changes the text.

#include <algorithm>

#include "memo/model/EditorModel.h"
#include "memo/model/SelectionText.h"

void TEditorModel::SetCaretX(int column) {
    if (column == caret_.Caret.X)
        return;
    TAdvMemoStrings& lines = lines_;
    if (lines.Count() == 0 && !settings_.AutoExpand)
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
        host_.InvalidateText();
    } else if (!settings_.AutoExpand) {
        const int length = lines.LineLength(caret_.Caret.Y);
        if (column > length) {
            column = length;
            host_.InvalidateText();
        }
    }
    // 5. The caret stands; the view, the system caret and the listeners follow.
    caret_.Caret.X = column;
    host_.ScrollCaretIntoView();
    host_.Notify(TEditorNotice::StatusChange);
    host_.PlaceSystemCaret();
    host_.Notify(TEditorNotice::CursorChange);
    host_.Notify(TEditorNotice::ColumnChange);
}

void TEditorModel::SetCaretY(int line) {
    TAdvMemoStrings& lines = lines_;
    if (lines.Count() == 0)
        lines.Add("");
    line = std::clamp(line, 0, lines.Count() - 1);
    host_.CaretGoesToLine(line);
    const bool changed = line != caret_.Caret.Y;
    if (changed) {
        const int oldLine = caret_.Caret.Y;
        caret_.Caret.Y = line;
        CaretLineChanged(oldLine);
    }
    SetCaretX(caret_.Caret.X);
    host_.ScrollCaretIntoView();
    host_.Notify(TEditorNotice::StatusChange);
    host_.PlaceSystemCaret();
    if (changed)
        host_.Notify(TEditorNotice::CursorChange);
    // Typing may have made or ended regions: they are found again.
    if (caret_.RegionsStale) {
        caret_.RegionsStale = false;
        RebuildRegions();
    }
}

void TEditorModel::SetCaretPosition(int column, int line) {
    ResetSelection();
    caret_.Caret.X = 0;
    SetCaretY(line);
    SetCaretX(column);
}

void TEditorModel::CaretLineChanged(int oldLine) {
    // The line the caret leaves loses its trailing spaces when the editor trims them.
    if (!trimTrailingSpaces_ || oldLine < 0 || oldLine >= lines_.Count())
        return;
    const std::string_view text = lines_.Get(oldLine);
    const std::size_t keep = text.find_last_not_of(' ');
    const std::size_t length = keep == std::string_view::npos ? 0 : keep + 1;
    if (length != text.size())
        lines_.Put(oldLine, std::string(text.substr(0, length)));
}

void TEditorModel::SetSelection(TPoint start, TPoint end) {
    if (start == caret_.SelStart && end == caret_.SelEnd)
        return;
    caret_.SelStart = start;
    caret_.SelEnd = end;
    host_.Notify(TEditorNotice::SelectionChange);
    host_.InvalidateText();
}

void TEditorModel::ResetSelection() {
    const bool wasEmpty = SelectionEmpty();
    caret_.ResetSelection();
    if (!wasEmpty) {
        host_.Notify(TEditorNotice::SelectionChange);
        host_.InvalidateText();
    }
}

void TEditorModel::ExtendSelection() {
    const int oldTrack = caret_.Track.Y;
    caret_.SelEnd = caret_.Track = caret_.Caret;
    host_.Notify(TEditorNotice::SelectionChange);
    // Only the rows between the old and the new moving end change.
    host_.InvalidateLines(std::min(oldTrack, caret_.Caret.Y), std::max(oldTrack, caret_.Caret.Y));
}

int TEditorModel::SelStart() const {
    const auto [first, last] = OrderedSelection(caret_);
    return LinearOffset(lines_, first);
}

int TEditorModel::SelLength() const {
    return static_cast<int>(GetSelectedText().size());
}

bool TEditorModel::SelectionHasText() const {
    const auto [first, last] = OrderedSelection(caret_);
    if (first == last || first.Y < 0 || last.Y >= lines_.Count())
        return false;
    if (first.Y != last.Y)
        return true; // a line break at least
    const int length = lines_.LineLength(first.Y);
    return std::min(last.X, length) > std::min(first.X, length);
}

std::string TEditorModel::GetSelectedText() const {
    return TextBetween(lines_, caret_.SelStart, caret_.SelEnd);
}

void TEditorModel::SelectAll() {
    const int last = lines_.Count() - 1;
    caret_.SelStart = {0, 0};
    caret_.SelEnd = last >= 0 ? TPoint{lines_.LineLength(last), last} : TPoint{0, 0};
    host_.InvalidateText();
    host_.Notify(TEditorNotice::SelectionChange);
}

