// The editor's construction, its text-level operations and the refresh step.

#include "memo/AdvMemo.h"

#include <algorithm>

#include "platform/Graphics.h"

TAdvCustomMemo::TAdvCustomMemo(TWinControl* parent)
    : TCustomControl(parent), lines_(std::make_unique<TAdvMemoStrings>(this)),
      gutter_(std::make_unique<TAdvGutter>(*this)),
      verticalBar_(std::make_unique<TScrollBar>(this, TScrollBarKind::sbVertical)),
      horizontalBar_(std::make_unique<TScrollBar>(this, TScrollBarKind::sbHorizontal)),
      rowBitmap_(std::make_unique<TBitmap>()) {
    bookmarks_.fill(-1);
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

    activeLineSettings_.OnChange = [this](TObject*) { Invalidate(); };
    codeFolding_.OnChange = [this](TObject*) { Invalidate(); };
    OnGutterDraw = [](TAdvCustomMemo& editor, TCanvas& canvas, const TRect& row, int index) {
        editor.Gutter().PaintRow(canvas, row, index);
    };
    for (TScrollBar* bar : {verticalBar_.get(), horizontalBar_.get()}) {
        bar->SetVisible(false);
        bar->OnScroll = [this, bar](TObject*, TScrollCode, int& position) {
            ScrollBarMoved(*bar, position);
        };
    }

    AttachChangeCallback(true);
    // A new editor holds one empty line.
    lines_->Add("");
    ApplyFont();
}

TAdvCustomMemo::~TAdvCustomMemo() {
    AttachChangeCallback(false);
}

void TAdvCustomMemo::SetTabSize(int value) {
    if (value == tabSize_)
        return;
    tabSize_ = value;
    Invalidate();
}

void TAdvCustomMemo::SetLines(const TStrings& list) {
    lines_->Clear();
    lines_->AddStrings(list);
    if (trimTrailingSpaces_) {
        for (int i = 0; i < lines_->Count(); ++i) {
            const std::string& line = lines_->Get(i);
            const std::size_t keep = line.find_last_not_of(' ');
            lines_->Put(i,
                        std::string_view(line).substr(0, keep == std::string::npos ? 0 : keep + 1));
        }
    }
    if (OnSelectionChange)
        OnSelectionChange(this);
    Invalidate();
}

void TAdvCustomMemo::Clear() {
    SetCaretX(0);
    SetCaretY(0);
    leftCol_ = 0;
    topLine_ = 0;
    SetRefreshOn(false);
    lines_->Clear();
    Repaint();
    SetCaretY(0);
    SetCaretX(0); // puts one empty line back
    selStart_ = {0, 0};
    selEnd_ = {0, 0};
    SetRefreshOn(true);
    RefreshStep();
    for (int i = 0; i < lines_->Count(); ++i) {
        if (TLineProp* record = lines_->LineProp(i))
            record->ScanStateValid = false;
    }
    lines_->Clear();
}

void TAdvCustomMemo::AttachChangeCallback(bool attached) {
    if (attached)
        lines_->OnChange = [this](TObject*) {
            if (refreshOn_)
                RefreshStep();
        };
    else
        lines_->OnChange = nullptr;
}

void TAdvCustomMemo::RefreshStep() {
    if (OnChange)
        OnChange(this);
    const std::vector<std::int32_t>& lengths = lines_->Lengths();
    if (lengths.size() == static_cast<std::size_t>(lines_->Count())) {
        const auto longest = std::max_element(lengths.begin(), lengths.end());
        longestLine_ = longest == lengths.end() ? 0 : *longest;
    }
    UpdateScrollBars();
    ScrollCaretIntoView();
    Invalidate();
    for (int& line : bookmarks_) {
        if (line >= lines_->Count())
            line = -1;
    }
}

void TAdvCustomMemo::TextLoaded() {
    // Word wrap and folding regions arrive with their own features; neither is on yet, so a
    // loaded text needs no rewrapping or rescanning.
}

template <class T> void TAdvCustomMemo::SetViewProperty(T& field, T value) {
    if (field == value)
        return;
    field = value;
    Invalidate();
}

void TAdvCustomMemo::SetBkColor(TColor color) {
    SetViewProperty(bkColor_, color);
}
void TAdvCustomMemo::SetSelColor(TColor color) {
    SetViewProperty(selColor_, color);
}
void TAdvCustomMemo::SetSelBkColor(TColor color) {
    SetViewProperty(selBkColor_, color);
}
void TAdvCustomMemo::SetHideSelection(bool value) {
    SetViewProperty(hideSelection_, value);
}
void TAdvCustomMemo::SetRightMargin(int column) {
    SetViewProperty(rightMargin_, column);
}
void TAdvCustomMemo::SetShowRightMargin(bool value) {
    SetViewProperty(showRightMargin_, value);
}
void TAdvCustomMemo::SetRightMarginColor(TColor color) {
    SetViewProperty(rightMarginColor_, color);
}
void TAdvCustomMemo::SetBreakpointColor(TColor color) {
    SetViewProperty(breakpointColor_, color);
}
void TAdvCustomMemo::SetBreakpointTextColor(TColor color) {
    SetViewProperty(breakpointTextColor_, color);
}
void TAdvCustomMemo::SetBlockShow(bool value) {
    SetViewProperty(blockShow_, value);
}
void TAdvCustomMemo::SetBlockColor(TColor color) {
    SetViewProperty(blockColor_, color);
}
void TAdvCustomMemo::SetBlockLineColor(TColor color) {
    SetViewProperty(blockLineColor_, color);
}
void TAdvCustomMemo::SetUrlAware(bool value) {
    SetViewProperty(urlAware_, value);
}
void TAdvCustomMemo::SetBorderColor(TColor color) {
    SetViewProperty(borderColor_, color);
}

void TAdvCustomMemo::SetUrlStyle(const TUrlStyle& style) {
    urlStyle_ = style;
    Invalidate();
}

// The border and the scroll bars change the text area: the view is laid out again.
void TAdvCustomMemo::SetBorderStyle(TBorderStyle style) {
    if (style == borderStyle_)
        return;
    borderStyle_ = style;
    UpdateScrollBars();
    Invalidate();
}

void TAdvCustomMemo::SetCtl3D(bool value) {
    if (value == ctl3D_)
        return;
    ctl3D_ = value;
    UpdateScrollBars();
    Invalidate();
}

void TAdvCustomMemo::SetScrollBars(TScrollStyle style) {
    if (style == scrollBars_)
        return;
    scrollBars_ = style;
    UpdateScrollBars();
    Invalidate();
}

void TAdvCustomMemo::GutterResized() {
    Resize();
}

int TAdvCustomMemo::WrappedContinuationsBefore(int line) const {
    // Only word wrap makes continuation rows; without it the count is known without a scan.
    if (wordWrap_ == TWordWrap::wwNone)
        return 0;
    int count = 0;
    for (int i = 0; i < line && i < lines_->Count(); ++i) {
        const TLineProp* record = lines_->LineProp(i);
        count += record && record->WrappedContinuation;
    }
    return count;
}

void TAdvCustomMemo::ShiftBookmarks(int line, int count) {
    for (int& mark : bookmarks_) {
        if (mark >= line)
            mark = std::max(-1, mark + count);
    }
}
