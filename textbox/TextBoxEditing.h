#pragma once
// The plain text box's editing: caret and selection, the edit operations and their undo, over
// a core::TextDocument. A model only: the box maps keys and the mouse onto it and asks its
// layout (TextBoxLayout) for anything that depends on rows.
//
// Text is bytes, as the document keeps it. A piece of text (typed, pasted, removed) is kept as
// its lines, never joined with a break character: an entry may hold any byte, LF and CR
// included, and must come back unchanged from an undo. Only text coming in from the desktop
// (typing, paste) is split at its line breaks; it is UTF-8 and is stored so.
//
// The selection runs between the anchor and the caret, in either order. Select-all is two
// assignments: the window selects everything on every mouse move over a pane.
//
// Undo is a list of replacements, each remembering what it removed, what it inserted and the
// caret and anchor before. Characters typed one after another at the caret make one step, as
// in the system's edit box; every other edit is a step of its own. A change of the text that
// does not come from here (a new content, an appended entry) empties the list, as its
// positions may no longer hold; caret and anchor move with the lines below such a change, and
// a new content puts them at its start.

#include <string>
#include <string_view>
#include <vector>

#include "core/TextDocument.h"
#include "textbox/TextBoxLayout.h"

/// Text as its lines: n lines hold n - 1 line breaks. Never empty.
using TextLines = std::vector<std::string>;

/// Splits text from the desktop at CR LF, CR and LF.
TextLines SplitAtBreaks(std::string_view text);

class TextBoxEditing final : public core::DocumentListener {
public:
    /// Follows `document` from now on, until destroyed.
    explicit TextBoxEditing(core::TextDocument& document);
    ~TextBoxEditing();
    TextBoxEditing(const TextBoxEditing&) = delete;
    TextBoxEditing& operator=(const TextBoxEditing&) = delete;

    // --- caret and selection ---
    TextPos Caret() const { return caret_; }
    TextPos Anchor() const { return anchor_; }
    TextPos SelStart() const { return std::min(caret_, anchor_); }
    TextPos SelEnd() const { return std::max(caret_, anchor_); }
    bool HasSelection() const { return caret_ != anchor_; }
    /// Puts the caret at `to` (kept inside the text, on a character's first byte); the
    /// anchor stays when `extend`, else it follows.
    void MoveCaret(TextPos to, bool extend);
    void SelectAll();
    /// The character before / after `pos`, across line ends; the text's ends stay.
    TextPos CharBefore(TextPos pos) const;
    TextPos CharAfter(TextPos pos) const;
    /// The end of the last line.
    TextPos TextEnd() const;
    /// The selected bytes, as lines.
    TextLines Selected() const;

    // --- editing ---
    /// Characters typed at the caret (bytes of UTF-8, no line break), over the selection.
    void Type(std::string_view bytes);
    /// Text from the desktop, split at its breaks, over the selection.
    void Paste(std::string_view text);
    /// A line break at the caret, over the selection.
    void NewLine();
    /// Removes the selection, or else the character before the caret (joining the line with
    /// the one above at its start).
    void Backspace();
    /// Removes the selection, or else the character after the caret (joining the next line
    /// at the line's end).
    void Delete();
    void DeleteSelection();

    bool CanUndo() const { return !undo_.empty(); }
    /// Takes the last step back; false when there was none.
    bool Undo();

    void LinesChanged(const core::LineChange& change) override;

private:
    enum class StepKind { Typing, Other };
    struct Step {
        StepKind kind;
        TextPos at;          // where the text was replaced
        TextLines removed;   // what was there
        TextLines inserted;  // what came
        TextPos caretBefore; // the caret and anchor before the step
        TextPos anchorBefore;
    };

    /// Replaces [from, to) by `text`, recording a step of `kind`; the caret ends after the
    /// text with no selection.
    void ReplaceRange(TextPos from, TextPos to, TextLines text, StepKind kind);
    /// Replaces [from, to) by `text` through the document's primitives; returns the text's end.
    TextPos Put(TextPos from, TextPos to, const TextLines& text);
    TextLines Range(TextPos from, TextPos to) const;
    TextPos Clamp(TextPos pos) const;

    core::TextDocument& document_;
    TextPos caret_;
    TextPos anchor_;
    std::vector<Step> undo_;
    bool editing_ = false; // the document changes because of us
};
