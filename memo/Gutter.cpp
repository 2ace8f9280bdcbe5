#include "memo/Gutter.h"

#include <algorithm>
#include <array>

#include "drawing/Gradient.h"
#include "memo/AdvMemo.h"

TAdvGutter::TAdvGutter(TAdvCustomMemo& editor) : editor_(editor), font_(std::make_unique<TFont>()) {
    font_->SetName("Courier New");
    font_->SetHeight(-13);
    font_->SetColor(clWindowText);
}

TAdvGutter::~TAdvGutter() = default;

void TAdvGutter::Changed() {
    editor_.InvalidateRect(BoundsRect());
}

// Most settings repaint the gutter whether or not the value changed.
template <class T> void TAdvGutter::Store(T& field, T value) {
    field = value;
    Changed();
}

void TAdvGutter::SetGutterWidth(int value) {
    gutterWidth_ = value;
    Changed();
    editor_.GutterResized();
}

void TAdvGutter::SetGutterMargin(int value) {
    gutterMargin_ = std::max(45, value);
}

void TAdvGutter::SetGutterColor(TColor value) {
    if (value == gutterColor_)
        return;
    gutterColor_ = value;
    Changed();
}

void TAdvGutter::SetGutterColorTo(TColor value) {
    Store(gutterColorTo_, value);
}

void TAdvGutter::SetBorderColor(TColor value) {
    Store(borderColor_, value);
}

void TAdvGutter::SetFont(const TFont& font) {
    font_->Assign(font);
    Changed();
}

void TAdvGutter::SetLineNumberTextColor(TColor value) {
    if (value == lineNumberTextColor_)
        return;
    lineNumberTextColor_ = value;
    Changed();
}

void TAdvGutter::SetShowLineNumbers(bool value) {
    Store(showLineNumbers_, value);
}

void TAdvGutter::SetLineNumberStart(int value) {
    if (value < 0 || value == lineNumberStart_)
        return;
    lineNumberStart_ = value;
    Changed();
}

void TAdvGutter::SetNumberSuffix(std::string value) {
    numberSuffix_ = std::move(value);
    Changed();
}

void TAdvGutter::SetShowLeadingZeros(bool value) {
    Store(showLeadingZeros_, value);
}

void TAdvGutter::SetDigitCount(int value) {
    Store(digitCount_, value);
}

void TAdvGutter::SetShowModified(bool value) {
    Store(showModified_, value);
}

void TAdvGutter::SetModifiedColor(TColor value) {
    Store(modifiedColor_, value);
}

void TAdvGutter::SetModifiedColorBkg(TColor value) {
    Store(modifiedColorBkg_, value);
}

void TAdvGutter::SetVisible(bool value) {
    visible_ = value;
    Changed();
    editor_.Invalidate();
}

void TAdvGutter::Paint(TCanvas& canvas) {
    const int left = Left();
    const int top = Top();
    const int right = left + Width();
    // 1.-2. The border line and the white line left of it.
    canvas.Pen().Style = TPenStyle::psSolid;
    canvas.Pen().Width = 1;
    canvas.Pen().Color = borderColor_;
    canvas.MoveTo(right - 1, top);
    canvas.LineTo(right - 1, top + height_);
    canvas.Pen().Color = clWhite;
    canvas.MoveTo(right - 2, top);
    canvas.LineTo(right - 2, top + height_);
    // 3. Background: solid, keeping the white line, or a gradient over it.
    canvas.Brush().Style = TBrushStyle::bsSolid;
    if (gutterColorTo_ == clNone) {
        canvas.Brush().Color = gutterColor_;
        canvas.FillRect(Rect(left, top, right - 2, top + height_));
    } else {
        DrawGradient(canvas, gutterColor_, gutterColorTo_, 48, TGradientDirection::gdHorizontal,
                     Rect(left, top, right - 1, top + height_));
    }
    // 4. Rows. The first is always painted, so an empty store still shows its number 1.
    if (!editor_.OnGutterDraw)
        return;
    const TAdvMemoStrings& lines = editor_.Lines();
    int line = editor_.TopLine();
    int number = line - editor_.WrappedContinuationsBefore(line);
    const int lineHeight = std::max(1, editor_.LineHeight());
    for (int y = top; y < top + height_; y += lineHeight) {
        const TLineProp* record = lines.LineProp(line);
        if (!(record && record->WrappedContinuation)) {
            editor_.OnGutterDraw(editor_, canvas, Rect(left, y, right - 2, y + lineHeight), number);
            ++number;
        }
        ++line;
        if (line >= lines.Count())
            break;
    }
}

std::string TAdvGutter::NumberText(int number) const {
    std::string digits = std::to_string(number);
    if (showLeadingZeros_ && static_cast<int>(digits.size()) < digitCount_)
        digits.insert(0, static_cast<std::size_t>(digitCount_) - digits.size(), '0');
    return digits;
}

int TAdvGutter::NumberLeft(const std::string& digits) const {
    static constexpr std::array<int, 4> kIndent{0, 24, 16, 8};
    const std::size_t count = digits.size();
    return gutterWidth_ - gutterMargin_ + (count < kIndent.size() ? kIndent[count] : 0);
}

void TAdvGutter::PaintRow(TCanvas& canvas, const TRect& row, int index) {
    // 1. Without folding a row's index is its line. 2.-3. Markers and flags come with their
    // features; this program sets neither.
    const int line = index;
    const int x0 = row.Left;
    const int y0 = row.Top;
    const TAdvMemoStrings& lines = editor_.Lines();
    // 4. The number, right-aligned by its digit count.
    if (showLineNumbers_) {
        const std::string digits = NumberText(index + lineNumberStart_);
        TFont saved;
        saved.Assign(canvas.Font());
        canvas.Font().Assign(*font_);
        canvas.Font().SetColor(lineNumberTextColor_);
        canvas.Brush().Style = TBrushStyle::bsClear;
        canvas.TextOut(NumberLeft(digits), y0, digits + numberSuffix_);
        canvas.Brush().Style = TBrushStyle::bsSolid;
        canvas.Font().Assign(saved);
    }
    // 5. The marks of an existing line.
    const bool exists = line < lines.Count() || (line == 0 && lines.Count() == 0);
    if (!exists)
        return;
    const TLineProp* record = lines.LineProp(line);
    if (showModified_) {
        const TColor color = record && record->Modified ? modifiedColor_ : modifiedColorBkg_;
        if (color != clNone) {
            canvas.Brush().Color = color;
            canvas.FillRect(Rect(row.Right - 4, row.Top, row.Right, row.Bottom));
        }
    }
    if (record && record->PointMark) {
        canvas.Pen().Color = clNavy;
        canvas.Brush().Color = clBlue;
        canvas.Ellipse(Rect(x0 + 4, y0 + 4, x0 + 10, y0 + 10));
        canvas.Pen().Color = 0xFFFF00; // aqua highlight
        canvas.MoveTo(x0 + 6, y0 + 5);
        canvas.LineTo(x0 + 8, y0 + 5);
    }
    if (record && record->Breakpoint) {
        canvas.Pen().Color = clBlack;
        canvas.Brush().Color = 0x0000FF;
        canvas.Ellipse(Rect(x0 + 2, y0 + 2, x0 + 12, y0 + 12));
    }
    if (line == editor_.ActiveLine() && editor_.ActiveLineSettings().ShowActiveLineIndicator()) {
        const TPoint arrow[] = {{x0 + 13, y0 + 7},  {x0 + 13, y0 + 11}, {x0 + 16, y0 + 11},
                                {x0 + 16, y0 + 14}, {x0 + 21, y0 + 9},  {x0 + 16, y0 + 4},
                                {x0 + 16, y0 + 7}};
        canvas.Pen().Color = 0x808080;
        canvas.Brush().Color = clLime;
        canvas.Polygon(arrow);
    }
    canvas.Brush().Style = TBrushStyle::bsSolid;
}
