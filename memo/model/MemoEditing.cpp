#include "memo/model/MemoEditing.h"

#include <algorithm>
#include <vector>

#include "core/LineText.h"
#include "memo/model/EditorModel.h"
#include "memo/model/SelectionText.h"

namespace {

std::string Spaces(int count) {
    return std::string(static_cast<std::size_t>(std::max(0, count)), ' ');
}

std::string_view TrimRight(std::string_view s) {
    const std::size_t keep = s.find_last_not_of(' ');
    return keep == std::string_view::npos ? std::string_view() : s.substr(0, keep + 1);
}

std::string_view TrimLeft(std::string_view s) {
    const std::size_t from = s.find_first_not_of(' ');
    return from == std::string_view::npos ? std::string_view() : s.substr(from);
}

/// Every CR, LF and CR LF as CR LF; tabs as the store would expand them.
std::string NormalisedText(std::string_view text, int tabSize) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            out += "\r\n";
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            out += c;
        }
    }
    if (out.find('\t') != std::string::npos)
        return core::ReplaceTabs(out, tabSize);
    return out;
}

std::vector<std::string_view> SplitAtBreaks(std::string_view text) {
    std::vector<std::string_view> pieces;
    for (std::size_t at = text.find("\r\n"); at != std::string_view::npos; at = text.find("\r\n")) {
        pieces.push_back(text.substr(0, at));
        text.remove_prefix(at + 2);
    }
    pieces.push_back(text);
    return pieces;
}

} // namespace

TMemoEditing::TMemoEditing(TEditorModel& model) : model_(model) {
    TAdvMemoStrings& lines = model_.Lines();
    lines.Document().AddListener(*this);
    lines.OnLoad = [this](TObject*) { ClearUndo(); };
    lines.OnDeleteLine = [this](int index) { DeleteLineOfStore(index); };
    undoList_.OnChange = [this] { model_.Host().Notify(TEditorNotice::UndoChange); };
}

TMemoEditing::~TMemoEditing() {
    TAdvMemoStrings& lines = model_.Lines();
    lines.OnLoad = nullptr;
    lines.OnDeleteLine = nullptr;
    lines.Document().RemoveListener(*this);
}

void TMemoEditing::LinesChanged(const core::LineChange& change) {
    if (change.replacedAll && undoList_.Count() > 0 && !undoList_.Suspended())
        undoList_.Clear();
}

bool TMemoEditing::Replaying() const {
    return undoList_.Suspended();
}

void TMemoEditing::Record(std::unique_ptr<TUndo> record) {
    if (linkToCorrection_) {
        record->Linked = true;
        linkToCorrection_ = false;
    }
    undoList_.Add(std::move(record));
}

int TMemoEditing::CaretLineInStore() {
    TAdvMemoStrings& lines = model_.Lines();
    if (lines.Count() == 0)
        lines.Add("");
    int& y = model_.CaretState().Caret.Y;
    y = std::clamp(y, 0, lines.Count() - 1);
    return y;
}

// --- typing --------------------------------------------------------------------------------

void TMemoEditing::InsertChar(char ch) {
    TAdvMemoStrings& lines = model_.Lines();
    {
        TRefreshOff off(model_);
        // 1. The caret line in the store; where typing starts.
        const int y = CaretLineInStore();
        const TPoint start = model_.CaretState().Caret;
        std::string line(lines.Get(y));
        const auto length = static_cast<int>(line.size());
        const bool overwrite = model_.Caret().OverwriteMode && !Replaying();
        int at = start.X;
        std::string inserted;
        if (ch != '\t') {
            inserted.assign(1, ch);
        } else if (!overwrite) {
            // 3. Tab in insert mode: TabSize spaces, no tab stops.
            inserted = Spaces(model_.Lines().TabSize());
        } else if (start.X + model_.Lines().TabSize() < length) {
            // Tab in overwrite mode inside the line only moves the caret.
            model_.SetCaretX(start.X + model_.Lines().TabSize());
            model_.ResetSelection();
            return;
        } else {
            inserted = Spaces(start.X + model_.Lines().TabSize() - length);
            at = length;
        }
        // 5. Overwrite mode replaces the character at the caret.
        if (overwrite && ch != '\t' && at < length) {
            std::string replaced(1, line[static_cast<std::size_t>(at)]);
            line[static_cast<std::size_t>(at)] = ch;
            lines.Put(y, line);
            model_.SetCaretX(at + 1);
            model_.ResetSelection();
            Record(std::make_unique<TOverwriteCharUndo>(start, start, std::move(replaced)));
            return;
        }
        // 2. Beyond the end the line is padded up to the caret; the record holds the padding
        // and starts where the text went in (an overwrite Tab appends at the line's end).
        if (at > length) {
            inserted.insert(0, Spaces(at - length));
            at = length;
        }
        const TPoint recordStart{at, y};
        // 4. and 6. The line written back; the caret after the text.
        line.insert(static_cast<std::size_t>(at), inserted);
        lines.Put(y, line);
        model_.SetCaretX(at + static_cast<int>(inserted.size()));
        // 7. and 8.
        model_.ResetSelection();
        Record(std::make_unique<TInsertCharUndo>(recordStart, model_.CaretState().Caret,
                                                 std::move(inserted)));
    }
}

void TMemoEditing::NewLine() {
    TAdvMemoStrings& lines = model_.Lines();
    {
        TRefreshOff off(model_);
        // 1. The caret line in the store; the region it starts opens.
        const int y = CaretLineInStore();
        if (model_.Folding().Enabled())
            model_.SetExpanded(y, true);
        const int x = model_.CaretX();
        const std::string line(lines.Get(y));
        const auto length = static_cast<int>(line.size());
        // 2. The indent: the line's leading spaces; on a blank line up to the caret at most.
        int indent = 0;
        if (model_.Settings().AutoIndent) {
            const std::size_t lead = line.find_first_not_of(' ');
            indent = lead != std::string::npos ? static_cast<int>(lead)
                                               : std::min(std::max(length - 1, x), length);
            indent = std::max(0, indent);
        }
        // 3. The head stays; the tail moves, trimmed (untrimmed while undo replays: the
        // record puts back or takes away the spaces itself).
        const int split = std::min(x, length);
        const std::string_view rest =
            std::string_view(line).substr(static_cast<std::size_t>(split));
        const std::string_view trimmedRight = TrimRight(rest);
        const std::string_view trimmed = model_.Settings().AutoIndent ? TrimLeft(trimmedRight) : trimmedRight;
        const TSplitTrim trim{static_cast<int>(trimmedRight.size() - trimmed.size()),
                              static_cast<int>(rest.size() - trimmedRight.size())};
        const std::string_view tail = Replaying() ? rest : trimmed;
        // 5. The new line after the caret line; the caret down and to the indent.
        const std::string newLine = Spaces(indent) + std::string(tail);
        lines.Put(y, line.substr(0, static_cast<std::size_t>(split)));
        const std::string_view inserted[] = {newLine};
        lines.InsertWithRecords(y + 1, inserted);
        model_.ArrowMove(0, 1, {});
        model_.SetCaretX(indent);
        model_.ResetSelection();
        // 6. Its record: CR and the indent, and the spaces the tail lost, which undo puts
        // back: it merges with the typing before and after it.
        Record(std::make_unique<TInsertCharUndo>(TPoint{split, y}, model_.CaretState().Caret,
                                                 "\r" + Spaces(indent), trim));
    }
    model_.RefreshStep();
}

int TMemoEditing::SmartTabTarget() const {
    // Upwards: past the caret column's word and the blanks after it, to where the next text
    // starts (a line's end counts as text: its line break).
    const TAdvMemoStrings& lines = model_.Lines();
    const int x = model_.CaretX();
    for (int y = model_.CaretY() - 1; y >= 0; --y) {
        const std::string_view line = lines.Get(y);
        const auto length = static_cast<int>(line.size());
        if (length < x + 1)
            continue;
        int c = x;
        while (c < length && line[static_cast<std::size_t>(c)] != ' ')
            ++c;
        while (c < length && line[static_cast<std::size_t>(c)] == ' ')
            ++c;
        return c;
    }
    return -1;
}

int TMemoEditing::SmartBackspaceTarget() const {
    // Upwards: the start of the last word that stands left of the caret column.
    const TAdvMemoStrings& lines = model_.Lines();
    const int x = model_.CaretX();
    for (int y = model_.CaretY() - 1; y >= 0; --y) {
        const std::string_view line = lines.Get(y);
        const auto length = static_cast<int>(line.size());
        int c = std::min(x - 1, length);
        while (c >= 0 && (c >= length || line[static_cast<std::size_t>(c)] == ' '))
            --c;
        if (c < 0)
            continue;
        while (c > 0 && line[static_cast<std::size_t>(c - 1)] != ' ')
            --c;
        return c;
    }
    return -1;
}

void TMemoEditing::TabKey(TShiftState shift) {
    TAdvMemoStrings& lines = model_.Lines();
    if (model_.Settings().SmartTabs && lines.Count() > 0 && !shift.Ctrl && !shift.Shift) {
        // Smart: to the column where the text of a line above goes on. (The text right of
        // the caret keeps its trailing spaces, so undo gives the line back as it was.)
        TRefreshOff off(model_);
        const int y = CaretLineInStore();
        const int x = model_.CaretX();
        const int target = SmartTabTarget();
        if (target > x) {
            std::string line(lines.Get(y));
            const auto length = static_cast<int>(line.size());
            const int at = std::min(x, length);
            const std::string spaces = Spaces(target - at);
            line.insert(static_cast<std::size_t>(at), spaces);
            lines.Put(y, line);
            model_.SetCaretX(target);
            model_.ResetSelection();
            Record(std::make_unique<TInsertCharUndo>(TPoint{at, y}, TPoint{target, y}, spaces));
            model_.Host().InvalidateText();
            return;
        }
    }
    if (shift.Ctrl)
        return;
    if (shift.Shift) {
        model_.SetCaretX(std::max(0, model_.CaretX() - model_.Lines().TabSize()));
        return;
    }
    InsertChar('\t');
    model_.Host().InvalidateText();
}

// --- deleting ------------------------------------------------------------------------------

void TMemoEditing::DeleteAtCaret(TPoint recordBefore, bool isBackspace) {
    TAdvMemoStrings& lines = model_.Lines();
    TCaretState& state = model_.CaretState();
    state.SelStart = state.SelEnd = state.Caret;
    const TPoint caret = state.Caret;
    if (caret.Y < 0 || caret.Y >= lines.Count())
        return;
    std::string line(lines.Get(caret.Y));
    const auto length = static_cast<int>(line.size());
    if (caret.X >= 0 && caret.X < length) {
        // 1. A character of the line, all of its bytes; for a Backspace only those left of
        // the caret it was pressed at, so a run's text stays one piece of the line.
        int end = NextCharColumn(line, caret.X);
        if (isBackspace && recordBefore.Y == caret.Y)
            end = std::min(end, recordBefore.X);
        const auto count = static_cast<std::size_t>(end - caret.X);
        std::string removed = line.substr(static_cast<std::size_t>(caret.X), count);
        line.erase(static_cast<std::size_t>(caret.X), count);
        lines.Put(caret.Y, line);
        Record(std::make_unique<TDeleteCharUndo>(isBackspace ? recordBefore : caret, caret,
                                                 std::move(removed), isBackspace));
    } else if (caret.Y < lines.Count() - 1) {
        // 2. The line break: the next line joins this one, unpadded.
        line += lines.Get(caret.Y + 1);
        lines.Put(caret.Y, line);
        lines.RemoveLine(caret.Y + 1);
        const TPoint join{length, caret.Y};
        Record(std::make_unique<TDeleteCharUndo>(isBackspace ? recordBefore : join, join, "\r",
                                                 isBackspace));
        model_.RebuildRegions();
    }
    // 3. The selection collapses onto the caret.
    state.SelStart = state.SelEnd = state.Caret;
}

void TMemoEditing::DeleteChar() {
    {
        TRefreshOff off(model_);
        model_.ResetSelection();
        DeleteAtCaret(model_.CaretState().Caret, false);
    }
    model_.RefreshStep();
}

void TMemoEditing::Backspace() {
    TAdvMemoStrings& lines = model_.Lines();
    if (lines.Count() == 0)
        return;
    {
        TRefreshOff off(model_);
        // 1. Smart: blanks back to where a word of a line above starts (not while undo
        // replays, whose Backspaces each take one character).
        bool smart = false;
        const int y = CaretLineInStore();
        const int x = model_.CaretX();
        const std::string_view left =
            lines.Get(y).substr(0, static_cast<std::size_t>(std::min(x, lines.LineLength(y))));
        if (model_.Settings().SmartTabs && !Replaying() && x > 0 &&
            left.find_first_not_of(' ') == std::string_view::npos) {
            const int target = SmartBackspaceTarget();
            if (target >= 0 && target < x) {
                const int end = std::min(x, lines.LineLength(y));
                if (target < end) {
                    std::string line(lines.Get(y));
                    std::string removed = line.substr(static_cast<std::size_t>(target),
                                                      static_cast<std::size_t>(end - target));
                    line.erase(static_cast<std::size_t>(target), removed.size());
                    lines.Put(y, line);
                    Record(std::make_unique<TDeleteBufUndo>(TPoint{end, y}, TPoint{target, y},
                                                            std::move(removed), TPoint{target, y},
                                                            TPoint{end, y}));
                }
                model_.SetCaretX(target);
                model_.ResetSelection();
                smart = true;
            }
        }
        // 2. At a line's start, the region of the line above opens first.
        if (!smart && model_.Folding().Enabled() && x == 0 && y > 0) {
            model_.SetExpanded(model_.Folding().LineOfRow(model_.Folding().RowOfLine(y) - 1), true);
            model_.CaretState().RegionsStale = false;
        }
        if (!smart)
            StepBack();
    }
    model_.RefreshStep();
}

void TMemoEditing::StepBack() {
    TAdvMemoStrings& lines = model_.Lines();
    // 3. One step left: from column 0 to the end of the line above.
    const TPoint old = model_.CaretState().Caret;
    model_.ArrowMove(-1, 0, {});
    const TPoint caret = model_.CaretState().Caret;
    // 4. What stands there goes; in virtual space there is nothing.
    if (caret != old &&
        (caret.Y != old.Y || caret.X < lines.LineLength(std::clamp(caret.Y, 0, lines.Count() - 1))))
        DeleteAtCaret(old, true);
    // 5. A caret left past the last line comes back to its end.
    if (model_.CaretY() >= lines.Count())
        model_.SetCaretPosition(lines.LineLength(lines.Count() - 1), lines.Count() - 1);
    model_.ResetSelection();
}

void TMemoEditing::DeleteWordBack() {
    TAdvMemoStrings& lines = model_.Lines();
    if (lines.Count() == 0)
        return;
    {
        TRefreshOff off(model_);
        const int y = CaretLineInStore();
        const std::string original(lines.Get(y));
        // Backspaces until the caret leaves the line, stops moving, or a space stands left of
        // it in the line as it was; at column 0 the word ends (the line break stays).
        for (;;) {
            const TPoint old = model_.CaretState().Caret;
            model_.ArrowMove(-1, 0, {});
            const TPoint caret = model_.CaretState().Caret;
            if (caret == old)
                break;
            if (caret.Y != old.Y || caret.X < lines.LineLength(caret.Y))
                DeleteAtCaret(old, true);
            const int x = model_.CaretX();
            if (model_.CaretY() != y || x == old.X || x <= 0 ||
                x > static_cast<int>(original.size()) ||
                original[static_cast<std::size_t>(x - 1)] == ' ')
                break;
        }
        model_.ResetSelection();
    }
    model_.RefreshStep();
}

void TMemoEditing::DeleteLine() {
    TAdvMemoStrings& lines = model_.Lines();
    if (lines.Count() == 0)
        return;
    {
        TRefreshOff off(model_);
        const int y = CaretLineInStore();
        const TPoint before{std::min(model_.CaretX(), lines.LineLength(y)), y};
        std::string text(lines.Get(y));
        const bool onlyLine = lines.Count() == 1;
        // The store keeps the caret and the bookmarks on their lines; a store of one line
        // keeps it, emptied; from the last line the caret goes up.
        model_.CaretState().Caret.X = 0;
        lines.RemoveLine(y);
        if (onlyLine) // emptied, not removed: its bookmarks go as with a removed line
            ShiftBookmarks(model_.CaretState().Bookmarks, y, -1);
        model_.ResetSelection();
        model_.Host().RepaintText();
        Record(std::make_unique<TDeleteLineUndo>(before, model_.CaretState().Caret, std::move(text),
                                                 onlyLine));
    }
    model_.RefreshStep();
}

bool TMemoEditing::DeleteSelection(bool repaint) {
    TCaretState& state = model_.CaretState();
    if ((model_.Settings().ReadOnly && !Replaying()) || state.SelectionEmpty())
        return false;
    TAdvMemoStrings& lines = model_.Lines();
    // 1. A selection outside the store is dropped.
    auto [first, last] = OrderedSelection(state);
    if (first.Y < 0 || last.Y >= lines.Count()) {
        state.SelStart = state.SelEnd = {0, 0};
        return false;
    }
    // 2. The ends onto their lines; the text they hold.
    const TPoint caretBefore = state.Caret;
    first.X = std::clamp(first.X, 0, lines.LineLength(first.Y));
    last.X = std::clamp(last.X, 0, lines.LineLength(last.Y));
    std::string removed = TextBetween(lines, first, last);
    {
        // 3. The start line takes the end line's rest; the lines from after it to the end go.
        TRefreshOff off(model_);
        std::string joined(lines.Get(first.Y).substr(0, static_cast<std::size_t>(first.X)));
        joined += lines.Get(last.Y).substr(static_cast<std::size_t>(last.X));
        lines.Put(first.Y, joined);
        model_.SetCaretPosition(first.X, first.Y);
        model_.ResetSelection();
        if (last.Y > first.Y)
            lines.Document().DeleteLines(first.Y + 1, last.Y - first.Y);
        state.Caret = first;
        state.ResetSelection();
    }
    // 4. Tell of the new selection and show it.
    model_.Host().Notify(TEditorNotice::SelectionChange);
    if (repaint)
        model_.Host().RepaintText();
    model_.RefreshStep();
    // 5. One undo record takes back the whole deletion.
    Record(std::make_unique<TDeleteBufUndo>(caretBefore, state.Caret, std::move(removed), first,
                                            last));
    return true;
}

void TMemoEditing::InsertText(std::string_view text, bool linkWithPrevious) {
    TAdvMemoStrings& lines = model_.Lines();
    const std::string normalised = NormalisedText(text, model_.Lines().TabSize());
    // 1. The selection goes; the caret is where the text comes.
    const bool replaced = DeleteSelection(false);
    {
        TRefreshOff off(model_);
        // 2. An empty store gets a line.
        const int y = CaretLineInStore();
        const TPoint at = model_.CaretState().Caret;
        std::string line(lines.Get(y));
        // Beyond the line's end the line is padded first; the record holds the padding.
        TPoint recordStart = at;
        std::string recorded = normalised;
        if (at.X > static_cast<int>(line.size())) {
            recordStart.X = static_cast<int>(line.size());
            recorded.insert(0, Spaces(at.X - recordStart.X));
            line += Spaces(at.X - recordStart.X);
        }
        const std::string head = line.substr(0, static_cast<std::size_t>(at.X));
        const std::string rest = line.substr(static_cast<std::size_t>(at.X));
        const std::vector<std::string_view> pieces = SplitAtBreaks(normalised);
        if (pieces.size() == 1) {
            // 3. Within the line.
            lines.Put(y, head + normalised + rest);
            model_.SetCaretX(at.X + static_cast<int>(normalised.size()));
        } else {
            // 4. The first piece ends line y; the others follow, the last one before the rest.
            lines.Put(y, head + std::string(pieces.front()));
            const std::string lastLine = std::string(pieces.back()) + rest;
            std::vector<std::string_view> added(pieces.begin() + 1, pieces.end() - 1);
            added.push_back(lastLine);
            lines.InsertWithRecords(y + 1, added);
            model_.SetCaretPosition(static_cast<int>(pieces.back().size()),
                                   y + static_cast<int>(added.size()));
        }
        // 5. and 6.
        Record(std::make_unique<TPasteUndo>(recordStart, model_.CaretState().Caret,
                                            std::move(recorded), replaced || linkWithPrevious));
        model_.ResetSelection();
        model_.Host().RepaintText();
    }
    model_.RefreshStep();
}

// --- the line store's deletion, words, the Insert key ------------------------------------

void TMemoEditing::DeleteLineOfStore(int index) {
    TAdvMemoStrings& lines = model_.Lines();
    TCaretState& state = model_.CaretState();
    const TPoint caret = state.Caret;
    const int count = lines.Count();
    model_.SetCaretY(index);
    DeleteLine();
    state.Caret.X = count == 1 ? 0 : caret.X;
    state.Caret.Y =
        std::clamp(caret.Y - (index < caret.Y ? 1 : 0), 0, std::max(0, lines.Count() - 1));
    state.ResetSelection();
}

void TMemoEditing::ToggleOverwriteMode() {
    if (!model_.Host().AllowOverwriteToggle())
        return;
    const TAdvMemoStrings& lines = model_.Lines();
    const int line = std::clamp(model_.CaretY(), 0, std::max(0, lines.Count() - 1));
    const int column = lines.Count() > 0 ? std::min(model_.CaretX(), lines.LineLength(line)) : 0;
    const bool overwrite = model_.Caret().OverwriteMode;
    undoList_.Add(std::make_unique<TInsertOverwriteUndo>(TPoint{column, line}, overwrite));
    model_.SetOverwriteMode(!overwrite);
}

// --- undo ----------------------------------------------------------------------------------

void TMemoEditing::SetUndoLimit(int value) {
    if (value == undoLimit_)
        return;
    undoLimit_ = std::clamp(value, 1, TAdvUndoList::kDefaultLimit);
    undoList_.SetLimit(undoLimit_);
}

void TMemoEditing::SetModified(bool value) {
    if (value)
        return;
    undoList_.Clear();
    TAdvMemoStrings& lines = model_.Lines();
    for (int line = 0; line < lines.Count(); ++line) {
        if (lines.Record(line) && lines.Record(line)->Modified)
            lines.LineProp(line)->Modified = false;
    }
    model_.Host().Notify(TEditorNotice::StatusChange);
    model_.Host().InvalidateText();
}
