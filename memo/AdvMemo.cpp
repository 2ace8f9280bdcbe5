// The editor's construction, its keyboard and text-level operations, the model's host, and
// how the view follows the document.

#include "memo/AdvMemo.h"

#include <algorithm>

#include "memo/CompletionFilter.h"
#include "memo/CompletionList.h"
#include "memo/ParameterHint.h"
#include "memo/model/MemoKeyTable.h"
#include "memo/MemoMouse.h"
#include "platform/Caret.h"
#include "platform/Clipboard.h"
#include "platform/Graphics.h"
#include "platform/Keys.h"
#include "platform/Shell.h"

TAdvCustomMemo::TAdvCustomMemo(TWinControl* parent)
    : TCustomControl(parent), rowMap_(&model_.Folding()), gutter_(std::make_unique<TAdvGutter>()),
      verticalBar_(std::make_unique<TScrollBar>(this, TScrollBarKind::sbVertical)),
      horizontalBar_(std::make_unique<TScrollBar>(this, TScrollBarKind::sbHorizontal)),
      rowBitmap_(std::make_unique<TBitmap>()) {
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
    codeFolding_.OnChange = [this](TObject*) {
        // Switched on or off, the regions are found again and the view follows.
        if (codeFolding_.Enabled() != model_.Folding().Enabled()) {
            model_.Folding().SetEnabled(codeFolding_.Enabled());
            model_.RebuildRegions();
            UpdateScrollBars();
            ShowSystemCaret();
        }
        Invalidate();
    };
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

    Lines().Document().AddListener(*this);
    UrlOpener = ShellOpen;
    completionTimer_ = std::make_unique<TTimer>();
    completionTimer_->SetEnabled(false);
    completionTimer_->OnTimer = [this](TObject*) {
        completionTimer_->SetEnabled(false);
        // After the delay the list opens on a word (in after-dot mode), when it may.
        const int y = CaretY();
        const std::string_view line = y < Lines().Count() ? Lines().Get(y) : std::string_view();
        const auto [start, end] = WordAround(line, CaretX(), kCompletionWordDelimiters);
        if (kept_.AutoCompletion.AutoDisplay && start < end)
            completion_->Start(true);
    };
    completion_ = std::make_unique<TMemoCompletion>(*this);
    parameterHint_ = std::make_unique<TParameterHint>(*this);
    // A new editor holds one empty line.
    Lines().Add("");
    ApplyFont();
}

TAdvCustomMemo::~TAdvCustomMemo() {
    LetGoOfStyler();
    Lines().Document().RemoveListener(*this);
    if (blinkSaved_)
        SetCaretBlinkTime(savedBlinkTime_);
}

// --- the model's host ----------------------------------------------------------------------

void TAdvCustomMemo::InvalidateLines(int first, int last) {
    const int top = std::max(0, ScreenRowOfLine(first));
    const int bottom = std::max(0, ScreenRowOfLine(last));
    const TRect area = TextArea();
    InvalidateRect(Rect(area.Left, area.Top + top * LineHeight(), area.Right,
                        area.Top + (bottom + 1) * LineHeight() + 1));
}

void TAdvCustomMemo::CaretGoesToLine(int line) {
    if (activeLineSettings_.ActiveLineAtCursor() && line != activeLine_)
        SetActiveLine(line);
}

int TAdvCustomMemo::PageRows() const {
    return LineHeight() == 0 ? -1 : TextArea().Height() / LineHeight();
}

void TAdvCustomMemo::Notify(TEditorNotice notice) {
    auto raise = [this](const TNotifyEvent& event) {
        if (event)
            event(this);
    };
    switch (notice) {
    case TEditorNotice::Change:
        raise(OnChange);
        break;
    case TEditorNotice::SelectionChange:
        raise(OnSelectionChange);
        break;
    case TEditorNotice::StatusChange:
        raise(OnStatusChange);
        break;
    case TEditorNotice::CursorChange:
        MatchBlockAtCaret();
        parameterHint_->CaretMoved(!lastKeyWithoutCtrl_);
        raise(OnCursorChange);
        break;
    case TEditorNotice::ColumnChange:
        if (OnColumnChange)
            OnColumnChange(this, CaretX());
        break;
    case TEditorNotice::UndoChange:
        if (OnUndoChange)
            OnUndoChange(this, CanUndo(), CanRedo());
        break;
    case TEditorNotice::Find:
        raise(OnFind);
        break;
    case TEditorNotice::Replace:
        raise(OnReplace);
        break;
    }
}

bool TAdvCustomMemo::AllowOverwriteToggle() {
    bool allow = true;
    if (OnOverwriteToggle)
        OnOverwriteToggle(this, allow);
    return allow;
}

bool TAdvCustomMemo::StartAutoCompletion() {
    // The list needs a styler's entries; the space is swallowed whenever completion is on.
    completion_->Start(false);
    return kept_.AutoCompletion.Active;
}

void TAdvCustomMemo::ShowParameterHint() {
    if (kept_.AutoHintParameters != TAutoHintParameters::hpNone)
        parameterHint_->Show();
}

TImageList* TAdvCustomMemo::AutoCompletionListImages() const {
    return completion_->Images();
}

void TAdvCustomMemo::SetAutoCompletionListImages(TImageList* images) {
    completion_->SetImages(images);
}

void TAdvCustomMemo::StartCompletionTimer() {
    if (!kept_.AutoCompletion.Active)
        return;
    completionTimer_->SetInterval(kept_.AutoCompletion.Delay);
    completionTimer_->SetEnabled(true);
}

void TAdvCustomMemo::WordCompleted(const std::string& word, std::string& replacement) {
    if (OnWordComplete)
        OnWordComplete(this, word, replacement);
}

void TAdvCustomMemo::PutOnClipboard(const std::string& bytes) {
    SetClipboardBytes(bytes);
}

bool TAdvCustomMemo::ClipboardHasText() const {
    return ::ClipboardHasText();
}

std::string TAdvCustomMemo::ClipboardBytes() const {
    return ::ClipboardBytes();
}

// --- keyboard ------------------------------------------------------------------------------

void TAdvCustomMemo::KeyDown(std::uint16_t& key, TShiftState shift) {
    // 1. The handler first; the caret stops blinking while keys are held.
    if (OnKeyDown)
        OnKeyDown(this, key, shift);
    if (key == 0)
        return;
    completionTimer_->SetEnabled(false);
    if (key != VK_CONTROL && !blinkSaved_) {
        savedBlinkTime_ = GetCaretBlinkTime();
        blinkSaved_ = true;
        SetCaretBlinkTime(kInfiniteBlink);
    }
    lastKeyWithoutCtrl_ = !shift.Ctrl;
    // 2. An open completion list has the key first.
    if (completion_->KeyDown(key, shift))
        return;
    keyboard_.KeyDown(key, shift);
    completion_->AfterKeyDown(key);
}

void TAdvCustomMemo::KeyUp(std::uint16_t&, TShiftState) {
    if (blinkSaved_) {
        blinkSaved_ = false;
        SetCaretBlinkTime(savedBlinkTime_);
    }
    ShowSystemCaret();
}

void TAdvCustomMemo::KeyPress(char& key) {
    // 1. The handler sees the character first.
    if (OnKeyPress)
        OnKeyPress(this, key);
    if (completion_->KeyPress(key))
        return;
    keyboard_.KeyPress(key);
    completion_->AfterKeyPress(key);
}

void TAdvCustomMemo::KeyCommand(int code, TShiftState shift) {
    RunCommand(editing_, code, shift);
}

bool TAdvCustomMemo::WantsKey(std::uint16_t key, TShiftState shift) const {
    // Enter is a line break here, never the form's default button.
    return key == VK_RETURN || TCustomControl::WantsKey(key, shift);
}

// --- undo and editing properties -----------------------------------------------------------

void TAdvCustomMemo::Redo() {
    editing_.Redo();
    Repaint();
}

void TAdvCustomMemo::SetEnhancedHomeKey(bool value) {
    model_.Settings().EnhancedHomeKey = value;
    Invalidate();
}

void TAdvCustomMemo::SetSmartTabs(bool value) {
    model_.Settings().SmartTabs = value;
    Invalidate();
}

void TAdvCustomMemo::SetAcceptFiles(bool value) {
    acceptFiles_ = value;
    SetAcceptDrops(value);
}

// --- pointer -------------------------------------------------------------------------------

void TAdvCustomMemo::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    completion_->Cancel();
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
            Lines().LoadFromFile(file);
    }
}

void TAdvCustomMemo::SetTabSize(int value) {
    if (value == Lines().TabSize())
        return;
    Lines().SetTabSize(value);
    Invalidate();
}

void TAdvCustomMemo::SetLines(const TStrings& list) {
    // The store replaces its text in one go, trimming when the editor trims.
    Lines().Assign(list);
    if (OnSelectionChange)
        OnSelectionChange(this);
    Invalidate();
}

void TAdvCustomMemo::Clear() {
    SetCaretX(0);
    SetCaretY(0);
    view_.Home();
    SetRefreshOn(false);
    Lines().Clear();
    Repaint();
    SetCaretY(0);
    SetCaretX(0); // puts one empty line back
    model_.CaretState().SelStart = model_.CaretState().SelEnd = {0, 0};
    SetRefreshOn(true);
    RefreshStep();
    Lines().Clear();
}

// The view follows the document (the model and its undo list follow it themselves).
void TAdvCustomMemo::LinesChanged(const core::LineChange& change) {
    FitGutterToNumbers();
    // A whole new text: its regions are found from the top.
    if (change.replacedAll)
        model_.RebuildRegions();
    Invalidate();
}
