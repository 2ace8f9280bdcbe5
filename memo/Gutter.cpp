#include "memo/Gutter.h"

#include <algorithm>
#include <array>

#include "drawing/Gradient.h"
#include "memo/ViewSettings.h"
#include "memo/model/MarkerList.h"
#include "platform/ImageList.h"

TAdvGutter::TAdvGutter() : font_(std::make_unique<TFont>()) {
    font_->SetName("Courier New");
    font_->SetHeight(-13);
    font_->SetColor(clWindowText);
}

TAdvGutter::~TAdvGutter() = default;

void TAdvGutter::Changed() {
    if (OnInvalidate)
        OnInvalidate(BoundsRect());
}

template <class T> void TAdvGutter::Store(T& field, T value) {
    StoreChanged(field, std::move(value), [this] { Changed(); });
}

void TAdvGutter::SetGutterWidth(int value) {
    gutterWidth_ = value;
    Changed();
    if (OnResize)
        OnResize();
}

void TAdvGutter::SetGutterMargin(int value) {
    gutterMargin_ = std::max(45, value);
}

void TAdvGutter::SetGutterColor(TColor value) {
    Store(gutterColor_, value);
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
    Store(lineNumberTextColor_, value);
}

void TAdvGutter::SetShowLineNumbers(bool value) {
    Store(showLineNumbers_, value);
}

void TAdvGutter::SetLineNumberStart(int value) {
    if (value >= 0 && value != lineNumberStart_) {
        Store(lineNumberStart_, value);
        NumbersChanged();
    }
}

void TAdvGutter::SetNumberSuffix(std::string value) {
    Store(numberSuffix_, std::move(value));
}

void TAdvGutter::SetShowLeadingZeros(bool value) {
    if (value != showLeadingZeros_) {
        Store(showLeadingZeros_, value);
        NumbersChanged();
    }
}

void TAdvGutter::SetDigitCount(int value) {
    if (value != digitCount_) {
        Store(digitCount_, value);
        NumbersChanged();
    }
}

void TAdvGutter::NumbersChanged() {
    // Longer numbers may need a wider gutter.
    if (OnResize)
        OnResize();
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
    // Showing or hiding the gutter moves the text.
    if (OnResize)
        OnResize();
}

void TAdvGutter::Paint(TCanvas& canvas, const TGutterRows& rows, const RowPainter& drawRow) const {
    const int left = Left();
    const int top = Top();
    const int right = left + Width();
    const int bottom = top + rows.Height;
    // The border line and the white line left of it.
    canvas.Pen().Style = TPenStyle::psSolid;
    canvas.Pen().Width = 1;
    canvas.Pen().Color = borderColor_;
    canvas.MoveTo(right - 1, top);
    canvas.LineTo(right - 1, bottom);
    canvas.Pen().Color = clWhite;
    canvas.MoveTo(right - 2, top);
    canvas.LineTo(right - 2, bottom);
    // The background: solid, keeping the white line, or a gradient over it.
    canvas.Brush().Style = TBrushStyle::bsSolid;
    if (gutterColorTo_ == clNone) {
        canvas.Brush().Color = gutterColor_;
        canvas.FillRect(Rect(left, top, right - 2, bottom));
    } else {
        DrawGradient(canvas, gutterColor_, gutterColorTo_, 48, TGradientDirection::gdHorizontal,
                     Rect(left, top, right - 1, bottom));
    }
    // One row per row in view, each for the line the row map puts there; the first is always
    // painted, so an empty store still shows its number 1. Word-wrap continuations get none.
    if (!drawRow)
        return;
    const int count = rows.Lines->Count();
    const int lineHeight = std::max(1, rows.LineHeight);
    for (int y = top, row = rows.TopRow; y < bottom; y += lineHeight, ++row) {
        const int line = rows.Rows->LineOfRow(row);
        if (row > rows.TopRow && line >= count)
            break;
        const TLineProp* record = rows.Lines->Record(line);
        if (!(record && record->WrappedContinuation))
            drawRow(canvas, Rect(left, y, right - 2, y + lineHeight), row);
    }
}

std::string TAdvGutter::NumberText(long long number) const {
    std::string digits = std::to_string(number);
    if (showLeadingZeros_ && static_cast<int>(digits.size()) < digitCount_)
        digits.insert(0, static_cast<std::size_t>(digitCount_) - digits.size(), '0');
    return digits;
}

int TAdvGutter::NumberLeft(const std::string& digits) const {
    // Up to four digits by the fixed steps; longer numbers end where four digits end, in the
    // room made for them.
    static constexpr std::array<int, 4> kIndent{0, 24, 16, 8};
    const auto count = static_cast<int>(digits.size());
    const int indent =
        count < 4 ? kIndent[static_cast<std::size_t>(count)] : -(count - 4) * digitWidth_;
    return Width() - gutterMargin_ + indent;
}

int TAdvGutter::DigitsShown(int lineCount) const {
    // Asked after every change of the text: counted, not formatted.
    long long largest = std::max(1, lineCount) - 1LL + lineNumberStart_;
    int digits = 1;
    while (largest >= 10) {
        largest /= 10;
        ++digits;
    }
    return showLeadingZeros_ ? std::max(digits, digitCount_) : digits;
}

bool TAdvGutter::FitNumbers(int digits, int digitWidth) {
    const int room = std::max(0, digits - 4) * digitWidth;
    digitWidth_ = digitWidth;
    if (room == numberRoom_)
        return false;
    numberRoom_ = room;
    return true;
}

void TAdvGutter::PaintRow(TCanvas& canvas, const TRect& row, int index,
                          const TGutterRows& rows) const {
    // The row shows a line; its number is the line's own (a hidden line's number is skipped,
    // as the line is), less the wrapped continuations before it.
    const int line = rows.Rows->LineOfRow(index);
    const long long number =
        static_cast<long long>(line) - rows.Rows->WrappedContinuationsBefore(line);
    // A marked line shows its marker's image first, and the rest 16 pixels further right.
    int shift = 0;
    if (rows.Markers && rows.Markers->MarkerAtLine(line)) {
        if (const TImageList* images = rows.Markers->MarkerImageList())
            images->Draw(canvas, row.Left + 1, row.Top + 2, rows.Markers->MarkerImageIndex(line));
        shift = 16;
    }
    const int x0 = row.Left + shift;
    const int y0 = row.Top;
    const TAdvMemoStrings& lines = *rows.Lines;
    // The number, placed by its digit count; the sum is taken wide, so a start near the
    // largest int still counts on.
    if (showLineNumbers_) {
        const std::string digits = NumberText(number + lineNumberStart_);
        TFont saved;
        saved.Assign(canvas.Font());
        canvas.Font().Assign(*font_);
        canvas.Font().SetColor(lineNumberTextColor_);
        canvas.Brush().Style = TBrushStyle::bsClear;
        canvas.TextOut(NumberLeft(digits) + shift, y0, digits + numberSuffix_);
        canvas.Brush().Style = TBrushStyle::bsSolid;
        canvas.Font().Assign(saved);
    }
    // The marks of an existing line.
    const bool exists = line < lines.Count() || (line == 0 && lines.Count() == 0);
    if (!exists)
        return;
    const TLineProp* record = lines.Record(line);
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
    if (line == rows.ActiveLine) {
        const TPoint arrow[] = {{x0 + 13, y0 + 7},  {x0 + 13, y0 + 11}, {x0 + 16, y0 + 11},
                                {x0 + 16, y0 + 14}, {x0 + 21, y0 + 9},  {x0 + 16, y0 + 4},
                                {x0 + 16, y0 + 7}};
        canvas.Pen().Color = 0x808080;
        canvas.Brush().Color = clLime;
        canvas.Polygon(arrow);
    }
    canvas.Brush().Style = TBrushStyle::bsSolid;
}
