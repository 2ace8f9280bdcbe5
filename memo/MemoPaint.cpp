// The order of a paint: folding column, gutter, rows, what lies below the text, margins and
// bar frames, right margin, border. A paint reads the model and changes none of it.

#include <algorithm>
#include <tuple>
#include <utility>

#include "memo/AdvMemo.h"
#include "memo/RowPainter.h"
#include "platform/Graphics.h"
#include "platform/SysColors.h"

TViewStyle TAdvCustomMemo::PaintStyle() const {
    TViewStyle style = style_;
    style.TextColor = Font().Color();
    style.ActiveLine = activeLineSettings_.ShowActiveLine() ? activeLine_ : -1;
    style.ActiveLineColor = activeLineSettings_.ActiveLineColor();
    style.ActiveLineTextColor = activeLineSettings_.ActiveLineTextColor();
    style.FoldingEnabled = codeFolding_.Enabled();
    style.FoldingLineColor = codeFolding_.LineColor();
    return style;
}

TRowContext TAdvCustomMemo::RowContext(const TViewStyle& style) const {
    TRowContext context;
    context.Lines = &Lines();
    context.Style = &style;
    context.CharWidth = CharWidth();
    context.LineHeight = LineHeight();
    context.LeftCol = LeftCol();
    context.VisibleColumns = VisibleColCount() + 1;
    context.TextStyle = Font().Style();
    context.Tokens = PaintsByStyler() ? &tokenStyles_ : nullptr;
    if (block_) {
        context.BlockWords[0] = block_->Open;
        context.BlockWords[1] = block_->Close;
    }
    context.Folding = codeFolding_.Enabled() ? &model_.Folding() : nullptr;
    context.SelectionShown = SelectionShown() && !SelectionEmpty();
    std::tie(context.SelFirst, context.SelLast) = OrderedSelection(Caret());
    return context;
}

TGutterRows TAdvCustomMemo::GutterRows() const {
    TGutterRows rows;
    rows.Lines = &Lines();
    rows.Markers = &model_.Markers();
    rows.Rows = rowMap_;
    rows.TopRow = view_.TopRow();
    rows.LineHeight = LineHeight();
    rows.Height = TextArea().Height();
    rows.ActiveLine = activeLineSettings_.ShowActiveLineIndicator() ? activeLine_ : -1;
    return rows;
}

void TAdvCustomMemo::Paint() {
    TCanvas& canvas = Canvas();
    // Nothing while an update bracket is open, nor before the font is measured.
    if (Lines().LockCount() > 0 || LineHeight() == 0)
        return;
    const TViewStyle style = PaintStyle();
    const TRect text = TextArea();
    canvas.Brush().Style = TBrushStyle::bsSolid;
    canvas.Brush().Color = style.BkColor;
    // Between the border and the text area everything starts as background: the gutter, the
    // margins and the bars' frames go over it, and no pixel keeps what was there before.
    const int edge = style.BorderStyle == TBorderStyle::bsNone ? 0 : (style.Ctl3D ? 2 : 1);
    const TRect inner = Rect(edge, edge, Width() - edge, Height() - edge);
    canvas.FillRect(Rect(inner.Left, inner.Top, inner.Right, text.Top));
    canvas.FillRect(Rect(inner.Left, text.Bottom, inner.Right, inner.Bottom));
    canvas.FillRect(Rect(inner.Left, text.Top, text.Left, text.Bottom));
    canvas.FillRect(Rect(text.Right, text.Top, inner.Right, text.Bottom));
    // The folding column, two pixels wider on its left.
    if (codeFolding_.Enabled()) {
        const TRect column = FoldingColumn();
        canvas.FillRect(Rect(column.Left - 2, column.Top, column.Right, column.Bottom));
    }
    // The gutter.
    if (gutter_->GutterWidth() > 1 && gutter_->Visible()) {
        gutter_->Paint(canvas, GutterRows(), [this](TCanvas& c, const TRect& row, int index) {
            if (OnGutterDraw)
                OnGutterDraw(const_cast<TAdvCustomMemo&>(*this), c, row, index);
        });
    }
    // The strip above the first row, which starts a pixel below the text area's top.
    canvas.Brush().Color = style.BkColor;
    canvas.FillRect(Rect(text.Left, text.Top, text.Right, std::max(2, text.Top + 1)));
    // No styler is attached, so there is no highlighter state to bring to TopLine.
    PaintRows(canvas, style, text);
    PaintMargins(canvas, style, text);
    PaintBorder(canvas);
}

// The rows of the view, the partly visible last one included, each showing the line the row
// map puts there, clipped to the text area; below the text, the background.
void TAdvCustomMemo::PaintRows(TCanvas& canvas, const TViewStyle& style, const TRect& text) const {
    const TRowContext context = RowContext(style);
    const int lineHeight = LineHeight();
    rowBitmap_->SetSize(std::max(0, text.Width()), lineHeight);
    rowBitmap_->Canvas().Font().Assign(Font());
    canvas.SetClipRect(text);
    const int rows = VisibleLineCount();
    const int count = Lines().Count();
    int openBoxes = 0;
    int row = 0;
    bool ended = false;
    for (; row <= rows; ++row) {
        const int line = LineOfScreenRow(row);
        if (line >= count) {
            ended = true;
            break;
        }
        const TRect rowRect = Rect(text.Left, text.Top + 1 + row * lineHeight, text.Right,
                                   text.Top + 1 + (row + 1) * lineHeight);
        if (style.FoldingEnabled) {
            canvas.ResetClip();
            PaintFoldMarks(canvas, style, rowRect, line, openBoxes);
            canvas.SetClipRect(text);
        }
        PaintRow(*rowBitmap_, context, line);
        canvas.CopyRect(rowRect, *rowBitmap_, Rect(0, 0, rowRect.Width(), lineHeight));
    }
    canvas.ResetClip();
    if (ended) {
        const int top = count == 0 ? text.Top + 1 : text.Top + 1 + row * lineHeight;
        canvas.Brush().Color = style.BkColor;
        canvas.FillRect(Rect(text.Left, std::min(top, text.Bottom), text.Right, text.Bottom));
    }
}

// The margin columns left of the text, the square the bars leave in the corner, the bars'
// frames, the right margin.
void TAdvCustomMemo::PaintMargins(TCanvas& canvas, const TViewStyle& style,
                                  const TRect& text) const {
    canvas.Brush().Color = style.BkColor;
    canvas.FillRect(Rect(text.Left - TextMargin(), text.Top, text.Left, text.Bottom));
    const TBarModel& horizontal = view_.Horizontal;
    if (horizontal.Visible) {
        // Right of a horizontal bar that leaves room for a vertical one.
        const TRect& r = horizontal.Bounds;
        canvas.Brush().Color = clBtnFace;
        canvas.FillRect(Rect(r.Right, r.Top - 1, Width(), r.Bottom + 1));
    }
    canvas.Brush().Color = clScrollBar;
    for (const TBarModel* bar : {&view_.Vertical, &view_.Horizontal}) {
        if (!bar->Visible)
            continue;
        const TRect& r = bar->Bounds;
        canvas.FillRect(Rect(r.Left - 1, r.Top - 1, r.Right + 1, r.Bottom + 1));
    }
    if (style.RightMargin > 0 && style.ShowRightMargin) {
        const int x = text.Left + view_.MarginCharWidth * (style.RightMargin - LeftCol());
        canvas.Pen().Color = style.RightMarginColor;
        canvas.Brush().Color = style.RightMarginColor;
        canvas.SetClipRect(text);
        canvas.FillRect(Rect(x, text.Top, x + 2, text.Bottom));
        canvas.ResetClip();
        canvas.Pen().Color = 0x808080;
        canvas.Pen().Width = 1;
    }
}

void TAdvCustomMemo::PaintBorder(TCanvas& canvas) const {
    if (style_.BorderStyle == TBorderStyle::bsNone)
        return;
    const int w = Width();
    const int h = Height();
    if (!style_.Ctl3D) {
        canvas.Brush().Style = TBrushStyle::bsClear;
        canvas.Pen().Color = style_.BorderColor;
        canvas.Pen().Style = TPenStyle::psSolid;
        canvas.Rectangle(Rect(0, 0, w, h));
        canvas.Brush().Style = TBrushStyle::bsSolid;
        return;
    }
    // The sunken frame of a three-dimensional border: shadow and dark shadow outside along the
    // top and left, highlight and light face along the bottom and right.
    const TColor outerTopLeft = clBtnShadow;
    const TColor innerTopLeft = 0xFF000015; // 3D dark shadow
    const TColor innerBottomRight = clBtnFace;
    const TColor outerBottomRight = clBtnHighlight;
    auto line = [&](TColor color, int x0, int y0, int x1, int y1) {
        canvas.Pen().Color = color;
        canvas.MoveTo(x0, y0);
        canvas.LineTo(x1, y1);
    };
    line(outerTopLeft, 0, h - 1, 0, 0);
    line(outerTopLeft, 0, 0, w - 1, 0);
    line(innerTopLeft, 1, h - 2, 1, 1);
    line(innerTopLeft, 1, 1, w - 2, 1);
    line(innerBottomRight, 1, h - 2, w - 2, h - 2);
    line(innerBottomRight, w - 2, h - 2, w - 2, 0);
    line(outerBottomRight, 0, h - 1, w - 1, h - 1);
    line(outerBottomRight, w - 1, h - 1, w - 1, -1);
}

// --- fold marks --------------------------------------------------------------------------

void TAdvCustomMemo::PaintFoldMarks(TCanvas& canvas, const TViewStyle& style, const TRect& rowRect,
                                    int line, int& openBoxes) const {
    const TFoldRegions& folding = model_.Folding();
    const int x0 = FoldingColumn().Left;
    const int y0 = rowRect.Top;
    const int y1 = rowRect.Bottom;
    const int off = (rowRect.Height() - 9) / 2;
    canvas.Pen().Color = style.FoldingLineColor;
    canvas.Pen().Style = TPenStyle::psSolid;
    auto vertical = [&](int from, int to) {
        canvas.MoveTo(x0 + 6, from);
        canvas.LineTo(x0 + 6, to);
    };
    const bool start = folding.IsRegionStart(line);
    const bool expanded = folding.IsExpanded(line);
    // Inside a region: the line down, short when a collapsed start's region runs to the end;
    // a region end gets its tick.
    if (folding.IsInside(line)) {
        const bool collapsedToTheEnd =
            start && !expanded && folding.EndOfRegion(line) >= Lines().Count() - 1;
        vertical(y0, collapsedToTheEnd ? y0 + off : y1);
        if (folding.RegionEndCount(line) > 0) {
            canvas.MoveTo(x0 + 6, y1);
            canvas.LineTo(x0 + 10, y1);
            --openBoxes;
        }
    }
    // A region start: its box, with a minus when open and a plus when collapsed.
    if (start) {
        if (expanded)
            vertical(folding.IsInside(line) ? y0 : y0 + off, y1);
        canvas.Brush().Style = TBrushStyle::bsSolid;
        canvas.Brush().Color = style.BkColor;
        // A glyph stands for the sign when one is set: a box in the background colour, the
        // glyph in it (squeezed into the column and 9 pixels when it is wider).
        const TBitmap& glyph =
            expanded ? codeFolding_.CollapsedGlyph() : codeFolding_.ExpandGlyph();
        if (glyph.Width() > 0 && glyph.Height() > 0) {
            canvas.Pen().Color = style.BkColor;
            canvas.Rectangle(Bounds(x0 + 2, y0 + off, 9, 9));
            const int columnWidth = FoldingColumn().Width();
            const bool squeeze = glyph.Width() > columnWidth;
            const int w = squeeze ? columnWidth : glyph.Width();
            const int h = squeeze ? 9 : glyph.Height();
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x)
                    canvas.SetPixel(x0 + 2 + x, y0 + off + y,
                                    glyph.Pixel(x * glyph.Width() / w, y * glyph.Height() / h));
            canvas.Pen().Color = style.FoldingLineColor;
        } else {
            canvas.Rectangle(Bounds(x0 + 2, y0 + off, 9, 9));
            canvas.MoveTo(x0 + 4, y0 + off + 4);
            canvas.LineTo(x0 + 9, y0 + off + 4);
            if (!expanded) {
                canvas.MoveTo(x0 + 6, y0 + off + 2);
                canvas.LineTo(x0 + 6, y0 + off + 7);
            }
        }
        if (expanded)
            ++openBoxes;
    }
}

// --- syntax styler -------------------------------------------------------------------------

void TAdvCustomMemo::SetSyntaxStyles(TAdvCustomMemoStyler* styler) {
    LetGoOfStyler();
    styler_.Set(styler);
    useStyler_ = styler != nullptr;
    if (styler) {
        styler->Elements.OnChange = [this] { PrepareStyler(); };
        styler->Elements.Owner = this;
    }
    PrepareStyler();
}

void TAdvCustomMemo::LetGoOfStyler() {
    TAdvCustomMemoStyler* styler = styler_.Get();
    if (styler && styler->Elements.Owner == this) {
        styler->Elements.OnChange = nullptr;
        styler->Elements.Owner = nullptr;
    }
}

void TAdvCustomMemo::MatchBlockAtCaret() {
    const TAdvCustomMemoStyler* styler = styler_.Get();
    std::optional<TBlockPair> block;
    if (PaintsByStyler())
        block = MatchBlock(Lines(), CaretY(), CaretX(), styler->BlockOpenWord,
                           styler->BlockCloseWord, TopLine(), LastVisibleLine(),
                           model_.Settings().WordDelimiters);
    const auto same = [](const std::optional<TBlockPair>& a, const std::optional<TBlockPair>& b) {
        return a.has_value() == b.has_value() &&
               (!a || (a->Open == b->Open && a->Close == b->Close));
    };
    if (same(block, block_))
        return;
    block_ = block;
    Invalidate();
}

void TAdvCustomMemo::SetUseStyler(bool value) {
    useStyler_ = value;
    PrepareStyler();
}

void TAdvCustomMemo::SetCaseSensitive(bool value) {
    if (value == caseSensitive_)
        return;
    caseSensitive_ = value;
    PrepareStyler();
}

void TAdvCustomMemo::SetUrlAware(bool value) {
    if (value == style_.UrlAware)
        return;
    style_.UrlAware = value;
    PrepareStyler();
}

void TAdvCustomMemo::PrepareStyler() {
    const TAdvCustomMemoStyler* styler = styler_.Get();
    // The word sets: a styler's delimiters bound the word at the caret, and its first symbol
    // set is where word moves stop.
    std::string delimiters;
    std::string breaks(1, ' ');
    if (styler && useStyler_) {
        bool firstSymbols = true;
        for (int i = 0; i < styler->Elements.Count(); ++i) {
            const TElementStyle& element = styler->Elements.Item(i);
            if (element.StyleType == TStyleType::stSymbol) {
                delimiters.append(element.Symbols);
                if (std::exchange(firstSymbols, false))
                    breaks = element.Symbols;
            } else if (element.StyleType == TStyleType::stBracket) {
                delimiters.push_back(element.BracketStart);
                delimiters.push_back(element.BracketEnd);
            }
        }
    }
    // Regions come from the styler's definitions, its words cut at its symbols.
    TRegionLanguage regions;
    if (styler && useStyler_)
        regions = TRegionLanguage::From(styler->RegionDefinitions, styler->LineCommentMarker,
                                        styler->CommentOpenMarker, styler->CommentCloseMarker,
                                        delimiters);
    model_.Folding().SetLanguage(std::move(regions));
    model_.RebuildRegions();
    model_.Settings().WordDelimiters = std::move(delimiters);
    model_.Settings().WordMoveBreaks = std::move(breaks);
    if (!styler) {
        lineStates_.SetLanguage(nullptr);
        Invalidate();
        return;
    }
    language_ = styler->Language(caseSensitive_, style_.UrlAware);
    lineStates_.SetLanguage(&language_);
    tokenStyles_.States = &lineStates_;
    tokenStyles_.Comment = styler->CommentColors;
    tokenStyles_.Number = styler->NumberColors;
    tokenStyles_.Elements.clear();
    for (int i = 0; i < styler->Elements.Count(); ++i) {
        const TElementStyle& element = styler->Elements.Item(i);
        tokenStyles_.Elements.push_back(
            {element.Font.Color(), element.BGColor, element.Font.Style()});
    }
    Invalidate();
}
