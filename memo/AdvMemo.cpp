// The editor's construction, its text-level operations, and how it follows its document.

#include "memo/AdvMemo.h"

#include <algorithm>

#include "platform/Graphics.h"

TAdvCustomMemo::TAdvCustomMemo(TWinControl* parent)
    : TCustomControl(parent), lines_(std::make_unique<TAdvMemoStrings>(true)),
      rowMap_(std::make_unique<TRowMap>()), gutter_(std::make_unique<TAdvGutter>()),
      verticalBar_(std::make_unique<TScrollBar>(this, TScrollBarKind::sbVertical)),
      horizontalBar_(std::make_unique<TScrollBar>(this, TScrollBarKind::sbHorizontal)),
      rowBitmap_(std::make_unique<TBitmap>()) {
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
    gutter_->OnResize = [this] { Resize(); };
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
    // A new editor holds one empty line.
    lines_->Add("");
    ApplyFont();
}

TAdvCustomMemo::~TAdvCustomMemo() {
    lines_->OnChange = nullptr;
    lines_->Document().RemoveListener(*this);
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

// The document changed: caret, selection and bookmarks follow their text, and a whole new
// text starts afresh (caret at the start, no regions, undo emptied).
void TAdvCustomMemo::LinesChanged(const core::LineChange& change) {
    const int count = lines_->Count();
    FollowChange(caret_, change, count);
    if (change.replacedAll) {
        regionCount_ = 0;
        ClearUndo();
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
