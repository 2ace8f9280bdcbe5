#include "memo/MemoUndo.h"

#include <algorithm>

#include "memo/AdvMemo.h"

// --- records -------------------------------------------------------------------------------

TUndo::TUndo(TPoint before, TPoint after, std::string text)
    : BeforeX(before.X), BeforeY(before.Y), AfterX(after.X), AfterY(after.Y),
      Text(std::move(text)) {}

bool TUndo::Append(const TUndo&) {
    return false;
}

void TUndo::CaretTo(TPoint p) {
    Memo->SetCaretY(p.Y);
    Memo->SetCaretX(p.X);
}

bool TInsertCharUndo::Append(const TUndo& newer) {
    // Typing that goes on where the last typing ended.
    const auto* typed = dynamic_cast<const TInsertCharUndo*>(&newer);
    if (!typed || typed->Before() != After())
        return false;
    Text += typed->Text;
    AfterX = typed->AfterX;
    AfterY = typed->AfterY;
    return true;
}

void TInsertCharUndo::Undo() {
    // Backwards: each character that stands left of the caret goes with a Backspace.
    for (auto c = Text.rbegin(); c != Text.rend(); ++c) {
        const int x = Memo->CaretX();
        const std::string_view line = Memo->Lines().Get(Memo->CaretY());
        const bool lineBreak = *c == '\r' && x == 0;
        const bool leftOfCaret = x > 0 && x <= static_cast<int>(line.size()) && line[x - 1] == *c;
        if (lineBreak || leftOfCaret)
            Memo->Backspace();
    }
}

void TInsertCharUndo::Redo() {
    for (const char c : Text) {
        if (c == '\r')
            Memo->NewLine();
        else
            Memo->InsertChar(c);
    }
}

void TOverwriteCharUndo::Undo() {
    // The line gets the stored character; the record keeps the one that stood there.
    TAdvMemoStrings& lines = Memo->Lines();
    if (AfterY < 0 || AfterY >= lines.Count() || AfterX < 0 || AfterX >= lines.LineLength(AfterY) ||
        Text.empty())
        return;
    std::string line(lines.Get(AfterY));
    std::swap(line[static_cast<std::size_t>(AfterX)], Text[0]);
    lines.Put(AfterY, line);
}

bool TDeleteCharUndo::Append(const TUndo& newer) {
    // Deleting that goes on where the last deleting ended, with the same key.
    const auto* deleted = dynamic_cast<const TDeleteCharUndo*>(&newer);
    if (!deleted || deleted->Before() != After() || deleted->IsBackspace != IsBackspace)
        return false;
    Text = deleted->Text + Text;
    AfterX = deleted->AfterX;
    AfterY = deleted->AfterY;
    return true;
}

void TDeleteCharUndo::Undo() {
    // A Backspace run comes back left to right from its end; a Delete run character by
    // character at the place it was deleted from.
    for (const char c : Text) {
        if (!IsBackspace)
            CaretTo(Before());
        if (c == '\r')
            Memo->NewLine();
        else
            Memo->InsertChar(c);
    }
    Memo->Invalidate();
}

void TDeleteCharUndo::Redo() {
    for (std::size_t i = 0; i < Text.size(); ++i) {
        if (IsBackspace)
            Memo->Backspace();
        else
            Memo->DeleteChar();
    }
}

void TDeleteLineUndo::Undo() {
    Memo->ResetSelection();
    TAdvMemoStrings& lines = Memo->Lines();
    if (WasOnlyLine) {
        Memo->InsertText(Text);
    } else if (BeforeY >= lines.Count()) {
        // It was the last line: it comes back after the line that is last now.
        const int last = lines.Count() - 1;
        Memo->SetCaretPosition(lines.LineLength(last), last);
        Memo->InsertText("\r\n" + Text);
    } else {
        Memo->InsertText(Text + "\r\n");
    }
}

void TDeleteLineUndo::Redo() {
    Memo->DeleteLine();
}

void TDeleteBufUndo::Undo() {
    Memo->ResetSelection();
    Memo->InsertText(Text);
    Memo->SetSelection({SelStartX, SelStartY}, {SelEndX, SelEndY});
}

void TDeleteBufUndo::Redo() {
    Memo->SetSelection({SelStartX, SelStartY}, {SelEndX, SelEndY});
    Memo->DeleteSelection(true);
}

void TPasteUndo::Undo() {
    Memo->SetSelection(Before(), After());
    Memo->DeleteSelection(true);
}

void TPasteUndo::Redo() {
    Memo->ResetSelection();
    Memo->InsertText(Text);
}

void TInsertOverwriteUndo::Undo() {
    Memo->SetOverwriteMode(InsertMode);
}

void TInsertOverwriteUndo::Redo() {
    Memo->SetOverwriteMode(!InsertMode);
}

// --- the list ------------------------------------------------------------------------------

TAdvUndoList::~TAdvUndoList() {
    destroying_ = true;
    Clear();
}

void TAdvUndoList::Add(std::unique_ptr<TUndo> record) {
    // 1. While replaying, records are discarded.
    if (suspended_)
        return;
    // 2. Merged into the newest record when nothing is undone.
    if (position_ == 0 && !records_.empty() && records_.front()->Append(*record))
        return;
    // 3. The undone records go.
    records_.erase(records_.begin(), records_.begin() + position_);
    position_ = 0;
    // 4. In front; the oldest goes past the limit.
    record->Memo = &memo_;
    records_.push_front(std::move(record));
    if (Count() > limit_)
        records_.pop_back();
    Changed();
}

template <class Step> void TAdvUndoList::Replay(Step step) {
    const bool autoIndent = memo_.AutoIndent();
    memo_.SetAutoIndent(false);
    suspended_ = true;
    try {
        step();
    } catch (...) {
        suspended_ = false;
        memo_.SetAutoIndent(autoIndent);
        throw;
    }
    suspended_ = false;
    memo_.SetAutoIndent(autoIndent);
}

void TAdvUndoList::Undo() {
    if (position_ >= Count())
        return;
    Replay([this] {
        auto undoOne = [](TUndo& record) {
            record.Memo->SetCaretY(record.AfterY);
            record.Memo->SetCaretX(record.AfterX);
            record.Undo();
            record.Memo->SetCaretY(record.BeforeY);
            record.Memo->SetCaretX(record.BeforeX);
        };
        TUndo& record = *records_[static_cast<std::size_t>(position_)];
        undoOne(record);
        // A linked record takes its older partner along, when the limit left it.
        if (record.Linked && position_ + 1 < Count()) {
            ++position_;
            undoOne(*records_[static_cast<std::size_t>(position_)]);
        }
        ++position_;
    });
    Changed();
}

void TAdvUndoList::Redo() {
    if (position_ == 0)
        return;
    Replay([this] {
        auto redoOne = [](TUndo& record) {
            record.Memo->SetCaretY(record.BeforeY);
            record.Memo->SetCaretX(record.BeforeX);
            record.Redo();
            record.Memo->SetCaretY(record.AfterY);
            record.Memo->SetCaretX(record.AfterX);
        };
        --position_;
        redoOne(*records_[static_cast<std::size_t>(position_)]);
        if (position_ > 0 && records_[static_cast<std::size_t>(position_ - 1)]->Linked) {
            --position_;
            redoOne(*records_[static_cast<std::size_t>(position_)]);
        }
    });
    Changed();
    memo_.RefreshStep();
}

void TAdvUndoList::Clear() {
    records_.clear();
    position_ = 0;
    if (!destroying_)
        Changed();
}

void TAdvUndoList::SetLimit(int limit) {
    if (limit == limit_)
        return;
    limit_ = limit < 1 ? 10 : std::min(limit, kDefaultLimit);
    Clear();
}

void TAdvUndoList::Changed() {
    if (memo_.OnUndoChange)
        memo_.OnUndoChange(&memo_, CanUndo(), CanRedo());
}
