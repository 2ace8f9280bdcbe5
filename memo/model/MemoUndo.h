#pragma once
// The editor's undo list and its records. Each text operation pushes one record holding the
// caret before and after the change and the text it typed or removed; undo and redo replay a
// record through the same operations while the list discards what they record.
//
// The list keeps the newest record at index 0. Position counts the records undone: the next
// to undo is at Position, the next to redo at Position - 1. A new record drops the undone ones;
// typing and deleting runs merge into the newest record (Append); past Limit records the
// oldest goes.
//
// A linked record undoes together with the older record next to it (a paste over a selection:
// the insertion, then the deletion it replaced). When that partner was pushed out by the
// limit, the linked record undoes alone.

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Types.h"

class TEditorModel;

/// What a record replays through: the editor's model and its own text operations, run while
/// the list records nothing.
class TUndoEditing {
public:
    virtual ~TUndoEditing() = default;
    virtual TEditorModel& Model() = 0;
    virtual void InsertChar(char ch) = 0;
    virtual void NewLine() = 0;
    virtual void InsertText(std::string_view text) = 0;
    virtual void DeleteLine() = 0;
    virtual bool DeleteSelection(bool repaint) = 0;
};

class TUndo {
public:
    virtual ~TUndo() = default;

    int BeforeX = 0, BeforeY = 0;   // the caret before the change
    int AfterX = 0, AfterY = 0;     // and after it
    std::string Text;
    bool Linked = false;

    TPoint Before() const { return {BeforeX, BeforeY}; }
    TPoint After() const { return {AfterX, AfterY}; }

    /// Takes `newer` into this record; false when it cannot.
    virtual bool Append(const TUndo& newer);
    virtual void Undo(TUndoEditing& editor) = 0;
    virtual void Redo(TUndoEditing& editor) = 0;

    TUndo(TPoint before, TPoint after, std::string text);

protected:
    /// Removes the text from `from` up to `to`.
    static void DeleteRange(TUndoEditing& editor, TPoint from, TPoint to);
};

/// The spaces Enter drops from the part of a line it moves down: in front of it (with
/// AutoIndent) and at its end.
struct TSplitTrim {
    int Leading = 0;
    int Trailing = 0;
};

/// Typed characters, Enter (CR and the new line's indent), a smart Tab's spaces. The text went
/// in from the before-position to the after-position, so undo takes that range out again;
/// Trims holds, for each CR of Text in order, the spaces that Enter dropped, which undo puts
/// back and redo drops again.
class TInsertCharUndo : public TUndo {
public:
    using TUndo::TUndo;
    TInsertCharUndo(TPoint before, TPoint after, std::string text, TSplitTrim trim)
        : TUndo(before, after, std::move(text)), Trims{trim} {}
    std::vector<TSplitTrim> Trims;
    bool Append(const TUndo& newer) override;
    void Undo(TUndoEditing& editor) override;
    void Redo(TUndoEditing& editor) override;
};

/// One character replaced in overwrite mode; Text holds the other of the two characters.
class TOverwriteCharUndo : public TUndo {
public:
    using TUndo::TUndo;
    void Undo(TUndoEditing& editor) override;
    void Redo(TUndoEditing& editor) override { Undo(editor); } // the same exchange
};

/// Characters removed by Delete or Backspace, in text order; CR stands for a joined line
/// break. A Backspace run's newest character goes in front, a Delete run's at the end, so undo
/// puts the whole text back from the after-position on.
class TDeleteCharUndo : public TUndo {
public:
    TDeleteCharUndo(TPoint before, TPoint after, std::string text, bool isBackspace)
        : TUndo(before, after, std::move(text)), IsBackspace(isBackspace) {}
    bool IsBackspace;
    bool Append(const TUndo& newer) override;
    void Undo(TUndoEditing& editor) override;
    void Redo(TUndoEditing& editor) override;
};

/// A deleted line. WasOnlyLine: the store had that line alone, which was emptied, not removed.
class TDeleteLineUndo : public TUndo {
public:
    TDeleteLineUndo(TPoint before, TPoint after, std::string text, bool wasOnlyLine)
        : TUndo(before, after, std::move(text)), WasOnlyLine(wasOnlyLine) {}
    bool WasOnlyLine;
    void Undo(TUndoEditing& editor) override;
    void Redo(TUndoEditing& editor) override;
};

/// A record that keeps the ordered selection it was made from.
class TSelUndo : public TUndo {
public:
    TSelUndo(TPoint before, TPoint after, std::string text, TPoint selStart, TPoint selEnd)
        : TUndo(before, after, std::move(text)), SelStartX(selStart.X), SelStartY(selStart.Y),
          SelEndX(selEnd.X), SelEndY(selEnd.Y) {}
    int SelStartX, SelStartY, SelEndX, SelEndY;
};

/// A deleted selection; Text carries its line breaks as CR LF.
class TDeleteBufUndo : public TSelUndo {
public:
    using TSelUndo::TSelUndo;
    void Undo(TUndoEditing& editor) override;
    void Redo(TUndoEditing& editor) override;
};

/// An inserted text (paste, drop); linked when it replaced a selection.
class TPasteUndo : public TUndo {
public:
    TPasteUndo(TPoint before, TPoint after, std::string text, bool linked)
        : TUndo(before, after, std::move(text)) {
        Linked = linked;
    }
    void Undo(TUndoEditing& editor) override;
    void Redo(TUndoEditing& editor) override;
};

/// The Insert key: InsertMode holds the overwrite mode before the toggle.
class TInsertOverwriteUndo : public TUndo {
public:
    TInsertOverwriteUndo(TPoint at, bool insertMode) : TUndo(at, at, {}), InsertMode(insertMode) {}
    bool InsertMode;
    void Undo(TUndoEditing& editor) override;
    void Redo(TUndoEditing& editor) override;
};

/// A correction of one line: the memo checker's, or the word completion step's replacement.
/// AfterY is the line and Text its other version: undo and redo each exchange the line's text
/// with Text, so they alternate between the two lines byte for byte. Before and after are the
/// caret around the correction, so undo leaves the caret where the user had it and redo where
/// the correction put it. A correction of the same line that goes on from the after-position
/// (a checker's word correction, then auto-correction, for one key) merges: the record keeps
/// the line from before the first.
class TCorrectUndo : public TUndo {
public:
    using TUndo::TUndo;
    bool Append(const TUndo& newer) override;
    void Undo(TUndoEditing& editor) override;
    void Redo(TUndoEditing& editor) override { Undo(editor); } // the same exchange
};

class TAdvUndoList {
public:
    static constexpr int kDefaultLimit = 100;

    TAdvUndoList() = default;
    TAdvUndoList(const TAdvUndoList&) = delete;
    TAdvUndoList& operator=(const TAdvUndoList&) = delete;

    int Count() const { return static_cast<int>(records_.size()); }
    /// Record `index`, 0 being the newest.
    const TUndo& Item(int index) const { return *records_[static_cast<std::size_t>(index)]; }
    int Position() const { return position_; }
    int Limit() const { return limit_; }
    bool Suspended() const { return suspended_; }
    void SetSuspended(bool value) { suspended_ = value; }
    bool CanUndo() const { return position_ < Count(); }
    bool CanRedo() const { return position_ > 0; }

    /// Takes `record` (or merges it into the newest, or discards it while suspended).
    void Add(std::unique_ptr<TUndo> record);
    /// Undoes (redoes) one step through `editor`.
    void Undo(TUndoEditing& editor);
    void Redo(TUndoEditing& editor);
    void Clear();
    /// Below 1 becomes 10, above 100 becomes 100; a new limit empties the list.
    void SetLimit(int limit);

    /// Called when what undo and redo can do changed.
    std::function<void()> OnChange;

private:
    /// Replays with recording and auto-indent off.
    template <class Step> void Replay(TUndoEditing& editor, Step step);
    void Changed();

    std::deque<std::unique_ptr<TUndo>> records_;
    int position_ = 0;
    int limit_ = kDefaultLimit;
    bool suspended_ = false;
};
