#include "memo/model/MemoUndo.h"

#include <algorithm>

#include "memo/model/EditorModel.h"

// --- records -------------------------------------------------------------------------------

TUndo::TUndo(TPoint before, TPoint after, std::string text)
    : BeforeX(before.X), BeforeY(before.Y), AfterX(after.X), AfterY(after.Y),
      Text(std::move(text)) {}

bool TUndo::Append(const TUndo&) {
    return false;
}

void TUndo::DeleteRange(TUndoEditing& editor, TPoint from, TPoint to) {
    editor.Model().SetSelection(from, to);
    editor.DeleteSelection(false);
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
    // Typing that goes on where the last typing ended. A record linked to a correction holds
    // the key that made it alone: what is typed after it undoes on its own.
    const auto* typed = dynamic_cast<const TInsertCharUndo*>(&newer);
    if (Linked || !typed || typed->Before() != After())
        return false;
    Text += typed->Text;
    Trims.insert(Trims.end(), typed->Trims.begin(), typed->Trims.end());
    AfterX = typed->AfterX;
    AfterY = typed->AfterY;
    return true;
}

void TInsertCharUndo::Undo(TUndoEditing& editor) {
    // What went in comes out; the line then ends in the part Enter moved down, and gets its
    // dropped spaces back, the last Enter's first.
    DeleteRange(editor, Before(), After());
    TAdvMemoStrings& lines = editor.Model().Lines();
    const int y = editor.Model().CaretY();
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

void TInsertCharUndo::Redo(TUndoEditing& editor) {
    std::size_t breaks = 0;
    for (const char c : Text) {
        if (c != '\r') {
            editor.InsertChar(c);
            continue;
        }
        // Enter while replaying moves the whole rest down; the spaces it dropped go again.
        editor.NewLine();
        const TSplitTrim trim = breaks < Trims.size() ? Trims[breaks] : TSplitTrim{};
        ++breaks;
        if (trim.Leading == 0 && trim.Trailing == 0)
            continue;
        TAdvMemoStrings& lines = editor.Model().Lines();
        const int y = editor.Model().CaretY();
        std::string line(lines.Get(y));
        const auto trailing = std::min(line.size(), static_cast<std::size_t>(trim.Trailing));
        line.erase(line.size() - trailing);
        line.erase(0, std::min(line.size(), static_cast<std::size_t>(trim.Leading)));
        lines.Put(y, line);
    }
}

void TOverwriteCharUndo::Undo(TUndoEditing& editor) {
    // The line gets the stored character; the record keeps the one that stood there.
    TAdvMemoStrings& lines = editor.Model().Lines();
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

void TDeleteCharUndo::Undo(TUndoEditing& editor) {
    // The whole text comes back from the after-position on (the start of a Backspace run, the
    // place of a Delete run), byte by byte in text order.
    for (const char c : Text) {
        if (c == '\r')
            editor.NewLine();
        else
            editor.InsertChar(c);
    }
    editor.Model().Host().InvalidateText();
}

void TDeleteCharUndo::Redo(TUndoEditing& editor) {
    // The same text goes again from where it starts: the after-position for both keys.
    DeleteRange(editor, After(), EndOfText(After(), Text));
}

void TDeleteLineUndo::Undo(TUndoEditing& editor) {
    editor.Model().ResetSelection();
    TAdvMemoStrings& lines = editor.Model().Lines();
    if (WasOnlyLine) {
        editor.InsertText(Text);
    } else if (BeforeY >= lines.Count()) {
        // It was the last line: it comes back after the line that is last now.
        const int last = lines.Count() - 1;
        editor.Model().SetCaretPosition(lines.LineLength(last), last);
        editor.InsertText("\r\n" + Text);
    } else {
        editor.InsertText(Text + "\r\n");
    }
}

void TDeleteLineUndo::Redo(TUndoEditing& editor) {
    editor.DeleteLine();
}

void TDeleteBufUndo::Undo(TUndoEditing& editor) {
    editor.Model().ResetSelection();
    editor.InsertText(Text);
    editor.Model().SetSelection({SelStartX, SelStartY}, {SelEndX, SelEndY});
}

void TDeleteBufUndo::Redo(TUndoEditing& editor) {
    editor.Model().SetSelection({SelStartX, SelStartY}, {SelEndX, SelEndY});
    editor.DeleteSelection(true);
}

void TPasteUndo::Undo(TUndoEditing& editor) {
    editor.Model().SetSelection(Before(), After());
    editor.DeleteSelection(true);
}

void TPasteUndo::Redo(TUndoEditing& editor) {
    editor.Model().ResetSelection();
    editor.InsertText(Text);
}

void TInsertOverwriteUndo::Undo(TUndoEditing& editor) {
    editor.Model().SetOverwriteMode(InsertMode);
}

void TInsertOverwriteUndo::Redo(TUndoEditing& editor) {
    editor.Model().SetOverwriteMode(!InsertMode);
}

bool TCorrectUndo::Append(const TUndo& newer) {
    const auto* corrected = dynamic_cast<const TCorrectUndo*>(&newer);
    if (!corrected || corrected->Before() != After())
        return false;
    AfterX = corrected->AfterX; // Text keeps the oldest version of the line
    return true;
}

void TCorrectUndo::Undo(TUndoEditing& editor) {
    TAdvMemoStrings& lines = editor.Model().Lines();
    if (AfterY < 0 || AfterY >= lines.Count())
        return;
    std::string line(lines.Get(AfterY));
    lines.Put(AfterY, Text);
    Text = std::move(line);
    editor.Model().Host().InvalidateText();
}

// --- the list ------------------------------------------------------------------------------

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
    records_.push_front(std::move(record));
    if (Count() > limit_)
        records_.pop_back();
    Changed();
}

template <class Step> void TAdvUndoList::Replay(TUndoEditing& editor, Step step) {
    bool& autoIndent = editor.Model().Settings().AutoIndent;
    const bool was = autoIndent;
    autoIndent = false;
    suspended_ = true;
    try {
        step();
    } catch (...) {
        suspended_ = false;
        autoIndent = was;
        throw;
    }
    suspended_ = false;
    autoIndent = was;
}

void TAdvUndoList::Undo(TUndoEditing& editor) {
    if (position_ >= Count())
        return;
    Replay(editor, [this, &editor] {
        TEditorModel& model = editor.Model();
        auto undoOne = [&](TUndo& record) {
            model.SetCaretY(record.AfterY);
            model.SetCaretX(record.AfterX);
            record.Undo(editor);
            model.SetCaretY(record.BeforeY);
            model.SetCaretX(record.BeforeX);
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

void TAdvUndoList::Redo(TUndoEditing& editor) {
    if (position_ == 0)
        return;
    Replay(editor, [this, &editor] {
        TEditorModel& model = editor.Model();
        auto redoOne = [&](TUndo& record) {
            model.SetCaretY(record.BeforeY);
            model.SetCaretX(record.BeforeX);
            record.Redo(editor);
            model.SetCaretY(record.AfterY);
            model.SetCaretX(record.AfterX);
        };
        --position_;
        redoOne(*records_[static_cast<std::size_t>(position_)]);
        if (position_ > 0 && records_[static_cast<std::size_t>(position_ - 1)]->Linked) {
            --position_;
            redoOne(*records_[static_cast<std::size_t>(position_)]);
        }
    });
    Changed();
    editor.Model().RefreshStep();
}

void TAdvUndoList::Clear() {
    records_.clear();
    position_ = 0;
    Changed();
}

void TAdvUndoList::SetLimit(int limit) {
    if (limit == limit_)
        return;
    limit_ = limit < 1 ? 10 : std::min(limit, kDefaultLimit);
    Clear();
}

void TAdvUndoList::Changed() {
    if (OnChange)
        OnChange();
}
