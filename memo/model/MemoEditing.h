#pragma once
// The editor's text operations and their undo list: typing, Enter, Tab, Backspace,
// Ctrl+Backspace, Delete, delete line, delete selection, insert text, the clipboard commands
// (MemoClipboard.cpp), the Insert key, and the corrections made as a key ends a word or a line
// (MemoCorrections.cpp: the word completion step and the memo checker's hooks). Each changes
// the lines through the model's line store, puts caret and selection through the model's caret
// rules, and pushes one undo record; the model's refresh is off while it works and runs once at the
// end. Undo and redo replay the records through these same operations.
//
// Undo restores the text exactly, so where a change does more than its record can say, the
// operation records it fully:
// - typing or inserting beyond a line's end records the padding spaces with the text, from the
//   line's end;
// - Enter that drops spaces from the text it moves to the new line (trailing spaces, and the
//   leading ones with AutoIndent) records the change as the removed tail and the inserted new
//   text, a linked pair; while undo replays, Enter moves the tail as it is;
// - Delete at or beyond a line's end records the join at the line's end, where the line
//   break was;
// - Backspace in virtual space only moves the caret: there is no character left of it to
//   remove (it never joins the next line onto the caret line);
// - a deleted last line comes back after the line above it, and an emptied only line does
//   not gain a second line on undo;
// - a selection is deleted from its ends pulled back onto their lines, and its record text
//   holds the selected text itself, so undo gives back the same lines;
// - a correction made as a key ends a word or a line (the memo checker's, auto-correction,
//   OnWordComplete's replacement) records the whole line from before it (TCorrectUndo), and
//   the record of what the key then does is linked to it: one undo step takes back the key
//   and the correction, so "teh" and a space that became "the " is "teh" again. Typing after
//   the key starts a record of its own.
// Replayed operations ignore ReadOnly and overwrite mode: undo works in a read-only editor
// and always puts back what was there.

#include <memory>
#include <string>
#include <string_view>

#include "core/TextDocument.h"
#include "memo/model/MemoUndo.h"
#include "platform/Types.h"

class TEditorModel;

class TMemoEditing : public TUndoEditing, private core::DocumentListener {
public:
    explicit TMemoEditing(TEditorModel& model);
    ~TMemoEditing() override;
    TMemoEditing(const TMemoEditing&) = delete;
    TMemoEditing& operator=(const TMemoEditing&) = delete;

    TEditorModel& Model() override { return model_; }
    const TEditorModel& Model() const { return model_; }

    void InsertChar(char ch) override;
    void NewLine() override;
    void TabKey(TShiftState shift);
    void Backspace();
    void DeleteWordBack();
    void DeleteChar();
    /// Deletes the caret line (a store of one line keeps one empty line).
    void DeleteLine() override;
    /// True when text was removed.
    bool DeleteSelection(bool repaint) override;
    void InsertText(std::string_view text) override { InsertText(text, false); }
    /// `linkWithPrevious`: the insertion undoes together with the record before it (a moved
    /// text's deletion) even when it replaced no selection.
    void InsertText(std::string_view text, bool linkWithPrevious);
    /// The replacement of the word at the caret before a trigger character (auto-correction,
    /// then OnWordComplete), recorded as a correction.
    void WordCompletionStep();
    /// Enter's memo checker hooks: the caret line corrected, then checked (MemoChecker.h).
    void LineCheckerHooks();
    /// Space's and Tab's memo checker hooks: the word before the caret corrected, then checked.
    void WordCheckerHooks();
    /// A typed character was handled: a correction it made links to no later record.
    void KeyPressDone() { linkToCorrection_ = false; }
    /// The Insert key: when the host allows, recorded and inverted.
    void ToggleOverwriteMode();
    /// A line deleted through the store is deleted as the caret line is, so it can be undone;
    /// the caret then goes back onto the text it stood on.
    void DeleteLineOfStore(int index);

    // --- clipboard (MemoClipboard.cpp) ---
    void CopyToClipboard();
    void CutToClipboard();
    void PasteFromClipboard();

    // --- undo ---
    TAdvUndoList& UndoList() { return undoList_; }
    const TAdvUndoList& UndoList() const { return undoList_; }
    void Undo() { undoList_.Undo(*this); }
    void Redo() { undoList_.Redo(*this); }
    void ClearUndo() { undoList_.Clear(); }
    int UndoLimit() const { return undoLimit_; }
    /// Clamped to 1..100; a new limit empties the list.
    void SetUndoLimit(int value);
    /// True while the undo list holds a record.
    bool Modified() const { return undoList_.Count() > 0; }
    /// False empties the undo list and clears every line's modified mark; true changes nothing.
    void SetModified(bool value);

private:
    /// Undo records replay edits on the text they were made on: kept past a clear, a
    /// cancelled load or an assignment of the lines, they would write text the user never had
    /// into the new one.
    void LinesChanged(const core::LineChange& change) override;
    /// Removes the character at the caret, or joins the next line when the caret stands at or
    /// beyond its line's end; the record's before-place is `recordBefore` for a Backspace.
    void DeleteAtCaret(TPoint recordBefore, bool isBackspace);
    /// Backspace's plain part: one step left, and what stands there goes.
    void StepBack();
    /// The caret line in the store (an empty store gets a line).
    int CaretLineInStore();
    /// Where a smart Tab or a smart Backspace takes the caret, from the lines above; -1 when
    /// no line above shows a place.
    int SmartTabTarget() const;
    int SmartBackspaceTarget() const;
    bool Replaying() const;
    /// Pushes `record`, linked to a correction that the same key made just before.
    void Record(std::unique_ptr<TUndo> record);
    /// The caret line `y` becomes `text` as a correction: recorded, the selection collapsed,
    /// and the caret at `caretX`, moved on by the growth of the line when `caretFollows`.
    /// Nothing happens when the text holds a line break or leaves the line as it was.
    void Correct(int y, std::string_view text, int caretX, bool caretFollows);

    TEditorModel& model_;
    TAdvUndoList undoList_;
    int undoLimit_ = TAdvUndoList::kDefaultLimit;
    bool linkToCorrection_ = false; // the next record undoes with the correction before it
};
