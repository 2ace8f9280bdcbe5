// The editor's construction, its text-level operations and the refresh step.

#include "memo/AdvMemo.h"

#include <algorithm>

TAdvCustomMemo::TAdvCustomMemo(TWinControl* parent)
    : TCustomControl(parent), lines_(std::make_unique<TAdvMemoStrings>(this)) {
    bookmarks_.fill(-1);
    SetColor(clWhite);
    SetParentFont(false);
    TFont& font = Font();
    font.SetName("COURIER NEW");
    font.SetHeight(-13);
    font.SetColor(clBlack);
    UpdateMetrics();
    AttachChangeCallback(true);
    // A new editor holds one empty line.
    lines_->Add("");
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

void TAdvCustomMemo::ShiftBookmarks(int line, int count) {
    for (int& mark : bookmarks_) {
        if (mark >= line)
            mark = std::max(-1, mark + count);
    }
}
