// Painting one row: the line's runs in their colours, the selection over characters only, the
// fill after the text, marked ranges as red wavy underlines, and the fold marks beside it.
// Each row is drawn into the row bitmap and copied to the screen in one block.

#include <algorithm>
#include <vector>

#include "memo/AdvMemo.h"
#include "platform/Graphics.h"

namespace {

/// A stretch of a line drawn in one style: columns [start, end).
struct Run {
    int start;
    int end;
    TColor text;
    TColor background;
};

} // namespace

void TAdvCustomMemo::PaintRow(TBitmap& rowBitmap, int line) {
    TCanvas& canvas = rowBitmap.Canvas();
    const std::string& text = lines_->Get(line);
    const TLineProp* record = lines_->LineProp(line);
    const int width = rowBitmap.Width();
    const int origin = -leftCol_ * charWidth_;

    // 2. Background.
    canvas.Brush().Style = TBrushStyle::bsSolid;
    canvas.Brush().Color = bkColor_;
    canvas.FillRect(Rect(0, 0, width, lineHeight_));

    // 4. The line's colours, later rules winning. Without a styler or URL pieces a line is one
    // run in the font colour.
    TColor textColor = Font().Color();
    TColor background = bkColor_;
    const bool active = activeLineSettings_.ShowActiveLine() && line == activeLine_;
    const bool breakpoint = record && record->Breakpoint;
    if (active) {
        textColor = activeLineSettings_.ActiveLineTextColor();
        background = activeLineSettings_.ActiveLineColor();
    }
    if (breakpoint) {
        textColor = breakpointTextColor_;
        background = breakpointColor_;
    }
    const int length = static_cast<int>(text.size());
    std::vector<Run> runs{{0, length, textColor, background}};

    // 5. The selection cuts runs into before, selected and after; only characters show it.
    if (SelectionShown() && !SelectionEmpty()) {
        TPoint first = selStart_;
        TPoint last = selEnd_;
        if (last.Y < first.Y || (last.Y == first.Y && last.X < first.X))
            std::swap(first, last);
        if (line >= first.Y && line <= last.Y) {
            const int from = line == first.Y ? first.X : 0;
            const int to = line == last.Y ? last.X : length;
            TColor selText = selColor_;
            TColor selBack = selBkColor_;
            if (active || breakpoint) {
                selText = background;
                selBack = textColor;
            }
            std::vector<Run> cut;
            for (const Run& run : runs) {
                const int a = std::clamp(from, run.start, run.end);
                const int b = std::clamp(to, run.start, run.end);
                if (a >= b) {
                    cut.push_back(run);
                    continue;
                }
                if (run.start < a)
                    cut.push_back({run.start, a, run.text, run.background});
                cut.push_back({a, b, selText, selBack});
                if (b < run.end)
                    cut.push_back({b, run.end, run.text, run.background});
            }
            runs = std::move(cut);
        }
    }

    // 3., 6. Each part as one call, at its first column; only the columns in view are drawn,
    // so a very long line costs no more than a short one.
    const int firstColumn = leftCol_;
    const int lastColumn = leftCol_ + (width + charWidth_ - 1) / std::max(1, charWidth_) + 1;
    for (const Run& run : runs) {
        const int a = std::max(run.start, firstColumn);
        const int b = std::min(run.end, lastColumn);
        if (a >= b)
            continue;
        canvas.Brush().Color = run.background;
        canvas.Font().SetColor(run.text);
        canvas.TextOutCells(origin + a * charWidth_, 0,
                            std::string_view(text).substr(static_cast<std::size_t>(a),
                                                          static_cast<std::size_t>(b - a)),
                            charWidth_);
    }
    canvas.Font().SetColor(Font().Color());

    // 7. After the text, the line's own background, one pixel short of the row's height.
    const int textEnd = origin + length * charWidth_;
    if (textEnd < width) {
        canvas.Brush().Color = breakpoint
                                   ? breakpointColor_
                                   : (active ? activeLineSettings_.ActiveLineColor() : bkColor_);
        canvas.FillRect(Rect(std::max(0, textEnd), 0, width, lineHeight_ - 1));
    }

    // 7a. A collapsed region without a caption shows its marker after the text.
    if (codeFolding_.Enabled() && record && record->RegionStart && !record->Expanded)
        PaintCollapsedMarker(canvas, textEnd);

    // 8. Marked ranges.
    PaintMarkedRanges(canvas, line);
    // 9. Matched block keywords come from a styler; none is attached.
}

void TAdvCustomMemo::PaintCollapsedMarker(TCanvas& canvas, int textEnd) const {
    const int bottom = lineHeight_;
    canvas.Pen().Color = codeFolding_.LineColor();
    canvas.Brush().Color = bkColor_;
    canvas.Rectangle(Rect(textEnd + 5, 0, textEnd + 30, bottom));
    canvas.Brush().Color = codeFolding_.LineColor();
    for (const int dx : {9, 17, 25})
        canvas.FillRect(Rect(textEnd + dx, bottom - 6, textEnd + dx + 2, bottom - 4));
}

void TAdvCustomMemo::PaintMarkedRanges(TCanvas& canvas, int line) const {
    const TLineProp* record = lines_->LineProp(line);
    if (!record)
        return;
    const int y = lineHeight_ - 2;
    canvas.Pen().Color = clRed;
    canvas.Pen().Style = TPenStyle::psSolid;
    canvas.Pen().Width = 1;
    const std::size_t count = std::min(record->MarkStarts.size(), record->MarkLengths.size());
    for (std::size_t k = 0; k < count; ++k) {
        const int start = std::max(0, record->MarkStarts[k] - leftCol_);
        const int end = std::max(0, record->MarkStarts[k] + record->MarkLengths[k] - leftCol_);
        const int xEnd = end * charWidth_;
        int x = start * charWidth_ & ~1;
        bool below = x % 4 == 0;
        canvas.MoveTo(x, below ? y + 1 : y - 1);
        while (x < xEnd) {
            x += 2;
            below = !below;
            canvas.LineTo(x, below ? y + 1 : y - 1);
        }
    }
}

void TAdvCustomMemo::PaintFoldMarks(TCanvas& canvas, const TRect& rowRect, int line,
                                    int& openBoxes) {
    const TLineProp* record = lines_->LineProp(line);
    const int x0 = FoldingColumn().Left;
    const int y0 = rowRect.Top;
    const int y1 = rowRect.Bottom;
    const int off = (rowRect.Height() - 9) / 2;
    canvas.Pen().Color = codeFolding_.LineColor();
    canvas.Pen().Style = TPenStyle::psSolid;
    auto vertical = [&](int from, int to) {
        canvas.MoveTo(x0 + 6, from);
        canvas.LineTo(x0 + 6, to);
    };
    // 1. A line without a record continues an open box's line.
    if (!record) {
        if (openBoxes > 0)
            vertical(y0, y1);
        return;
    }
    // 2. Inside a region.
    if (record->Inside) {
        const bool collapsedToTheEnd = record->RegionStart && !record->Expanded &&
                                       LastLineOfCollapsedRegion(line) >= lines_->Count() - 1;
        vertical(y0, collapsedToTheEnd ? y0 + off : y1);
        if (record->RegionEndCount > 0) {
            canvas.MoveTo(x0 + 6, y1);
            canvas.LineTo(x0 + 10, y1);
            --openBoxes;
        }
    }
    // 3.-4. A region start: its box, with a minus when open and a plus when collapsed.
    if (record->RegionStart) {
        if (record->Expanded)
            vertical(record->Inside ? y0 : y0 + off, y1);
        canvas.Brush().Style = TBrushStyle::bsSolid;
        canvas.Brush().Color = bkColor_;
        canvas.Rectangle(Bounds(x0 + 2, y0 + off, 9, 9));
        canvas.MoveTo(x0 + 4, y0 + off + 4);
        canvas.LineTo(x0 + 9, y0 + off + 4);
        if (record->Expanded) {
            ++openBoxes;
        } else {
            canvas.MoveTo(x0 + 6, y0 + off + 2);
            canvas.LineTo(x0 + 6, y0 + off + 7);
        }
    }
}

int TAdvCustomMemo::LastLineOfCollapsedRegion(int line) const {
    const TLineProp* record = lines_->LineProp(line);
    if (!record || !record->RegionStart || record->Expanded)
        return line;
    // Count region ends against the depth; nested starts open one more level.
    int depth = 1;
    int ends = 0;
    for (int next = line + 1; next < lines_->Count(); ++next) {
        const TLineProp* inner = lines_->LineProp(next);
        if (!inner)
            continue;
        ends += inner->RegionEndCount;
        if (ends >= depth)
            return next;
        if (inner->RegionStart)
            ++depth;
    }
    return lines_->Count() - 1;
}
