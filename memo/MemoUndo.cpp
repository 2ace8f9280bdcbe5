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

void TUndo::DeleteRange(TPoint from, TPoint to) {
    Memo->SetSelection(from, to);
    Memo->DeleteSelection(false);
}

namespace {

/// Where `text` ends when it stands from `start` on, CR being a line break.
TPoint EndOfText(TPoint start, std::string_view text) {
    for (const char c : text)
        start = c == '\r' ? TPoint{0, start.Y + 1} : TPoint{start.X + 1, start.Y};
    return start;
}

} // namespace

bool TInsertCharUndo::Append(const TUndo& newer) {
    // Typing that goes on where the last typing ended.
    const auto* typed = dynamic_cast<const TInsertCharUndo*>(&newer);
    if (!typed || typed->Before() != After())
        return false;
    Text += typed->Text;
    Trims.insert(Trims.end(), typed->Trims.begin(), typed->Trims.end());
    AfterX = typed->AfterX;
    AfterY = typed->AfterY;
    return true;
}

void TInsertCharUndo::Undo() {
    // What went in comes out; the line then ends in the part Enter moved down, and gets its
    // dropped spaces back, the last Enter's first.
    DeleteRange(Before(), After());
    TAdvMemoStrings& lines = Memo->Lines();
    const int y = Memo->CaretY();
    for (auto trim = Trims.rbegin(); trim != Trims.rend(); ++trim) {
        if (trim->Leading == 0 && trim->Trailing == 0)
            continue;
        std::string line(lines.Get(y));
        line.insert(std::min(line.size(), static_cast<std::size_t>(BeforeX)),
                    static_cast<std::size_t>(trim->Leading), ' ');
        line.append(static_cast<std::size_t>(trim->Trailing), ' ');
        lines.Put(y, line);
    }
}

void TInsertCharUndo::Redo() {
    std::size_t breaks = 0;
    for (const char c : Text) {
        if (c != '\r') {
            Memo->InsertChar(c);
            continue;
        }
        // Enter while replaying moves the whole rest down; the spaces it dropped go again.
        Memo->NewLine();
        const TSplitTrim trim = breaks < Trims.size() ? Trims[breaks] : TSplitTrim{};
        ++breaks;
        if (trim.Leading == 0 && trim.Trailing == 0)
            continue;
        TAdvMemoStrings& lines = Memo->Lines();
        const int y = Memo->CaretY();
        std::string line(lines.Get(y));
        const auto trailing = std::min(line.size(), static_cast<std::size_t>(trim.Trailing));
        line.erase(line.size() - trailing);
        line.erase(0, std::min(line.size(), static_cast<std::size_t>(trim.Leading)));
        lines.Put(y, line);
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
    // Text order: Backspace takes what stands before, Delete what stands after.
    Text = IsBackspace ? deleted->Text + Text : Text + deleted->Text;
    AfterX = deleted->AfterX;
    AfterY = deleted->AfterY;
    return true;
}

void TDeleteCharUndo::Undo() {
    // The whole text comes back from the after-position on (the start of a Backspace run, the
    // place of a Delete run), byte by byte in text order.
    for (const char c : Text) {
        if (c == '\r')
            Memo->NewLine();
        else
            Memo->InsertChar(c);
    }
    Memo->Invalidate();
}

void TDeleteCharUndo::Redo() {
    // The same text goes again from where it starts: the after-position for both keys.
    DeleteRange(After(), EndOfText(After(), Text));
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
