#include "memo/ParameterHint.h"

#include <algorithm>

#include "memo/AdvMemo.h"

namespace {
constexpr int kPad = 4; // text inset from the left edge
}

class TParameterHint::THintWindow : public TPopupWindow {
public:
    explicit THintWindow(TParameterHint& owner) : owner_(owner) { SetDoubleBuffered(true); }

    /// The window's width for the text as shown, and its height: text height + 5.
    TSize Measure() {
        TCanvas& canvas = Canvas();
        canvas.Font().Assign(Font());
        const auto [start, end] = owner_.Current();
        const std::string& text = owner_.Text();
        int width = canvas.TextWidth(std::string_view(text).substr(0, start)) +
                    canvas.TextWidth(std::string_view(text).substr(end));
        const int height = canvas.TextHeight("Wg") + 5;
        canvas.Font().SetStyle(TFontStyles{TFontStyle::fsBold});
        width += canvas.TextWidth(std::string_view(text).substr(start, end - start));
        return {width + 2 * kPad, height};
    }

protected:
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override {
        TPopupWindow::MouseDown(button, shift, x, y);
        owner_.Hide(); // a click puts it away, as a tooltip goes
    }
    void Paint() override {
        TCanvas& canvas = Canvas();
        const THintParameter& colors = HintColors();
        const TRect client = ClientRect();
        canvas.Brush().Style = TBrushStyle::bsSolid;
        canvas.Brush().Color = colors.BkColor;
        canvas.Pen().Color = colors.TextColor;
        canvas.Rectangle(client);
        // The list as written, the current parameter bold.
        const auto [start, end] = owner_.Current();
        const std::string_view text = owner_.Text();
        canvas.Brush().Style = TBrushStyle::bsClear;
        canvas.Font().Assign(Font());
        canvas.Font().SetColor(colors.TextColor);
        canvas.TextOut(kPad, 2, text.substr(0, static_cast<std::size_t>(start)));
        canvas.Font().SetStyle(TFontStyles{TFontStyle::fsBold});
        canvas.TextOut(
            canvas.PenPos().X, 2,
            text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start)));
        canvas.Font().SetStyle(Font().Style());
        canvas.TextOut(canvas.PenPos().X, 2, text.substr(static_cast<std::size_t>(end)));
        canvas.Brush().Style = TBrushStyle::bsSolid;
    }

private:
    const THintParameter& HintColors() const;
    TParameterHint& owner_;
};

const THintParameter& TParameterHint::THintWindow::HintColors() const {
    static const THintParameter plain;
    const TAdvCustomMemoStyler* styler = owner_.editor_.SyntaxStyles();
    return styler ? styler->HintParameter : plain;
}

TParameterHint::TParameterHint(TAdvCustomMemo& editor) : editor_(editor) {
    timer_.SetEnabled(false);
    timer_.OnTimer = [this](TObject*) {
        timer_.SetEnabled(false);
        Show();
    };
}

TParameterHint::~TParameterHint() = default;

TPopupWindow& TParameterHint::HintWindow() {
    if (!window_)
        window_ = std::make_unique<THintWindow>(*this);
    return *window_;
}

bool TParameterHint::Showing() const {
    return window_ && window_->Showing();
}

bool TParameterHint::Available() const {
    const TAdvCustomMemoStyler* styler = editor_.SyntaxStyles();
    return styler && editor_.UseStyler() && !styler->HintParameter.Parameters.empty() &&
           editor_.Kept().AutoHintParameters != TAutoHintParameters::hpNone;
}

std::optional<THintCall> TParameterHint::FindCall() const {
    const TAdvCustomMemoStyler* styler = editor_.SyntaxStyles();
    if (!styler || editor_.CaretY() >= editor_.Lines().Count())
        return std::nullopt;
    // The styler's bracketed literals are the quotes nothing inside of counts.
    std::vector<std::pair<char, char>> literals;
    for (int i = 0; i < styler->Elements.Count(); ++i) {
        const TElementStyle& element = styler->Elements.Item(i);
        if (element.StyleType == TStyleType::stBracket && element.BracketStart != '\0')
            literals.emplace_back(element.BracketStart, element.BracketEnd);
    }
    return FindHintCall(editor_.Lines().Get(editor_.CaretY()), editor_.CaretX(),
                        styler->HintParameter, literals, editor_.CaseSensitive());
}

void TParameterHint::Hide() {
    timer_.SetEnabled(false);
    call_.reset();
    if (window_)
        window_->Close();
}

bool TParameterHint::Show() {
    timer_.SetEnabled(false);
    // Only with a styler's lists, and while the caret line shows.
    const int row = editor_.ScreenRowOfLine(editor_.CaretY());
    if (!Available() || row < 0 || row >= editor_.VisibleLineCount() ||
        editor_.CaretY() >= editor_.Lines().Count()) {
        Hide();
        return false;
    }
    const THintParameter& hint = editor_.SyntaxStyles()->HintParameter;
    call_ = FindCall();
    if (!call_) {
        Hide();
        return false;
    }
    // The entry as written, its current parameter bold.
    text_ = hint.Parameters[static_cast<std::size_t>(call_->Entry)];
    const auto spans = HintParameterSpans(text_, hint);
    current_ = call_->Parameter < static_cast<int>(spans.size())
                   ? spans[static_cast<std::size_t>(call_->Parameter)]
                   : std::pair<int, int>{0, 0};
    line_ = editor_.CaretY();
    // At the caret's x, on the row below the caret line or just above it.
    THintWindow& window = static_cast<THintWindow&>(HintWindow());
    window.Font().Assign(editor_.Kept().AutoCompletion.Font);
    const TSize size = window.Measure();
    const TPoint caret = editor_.ClientToScreen(editor_.CaretPixel());
    const int rowTop = caret.Y - 1; // the caret stands one pixel below its row's top
    const int top = editor_.Kept().AutoHintParameterPosition == THintParameterPosition::hpBelowCode
                        ? rowTop + editor_.LineHeight()
                        : rowTop - size.cy;
    window.SetBounds(caret.X, top, size.cx, size.cy);
    window.Invalidate();
    window.Popup();
    return true;
}

void TParameterHint::CaretMoved(bool ctrlHeld) {
    timer_.SetEnabled(false);
    if (Showing() && editor_.CaretY() != line_)
        Hide();
    // After a key with Ctrl (an undo, a word move) the hint keeps its parameter, but goes when
    // the caret no longer stands in its call.
    if (Showing() && ctrlHeld) {
        if (!FindCall())
            Hide();
        return;
    }
    if (editor_.Kept().AutoHintParameters != TAutoHintParameters::hpAuto || ctrlHeld ||
        !Available())
        return;
    if (Showing()) {
        Show();
    } else {
        timer_.SetInterval(editor_.Kept().AutoHintParameterDelay);
        timer_.SetEnabled(true);
    }
}
