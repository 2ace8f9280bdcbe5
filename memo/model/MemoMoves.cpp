// Caret moves of the keyboard: arrows, words, Home, End and pages. A move with Shift extends
// the selection only while the caret still stands where the selection was last reset or
// extended; otherwise the selection collapses at the new caret.
//
// Word moves stop at a line's end: virtual space is for a caret moved there one step at a
// time, not for a jump between words. Every step goes over a whole character as the display
// shows it, so no move stops inside one.

#include <algorithm>

#include "memo/model/EditorModel.h"
#include "memo/model/SelectionText.h"

namespace {

std::string_view WithoutTrailingSpaces(std::string_view s) {
    const std::size_t keep = s.find_last_not_of(' ');
    return keep == std::string_view::npos ? std::string_view() : s.substr(0, keep + 1);
}

} // namespace

bool TEditorModel::ExtendsSelection(TShiftState shift) const {
    return shift.Shift && caret_.Caret == caret_.Track;
}

void TEditorModel::FinishMove(bool extend) {
    if (extend)
        ExtendSelection();
    else
        ResetSelection();
}

void TEditorModel::ArrowMove(int dx, int dy, TShiftState shift) {
    // 1. Whether the move drags the selection along.
    const bool extend = ExtendsSelection(shift);
    if (shift.Ctrl) {
        // 2. Words; Ctrl+Up and Ctrl+Down move nothing.
        if (dx == 1)
            WordMoveRight();
        else if (dx == -1)
            WordMoveLeft();
    } else {
        // 3. A character at a time; a selecting move never enters virtual space.
        if (dy != 0)
            SetCaretY(host_.LineRowsAway(CaretY(), dy)); // a row up or down: hidden lines skipped
        int x = CaretX();
        if (dx != 0 && lines_.Count() > 0) {
            const std::string_view line = lines_.Get(CaretY());
            x = dx > 0 ? NextCharColumn(line, x) : PreviousCharColumn(line, x);
        }
        if (shift.Shift && lines_.Count() > 0)
            SetCaretX(std::min(lines_.LineLength(CaretY()), x));
        else
            SetCaretX(x);
    }
    // 4. The selection follows, and the caret comes into view.
    FinishMove(extend);
}

void TEditorModel::WordMoveRight() {
    if (lines_.Count() == 0)
        return;
    TRefreshOff off(*this);
    const int y = std::clamp(CaretY(), 0, lines_.Count() - 1);
    const std::string_view line = lines_.Get(y);
    const std::string_view text = WithoutTrailingSpaces(line);
    const auto length = static_cast<int>(text.size());
    // One step right, then on to the start of the next word.
    const int from = CaretX();
    int x = NextCharColumn(line, std::min(from, static_cast<int>(line.size())));
    const std::string& breaks = settings_.WordMoveBreaks;
    while (x < length && (breaks.find(text[static_cast<std::size_t>(x - 1)]) == std::string::npos ||
                          text[static_cast<std::size_t>(x)] == ' '))
        ++x;
    if (x > length && y < lines_.Count() - 1) {
        SetCaretPosition(0, y + 1);
        return;
    }
    // On the last line the caret stays where it is, in virtual space too.
    SetCaretX(std::max(from, std::min(x, static_cast<int>(line.size()))));
}

void TEditorModel::WordMoveLeft() {
    if (lines_.Count() == 0)
        return;
    TRefreshOff off(*this);
    // One step left: from column 0 to the end of the line above.
    const int y = std::clamp(CaretY(), 0, lines_.Count() - 1);
    const int start = std::min(CaretX(), lines_.LineLength(y));
    if (start == 0) {
        SetCaretX(-1);
        return;
    }
    const std::string_view text = WithoutTrailingSpaces(lines_.Get(y));
    const auto length = static_cast<int>(text.size());
    auto at = [&](int x) { return x < length ? text[static_cast<std::size_t>(x)] : ' '; };
    int x = PreviousCharColumn(lines_.Get(y), start);
    const std::string& breaks = settings_.WordMoveBreaks;
    while (x > 0 && x <= length && !(breaks.find(at(x - 1)) != std::string::npos && at(x) != ' '))
        --x;
    SetCaretX(x);
}

void TEditorModel::HomeMove(TShiftState shift) {
    const TPoint anchor = caret_.SelStart;
    if (shift.Ctrl) {
        SetCaretY(0);
        SetCaretX(0);
    }
    const bool extend = ExtendsSelection(shift);
    if (!settings_.EnhancedHomeKey || lines_.Count() == 0) {
        SetCaretX(0);
        host_.SetLeftCol(0);
    } else {
        // The first column after a space that is no space itself, going left, else 0.
        const std::string_view line = lines_.Get(CaretY());
        int x = std::min(CaretX() - 1, static_cast<int>(line.size()));
        while (x > 0 &&
               !(line[static_cast<std::size_t>(x - 1)] == ' ' &&
                 x < static_cast<int>(line.size()) && line[static_cast<std::size_t>(x)] != ' '))
            --x;
        SetCaretX(std::max(0, x));
        if (host_.LeftCol() > CaretX())
            host_.SetLeftCol(CaretX());
    }
    FinishMove(extend);
    if (shift.Ctrl && shift.Shift)
        KeepAnchor(anchor);
}

void TEditorModel::EndMove(TShiftState shift) {
    if (lines_.Count() == 0)
        return;
    const TPoint anchor = caret_.SelStart;
    if (shift.Ctrl) {
        const int last = lines_.Count() - 1;
        SetCaretY(last);
        SetCaretX(lines_.LineLength(last));
    }
    const bool extend = ExtendsSelection(shift);
    // End never leaves the caret after trailing spaces.
    SetCaretX(static_cast<int>(WithoutTrailingSpaces(lines_.Get(CaretY())).size()));
    FinishMove(extend);
    if (shift.Ctrl && shift.Shift)
        KeepAnchor(anchor);
}

void TEditorModel::KeepAnchor(TPoint anchor) {
    // Ctrl+Shift+Home and Ctrl+Shift+End select from where the anchor was.
    caret_.SelStart = anchor;
    host_.InvalidateText();
    host_.Notify(TEditorNotice::SelectionChange);
}

void TEditorModel::PageMove(int direction, TShiftState shift) {
    // A page of whole rows: the caret and the view move by as many.
    const int page = host_.PageRows();
    if (page < 0)
        return;
    const bool extend = ExtendsSelection(shift);
    const int count = lines_.Count();
    const int oldTop = host_.TopLine();
    if (page < host_.RowCount()) {
        host_.SetTopLine(host_.LineRowsAway(host_.TopLine(), page * direction));
        SetCaretY(host_.LineRowsAway(CaretY(), page * direction));
    } else {
        SetCaretY(direction < 0 ? 0 : host_.LineRowsAway(count - 1, 0));
    }
    if (host_.TopLine() != oldTop)
        host_.InvalidateText();
    if (shift.Ctrl) {
        if (direction < 0) {
            SetCaretY(0);
            SetCaretX(0);
        } else if (count > 0) {
            SetCaretY(count - 1);
            SetCaretX(lines_.LineLength(count - 1));
        }
    }
    FinishMove(extend);
}
