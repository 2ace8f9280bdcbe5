// The editor's construction, its text-level operations, and how it follows its document.

#include "memo/AdvMemo.h"

#include <algorithm>

#include "memo/MemoEditing.h"
#include "memo/MemoMouse.h"
#include "memo/MemoUndo.h"
#include "platform/Caret.h"
#include "platform/Graphics.h"

TAdvCustomMemo::TAdvCustomMemo(TWinControl* parent)
    : TCustomControl(parent), lines_(std::make_unique<TAdvMemoStrings>(true)),
      rowMap_(std::make_unique<TRowMap>()), gutter_(std::make_unique<TAdvGutter>()),
      verticalBar_(std::make_unique<TScrollBar>(this, TScrollBarKind::sbVertical)),
      horizontalBar_(std::make_unique<TScrollBar>(this, TScrollBarKind::sbHorizontal)),
      rowBitmap_(std::make_unique<TBitmap>()) {
    undoList_ = std::make_unique<TAdvUndoList>(*this);
    editing_ = std::make_unique<TMemoEditing>(*this);
    mouse_ = std::make_unique<TMemoMouse>(*this);
    systemCaret_ = std::make_unique<TSystemCaret>(*this);
    SetWantTabs(true);
    SetCursor(TCursor::crIBeam);
    SetColor(clWhite);
    SetParentFont(false);
    applyingFont_ = true;
    TFont& font = Font();
    font.SetName("COURIER NEW");
    font.SetHeight(-13);
    font.SetColor(clBlack);
    applyingFont_ = false;
    // The editor erases nothing itself and paints every pixel.
    SetDoubleBuffered(true);

    activeLineSettings_.OnChange = [this](TObject*) {
        // Switched on, the active line joins the caret at once.
        if (activeLineSettings_.ActiveLineAtCursor())
            SetActiveLine(CaretY());
        Invalidate();
    };
    codeFolding_.OnChange = [this](TObject*) { Invalidate(); };
    gutter_->OnInvalidate = [this](const TRect& r) { InvalidateRect(r); };
    gutter_->OnResize = [this] {
        gutterDigits_ = 0; // measured again: the font or the numbers may have changed
        FitGutterToNumbers();
        Resize();
    };
    OnGutterDraw = [this](TAdvCustomMemo&, TCanvas& canvas, const TRect& row, int index) {
        gutter_->PaintRow(canvas, row, index, GutterRows());
    };
    for (TScrollBar* bar : {verticalBar_.get(), horizontalBar_.get()}) {
        bar->SetVisible(false);
        bar->OnScroll = [this, bar](TObject*, TScrollCode, int& position) {
            ScrollBarMoved(*bar, position);
        };
    }

    lines_->Document().AddListener(*this);
    lines_->OnChange = [this](TObject*) {
        if (refreshOn_)
            RefreshStep();
    };
    lines_->OnLoad = [this](TObject*) { ClearUndo(); };
    lines_->OnDeleteLine = [this](int index) { DeleteLineOfStore(index); };
    lines_->OnCleared = [this] {
        caret_.Caret = {0, 0};
        caret_.ResetSelection();
        Invalidate();
    };
    // A new editor holds one empty line.
    lines_->Add("");
    ApplyFont();
}

TAdvCustomMemo::~TAdvCustomMemo() {
    lines_->OnChange = nullptr;
    lines_->OnLoad = nullptr;
    lines_->OnDeleteLine = nullptr;
    lines_->OnCleared = nullptr;
    lines_->Document().RemoveListener(*this);
    if (blinkSaved_)
        SetCaretBlinkTime(savedBlinkTime_);
    OnUndoChange = nullptr; // the list empties as it goes, without telling anyone
}

// --- editing operations --------------------------------------------------------------------

void TAdvCustomMemo::InsertChar(char ch) {
    editing_->InsertChar(ch);
}
void TAdvCustomMemo::NewLine() {
    editing_->NewLine();
}
void TAdvCustomMemo::TabKey(TShiftState shift) {
    editing_->TabKey(shift);
}
void TAdvCustomMemo::Backspace() {
    editing_->Backspace();
}
void TAdvCustomMemo::DeleteWordBack() {
    editing_->DeleteWordBack();
}
void TAdvCustomMemo::DeleteChar() {
    editing_->DeleteChar();
}
void TAdvCustomMemo::DeleteLine() {
    editing_->DeleteLine();
}
bool TAdvCustomMemo::DeleteSelection(bool repaint) {
    return editing_->DeleteSelection(repaint);
}
void TAdvCustomMemo::InsertText(std::string_view text) {
    editing_->InsertText(text);
}

// --- undo ----------------------------------------------------------------------------------

void TAdvCustomMemo::Undo() {
    undoList_->Undo();
}

void TAdvCustomMemo::Redo() {
    undoList_->Redo();
    Repaint();
}

void TAdvCustomMemo::ClearUndo() {
    undoList_->Clear();
}

bool TAdvCustomMemo::CanUndo() const {
    return undoList_->CanUndo();
}

bool TAdvCustomMemo::CanRedo() const {
    return undoList_->CanRedo();
}

void TAdvCustomMemo::SetUndoLimit(int value) {
    if (value == undoLimit_)
        return;
    undoLimit_ = std::clamp(value, 1, TAdvUndoList::kDefaultLimit);
    undoList_->SetLimit(undoLimit_);
}

bool TAdvCustomMemo::Modified() const {
    return undoList_->Count() > 0;
}

void TAdvCustomMemo::SetModified(bool value) {
    if (value)
        return;
    undoList_->Clear();
    for (int line = 0; line < lines_->Count(); ++line) {
        if (lines_->Record(line) && lines_->Record(line)->Modified)
            lines_->LineProp(line)->Modified = false;
    }
    if (OnStatusChange)
        OnStatusChange(this);
    Invalidate();
}

// --- editing properties --------------------------------------------------------------------

void TAdvCustomMemo::SetEnhancedHomeKey(bool value) {
    enhancedHomeKey_ = value;
    Invalidate();
}

void TAdvCustomMemo::SetSmartTabs(bool value) {
    smartTabs_ = value;
    Invalidate();
}

void TAdvCustomMemo::SetAcceptFiles(bool value) {
    acceptFiles_ = value;
    SetAcceptDrops(value);
}

// --- pointer -------------------------------------------------------------------------------

void TAdvCustomMemo::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseDown(button, shift, x, y);
    mouse_->MouseDown(button, shift, x, y);
}

void TAdvCustomMemo::MouseMove(TShiftState shift, int x, int y) {
    TCustomControl::MouseMove(shift, x, y);
    mouse_->MouseMove(shift, x, y);
}

void TAdvCustomMemo::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseUp(button, shift, x, y);
    mouse_->MouseUp(button, shift, x, y);
}

void TAdvCustomMemo::ContextPopup(TPoint client, TPoint screen) {
    mouse_->ContextPopup(client, screen);
}

TCursor TAdvCustomMemo::CursorAt(int x, int y) const {
    return mouse_->CursorAt(x, y);
}

void TAdvCustomMemo::FilesDropped(const std::vector<std::string>& files) {
    if (!acceptFiles_)
        return;
    // Each allowed file replaces the text in turn: the last one stays.
    for (const std::string& file : files) {
        bool allow = true;
        if (OnFileDrop)
            OnFileDrop(this, file, allow);
        if (allow)
            lines_->LoadFromFile(file);
    }
}

void TAdvCustomMemo::SetTabSize(int value) {
    if (value == lines_->TabSize())
        return;
    lines_->SetTabSize(value);
    Invalidate();
}

void TAdvCustomMemo::SetTrimTrailingSpaces(bool value) {
    trimTrailingSpaces_ = value;
    lines_->SetTrimOnAssign(value);
}

void TAdvCustomMemo::SetLines(const TStrings& list) {
    // The store replaces its text in one go, trimming when the editor trims.
    lines_->Assign(list);
    if (OnSelectionChange)
        OnSelectionChange(this);
    Invalidate();
}

void TAdvCustomMemo::Clear() {
    SetCaretX(0);
    SetCaretY(0);
    view_.Home();
    SetRefreshOn(false);
    lines_->Clear();
    Repaint();
    SetCaretY(0);
    SetCaretX(0); // puts one empty line back
    caret_.SelStart = caret_.SelEnd = {0, 0};
    SetRefreshOn(true);
    RefreshStep();
    lines_->Clear();
}

// A line deleted through the store is deleted as the editor deletes its caret line, so it
// can be undone; the caret then goes back onto the text it stood on.
void TAdvCustomMemo::DeleteLineOfStore(int index) {
    const TPoint caret = caret_.Caret;
    const int count = lines_->Count();
    SetCaretY(index);
    DeleteLine();
    caret_.Caret.X = count == 1 ? 0 : caret.X;
    caret_.Caret.Y =
        std::clamp(caret.Y - (index < caret.Y ? 1 : 0), 0, std::max(0, lines_->Count() - 1));
    caret_.ResetSelection();
}

// The document changed: caret, selection and bookmarks follow their text, and a whole new
// text starts afresh (caret at the start, no regions, no undo). Undo records replay edits on
// the text they were made on: kept past a clear, a cancelled load or an assignment of the
// lines, they would write text the user never had into the new one.
void TAdvCustomMemo::LinesChanged(const core::LineChange& change) {
    const int count = lines_->Count();
    FollowChange(caret_, change, count);
    FitGutterToNumbers();
    if (change.replacedAll) {
        regionCount_ = 0;
        if (undoList_->Count() > 0 && !undoList_->Suspended())
            undoList_->Clear();
    }
    Invalidate();
}

void TAdvCustomMemo::RefreshStep() {
    if (OnChange)
        OnChange(this);
    UpdateScrollBars();
    ScrollCaretIntoView();
    Invalidate();
}
